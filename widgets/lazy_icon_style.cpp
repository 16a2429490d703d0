#include "widgets/lazy_icon_style.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>
#include <functional>
#include <optional>

namespace widgets {

namespace {

// An icon that asks for the real one the first time anything of it is wanted.
class TLazyIconEngine : public QIconEngine
{
public:
    explicit TLazyIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return pixmap(size, mode, state);
    }
    void addPixmap(const QPixmap &pixmap, QIcon::Mode mode, QIcon::State state) override
    {
        icon().addPixmap(pixmap, mode, state);
    }
    void addFile(const QString &fileName, const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        icon().addFile(fileName, size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("TLazyIconEngine"); }
    QIconEngine *clone() const override { return new TLazyIconEngine(*this); }

private:
    QIcon &icon()
    {
        if (m_make) {
            m_icon = m_make();
            m_make = nullptr;
        }
        return m_icon;
    }

    std::function<QIcon()> m_make;
    QIcon m_icon;
};

} // namespace

QIcon TLazyIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                   const QWidget *widget) const
{
    // The option is the caller's and gone by the time the icon is made: a plain one is
    // kept as a copy; an icon asked for with a richer one is made at once.
    if (option && option->type != QStyleOption::SO_Default)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    std::optional<QStyleOption> kept;
    if (option)
        kept.emplace(*option);
    QPointer<QWidget> asker(const_cast<QWidget *>(widget));
    QPointer<TLazyIconStyle> style(const_cast<TLazyIconStyle *>(this));
    return QIcon(new TLazyIconEngine([style, asker, standardIcon, kept, hadWidget = widget != nullptr] {
        if (!style)
            return QIcon();
        return style->QProxyStyle::standardIcon(standardIcon, kept ? &*kept : nullptr,
                                                hadWidget ? asker.data() : nullptr);
    }));
}

} // namespace widgets
