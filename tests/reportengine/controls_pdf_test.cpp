// A report of every kind of control printed to a PDF file and read back with poppler:
// the words in reading order, and page 1 against a reference picture.

#include "page_helpers.h"
#include "report_test_host.h"

#include "reportengine/vr_image.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_richtext.h"
#include "reportengine/vr_shape.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

const QString kTitle = QStringLiteral("Karta próbna – Zażółć gęślą jaźń");

QStringList MemoParagraphs()
{
    QStringList paragraphs;
    for (int i = 1; i <= 30; ++i)
        paragraphs << QStringLiteral("Akapit %1: pracodawca zapewnia pracownikom łączność, ochronę przed hałasem, "
                                     "źródła światła i pomiary pyłów; ŻÓŁTA tablica stoi przy wejściu numer %1.")
                          .arg(i, 2, 10, QLatin1Char('0'));
    return paragraphs;
}

const QString kRichText = QStringLiteral("Tekst sformatowany: ocena ryzyka zawodowego na stanowisku ślusarza.\n"
                                         "Drugi akapit mówi o środkach ochrony indywidualnej i źródłach zagrożeń.");

QImage SamplePicture()
{
    QImage img(96, 64, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(0, 0, 48, 32, Qt::black);
    p.fillRect(48, 32, 48, 32, Qt::darkGray);
    return img;
}

// The report: a title label and a picture, a row of every shape, a memo long enough
// for two pages, then a rich text.
void PrintSample(TestReport &report, const QString &pictureFile)
{
    auto *top = new TestBand(&report, 300);
    auto *title = new TVRLabel(top);
    title->SetName(QStringLiteral("lTytul"));
    title->SetFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    title->SetCaption(kTitle);
    title->SetBounds(0, 10, 10, 10);
    auto *image = new TVRImage(top);
    image->SetBounds(600, 0, 10, 10);
    image->SetAutoSize(true);
    EXPECT_TRUE(image->LoadPicture(pictureFile));
    image->Frame().SetAll(true);

    auto *shapes = new TestBand(&report, 250);
    const TVRShapeType types[] = {TVRShapeType::vrsRectangle, TVRShapeType::vrsCircle,     TVRShapeType::vrsVertLine,
                                  TVRShapeType::vrsHorLine,   TVRShapeType::vrsTopAndBottom,
                                  TVRShapeType::vrsRightAndLeft, TVRShapeType::vrsRoundRect};
    double left = 0;
    for (TVRShapeType t : types) {
        auto *s = new TVRShape(shapes);
        s->SetShape(t);
        s->SetRoundFactor(0.2);
        s->SetBrush(QBrush(Qt::gray));
        s->Size().SetNativeLeft(left);
        s->Size().SetNativeTop(20);
        s->Size().SetNativeWidth(200);
        s->Size().SetNativeHeight(200);
        left += 260;
    }

    auto *body = new TestBand(&report, 200);
    auto *memo = new TVRMemo(body);
    memo->SetName(QStringLiteral("mOpis"));
    memo->SetAutoSize(false);
    memo->SetAutoStretch(true);
    memo->Size().SetNativeWidth(1900);
    memo->Size().SetNativeHeight(150);
    memo->SetLines(MemoParagraphs());

    auto *end = new TestBand(&report, 200);
    auto *rich = new TVRRichText(end);
    rich->SetName(QStringLiteral("rtOcena"));
    rich->SetAutoStretch(true);
    rich->Size().SetNativeWidth(1200);
    rich->Size().SetNativeHeight(100);
    rich->SetFont(QFont(QStringLiteral("Times New Roman"), 12));
    rich->SetText(kRichText);
    rich->Frame().SetAll(true);

    report.Begin();
    report.PrintBand(*top);
    report.PrintBand(*shapes);
    report.PrintBand(*body);
    EXPECT_EQ(body->PrintedPages, 2);
    report.PrintBand(*end);
    report.End();
}

// How far two grey pictures of one size differ: the share of pixels off by more than
// a sixth of the scale.
double DifferentPixels(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8);
    qint64 off = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int col = 0; col < x.width(); ++col)
            if (std::abs(int(p[col]) - int(q[col])) > 40)
                ++off;
    }
    return double(off) / (double(x.width()) * x.height());
}

} // namespace

TEST(ControlsPdf, EveryControlPrintsAndReadsBackInOrder)
{
    if (Tool("pdftotext").isEmpty() || Tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("obraz.png"));
    ASSERT_TRUE(SamplePicture().save(picture));
    const QString pdf = dir.filePath(QStringLiteral("kontrolki.pdf"));
    TestReport report;
    report.PrintToPdf(pdf);
    report.Printer().Title = QStringLiteral("Kontrolki");
    PrintSample(report, picture);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(report.Pages, 2);

    // Every word, in order, across both pages.
    const QString text = RunTool(Tool("pdftotext"), {pdf, QStringLiteral("-")});
    QStringList expected = kTitle.split(QLatin1Char(' '));
    for (const QString &p : MemoParagraphs())
        expected += p.split(QLatin1Char(' '));
    expected += QString(kRichText).replace(QLatin1Char('\n'), QLatin1Char(' ')).split(QLatin1Char(' '));
    qsizetype at = 0;
    for (const QString &word : expected) {
        const qsizetype found = text.indexOf(word, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << word.toStdString() << "\n" << text.toStdString();
        at = found + word.size();
    }
    const QStringList pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Akapit 01:")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Akapit 30:")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Tekst sformatowany")));

    // Page 1 as a picture, against the committed reference.
    const QString prefix = dir.filePath(QStringLiteral("strona"));
    RunTool(Tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"), QStringLiteral("1"),
                               QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-gray"),
                               QStringLiteral("-png"), pdf, prefix});
    const QStringList made = QDir(dir.path()).entryList({QStringLiteral("strona*.png")});
    ASSERT_EQ(made.size(), 1);
    const QImage page(dir.filePath(made.first()));
    const QString referenceFile = QStringLiteral(TARVELIN_TEST_DATA "/report_controls_page1.png");
    if (qEnvironmentVariableIsSet("TARVELIN_UPDATE_REFERENCE")) {
        ASSERT_TRUE(page.save(referenceFile));
    }
    const QImage reference(referenceFile);
    ASSERT_FALSE(reference.isNull()) << "no reference picture " << referenceFile.toStdString();
    ASSERT_EQ(page.size(), reference.size());
    EXPECT_LT(DifferentPixels(page, reference), 0.001);
}

TEST(ControlsPdf, StoredPagesBreakLinesAsThePdfDoes)
{
    if (Tool("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("obraz.png"));
    ASSERT_TRUE(SamplePicture().save(picture));
    TestReport pages;
    PrintSample(pages, picture);
    const QStringList stored = AllPageTexts(pages.Printer());

    const QString pdf = dir.filePath(QStringLiteral("kontrolki.pdf"));
    TestReport printed;
    printed.PrintToPdf(pdf);
    PrintSample(printed, picture);
    QStringList pdfLines;
    for (const QString &line : RunTool(Tool("pdftotext"), {pdf, QStringLiteral("-")}).split('\n'))
        if (!line.trimmed().isEmpty())
            pdfLines << line.trimmed().remove(QChar('\f'));
    QStringList storedLines;
    for (const QString &line : stored)
        storedLines << line.trimmed();
    EXPECT_EQ(storedLines, pdfLines);
}
