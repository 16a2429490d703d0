#include "storage/workstation_files.h"

#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/damaged_files.h"
#include "storage/factor_files.h"
#include "storage/file_cache.h"
#include "storage/measurement_files.h"
#include "storage/save_folder.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QDir>
#include <QSet>
#include <algorithm>

namespace storage {

namespace {

const QString kOwnSuffix = QStringLiteral(" (czynnik własny)");
const QString kListRoot = QStringLiteral("struktura_dane");

int compareYears(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

// A value line's closing part: its text after the tag from the first "</" on (a value
// holds no "</"), where a closing tag written on the same line stands.
QStringView afterValue(const ElementTag &tag)
{
    const QStringView after = tag.After();
    const qsizetype close = after.indexOf(u"</");
    return close < 0 ? QStringView() : after.sliced(close);
}

[[noreturn]] void fail(TStanowisko &target, const QString &path, const QString &why)
{
    target.ReadError =
        QStringLiteral("Plik danych stanowiska \"%1\" jest uszkodzony (%2): %3").arg(target.nazwa, why, path);
    throw platform::TarvelinError(target.ReadError);
}

// A factor list that cannot be read is named among the problems once in a run, not on
// every workstation that refers to it.
void reportListOnce(const QString &path, QStringList *problems)
{
    static QSet<QString> reported;
    if (!problems || reported.contains(path))
        return;
    reported.insert(path);
    problems->append(platform::FileAccessErrorText(path));
}

} // namespace

QString DataVersion()
{
    return QStringLiteral("1.1");
}

TZatrudn::TZatrudn(QString rok, QString mezczyzni, QString kobiety, QString kobietyCiez, QString mlodociani,
                   QString nocnaZm, QString przekrNDS)
    : Rok(std::move(rok)), Mezczyzni(std::move(mezczyzni)), Kobiety(std::move(kobiety)),
      KobietyCiez(std::move(kobietyCiez)), Mlodociani(std::move(mlodociani)), NocnaZm(std::move(nocnaZm)),
      PrzekrNDS(std::move(przekrNDS))
{
}

int TZatrudn::Figure(const QString &figure)
{
    bool ok = false;
    const int n = figure.trimmed().toInt(&ok);
    return ok ? n : 0;
}

int TZatrudn::Total() const
{
    return Figure(Mezczyzni) + Figure(Kobiety) + Figure(Mlodociani);
}

QStringList TZatrudn::Columns() const
{
    return {Rok, Mezczyzni, Kobiety, KobietyCiez, Mlodociani, NocnaZm, PrzekrNDS};
}

TZatrudn TZatrudn::FromColumns(const QStringList &c)
{
    auto at = [&](int i) { return i < c.size() ? c[i] : QString(); };
    return TZatrudn(at(0), at(1), at(2), at(3), at(4), at(5), at(6));
}

TStanowisko::TStanowisko(QString id_, QString nazwa_, QString kat_dane_)
    : id(std::move(id_)), nazwa(std::move(nazwa_)), kat_dane(std::move(kat_dane_))
{
}

bool TStanowisko::AddEmployment(const TZatrudn &entry)
{
    auto it = std::lower_bound(Employment.begin(), Employment.end(), entry.Rok,
                               [](const TZatrudn &z, const QString &rok) { return compareYears(z.Rok, rok) < 0; });
    if (it != Employment.end() && compareYears(it->Rok, entry.Rok) == 0)
        return false;
    Employment.insert(it, entry);
    return true;
}

const TZatrudn *TStanowisko::FindEmployment(const QString &rok) const
{
    for (const TZatrudn &z : Employment)
        if (compareYears(z.Rok, rok) == 0)
            return &z;
    return nullptr;
}

TCzynnik *TStanowisko::AddFactor(std::unique_ptr<TCzynnik> factor, const QString &text)
{
    TCzynnik *f = factor.get();
    const QString shown = text.isNull() ? FactorDisplayName(f->nazwa, f->id) : text;
    Factors.push_back(TFactorEntry{shown, std::move(factor)});
    return f;
}

TStanowisko *FindWorkstationById(const WorkstationList &list, const QString &id)
{
    for (const auto &w : list)
        if (w->id == id)
            return w.get();
    return nullptr;
}

QString FactorDisplayName(const QString &nazwa, int id)
{
    return id > 99999 ? nazwa + kOwnSuffix : nazwa;
}

bool FactorHasSzkod(const QString &frmDane)
{
    return frmDane == QLatin1String("met5Krok") || frmDane == QLatin1String("metRiskScore");
}

QString WorkstationListPath(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("struktura_dane.xml");
}

QString WorkstationFolderPath(const QString &dataFolder, const QString &katDane)
{
    return dataFolder + katDane;
}

QString WorkstationDataPath(const QString &dataFolder, const QString &katDane)
{
    return dataFolder + katDane + QStringLiteral("\\stanowisko_dane.xml");
}

bool IsSafeFolderName(const QString &katDane)
{
    const QString k = katDane.trimmed();
    if (k.isEmpty() || k == QLatin1String(".") || k == QLatin1String(".."))
        return false;
    return !katDane.contains('\\') && !katDane.contains('/') && !katDane.contains(QChar(0));
}

// ---------------------------------------------------------------------------------------
// The list file

bool ReadWorkstationList(const QString &path, WorkstationList &list, QString &listVersion, QString *damage)
{
    RemoveInterruptedSavesBeside(path);
    QString message;
    // The views read the list each time they are set up, several times over at start-up.
    if (const std::shared_ptr<const QStringList> lines = CachedDataFileLines(path); !lines) {
        if (!SomethingAt(path)) {
            MarkFileReadWhole(path);
            return false;
        }
        message = FileReadFailureText(path);
    } else if (ParseWorkstationList(*lines, list, listVersion)) {
        MarkFileReadWhole(path);
        return true;
    } else if (CheckWholeFile(*lines, kListRoot) == FileShape::WrongRoot) {
        message = WrongRootText(path, RootElementName(*lines), kListRoot);
    } else {
        message =
            QStringLiteral("Lista stanowisk w pliku %1 jest uszkodzona lub niekompletna (brak zakończenia pliku).")
                .arg(path);
    }
    // Saved now, the list would lose every workstation that could not be read.
    MarkFileDamaged(path);
    if (damage)
        *damage = DamagedFileReadText(message);
    return true;
}

bool ParseWorkstationList(const QStringList &lines, WorkstationList &list, QString &listVersion)
{
    const bool closed = CheckWholeFile(lines, kListRoot) == FileShape::Whole;
    QString id, nazwa, katDane;
    // A list cut short has no closing line: its last line may hold an entry too.
    const int last = closed ? int(lines.size()) - 2 : int(lines.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const ElementTag tag(lines[i]);
        if (tag.Opens(kListRoot))
            listVersion = tag.Value(u"ver");
        if (tag.Opens(u"stanowisko")) {
            id = tag.Value(u"id");
            nazwa = tag.Value(u"nazwa");
            katDane = tag.Value(u"kat_dane");
        }
        // The entry's closing tag stands after its opening one, or on a line of its own.
        if (tag.Closes(u"stanowisko") || (tag.Opens(u"stanowisko") && tag.After().contains(u"</stanowisko")))
            list.push_back(std::make_unique<TStanowisko>(id, nazwa, katDane));
    }
    return closed;
}

StorageResult StorableWorkstationList(const QString &path, const WorkstationList &list)
{
    StorableTexts texts;
    for (const auto &w : list) {
        texts.Check(QStringLiteral("numer stanowiska"), w->id, TextPlace::Attribute);
        texts.Check(QStringLiteral("nazwa stanowiska"), w->nazwa, TextPlace::Attribute);
        texts.Check(QStringLiteral("katalog stanowiska"), w->kat_dane, TextPlace::Attribute);
    }
    return texts.Result(path);
}

QStringList WorkstationListLines(const WorkstationList &list)
{
    QStringList out;
    out.reserve(int(list.size()) + 2);
    out << QStringLiteral("<struktura_dane ver=\"%1\" katalog=\"\" plik=\"struktura_dane.xml\">").arg(DataVersion());
    for (const auto &w : list)
        out << QStringLiteral(" <stanowisko id=\"%1\" nazwa=\"%2\" kat_dane=\"%3\"></stanowisko>")
                   .arg(AttributeText(w->id), AttributeText(w->nazwa), AttributeText(w->kat_dane));
    out << QStringLiteral("</struktura_dane>");
    return out;
}

StorageResult WriteWorkstationList(const QString &dataFolder, const WorkstationList &list)
{
    // A data folder named by the configuration but not there yet gets made by the first
    // save; when that fails, the write below reports it.
    if (StorageResult refused = StorableWorkstationList(WorkstationListPath(dataFolder), list); !refused)
        return refused;
    FolderForSave folder(dataFolder);
    if (!folder.Ready())
        return StorageResult::Failure(FolderNotCreatedText(dataFolder));
    StorageResult written = WriteTextXmlFile(WorkstationListPath(dataFolder), WorkstationListLines(list));
    if (written)
        folder.Keep();
    return written;
}

// ---------------------------------------------------------------------------------------
// The workstation file

WorkstationReadOptions WorkstationReadOptions::ForView(TViewKind view)
{
    WorkstationReadOptions o;
    const bool definition = view == TViewKind::Workstations;
    const bool measuring = view == TViewKind::Measurement || view == TViewKind::Summary;
    o.currentFactors = definition || measuring;
    o.nonCurrentFactors = definition;
    o.measurements = measuring;
    return o;
}

WorkstationReadOptions WorkstationReadOptions::AllFactors()
{
    WorkstationReadOptions o;
    o.currentFactors = true;
    o.nonCurrentFactors = true;
    o.measurements = false;
    return o;
}

bool ReadWorkstationAfresh(const QString &dataFolder, TStanowisko &w, WorkstationReadOptions options,
                           StorageProblems &problems)
{
    const QString path = WorkstationDataPath(dataFolder, w.kat_dane);
    w.ClearFactors();
    w.ClearEmployment();
    QStringList unreadable;
    options.problems = &unreadable;
    try {
        if (ReadWorkstationData(path, w, options) == ReadResult::Missing) {
            problems.push_back(
                StorageResult::Failure(QStringLiteral("Brak pliku z danymi stanowiska \"%1\": %2").arg(w.nazwa, path)));
            return false;
        }
    } catch (const platform::TarvelinError &e) {
        if (w.ReadError.isEmpty())
            w.ReadError = e.message();
        problems.push_back(StorageResult::Failure(e.message(), StorageResult::Severity::Error));
        return false;
    }
    if (!unreadable.isEmpty())
        problems.push_back(StorageResult::Failure(unreadable.join('\n')));
    return true;
}

FactorFilesStep WorkstationFactorFiles(const WorkstationReadOptions &options)
{
    return [options](TCzynnik &factor, const QString &folder) {
        // The version stored on the line answers when the factor lists cannot; a list
        // that cannot be read is reported once, not once per factor.
        const QString id = QString::number(factor.id);
        if (ReadFactorFormVersion(options.catalogueFolder, factor.ident, id, factor.ver_pom) ==
            FormVersionLookup::FileError)
            reportListOnce(FactorFormVersionListPath(options.catalogueFolder, factor.ident, id), options.problems);
        if (!options.measurements)
            return;
        QString problem;
        try {
            ReadMeasurements(folder, factor.frm_dane, factor.Measurements, factor.id, options.formsFolder);
        } catch (const FileDamagedError &e) {
            problem = DamagedFileReadText(e.message());
        } catch (const platform::TarvelinError &e) {
            problem = e.message();
        }
        if (problem.isEmpty())
            return;
        // The factor is listed with the measurements it could read and is marked, so its
        // file is not rewritten from the incomplete list. A shared file is named once.
        factor.MeasurementsIncomplete = true;
        if (options.problems && !options.problems->contains(problem))
            options.problems->append(problem);
    };
}

ReadResult ReadWorkstationData(const QString &path, TStanowisko &target, const WorkstationReadOptions &options)
{
    RemoveInterruptedSavesBeside(path);
    QStringList lines;
    // A file not read whole is never written over, whichever object would be saved to it.
    try {
        if (!ReadTextXmlLinesIfExists(path, lines, false)) {
            if (platform::FolderExists(path)) {
                target.ReadError = FolderInPlaceOfFileText(path);
                throw platform::TarvelinError(target.ReadError);
            }
            if (platform::FileExists(path)) // there, but it cannot be read: never written over
                fail(target, path, platform::FileAccessErrorText());
            MarkFileReadWhole(path);
            return ReadResult::Missing;
        }
        ParseWorkstationData(lines, path, target, options, WorkstationFactorFiles(options));
    } catch (const platform::TarvelinError &) {
        MarkFileDamaged(path);
        throw;
    }
    MarkFileReadWhole(path);
    return ReadResult::Read;
}

void ParseWorkstationData(const QStringList &lines, const QString &path, TStanowisko &target,
                          const WorkstationReadOptions &options, const FactorFilesStep &factorFiles)
{
    target.ReadError.clear();

    // A file cut short (a failed copy, a full disk) would read as a workstation with fewer
    // factors or years; saving that would make the loss permanent.
    switch (CheckWholeFile(lines, QStringLiteral("stanowisko_dane"))) {
    case FileShape::Whole:
        break;
    case FileShape::WrongRoot:
        target.ReadError = WrongRootText(path, RootElementName(lines), QStringLiteral("stanowisko_dane"));
        throw platform::TarvelinError(target.ReadError);
    case FileShape::Empty:
    case FileShape::Cut:
        fail(target, path, QStringLiteral("brak zakończenia pliku"));
    }

    // The folder of the measurement files: the path up to the file name.
    const QString folder = path.left(path.size() - QStringLiteral("stanowisko_dane.xml").size());

    QString fileId;
    bool idSeen = false;
    bool general = false, employment = false, factors = false;
    bool gatheringOpis = false;
    QString opisText;
    QString kod, dataRej, lokalizacja, nrRej, nrRegon;
    QString rok, mezczyzni, kobiety, kobietyCiez, mlodociani, nocnaZm, przekrNDS;
    bool generalRead = false;
    // Read into a fresh object first, so that a failure half-way leaves target's own lists
    // as they were; what was read is moved over only when the whole file was read.
    TStanowisko read(target.id, target.nazwa, target.kat_dane);
    auto closeGeneral = [&] {
        read.Kod = kod;
        read.DataRej = dataRej;
        read.Lokalizacja = lokalizacja;
        read.NrRegon = nrRegon;
        read.NrRej = nrRej;
        read.Opis = ElementTag(opisText).Text();
        generalRead = true;
        general = false;
    };

    for (int i = 0; i <= lines.size() - 2; ++i) {
        const QString &line = lines[i];
        if (gatheringOpis) {
            // A description runs until its closing tag, whatever its lines hold; a closing
            // tag after it on its line is structure.
            opisText += QLatin1Char('\n') + line;
            const qsizetype close = line.indexOf(QLatin1String("</"));
            if (close < 0)
                continue;
            gatheringOpis = false;
            if (QStringView(line).sliced(close).contains(u"</daneogl"))
                closeGeneral();
            continue;
        }
        // A line is what its first tag is: the values a line holds are text, never structure.
        const ElementTag tag(line);
        const bool value = tag.Opens(u"dane");
        if (tag.Opens(u"stanowisko_dane")) {
            fileId = tag.Value(u"id");
            idSeen = true;
            if (fileId != target.id)
                fail(target, path, QStringLiteral("plik należy do stanowiska o numerze %1").arg(fileId));
        }
        if (tag.Opens(u"daneogl"))
            general = true;
        if (tag.Opens(u"zatrudnienie"))
            employment = true;
        if (tag.Opens(u"czynniki"))
            factors = true;
        if (general) {
            if (value) {
                const QStringView valueName = tag.Raw(u"nazwa");
                if (valueName == QLatin1String("Kod"))
                    kod = tag.Text();
                else if (valueName == QLatin1String("DataRej"))
                    dataRej = tag.Text();
                else if (valueName == QLatin1String("Lokalizacja"))
                    lokalizacja = tag.Text();
                else if (valueName == QLatin1String("NrRej"))
                    nrRej = tag.Text();
                else if (valueName == QLatin1String("NrRegon"))
                    nrRegon = tag.Text();
                else if (valueName == QLatin1String("Opis")) {
                    opisText = QLatin1Char('\n') + line;
                    gatheringOpis = !tag.After().contains(u"</");
                }
            }
            if (tag.Closes(u"daneogl") || (value && afterValue(tag).contains(u"</daneogl"))) {
                if (gatheringOpis)
                    fail(target, path, QStringLiteral("niezamknięty opis stanowiska"));
                closeGeneral();
            }
            continue;
        }
        if (employment) {
            if (value) {
                const QStringView valueName = tag.Raw(u"nazwa");
                if (valueName == QLatin1String("Rok"))
                    rok = tag.Text();
                else if (valueName == QLatin1String("Mezczyzni"))
                    mezczyzni = tag.Text();
                else if (valueName == QLatin1String("Kobiety"))
                    kobiety = tag.Text();
                else if (valueName == QLatin1String("KobietyCiez"))
                    kobietyCiez = tag.Text();
                else if (valueName == QLatin1String("Mlodociani"))
                    mlodociani = tag.Text();
                else if (valueName == QLatin1String("NocnaZm"))
                    nocnaZm = tag.Text();
                else if (valueName == QLatin1String("PrzekrNDS"))
                    przekrNDS = tag.Text();
            } else if (tag.Closes(u"rok")) {
                // The values carry over: a year block without a line keeps the year before's.
                read.AddEmployment(TZatrudn(rok, mezczyzni, kobiety, kobietyCiez, mlodociani, nocnaZm, przekrNDS));
            } else if (tag.Closes(u"zatrudnienie")) {
                employment = false;
            }
            continue;
        }
        if (factors) {
            if (!value) {
                if (tag.Closes(u"czynniki"))
                    factors = false;
                continue;
            }
            const QString aktual = tag.Value(u"aktual");
            const bool current = aktual != QLatin1String("N");
            if (current ? !options.currentFactors : !options.nonCurrentFactors)
                continue;
            const QString idText = tag.Value(u"id");
            int id = 0;
            try {
                id = ToInt(idText);
            } catch (const platform::TarvelinError &) {
                fail(target, path, QStringLiteral("numer czynnika '%1' nie jest liczbą").arg(idText));
            }
            auto factor = std::make_unique<TCzynnik>(tag.Value(u"nazwa"), tag.Value(u"ident"), id,
                                                     tag.Value(u"ver_pom"), tag.Value(u"frm_dane"), aktual,
                                                     tag.Value(u"szkod"));
            if (factorFiles)
                factorFiles(*factor, folder);
            read.AddFactor(std::move(factor));
        }
    }
    if (!idSeen)
        fail(target, path, QStringLiteral("brak numeru stanowiska"));
    if (general || gatheringOpis)
        fail(target, path, QStringLiteral("niezamknięte dane ogólne"));

    if (generalRead) {
        target.Loaded = true;
        target.Kod = read.Kod;
        target.DataRej = read.DataRej;
        target.Lokalizacja = read.Lokalizacja;
        target.NrRegon = read.NrRegon;
        target.NrRej = read.NrRej;
        target.Opis = read.Opis;
    }
    for (const TZatrudn &z : read.Employment)
        target.AddEmployment(z);
    for (TFactorEntry &f : read.Factors)
        target.Factors.push_back(std::move(f));
    target.AllFactorsRead = options.currentFactors && options.nonCurrentFactors;
}

bool EmploymentYearWritten(const TZatrudn &z)
{
    const QStringList tested = {z.Rok, z.Mezczyzni, z.Kobiety, z.Mlodociani, z.NocnaZm, z.PrzekrNDS};
    const bool allEmpty = std::all_of(tested.begin(), tested.end(), [](const QString &s) { return s.isEmpty(); });
    const bool allZero =
        std::all_of(tested.begin(), tested.end(), [](const QString &s) { return s == QLatin1String("0"); });
    return !allEmpty && !allZero;
}

QStringList WorkstationDataLines(const TStanowisko &w)
{
    auto edit = [](const QString &name, const QString &value) {
        return QStringLiteral("  <dane nazwa=\"%1\" typ=\"edit\">%2</dane>").arg(name, value);
    };
    QStringList out;
    out << QStringLiteral("<stanowisko_dane id=\"%1\">").arg(AttributeText(w.id));
    out << QStringLiteral(" <daneogl>");
    out << edit(QStringLiteral("Nazwa"), w.nazwa);
    out << edit(QStringLiteral("Kod"), w.Kod);
    out << edit(QStringLiteral("DataRej"), w.DataRej);
    out << edit(QStringLiteral("Lokalizacja"), w.Lokalizacja);
    out << edit(QStringLiteral("NrRegon"), w.NrRegon);
    out << edit(QStringLiteral("NrRej"), w.NrRej);
    // A multi-line description: its "\n" become line ends of the file.
    out << QStringLiteral("  <dane nazwa=\"Opis\" typ=\"memo\">%1</dane>").arg(w.Opis);
    out << QStringLiteral(" </daneogl>");
    out << QStringLiteral("<zatrudnienie>");
    for (const TZatrudn &z : w.Employment) {
        if (!EmploymentYearWritten(z))
            continue;
        const QString tab = QStringLiteral(" \t<dane nazwa=\"%1\" typ=\"edit\">%2</dane>");
        out << QStringLiteral(" <rok>");
        out << edit(QStringLiteral("Rok"), z.Rok);
        out << tab.arg(QStringLiteral("Mezczyzni"), z.Mezczyzni);
        out << tab.arg(QStringLiteral("Kobiety"), z.Kobiety);
        out << tab.arg(QStringLiteral("KobietyCiez"), z.KobietyCiez);
        out << tab.arg(QStringLiteral("Mlodociani"), z.Mlodociani);
        out << tab.arg(QStringLiteral("NocnaZm"), z.NocnaZm);
        out << tab.arg(QStringLiteral("PrzekrNDS"), z.PrzekrNDS);
        out << QStringLiteral(" </rok>");
    }
    out << QStringLiteral("</zatrudnienie>");
    out << QStringLiteral(" <czynniki>");
    for (const TFactorEntry &e : w.Factors) {
        const TCzynnik &f = *e.factor;
        QString line =
            QStringLiteral("  <dane nazwa=\"%1\" id=\"%2\" ident=\"%3\" ver_pom=\"%4\" frm_dane=\"%5\" aktual=\"%6\"")
                .arg(AttributeText(f.nazwa), QString::number(f.id), AttributeText(f.ident), AttributeText(f.ver_pom),
                     AttributeText(f.frm_dane), AttributeText(f.aktual));
        if (FactorHasSzkod(f.frm_dane))
            line += QStringLiteral(" szkod=\"%1\"").arg(AttributeText(f.szkod));
        line += QStringLiteral("></dane>");
        out << line;
    }
    out << QStringLiteral(" </czynniki>");
    out << QStringLiteral("</stanowisko_dane>");
    return out;
}

StorageResult StorableWorkstationData(const QString &path, const TStanowisko &w)
{
    StorableTexts texts;
    texts.Check(QStringLiteral("numer stanowiska"), w.id, TextPlace::Attribute);
    const std::pair<const char *, const QString *> general[] = {
        {"Nazwa", &w.nazwa},     {"Kod", &w.Kod},    {"DataRej", &w.DataRej}, {"Lokalizacja", &w.Lokalizacja},
        {"NrRegon", &w.NrRegon}, {"NrRej", &w.NrRej}};
    for (const auto &[name, value] : general)
        texts.Check(QLatin1String(name), *value, TextPlace::LineText);
    texts.Check(QStringLiteral("Opis"), w.Opis, TextPlace::LinesText);
    for (const TZatrudn &z : w.Employment)
        for (const QString &figure : z.Columns())
            texts.Check(QStringLiteral("zatrudnienie %1").arg(z.Rok), figure, TextPlace::LineText);
    for (const TFactorEntry &e : w.Factors) {
        const TCzynnik &f = *e.factor;
        for (const QString *v : {&f.nazwa, &f.ident, &f.ver_pom, &f.frm_dane, &f.aktual, &f.szkod})
            texts.Check(QStringLiteral("czynnik %1").arg(f.nazwa), *v, TextPlace::Attribute);
    }
    return texts.Result(path);
}

QString IncompleteWorkstationText(const TStanowisko &w)
{
    // The read error names the file that stays as it is.
    return w.ReadError + QStringLiteral("\nDane stanowiska \"%1\" nie zostały wczytane w całości, dlatego nie zostaną "
                                        "zapisane (plik na dysku pozostaje bez zmian).")
                             .arg(w.nazwa);
}

namespace {

// What a workstation file write checks first.
StorageResult checkWorkstationWrite(const TStanowisko &w)
{
    if (!w.ReadError.isEmpty())
        return StorageResult::Failure(IncompleteWorkstationText(w));
    if (!w.AllFactorsRead) {
        return StorageResult::Failure(
            QStringLiteral("Stanowisko \"%1\" wczytano bez czynników nieaktualnych; zapis pominięto, "
                           "aby ich nie utracić.")
                .arg(w.nazwa));
    }
    if (!IsSafeFolderName(w.kat_dane))
        return StorageResult::Failure(QStringLiteral("Niepoprawna nazwa katalogu stanowiska: \"%1\"").arg(w.kat_dane));
    return {};
}

// Writes the files of a workstation save into its folder, made when missing (and taken away
// again when the save fails).
StorageResult writeIntoWorkstationFolder(const QString &dataFolder, const TStanowisko &w,
                                         const std::vector<StoredFileWrite> &files)
{
    // Refused before the workstation's folder is made.
    for (const StoredFileWrite &f : files)
        if (StorageResult refused = RefuseDamagedFile(f.storedPath); !refused)
            return refused;
    if (StorageResult refused = StorableWorkstationData(WorkstationDataPath(dataFolder, w.kat_dane), w); !refused)
        return refused;
    FolderForSave folder(WorkstationFolderPath(dataFolder, w.kat_dane));
    if (!folder.Ready())
        return StorageResult::Failure(FolderNotCreatedText(WorkstationFolderPath(dataFolder, w.kat_dane)));
    StorageResult written = WriteStoredFiles(files);
    if (written)
        folder.Keep();
    return written;
}

} // namespace

StorageResult WriteWorkstationData(const QString &dataFolder, const TStanowisko &w)
{
    if (StorageResult refused = checkWorkstationWrite(w); !refused)
        return refused;
    return writeIntoWorkstationFolder(
        dataFolder, w, {{WorkstationDataPath(dataFolder, w.kat_dane), TextXmlFileBytes(WorkstationDataLines(w))}});
}

StorageResult WriteWorkstationWithList(const QString &dataFolder, const TStanowisko &w, const WorkstationList &list)
{
    if (StorageResult refused = checkWorkstationWrite(w); !refused)
        return refused;
    if (StorageResult refused = StorableWorkstationList(WorkstationListPath(dataFolder), list); !refused)
        return refused;
    return writeIntoWorkstationFolder(
        dataFolder, w,
        {{WorkstationDataPath(dataFolder, w.kat_dane), TextXmlFileBytes(WorkstationDataLines(w))},
         {WorkstationListPath(dataFolder), TextXmlFileBytes(WorkstationListLines(list))}});
}

} // namespace storage
