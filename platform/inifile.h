#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform {

// A plain ini file that any ini reader understands. Unlike QSettings it keeps the order
// of sections and keys and every line it does not own (comments, foreign keys), because
// the geometry is kept in "Tarvelin.ini", a file the installation also ships.
class IniFile
{
public:
    explicit IniFile(QString filePath);

    bool Load(); // false when the file is missing or unreadable (then empty)
    // Atomic; false on failure. Lines the file holds already (as last loaded or saved) are
    // not written again: a save that changes nothing does not touch (nor sync) the file.
    bool Save();
    // What Load does with the file's lines, and the lines Save writes.
    void Parse(const QStringList &lines);
    QStringList Lines() const;

    QStringList SectionNames() const;
    QStringList KeyNames(const QString &section) const;  // in file order
    bool HasKey(const QString &section, const QString &key) const;
    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);

    const QString &FilePath() const { return m_path; }

private:
    struct Entry
    {
        QString key;   // empty for a line kept as it stands (comment, blank)
        QString value;
        QString raw;
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
    };
    Section *find(const QString &name);
    const Section *find(const QString &name) const;

    QString m_path;
    std::optional<QStringList> m_onDisk; // the lines last loaded or saved
    std::vector<Entry> m_preamble;
    std::vector<Section> m_sections;
};

} // namespace platform
