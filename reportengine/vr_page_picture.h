#pragma once

// Page pictures: how a page is recorded so that another build, another screen and a
// printer all read it the same way.
//
// - One QPicture per page, always in picture format 20 (the format Qt 6.0 to 6.5 read);
//   a newer Qt writes a higher format that older builds refuse, so the format is pinned.
// - Coordinates are page pixels at exactly 96 per inch; the origin is the paper corner;
//   the paper size travels in the picture's bounding rectangle.
// - Fonts are set by pixel size (10 pt gives 13 px) and text is drawn as text, so that
//   page search can read it back.

#include <QFont>
#include <QPicture>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <memory>

class QPainter;
class QPaintDevice;

namespace reportengine {

constexpr int kPagePictureFormat = 20;
constexpr double kPagePixelsPerInch = 96.0;
// Page pixels per tenth of a millimetre.
constexpr double kPageFactor = 96.0 / 254.0;

// A new, empty page picture in the pinned format.
std::unique_ptr<QPicture> NewPagePicture();

// Bounding rectangle of a page of the given paper size (tenths of a millimetre, as the
// page lies, i.e. already swapped for landscape).
QRect PageBoundingRect(int widthTenthsMm, int lengthTenthsMm);
// The inverse: the page size in tenths of a millimetre measured from a picture's
// bounding rectangle (0 x 0 when the picture has none).
QSizeF PageSizeTenthsMm(const QPicture &page);

// The report font for page output: family kept as laid out, size in page pixels.
QFont PageFont(const QString &family, double pointSize, bool bold = false, bool italic = false);
int PagePixelSize(double pointSize);

// A fixed 96-dpi device for measuring text for layout (never the screen).
QPaintDevice *MeasureDevice();

// Draws a page picture with the wanted mapping from page pixels to device pixels,
// compensating the scaling QPicture applies itself for the device's DPI.
void PlayPagePicture(QPainter &painter, const QPicture &page, const QTransform &pageToDevice);

// The texts drawn on a page, one entry per text item, in drawing order.
QStringList CapturePageTexts(const QPicture &page);

// Whether a page picture's data has the picture header this build reads: the magic,
// a matching checksum (unless verifyChecksum is false) and a format no newer than the
// pinned one.
bool IsReadablePagePicture(const QByteArray &data, bool verifyChecksum = true);
// Whether the data is a Windows enhanced metafile (pages saved by the Windows program).
bool IsWindowsMetafile(const QByteArray &data);

// Report fonts named by the layouts ("Arial", "Times New Roman", "Courier New",
// "MS Sans Serif") drawn with the metric-compatible Liberation fonts, so that line
// breaks and page counts match the layouts. Idempotent; called before any page is made.
void InstallReportFontSubstitutes();
// The family actually used for a layout family ("Arial" -> "Liberation Sans");
// other names are returned unchanged.
QString ReportFontSubstitute(const QString &family);

} // namespace reportengine
