#include "platform/cp1250.h"
#include "shell/help_debug_log.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace shell;
using testsupport::FixtureFolder;

namespace {

QStringList logLines(const FixtureFolder &fx)
{
    const QByteArray bytes = fx.Read("HHDebug.txt");
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = platform::DecodeCp1250(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace

TEST(HelpDebugLog, WithoutDebugModeAnOldLogGoesAndNoneIsWritten)
{
    FixtureFolder fx;
    fx.Write("HHDebug.txt", "z poprzedniego uruchomienia\r\n");
    InitHelpDebugLog(false, {"/opt/Tarvelin/Tarvelin"}, QString());
    EXPECT_FALSE(fx.Exists("HHDebug.txt"));
    DebugOut(QStringLiteral("ShowContext(\"Tarvelin.chm\", 1000)"));
    EXPECT_FALSE(fx.Exists("HHDebug.txt"));
    EXPECT_TRUE(QDir(fx.Path()).entryList(QDir::Files | QDir::Hidden).isEmpty()); // the probe left nothing
    FinishHelpDebugLog();
}

TEST(HelpDebugLog, HeaderSeparatorsTimesAndCodePage)
{
    FixtureFolder fx;
    fx.Write("HHDebug.txt", "stary\r\n");
    QFile::setPermissions(fx.FilePath("HHDebug.txt"), QFileDevice::ReadOwner); // a read-only old log
    InitHelpDebugLog(true, {"/opt/Tarvelin/Tarvelin", "/DEBUG", "x y"}, QStringLiteral("/usr/bin/xchm"));
    DebugOut(QStringLiteral("HHShowError(1), \"Zażółć\""));
    DebugOut(QStringLiteral("!bez czasu"));
    DebugOut(QStringLiteral("-"));
    FinishHelpDebugLog();
    DebugOut(QStringLiteral("po zamknięciu")); // nothing after the module has ended

    const QStringList lines = logLines(fx);
    ASSERT_GE(lines.size(), 30);
    EXPECT_EQ(lines.first(), QString(79, '='));
    EXPECT_EQ(lines[1], QStringLiteral("Log File:             \t") + fx.FilePath("HHDebug.txt"));
    EXPECT_TRUE(lines.contains(QString(79, '-')));
    EXPECT_TRUE(lines.contains(QStringLiteral("DecimalSeparator:      \t.")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Cmdline Param(s) =  \t/DEBUG | x y")));
    EXPECT_TRUE(lines.contains(QStringLiteral("_ModuleDir =        \t") + fx.Path()));
    EXPECT_TRUE(lines.contains(QStringLiteral("_RunDir =           \t/opt/Tarvelin")));
    EXPECT_TRUE(lines.contains(QStringLiteral("_hhInstalled =      \tYES")));
    EXPECT_TRUE(lines.contains(QStringLiteral("_hhVerStr =         \t/usr/bin/xchm")));
    EXPECT_TRUE(lines.contains(QStringLiteral("_hhFriendlyVerStr = \txchm")));
    EXPECT_TRUE(lines.contains(QStringLiteral("_ieInstalled =      \tYES")));
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("stary")));
    const int end = lines.lastIndexOf(QString(79, '='));
    ASSERT_EQ(lines.size(), end + 4);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d   HHShowError\\(1\\), \"Zażółć\"$"))
                    .match(lines[end + 1])
                    .hasMatch())
        << lines[end + 1].toStdString();
    EXPECT_EQ(lines[end + 2], QStringLiteral("bez czasu"));
    EXPECT_EQ(lines[end + 3], QString(79, '-'));
    EXPECT_TRUE(fx.Read("HHDebug.txt").contains("\xBF\xF3\xB3\xE6")); // "żółć" in Windows-1250
}

TEST(HelpDebugLog, LogInAMissingFolderGoesToTheTemporaryFolder)
{
    FixtureFolder fx;
    InitHelpDebugLog(false, {}, QString());
    TDLogFile log(fx.FilePath("nie ma/HHDebug.txt"), true, false, false, false);
    EXPECT_EQ(log.FileName, TempFolder() + QStringLiteral("/HHDebug.txt"));
    EXPECT_FALSE(TempFolder().endsWith('/'));
    EXPECT_TRUE(FolderWritable(TempFolder()));
    EXPECT_FALSE(FolderWritable(fx.FilePath("nie ma")));
    FinishHelpDebugLog();
}
