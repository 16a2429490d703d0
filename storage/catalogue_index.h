#pragma once

// The cached form of a catalogue for the lookups: its lines and, for every `id="x"` the
// file holds, the first line that holds it.

#include "storage/catalogue_files.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

namespace storage {

struct CatalogueIndex
{
    std::shared_ptr<const QStringList> lines; // not cut
    QHash<QString, int> firstLine;
};

// Throws TarvelinError when the catalogue cannot be read.
std::shared_ptr<const CatalogueIndex> LoadCatalogueIndex(const QString &storedPath);
std::shared_ptr<const CatalogueIndex> LoadCatalogueIndex(CatalogueKind kind);
// The index of a catalogue's lines (read uncut).
std::shared_ptr<const CatalogueIndex> BuildCatalogueIndex(std::shared_ptr<const QStringList> uncutLines);
// ReadCatalogueParam on an index already loaded.
QString CatalogueParam(const CatalogueIndex &index, const QString &def, const QString &fieldName, int id);
// ReadCatalogueName on an index already loaded.
QString CatalogueName(const CatalogueIndex &index, int id);

} // namespace storage
