#include "reportengine/expr_functions_library.h"

#include "reportengine/expr_functions.h"
#include "reportengine/expr_functions_environment.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QTime>

namespace reportengine {

void TVRLibrary::Register(TVRFunctionFactory elementClass, const QString &name, const QString &description,
                          const QString &vendor, const QString &argumentCode)
{
    auto entry = std::make_unique<TVRLibraryEntry>();
    entry->Description = description;
    entry->ArgumentCode = argumentCode;
    entry->ElementClass = elementClass;
    entry->Name = name.toUpper();
    entry->Vendor = vendor;
    if (!m_index.contains(entry->Name))
        m_index.insert(entry->Name, static_cast<int>(m_entries.size()));
    m_entries.push_back(std::move(entry));
}

const TVRLibraryEntry *TVRLibrary::Find(const QString &upperName) const
{
    const auto it = m_index.constFind(upperName);
    return it == m_index.cend() ? nullptr : m_entries[static_cast<size_t>(*it)].get();
}

const TVRLibraryEntry *TVRLibrary::Entry(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].get();
}

QStringList TVRLibrary::Names() const
{
    QStringList names;
    for (const auto &e : m_entries)
        names << e->Name;
    return names;
}

QStringList FunctionCategories()
{
    return {QStringLiteral("All"),      QStringLiteral("Date & time"), QStringLiteral("Math & trig"),
            QStringLiteral("Statistical"), QStringLiteral("Database"), QStringLiteral("Logical"),
            QStringLiteral("Information"), QStringLiteral("Other")};
}

QChar ArgumentSeparator()
{
    return QLatin1Char(',');
}

namespace {

std::unique_ptr<TVRFunctionLibrary> g_library;

template <typename T> std::unique_ptr<TVREvElementFunction> make()
{
    return std::make_unique<T>();
}

// A value for a quoted string constant: a quote inside would end the literal early.
QString quoted(QString text)
{
    text.remove(QLatin1Char('\''));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

TVRFunctionLibrary *GlobalFunctionLibrary()
{
    return g_library.get();
}

void RegisterExpressionFunctions()
{
    if (g_library)
        return;
    auto library = std::make_unique<TVRFunctionLibrary>();
    const QString vendor = QStringLiteral("Tarvelin");
    struct Builtin
    {
        TVRFunctionFactory create;
        const char *name;
        const char *description;
        const char *code;
    };
    static const Builtin builtins[] = {
        {make<TVREvIfFunction>, "IF", "IF(<Exp>, <X>, <Y>)|Returns <X> or <Y> depending on the boolean expression <Exp>", "5BVV"},
        {make<TVREvStrFunction>, "STR", "STR(<X>)|Convert a numeric <X> to a string", "7N"},
        {make<TVREvUpperFunction>, "UPPER", "UPPER(<X>)|Converts a string to upper case letters", "7S"},
        {make<TVREvLowerFunction>, "LOWER", "LOWER(<X>)|Converts a string to lower case letters", "7S"},
        {make<TVREvPrettyFunction>, "PRETTY", "PRETTY(<X>)|Makes the first character upper case and the rest lower case", "7S"},
        {make<TVREvTimeFunction>, "TIME", "TIME|Return current time as a string", "1"},
        {make<TVREvDateFunction>, "DATE", "DATE|Return current date as a string", "1"},
        {make<TVREvCopyFunction>, "COPY", "COPY(<X>, <St>,<Len>)|Returns a substring of string X", "7SNN"},
        {make<TVREvSumFunction>, "SUM", "SUM(<X>)|Sums the numeric <X>", "3N"},
        {make<TVREvCountFunction>, "COUNT", "COUNT|Increments for each iteration", "3"},
        {make<TVREvMaxFunction>, "MAX", "MAX(<X>)|Returns the highest <X>", "3V"},
        {make<TVREvMinFunction>, "MIN", "MIN(<X>)|Returns the lowest <X>", "3V"},
        {make<TVREvAverageFunction>, "AVERAGE", "AVERAGE(<X>)|Returns the average of numeric <X>", "3N"},
        {make<TVREvTrue>, "TRUE", "TRUE|boolean value", "5"},
        {make<TVREvFalse>, "FALSE", "FALSE|boolean value", "5"},
        {make<TVREvIntFunction>, "INT", "INT(<X>)|Returns the integer part of <X>", "2N"},
        {make<TVREvFracFunction>, "FRAC", "FRAC(<X>)|Returns the fractional part of <X>", "2N"},
        {make<TVREvSQRTFunction>, "SQRT", "SQRT(<X>)|Returns square root of <X>", "2N"},
        {make<TVREvDivFunction>, "DIV", "DIV(<X>, <Y>) | Integer division of <X> by <Y>", "2NN"},
        {make<TVREvTypeOfFunction>, "TYPEOF", "TYPEOF(<Exp>)|Returns the data type of <Exp>", "6N"},
        {make<TVREvFormatNumericFunction>, "FORMATNUMERIC", "FORMATNUMERIC(<F>,<N>)|Formats numeric <N> using the mask in <F>", "7SN"},
    };
    for (const Builtin &b : builtins)
        library->Register(b.create, QString::fromLatin1(b.name), QString::fromLatin1(b.description), vendor,
                          QString::fromLatin1(b.code));
    g_library = std::move(library);

    // The desktop's own regional forms: this runs before the program fixes its formats,
    // and QLocale::system() is not affected by that anyway.
    auto environment = std::make_unique<TVREvEnvironment>();
    const QLocale system = QLocale::system();
    environment->AddFunction(QStringLiteral("AppStartTime"), quoted(system.toString(QTime::currentTime(), QLocale::ShortFormat)));
    environment->AddFunction(QStringLiteral("AppStartDate"), quoted(system.toString(QDate::currentDate(), QLocale::ShortFormat)));
    QString appName = QCoreApplication::applicationName();
    if (appName.isEmpty())
        appName = QStringLiteral("Tarvelin");
    environment->AddFunction(QStringLiteral("AppName"), quoted(appName));
    detail::SetGlobalEnvironment(std::move(environment));
}

void ReleaseExpressionFunctions()
{
    detail::SetGlobalEnvironment(nullptr);
    g_library.reset();
}

} // namespace reportengine
