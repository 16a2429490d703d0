// Reading a generated chemical catalogue of 1,000 substances, and reading then rewriting
// the measurement files of a workstation with 40 factors and 2,000 measurements (10
// substances sharing one file, 30 factors with files of their own, 40 form fields each).
#include "bench/bench_support.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "storage/catalogue_files.h"
#include "storage/factors.h"
#include "storage/form_definition_files.h"
#include "storage/measurement_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace storage;

namespace {

void writeLines(const QString &root, const QString &rel, const QStringList &lines)
{
    const QString path = QDir(root).filePath(rel);
    QDir().mkpath(QFileInfo(path).absolutePath());
    platform::WriteLinesCp1250(path, lines);
}

QStringList catalogue(int substances)
{
    QStringList l{"<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>",
                  "<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">"};
    for (int i = 0; i < substances; ++i) {
        l << QString(" <czynnik id=\"%1\" nazwa=\"Substancja chemiczna nr %1 – związek żrący\">").arg(80001 + i);
        l << QString("  <param nds=\"%1\" ndsch=\"%2\" ndsp=\"-1\" typ=\"%3\" nrcas=\"%4-%5-1\" nrkarty=\"\" aktualny=\"%6\" "
                     "typh=\"%7\" zwroth=\"H225, H319, H336\">")
                 .arg(i % 97 + 0.5)
                 .arg(i % 13 == 0 ? QString("-1") : QString::number(i % 50 + 1))
                 .arg(i % 512)
                 .arg(100 + i)
                 .arg(i % 100)
                 .arg(i % 7 == 0 ? 0 : 1)
                 .arg(i % 5 == 0 ? -1 : i * 37 % 1048576);
        l << " </czynnik>";
    }
    l << "</czynchem>";
    return l;
}

QStringList form(const QString &root, int fields)
{
    QStringList l{"<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>",
                  "<" + root + " ver=\"1\" function=\"x_Pomiar_01\">", "<page nr=\"1\" nazwa=\"Pomiar\">"};
    for (int i = 0; i < fields; ++i) {
        if (i % 4 == 0)
            l << "<wiersz szerkol=\"120\">";
        const char *kind = i % 10 == 0 ? "combo" : i % 10 == 1 ? "memo" : i % 10 == 2 ? "label" : "edit";
        l << QString("<pole nazwa=\"Pole%1\" typ=\"%2\" etyk=\"Etykieta %1\" onexit=\"T\">0</pole>").arg(i).arg(kind);
        if (i % 4 == 3 || i == fields - 1)
            l << "</wiersz>";
    }
    l << "</page>" << "</" + root + ">";
    return l;
}

double ms(QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// Processor time of this process: the part of a write that is ours, without the wait for the
// disk that every atomic save includes.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    bench::ReadMode(argc, argv);
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    platform::SetProgramFolder(dir.path());
    writeLines(dir.path(), "poradn/czynchem.xml", catalogue(1000));

    // Catalogue panel read: every entry, then a search.
    const int rounds = bench::Sized(20, 2);
    std::vector<double> reads;
    size_t listed = 0;
    for (int r = 0; r < rounds; ++r) {
        ChemicalFilter all;
        all.currentOnly = false;
        QElapsedTimer t;
        t.start();
        listed = ReadChemicalCatalogue(ChemicalCataloguePath(), all, "1.0").size();
        reads.push_back(ms(t));
    }
    std::sort(reads.begin(), reads.end());
    ChemicalFilter search;
    search.search = "NR 80100 – ZWIĄZEK";
    QElapsedTimer ts;
    ts.start();
    const size_t found = ReadChemicalCatalogue(ChemicalCataloguePath(), search, "1.0").size();
    const double searchMs = ms(ts);
    bench::Require(listed == 1000 && found >= 1, "the catalogue read whole and searched");
    std::printf("chemical catalogue, 1000 substances: read %.2f / %.2f ms (best / median of %d), %zu listed; search %.2f ms, %zu found\n",
                reads.front(), reads[rounds / 2], rounds, listed, searchMs, found);

    // A workstation: 10 substances in the shared chemical file, 30 factors with files of their own.
    const int fieldCount = 40;
    writeLines(dir.path(), "zaklocen/frm/chemiczny_frm_1.xml", form("chemiczny_frm", fieldCount));
    std::vector<std::unique_ptr<TCzynnik>> factors;
    for (int i = 0; i < 40; ++i) {
        const bool chem = i < 10;
        const QString frm = chem ? QString("chemiczny") : QString("czynnik%1").arg(i);
        if (!chem)
            writeLines(dir.path(), "zaklocen/frm/" + frm + "_frm_1.xml", form(frm + "_frm", fieldCount));
        factors.push_back(std::make_unique<TCzynnik>(QString("Czynnik %1").arg(i), chem ? "chem" : "fiz",
                                                     chem ? 80001 + i : 30001 + i, "1.0", frm, "T", "T"));
    }
    const QString folder = "dane\\stan_1\\";
    QDir().mkpath(QDir(dir.path()).filePath("dane/stan_1"));
    const QString forms = "zaklocen\\frm\\";
    int made = 0;
    for (auto &f : factors) {
        TPomiarList proto;
        ReadMeasurementForm(forms + FormDefinitionName(f->frm_dane, "1"), proto, f->id);
        for (int k = 0; k < bench::Sized(50, 3); ++k) {
            auto m = std::make_unique<TPomiarCzynn>(TMeasurementAttributes{
                .id = k + 1,
                .data = QString("20%1-%2-%3").arg(10 + k / 12).arg(k % 12 + 1, 2, 10, QChar('0')).arg(k % 28 + 1, 2, 10, QChar('0')),
                .mscPom = "Hala produkcyjna nr 2",
                .wykpom = "Laboratorium",
                .metpom = "PN-EN 689",
                .interwyn = "Wynik w normie\nbez uwag",
                .srodogrryz = "Wentylacja",
                .ver = "1",
                .ocenam = 10,
                .ocenak = 20,
                .ocenakc = 20,
                .ocenaml = 30,
                .ocenamax = 30,
                .ocenakon = 30,
            });
            m->Fields = CloneFields(proto);
            for (auto &p : m->Fields)
                p->Value = QString::number(k * 0.25 + p->Row());
            if (AddMeasurement(f->Measurements, std::move(m)))
                ++made;
        }
    }
    std::vector<const TCzynnik *> raw;
    for (auto &f : factors)
        raw.push_back(f.get());
    // First write creates the files.
    for (int i = 0; i < 40; ++i)
        WriteMeasurementFile(folder, factors[i]->frm_dane + "_dane", i < 10 ? std::vector<const TCzynnik *>(raw.begin(), raw.begin() + 10)
                                                                              : std::vector<const TCzynnik *>{raw[i]});
    std::vector<double> readTimes, writeTimes, readCpu, writeCpu;
    size_t readCount = 0;
    const int passes = bench::Sized(9, 1);
    for (int r = 0; r < passes; ++r) {
        // A workstation is loaded into new factor objects: the lists read before are freed
        // outside the measured read.
        for (auto &f : factors)
            f->Measurements.clear();
        QElapsedTimer t;
        double c0 = cpuMs();
        t.start();
        readCount = 0;
        for (auto &f : factors) {
            ReadMeasurements(folder, f->frm_dane, f->Measurements, f->id, forms);
            readCount += f->Measurements.size();
        }
        readTimes.push_back(ms(t));
        readCpu.push_back(cpuMs() - c0);
        c0 = cpuMs();
        t.restart();
        // Every file once: the shared chemical file with its ten blocks, then the others.
        WriteMeasurementFile(folder, "chemiczny_dane", std::vector<const TCzynnik *>(raw.begin(), raw.begin() + 10));
        for (int i = 10; i < 40; ++i)
            WriteMeasurementFile(folder, factors[i]->frm_dane + "_dane", {raw[i]});
        writeTimes.push_back(ms(t));
        writeCpu.push_back(cpuMs() - c0);
    }
    bench::Require(readCount == size_t(made), "every measurement written and read back");
    std::sort(readTimes.begin(), readTimes.end());
    std::sort(writeTimes.begin(), writeTimes.end());
    std::sort(readCpu.begin(), readCpu.end());
    std::sort(writeCpu.begin(), writeCpu.end());
    std::printf("workstation, 40 factors, %d measurements of %d fields, 31 files (%zu read back), best / median of %d:\n"
                "  read    %.1f / %.1f ms (processor %.1f / %.1f ms)\n"
                "  rewrite %.1f / %.1f ms (processor %.1f / %.1f ms)\n",
                made, fieldCount, readCount, passes, readTimes[0], readTimes[passes / 2], readCpu[0], readCpu[passes / 2],
                writeTimes[0], writeTimes[passes / 2], writeCpu[0], writeCpu[passes / 2]);
    return 0;
}
