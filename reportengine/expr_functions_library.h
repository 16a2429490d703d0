#pragma once

// The function library: the functions an expression may call, registered by name. One
// global library serves every evaluator of the program; it is filled at start-up.

#include "reportengine/evaluator.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace reportengine {

using TVRFunctionFactory = std::unique_ptr<TVREvElementFunction> (*)();

struct TVRLibraryEntry
{
    QString Description;  // prototype, "|", then the description text
    QString ArgumentCode; // category digit, then B/N/S/V per argument
    TVRFunctionFactory ElementClass = nullptr;
    QString Name;         // upper case
    QString Vendor;

    // A new element of the registered class, one per call site.
    std::unique_ptr<TVREvElementFunction> Create() const { return ElementClass(); }
};

class TVRLibrary
{
public:
    virtual ~TVRLibrary() = default;
    void Register(TVRFunctionFactory elementClass, const QString &name, const QString &description,
                  const QString &vendor, const QString &argumentCode);
    // The entry of a name (upper case), the first registered when a name is there twice.
    const TVRLibraryEntry *Find(const QString &upperName) const;
    // The entry at an index in registration order; null past the end.
    const TVRLibraryEntry *Entry(int index) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    QStringList Names() const;

private:
    std::vector<std::unique_ptr<TVRLibraryEntry>> m_entries;
    QHash<QString, int> m_index;
};

class TVRFunctionLibrary : public TVRLibrary
{
};

// The categories of the argument code's first digit.
QStringList FunctionCategories();

// The argument separator of function calls.
QChar ArgumentSeparator();

// The global library and environment; null before registration and after release.
TVRFunctionLibrary *GlobalFunctionLibrary();

// Start-up of the report engine's expressions: makes the global library with the 21
// built-in functions and the global environment with AppStartTime, AppStartDate and
// AppName (the desktop's regional time and date of start, the application's name). A
// second call does nothing.
void RegisterExpressionFunctions();
// End of the program: destroys the global environment, then the library.
void ReleaseExpressionFunctions();

} // namespace reportengine
