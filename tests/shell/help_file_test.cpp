#include "platform/cp1250.h"
#include "shell/help_topics.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <map>

using namespace shell;

namespace {

const QString kInstall = QStringLiteral(TARVELIN_INSTALL_DIR);

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The help file as another reader sees it: every file it holds, taken out by chmlib's
// extract_chmLib (package libchm-bin).
class ShippedHelpFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("extract_chmLib"));
        ASSERT_FALSE(tool.isEmpty()) << "extract_chmLib is missing: tools/deps.sh installs libchm-bin";
        QProcess p;
        p.start(tool, {kInstall + QStringLiteral("/Tarvelin.chm"), out.path()});
        ASSERT_TRUE(p.waitForFinished(20000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    }
    QByteArray extracted(const QString &name) const { return readFile(out.filePath(name)); }
    // Context number -> page name, from the file's context map.
    std::map<quint32, QString> contexts() const
    {
        const QByteArray ivb = extracted(QStringLiteral("#IVB"));
        const QByteArray strings = extracted(QStringLiteral("#STRINGS"));
        std::map<quint32, QString> map;
        EXPECT_GE(ivb.size(), 4);
        const quint32 length = qFromLittleEndian<quint32>(ivb.constData());
        EXPECT_EQ(length + 4, quint32(ivb.size()));
        for (qsizetype i = 4; i + 8 <= ivb.size(); i += 8) {
            const quint32 context = qFromLittleEndian<quint32>(ivb.constData() + i);
            const quint32 offset = qFromLittleEndian<quint32>(ivb.constData() + i + 4);
            map[context] = QString::fromLatin1(strings.mid(offset).constData());
        }
        return map;
    }
    QTemporaryDir out;
};

} // namespace

TEST_F(ShippedHelpFile, EveryTopicTheProgramAsksForOpensItsPage)
{
    const auto map = contexts();
    ASSERT_FALSE(HelpTopics().empty());
    for (const HelpTopicEntry &t : HelpTopics()) {
        ASSERT_TRUE(map.count(quint32(t.context))) << t.context;
        EXPECT_EQ(map.at(quint32(t.context)), QString::fromLatin1(t.page)) << t.context;
        // The page in the file is the installation's page, a Polish page in Windows-1250.
        const QByteArray page = extracted(QString::fromLatin1(t.page));
        EXPECT_EQ(page, readFile(kInstall + QStringLiteral("/pomoc/") + t.page)) << t.page;
        EXPECT_TRUE(page.contains("charset=windows-1250")) << t.page;
        EXPECT_FALSE(platform::DecodeCp1250(page).contains(QChar(0xFFFD))) << t.page;
    }
    EXPECT_EQ(map.at(MainWindowHelpContext), QStringLiteral("okno_glowne.html"));
    EXPECT_EQ(HelpTopicPage(9150), QStringLiteral("parametry_risk_score.html"));
    EXPECT_TRUE(platform::DecodeCp1250(extracted("stanowiska.html")).contains(QStringLiteral("Zatrudnienie")));
    // Its contents and index name every page; the navigation item "Podręcznik" opens the
    // same file.
    const QString contents = platform::DecodeCp1250(extracted("Tarvelin.hhc"));
    for (const HelpTopicEntry &t : HelpTopics())
        EXPECT_TRUE(contents.contains(QStringLiteral("value=\"%1\"").arg(QLatin1String(t.page)))) << t.page;
    EXPECT_TRUE(platform::DecodeCp1250(extracted("Tarvelin.hhk")).contains(QStringLiteral("praca wzbroniona")));
    EXPECT_EQ(readFile(kInstall + "/pomoc/Tarvelin.chm"), readFile(kInstall + "/Tarvelin.chm"));
}

TEST(HelpTopicsTable, NamesContextsAndPagesAreUnique)
{
    QStringList names, pages;
    QList<int> contexts;
    for (const HelpTopicEntry &t : HelpTopics()) {
        EXPECT_FALSE(contexts.contains(t.context));
        EXPECT_FALSE(names.contains(t.name));
        EXPECT_FALSE(pages.contains(t.page));
        contexts << t.context;
        names << t.name;
        pages << t.page;
        EXPECT_EQ(HelpContextOfName(t.name), t.context);
    }
    EXPECT_EQ(HelpContextOfName("pLeft"), 0);
    EXPECT_EQ(HelpContextOfName(""), 0);
    EXPECT_TRUE(HelpTopicPage(4242).isEmpty());
}

// The shipped pages and help file are what the tool makes of its table, byte for byte: a
// page changed by hand, or a row added without running the tool, shows here.
TEST(ShippedHelpPages, AreWhatTheToolMakes)
{
    QTemporaryDir made;
    QProcess p;
    p.start(QStringLiteral("python3"),
            {QStringLiteral(TARVELIN_SOURCE_DIR "/tools/make_help_pages.py"), QStringLiteral("--into"), made.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    const QStringList pages = QDir(made.filePath("pomoc")).entryList(QDir::Files);
    EXPECT_GE(pages.size(), int(HelpTopics().size()) + 2); // the topics, "O programie", the help file
    for (const QString &name : pages)
        EXPECT_EQ(readFile(made.filePath("pomoc/" + name)), readFile(kInstall + "/pomoc/" + name))
            << name.toStdString();
    EXPECT_EQ(readFile(made.filePath("Tarvelin.chm")), readFile(kInstall + "/Tarvelin.chm"));
}
