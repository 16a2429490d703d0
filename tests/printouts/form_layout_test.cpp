// Layout tables: what a table makes of a page (bands, chains, controls in table order,
// fonts, design states, no label showing its own name), and what a faulty table reports.
#include "printouts_test_support.h"

#include "printouts/form_layout.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"

#include <gtest/gtest.h>

using namespace printouts;
using namespace reportengine;

namespace {

const char *kTable = R"(# a comment
report | vrKarta | serif 11pt margins=10,12,10,8 options=FirstPageHeader
band  | Naglowek    | pageheader | 15
text  | -           | 0,0,60,5   | 8pt i center | (nazwa pracodawcy)
shape | -           | 0,5,60,0.5 | hline dot
band  | bPracownik  | detail     | 30   | newpage
text  | vrlOsoba    | 0,0,20,5   | b | Pan(i):
value | ImNazw      | 22,0,100,5 | sans |
value | Plec        | 0,0,10,4   | off |
value | Adres       | 22,6,100,5 | | ...... | kreski | dalej
tick  | Plec_1      | 130,0,3,3  | fill
band  | Sekcja      | subdetail  | 20
band  | Sekcja2     | subdetail  | 20   | master=Sekcja
band  | Dopisek     | child      | 10   | parent=Sekcja2
text  | -           | 0,0,190,9  | 8pt | pierwsza\ndruga
)";

} // namespace

TEST(FormLayout, ATableBecomesAReportPageWithItsBandsAndControlsInOrder)
{
    TFormPage page(QStringLiteral("frmKarta"), QString::fromUtf8(kTable));
    ASSERT_TRUE(page.LayoutErrors().isEmpty()) << page.LayoutErrors().join('\n').toStdString();
    TVelRep *r = page.Report();
    EXPECT_EQ(page.objectName(), "frmKarta");
    EXPECT_EQ(r->objectName(), "vrKarta");
    EXPECT_EQ(r->Page().PaperSize(), TVRPaperSize::A4);
    EXPECT_EQ(r->Units(), TVRUnit::MM);
    EXPECT_DOUBLE_EQ(r->Page().TopMargin(), 12);
    EXPECT_DOUBLE_EQ(r->Page().BottomMargin(), 8);
    EXPECT_EQ(r->Options, int(FirstPageHeader));
    EXPECT_EQ(r->Font().family(), "Times New Roman");
    EXPECT_EQ(r->Font().pointSizeF(), 11);

    QStringList names;
    for (TVRPrintable *p : page.Components())
        names << p->Name();
    EXPECT_EQ(names,
              (QStringList{"VRLabel1", "VRShape1", "vrlOsoba", "ImNazw", "Plec", "Adres", "Plec_1", "VRLabel2"}));
    EXPECT_EQ(page.Label("VRLabel1")->Caption(), "(nazwa pracodawcy)");
    EXPECT_EQ(page.Label("VRLabel1")->Font().pointSizeF(), 8);
    EXPECT_TRUE(page.Label("VRLabel1")->Font().italic());
    EXPECT_EQ(page.Label("VRLabel2")->Caption(), "pierwsza\ndruga");
    EXPECT_EQ(page.Label("ImNazw")->Caption(), ""); // never its own name
    EXPECT_EQ(page.Label("ImNazw")->Font().family(), "Arial");
    EXPECT_EQ(page.Label("Adres")->Caption(), "...... | kreski | dalej");
    EXPECT_EQ(page.DesignCaption(page.Label("Adres")), "...... | kreski | dalej");
    EXPECT_FALSE(page.Label("Plec")->Enabled());
    EXPECT_FALSE(page.DesignEnabled(page.Label("Plec")));
    EXPECT_EQ(page.KindOf(page.Label("Plec")), TLayoutControl::Value);
    EXPECT_EQ(page.KindOf(page.Shape("Plec_1")), TLayoutControl::Tick);
    EXPECT_EQ(page.Shape("VRShape1")->Shape(), TVRShapeType::vrsHorLine);
    EXPECT_DOUBLE_EQ(page.Label("ImNazw")->Size().NativeLeft(), 220);
    EXPECT_DOUBLE_EQ(page.DesignHeight(page.Label("ImNazw")), 50);

    EXPECT_TRUE(page.Band("bPracownik")->ForceNewPage);
    EXPECT_EQ(r->DetailBand(), page.Band("bPracownik"));
    EXPECT_EQ(page.Band("Sekcja")->ChildBand(), nullptr);
    EXPECT_EQ(page.Band("Sekcja2")->ChildBand(), page.Band("Dopisek"));
    EXPECT_EQ(qobject_cast<TVRSubDetail *>(page.Band("Sekcja2"))->Master(), page.Band("Sekcja"));
    EXPECT_DOUBLE_EQ(page.DesignBandHeight(page.Band("Sekcja")), 200);
    EXPECT_EQ(page.Label("ImNazw")->parent(), page.Band("bPracownik"));
}

TEST(FormLayout, FaultsAreReportedWithTheirLinesAndNoBandIsBuilt)
{
    const QList<QPair<QString, QString>> cases = {
        {"band | B | detail | 10", "line 1: the first record must be the report"},
        {"report | R |\nvalue | X | 0,0,1,1 | |", "line 2: a control before the first band"},
        {"report | R |\nband | B | detail | 10\nvalue | X | 0,0,1 | |", "line 3: X: the box must be"},
        {"report | R |\nband | B | detail | 10\nvalue | X | 0,0,1,1 | |\ntext | X | 0,0,1,1 | |", "line 4: the name X"},
        {"report | R |\nband | B | child | 10", "line 2: child band B needs parent="},
        {"report | R |\nband | B | child | 10 | parent=C", "line 2: band B: no band C"},
        {"report | R |\nband | B | detail | 10 | master=B", "only sub-details and groups"},
        {"report | R |\nband | B | detail | 10\nvalue | X | 0,0,1,1 | bold |", "line 3: X: unknown style bold"},
        {"report | R |\nband | B | detail | 10\ntick | - | 0,0,1,1 | fill", "line 3: a value label or tick needs"},
        {"report | R |\nband | B | detail | 10\nlabel | X | 0,0,1,1", "line 3: unknown record \"label\""},
        {"report | R | 200pt", "line 1: unknown report style 200pt"},
        {"report | R |\nband | B | side | 10", "line 2: unknown band type side"},
        {"report | R |\nband | B | detail | -5", "line 2: band height -5"},
        {"report | R |\nband | 1B | detail | 5", "line 2: \"1B\" is not a name"},
        {"", "no report record"},
    };
    for (const auto &c : cases) {
        TFormPage page(QStringLiteral("frmZly"), c.first);
        ASSERT_FALSE(page.LayoutErrors().isEmpty()) << c.first.toStdString();
        EXPECT_TRUE(page.LayoutErrors().join('\n').contains(c.second))
            << c.first.toStdString() << " -> " << page.LayoutErrors().join('\n').toStdString();
        EXPECT_TRUE(page.Report()->BandList().empty());
    }
    TFormPage missing(QStringLiteral("frmBrak"));
    EXPECT_TRUE(missing.LayoutErrors().join(' ').contains(":/formpages/frmBrak.txt"));
    EXPECT_FALSE(TFormPage::LayoutExists(QStringLiteral("frmBrak")));
}

TEST(FormLayout, APagePrintsItsFixedTextsAndNeverAComponentName)
{
    TFormPage page(QStringLiteral("frmKarta"), QString::fromUtf8(kTable));
    ASSERT_TRUE(page.Report()->Prepare());
    TVRPrinter *printer = page.Report()->VRPrinter();
    ASSERT_EQ(printer->PageCount(), 1);
    const QStringList texts = CapturePageTexts(*printer->GetPage(1));
    EXPECT_TRUE(texts.contains("(nazwa pracodawcy)"));
    EXPECT_TRUE(texts.contains("Pan(i):"));
    for (const char *name : {"ImNazw", "Plec", "Adres", "VRLabel1"})
        EXPECT_FALSE(texts.join(' ').contains(QString::fromLatin1(name))) << name;
}
