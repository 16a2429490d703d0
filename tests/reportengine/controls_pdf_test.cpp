// A report of every kind of control printed to a PDF file and read back with poppler:
// the words in reading order, the same line breaks as on stored pages, and page 1
// against a reference picture.

#include "page_helpers.h"
#include "report_test_host.h"

#include "reportengine/vr_image.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_richtext.h"
#include "reportengine/vr_shape.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine_test;

namespace {

const QString kTitle = QStringLiteral("Karta próbna – Zażółć gęślą jaźń");
const QString kRichText = QStringLiteral("Tekst sformatowany: ocena ryzyka zawodowego na stanowisku ślusarza.\n"
                                         "Drugi akapit mówi o środkach ochrony indywidualnej i źródłach zagrożeń.");

QStringList MemoParagraphs()
{
    QStringList paragraphs;
    for (int i = 1; i <= 30; ++i)
        paragraphs << QStringLiteral("Akapit %1: pracodawca zapewnia pracownikom łączność, ochronę przed hałasem, "
                                     "źródła światła i pomiary pyłów; ŻÓŁTA tablica stoi przy wejściu numer %1.")
                          .arg(i, 2, 10, QLatin1Char('0'));
    return paragraphs;
}

// A title label and a picture file, a row of every shape, a memo long enough for two
// pages, then a rich text.
void PrintSample(TestReport &report, const QString &dir)
{
    const QString pictureFile = dir + QStringLiteral("/obraz.png");
    QImage picture(96, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(0, 0, 48, 32, Qt::black);
    ASSERT_TRUE(picture.save(pictureFile));

    auto *top = new TestBand(&report, 300);
    auto *title = new TVRLabel(top);
    title->SetFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    title->SetCaption(kTitle);
    title->SetBounds(0, 10, 10, 10);
    auto *image = new TVRImage(top);
    image->SetBounds(600, 0, 10, 10);
    image->SetAutoSize(true);
    EXPECT_TRUE(image->LoadPicture(pictureFile));
    image->Frame().SetAll(true);

    auto *shapes = new TestBand(&report, 250);
    for (int t = 0; t <= int(TVRShapeType::vrsRoundRect); ++t) {
        auto *s = new TVRShape(shapes);
        s->SetShape(TVRShapeType(t));
        s->SetRoundFactor(0.2);
        s->SetBrush(QBrush(Qt::gray));
        s->Size().SetNativeLeft(260 * t);
        s->Size().SetNativeTop(20);
        s->Size().SetNativeWidth(200);
        s->Size().SetNativeHeight(200);
    }

    auto *body = new TestBand(&report, 200);
    auto *memo = new TVRMemo(body);
    memo->SetAutoSize(false);
    memo->SetAutoStretch(true);
    memo->Size().SetNativeWidth(1900);
    memo->Size().SetNativeHeight(150);
    memo->SetLines(MemoParagraphs());

    auto *end = new TestBand(&report, 200);
    auto *rich = new TVRRichText(end);
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

// The share of pixels of two grey pictures of one size that differ by more than a
// sixth of the scale.
double DifferentPixels(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8);
    qint64 off = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            off += std::abs(int(x.constScanLine(row)[col]) - int(y.constScanLine(row)[col])) > 40;
    return double(off) / (double(x.width()) * x.height());
}

} // namespace

TEST(ControlsPdf, EveryControlPrintsAndReadsBackInOrder)
{
    if (Tool("pdftotext").isEmpty() || Tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("kontrolki.pdf"));
    TestReport report;
    report.PrintToPdf(pdf);
    PrintSample(report, dir.path());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(report.Pages, 2);

    // Every word, in order, across both pages.
    const QString text = RunTool(Tool("pdftotext"), {pdf, QStringLiteral("-")});
    const QString all = QStringList({kTitle, MemoParagraphs().join(' '), kRichText}).join(' ');
    qsizetype at = 0;
    for (const QString &word : all.split(QRegularExpression(QStringLiteral("\\s+")))) {
        const qsizetype found = text.indexOf(word, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << word.toStdString() << "\n" << text.toStdString();
        at = found + word.size();
    }
    const QStringList pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Akapit 01:")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Akapit 30:")) && pages[1].contains(QStringLiteral("Tekst")));

    // Stored pages break the lines exactly as the PDF does.
    TestReport stored;
    PrintSample(stored, dir.path());
    QStringList storedLines, pdfLines;
    for (const QString &line : AllPageTexts(stored.Printer()))
        storedLines << line.trimmed();
    for (const QString &line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            pdfLines << line.trimmed().remove(QChar('\f'));
    EXPECT_EQ(storedLines, pdfLines);

    // Page 1 as a picture, against the committed reference.
    RunTool(Tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"), QStringLiteral("1"),
                               QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-gray"),
                               QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("strona"))});
    const QStringList made = QDir(dir.path()).entryList({QStringLiteral("strona*.png")});
    ASSERT_EQ(made.size(), 1);
    const QImage page(dir.filePath(made.first()));
    const QString referenceFile = QStringLiteral(TARVELIN_TEST_DATA "/report_controls_page1.png");
    if (qEnvironmentVariableIsSet("TARVELIN_UPDATE_REFERENCE")) {
        ASSERT_TRUE(page.save(referenceFile));
    }
    const QImage reference(referenceFile);
    ASSERT_EQ(page.size(), reference.size()) << "reference picture " << referenceFile.toStdString();
    EXPECT_LT(DifferentPixels(page, reference), 0.001);
}
