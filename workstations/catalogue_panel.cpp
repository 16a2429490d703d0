#include "workstations/catalogue_panel.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "workstations/catalogue_list.h"

#include <optional>

namespace workstations {

void TCataloguePanel::SetTarget(TCatalogueList *target, const QString &attachFolder, const QString &cataloguePath)
{
    m_target = target;
    m_attachFolder = attachFolder;
    m_cataloguePath = cataloguePath;
}

void TCataloguePanel::Refill(const std::function<storage::TCzynnikList()> &read)
{
    if (!m_target)
        return;
    // The entry chosen stays chosen where the new filter still lists it.
    std::optional<int> keep;
    if (const storage::TCzynnik *chosen = m_target->Selected())
        keep = chosen->id;
    storage::TCzynnikList entries;
    try {
        entries = read();
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
        entries.clear();
    }
    m_target->SetEntries(std::move(entries), true);
    m_target->SelectQuietlyKeeping(keep);
    ShowSelected();
}

} // namespace workstations
