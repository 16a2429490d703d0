#pragma once

#include <QFrame>
#include <QRect>

class QVBoxLayout;

namespace widgets {

// A panel with a caption bar across its top and an optional close button at the bar's
// right end. Children put into ContentLayout() fill the area below the bar.
class TFECustomCaptionPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TFECustomCaptionPanel(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    int CaptionHeight() const { return m_captionHeight; }
    void SetCaptionHeight(int height);
    bool ButtonVisible() const { return m_buttonVisible; }
    void SetButtonVisible(bool visible);
    bool ButtonFlat() const { return m_buttonFlat; }
    void SetButtonFlat(bool flat);
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);
    QColor CaptionFontColor; // invalid: the window text colour

    // The area below the caption bar.
    QRect ClientRect() const;
    // The close button's rectangle; empty when the button is hidden.
    QRect ButtonRect() const;
    // Strictly inside the button: a point on its edge is outside.
    bool InsideButton(const QPoint &pos) const;
    QVBoxLayout *ContentLayout() const { return m_layout; }
    // The close button's look as last drawn: 0 flat, 1 raised, 2 sunken.
    int ButtonState() const { return m_buttonState; }

signals:
    void OnBtnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void updateMargins();
    void setButtonState(int state);

    QString m_caption;
    int m_captionHeight = 22;
    bool m_buttonVisible = true;
    bool m_buttonFlat = true;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    bool m_inside = false;
    bool m_pressed = false;
    int m_buttonState = 0;
    QVBoxLayout *m_layout;
};

using TFECaptionPanel = TFECustomCaptionPanel;

} // namespace widgets
