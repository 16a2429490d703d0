#include "tests/support/fixture.h"

#include "platform/cp1250.h"
#include "platform/paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

bool CopyFolder(const QString &from, const QString &to)
{
    QDir src(from);
    if (!src.exists())
        return false;
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = src.relativeFilePath(path);
        const QString target = QDir(to).filePath(rel);
        if (QFileInfo(path).isDir()) {
            QDir().mkpath(target);
        } else {
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::remove(target);
            if (!QFile::copy(path, target))
                return false;
            QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        }
    }
    return true;
}

FixtureFolder::FixtureFolder(bool copyInstall)
{
    if (copyInstall)
        CopyFolder(QStringLiteral(TARVELIN_INSTALL_DIR), m_dir.path());
    platform::SetProgramFolder(m_dir.path());
}

FixtureFolder::~FixtureFolder()
{
    platform::SetProgramFolder(QString());
}

QString FixtureFolder::FilePath(const QString &relative) const
{
    QString r = relative;
    r.replace('\\', '/');
    return QDir(m_dir.path()).filePath(r);
}

void FixtureFolder::Write(const QString &relative, const QByteArray &bytes) const
{
    const QString path = FilePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void FixtureFolder::WriteText(const QString &relative, const QString &text) const
{
    QString t = text;
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    Write(relative, platform::EncodeCp1250(t));
}

QByteArray FixtureFolder::Read(const QString &relative) const
{
    QFile f(FilePath(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QString FixtureFolder::ReadText(const QString &relative) const
{
    QString t = platform::DecodeCp1250(Read(relative));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

bool FixtureFolder::Exists(const QString &relative) const
{
    return QFileInfo::exists(FilePath(relative));
}

} // namespace testsupport
