#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

QString &overrideFolder()
{
    static QString folder;
    return folder;
}

QString findCaseInsensitive(const QString &path)
{
    if (QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith('/');
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    QString built = absolute ? QStringLiteral("") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString candidate = QDir(current).filePath(part);
        if (!QFileInfo::exists(candidate)) {
            const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QString match;
            for (const QString &e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            }
            if (match.isEmpty())
                return path; // nothing better: report the stored name
            candidate = QDir(current).filePath(match);
        }
        current = candidate;
    }
    return current;
}

} // namespace

QString ProgramFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    const QByteArray env = qgetenv("TARVELIN_HOME");
    if (!env.isEmpty())
        return QDir::cleanPath(QString::fromLocal8Bit(env));
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetProgramFolder(const QString &folder)
{
    overrideFolder() = folder;
}

QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QDir(ProgramFolder()).filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    return QDir(ProgramFolder()).filePath(QStringLiteral("Tarvelin"));
}

QString ToFilePath(const QString &storedPath)
{
    QString p = storedPath;
    p.replace('\\', '/');
    if (p.isEmpty())
        return ProgramFolder();
    if (!QDir::isAbsolutePath(p))
        p = ProgramFolder() + '/' + p;
    p = QDir::cleanPath(p);
    return findCaseInsensitive(p);
}

QString JoinStoredPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (name.isEmpty())
        return folder;
    QString f = folder;
    QString n = name;
    while (f.endsWith('\\') || f.endsWith('/'))
        f.chop(1);
    while (n.startsWith('\\') || n.startsWith('/'))
        n.remove(0, 1);
    return f + '\\' + n;
}

bool FileExists(const QString &storedPath)
{
    QFileInfo fi(ToFilePath(storedPath));
    return fi.exists() && fi.isFile();
}

bool FolderExists(const QString &storedPath)
{
    return QFileInfo(ToFilePath(storedPath)).isDir();
}

} // namespace platform
