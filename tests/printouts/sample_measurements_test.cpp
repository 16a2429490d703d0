// The measurements shipped with the sample workstations (install/zaklocen/stan_N) are made
// the way a user makes them: the values below are typed into the real measurement window
// on the shipped forms, rated by the program's rules for the workstation's employment in
// the measurement's year, and written by the program's own writer. The test makes them
// again and compares them with the shipped files byte for byte, so what the samples show
// is what the program rates.
//
// After a change of the table, a form or a rule, write the files again with
//     TARVELIN_WRITE_SAMPLE_MEASUREMENTS=1 build/tests/tests_printouts --gtest_filter=SampleMeasurements.*

#include "tests/assessment/shipped_form_fixture.h"

#include <QFile>
#include <QRadioButton>

#include <map>
#include <vector>

using shippedforms::cbStanow;
using shippedforms::lbCzyn;
using shippedforms::lbPomiar;

namespace {

// A control and what the user does with it: "ed_" types the value, "cb_" chooses the item
// of that index, "ch_" clicks; a final rating button of the risk panel ("rbOcenaKonc...")
// is clicked.
struct Input
{
    const char *control;
    const char *value;
};

struct Sample
{
    const char *date;
    const char *place;
    const char *performer;
    const char *method;
    const char *interpretation;
    const char *measures;
    std::vector<Input> inputs;
};

struct SampleFactor
{
    const char *workstation; // its id
    int factorId;
    std::vector<Sample> measurements;
};

const char *const kLab = "Laboratorium Higieny Pracy";
const char *const kNoiseMethod = "PN-EN ISO 9612:2011, strategia pomiarowa oparta na zadaniach";
const char *const kChemMethod = "PN-Z-04008-7:2002, dozymetria indywidualna, chromatografia gazowa";
const char *const kGasMethod = "PN-Z-04008-7:2002, pomiar czujnikiem elektrochemicznym";
const char *const kDustMethod = "PN-Z-04030-05:1991 (frakcja wdychalna), PN-Z-04030-06:1991 (frakcja respirabilna)";
const char *const kVibrationMethod = "PN-EN 14253+A1:2011, pomiar przyspieszenia drgań na siedzisku";
const char *const kOk = "Wartości dopuszczalne nie zostały przekroczone.";
const char *const kExceeded = "Przekroczona wartość dopuszczalna.";
const char *const kNoLimit = "Ryzyka nie oszacowano: nie podano wartości dopuszczalnych.";

// The measurement files of a workstation folder (not its "stanowisko_dane.xml").
QStringList measurementFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList({QStringLiteral("*_dane.xml")}, QDir::Files, QDir::Name);
    files.removeAll(QStringLiteral("stanowisko_dane.xml"));
    return files;
}

const std::vector<SampleFactor> &sampleTable()
{
    static const std::vector<SampleFactor> table = {
        // ---- 1: Spawacz - spawalnia MAG -----------------------------------------------
        {"1",
         30001,
         {{"2024-03-12",
           "Stanowiska spawalnicze, nawa B",
           kLab,
           kNoiseMethod,
           kExceeded,
           "Ochronniki słuchu (nauszniki przeciwhałasowe), kotary dźwiękochłonne między stanowiskami.",
           {{"ed_PEWartZm", "88.4"}, {"ed_MaksWartZm", "104.2"}, {"ed_SzWartZm", "128.6"}}},
          {"2025-02-20",
           "Stanowiska spawalnicze, nawa B",
           kLab,
           kNoiseMethod,
           kExceeded,
           "Ochronniki słuchu, wymiana tarcz szlifierskich na tarcze o obniżonej hałaśliwości.",
           {{"ed_PEWartZm", "86.1"}, {"ed_MaksWartZm", "102.5"}, {"ed_SzWartZm", "126.9"}}},
          {"2026-03-09",
           "Stanowiska spawalnicze, nawa B",
           kLab,
           kNoiseMethod,
           kOk,
           "Ochronniki słuchu przy szlifowaniu, obudowy dźwiękochłonne sprężarek.",
           {{"ed_PEWartZm", "83.7"}, {"ed_MaksWartZm", "99.8"}, {"ed_SzWartZm", "124.2"}}}}},
        {"1",
         25203,
         {{"2024-03-12",
           "Strefa oddychania spawacza, stół nr 3",
           kLab,
           kDustMethod,
           kNoLimit,
           "Odciąg miejscowy przy stole, przyłbica z nawiewem powietrza.",
           {{"ed_PylCalkZm", "3.8"}, {"ed_PylRespZm", "1.2"}}},
          {"2026-03-09",
           "Strefa oddychania spawacza, stół nr 3",
           kLab,
           kDustMethod,
           kNoLimit,
           "Odciąg miejscowy przy stole, przyłbica z nawiewem powietrza.",
           {{"ed_PylCalkZm", "1.9"}, {"ed_PylRespZm", "0.6"}}}}},
        {"1",
         80010,
         {{"2024-03-12",
           "Strefa oddychania spawacza",
           kLab,
           kGasMethod,
           kOk,
           "Wentylacja ogólna hali, odciąg miejscowy.",
           {{"ed_NDSZm", "14.2"}, {"ed_NDSChZm", "48"}}},
          {"2026-03-09",
           "Strefa oddychania spawacza",
           kLab,
           kGasMethod,
           kOk,
           "Wentylacja ogólna hali, odciąg miejscowy.",
           {{"ed_NDSZm", "9.6"}, {"ed_NDSChZm", "31"}}}}},
        {"1",
         80026,
         {{"2024-03-12",
           "Strefa oddychania spawacza",
           kLab,
           kGasMethod,
           kOk,
           "Odciąg miejscowy przy stole.",
           {{"ed_NDSZm", "0.41"}, {"ed_NDSChZm", "0.9"}}},
          {"2026-03-09",
           "Strefa oddychania spawacza",
           kLab,
           kGasMethod,
           kOk,
           "Odciąg miejscowy przy stole.",
           {{"ed_NDSZm", "0.28"}, {"ed_NDSChZm", "0.6"}}}}},
        {"1",
         70004,
         {{"2026-05-06",
           "Spawalnia, transport elementów konstrukcji",
           kLab,
           "Metoda chronometrażowo-tabelaryczna (Lehmann)",
           kNoLimit,
           "Wózki do transportu elementów, przerwy w pracy.",
           {{"ed_PracWartZm", "6300"}, {"ed_PracMinWartZm", "13.1"}}}}},

        // ---- 2: Lakiernik - malarnia natryskowa ----------------------------------------
        {"2",
         80004,
         {{"2024-05-14",
           "Kabina lakiernicza K-1",
           kLab,
           kChemMethod,
           kOk,
           "Wentylacja nawiewno-wywiewna kabiny, półmaska z pochłaniaczem A2.",
           {{"ed_NDSZm", "42.5"}, {"ed_NDSChZm", "180"}}},
          {"2025-06-03",
           "Kabina lakiernicza K-1",
           kLab,
           kChemMethod,
           kOk,
           "Wentylacja nawiewno-wywiewna kabiny, półmaska z pochłaniaczem A2.",
           {{"ed_NDSZm", "31.0"}, {"ed_NDSChZm", "120"}}},
          {"2026-05-19",
           "Kabina lakiernicza K-1",
           kLab,
           kChemMethod,
           kOk,
           "Farby o obniżonej zawartości rozpuszczalników, półmaska z pochłaniaczem A2.",
           {{"ed_NDSZm", "24.8"}, {"ed_NDSChZm", "95"}}}}},
        {"2",
         80005,
         {{"2024-05-14",
           "Kabina lakiernicza K-1",
           kLab,
           kChemMethod,
           kOk,
           "Wentylacja nawiewno-wywiewna kabiny, półmaska z pochłaniaczem A2.",
           {{"ed_NDSZm", "38.2"}, {"ed_NDSChZm", "150"}}},
          {"2026-05-19",
           "Kabina lakiernicza K-1",
           kLab,
           kChemMethod,
           kOk,
           "Farby o obniżonej zawartości rozpuszczalników, półmaska z pochłaniaczem A2.",
           {{"ed_NDSZm", "22.1"}, {"ed_NDSChZm", "88"}}}}},
        {"2",
         80021,
         {{"2026-05-19",
           "Stanowisko przygotowania farb",
           kLab,
           kChemMethod,
           kNoLimit,
           "Mieszanie farb pod okapem wyciągowym, zamknięte pojemniki.",
           {{"ed_NDSZm", "95"}, {"ed_NDSChZm", "260"}}}}},
        {"2",
         25202,
         {{"2025-06-03",
           "Stanowisko szlifowania podkładów",
           kLab,
           kDustMethod,
           kNoLimit,
           "Szlifierki z odsysaniem pyłu, półmaska filtrująca FFP2.",
           {{"ed_PylCalkZm", "4.2"}}},
          {"2026-05-19",
           "Stanowisko szlifowania podkładów",
           kLab,
           kDustMethod,
           kNoLimit,
           "Szlifierki z odsysaniem pyłu, półmaska filtrująca FFP2.",
           {{"ed_PylCalkZm", "3.1"}}}}},
        {"2",
         30001,
         {{"2025-06-03",
           "Kabina lakiernicza K-1",
           kLab,
           kNoiseMethod,
           kOk,
           "Ochronniki słuchu przy malowaniu pneumatycznym.",
           {{"ed_PEWartZm", "82.3"}, {"ed_MaksWartZm", "98.0"}, {"ed_SzWartZm", "121.0"}}},
          {"2026-05-19",
           "Kabina lakiernicza K-1",
           kLab,
           kNoiseMethod,
           kOk,
           "Ochronniki słuchu przy malowaniu pneumatycznym.",
           {{"ed_PEWartZm", "80.9"}, {"ed_MaksWartZm", "97.1"}, {"ed_SzWartZm", "119.8"}}}}},

        // ---- 3: Pracownik biurowy - dział kadr i płac ----------------------------------
        {"3",
         70002,
         {{"2025-04-08",
           "Dział kadr i płac",
           "Służba BHP",
           "Ocena punktowa obciążenia psychicznego",
           "Ryzyko średnie.",
           "Planowanie zadań z wyprzedzeniem, przerwy w pracy przy monitorze.",
           {{"ed_PWartZm", "6"}}},
          {"2026-04-14",
           "Dział kadr i płac",
           "Służba BHP",
           "Ocena punktowa obciążenia psychicznego",
           "Ryzyko średnie.",
           "Podział obsługi interesantów między pracowników, szkolenie z radzenia sobie ze stresem.",
           {{"ed_PWartZm", "4"}}}}},
        {"3",
         30004,
         {{"2025-04-08",
           "Pokój 104",
           kLab,
           kNoiseMethod,
           kOk,
           "Drukarki sieciowe przeniesione do osobnego pomieszczenia.",
           {{"cb_cWartDop", "2"}, {"ed_PEWartZm", "52.1"}}},
          {"2026-04-14",
           "Pokój 104",
           kLab,
           kNoiseMethod,
           kOk,
           "Drukarki sieciowe w osobnym pomieszczeniu.",
           {{"cb_cWartDop", "2"}, {"ed_PEWartZm", "49.6"}}}}},
        {"3",
         50003,
         {{"2025-07-15",
           "Pokój 104",
           kLab,
           "PN-EN ISO 7730:2006, wskaźniki PMV i PPD",
           kOk,
           "Klimatyzator w pokoju, żaluzje okienne.",
           {{"ed_WartZmPMV", "0.4"}, {"ed_WartZmPPD", "8"}}}}},

        // ---- 4: Operator wózka widłowego - magazyn wyrobów gotowych --------------------
        {"4",
         10200,
         {{"2025-01-21",
           "Wózek widłowy WW-2, siedzisko operatora",
           kLab,
           kVibrationMethod,
           kOk,
           "Siedzisko z amortyzacją, utrzymanie nawierzchni placu składowego.",
           {{"ch_cbCzasEksp", ""}, {"ed_RownWartZm", "0.62"}}},
          {"2026-01-13",
           "Wózek widłowy WW-2, siedzisko operatora",
           kLab,
           kVibrationMethod,
           kOk,
           "Nowe siedzisko z zawieszeniem pneumatycznym.",
           {{"ed_RownWartZm", "0.48"}, {"ed_MaksWartZm", "0.9"}}}}},
        {"4",
         30001,
         {{"2025-01-21",
           "Kabina wózka WW-2",
           kLab,
           kNoiseMethod,
           kOk,
           "Wyciszenie kabiny wózka.",
           {{"ed_PEWartZm", "79.5"}, {"ed_MaksWartZm", "96.4"}, {"ed_SzWartZm", "118.5"}}},
          {"2026-01-13",
           "Kabina wózka WW-2",
           kLab,
           kNoiseMethod,
           kOk,
           "Wyciszenie kabiny wózka.",
           {{"ed_PEWartZm", "81.2"}, {"ed_MaksWartZm", "97.8"}, {"ed_SzWartZm", "120.1"}}}}},
        {"4",
         50002,
         {{"2026-01-13",
           "Plac składowy",
           kLab,
           "PN-EN ISO 11079:2008, wskaźnik IREQ",
           kOk,
           "Odzież ochronna chroniąca przed zimnem, ogrzewane pomieszczenie do przerw.",
           {{"ed_IREQmin", "1.9"},
            {"ed_IREQneutral", "2.4"},
            {"ed_Iclr", "2.2"},
            {"ch_PracaZewn", ""},
            {"ed_Ta", "-4"},
            {"ed_Va", "3"}}}}},
        {"4",
         80010,
         {{"2025-01-21",
           "Magazyn, strefa załadunku",
           kLab,
           kGasMethod,
           kOk,
           "Przeglądy układu zasilania LPG wózków, wentylacja magazynu.",
           {{"ed_NDSZm", "6.3"}, {"ed_NDSChZm", "18"}}},
          {"2026-01-13",
           "Magazyn, strefa załadunku",
           kLab,
           kGasMethod,
           kOk,
           "Przeglądy układu zasilania LPG wózków, wentylacja magazynu.",
           {{"ed_NDSZm", "4.9"}, {"ed_NDSChZm", "15"}}}}},

        // ---- 5: Konserwator sieci kanalizacyjnej - oczyszczalnia ścieków ----------------
        {"5",
         90013,
         {{"2025-09-10",
           "Sieć kanalizacyjna, studzienki rewizyjne",
           "Służba BHP",
           "Ocena według grupy zagrożenia czynnika biologicznego",
           "Ryzyko średnie.",
           "Rękawice i obuwie ochronne, odzież ochronna, środki do dezynfekcji rąk.",
           {{"rbOcenaKoncSrednie", ""}}},
          {"2026-09-15",
           "Sieć kanalizacyjna, studzienki rewizyjne",
           "Służba BHP",
           "Ocena według grupy zagrożenia czynnika biologicznego",
           "Ryzyko średnie.",
           "Rękawice i obuwie ochronne, odzież ochronna, środki do dezynfekcji rąk.",
           {{"rbOcenaKoncSrednie", ""}}}}},
        {"5",
         90026,
         {{"2026-09-15",
           "Pompownia główna",
           "Służba BHP",
           "Ocena według grupy zagrożenia czynnika biologicznego",
           "Ryzyko średnie.",
           "Szczepienia ochronne przeciw WZW typu A, środki ochrony indywidualnej.",
           {{"rbOcenaKoncSrednie", ""}}}}},
        {"5",
         90010,
         {{"2026-09-15",
           "Pompownia główna",
           "Służba BHP",
           "Ocena według grupy zagrożenia czynnika biologicznego",
           "Ryzyko średnie.",
           "Rękawice ochronne, zakaz spożywania posiłków na stanowisku.",
           {{"rbOcenaKoncSrednie", ""}}}}},
        {"5",
         80012,
         {{"2025-09-10",
           "Komora pompowni głównej",
           kLab,
           kGasMethod,
           kOk,
           "Wentylacja mechaniczna komory, detektor siarkowodoru, praca w zespole dwuosobowym.",
           {{"ed_NDSZm", "3.1"}, {"ed_NDSChZm", "9.8"}}},
          {"2026-09-15",
           "Komora pompowni głównej",
           kLab,
           kGasMethod,
           kOk,
           "Wentylacja mechaniczna komory, detektor siarkowodoru, praca w zespole dwuosobowym.",
           {{"ed_NDSZm", "2.2"}, {"ed_NDSChZm", "6.5"}}}}},
        {"5",
         30001,
         {{"2026-09-15",
           "Pompownia główna, hala pomp",
           kLab,
           kNoiseMethod,
           kOk,
           "Ochronniki słuchu w hali pomp.",
           {{"ed_PEWartZm", "84.2"}, {"ed_MaksWartZm", "101.3"}, {"ed_SzWartZm", "123.4"}}}}},
        {"5",
         70004,
         {{"2026-09-15",
           "Sieć kanalizacyjna",
           kLab,
           "Metoda chronometrażowo-tabelaryczna (Lehmann)",
           kNoLimit,
           "Mechaniczne czyszczenie kanałów, podnośniki włazów.",
           {{"ed_PracWartZm", "5400"}, {"ed_PracMinWartZm", "11.8"}}}}},
    };
    return table;
}

class SampleMeasurements : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder{true};
    testsupport::ScriptedPrompter prompter;
    std::unique_ptr<assessment::TfrmRyzZakl> win;

    void SetUp() override { shippedforms::UseMeasurementView(); }
    void TearDown() override { shippedforms::CloseMeasurementWindow(win); }

    template <typename T> T *Control(const QString &name) { return win->MeasurementPages().Pages()->findChild<T *>(name); }

    void Play(const Input &input)
    {
        const QString name = QString::fromUtf8(input.control);
        if (name.startsWith(QLatin1String("ed_"))) {
            auto *ed = Control<QLineEdit>(name);
            ASSERT_TRUE(ed) << name.toStdString();
            ed->setText(QString::fromUtf8(input.value));
            shippedforms::Leave(ed);
        } else if (name.startsWith(QLatin1String("cb_"))) {
            auto *cb = Control<QComboBox>(name);
            ASSERT_TRUE(cb) << name.toStdString();
            cb->setCurrentIndex(QString::fromUtf8(input.value).toInt());
            win->MeasurementPages().ChangeField(cb);
        } else if (name.startsWith(QLatin1String("rbOcenaKonc"))) {
            assessment::TfrmOcenaRyz *panel = win->MeasurementPages().RiskPanel();
            QRadioButton *button = name.endsWith(QLatin1String("Male"))      ? panel->rbOcenaKoncMale
                                   : name.endsWith(QLatin1String("Srednie")) ? panel->rbOcenaKoncSrednie
                                                                             : panel->rbOcenaKoncDuze;
            button->click();
        } else {
            auto *box = Control<QCheckBox>(name);
            ASSERT_TRUE(box) << name.toStdString();
            box->click();
        }
    }

    // Types one factor's measurements into the window, as the user does.
    void Rate(storage::TStanowisko &w, storage::TCzynnik &f, const SampleFactor &sample)
    {
        win = std::make_unique<assessment::TfrmRyzZakl>(appstate::State());
        win->MeasurementPages().SetAttachmentFolder(appstate::State().AttachFolder);
        auto &stations = workstation_loading::WorkstationListModel(appstate::State());
        stations.Fill(appstate::State().Workstations);
        cbStanow(*win)->setCurrentIndex(stations.RowOf(w.id));
        for (const storage::TFactorEntry &e : w.Factors)
            if (e.factor.get() == &f)
                workstation_loading::AddFactorItem(lbCzyn(*win), w, e);
        appstate::State().SetModified(false);
        lbCzyn(*win)->setCurrentRow(0);
        ASSERT_EQ(lbPomiar(*win)->count(), int(sample.measurements.size()));
        for (int i = 0; i < lbPomiar(*win)->count(); ++i) {
            lbPomiar(*win)->setCurrentRow(i);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (const Input &input : sample.measurements[size_t(i)].inputs)
                Play(input);
            appstate::State().SetModified(false);
        }
        // The workstation stays with the program until its files are written.
        win->MeasurementPages().ClearMeasurementForm();
        win.reset();
    }

    // Every sample measurement made again under "zaklocen\" of the fixture folder; the
    // names of the files written, by workstation folder.
    std::map<QString, QStringList> MakeAll()
    {
        std::map<QString, QStringList> written;
        std::map<QString, std::vector<const SampleFactor *>> byWorkstation;
        for (const SampleFactor &f : sampleTable())
            byWorkstation[QString::fromLatin1(f.workstation)].push_back(&f);
        for (const auto &[id, factors] : byWorkstation) {
            const QString kat = QStringLiteral("stan_") + id;
            for (const QString &old : measurementFiles(folder.FilePath("zaklocen/" + kat)))
                QFile::remove(folder.FilePath("zaklocen/" + kat + "/" + old));
            shippedforms::UseMeasurementView();
            auto owned = std::make_unique<storage::TStanowisko>(id, QString(), kat);
            storage::TStanowisko &w = *owned;
            storage::ReadWorkstationData(QStringLiteral("zaklocen\\") + kat + QStringLiteral("\\stanowisko_dane.xml"),
                                         w, storage::WorkstationReadOptions::AllFactors());
            appstate::State().Workstations.push_back(std::move(owned));
            for (const SampleFactor *sample : factors) {
                storage::TCzynnik *f = nullptr;
                for (const storage::TFactorEntry &e : w.Factors)
                    if (e.factor->id == sample->factorId)
                        f = e.factor.get();
                EXPECT_TRUE(f) << sample->factorId;
                if (!f)
                    continue;
                int number = 0;
                for (const Sample &s : sample->measurements) {
                    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
                        .id = ++number, .data = QString::fromUtf8(s.date), .mscPom = QString::fromUtf8(s.place),
                        .wykpom = QString::fromUtf8(s.performer), .metpom = QString::fromUtf8(s.method),
                        .interwyn = QString::fromUtf8(s.interpretation), .srodogrryz = QString::fromUtf8(s.measures),
                        .ver = storage::FormVersionNumber(f->ver_pom)
                    });
                    storage::ReadMeasurementForm(appstate::State().FormsFolder +
                                                     storage::FormDefinitionName(f->frm_dane, f->ver_pom),
                                                 m->Fields, f->id);
                    // Rated as a new measurement is (a biological agent by its group).
                    assessment::RateNewMeasurement(*m, *f, &w);
                    storage::AddMeasurement(f->Measurements, std::move(m));
                }
                Rate(w, *f, *sample);
                EXPECT_TRUE(storage::WriteMeasurementFile(QStringLiteral("zaklocen\\") + kat + QStringLiteral("\\"),
                                                          f->frm_dane + QStringLiteral("_dane"), {f}));
                written[kat] << storage::MeasurementFileName(f->frm_dane);
            }
            written[kat].removeDuplicates();
            written[kat].sort();
            appstate::State().Workstations.clear();
        }
        return written;
    }
};

TEST_F(SampleMeasurements, ShippedFilesAreWhatTheWindowRatesAndSaves)
{
    const std::map<QString, QStringList> written = MakeAll();
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('\n').toStdString();
    const bool write = qEnvironmentVariableIsSet("TARVELIN_WRITE_SAMPLE_MEASUREMENTS");
    const QString shipped = QStringLiteral(TARVELIN_INSTALL_DIR) + QStringLiteral("/zaklocen/");
    for (const auto &[kat, files] : written) {
        if (write)
            for (const QString &old : measurementFiles(shipped + kat))
                QFile::remove(shipped + kat + "/" + old);
        for (const QString &file : files) {
            const QByteArray made = folder.Read("zaklocen/" + kat + "/" + file);
            ASSERT_FALSE(made.isEmpty()) << file.toStdString();
            QFile target(shipped + kat + "/" + file);
            if (write) {
                ASSERT_TRUE(target.open(QIODevice::WriteOnly));
                target.write(made);
                continue;
            }
            ASSERT_TRUE(target.open(QIODevice::ReadOnly)) << (kat + "/" + file).toStdString();
            EXPECT_EQ(target.readAll(), made) << (kat + "/" + file).toStdString();
        }
        // Nothing shipped that the table does not make.
        EXPECT_EQ(measurementFiles(shipped + kat), files);
    }
}

} // namespace
