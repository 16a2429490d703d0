#include "reportengine/vr_page_picture.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QtEndian>

#include <cmath>

namespace reportengine {

namespace {

constexpr char kPictureMagic[4] = {'Q', 'P', 'I', 'C'};
constexpr int kPictureHeaderSize = 32;

// Paint engine that draws nothing and keeps the text of every text item. It declares
// every feature, so the painter hands it text as text and never as emulated paths.
class TextCaptureEngine : public QPaintEngine
{
public:
    TextCaptureEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
    void drawRects(const QRectF *, int) override {}
    void drawRects(const QRect *, int) override {}
    void drawLines(const QLineF *, int) override {}
    void drawLines(const QLine *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPoints(const QPointF *, int) override {}
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}
    void drawTextItem(const QPointF &, const QTextItem &textItem) override { texts.append(textItem.text()); }
    Type type() const override { return QPaintEngine::User; }

    QStringList texts;
};

class TextCaptureDevice : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QStringList Texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 100000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 100000 * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable TextCaptureEngine m_engine;
};

struct FontPair
{
    const char *layout;
    const char *installed;
};

constexpr FontPair kFontSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},
};

} // namespace

std::unique_ptr<QPicture> NewPagePicture()
{
    InstallReportFontSubstitutes();
    return std::make_unique<QPicture>(kPagePictureFormat);
}

QRect PageBoundingRect(int widthTenthsMm, int lengthTenthsMm)
{
    return QRect(0, 0, static_cast<int>(std::lround(widthTenthsMm * kPageFactor)),
                 static_cast<int>(std::lround(lengthTenthsMm * kPageFactor)));
}

QSizeF PageSizeTenthsMm(const QPicture &page)
{
    const QRect r = page.boundingRect();
    if (r.width() <= 0 || r.height() <= 0)
        return QSizeF(0, 0);
    return QSizeF(r.width() / kPageFactor, r.height() / kPageFactor);
}

int PagePixelSize(double pointSize)
{
    return static_cast<int>(std::lround(std::fabs(pointSize) * kPagePixelsPerInch / 72.0));
}

QFont PageFont(const QString &family, double pointSize, bool bold, bool italic)
{
    InstallReportFontSubstitutes();
    QFont f(family);
    f.setPixelSize(qMax(1, PagePixelSize(pointSize)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QPaintDevice *MeasureDevice()
{
    static QImage *device = [] {
        auto *img = new QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        img->setDotsPerMeterX(3780); // 96 dpi
        img->setDotsPerMeterY(3780);
        return img;
    }();
    return device;
}

void PlayPagePicture(QPainter &painter, const QPicture &page, const QTransform &pageToDevice)
{
    // QPicture::play scales by the device's DPI over the DPI the picture was recorded
    // at; take that back out so the caller's mapping is the whole story.
    const double recordDpiX = QPicture().logicalDpiX();
    const double recordDpiY = QPicture().logicalDpiY();
    QPaintDevice *dev = painter.device();
    const double sx = dev && dev->logicalDpiX() > 0 ? dev->logicalDpiX() / recordDpiX : 1.0;
    const double sy = dev && dev->logicalDpiY() > 0 ? dev->logicalDpiY() / recordDpiY : 1.0;
    painter.save();
    painter.setTransform(QTransform::fromScale(1.0 / sx, 1.0 / sy) * pageToDevice, false);
    painter.drawPicture(0, 0, page);
    painter.restore();
}

QStringList CapturePageTexts(const QPicture &page)
{
    TextCaptureDevice device;
    QPainter painter;
    if (!painter.begin(&device))
        return {};
    painter.drawPicture(0, 0, page);
    painter.end();
    return device.Texts();
}

bool IsReadablePagePicture(const QByteArray &data, bool verifyChecksum)
{
    if (data.size() < kPictureHeaderSize || memcmp(data.constData(), kPictureMagic, 4) != 0)
        return false;
    const uchar *p = reinterpret_cast<const uchar *>(data.constData());
    if (verifyChecksum) {
        const quint16 stored = qFromBigEndian<quint16>(p + 4);
        const quint16 computed = qChecksum(QByteArrayView(data.constData() + 6, data.size() - 6));
        if (stored != computed)
            return false;
    }
    const quint16 major = qFromBigEndian<quint16>(p + 6);
    return major >= 4 && major <= kPagePictureFormat;
}

bool IsWindowsMetafile(const QByteArray &data)
{
    return data.size() >= 44 && static_cast<uchar>(data[0]) == 1 && data[1] == 0 && data[2] == 0 && data[3] == 0 &&
           memcmp(data.constData() + 40, " EMF", 4) == 0;
}

void InstallReportFontSubstitutes()
{
    // The font database needs the GUI application; without one (a fuzz target) there
    // is nothing to draw with anyway, and the next call tries again.
    static bool done = false;
    if (done || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    done = true;
    for (const FontPair &p : kFontSubstitutes) {
        const QString installed = QString::fromLatin1(p.installed);
        if (QFontDatabase::hasFamily(installed))
            QFont::insertSubstitution(QString::fromLatin1(p.layout), installed);
    }
}

QString ReportFontSubstitute(const QString &family)
{
    for (const FontPair &p : kFontSubstitutes)
        if (family.compare(QLatin1String(p.layout), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(p.installed);
    return family;
}

} // namespace reportengine
