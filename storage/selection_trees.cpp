#include "storage/selection_trees.h"

#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/text_xml.h"

namespace storage {

namespace {

// Both kinds of tree are read the same way; only a leaf differs. The levels are walked
// with an explicit stack of open groups rather than by recursion, so a file of thousands
// of nested groups cannot exhaust the stack.
template <typename Node, typename MakeLeaf, typename MakeGroup>
int readLevel(const QStringList &lines, std::vector<Node> &list, int &id, int start, int parentId, int level,
              MakeLeaf makeLeaf, MakeGroup makeGroup)
{
    std::vector<int> parents{parentId};
    for (int i = start; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        const int depth = level + static_cast<int>(parents.size()) - 1;
        if (tag.Opens(u"poz")) {
            ++id;
            list.push_back(makeLeaf(id, parents.back(), depth, line, tag));
        } else if (tag.Opens(u"grp")) {
            ++id;
            list.push_back(makeGroup(id, parents.back(), depth, line, tag));
            parents.push_back(id);
        } else if (line.contains(QLatin1String("</"))) {
            parents.pop_back();
            if (parents.empty())
                return i;
        }
    }
    return -1;
}

TZalTree plainLeaf(int id, int parent, int level, const QString &line, const ElementTag &tag)
{
    return TZalTree(id, parent, level, line.startsWith(QLatin1Char('<')) ? tag.Text() : ReadElementText(line));
}

TZalTree plainGroup(int id, int parent, int level, const QString &, const ElementTag &tag)
{
    return TZalTree(id, parent, level, tag.Value(u"nazwa"));
}

TZalTreeParam paramLeaf(int id, int parent, int level, const QString &, const ElementTag &tag)
{
    return TZalTreeParam(id, parent, level, tag.Text(), tag.Value(u"par1"), tag.Value(u"par2"), tag.Value(u"par3"));
}

TZalTreeParam paramGroup(int id, int parent, int level, const QString &, const ElementTag &tag)
{
    return TZalTreeParam(id, parent, level, tag.Value(u"nazwa"), QString(), QString(), QString());
}

template <typename Node, typename LevelReader, typename MakeLeaf, typename MakeGroup>
bool parse(const QStringList &lines, const QString &rootKey, std::vector<Node> &list, QString &version,
           bool &versionFound, bool topLeaves, LevelReader readLevelFn, MakeLeaf makeLeaf, MakeGroup makeGroup)
{
    versionFound = false;
    if (CheckWholeFile(lines) == FileShape::Cut)
        return false;
    int id = 0;
    for (int i = 1; i <= lines.size() - 2; ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        // The root line names the file; an entry's text that names it is still an entry.
        if (!tag.Opens(u"poz") && !tag.Opens(u"grp") && ContainsText(line, rootKey)) {
            version = tag.Value(u"ver");
            versionFound = true;
        } else if (tag.Opens(u"poz")) {
            if (topLeaves) {
                ++id;
                list.push_back(makeLeaf(id, 0, 0, line, tag));
            }
        } else if (tag.Opens(u"grp")) {
            ++id;
            list.push_back(makeGroup(id, 0, 0, line, tag));
            const int end = readLevelFn(lines, list, id, i + 1, id, 1);
            if (end < 0)
                return false; // a group never closed: the scan stops here
            i = end;
        }
    }
    return true;
}

template <typename Node, typename Parser> void readTree(const QString &relPath, std::vector<Node> &list, Parser parser)
{
    const QStringList lines = ReadTextXmlLines(relPath, true);
    if (lines.size() < 2)
        throw platform::TarvelinError(QStringLiteral("Plik listy wyboru %1 jest pusty.").arg(relPath));
    // Cut short after a closed group or a choice, it would offer fewer choices without a word.
    if (CheckWholeFile(lines) == FileShape::Cut)
        throw platform::TarvelinError(
            QStringLiteral("Niepoprawna struktura pliku listy wyboru %1: plik jest niekompletny.").arg(relPath));
    std::vector<Node> nodes;
    QString version;
    bool versionFound = false;
    if (!parser(lines, relPath, nodes, version, versionFound))
        throw platform::TarvelinError(
            QStringLiteral("Niepoprawna struktura pliku listy wyboru %1: grupa nie jest zamknięta.").arg(relPath));
    // Every tree read replaces the shared configuration version with its own.
    if (versionFound)
        ConfigVersion() = version;
    for (auto &n : nodes)
        list.push_back(std::move(n));
}

} // namespace

int ReadSelectionTreeLevel(const QStringList &lines, std::vector<TZalTree> &list, int &id, int start, int parentId,
                           int level)
{
    return readLevel(lines, list, id, start, parentId, level, plainLeaf, plainGroup);
}

int ReadParamTreeLevel(const QStringList &lines, std::vector<TZalTreeParam> &list, int &id, int start, int parentId,
                       int level)
{
    return readLevel(lines, list, id, start, parentId, level, paramLeaf, paramGroup);
}

bool ParseSelectionTree(const QStringList &lines, const QString &rootKey, std::vector<TZalTree> &list, QString &version,
                        bool &versionFound)
{
    return parse(lines, rootKey, list, version, versionFound, true, ReadSelectionTreeLevel, plainLeaf, plainGroup);
}

bool ParseParamTree(const QStringList &lines, const QString &rootKey, std::vector<TZalTreeParam> &list,
                    QString &version, bool &versionFound)
{
    return parse(lines, rootKey, list, version, versionFound, false, ReadParamTreeLevel, paramLeaf, paramGroup);
}

void ReadSelectionTree(const QString &relPath, std::vector<TZalTree> &list)
{
    readTree(relPath, list, ParseSelectionTree);
}

void ReadParamTree(const QString &relPath, std::vector<TZalTreeParam> &list)
{
    readTree(relPath, list, ParseParamTree);
}

} // namespace storage
