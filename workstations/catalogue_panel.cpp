#include "workstations/catalogue_panel.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "workstations/catalogue_list.h"

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
    storage::TCzynnikList entries;
    try {
        entries = read();
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
        entries.clear();
    }
    m_target->SetEntries(std::move(entries), true);
    if (m_target->Count() > 0)
        m_target->SelectQuietly(0);
    ShowSelected();
}

} // namespace workstations
