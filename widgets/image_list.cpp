#include "widgets/image_list.h"

#include <QFileInfo>
#include <QImageReader>

namespace widgets {

int TImageList::AddMasked(const QImage &image, const QColor &transparent)
{
    if (image.isNull())
        return -1;
    QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] & 0xFFFFFF) == key)
                row[x] = 0;
    }
    if (img.width() != m_width || img.height() != m_height)
        img = img.scaled(m_width, m_height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_images.push_back(QPixmap::fromImage(img));
    return Count() - 1;
}

namespace {

QImage readImage(const QString &filePath)
{
    // The format the name gives is read without asking Qt's image format plugins whether
    // they know the file (asking loads every one of them); a file whose contents are of
    // another format than its name says is then read as before.
    QImage image;
    const QByteArray suffix = QFileInfo(filePath).suffix().toLower().toLatin1();
    if (!suffix.isEmpty()) {
        QImageReader reader(filePath, suffix);
        reader.setAutoDetectImageFormat(false);
        if (reader.read(&image))
            return image;
    }
    image.load(filePath);
    return image;
}

} // namespace

int TImageList::AddMaskedFile(const QString &filePath, const QColor &transparent)
{
    const QImage image = readImage(filePath);
    if (image.isNull())
        return -1;
    return AddMasked(image, transparent);
}

} // namespace widgets
