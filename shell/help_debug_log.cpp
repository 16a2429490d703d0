#include "shell/help_debug_log.h"

#include "platform/cp1250.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryFile>
#include <memory>

#ifndef TARVELIN_VERSION
#define TARVELIN_VERSION "0"
#endif

namespace shell {

namespace {

HelpEnvironment &environment()
{
    static HelpEnvironment env;
    return env;
}

std::unique_ptr<TDLogFile> &theLog()
{
    static std::unique_ptr<TDLogFile> log;
    return log;
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString yesNo(bool b)
{
    return b ? QStringLiteral("YES") : QStringLiteral("NO");
}

// "Linux 6.1 (Build 0) Debian GNU/Linux 12 (bookworm)": the kernel where Windows names its
// version and build, the distribution where it names its service pack.
QString operatingSystem()
{
    const QStringList numbers = QSysInfo::kernelVersion().split(QRegularExpression(QStringLiteral("[^0-9]+")));
    auto number = [&](int i) { return numbers.value(i).toInt(); };
    QString name = QSysInfo::kernelType();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    QString pack = QSysInfo::prettyProductName();
    if (pack.isEmpty())
        pack = QStringLiteral("No Service Pack");
    return QStringLiteral("%1 %2.%3 (Build %4) %5").arg(name).arg(number(0)).arg(number(1)).arg(number(2)).arg(pack);
}

} // namespace

// ---- the log file --------------------------------------------------------------------

TDLogFile::TDLogFile(const QString &fileName, bool enabled, bool timeStamps, bool writeHeader, bool append)
    : Enabled(enabled), TimeStamps(timeStamps), WriteHeader(writeHeader), Append(append)
{
    QString name = fileName;
    if (name.isEmpty())
        name = environment().LogFolder + QStringLiteral("/HHDebug.txt");
    const QFileInfo fi(name);
    // The log folder of the module was found writable (or is the temporary folder) when the
    // module started: no second probe for it.
    const bool logFolder = !environment().LogFolder.isEmpty() && fi.absolutePath() == environment().LogFolder;
    if (!logFolder && (!fi.dir().exists() || !FolderWritable(fi.absolutePath())))
        name = TempFolder() + QLatin1Char('/') + fi.fileName();
    FileName = name;
    // A read-only log of an earlier run is replaced all the same.
    if (QFileInfo::exists(FileName))
        QFile::setPermissions(FileName, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    this->writeHeader();
}

void TDLogFile::writeHeader() const
{
    if (QFileInfo::exists(FileName) && !Append)
        QFile::remove(FileName);
    if (!Enabled || !WriteHeader)
        return;
    const HelpEnvironment &env = environment();
    const QLocale system = QLocale::system();
    const QString tab = QStringLiteral("\t");
    const QStringList params = env.Arguments.mid(1);
    const QStringList lines = {
        QStringLiteral("="),
        QStringLiteral("!Log File:             ") + tab + FileName,
        QStringLiteral("!Date:                 ") + tab +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        QStringLiteral("!Operating System:      ") + tab + operatingSystem(),
        QStringLiteral("!SysLocale.DefaultLCID: ") + tab +
            QStringLiteral("%1 (%2)").arg(system.name(), QLocale::languageToString(system.language())),
        QStringLiteral("!SysLocale.PriLangID:   ") + tab +
            QStringLiteral("%1 (%2)").arg(system.name().section(QLatin1Char('_'), 0, 0),
                                          QLocale::languageToString(system.language())),
        QStringLiteral("!SysLocale.SubLangID:   ") + tab +
            QStringLiteral("%1 (%2)").arg(system.name().section(QLatin1Char('_'), 1, 1),
                                          QLocale::territoryToString(system.territory())),
        QStringLiteral("!DecimalSeparator:      ") + tab + QLocale().decimalPoint(),
        QStringLiteral("-"),
        QStringLiteral("!EXE Path =          ") + tab + env.Arguments.value(0),
        QStringLiteral("!EXE Version =       ") + tab + QStringLiteral(TARVELIN_VERSION),
        QStringLiteral("!Cmdline Param(s) =  ") + tab + params.join(QStringLiteral(" | ")),
        QStringLiteral("!Actual CmdLine =  ") + tab + env.Arguments.join(QLatin1Char(' ')),
        QStringLiteral("!_RunDir =           ") + tab + env.RunDir,
        QStringLiteral("!_ModuleName =       ") + tab + env.ModuleName,
        QStringLiteral("!_ModuleDir =        ") + tab + env.ModuleDir,
        QStringLiteral("!_ModulePath =        ") + tab + env.ModulePath,
        QStringLiteral("!Module Version =       ") + tab + QStringLiteral(TARVELIN_VERSION),
        QStringLiteral("-"),
        QStringLiteral("!_hhInstalled =      ") + tab + yesNo(env.hhInstalled),
        QStringLiteral("!_hhVerStr =         ") + tab + env.hhVerStr,
        QStringLiteral("!_hhFriendlyVerStr = ") + tab + env.hhFriendlyVerStr,
        QStringLiteral("-"),
        QStringLiteral("!_ieInstalled =      ") + tab + yesNo(env.ieInstalled),
        QStringLiteral("!_ieVerStr =         ") + tab + env.ieVerStr,
        QStringLiteral("!_ieFriendlyVerStr = ") + tab + env.ieFriendlyVerStr,
        QStringLiteral("="),
    };
    for (const QString &line : lines)
        WriteLine(line);
}

void TDLogFile::WriteLine(const QString &text) const
{
    QFile f(FileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QString line = text;
    if (line == QLatin1String("-") || line == QLatin1String("="))
        line = QString(80, line[0]);
    if (line.startsWith(QLatin1Char('!')) || line.startsWith(QLatin1Char('-')) || line.startsWith(QLatin1Char('=')))
        line.remove(0, 1);
    else if (TimeStamps)
        line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("   ") + line;
    f.write(platform::EncodeCp1250(line + QStringLiteral("\r\n")));
}

// ---- the module ----------------------------------------------------------------------

void InitHelpDebugLog(bool debugMode, const QStringList &arguments, const QString &helpViewer)
{
    HelpEnvironment &env = environment();
    env = HelpEnvironment();
    env.ModulePath = platform::ExecutablePath();
    env.ModuleDir = withoutTrailingSeparator(platform::ProgramFolder());
    env.ModuleName = QFileInfo(env.ModulePath).fileName();
    env.RunDir =
        arguments.isEmpty() ? env.ModuleDir : withoutTrailingSeparator(QFileInfo(arguments.first()).absolutePath());
    env.LogFolder = FolderWritable(env.ModuleDir) ? env.ModuleDir : TempFolder();
    env.DebugMode = debugMode;
    env.Arguments = arguments;
    env.hhVerStr = helpViewer;
    env.hhInstalled = !helpViewer.isEmpty();
    env.hhFriendlyVerStr = env.hhInstalled ? QFileInfo(helpViewer).fileName() : QString();
    env.ieVerStr = QString::fromLatin1(qVersion());
    env.ieInstalled = true;
    env.ieFriendlyVerStr = QStringLiteral("QTextBrowser (Qt %1)").arg(env.ieVerStr);
    theLog() =
        std::make_unique<TDLogFile>(env.LogFolder + QStringLiteral("/HHDebug.txt"), debugMode, true, true, false);
}

const HelpEnvironment &HelpLogEnvironment()
{
    return environment();
}

void DebugOut(const QString &text)
{
    if (theLog() && theLog()->Enabled)
        theLog()->WriteLine(text);
}

void FinishHelpDebugLog()
{
    theLog().reset();
}

QString TempFolder()
{
    const QString temp = withoutTrailingSeparator(QDir::tempPath());
    return QFileInfo(temp).isDir() ? temp : QStringLiteral("/tmp");
}

bool FolderWritable(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tarvelin_probe_XXXXXX")));
    return probe.open();
}

} // namespace shell
