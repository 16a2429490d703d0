#pragma once

// What the chemical and the biological panel share: they work on the catalogue view's
// factor list (not owned), the group's attachment folder and the catalogue file, and
// their filters refill that list from the catalogue and show its first entry.

#include "storage/factors.h"

#include <QString>
#include <QWidget>
#include <functional>

namespace workstations {

class TCatalogueList;

class TCataloguePanel : public QWidget
{
    Q_OBJECT
public:
    void SetTarget(TCatalogueList *target, const QString &attachFolder, const QString &cataloguePath);
    TCatalogueList *Target() const { return m_target; }
    QString AttachFolder() const { return m_attachFolder; }
    QString CataloguePath() const { return m_cataloguePath; }

    // Shows the entry selected in the target list (empty details when none is).
    virtual void ShowSelected() = 0;

protected:
    // Replaces the target's entries with what read returns, in Polish order; a catalogue
    // that cannot be read is reported and lists nothing. The entry chosen before is chosen
    // and shown again when still listed, else the first one.
    void Refill(const std::function<storage::TCzynnikList()> &read);

private:
    TCatalogueList *m_target = nullptr;
    QString m_attachFolder;
    QString m_cataloguePath;
};

// A list of catalogue entries as plain factors.
template <typename T>
storage::TCzynnikList AsFactorList(std::vector<std::unique_ptr<T>> entries)
{
    storage::TCzynnikList out;
    out.reserve(entries.size());
    for (auto &e : entries)
        out.push_back(std::move(e));
    return out;
}

} // namespace workstations
