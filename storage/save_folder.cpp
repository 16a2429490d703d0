#include "storage/save_folder.h"

#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

namespace storage {

FolderForSave::FolderForSave(const QString &storedFolder)
{
    if (storedFolder.isEmpty()) {
        m_ready = true;
        return;
    }
    QString path = QDir::cleanPath(QFileInfo(platform::ToFilePath(storedFolder)).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo(path).isDir()) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return; // a file where the folder should be
        missing.prepend(path);
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path)
            return;
        path = parent;
    }
    for (const QString &folder : missing) {
        if (!QDir().mkdir(folder))
            return; // what was made goes with the object
        m_made << folder;
    }
    m_ready = true;
}

FolderForSave::~FolderForSave()
{
    // Only while empty: rmdir takes nothing else.
    for (auto it = m_made.crbegin(); it != m_made.crend(); ++it)
        QDir().rmdir(*it);
}

} // namespace storage
