#pragma once

// The factor list of the catalogue view together with the factors its entries stand for.
// The view owns it; the chemical and biological panels refill it when they filter the
// catalogue, and the workstation's factor dialog reads its selection.

#include "storage/factors.h"

#include <optional>

class QListWidget;
class QWidget;

namespace workstations {

class TCatalogueList
{
public:
    TCatalogueList() = default;
    explicit TCatalogueList(QListWidget *list) : m_list(list) {}
    void Attach(QListWidget *list) { m_list = list; }

    QListWidget *List() const { return m_list; }
    // Replaces every entry (listed under its name): in Polish alphabetical order when
    // sorted, else in the order given (the order of the file).
    void SetEntries(storage::TCzynnikList entries, bool sorted);
    void Clear();
    int Count() const;
    storage::TCzynnik *Entry(int row) const;
    storage::TCzynnik *Selected() const;
    // Selects row without raising the list's click handler.
    void SelectQuietly(int row);
    // The same for the entry numbered id where the list still holds it (a list filled again
    // keeps the user's choice), else for the first entry; nothing in an empty list.
    void SelectQuietlyKeeping(std::optional<int> id);

    // Whether the catalogue view lists only current entries ("Aktualne").
    bool CurrentOnly = true;

private:
    QListWidget *m_list = nullptr;
    storage::TCzynnikList m_entries; // in list order
};

// The panels draw the groups of the shown entry in blue, the others in black.
void SetGroupMarked(QWidget *box, bool marked);
bool GroupMarked(const QWidget *box);

} // namespace workstations
