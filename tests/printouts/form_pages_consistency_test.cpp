// Every page form (all 29 are built) against the shipped document definitions the choice
// table gives it. Driven by the catalogue and the layout tables alone: a new page is checked as
// soon as its table is in the program, without a line of test code.
#include "printouts/form_filler.h"
#include "printouts/form_page.h"
#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"

#include "reportengine/vr_frame.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_text_metrics.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "storage/selection_trees.h"
#include "tests/support/fixture.h"

#include <QCheckBox>
#include <QMap>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <memory>

using namespace printouts;
using namespace reportengine;
using storage::TDokum;
using storage::TDokumList;

namespace {

const QString Forms = QStringLiteral("dokumenty\\frm\\");
const QString Attach = QStringLiteral("dokumenty\\zalaczn\\");

// The shipped installation with its definitions and trees, read once.
class Shipped
{
public:
    Shipped() : fx(true)
    {
        const QString version = storage::ConfigVersion();
        storage::ConfigVersion() = QStringLiteral("1.0");
        for (const TPageFormRow &row : PageFormChoiceTable()) {
            const QString file = RowDefinitionFile(row);
            if (definitions.contains(file))
                continue;
            auto &items = definitions[file];
            items = std::make_shared<TDokumList>();
            try {
                storage::ReadDocumentForm(Forms + file, *items);
            } catch (...) {
                items->clear();
            }
            for (const auto &f : *items)
                if (!f->zal.isEmpty() && !trees.contains(f->zal))
                    trees.insert(f->zal, readTree(f->zal));
        }
        storage::ConfigVersion() = version;
    }

    testsupport::FixtureFolder fx;
    QMap<QString, std::shared_ptr<TDokumList>> definitions;
    QMap<QString, QStringList> trees; // leaf texts by tree file

private:
    static QStringList readTree(const QString &zal)
    {
        std::vector<storage::TZalTree> nodes;
        QStringList texts;
        try {
            storage::ReadSelectionTree(Attach + zal, nodes);
        } catch (...) {
        }
        for (const auto &n : nodes)
            texts << n.Text;
        return texts;
    }
};

Shipped &shipped()
{
    static Shipped s;
    return s;
}

const TDokumList &fieldsOf(const TPageFormRow &row)
{
    static const TDokumList none;
    const auto it = shipped().definitions.constFind(RowDefinitionFile(row));
    return it == shipped().definitions.constEnd() ? none : **it;
}

// A built page of a row, with its position among the row's pages.
struct BuiltPage
{
    const TPageFormRow *row;
    TFormPage *page;
};

std::vector<BuiltPage> builtPages()
{
    std::vector<BuiltPage> out;
    for (const TPageFormRow &row : PageFormChoiceTable())
        for (const QString &name : row.pages)
            if (PageFormBuilt(name))
                out.push_back({&row, PageForm(name)});
    return out;
}

QString where(const BuiltPage &b, const TVRPrintable *c = nullptr)
{
    QString s = b.page->objectName() + QStringLiteral(" (") + RowDefinitionFile(*b.row) + QLatin1Char(')');
    if (c)
        s += QStringLiteral(": ") + c->Name();
    return s;
}

bool labelMatches(const QString &name, const TDokum &f)
{
    for (int k = 1; k <= f.ile; ++k)
        if (LabelMatchesSlot(name, f.nazwa, f.ile, k) ||
            LabelMatchesSlot(name, QStringLiteral("Kod_") + f.nazwa, f.ile, k))
            return true;
    return false;
}

// The fields that fill a label, in definition order.
QList<const TDokum *> fieldsFilling(const QString &name, const TDokumList &fields)
{
    QList<const TDokum *> out;
    for (const auto &f : fields)
        if (!f->nazwa.isEmpty() && labelMatches(name, *f))
            out << f.get();
    return out;
}

bool tickChosenBySomeLeaf(const QString &shape, const TDokum &f)
{
    for (const QString &leaf : shipped().trees.value(f.zal)) {
        const QString tick = TickName(f.nazwa, leaf, shape);
        if (!tick.isEmpty() && shape.startsWith(tick))
            return true;
    }
    return false;
}

bool isCombo(const TDokum &f)
{
    return f.typ == QLatin1String("combo");
}

// The longest value a field allows: its length limit filled with ordinary Polish text, or
// the longest choice of its tree as the field prints it.
QString longestValue(const TDokum &f)
{
    if (!f.zal.isEmpty()) {
        QString longest;
        for (const QString &leaf : shipped().trees.value(f.zal))
            if (leaf.size() > longest.size())
                longest = leaf;
        return longest;
    }
    static const QString sample = QStringLiteral("Zażółć gęślą jaźń, przykładowy tekst dokumentu. ");
    QString text;
    const int size = f.rozm > 0 ? f.rozm : 100;
    while (text.size() < size)
        text += sample;
    return text.left(size).trimmed();
}

// A document of the row's definition: every stored field empty, or at its longest.
std::shared_ptr<TDokumList> documentOf(const TPageFormRow &row, bool longest)
{
    auto doc = std::make_shared<TDokumList>();
    for (const auto &f : fieldsOf(row)) {
        auto copy = std::make_unique<TDokum>(*f);
        if (longest && copy->IsStored())
            for (auto &slot : copy->Values)
                slot.wartosc = longestValue(*copy);
        doc->push_back(std::move(copy));
    }
    return doc;
}

// Makes the composer fill pages from `doc`, as blank forms or not, for its lifetime.
class FillFrom
{
public:
    FillFrom(std::shared_ptr<TDokumList> doc, bool blank) : m_doc(std::move(doc))
    {
        TfrmWydruk *w = frmWydruk();
        m_blank = w->cbRodzWydr->isChecked();
        w->cbRodzWydr->setChecked(blank);
        TfrmWydruk::DocumentSource source;
        auto held = m_doc;
        source.Items = [held] { return held.get(); };
        source.StoredVersion = [] { return QString(); };
        w->SetDocumentSource(source);
    }
    ~FillFrom()
    {
        frmWydruk()->SetDocumentSource({});
        frmWydruk()->cbRodzWydr->setChecked(m_blank);
    }

private:
    std::shared_ptr<TDokumList> m_doc;
    bool m_blank;
};

// Names of the components the filler writes: value labels, carriers and ticks.
QStringList filledNames(const TFormPage &page)
{
    QStringList names;
    for (const TVRPrintable *c : page.Components())
        if (page.KindOf(c) == TLayoutControl::Value || page.KindOf(c) == TLayoutControl::Tick)
            names << c->Name();
    return names;
}

} // namespace

TEST(FormPageCatalogue, TheChoiceTableNamesTheTwentyNinePagesOfTheShippedDefinitions)
{
    const QStringList names = PageFormNames();
    EXPECT_EQ(names.size(), 29);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 29);
    QStringList built;
    for (const TPageFormRow &row : PageFormChoiceTable()) {
        const TDokumList &fields = fieldsOf(row);
        int pages = 0;
        for (const auto &f : fields)
            pages += f->typ == QLatin1String("page");
        // Each page of the definition has its "Strona N" box, and each box its page form.
        EXPECT_EQ(pages, row.pages.size()) << RowDefinitionFile(row).toStdString();
        for (const QString &name : row.pages)
            if (PageFormBuilt(name))
                built << name;
    }
    EXPECT_EQ(FindPageFormRow("skw_frm_3.xml", "2")->pages, (QStringList{"frmStatKartWypP1_2", "frmStatKartWypP2_2"}));
    EXPECT_EQ(RowDefinitionFile(*FindPageFormRow("protpow_frm_2.xml", "1")), "protpow_frm_1.xml");
    EXPECT_EQ(FindPageFormRow("protpow_frm_2.xml", ""), nullptr);
    EXPECT_EQ(FindPageFormRow("protpow_frm_2.xml", "3"), nullptr);
    EXPECT_EQ(FindPageFormRow("Protpow_frm_2.xml", "1"), nullptr);
    EXPECT_NE(FindPageFormRow("kartwyp_frm.xml", "7"), nullptr);
    EXPECT_EQ(PageForm(QStringLiteral("frmNieMa")), nullptr);
    // Every page form has its layout table in the program, so every one is checked below.
    EXPECT_EQ(built.size(), 29) << "built: " << built.join(' ').toStdString();
}

TEST(FormPages, EveryBuiltPageReadsItsTableAndStartsOnAPageOfItsOwn)
{
    for (const BuiltPage &b : builtPages()) {
        ASSERT_TRUE(b.page) << where(b).toStdString();
        EXPECT_TRUE(b.page->LayoutErrors().isEmpty()) << where(b).toStdString() << ":\n"
                                                      << b.page->LayoutErrors().join('\n').toStdString();
        TVelRep *r = b.page->Report();
        EXPECT_EQ(r->Page().PaperSize(), TVRPaperSize::A4) << where(b).toStdString();
        EXPECT_EQ(r->Page().Orientation(), TPrinterOrientation::poPortrait) << where(b).toStdString();
        const double usable =
            2100 - r->Page().NativeValue(TVRPage::LeftMarginValue) - r->Page().NativeValue(TVRPage::RightMarginValue);
        bool first = true;
        for (TVRCustomBand *band : r->BandList()) {
            if (band->BandType() == TVRBandType::rbPageHeader || band->BandType() == TVRBandType::rbPageFooter ||
                band->BandType() == TVRBandType::rbColumnHeader || band->BandType() == TVRBandType::rbChild)
                continue;
            EXPECT_TRUE(!first || band->ForceNewPage) << where(b).toStdString() << ": the first band "
                                                      << band->objectName().toStdString() << " needs newpage";
            first = false;
        }
        // A value in a row the form numbers in a column of its own ("27" beside "Przyczyny
        // wypadku") carries that number, so a continuation of it is headed with it.
        static const QRegularExpression bareNumber(QStringLiteral("^[0-9]{1,2}$"));
        for (const TLayoutBand &band : b.page->Layout().bands)
            for (const TLayoutControl &v : band.controls)
                for (const TLayoutControl &t : band.controls)
                    if (v.kind == TLayoutControl::Value && t.kind == TLayoutControl::Text &&
                        t.name.startsWith(QLatin1String("VRLabel")) && bareNumber.match(t.text.trimmed()).hasMatch() &&
                        t.left + t.width <= v.left && t.top < v.top + v.height && v.top < t.top + t.height) {
                        EXPECT_EQ(v.itemNumber, t.text.trimmed() + QLatin1Char('.')) << where(b).toStdString() << ": "
                                                                                     << v.name.toStdString();
                    }
        for (const TVRPrintable *c : b.page->Components()) {
            const auto *band = qobject_cast<const TVRCustomBand *>(c->parent());
            ASSERT_TRUE(band);
            const auto &s = c->Size();
            EXPECT_LE(s.NativeLeft() + s.NativeWidth(), usable + 0.5)
                << where(b, c).toStdString() << " leaves the page";
            EXPECT_LE(s.NativeTop() + s.NativeHeight(), b.page->DesignBandHeight(band) + 0.5)
                << where(b, c).toStdString() << " leaves its band " << band->objectName().toStdString();
            if (const auto *label = qobject_cast<const TVRCustomLabel *>(c)) {
                EXPECT_NE(label->Caption(), label->Name()) << where(b, c).toStdString();
            }
        }
    }
}

TEST(FormPages, EveryValueLabelAndTickHasItsFieldAndNoFixedPartIsTouched)
{
    for (const BuiltPage &b : builtPages()) {
        const TDokumList &fields = fieldsOf(*b.row);
        ASSERT_FALSE(fields.empty()) << where(b).toStdString();
        for (const TVRPrintable *c : b.page->Components()) {
            const QString name = c->Name();
            const auto kind = b.page->KindOf(c);
            if (kind == TLayoutControl::Value) {
                const auto filling = fieldsFilling(name, fields);
                EXPECT_FALSE(filling.isEmpty()) << where(b, c).toStdString() << ": no field fills it";
                // The last field in definition order writes last; it must be the field the
                // label is named after (the longest name), not one whose name is shorter.
                for (const TDokum *f : filling)
                    EXPECT_LE(f->nazwa.size(), filling.last()->nazwa.size())
                        << where(b, c).toStdString() << ": " << f->nazwa.toStdString() << " would overwrite "
                        << filling.last()->nazwa.toStdString();
            } else if (kind == TLayoutControl::Text) {
                const auto filling = fieldsFilling(name, fields);
                EXPECT_TRUE(filling.isEmpty()) << where(b, c).toStdString() << ": a fixed text the field "
                                               << filling.value(0)->nazwa.toStdString() << " would fill";
            } else {
                const TDokum *combo = nullptr;
                for (const auto &f : fields)
                    if (!f->nazwa.isEmpty() && isCombo(*f) && name.startsWith(f->nazwa))
                        combo = f.get();
                if (kind == TLayoutControl::Shape) {
                    EXPECT_EQ(combo, nullptr) << where(b, c).toStdString() << ": a fixed shape the choice "
                                              << combo->nazwa.toStdString() << " would switch";
                    continue;
                }
                ASSERT_NE(combo, nullptr) << where(b, c).toStdString() << ": no choice field switches this tick";
                EXPECT_TRUE(combo->druk == QLatin1String("zaznacz") || combo->druk == QLatin1String("odznacz"))
                    << where(b, c).toStdString() << ": " << combo->nazwa.toStdString() << " has no tick mode";
                EXPECT_TRUE(tickChosenBySomeLeaf(name, *combo))
                    << where(b, c).toStdString() << ": no choice of " << combo->zal.toStdString() << " ticks it";
            }
        }
    }
}

// The other way round from the test above: a choice the user can make that marks nothing on
// the pages that print its field (a tree code "[1.1]" for boxes named "_1", a code with no
// box at all) is lost from paper without a word.
TEST(FormPages, EveryCodedChoiceOfAMarkedFieldMarksItsPages)
{
    for (const TPageFormRow &row : PageFormChoiceTable()) {
        QStringList ticks;
        for (const QString &name : row.pages)
            if (const TFormPage *page = PageForm(name))
                for (const TVRPrintable *c : page->Components())
                    if (page->KindOf(c) == TLayoutControl::Tick)
                        ticks << c->Name();
        for (const auto &f : fieldsOf(row)) {
            if (!isCombo(*f) || f->nazwa.isEmpty())
                continue;
            const QStringList own = ticks.filter(QRegularExpression('^' + QRegularExpression::escape(f->nazwa) + '_'));
            if (own.isEmpty())
                continue;
            for (const QString &leaf : shipped().trees.value(f->zal)) {
                if (BracketCode(leaf).isEmpty())
                    continue;
                bool marks = false;
                for (const QString &tick : own) {
                    const QString chosen = TickName(f->nazwa, leaf, tick);
                    marks = marks || (!chosen.isEmpty() && tick.startsWith(chosen));
                }
                EXPECT_TRUE(marks) << RowDefinitionFile(row).toStdString() << ": \"" << leaf.toStdString() << "\" of "
                                   << f->nazwa.toStdString() << " marks nothing";
            }
        }
    }
}

TEST(FormPages, EveryStoredFieldPrintsOnceEveryPageOfItsDefinitionIsBuilt)
{
    for (const TPageFormRow &row : PageFormChoiceTable()) {
        std::vector<TFormPage *> pages;
        for (const QString &name : row.pages)
            if (PageFormBuilt(name))
                pages.push_back(PageForm(name));
        if (pages.size() != size_t(row.pages.size()))
            continue;
        for (const auto &f : fieldsOf(row)) {
            if (!f->IsStored())
                continue;
            bool printed = false;
            for (const TFormPage *page : pages)
                for (const TVRPrintable *c : page->Components()) {
                    const auto kind = page->KindOf(c);
                    printed = printed || (kind == TLayoutControl::Value && labelMatches(c->Name(), *f)) ||
                              (kind == TLayoutControl::Tick && isCombo(*f) && c->Name().startsWith(f->nazwa));
                }
            EXPECT_TRUE(printed) << RowDefinitionFile(row).toStdString() << ": " << f->nazwa.toStdString()
                                 << " is stored but printed on no page";
        }
    }
}

TEST(FormPages, EveryBoxHoldsItsTextAndEveryValueBoxTheLongestValueItsFieldAllowsAboveItsRules)
{
    for (const BuiltPage &b : builtPages()) {
        TFormPageFiller filler;
        filler.AttachFolder = Attach;
        const auto doc = documentOf(*b.row, true);
        filler.Fill(*b.page, *doc);
        for (const TVRPrintable *c : b.page->Components()) {
            const auto *label = qobject_cast<const TVRCustomLabel *>(c);
            // Value labels with the longest values, fixed texts with their own.
            if (!label || b.page->KindOf(c) == TLayoutControl::Tick || !b.page->DesignEnabled(c))
                continue;
            const TLayoutControl *design = nullptr;
            for (const TLayoutControl *lc : b.page->Layout().Controls())
                if (lc->name == c->Name())
                    design = lc;
            if (!design || design->style.contains(QStringLiteral("grows")))
                continue;
            const TVRTextMeasure measure(label->Font());
            const int lines = int(label->FormattedLines().size());
            EXPECT_LE(lines * measure.LineHeight(), label->PixelHeight() + 1)
                << where(b, c).toStdString() << ": " << lines << " lines of \"" << label->Caption().toStdString()
                << "\" do not fit";
            if (!label->WordWrap()) {
                EXPECT_LE(measure.Width(label->Caption()), label->PixelWidth() + 1)
                    << where(b, c).toStdString() << ": \"" << label->Caption().toStdString() << "\" is cut";
            }
            // No rule of the form runs through the letters of a text or a value at its longest:
            // not under a line's descenders, not through the next line's ascenders.
            QPainterPath ascenders, descenders;
            ascenders.addText(0, 0, measure.Font(), QStringLiteral("łbdhklt"));
            descenders.addText(0, 0, measure.Font(), QStringLiteral("jgpy"));
            const double top = ascenders.boundingRect().top(), bottom = descenders.boundingRect().bottom();
            const int frameTop = label->Frame().DrawTop() ? TVRFrame::Thickness(label->Frame().Width, kPageFactor) : 0;
            const auto &box = c->Size();
            for (const TVRPrintable *r : b.page->Components()) {
                const auto *rule = qobject_cast<const TVRShape *>(r);
                // Strike-out lines (a pen of two) are meant to cross their caption.
                if (!rule || rule->Shape() != TVRShapeType::vrsHorLine || b.page->KindOf(r) != TLayoutControl::Shape ||
                    r->parent() != c->parent() || rule->Pen().width() >= 2)
                    continue;
                const auto &s = r->Size();
                const double y = (s.NativeTop() + s.NativeHeight() / 2 - box.NativeTop()) * kPageFactor;
                for (int i = 0; i < std::min(lines, TFormPage::LinesHeld(*label)); ++i) {
                    // Where the line's letters stand across the box, by its alignment.
                    const QString &text = label->FormattedLines()[i];
                    const double width = measure.Width(text.trimmed()), spare = box.NativeWidth() * kPageFactor - width;
                    const double left = box.NativeLeft() * kPageFactor +
                                        spare * (int(label->Alignment() == TAlignment::taCenter) / 2.0 +
                                                 int(label->Alignment() == TAlignment::taRightJustify));
                    if (text.trimmed().isEmpty() || s.NativeLeft() * kPageFactor >= left + width ||
                        (s.NativeLeft() + s.NativeWidth()) * kPageFactor <= left)
                        continue;
                    const double baseline = frameTop + i * measure.LineHeight() + measure.Ascent();
                    EXPECT_TRUE(y + 0.5 <= baseline + top || y - 0.5 >= baseline + bottom)
                        << where(b, c).toStdString() << ": a rule at " << s.NativeTop() / 10 << " mm runs through line "
                        << i + 1 << " (\"" << text.toStdString() << "\")";
                }
            }
        }
    }
}

TEST(FormPages, BlankPagesPrintAsOnePageAndNoPagePrintsAComponentName)
{
    for (const BuiltPage &b : builtPages()) {
        const QStringList names = filledNames(*b.page);
        for (const bool blank : {true, false}) {
            FillFrom fill(documentOf(*b.row, true), blank);
            ASSERT_TRUE(b.page->Report()->Prepare()) << where(b).toStdString();
            TVRPrinter *printer = b.page->Report()->VRPrinter();
            EXPECT_TRUE(!blank || printer->PageCount() == 1) << where(b).toStdString();
            QStringList texts;
            for (int n = 1; n <= printer->PageCount(); ++n)
                texts += CapturePageTexts(*printer->GetPage(n));
            for (const QString &text : texts)
                EXPECT_FALSE(names.contains(text.trimmed())) << where(b).toStdString() << (blank ? " blank" : " filled")
                                                             << " prints the name " << text.toStdString();
            if (!blank)
                continue;
            const auto values = documentOf(*b.row, true);
            for (const auto &f : *values) {
                // A value of a few letters ("Za") cannot be told from a word of the form.
                if (f->IsStored() && f->rozm >= 5 && f->zal.isEmpty()) {
                    EXPECT_FALSE(texts.join(' ').contains(longestValue(*f).left(20)))
                        << where(b).toStdString() << ": a value on a blank form";
                }
            }
        }
    }
}
