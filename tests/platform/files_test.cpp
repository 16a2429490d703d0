#include "platform/cp1250.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace platform;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

TEST(Cp1250, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(EncodeCp1250(DecodeCp1250(all)), all);
}

TEST(Cp1250, PolishLettersDecodeAndEncode)
{
    const QString polish = QStringLiteral("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ „cudzysłów” – §");
    const QByteArray bytes = EncodeCp1250(polish);
    EXPECT_EQ(bytes.size(), polish.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xB9); // ą
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0xA5); // Ą
    EXPECT_EQ(DecodeCp1250(bytes), polish);
    EXPECT_TRUE(FitsCp1250(polish));
    EXPECT_FALSE(FitsCp1250(QStringLiteral("ß€✓")));
    EXPECT_EQ(EncodeCp1250(QStringLiteral("✓")), QByteArray("?"));
}

TEST(LineSplitting, LineEndsOfEveryKindAndNoPhantomLastLine)
{
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\r\n")), QStringList({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\nb")), QStringList({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\rb\r")), QStringList({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n\r\nb")), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\r\nb\r\r\n")), QStringList({"a", "b"})); // CR LF made CR CR LF
    EXPECT_EQ(SplitLines(QStringLiteral("jedna")), QStringList({"jedna"}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
}

TEST(TextFiles, WriteThenReadKeepsPolishTextAndCrLf)
{
    FixtureFolder fx;
    const QString path = fx.FilePath("a.xml");
    ASSERT_TRUE(WriteLinesCp1250(path, {QStringLiteral("<root nazwa=\"Łódź\">"), QStringLiteral("x\ny"), QStringLiteral("</root>")}));
    EXPECT_EQ(fx.Read("a.xml"), QByteArray("<root nazwa=\"\xa3\xf3\x64\x9f\">\r\nx\r\ny\r\n</root>\r\n"));
    auto lines = ReadLinesCp1250(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->size(), 4);
    EXPECT_EQ(lines->at(0), QStringLiteral("<root nazwa=\"Łódź\">"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(fx.Path()).entryList(QDir::Files), QStringList({"a.xml"}));
}

TEST(TextFiles, FailedWriteReturnsFalseQuietlyAndLeavesOldFile)
{
    FixtureFolder fx;
    ScriptedPrompter prompter;
    fx.Write("old.xml", "old bytes\r\n");
    // A folder standing where the file should be: the write cannot happen.
    QDir(fx.Path()).mkdir("busy.xml");
    EXPECT_FALSE(WriteLinesCp1250(fx.FilePath("busy.xml"), {"x"}));
    // A missing folder.
    EXPECT_FALSE(WriteLinesCp1250(fx.FilePath("nowhere/x.xml"), {"x"}));
    // The caller says what failed: the file layer shows nothing.
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(fx.Read("old.xml"), QByteArray("old bytes\r\n"));
    EXPECT_FALSE(ReadLinesCp1250(fx.FilePath("missing.xml")).has_value());
}

TEST(Paths, StoredPathsBecomeFilePathsWithCaseInsensitiveFallback)
{
    FixtureFolder fx;
    fx.Write("Zaklocen/FRM/Halas_frm_1.xml", "x");
    EXPECT_EQ(ToFilePath(QStringLiteral("Zaklocen\\FRM\\Halas_frm_1.xml")), fx.FilePath("Zaklocen/FRM/Halas_frm_1.xml"));
    EXPECT_EQ(ToFilePath(QStringLiteral("zaklocen\\frm\\halas_frm_1.xml")), fx.FilePath("Zaklocen/FRM/Halas_frm_1.xml"));
    EXPECT_TRUE(FileExists(QStringLiteral("ZAKLOCEN\\frm\\HALAS_FRM_1.XML")));
    EXPECT_FALSE(FileExists(QStringLiteral("zaklocen\\frm\\brak.xml")));
    EXPECT_TRUE(FolderExists(QStringLiteral("zaklocen\\frm")));
    EXPECT_EQ(JoinStoredPath(QStringLiteral("dane\\"), QStringLiteral("\\stan_1")), QStringLiteral("dane\\stan_1"));
    EXPECT_EQ(JoinStoredPath(QStringLiteral("dane"), QStringLiteral("stan_1")), QStringLiteral("dane\\stan_1"));
    EXPECT_EQ(JoinStoredPath(QString(), QStringLiteral("x.xml")), QStringLiteral("x.xml"));
}

TEST(IniFiles, KeepOrderCommentsAndForeignKeys)
{
    FixtureFolder fx;
    fx.Write("t.ini", "; komentarz\r\n[Inne]\r\nklucz=warto\x9c\xe6?\r\n[frmMain]\r\nfrmMain.Top=5\r\nfrmMain.Left=7\r\n");
    IniFile ini(fx.FilePath("t.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.KeyNames("frmMain"), QStringList({"frmMain.Top", "frmMain.Left"}));
    EXPECT_EQ(ini.ReadInteger("frmMain", "frmMain.Top", -1), 5);
    EXPECT_EQ(ini.ReadInteger("frmMain", "frmMain.Width", -9999), -9999);
    ini.WriteInteger("frmMain", "frmMain.Top", 12);
    ini.WriteInteger("frmMain", "pLeft.Width", 113);
    ini.WriteString("Nowa", "a", "b");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(fx.Read("t.ini"), QByteArray("; komentarz\r\n[Inne]\r\nklucz=warto\x9c\xe6?\r\n[frmMain]\r\nfrmMain.Top=12\r\n"
                                           "frmMain.Left=7\r\npLeft.Width=113\r\n[Nowa]\r\na=b\r\n"));
    IniFile missing(fx.FilePath("none.ini"));
    EXPECT_FALSE(missing.Load());
    EXPECT_TRUE(missing.KeyNames("frmMain").isEmpty());
}

TEST(TextFiles, AFileThatCannotBeReadIsNeverReplaced)
{
    FixtureFolder fx;
    ScriptedPrompter prompter;
    fx.Write("struktura_dane.xml", "entries the program could not read\r\n");
    QFile::setPermissions(fx.FilePath("struktura_dane.xml"), QFile::WriteOwner);
    const QByteArray answer = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        const bool written =
            WriteLinesCp1250(fx.FilePath("struktura_dane.xml"), {"<struktura_dane>", "</struktura_dane>"});
        return QByteArray(written ? "replaced" : "refused") + (prompter.boxes.isEmpty() ? "" : " with a box");
    });
    EXPECT_EQ(answer, "refused");
    QFile::setPermissions(fx.FilePath("struktura_dane.xml"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(fx.Read("struktura_dane.xml"), QByteArray("entries the program could not read\r\n"));
}
