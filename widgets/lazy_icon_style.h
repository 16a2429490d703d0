#pragma once

// The application style with its standard icons read when they are first drawn or
// measured, not when a widget asks for them. The menu bar and the tool bar each ask for
// their overflow arrow as they are made; reading that image from Qt's resources makes Qt
// load all of its image format plugins, at every start, for an arrow that shows only when
// the window is too narrow for its menu. The icons are the style's own: what is drawn is
// the same, only later.

#include <QProxyStyle>

namespace widgets {

class TLazyIconStyle : public QProxyStyle
{
public:
    // Wraps the style the application would use (baseStyle nullptr) or the one given.
    explicit TLazyIconStyle(QStyle *baseStyle = nullptr) : QProxyStyle(baseStyle) {}

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace widgets
