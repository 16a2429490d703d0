#pragma once

#include <QString>

#include <memory>

namespace platform {
class IniFile;
}

class QWidget;

namespace widgets {

// Window geometry kept between runs in the geometry ini beside the executable, one
// section per window named after the window, keys "{component}.Top|Left|Width|Height"
// and "{component}.ClassName" (written, never read).
QString GeometryIniPath();

// The part of a key before its first ".".
QString ExtractComponentName(const QString &key);

// Applies the stored geometry of form and of its named inner components, in the order
// their keys stand in the section; -9999 leaves a value as designed.
void RestoreFormGeometry(QWidget *form);

// Whether a geometry of component (an inner component of form, or form itself) was kept by
// an earlier run.
bool HasStoredGeometry(const QWidget *form, const QString &component);

// Stores the geometry of form and of up to two inner components (may be null). The file
// is not written again when that changes nothing in it. Returns false when the ini file
// cannot be written (true inside a batch, which writes at its end).
bool SaveFormGeometry(QWidget *form, QWidget *component1 = nullptr, QWidget *component2 = nullptr);

// While one lives, what the windows save goes to one copy of the ini file, written once
// when it ends (and only if anything changed): at exit every window stores its own, and
// each write is synced to disk. Restoring inside the batch reads that copy. Batches do
// not nest: an inner one does nothing.
class GeometryBatch
{
public:
    GeometryBatch();
    ~GeometryBatch();
    GeometryBatch(const GeometryBatch &) = delete;
    GeometryBatch &operator=(const GeometryBatch &) = delete;

private:
    std::unique_ptr<platform::IniFile> m_ini;
};

} // namespace widgets
