// Printing to a real print queue. Each test starts a CUPS daemon of its own, with its
// configuration, spool and a PDF queue in a temporary folder (the queue writes what it
// is sent, through CUPS's pdftopdf filter, into a file there), then runs the printing
// side in a child process that talks to that daemon only. The tests are skipped, with
// the reason, only where the daemon cannot be started.

#include "composite_script.h"
#include "preview_helpers.h"

#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_printer.h"

#include "tests/support/fakes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

const QString kQueue = QStringLiteral("TarvelinPDF");

// A PDF printer description: pages go through pdftopdf and out unchanged as PDF.
const char kPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TARVPDF.PPD"
*Manufacturer: "Tarvelin"
*Product: "(Tarvelin PDF)"
*ModelName: "Tarvelin PDF"
*NickName: "Tarvelin PDF"
*ShortNickName: "Tarvelin PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)PPD";

QString Sbin(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/sbin")});
}

bool WriteText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

class CupsDaemon
{
public:
    ~CupsDaemon()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate(); // this process's own daemon, by its id
            if (!m_cupsd.waitForFinished(5000)) {
                m_cupsd.kill();
                m_cupsd.waitForFinished(2000);
            }
        }
    }

    // Empty on success, else why the daemon could not be started.
    QString Start()
    {
        const QString cupsd = Sbin("cupsd");
        const QString lpadmin = Sbin("lpadmin");
        if (cupsd.isEmpty() || lpadmin.isEmpty())
            return QStringLiteral("cupsd or lpadmin is not installed (tools/deps.sh installs cups)");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        const QDir d(m_dir.path());
        for (const char *sub : {"etc/ppd", "spool/tmp", "cache", "state", "log", "out"})
            d.mkpath(QString::fromLatin1(sub));
        // The daemon's helpers run as another user: they must reach the folder and
        // write the printed file.
        QFile::setPermissions(d.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(d.filePath("out"), QFile::Permissions(0x7777));
        m_socket = d.filePath("cups.sock");
        OutputFile = d.filePath("out/tarvelin.pdf");
        const QString conf = d.filePath("etc/cupsd.conf");
        const QString files = d.filePath("etc/cups-files.conf");
        const bool written =
            WriteText(conf, QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\nBrowsing No\n"
                                           "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                                           "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                           "  </Limit>\n</Policy>\n")
                                .arg(m_socket)
                                .toUtf8()) &&
            WriteText(files, QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                            "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                                            "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                            "FileDevice Yes\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
                                 .arg(d.path())
                                 .toUtf8()) &&
            WriteText(d.filePath("tarvelin-pdf.ppd"), QByteArray(kPpd));
        if (!written)
            return QStringLiteral("the daemon's configuration could not be written");
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
        if (!m_cupsd.waitForStarted(5000))
            return QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        for (int i = 0; i < 100 && !QFileInfo::exists(m_socket); ++i) {
            if (m_cupsd.waitForFinished(50))
                return QStringLiteral("cupsd stopped: ") + QString::fromLocal8Bit(m_cupsd.readAll()) + ErrorLog();
        }
        if (!QFileInfo::exists(m_socket))
            return QStringLiteral("cupsd made no socket: ") + ErrorLog();
        const QString added = Admin({QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                                     QStringLiteral("file://") + OutputFile, QStringLiteral("-P"),
                                     d.filePath("tarvelin-pdf.ppd")});
        if (!added.isEmpty())
            return QStringLiteral("the PDF queue could not be added: ") + added;
        return QString();
    }

    // Runs lpadmin against this daemon; empty on success, else its output.
    QString Admin(const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(Sbin("lpadmin"), args);
        p.waitForFinished(20000);
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? QString()
                                                                           : QString::fromLocal8Bit(p.readAll());
    }

    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), m_socket);
        return env;
    }

    // Runs one test of this file in a child process that prints through this daemon.
    void RunChild(const char *test, const QString &folder) const
    {
        QProcessEnvironment env = Environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TARVELIN_CUPS_QUEUE"), kQueue);
        env.insert(QStringLiteral("TARVELIN_CUPS_FOLDER"), folder);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=CupsChild.") + QLatin1String(test)});
        ASSERT_TRUE(child.waitForFinished(90000));
        const QString out = QString::fromLocal8Bit(child.readAll());
        ASSERT_EQ(child.exitCode(), 0) << out.toStdString();
        ASSERT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
    }

    // Waits for the queue to have written a PDF of the given number of pages.
    bool WaitForOutput(int pages) const
    {
        return SpinUntil([&] { return QFileInfo(OutputFile).size() > 0 && PdfPageCount(OutputFile) == pages; },
                         30000);
    }

    QString ErrorLog() const
    {
        QFile f(QDir(m_dir.path()).filePath("log/error_log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000)) : QString();
    }

    QString Folder() const { return m_dir.path(); }
    QString OutputFile;

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_socket;
};

// The child side runs only when a parent test started it.
bool InChild()
{
    return !qEnvironmentVariableIsEmpty("TARVELIN_CUPS_QUEUE");
}

QString ChildQueue()
{
    return qEnvironmentVariable("TARVELIN_CUPS_QUEUE");
}

QString ChildFolder()
{
    return qEnvironmentVariable("TARVELIN_CUPS_FOLDER");
}

QList<QStringList> ThreePages()
{
    return {{QStringLiteral("Karta badań i pomiarów – strona 1 z 3"), QStringLiteral("Zażółć gęślą jaźń")},
            {QStringLiteral("Karta badań i pomiarów – strona 2 z 3"), QStringLiteral("ŁÓDŹ, ŚWIĘTOKRZYSKIE")},
            {QStringLiteral("Karta badań i pomiarów – strona 3 z 3"), QStringLiteral("Hałas: źródło ciągłe")}};
}

#define START_DAEMON(daemon)                                                                                    \
    CupsDaemon daemon;                                                                                          \
    if (const QString why = daemon.Start(); !why.isEmpty())                                                     \
    GTEST_SKIP() << "no CUPS daemon could be started here: " << why.toStdString()

} // namespace

// ---------------------------------------------------------------------------------------
// Child side: prints through the daemon named in the environment.

TEST(CupsChild, PrintsThreePagesThroughThePrintDialog)
{
    if (!InChild())
        GTEST_SKIP() << "run by CupsPrinting.ThreePageDocumentComesOutOfTheQueue";
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(ChildQueue()));
    testsupport::ScriptedDialogs dialogs;
    testsupport::ScriptedPrompter boxes;
    TVRPrinter printer;
    printer.Title = QStringLiteral("Karta badań");
    ProducePages(printer, ThreePages());
    auto *w = new TVRStandardPreview(&printer);
    w->show();
    dialogs.steps << [](QDialog &d) {
        auto &pd = dynamic_cast<QPrintDialog &>(d);
        pd.printer()->setOutputFormat(QPrinter::NativeFormat);
        pd.printer()->setPrinterName(ChildQueue());
        pd.printer()->setPrintRange(QPrinter::AllPages);
        return int(QDialog::Accepted);
    };
    w->PrintSetup->click();
    EXPECT_EQ(printer.PrinterSettings().Device, ChildQueue());
    w->Print->click();
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('\n').toStdString();
    w->close();
}

TEST(CupsChild, WalksTheCompositePreviewAndPrintsToAPdfFileAndTheQueue)
{
    if (!InChild())
        GTEST_SKIP() << "run by CupsPrinting.CompositePreviewScriptPrintsToAPdfFileAndTheQueue";
    std::vector<std::unique_ptr<PageProducer>> reports;
    for (const QList<QStringList> &pages : ScriptReportPages())
        reports.push_back(std::make_unique<PageProducer>(pages));
    TVRCompositeReport composite;
    composite.PrinterSettings.PaperSize = TVRPaperSize::A4;
    composite.ReportTitle = QStringLiteral("Dokument złożony");
    composite.OnAddReports = [&](TVRCompositeReport &c) {
        c.Reports.clear();
        for (auto &r : reports)
            c.Reports.push_back(r.get());
    };
    const ScriptResult result = RunCompositePreviewScript(composite, ChildFolder(), ChildQueue());
    ASSERT_TRUE(result.ran);
    EXPECT_TRUE(result.failure.isEmpty()) << result.failure.toStdString();
    EXPECT_TRUE(result.printedToQueue);
    EXPECT_EQ(result.pdf, QDir(ChildFolder()).filePath(QStringLiteral("strony_2-3.pdf")));
}

TEST(CupsChild, AQueueThatDisappearsIsNamedAndNothingIsPrinted)
{
    if (!InChild())
        GTEST_SKIP() << "run by CupsPrinting.AQueueThatDisappearsBeforePrintingPrintsNothing";
    testsupport::ScriptedDialogs dialogs;
    testsupport::ScriptedPrompter boxes;
    TVRPrinter printer;
    ProducePages(printer, ThreePages());
    auto *w = new TVRStandardPreview(&printer);
    w->show();
    dialogs.steps << ChooseDestination(QString(), ChildQueue(), 1, 3);
    w->PrintSetup->click();
    // The queue goes between choosing it and printing.
    QProcess lpadmin;
    lpadmin.start(Sbin("lpadmin"), {QStringLiteral("-x"), ChildQueue()});
    ASSERT_TRUE(lpadmin.waitForFinished(20000));
    ASSERT_EQ(lpadmin.exitCode(), 0);
    w->Print->click();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains(ChildQueue())) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(w->Print->isEnabled()); // the preview goes on
    w->close();
}

// ---------------------------------------------------------------------------------------
// Parent side: the daemon, and what came out of the queue.

TEST(CupsPrinting, ThreePageDocumentComesOutOfTheQueue)
{
    if (InChild())
        GTEST_SKIP();
    START_DAEMON(cups);
    cups.RunChild("PrintsThreePagesThroughThePrintDialog", cups.Folder());
    ASSERT_TRUE(cups.WaitForOutput(3)) << cups.ErrorLog().toStdString();
    const QString text = PdfText(cups.OutputFile);
    for (const QStringList &page : ThreePages())
        for (const QString &line : page)
            EXPECT_TRUE(text.contains(line)) << line.toStdString() << " in " << text.toStdString();
    EXPECT_TRUE(RunTool(Tool("pdfinfo"), {cups.OutputFile}).contains(QStringLiteral("(A4)")));
}

TEST(CupsPrinting, CompositePreviewScriptPrintsToAPdfFileAndTheQueue)
{
    if (InChild())
        GTEST_SKIP();
    START_DAEMON(cups);
    QTemporaryDir files;
    cups.RunChild("WalksTheCompositePreviewAndPrintsToAPdfFileAndTheQueue", files.path());
    CheckPdfOfPagesTwoAndThree(QDir(files.path()).filePath(QStringLiteral("strony_2-3.pdf")));
    ASSERT_TRUE(cups.WaitForOutput(2)) << cups.ErrorLog().toStdString();
    CheckPdfOfPagesTwoAndThree(cups.OutputFile);
}

TEST(CupsPrinting, AQueueThatDisappearsBeforePrintingPrintsNothing)
{
    if (InChild())
        GTEST_SKIP();
    START_DAEMON(cups);
    cups.RunChild("AQueueThatDisappearsIsNamedAndNothingIsPrinted", cups.Folder());
    QThread::msleep(500);
    EXPECT_FALSE(QFileInfo::exists(cups.OutputFile));
}
