#pragma once

// The chemical, biological and dust catalogues in "poradn": the filtered readers of the
// catalogue panels, the lookups that give measurement form fields their defaults, and the
// correction that hides the fields a substance's limit values make meaningless.

#include "storage/catalogues.h"
#include "storage/config_version.h"

#include <QString>
#include <QStringList>

namespace storage {

QString ChemicalCataloguePath();   // "poradn\czynchem.xml"
QString BiologicalCataloguePath(); // "poradn\czynbiol.xml"
QString DustCataloguePath();       // "poradn\czynpyly.xml"

// Filter of the chemical catalogue panel.
struct ChemicalFilter
{
    qint64 oldMask = 0;       // hazard classes, older classification (against `typ`)
    qint64 newMask = 0;       // hazard classes under CLP (against `typh`)
    QString search;           // name or CAS number; letters compared case-insensitively
    bool currentOnly = true;  // only entries whose `aktualny` is "1"
    bool clp = false;         // the panel's CLP check box
};

// What a catalogue read found besides its entries.
struct CatalogueReadInfo
{
    bool versionAccepted = false; // the root `ver` equals the configuration version
    QString ver;
    QString ver_pom;
    QString frm_dane;
};

// Reads the chemical catalogue (stored path). Missing file: TarvelinError. A root `ver`
// other than configVersion lists nothing, without a message. A non-numeric `typ` or
// `typh`: TarvelinError naming the file and line.
TCzynChemList ReadChemicalCatalogue(const QString &relPath, const ChemicalFilter &filter,
                                    const QString &configVersion = ConfigVersion(), CatalogueReadInfo *info = nullptr);
// The same on the catalogue's lines (cut); relPath names the file in messages.
TCzynChemList ParseChemicalCatalogue(const QStringList &lines, const QString &relPath, const ChemicalFilter &filter,
                                     const QString &configVersion = ConfigVersion(),
                                     CatalogueReadInfo *info = nullptr);
// Whether an entry passes the search and mask tests (not the current-only test).
bool ChemicalEntryPasses(const TCzynChem &entry, const ChemicalFilter &filter);

// The block of one substance from start (its `<param` line) to the line beginning
// "</czynnik": adds the entry to list when it passes the filter. Returns the index of that
// closing line, or -1 when the lines end first. relPath names the file in errors.
int ReadChemicalEntry(const QStringList &lines, TCzynChemList &list, int start, int id, const ChemicalFilter &filter,
                      const QString &nazwa, const QString &verPom, const QString &frmDane,
                      const QString &relPath = QString());

// Reads the biological catalogue; kinds is a string of agent-kind digits, "0" for all.
TCzynBiolList ReadBiologicalCatalogue(const QString &relPath, const QString &kinds,
                                      const QString &configVersion = ConfigVersion(),
                                      CatalogueReadInfo *info = nullptr);
// The same on the catalogue's lines (cut).
TCzynBiolList ParseBiologicalCatalogue(const QStringList &lines, const QString &relPath, const QString &kinds,
                                       const QString &configVersion = ConfigVersion(),
                                       CatalogueReadInfo *info = nullptr);

// The block of one agent, as ReadChemicalEntry; the agent is added when kinds is "0" or
// holds the digit of its kind.
int ReadBiologicalEntry(const QStringList &lines, TCzynBiolList &list, int start, int id, const QString &kinds,
                        const QString &nazwa, const QString &verPom, const QString &frmDane,
                        const QString &relPath = QString());

// Catalogue kinds of the lookups.
enum CatalogueKind { CatalogueChemical = 1, CatalogueBiological = 2, CatalogueDust = 3 };

// The value of the attribute named like the field (lower-cased) on the `<param>` line of
// entry id in catalogue kind; def when the id is nowhere; empty when the entry lacks the
// attribute. Missing catalogue: TarvelinError. Lookups are served from a cache that is
// refreshed when the file changes.
QString ReadCatalogueParam(const QString &def, const QString &fieldName, int id, CatalogueKind kind);
// The name of entry id: kind 1 the chemical catalogue, 2 the dust catalogue (as the
// callers number them); empty when the id is nowhere.
QString ReadCatalogueName(int id, int kind);
// Drops every cached catalogue (tests, or after the files were replaced).
void ClearCatalogueCache();

// Hides the form fields that an entry's values make meaningless, after the defaults were
// taken from the catalogue: kind 1 chemical, 2 biological, 3 dust. In the factor
// catalogue view the sum fields stay disabled.
void ApplyCatalogueValuesToForm(TPomiarList &fields, CatalogueKind kind, bool forCatalogueView = false);

} // namespace storage
