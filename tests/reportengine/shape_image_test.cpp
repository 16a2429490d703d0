// Shapes and images: the figures pixel by pixel, tick boxes switched off, pictures sized,
// stretched and centred, pictures that cannot be read.

#include "report_test_host.h"

#include "reportengine/vr_image.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_shape.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

QImage Figure(TVRShapeType type, const QRect &rect, double roundFactor = 0)
{
    QImage img(rect.right() + 4, rect.bottom() + 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    TVRShape::DrawFigure(p, type, rect, roundFactor);
    return img;
}

bool Black(const QImage &img, int x, int y)
{
    return img.pixelColor(x, y) == QColor(Qt::black);
}

// Page 1 of a page run drawn at 96 dpi.
QImage PageImage(TVRPrinter &printer)
{
    QImage img(794, 1123, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    PlayPagePicture(p, *printer.GetPage(1), QTransform());
    return img;
}

} // namespace

TEST(Shape, FiguresFollowTheirRules)
{
    const QImage vert = Figure(TVRShapeType::vrsVertLine, QRect(0, 0, 3, 8));
    EXPECT_TRUE(Black(vert, 1, 0) && Black(vert, 1, 7));
    EXPECT_FALSE(Black(vert, 0, 3) || Black(vert, 2, 3) || Black(vert, 1, 8));

    const QImage hor = Figure(TVRShapeType::vrsHorLine, QRect(0, 0, 8, 5));
    EXPECT_TRUE(Black(hor, 0, 2) && Black(hor, 7, 2));
    EXPECT_FALSE(Black(hor, 8, 2) || Black(hor, 3, 1));

    const QImage rect = Figure(TVRShapeType::vrsRectangle, QRect(2, 2, 6, 4));
    EXPECT_TRUE(Black(rect, 2, 2) && Black(rect, 7, 5));
    EXPECT_FALSE(Black(rect, 8, 2) || Black(rect, 2, 6) || Black(rect, 4, 4));

    const QImage tb = Figure(TVRShapeType::vrsTopAndBottom, QRect(0, 0, 6, 5));
    EXPECT_TRUE(Black(tb, 3, 0) && Black(tb, 3, 4));
    EXPECT_FALSE(Black(tb, 3, 2) || Black(tb, 0, 2));

    const QImage rl = Figure(TVRShapeType::vrsRightAndLeft, QRect(0, 0, 6, 5));
    EXPECT_TRUE(Black(rl, 0, 2) && Black(rl, 5, 2));
    EXPECT_FALSE(Black(rl, 2, 0) || Black(rl, 6, 2));

    EXPECT_DOUBLE_EQ(TVRShape::CornerSize(200, 0.1), 20);
    const QImage round = Figure(TVRShapeType::vrsRoundRect, QRect(0, 0, 200, 100), 0.1);
    EXPECT_FALSE(Black(round, 0, 0) || Black(round, 3, 0));
    EXPECT_TRUE(Black(round, 12, 0) && Black(round, 100, 99) && Black(round, 0, 50));

    const QImage circle = Figure(TVRShapeType::vrsCircle, QRect(0, 0, 21, 21));
    EXPECT_TRUE(Black(circle, 10, 0) && Black(circle, 0, 10));
    EXPECT_FALSE(Black(circle, 0, 0) || Black(circle, 10, 10));

    const QImage none = Figure(TVRShapeType::vrsRectangle, QRect(2, 2, 0, 5));
    EXPECT_FALSE(Black(none, 2, 2));
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
    const QPoint origin(qRound(report.LeftMargin * kPageFactor), qRound(report.TopMargin * kPageFactor));
    EXPECT_TRUE(Black(page, origin.x() + 30, origin.y() + 30));
    EXPECT_FALSE(Black(page, origin.x() + 230, origin.y() + 30));
}

TEST(Image, SizesStretchesAndCentresItsPicture)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    TVRImage image;
    EXPECT_EQ(image.PixelWidth(), 105);
    image.SetBounds(5, 6, 105, 105);
    image.SetPicture(picture);
    EXPECT_TRUE(image.Transparent());
    image.SetAutoSize(true);
    EXPECT_EQ(QRect(image.PixelLeft(), image.PixelTop(), image.PixelWidth(), image.PixelHeight()),
              QRect(5, 6, 40, 20));
    EXPECT_FALSE(image.Transparent()); // now the picture covers the control

    const QRect box(100, 100, 200, 100);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(100, 100, 80, 40));
    image.SetCenter(true);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(160, 130, 80, 40));
    image.SetStretch(true);
    EXPECT_EQ(image.TargetRect(box, 2, 2), QRectF(box));
}

TEST(Image, StretchedPictureFillsTheControlAndNothingSpillsOut)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    TestReport report;
    TestBand band(&report, 400);
    auto *stretched = new TVRImage(&band);
    stretched->SetBounds(0, 0, 100, 50);
    stretched->SetStretch(true);
    stretched->SetPicture(picture);
    auto *clipped = new TVRImage(&band);
    clipped->SetBounds(200, 0, 5, 5);
    clipped->SetPicture(picture);
    report.Begin();
    report.PrintBand(band);
    report.End();
    const QImage page = PageImage(report.Printer());
    const int x = qRound(report.LeftMargin * kPageFactor);
    const int y = qRound(report.TopMargin * kPageFactor);
    EXPECT_TRUE(Black(page, x + 98, y + 48));
    EXPECT_FALSE(Black(page, x + 102, y + 25));
    EXPECT_TRUE(Black(page, x + 203, y + 3));
    EXPECT_FALSE(Black(page, x + 207, y + 7));
}

TEST(Image, APictureThatCannotBeReadPrintsNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zly.png"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x89PNG\r\n\x1a\nnot really a picture");
    }
    TestReport report;
    TestBand band(&report, 400);
    auto *image = new TVRImage(&band);
    EXPECT_FALSE(image->LoadPicture(file));
    EXPECT_FALSE(image->LoadPicture(dir.filePath(QStringLiteral("brak.png"))));
    EXPECT_TRUE(image->Picture().isNull());
    auto *empty = new TVRImage(&band);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    empty->SetPicture(picture);
    empty->SetBounds(0, 0, 0, 0);
    empty->SetStretch(true);
    report.Begin();
    report.PrintBand(band);
    report.End();
    const QImage page = PageImage(report.Printer());
    const int x = qRound(report.LeftMargin * kPageFactor);
    const int y = qRound(report.TopMargin * kPageFactor);
    for (int dx = 0; dx < 110; dx += 5)
        EXPECT_FALSE(Black(page, x + dx, y + dx / 2));
}
