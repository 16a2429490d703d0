#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

namespace widgets {

// A list of images of one size, as the navigation bar shows them. Bitmaps are added with a
// transparent colour (magenta in this program's icons); a bitmap of another size is scaled.
class TImageList
{
public:
    TImageList(int width, int height) : m_width(width), m_height(height) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_images.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
    const QPixmap &Image(int index) const { return m_images[static_cast<size_t>(index)]; }

    // Adds the image; pixels of the transparent colour become transparent. Returns the
    // index of the new image, -1 for a null image.
    int AddMasked(const QImage &image, const QColor &transparent);
    // Loads a bitmap file and adds it; -1 when the file cannot be read as an image.
    int AddMaskedFile(const QString &filePath, const QColor &transparent);
    void Clear() { m_images.clear(); }

private:
    int m_width;
    int m_height;
    std::vector<QPixmap> m_images;
};

} // namespace widgets
