#include "workstations/catalogue_list.h"

#include "workstation_loading/workstation_loading.h"

#include <QListWidget>
#include <QPalette>
#include <QWidget>
#include <QSignalBlocker>
#include <algorithm>

namespace workstations {

namespace {
const QColor kMarked(0, 0, 255);
}

void SetGroupMarked(QWidget *box, bool marked)
{
    QPalette p = box->palette();
    p.setColor(QPalette::WindowText, marked ? kMarked : QColor(Qt::black));
    box->setPalette(p);
}

bool GroupMarked(const QWidget *box)
{
    return box && box->palette().color(QPalette::WindowText) == kMarked;
}

void TCatalogueList::SetEntries(storage::TCzynnikList entries, bool sorted)
{
    const QSignalBlocker block(m_list);
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_entries = std::move(entries);
    if (sorted) {
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [](const auto &a, const auto &b) { return workstation_loading::ListTextLess(a->nazwa, b->nazwa); });
    }
    QStringList names;
    names.reserve(qsizetype(m_entries.size()));
    for (const auto &e : m_entries)
        names << e->nazwa;
    m_list->addItems(names);
    m_list->setCurrentRow(-1);
    m_list->setUpdatesEnabled(true);
}

void TCatalogueList::Clear()
{
    SetEntries({}, false);
}

int TCatalogueList::Count() const
{
    return int(m_entries.size());
}

storage::TCzynnik *TCatalogueList::Entry(int row) const
{
    // The entries are never reordered apart from the objects, so the row is the index.
    if (row < 0 || row >= Count() || row >= m_list->count())
        return nullptr;
    return m_entries[size_t(row)].get();
}

storage::TCzynnik *TCatalogueList::Selected() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? Entry(m_list->row(item)) : nullptr;
}

void TCatalogueList::SelectQuietlyKeeping(std::optional<int> id)
{
    if (Count() == 0)
        return;
    int kept = 0;
    for (int row = 0; id && row < Count(); ++row) {
        if (m_entries[size_t(row)]->id == *id) {
            kept = row;
            break;
        }
    }
    SelectQuietly(kept);
}

void TCatalogueList::SelectQuietly(int row)
{
    const QSignalBlocker block(m_list);
    m_list->setCurrentRow(row);
}

} // namespace workstations
