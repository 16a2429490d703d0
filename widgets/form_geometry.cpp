#include "widgets/form_geometry.h"

#include "platform/inifile.h"
#include "platform/paths.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace widgets {

namespace {

const char *const kProps[] = {"Top", "Left", "Width", "Height"};
constexpr int kUnset = -9999;

// An inner panel that sits in a splitter takes its width or height from the splitter's
// sizes; setting its geometry directly would be overridden by the splitter.
// Sets the pane's size, giving the difference to the next (or previous) pane so the total
// stays. False when that would squeeze the neighbour to nothing: a splitter that has not
// been laid out yet reports sizes that mean nothing.
bool setPaneSize(QSplitter *split, QWidget *w, int value)
{
    const int index = split->indexOf(w);
    QList<int> sizes = split->sizes();
    if (index < 0 || index >= sizes.size())
        return true;
    const int delta = value - sizes[index];
    const int other = index + 1 < sizes.size() ? index + 1 : index - 1;
    if (other >= 0 && sizes[other] - delta <= 0)
        return false;
    sizes[index] = value;
    if (other >= 0)
        sizes[other] -= delta;
    split->setSizes(sizes);
    return true;
}

// Applies a stored pane size once its splitter is shown and laid out (a view's panel is
// laid out only when the main window hosts it).
class PendingPaneSize : public QObject
{
public:
    PendingPaneSize(QSplitter *split, QWidget *pane, int value) : QObject(split), m_pane(pane), m_value(value)
    {
        split->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                if (auto *split = qobject_cast<QSplitter *>(parent()); split && m_pane)
                    setPaneSize(split, m_pane, m_value); // still no room: the designed sizes stay
                deleteLater();
            });
        }
        return false;
    }

private:
    QPointer<QWidget> m_pane;
    int m_value;
};

bool applySplitterSize(QWidget *w, const QString &prop, int value)
{
    auto *split = qobject_cast<QSplitter *>(w->parentWidget());
    if (!split)
        return false;
    const bool horizontal = split->orientation() == Qt::Horizontal;
    if ((horizontal && prop != QLatin1String("Width")) || (!horizontal && prop != QLatin1String("Height")))
        return true; // the splitter owns the other dimension
    if (!setPaneSize(split, w, value))
        new PendingPaneSize(split, w, value);
    return true;
}

void applyProperty(QWidget *w, const QString &prop, int value)
{
    if (!w->isWindow() && applySplitterSize(w, prop, value))
        return;
    if (prop == QLatin1String("Top"))
        w->move(w->x(), value);
    else if (prop == QLatin1String("Left"))
        w->move(value, w->y());
    else if (prop == QLatin1String("Width"))
        w->resize(value, w->height());
    else if (prop == QLatin1String("Height"))
        w->resize(w->width(), value);
}

int readProperty(const QWidget *w, const QString &prop)
{
    // A splitter pane's own geometry is stale while the window is hidden; the splitter knows.
    if (auto *split = qobject_cast<QSplitter *>(w->parentWidget()); split && !w->isWindow()) {
        const bool horizontal = split->orientation() == Qt::Horizontal;
        const int index = split->indexOf(const_cast<QWidget *>(w));
        if (index >= 0 && ((horizontal && prop == QLatin1String("Width")) || (!horizontal && prop == QLatin1String("Height"))))
            return split->sizes().value(index);
    }
    // The outer position, frame included: the one move() takes back on restore.
    if (prop == QLatin1String("Top"))
        return w->y();
    if (prop == QLatin1String("Left"))
        return w->x();
    if (prop == QLatin1String("Width"))
        return w->width();
    return w->height();
}

QString classNameOf(const QWidget *w)
{
    const QVariant stored = w->property("vclClassName");
    return stored.isValid() ? stored.toString() : QString::fromLatin1(w->metaObject()->className());
}

// A window saved on a monitor that is no longer there would open out of reach: bring it
// back to the top left corner of the primary screen when no screen shows a part of it.
void keepOnScreen(QWidget *form)
{
    if (!form->isWindow())
        return;
    const QRect placed(form->pos(), form->size());
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return;
    for (const QScreen *screen : screens) {
        const QRect common = screen->availableGeometry().intersected(placed);
        if (common.width() >= 50 && common.height() >= 30)
            return;
    }
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        form->move(primary->availableGeometry().topLeft());
}

} // namespace

namespace {

// The ini of the open batch, which holds what the windows saved until it ends.
platform::IniFile *openBatch = nullptr;

// The geometry ini as read: the open batch's, or one read now into own.
platform::IniFile &geometryIni(std::optional<platform::IniFile> &own)
{
    if (openBatch)
        return *openBatch;
    own.emplace(GeometryIniPath());
    own->Load();
    return *own;
}

} // namespace

GeometryBatch::GeometryBatch()
{
    if (openBatch)
        return;
    m_ini = std::make_unique<platform::IniFile>(GeometryIniPath());
    m_ini->Load();
    openBatch = m_ini.get();
}

GeometryBatch::~GeometryBatch()
{
    if (!m_ini)
        return;
    openBatch = nullptr;
    m_ini->Save();
}

QString GeometryIniPath()
{
    return QDir(platform::ProgramFolder()).filePath(QStringLiteral("Tarvelin.ini"));
}

QString ExtractComponentName(const QString &key)
{
    const qsizetype dot = key.indexOf('.');
    return dot < 0 ? key : key.left(dot);
}

void RestoreFormGeometry(QWidget *form)
{
    if (!form)
        return;
    std::optional<platform::IniFile> own;
    const platform::IniFile &ini = geometryIni(own);
    const QString section = form->objectName();
    QString previous = QStringLiteral("pusty");
    for (const QString &key : ini.KeyNames(section)) {
        const QString name = ExtractComponentName(key);
        if (name == previous)
            continue;
        previous = name;
        QWidget *target = name == form->objectName() ? form : form->findChild<QWidget *>(name);
        if (!target)
            continue;
        for (const char *p : kProps) {
            const QString prop = QString::fromLatin1(p);
            const int v = ini.ReadInteger(section, name + '.' + prop, kUnset);
            if (v != kUnset)
                applyProperty(target, prop, v);
        }
    }
    keepOnScreen(form);
}

bool HasStoredGeometry(const QWidget *form, const QString &component)
{
    if (!form)
        return false;
    std::optional<platform::IniFile> own;
    const platform::IniFile &ini = geometryIni(own);
    for (const char *p : kProps)
        if (ini.HasKey(form->objectName(), component + QLatin1Char('.') + QLatin1String(p)))
            return true;
    return false;
}

bool SaveFormGeometry(QWidget *form, QWidget *component1, QWidget *component2)
{
    if (!form)
        return true;
    std::optional<platform::IniFile> own;
    platform::IniFile &ini = geometryIni(own);
    const QString section = form->objectName();
    for (QWidget *w : {form, component1, component2}) {
        if (!w)
            continue;
        const QString name = w->objectName();
        ini.WriteString(section, name + QStringLiteral(".ClassName"), classNameOf(w));
        for (const char *p : kProps) {
            const QString prop = QString::fromLatin1(p);
            ini.WriteInteger(section, name + '.' + prop, readProperty(w, prop));
        }
    }
    return openBatch || ini.Save();
}

} // namespace widgets
