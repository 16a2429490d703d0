#pragma once

#include "storage/view_kind.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace storage {

// A component of a navigation element: what clicking the element opens ("frm", "dokfrm",
// "htm", "chm", "hlp") and the folders that view works in (stored form, "\" inside).
class TSklad
{
public:
    TSklad(int numer, QString typ, QString katalog, QString plik, QString katfrm, QString katzal);

    int numer;
    QString typ;
    QString katalog; // data folder of the view
    QString plik;    // view name, definition file, page or help file
    QString katfrm;  // definitions folder
    QString katzal;  // attachments and selection-tree folder
};

// An item of a navigation group: caption, icon bitmap and the command letters it allows.
class TElem
{
public:
    TElem(int numer, QString nazwa, QString oper, QString ikona);

    int numer; // 1-based position within its group
    QString nazwa;
    QString oper;  // "n" New, "s" Save, "d" Delete, "m" Modify, "p" Print, "k" Copy
    QString ikona; // bitmap file, relative to the program folder
    std::vector<std::unique_ptr<TSklad>> Components;
};

// A navigation group: one button of the navigation bar.
class TGrupa
{
public:
    TGrupa(int numer, int rozmikon, QString nazwa);

    int numer; // 1-based position in the file
    QString nazwa;
    int rozmikon; // 16: small icons, anything else: large ones
    std::vector<std::unique_ptr<TElem>> Elements;
};

using TNavigationGroups = std::vector<std::unique_ptr<TGrupa>>;

// The groups of the configuration read last; they live until exit (a new read replaces
// them).
TNavigationGroups &NavigationGroups();

// The stored path of the navigation configuration.
inline QString NavigationConfigPath()
{
    return QStringLiteral("config\\Tarvelin.xml");
}

// Reads the configuration (program folder + relPath) into NavigationGroups() and sets
// ConfigVersion() from the root `ver`. A file that cannot be opened, is empty, or is
// malformed (a group or element whose `numer` is not its position, a group never closed,
// a component outside an element, a number that is not a number) raises
// platform::TarvelinError with a Polish message; NavigationGroups() and ConfigVersion()
// then keep what they held.
void ReadNavigationConfig(const QString &relPath);

// The same on lines already read and cut; returns the groups and the root `ver`.
TNavigationGroups ParseNavigationConfig(const QStringList &lines, QString &version);

// Reads the lines of one group from start: its elements and their components. Returns
// the index of the line that begins "</grupa", or -1 when the list ends first.
int ReadNavigationGroup(const QStringList &lines, int start, TGrupa &group);

// The kind of view a component opens: a "frm" component the view its `plik` names, a
// "dokfrm" component a document, an "htm" component a web page; None for the rest (help
// files, and a view name the program does not know).
TViewKind ViewKindOf(const TSklad &component);

// The `katalog` of the last catalogue component in configuration order: the factor
// catalogue folder, known as soon as the configuration is read.
QString CatalogueFolderOf(const TNavigationGroups &groups);

} // namespace storage
