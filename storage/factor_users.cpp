#include "storage/factor_users.h"

#include "platform/tarvelin_error.h"
#include "storage/workstation_files.h"

namespace storage {

std::vector<TFactorUse> WorkstationsUsingFactor(const QString &dataFolder, int factorId)
{
    std::vector<TFactorUse> uses;
    WorkstationList list;
    QString version;
    ReadWorkstationList(WorkstationListPath(dataFolder), list, version);
    WorkstationReadOptions options;
    options.nonCurrentFactors = false;
    for (const auto &w : list) {
        if (!IsSafeFolderName(w->kat_dane))
            continue;
        try {
            if (ReadWorkstationData(WorkstationDataPath(dataFolder, w->kat_dane), *w, options) != ReadResult::Read)
                continue;
        } catch (const platform::TarvelinError &) {
            continue; // the views that open it say what is wrong with it
        }
        for (const TFactorEntry &e : w->Factors)
            if (e.factor->id == factorId && e.factor->aktual == QLatin1String("T")) {
                uses.push_back({w->nazwa, e.factor->nazwa});
                break;
            }
    }
    return uses;
}

QStringList WorkstationDataFolders(const TNavigationGroups &groups)
{
    QStringList folders;
    for (const auto &g : groups)
        for (const auto &e : g->Elements)
            for (const auto &c : e->Components) {
                const TViewKind kind = ViewKindOf(*c);
                if ((kind == TViewKind::Workstations || kind == TViewKind::Measurement || kind == TViewKind::Summary) &&
                    !folders.contains(c->katalog))
                    folders << c->katalog;
            }
    return folders;
}

} // namespace storage
