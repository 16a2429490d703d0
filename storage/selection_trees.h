#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace storage {

// A node of a plain selection tree: its 1-based number in file order, the number of the
// enclosing group (0 at the top), its depth (0 at the top) and its text.
class TZalTree
{
public:
    TZalTree(int id, int parentId, int level, QString text)
        : Id(id), ParentId(parentId), Level(level), Text(std::move(text))
    {
    }
    int Id;
    int ParentId;
    int Level;
    QString Text;
};

// A node of a parameter tree: the same and three parameters (empty for groups).
class TZalTreeParam : public TZalTree
{
public:
    TZalTreeParam(int id, int parentId, int level, QString text, QString p1, QString p2, QString p3)
        : TZalTree(id, parentId, level, std::move(text)), par1(std::move(p1)), par2(std::move(p2)), par3(std::move(p3))
    {
    }
    QString par1;
    QString par2;
    QString par3;
};

// Reads a plain tree (program folder + relPath, stored form with "\") and appends its
// nodes in file order (a group before its contents). The root line is the line that holds
// relPath exactly as given; its `ver` replaces ConfigVersion() (empty when it has none).
// A file that cannot be opened, is empty, or leaves a group unclosed raises
// platform::TarvelinError with a Polish message; list and ConfigVersion() are then left
// as they were.
void ReadSelectionTree(const QString &relPath, std::vector<TZalTree> &list);
// The same for a parameter tree: leaves outside every group are not listed; a leaf's text
// is its element text and its `par1`, `par2`, `par3` are read.
void ReadParamTree(const QString &relPath, std::vector<TZalTreeParam> &list);

// The same on lines already read and cut (tests and fuzzing); rootKey is the text that
// marks the root line. Return false when a group is never closed or the file was cut short
// (its root never closed; nodes then incomplete);
// version receives the root `ver` when a root line was found (versionFound true).
bool ParseSelectionTree(const QStringList &lines, const QString &rootKey, std::vector<TZalTree> &list, QString &version,
                        bool &versionFound);
bool ParseParamTree(const QStringList &lines, const QString &rootKey, std::vector<TZalTreeParam> &list,
                    QString &version, bool &versionFound);

// One group's contents from start, nested groups included; Id counts on across calls.
// Returns the index of the line that closed the group, or -1 when the list ends first.
int ReadSelectionTreeLevel(const QStringList &lines, std::vector<TZalTree> &list, int &id, int start, int parentId,
                           int level);
int ReadParamTreeLevel(const QStringList &lines, std::vector<TZalTreeParam> &list, int &id, int start, int parentId,
                       int level);

} // namespace storage
