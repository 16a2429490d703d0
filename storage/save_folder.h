#pragma once

#include <QString>
#include <QStringList>

namespace storage {

// The folder a save writes into (stored path), made with its parents when missing. A save
// that fails takes away again what was made for it, so a first save that fails leaves no
// empty folder behind (a new workstation's "stan_N" would otherwise push the next try to
// another number and stay an orphan).
class FolderForSave
{
public:
    explicit FolderForSave(const QString &storedFolder);
    ~FolderForSave();
    FolderForSave(const FolderForSave &) = delete;
    FolderForSave &operator=(const FolderForSave &) = delete;

    // Whether the folder is there to be written into.
    bool Ready() const { return m_ready; }
    // The save succeeded: what was made stays.
    void Keep() { m_made.clear(); }

private:
    QStringList m_made; // file-system paths, outermost first
    bool m_ready = false;
};

} // namespace storage
