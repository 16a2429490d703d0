#pragma once

// A printed picture: at its own size (screen pixels at 96 per inch, so it prints as
// large as it shows), centred or at the top left, or stretched over the control, and
// never drawn outside the control.

#include "reportengine/vr_printable.h"

#include <QImage>

namespace reportengine {

class TVRImage : public TVRPrintable
{
    Q_OBJECT

public:
    explicit TVRImage(QObject *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);
    // Reads the picture from a file; a file that cannot be read leaves an empty picture
    // (which prints nothing) and returns false.
    bool LoadPicture(const QString &fileName);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    bool Center() const { return m_center; }
    void SetCenter(bool center);

    void Print(double offsetX, double offsetY) override;

    // Where the picture goes in a device rectangle: the whole rectangle when
    // stretched, otherwise the picture's pixels times `scale`, centred or at the top left.
    QRectF TargetRect(const QRect &rect, double scaleX, double scaleY) const;

private:
    void PictureChanged();

    QImage m_picture;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_center = false;
};

} // namespace reportengine
