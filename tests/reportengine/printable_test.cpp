// Printable base: units, alignment, frames, what takes part in printing; links and the
// export filter seam.

#include "report_test_host.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_hyperlinks.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_shape.h"

#include "tests/support/fakes.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace reportengine_test;

namespace {

class RecordingFilter : public TVRExportFilter
{
public:
    void Start(double, double, const QFont &) override {}
    void TextOut(double x, double y, const QFont &, const QColor &, TAlignment, const QString &text) override
    {
        texts << QStringLiteral("%1 %2 %3").arg(x).arg(y).arg(text);
    }
    void ShapeOut(const TVRExportShape &shape) override { shapes.push_back(shape); }
    void ImageOut(const QRectF &, const QImage &) override {}

    QStringList texts;
    std::vector<TVRExportShape> shapes;
};

class ReportInMillimetres : public TestReport
{
public:
    TVRUnit HostUnits() const override { return TVRUnit::MM; }
    int HostZoom() const override { return 200; }
};

} // namespace

TEST(Printable, SizesAreReadInTheUnitsOfItsReport)
{
    TVRPrintableSize size;
    size.SetUnits(TVRUnit::Inches);
    size.SetLeft(1);
    EXPECT_DOUBLE_EQ(size.NativeLeft(), 254);
    size.SetUnits(TVRUnit::Pixels);
    size.Zoom = 50;
    EXPECT_DOUBLE_EQ(size.Left(), 48);
    size.SetUnits(TVRUnit::Characters); // Arial 10 pt without a report
    EXPECT_NEAR(size.Left(), 254 / (80.0 / 10 / 2.54) / 10, 1e-9);
    EXPECT_NEAR(size.LoadUnit(254, TVRUnit::Characters, false), 254 / (145.3 / 10 / 2.54) / 10, 1e-9);

    ReportInMillimetres report;
    TestBand band(&report, 200, 1000);
    auto *shape = new TVRShape(&band);
    EXPECT_EQ(shape->ParentReport(), &report);
    EXPECT_EQ(shape->PixelWidth(), 65);
    EXPECT_NEAR(shape->Size().Width(), 65 / 96.0 * 25.4 / 2, 1e-9); // 65 pixels at zoom 200
    auto *loose = new TVRShape;
    EXPECT_EQ(loose->ParentReport(), nullptr);
    loose->SetParent(&band);
    EXPECT_EQ(loose->ParentReport(), &report);
    EXPECT_EQ(loose->Size().Units(), TVRUnit::MM);
}

TEST(Printable, AlignsInsideItsBandInWholePixels)
{
    TestReport report;
    TestBand band(&report, 200, 100 / kPageFactor); // 100 pixels
    auto *shape = new TVRShape(&band);
    shape->SetBounds(7, 3, 31, 20);
    shape->SetAlignment(TAlignment::taCenter);
    shape->SetAlignToBand(true);
    EXPECT_EQ(shape->PixelLeft(), 34);
    shape->SetAlignment(TAlignment::taRightJustify);
    EXPECT_EQ(shape->PixelLeft(), 69);
    shape->SetBounds(0, 3, 40, 20); // a size change re-aligns
    EXPECT_EQ(shape->PixelLeft(), 60);

    shape->SetEnabled(false); // a visible disabled control stays out, a hidden one not
    EXPECT_FALSE(shape->IsPrintable());
    shape->SetVisible(false);
    EXPECT_TRUE(shape->IsPrintable());
}

TEST(Frame, SidesAreAsThickAsTheOutputNeeds)
{
    EXPECT_EQ(TVRFrame::Thickness(1, 600 / 254.0), 8);
    EXPECT_EQ(TVRFrame::Thickness(1, 0.01), 1);
    EXPECT_EQ(TVRFrame::Thickness(-1, 600 / 254.0), 1);
    EXPECT_EQ(TVRFrame::Thickness(0, 600 / 254.0), 0);

    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    TVRFrame frame;
    frame.Width = 3;
    frame.SetDrawTop(true);
    frame.SetDrawRight(true);
    {
        QPainter p(&img);
        frame.PaintIt(p, QRect(5, 5, 20, 10), 0.5, 0.5); // 3 pt: 5 pixels
    }
    EXPECT_EQ(img.pixelColor(5, 9), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(5, 10), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(20, 14), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(19, 14), QColor(Qt::white)); // no left or bottom side
    EXPECT_EQ(img.pixelColor(24, 15), QColor(Qt::white));
}

TEST(ExportFilter, PrintedControlsReachAnActiveFilter)
{
    TestReport report;
    RecordingFilter filter;
    report.Filter = &filter;
    TestBand band(&report, 300);
    auto *label = new TVRLabel(&band);
    label->SetColor(Qt::yellow);
    label->SetCaption(QStringLiteral("Wydrukowano : 2009-03-05"));
    label->Frame().SetDrawBottom(true);
    (new TVRLabel(&band))->SetCaption(QStringLiteral("biała"));
    (new TVRShape(&band))->SetShape(TVRShapeType::vrsCircle);
    report.Begin();
    report.PrintBand(band);
    report.End();
    EXPECT_EQ(filter.texts, QStringList({"100 100 Wydrukowano : 2009-03-05", "100 100 biała"}));
    // The yellow background, the frame's bottom side and the circle; a white label
    // hands over no background.
    ASSERT_EQ(filter.shapes.size(), 3u);
    EXPECT_EQ(filter.shapes[0].Brush.color(), QColor(Qt::yellow));
    EXPECT_EQ(filter.shapes[1].Shape, TVRShapeType::vrsHorLine);
    EXPECT_EQ(filter.shapes[2].Shape, TVRShapeType::vrsCircle);

    TVRExportFilterLibrary library;
    EXPECT_EQ(library.SaveDialogFilter(), QStringLiteral("Velumar file (*.VRP *.vrp)"));
    library.Add({QStringLiteral("Tekst"), QStringLiteral("txt"), nullptr});
    EXPECT_EQ(library.SaveDialogFilter(), QStringLiteral("Velumar file (*.VRP *.vrp);;Tekst (*.txt)"));
    EXPECT_TRUE(ExportFilterLibrary().Filters().empty());
}

TEST(Hyperlinks, PrefixesDecideWhereALinkGoes)
{
    testsupport::RecordingLauncher launcher;
    DispatchHyperlink(QStringLiteral("ext:https://example.org/a"));
    DispatchHyperlink(QStringLiteral("INT:strona2"));
    DispatchHyperlink(QStringLiteral("raport.pdf"));
    EXPECT_EQ(launcher.opened, QStringList({"https://example.org/a", "raport.pdf"}));

    QStringList taken;
    RegisterHyperlinkHandler(QStringLiteral("str"), [&](const QString &rest) { taken << "1:" + rest; });
    RegisterHyperlinkHandler(QStringLiteral("strona"), [&](const QString &rest) { taken << "2:" + rest; });
    DispatchHyperlink(QStringLiteral("INT:strona2"));
    DispatchHyperlink(QStringLiteral("strona3"));
    EXPECT_FALSE(HandleInternalLink(QStringLiteral("inne")));
    UnregisterHyperlinkHandlers();
    EXPECT_EQ(taken, QStringList({"1:ona2", "1:ona3"})); // the first match wins
    EXPECT_EQ(launcher.opened.size(), 2);
}
