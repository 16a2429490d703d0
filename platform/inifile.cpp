#include "platform/inifile.h"

#include "platform/cp1250.h"
#include "platform/text_file.h"

#include <QFile>

namespace platform {

IniFile::IniFile(QString filePath)
    : m_path(std::move(filePath))
{
}

bool IniFile::Load()
{
    m_onDisk = ReadLinesCp1250(m_path);
    Parse(m_onDisk ? *m_onDisk : QStringList());
    return m_onDisk.has_value();
}

void IniFile::Parse(const QStringList &lines)
{
    m_preamble.clear();
    m_sections.clear();
    Section *current = nullptr;
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            m_sections.push_back(Section{t.mid(1, t.size() - 2).trimmed(), {}});
            current = &m_sections.back();
            continue;
        }
        Entry e;
        const qsizetype eq = line.indexOf('=');
        if (!t.isEmpty() && !t.startsWith(';') && !t.startsWith('#') && eq > 0) {
            e.key = line.left(eq).trimmed();
            e.value = line.mid(eq + 1).trimmed();
        } else {
            e.raw = line;
        }
        (current ? current->entries : m_preamble).push_back(e);
    }
}

bool IniFile::Save()
{
    QStringList lines = Lines();
    if (m_onDisk && *m_onDisk == lines)
        return true;
    if (!WriteLinesCp1250(m_path, lines))
        return false;
    m_onDisk = std::move(lines);
    return true;
}

QStringList IniFile::Lines() const
{
    QStringList out;
    for (const Entry &e : m_preamble)
        out << (e.key.isEmpty() ? e.raw : e.key + '=' + e.value);
    for (const Section &s : m_sections) {
        out << '[' + s.name + ']';
        for (const Entry &e : s.entries)
            out << (e.key.isEmpty() ? e.raw : e.key + '=' + e.value);
    }
    return out;
}

IniFile::Section *IniFile::find(const QString &name)
{
    for (Section &s : m_sections) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

const IniFile::Section *IniFile::find(const QString &name) const
{
    return const_cast<IniFile *>(this)->find(name);
}

QStringList IniFile::SectionNames() const
{
    QStringList names;
    for (const Section &s : m_sections)
        names << s.name;
    return names;
}

QStringList IniFile::KeyNames(const QString &section) const
{
    QStringList keys;
    if (const Section *s = find(section)) {
        for (const Entry &e : s->entries) {
            if (!e.key.isEmpty())
                keys << e.key;
        }
    }
    return keys;
}

bool IniFile::HasKey(const QString &section, const QString &key) const
{
    return KeyNames(section).contains(key, Qt::CaseInsensitive);
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    if (const Section *s = find(section)) {
        for (const Entry &e : s->entries) {
            if (!e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value;
        }
    }
    return def;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const QString v = ReadString(section, key, QString());
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : def;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    Section *s = find(section);
    if (!s) {
        m_sections.push_back(Section{section, {}});
        s = &m_sections.back();
    }
    for (Entry &e : s->entries) {
        if (!e.key.isEmpty() && e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    }
    // Keep trailing blank lines after the keys of the section.
    auto pos = s->entries.end();
    while (pos != s->entries.begin() && std::prev(pos)->key.isEmpty() && std::prev(pos)->raw.trimmed().isEmpty())
        --pos;
    s->entries.insert(pos, Entry{key, value, QString()});
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

} // namespace platform
