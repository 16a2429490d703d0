#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A program folder in a temporary directory, made the program folder for its lifetime.
// With copyInstall it starts as a copy of the shipped installation.
class FixtureFolder
{
public:
    explicit FixtureFolder(bool copyInstall = false);
    ~FixtureFolder();

    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString &relative) const; // "/" or "\" separated
    // Writes bytes (relative path, folders created).
    void Write(const QString &relative, const QByteArray &bytes) const;
    // Writes text as Windows-1250 with CR LF line ends ("\n" in text).
    void WriteText(const QString &relative, const QString &text) const;
    QByteArray Read(const QString &relative) const;
    QString ReadText(const QString &relative) const; // decoded, "\n" line ends
    bool Exists(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// Copies a folder recursively.
bool CopyFolder(const QString &from, const QString &to);

} // namespace testsupport
