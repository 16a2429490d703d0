#pragma once

#include <QString>

namespace storage {

// The `ver` of the navigation configuration. Catalogues, document lists and document
// definitions are read only when their own `ver` equals it; document lists and data
// files are written with it; each selection-tree read replaces it with its own `ver`.
QString &ConfigVersion();

} // namespace storage
