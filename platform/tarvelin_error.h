#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// The one exception type for malformed data and failed file access. It carries the
// Polish text the user sees; it is caught at the event boundary or by a caller that
// can recover, so a half-read object never reaches a writer.
class TarvelinError : public std::runtime_error
{
public:
    explicit TarvelinError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// "Błąd dostępu do pliku": the one message for a file that cannot be opened or written.
inline QString FileAccessErrorText()
{
    return QStringLiteral("Błąd dostępu do pliku");
}
// The same text naming the file, as every failed read or write tells it.
inline QString FileAccessErrorText(const QString &path)
{
    return FileAccessErrorText() + QStringLiteral(" : ") + path;
}

} // namespace platform
