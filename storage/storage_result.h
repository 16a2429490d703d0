#pragma once

// What a reader or writer of this folder tells its caller instead of showing a message box:
// success, or the Polish text the user is to see (with the file, and the line where there
// is one) and whether it is a warning or an error. The views decide what to show and when.

#include "platform/tarvelin_error.h"

#include <QString>
#include <vector>

namespace storage {

class StorageResult
{
public:
    enum class Severity { Warning, Error };

    StorageResult() = default; // success
    static StorageResult Failure(const QString &message, Severity severity = Severity::Warning)
    {
        StorageResult r;
        r.m_ok = false;
        r.m_message = message;
        r.m_severity = severity;
        return r;
    }
    // "Błąd dostępu do pliku" naming the file (warning): a file that could not be opened or
    // written.
    static StorageResult FileAccessFailure(const QString &path) { return Failure(platform::FileAccessErrorText(path)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &message() const { return m_message; }
    Severity severity() const { return m_severity; }

private:
    bool m_ok = true;
    QString m_message;
    Severity m_severity = Severity::Warning;
};

// What a routine that goes on past its failures found, in the order it found them: each
// failure's Polish message and severity. The caller shows them (appstate::ReportProblems).
using StorageProblems = std::vector<StorageResult>;

} // namespace storage
