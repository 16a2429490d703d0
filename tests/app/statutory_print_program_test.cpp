// The statistical accident card in its three models, the commuting accident card and both
// referrals printed from the running program: stored documents chosen from the document
// list, Print -> "Wydruk" -> preview -> a PDF file checked with poppler (A4, page count,
// the values, codes and wording as printed, no component names) and, in its 72-dpi image,
// the marks: the chosen answer's mark there, another's not. Blank forms print empty.
#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "printouts/form_filler.h"
#include "printouts/form_page.h"
#include "printouts/page_forms.h"
#include "printouts/stat_card_pages.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/selection_trees.h"
#include "tests/app/print_program_support.h"
#include "tests/printouts/pdf_lines.h"
#include "tests/printouts/statutory_samples.h"
#include "tests/support/fixture.h"
#include "workstations/views.h"

#include <QImage>
#include <QListWidget>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

using namespace printprogramtest;

const QString Data = QStringLiteral("dokumenty\\");

// Stored documents of a kind: one per (definition file, values), numbered from 1, listed
// with the form version of their definition as the program lists what it saved.
void store(const QString &kind, const QList<QPair<QString, statutorysamples::Values>> &documents)
{
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TDocumentDefinition list;
    storage::TListDokumList entries;
    ASSERT_TRUE(storage::ReadDocumentList(Data + kind + "_lista.xml", entries, QString(), &list));
    int nr = 0;
    for (const auto &[file, values] : documents) {
        storage::TDocumentDefinition definition;
        ASSERT_TRUE(storage::ReadDocumentForm(QStringLiteral("dokumenty\\frm\\") + file, definition));
        for (auto &item : definition.Items)
            for (const auto &v : values)
                if (item->nazwa == v.first && item->Slot(1))
                    item->Slot(1)->wartosc = v.second;
        ++nr;
        ASSERT_TRUE(
            storage::WriteDocumentData(Data, list.Katalog, kind + QStringLiteral("_dane_%1").arg(nr), definition.Items)
                .ok());
        entries.push_back(std::make_unique<storage::TListDokum>(nr, QStringLiteral("2024-0%1-01").arg(nr),
                                                                QStringLiteral("dokument %1").arg(nr),
                                                                storage::ExtractFormVersion(file)));
    }
    ASSERT_TRUE(storage::WriteDocumentList(Data, kind + "_lista", list, list.Plik, entries).ok());
}

void openStored(int row)
{
    workstations::TfrmDokum *doc = workstations::frmDokum(appstate::State());
    ASSERT_GT(doc->lbDatyOsob->count(), row);
    doc->lbDatyOsob->setCurrentRow(row);
    doc->lbDatyOsobClick(doc->lbDatyOsob->item(row));
}

// Whether a mark of the page form prints on page `page` of the printed images: the centre
// of a filled mark, the left end of a ring, the middle of a line. The band it lies on
// starts `bandTop` mm below the paper's top edge.
bool markPrinted(const QString &imageStem, int page, const char *pageForm, const char *mark, double bandTop)
{
    const QImage image(imageStem + QStringLiteral("-%1.png").arg(page));
    const reportengine::TVRShape *shape = printouts::PageForm(QString::fromLatin1(pageForm))->Shape(mark);
    if (image.isNull() || !shape)
        return false;
    const auto &s = shape->Size();
    double x = 10 + (s.NativeLeft() + s.NativeWidth() / 2) / 10,
           y = bandTop + (s.NativeTop() + s.NativeHeight() / 2) / 10;
    if (shape->Shape() == reportengine::TVRShapeType::vrsCircle)
        x = 10 + s.NativeLeft() / 10 + 0.2;
    const double perMm = image.width() / 210.0;
    const int cx = int(x * perMm), cy = int(y * perMm);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (qGray(image.pixel(cx + dx, cy + dy)) < 128)
                return true;
    return false;
}

const char *const kComponentNames[] = {"Kod_RodzUraz", "NazwaAdresPracod",  "LiczDniNiezd1",   "RzeczSkutkiWyp",
                                       "MiejsceZdarz", "ImieNazwiskoSporz", "OpisDochodzenie", "vrlOsobaPraca",
                                       "RodzajDanych", "VRLabel",           "VRShape"};

// The print as "Wydruk" offered its pages, on A4, with every text wanted and no component's name.
void expectPrinted(const Printed &printed, const char *boxes, int pages, std::initializer_list<const char *> wanted)
{
    EXPECT_EQ(printed.boxes, QString::fromLatin1(boxes));
    EXPECT_EQ(printed.pages, pages);
    EXPECT_TRUE(printed.a4);
    for (const char *w : wanted)
        EXPECT_TRUE(printed.text.contains(QString::fromUtf8(w))) << w << "\n" << printed.text.toStdString();
    for (const char *name : kComponentNames)
        EXPECT_FALSE(printed.text.contains(QString::fromLatin1(name))) << name;
}

// Exactly `size` characters of words, in an order of the seed's own.
QString words(int size, bool lines, quint32 seed)
{
    static const QStringList kWords =
        QString::fromUtf8("jabłko gruszka śliwka wiśnia porzeczka jeżyna żurawina pigwa czereśnia łubin żołądź")
            .split(' ');
    QRandomGenerator random(seed);
    QString text, line;
    while (text.size() + line.size() < size) {
        const QString &word = kWords[random.bounded(int(kWords.size()))];
        if (lines && line.size() + word.size() >= 79)
            text += std::exchange(line, QString()) + QLatin1Char('\n');
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return (text + line).left(size);
}

// Whether the value stands in the text: whole, or begun in one place and continued after it
// (a box and its continuation); blanks do not count.
bool printedWhole(QString value, QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    value.remove(blanks);
    text.remove(blanks);
    qsizetype good = 0, bad = value.size() + 1; // the longest beginning found
    while (bad - good > 1)
        (text.contains(value.left((good + bad) / 2)) ? good : bad) = (good + bad) / 2;
    const qsizetype end = text.indexOf(value.left(good)) + good;
    return good == value.size() || (good >= 20 && text.indexOf(value.mid(good), end) >= 0);
}

} // namespace

class StatutoryDocumentsInProgram : public DocumentPrintProgram
{
};

TEST_F(StatutoryDocumentsInProgram, StoredCardsAndReferralsOfEveryModelPrintThroughWydruk)
{
    store("skw", {{"skw_frm_1.xml", statutorysamples::StatisticalCard(1)},
                  {"skw_frm_2.xml", statutorysamples::StatisticalCard(2)},
                  {"skw_frm_3.xml", statutorysamples::StatisticalCard(3)}});
    store("kartwypdroga", {{"kartwypdroga_frm.xml", statutorysamples::CommutingCard()}});
    store("skierbad", {{"skierbad_frm_1.xml", statutorysamples::Referral(1, "kobieta")},
                       {"skierbad_frm_2.xml", statutorysamples::Referral(2, QString::fromUtf8("mężczyzna"))}});
    auto &s = appstate::State();
    const QString out = QStringLiteral(TARVELIN_TEST_OUTPUT) + QLatin1Char('/');
    {
        shell::TfrmMain w;
        w.show();
        // Tall enough for every icon of the accident documents to be seen and clicked.
        w.resize(1024, 1000);
        clickHeader(w, 1);
        clickIcon(w, 5); // Statystyczna karta wypadku
        ASSERT_EQ(s.ViewName, "skw_frm_3.xml");
        for (int version = 1; version <= 3; ++version) {
            SCOPED_TRACE(version);
            openStored(version - 1);
            const QString name = QStringLiteral("statystyczna_karta_%1").arg(version);
            const Printed card = printThroughPreview(w, dialogs, false, name);
            expectPrinted(card, "xx--", 2,
                          {"STATYSTYCZNA KARTA WYPADKU", "Złamania zamknięte", "021", "Dłoń", "Pruszcz Gdański",
                           "Maszyny do formowania", "10.07", "Grażyna Śliwińska", "CZĘŚĆ II"});
            EXPECT_TRUE(card.text.contains(version == 1 ? "8 grudnia 2004" : "7 stycznia 2009"));
            EXPECT_EQ(card.text.contains("bhp@zuraw.example.pl"), version == 3);
            const std::tuple<int, const char *, bool> marks[] = {
                {1, "Plec_2", true},      {1, "Plec_1", false},          {1, "TypWyp_1_3", true},
                {1, "TypWyp_2_3", false}, {2, "RzeczSkutkiWyp_1", true}, {2, "RzeczSkutkiWyp_3", false}};
            for (const auto &[page, mark, on] : marks) {
                const QByteArray form = QStringLiteral("frmStatKartWypP%1_%2").arg(page).arg(version).toLatin1();
                EXPECT_EQ(markPrinted(out + name, page, form, mark, 10), on) << mark;
            }
        }
        const Printed blankCard = printThroughPreview(w, dialogs, true, QStringLiteral("statystyczna_karta_pusta"));
        expectPrinted(blankCard, "xx--", 2, {"STATYSTYCZNA KARTA WYPADKU", "Rodzaj urazu", "CZĘŚĆ II"});
        for (const char *value : {"Dłoń", "Pruszcz", "Śliwińska", "Żuraw"})
            EXPECT_FALSE(blankCard.text.contains(QString::fromUtf8(value))) << value;
        EXPECT_FALSE(markPrinted(out + "statystyczna_karta_pusta", 1, "frmStatKartWypP1_3", "Plec_2", 10));

        clickIcon(w, 6); // Karta wypadku w drodze
        ASSERT_EQ(s.ViewName, "kartwypdroga_frm.xml");
        openStored(0);
        const Printed way = printThroughPreview(w, dialogs, false, QStringLiteral("karta_wypadku_w_drodze"));
        expectPrinted(way, "xxx-", 3,
                      {"KARTA WYPADKU", "Małgorzata Żak", "KWD/3/2024", "Puławskiej", "Tadeusz Kęsicki",
                       "Przerwa w drodze nie była uzasadniona", "Henryk Ćwik", "Niepotrzebne skreślić"});
        // The detail band follows a page header of 9 mm.
        const QString wayImages = out + "karta_wypadku_w_drodze";
        const std::tuple<int, const char *, bool> wayMarks[] = {
            {1, "TytulUbezpPoszk_1", true}, {1, "TytulUbezpPoszk_2", false}, {2, "MiejsceWyp_1_0", true},
            {2, "MiejsceWyp_0_2", true},    {2, "MiejsceWyp_2_0", false},    {2, "MiejsceWyp_0_1", false}};
        for (const auto &[page, mark, on] : wayMarks)
            EXPECT_EQ(markPrinted(wayImages, page, page == 1 ? "frmWypadekDrogaP1" : "frmWypadekDrogaP2", mark, 19), on)
                << mark;

        clickHeader(w, 2);
        clickIcon(w, 0); // Skierowanie na badania lekarskie
        ASSERT_EQ(s.ViewName, "skierbad_frm_2.xml");
        openStored(0);
        const Printed first = printThroughPreview(w, dialogs, false, QStringLiteral("skierowanie_1"));
        expectPrinted(first, "x---", 1,
                      {"SKIEROWANIE NA BADANIE LEKARSKIE", "Niniejszym kierujemy Panią:", "urodzoną:",
                       "Łucja Grześkowiak", "INFORMACJA O WYSTĘPUJĄCYCH CZYNNIKACH"});
        openStored(1);
        const Printed second = printThroughPreview(w, dialogs, false, QStringLiteral("skierowanie_2"));
        expectPrinted(second, "x---", 1,
                      {"SKIEROWANIE NA BADANIA LEKARSKIE", "(wstępne)", "Mikołaj Bączek", "nr PESEL", "92111054321",
                       "podejmującego pracę na stanowisku lub stanowiskach pracy"});
        const Printed again = printThroughPreview(w, dialogs, false, QStringLiteral("skierowanie_2_znowu"));
        EXPECT_EQ(again.text, second.text);
        s.SetModified(false);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join('|').toStdString();
    appstate::UnregisterCommandDialog(QStringLiteral("frmWydruk"));
}

// The longest choice of a tree as its field stores it ("[code] text").
QString longestLeaf(const QString &zal)
{
    std::vector<storage::TZalTree> nodes;
    storage::ReadSelectionTree(QStringLiteral("dokumenty\\zalaczn\\") + zal, nodes);
    return std::ranges::max_element(nodes, {}, [](const storage::TZalTree &n) { return n.Text.size(); })->Text;
}

// Every text item of every page form at its limit, a line break every 80 characters, printed
// from the program: each value whole on paper, in its box or continued on a further sheet;
// and each one-line value, measured where pdftotext finds its words, inside its box.
class StatutoryPagesWhole : public DocumentPrintProgram, public ::testing::WithParamInterface<int>
{
};

TEST_P(StatutoryPagesWhole, EveryTextItemPrintsWholeAtItsLimit)
{
    const printouts::TPageFormRow &row = printouts::PageFormChoiceTable()[size_t(GetParam())];
    const QString file = printouts::RowDefinitionFile(row);
    SCOPED_TRACE(file.toStdString());
    const QMap<QString, QPair<int, int>> icons = {{"protpow_frm_2.xml", {1, 0}},    {"kartwyp_frm.xml", {1, 1}},
                                                  {"protprzes_frm.xml", {1, 2}},    {"polpostpow_frm.xml", {1, 3}},
                                                  {"kartrejwyp_frm.xml", {1, 4}},   {"skw_frm_3.xml", {1, 5}},
                                                  {"kartwypdroga_frm.xml", {1, 6}}, {"skierbad_frm_2.xml", {2, 0}},
                                                  {"zaswszkol_frm.xml", {2, 1}},    {"kartaszkol_frm.xml", {2, 2}}};
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TDocumentDefinition definition;
    ASSERT_TRUE(storage::ReadDocumentForm(QStringLiteral("dokumenty\\frm\\") + file, definition));
    // The items the pages print: the writer of each label is the last field it begins with.
    statutorysamples::Values values;
    QMap<QString, QString> printedAs; // by field: the text its labels print
    std::vector<std::tuple<const printouts::TFormPage *, const printouts::TLayoutControl *, QString>> oneLine;
    QStringList headings; // what a continuation may be headed with: the item's number and caption
    for (const QString &name : row.pages) {
        const printouts::TFormPage *page = printouts::PageForm(name);
        for (const printouts::TLayoutControl *c : page->Layout().Controls()) {
            const storage::TDokum *f = nullptr;
            for (const auto &item : definition.Items)
                if (item->IsStored() && printouts::LabelMatchesSlot(c->name, item->nazwa, item->ile, 1))
                    f = item.get();
            if (!f || c->kind != printouts::TLayoutControl::Value || c->style.contains("off"))
                continue;
            // One-line items at their limit in capitals, or a choice at its tree's longest, marked "Q07Q " to be found
            // on paper (not the statistical card's boxes of one character); a long text begins with a web address.
            const auto &boxes = printouts::TfrmStatKartWyp::Boxes();
            const bool single = c->style.contains("nowrap") &&
                                std::none_of(boxes.begin(), boxes.end(), [f](auto &b) { return f->nazwa == b.stem; });
            if (!printedAs.contains(f->nazwa)) {
                QString value = f->zal.isEmpty() ? words(f->rozm, f->typ == "memo" && !single, qHash(f->nazwa))
                                                 : (single && f->druk.isEmpty() ? longestLeaf(f->zal) : QString());
                const qsizetype close = value.indexOf(QLatin1String("] ")), text = close < 0 ? 0 : close + 2;
                if (single && value.size() - text >= 8)
                    value = value.left(text) + QStringLiteral("Q%1Q ").arg(printedAs.size(), 2, 10, QChar('0')) +
                            value.mid(text + 5).toUpper();
                else if (f->typ == "memo" && f->rozm >= 400)
                    value = QStringLiteral("www.żurawina.pl/").repeated(13) + '\n' + value.left(f->rozm - 209);
                if (value.isEmpty() || (f->typ == "combo" && !single))
                    continue;
                values << qMakePair(f->nazwa, value);
                printedAs.insert(f->nazwa, f->typ == "form" ? printouts::FormCaption(value) : value);
            }
            if (single && printedAs.value(f->nazwa).startsWith('Q'))
                oneLine.push_back({page, c, f->nazwa});
            headings << QStringLiteral("Ciąg dalszy: ") + (c->itemNumber + QLatin1Char(' ') + f->etyk).trimmed();
        }
    }
    store(file.section('_', 0, 0), {{file, values}});
    {
        shell::TfrmMain w;
        w.show();
        w.resize(1024, 1000);
        clickHeader(w, icons.value(row.definitionFile).first);
        clickIcon(w, icons.value(row.definitionFile).second);
        ASSERT_EQ(appstate::State().ViewName, row.definitionFile);
        openStored(0);
        const QString name = QStringLiteral("whole_") + file.section('.', 0, 0);
        ASSERT_GE(printThroughPreview(w, dialogs, false, name).pages, int(row.pages.size()));
        const QString pdf = QStringLiteral(TARVELIN_TEST_OUTPUT "/") + name + ".pdf";
        const QString text = RunTool(Tool("pdftotext"), {"-raw", pdf, "-"});
        for (const auto &[field, value] : values)
            EXPECT_TRUE(printedWhole(printedAs.value(field), text)) << field.toStdString() << ", " << value.size();
        // Every sheet after a page form's first (its bands or its carried texts run on) names the
        // form, the document and its page; a table running on repeats its head; each carried item
        // is headed with its number, once however often its box printed.
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        const QString identity = printouts::DocumentIdentity(row, [&](const QString &f) { return printedAs.value(f); });
        QStringList pages = text.split(QLatin1Char('\f'));
        for (QString &page : pages)
            page.remove(blanks);
        if (pages.last().isEmpty())
            pages.removeLast();
        QStringList carried;
        int form = -1;         // the page form the sheet belongs to
        bool carrying = false; // its carried texts have begun
        for (int n = 0; n < pages.size(); ++n) {
            if (!pages[n].contains(QStringLiteral("ciągdalszy(stronadodatkowa)"))) {
                ++form; // a page form's first sheet
                carrying = false;
                continue;
            }
            ASSERT_GE(form, 0);
            for (const QString &wanted : {row.title, identity, QStringLiteral("Strona %1").arg(n + 1)})
                EXPECT_TRUE(pages[n].contains(QString(wanted).remove(blanks))) << n + 1 << wanted.toStdString();
            carrying = carrying || pages[n].contains("Ciągdalszy:");
            for (const printouts::TLayoutBand &band : printouts::PageForm(row.pages[form])->Layout().bands)
                for (const printouts::TLayoutControl &c : band.controls)
                    EXPECT_TRUE(carrying || band.type != reportengine::TVRBandType::rbColumnHeader ||
                                pages[n].contains(QString(c.text).remove(blanks)))
                        << n + 1 << c.text.toStdString();
            for (auto at = pages[n].indexOf("Ciągdalszy:"); at >= 0; at = pages[n].indexOf("Ciągdalszy:", at + 1)) {
                const auto heading = std::find_if(headings.rbegin(), headings.rend(), [&](QString h) {
                    return pages[n].mid(at).startsWith(h.remove(blanks));
                });
                ASSERT_NE(heading, headings.rend()) << pages[n].mid(at, 60).toStdString();
                EXPECT_FALSE(carried.contains(*heading)) << "carried twice";
                carried << *heading;
            }
        }
        EXPECT_EQ(form + 1, int(row.pages.size()));
        // A one-line value lies inside its box: from the box's left edge to its right, and
        // no higher than the box (two lines of smaller type at most).
        const auto printed = pdfwords::Words(RunTool(Tool("pdftotext"), {"-bbox", "-raw", pdf, "-"}));
        const double pt = 72 / 25.4, tolerance = 0.3 * pt;
        for (const auto &[page, box, field] : oneLine) {
            const double left = (page->Layout().margins[0] + box->left) * pt, right = left + box->width * pt;
            bool inside = false;
            for (const pdfwords::Word &o : pdfwords::Occurrences(printed, printedAs.value(field)))
                inside = inside || (o.xMin >= left - tolerance && o.xMax <= right + tolerance &&
                                    o.yMax - o.yMin <= box->height * pt + tolerance);
            EXPECT_TRUE(inside) << page->objectName().toStdString() << ": " << box->name.toStdString();
        }
    }
    appstate::UnregisterCommandDialog(QStringLiteral("frmWydruk"));
}

INSTANTIATE_TEST_SUITE_P(EveryDefinition, StatutoryPagesWhole,
                         ::testing::Range(0, int(printouts::PageFormChoiceTable().size())));
