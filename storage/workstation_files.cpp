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

int compareYears(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

// The name of a general-data or employment value line, as the program writes it: the
// line's own first attribute, so a description or a value that happens to hold such a
// text does not pass for another field. Compared undecoded: a name of the program holds no
// quote.
QStringView valueNameOf(const QString &line)
{
    return RawNamedAttribute(QLatin1String("nazwa"), line);
}

// The tags of one line: a line is tested for several, so its "<" are found once.
class LineTags
{
public:
    explicit LineTags(const QString &line) : m_line(line)
    {
        for (qsizetype p = line.indexOf(u'<'); p >= 0; p = line.indexOf(u'<', p + 1)) {
            if (m_count == MaxKept) {
                m_all = false; // a line this full of markup is searched whole
                break;
            }
            m_at[m_count++] = p;
        }
    }
    // Whether the line holds tag, which begins with "<": as line.contains(tag).
    bool has(QLatin1String tag) const
    {
        if (!m_all)
            return m_line.contains(tag);
        for (int k = 0; k < m_count; ++k)
            if (QStringView(m_line).sliced(m_at[k]).startsWith(tag))
                return true;
        return false;
    }

private:
    static constexpr int MaxKept = 8;
    const QString &m_line;
    qsizetype m_at[MaxKept] = {};
    int m_count = 0;
    bool m_all = true;
};

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

// Whether the file's closing root line (closingTag) stands after its first line: a file
// cut short (a failed copy, a full disk) has none.
bool closedBy(const QStringList &lines, QLatin1String closingTag)
{
    for (int i = int(lines.size()) - 1; i >= 1; --i)
        if (QStringView(lines[i]).trimmed().startsWith(closingTag))
            return true;
    return false;
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
        if (!platform::FileExists(path)) {
            MarkFileReadWhole(path);
            return false;
        }
        message = platform::FileAccessErrorText(path);
    } else if (ParseWorkstationList(*lines, list, listVersion)) {
        MarkFileReadWhole(path);
        return true;
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
    const bool closed = closedBy(lines, QLatin1String("</struktura_dane"));
    QString id, nazwa, katDane;
    // A list cut short has no closing line: its last line may hold an entry too.
    const int last = closed ? int(lines.size()) - 2 : int(lines.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const QString &line = lines[i];
        if (line.contains(QLatin1String("<struktura_dane")))
            listVersion = ReadAttributeValue(QStringLiteral("ver=\""), line);
        if (line.contains(QLatin1String("<stanowisko"))) {
            id = ReadAttributeValue(QStringLiteral("id=\""), line);
            nazwa = ReadAttributeValue(QStringLiteral("nazwa=\""), line);
            katDane = ReadAttributeValue(QStringLiteral("kat_dane=\""), line);
        }
        if (line.contains(QLatin1String("</stanowisko")))
            list.push_back(std::make_unique<TStanowisko>(id, nazwa, katDane));
    }
    return closed;
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
    FolderForSave folder(dataFolder);
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
    if (!closedBy(lines, QLatin1String("</stanowisko_dane")))
        fail(target, path, QStringLiteral("brak zakończenia pliku"));

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

    for (int i = 0; i <= lines.size() - 2; ++i) {
        const QString &line = lines[i];
        const LineTags tags(line);
        if (gatheringOpis) {
            // A description runs until its closing tag, whatever its lines hold.
            opisText += QLatin1Char('\n') + line;
            if (tags.has(QLatin1String("</")))
                gatheringOpis = false;
            if (!tags.has(QLatin1String("</daneogl")))
                continue;
        }
        if (tags.has(QLatin1String("<stanowisko_dane"))) {
            fileId = ReadAttributeValue(QStringLiteral("id=\""), line);
            idSeen = true;
            if (fileId != target.id)
                fail(target, path, QStringLiteral("plik należy do stanowiska o numerze %1").arg(fileId));
        }
        if (!tags.has(QLatin1String("<dane "))) {
            if (tags.has(QLatin1String("<daneogl")))
                general = true;
            if (tags.has(QLatin1String("<zatrudnienie")))
                employment = true;
            if (tags.has(QLatin1String("<czynniki")))
                factors = true;
        }
        if (general) {
            if (tags.has(QLatin1String("<dane"))) {
                const QStringView valueName = valueNameOf(line);
                if (valueName == QLatin1String("Kod"))
                    kod = ReadElementText(line);
                else if (valueName == QLatin1String("DataRej"))
                    dataRej = ReadElementText(line);
                else if (valueName == QLatin1String("Lokalizacja"))
                    lokalizacja = ReadElementText(line);
                else if (valueName == QLatin1String("NrRej"))
                    nrRej = ReadElementText(line);
                else if (valueName == QLatin1String("NrRegon"))
                    nrRegon = ReadElementText(line);
                else if (valueName == QLatin1String("Opis")) {
                    opisText = QLatin1Char('\n') + line;
                    gatheringOpis = !tags.has(QLatin1String("</"));
                }
            }
            if (tags.has(QLatin1String("</daneogl"))) {
                if (gatheringOpis)
                    fail(target, path, QStringLiteral("niezamknięty opis stanowiska"));
                read.Kod = kod;
                read.DataRej = dataRej;
                read.Lokalizacja = lokalizacja;
                read.NrRegon = nrRegon;
                read.NrRej = nrRej;
                read.Opis = ReadElementText(opisText);
                generalRead = true;
                general = false;
            }
            continue;
        }
        if (employment) {
            if (tags.has(QLatin1String("<dane"))) {
                const QStringView valueName = valueNameOf(line);
                if (valueName == QLatin1String("Rok"))
                    rok = ReadElementText(line);
                else if (valueName == QLatin1String("Mezczyzni"))
                    mezczyzni = ReadElementText(line);
                else if (valueName == QLatin1String("Kobiety"))
                    kobiety = ReadElementText(line);
                else if (valueName == QLatin1String("KobietyCiez"))
                    kobietyCiez = ReadElementText(line);
                else if (valueName == QLatin1String("Mlodociani"))
                    mlodociani = ReadElementText(line);
                else if (valueName == QLatin1String("NocnaZm"))
                    nocnaZm = ReadElementText(line);
                else if (valueName == QLatin1String("PrzekrNDS"))
                    przekrNDS = ReadElementText(line);
            } else if (tags.has(QLatin1String("</rok"))) {
                // The values carry over: a year block without a line keeps the year before's.
                read.AddEmployment(TZatrudn(rok, mezczyzni, kobiety, kobietyCiez, mlodociani, nocnaZm, przekrNDS));
            } else if (tags.has(QLatin1String("</zatrudnienie"))) {
                employment = false;
            }
            continue;
        }
        if (factors) {
            if (!tags.has(QLatin1String("<dane"))) {
                if (tags.has(QLatin1String("</czynniki")))
                    factors = false;
                continue;
            }
            const QString aktual = ReadAttributeValue(QStringLiteral("aktual=\""), line);
            const bool current = aktual != QLatin1String("N");
            if (current ? !options.currentFactors : !options.nonCurrentFactors)
                continue;
            const QString frmDane = ReadAttributeValue(QStringLiteral("frm_dane=\""), line);
            const QString nazwa = ReadAttributeValue(QStringLiteral("nazwa=\""), line);
            const QString ident = ReadAttributeValue(QStringLiteral("ident=\""), line);
            const QString idText = ReadAttributeValue(QStringLiteral("id=\""), line);
            const QString szkod = ReadAttributeValue(QStringLiteral("szkod=\""), line);
            int id = 0;
            try {
                id = ToInt(idText);
            } catch (const platform::TarvelinError &) {
                fail(target, path, QStringLiteral("numer czynnika '%1' nie jest liczbą").arg(idText));
            }
            auto factor = std::make_unique<TCzynnik>(nazwa, ident, id,
                                                     ReadAttributeValue(QStringLiteral("ver_pom=\""), line), frmDane,
                                                     aktual, szkod);
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
    FolderForSave folder(WorkstationFolderPath(dataFolder, w.kat_dane));
    if (!folder.Ready())
        return StorageResult::Failure(QStringLiteral("Nie powiodła się próba utworzenia katalogu"));
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
    return writeIntoWorkstationFolder(
        dataFolder, w,
        {{WorkstationDataPath(dataFolder, w.kat_dane), TextXmlFileBytes(WorkstationDataLines(w))},
         {WorkstationListPath(dataFolder), TextXmlFileBytes(WorkstationListLines(list))}});
}

} // namespace storage
