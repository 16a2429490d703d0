// Reading a generated 10 MB text-XML file into lines (decode, split, cut) and writing it
// back; and the time from start-up to the main window shown (offscreen).
#include "app/startup.h"
#include "bench/bench_support.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "shell/frm_main.h"
#include "storage/text_xml.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray generate(qsizetype targetBytes)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n<stanowisko ver=\"1.1\">\r\n";
    int i = 0;
    while (out.size() < targetBytes) {
        out += "  <pomiar id=\"" + QByteArray::number(i) + "\" data=\"2009-03-05\" miejsce=\"Hala \xb9\xe6\xea\xb3\xf1\xf3\x9c\x9f\xbf\" wartosc=\"" +
               QByteArray::number(i * 0.37, 'g', 6) + "\">tekst pomiaru \xa5\xc6\xca\xa3</pomiar>\r\n";
        ++i;
    }
    out += "</stanowisko>\r\n";
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    bench::ReadMode(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARVELIN_SCRIPTED_BOXES", "1");
    QTemporaryDir dir;
    const QString path = dir.filePath("big.xml");
    const QByteArray data = generate(bench::Sized(10 * 1024 * 1024, 256 * 1024));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
    }
    const double mb = data.size() / (1024.0 * 1024.0);
    const int rounds = bench::Sized(5, 1);
    QElapsedTimer t;
    t.start();
    QStringList lines;
    for (int r = 0; r < rounds; ++r)
        lines = storage::ReadTextXmlLines(path, true);
    const double readSec = t.nsecsElapsed() / 1e9 / rounds;
    t.restart();
    for (int r = 0; r < rounds; ++r)
        platform::WriteLinesCp1250(dir.filePath("out.xml"), lines);
    const double writeSec = t.nsecsElapsed() / 1e9 / rounds;
    bench::Require(lines.size() > 1000 && QFileInfo(dir.filePath("out.xml")).size() >= data.size() * 9 / 10,
                   "the file read into lines and written back");
    std::printf("text-XML read : %.1f MB in %.1f ms = %.0f MB/s (%lld lines)\n", mb, readSec * 1000, mb / readSec,
                static_cast<long long>(lines.size()));
    std::printf("text-XML write: %.1f MB in %.1f ms = %.0f MB/s\n", mb, writeSec * 1000, mb / writeSec);

    // Start-up: application object to main window shown, on the shipped installation.
    QTemporaryDir installCopy;
    bench::UseInstallationCopy(installCopy);
    QElapsedTimer s;
    s.start();
    QApplication app(argc, argv);
    if (!app::RunModuleInitialisations(app.arguments()))
        return 1;
    app::CreateStartupWindows();
    shell::frmMain()->show();
    QApplication::processEvents();
    bench::Require(shell::frmMain()->isVisible(), "the main window shown");
    std::printf("start-up to main window shown: %.1f ms\n", s.nsecsElapsed() / 1e6);
    return 0;
}
