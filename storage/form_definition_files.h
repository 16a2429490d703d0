#pragma once

// Measurement form definitions "{form}_frm_{version}.xml" and their included parts.

#include "storage/catalogue_files.h"
#include "storage/form_definitions.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace storage {

// What the root line of a definition says.
struct FormRootInfo
{
    QString katalog;
    QString plik;
    QString function;
    QString ver;
};

struct FormReadOptions
{
    // The factor catalogue view shows forms as previews: the NDS-sum fields stay disabled.
    bool forCatalogueView = false;
};

// Reads the definition at relPath (relative to the program folder or absolute) and appends
// its items to fields. factorId chooses the included part and the catalogue defaults.
// Missing file or included part, a non-numeric page number, an unclosed block: TarvelinError
// naming the file; fields is then left as it was.
void ReadMeasurementForm(const QString &relPath, TPomiarList &fields, int factorId,
                         const FormReadOptions &options = {}, FormRootInfo *root = nullptr);

struct CatalogueIndex;

// Where the reading of a definition finds the files beside it.
struct FormDefinitionFiles
{
    // The lines (cut) of an included part; throws TarvelinError when they cannot be read.
    std::function<std::shared_ptr<const QStringList>(const QString &storedPath)> lines;
    // The catalogue the defaults of a chemical, biological or dust form come from; throws
    // TarvelinError when it cannot be read.
    std::function<std::shared_ptr<const CatalogueIndex>(CatalogueKind kind)> catalogue;
};
// The files below the program folder, through the file cache.
FormDefinitionFiles FormDefinitionFilesOnDisk();

// ReadMeasurementForm on the definition's lines (cut); relPath names it in messages and
// gives its root element and where its included part lies.
void ParseMeasurementForm(const QStringList &lines, const QString &relPath, TPomiarList &fields, int factorId,
                          const FormDefinitionFiles &files, const FormReadOptions &options = {},
                          FormRootInfo *root = nullptr);

// The root element name of a definition: its file name up to and including "_frm"
// ("zaklocen\frm\halas_fizyczny_frm_2.xml" gives "halas_fizyczny_frm").
QString FormRootName(const QString &relPath);

// The definition name of form frmDane in version ver ("1.0" and "1" both give
// frmDane + "_frm_1.xml").
QString FormDefinitionName(const QString &frmDane, const QString &ver);
// A version as definition names carry it: cut before its first ".".
QString FormVersionNumber(const QString &ver);

// Block reader of rows and fields from line start; returns the index of the line that
// closes the block ("</page", "</parametr", "</naglowek"), the index before a page or
// header that begins without the block being closed, or -1 when the list ends first.
int ReadMeasurementFormRows(const QStringList &lines, TPomiarList &fields, int start, int pageNr, int factorId,
                            int &row, const QString &pageName, const QString &rootName,
                            const FormReadOptions &options = {});

// Drops every cached definition file.
void ClearFormDefinitionCache();

} // namespace storage
