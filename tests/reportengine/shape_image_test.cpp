// Shapes and images: the figures pixel by pixel, tick boxes switched off, pictures sized,
// stretched, centred and clipped, pictures that cannot be read.

#include "report_test_host.h"

#include "reportengine/vr_image.h"
#include "reportengine/vr_shape.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine_test;

namespace {

// Which of the given pixels a figure in rect blackens.
QString Blackened(TVRShapeType type, const QRect &rect, const QList<QPoint> &pixels, double roundFactor = 0)
{
    QImage img(rect.right() + 4, rect.bottom() + 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    TVRShape::DrawFigure(p, type, rect, roundFactor);
    QString marks;
    for (const QPoint &pt : pixels)
        marks += img.pixelColor(pt) == QColor(Qt::black) ? QLatin1Char('x') : QLatin1Char('.');
    return marks;
}

// Page 1 of a page run, at 96 dpi.
QImage PageImage(TVRPrinter &printer)
{
    QImage img(794, 1123, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PlayPagePicture(p, *printer.GetPage(1), QTransform());
    return img;
}

QImage BlackPicture(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

} // namespace

TEST(Shape, FiguresFollowTheirRules)
{
    using T = TVRShapeType;
    EXPECT_EQ(Blackened(T::vrsVertLine, QRect(0, 0, 3, 8), {{1, 0}, {1, 7}, {0, 3}, {2, 3}, {1, 8}}), "xx...");
    EXPECT_EQ(Blackened(T::vrsHorLine, QRect(0, 0, 8, 5), {{0, 2}, {7, 2}, {8, 2}, {3, 1}}), "xx..");
    EXPECT_EQ(Blackened(T::vrsRectangle, QRect(2, 2, 6, 4), {{2, 2}, {7, 5}, {8, 2}, {2, 6}, {4, 4}}), "xx...");
    EXPECT_EQ(Blackened(T::vrsTopAndBottom, QRect(0, 0, 6, 5), {{3, 0}, {3, 4}, {3, 2}, {0, 2}}), "xx..");
    EXPECT_EQ(Blackened(T::vrsRightAndLeft, QRect(0, 0, 6, 5), {{0, 2}, {5, 2}, {2, 0}, {6, 2}}), "xx..");
    EXPECT_EQ(Blackened(T::vrsCircle, QRect(0, 0, 21, 21), {{10, 0}, {0, 10}, {0, 0}, {10, 10}}), "xx..");
    // Corners 20 x 20 on a shape 200 wide with the factor 0.1.
    EXPECT_DOUBLE_EQ(TVRShape::CornerSize(200, 0.1), 20);
    EXPECT_EQ(Blackened(T::vrsRoundRect, QRect(0, 0, 200, 100), {{12, 0}, {0, 50}, {0, 0}, {3, 0}}, 0.1), "xx..");
    EXPECT_EQ(Blackened(T::vrsRectangle, QRect(2, 2, 0, 5), {{2, 2}}), ".");
}

TEST(Shape, ADisabledTickBoxIsNotPrinted)
{
    TestReport report;
    TestBand band(&report, 300);
    auto *on = new TVRShape(&band);
    on->SetBrush(QBrush(Qt::black));
    auto *off = new TVRShape(&band);
    off->SetBrush(QBrush(Qt::black));
    off->SetBounds(200, 0, 65, 65);
    off->SetEnabled(false);
    report.Begin();
    report.PrintBand(band);
    off->Print(report.LeftMargin, report.TopMargin); // even when asked directly
    report.End();
    const QImage page = PageImage(report.Printer());
    const int x = qRound(report.LeftMargin * kPageFactor);
    const int y = qRound(report.TopMargin * kPageFactor);
    EXPECT_EQ(page.pixelColor(x + 30, y + 30), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(x + 230, y + 30), QColor(Qt::white));
}

TEST(Image, SizesStretchesAndCentresItsPicture)
{
    TVRImage image;
    EXPECT_EQ(image.PixelWidth(), 105);
    image.SetBounds(5, 6, 105, 105);
    image.SetPicture(BlackPicture(40, 20));
    EXPECT_TRUE(image.Transparent());
    image.SetAutoSize(true);
    EXPECT_EQ(QRect(image.PixelLeft(), image.PixelTop(), image.PixelWidth(), image.PixelHeight()), QRect(5, 6, 40, 20));
    EXPECT_FALSE(image.Transparent()); // the picture covers the control now

    const QRect box(100, 100, 200, 100);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(100, 100, 80, 40));
    image.SetCenter(true);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(160, 130, 80, 40));
    image.SetStretch(true);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(box));
}

TEST(Image, PrintsInsideItsControlAndNothingWhenThereIsNothingToPrint)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("zly.png"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\nnot really a picture");
    f.close();

    TestReport report;
    TestBand band(&report, 400);
    auto *stretched = new TVRImage(&band);
    stretched->SetBounds(0, 0, 100, 50);
    stretched->SetStretch(true);
    stretched->SetPicture(BlackPicture(10, 10));
    auto *clipped = new TVRImage(&band);
    clipped->SetBounds(200, 0, 5, 5);
    clipped->SetPicture(BlackPicture(10, 10));
    auto *unreadable = new TVRImage(&band);
    unreadable->SetBounds(300, 0, 50, 50);
    EXPECT_FALSE(unreadable->LoadPicture(bad));
    EXPECT_FALSE(unreadable->LoadPicture(dir.filePath(QStringLiteral("brak.png"))));
    EXPECT_TRUE(unreadable->Picture().isNull());
    auto *empty = new TVRImage(&band);
    empty->SetPicture(BlackPicture(10, 10));
    empty->SetBounds(400, 0, 0, 0);
    empty->SetStretch(true);
    report.Begin();
    report.PrintBand(band);
    report.End();

    const QImage page = PageImage(report.Printer());
    const int x = qRound(report.LeftMargin * kPageFactor);
    const int y = qRound(report.TopMargin * kPageFactor);
    const auto black = [&](int dx, int dy) { return page.pixelColor(x + dx, y + dy) == QColor(Qt::black); };
    EXPECT_TRUE(black(98, 48));
    EXPECT_FALSE(black(102, 25));
    EXPECT_TRUE(black(203, 3));
    EXPECT_FALSE(black(207, 7));
    for (int dx = 300; dx < 420; dx += 3)
        EXPECT_FALSE(black(dx, 2));
}
