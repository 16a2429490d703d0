#include "widgets/image_list.h"

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

int TImageList::AddMaskedFile(const QString &filePath, const QColor &transparent)
{
    QImage image;
    if (!image.load(filePath))
        return -1;
    return AddMasked(image, transparent);
}

} // namespace widgets
