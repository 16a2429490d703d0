#include "widgets/panel_host.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QSplitter>
#include <QWidget>

namespace widgets {

namespace {

QHash<const QWidget *, TPanelHost *> &holders()
{
    static QHash<const QWidget *, TPanelHost *> h;
    return h;
}

QBoxLayout *boxLayoutOf(QWidget *parent)
{
    return parent ? qobject_cast<QBoxLayout *>(parent->layout()) : nullptr;
}

} // namespace

TPanelHost::TPanelHost(QWidget *site) : m_site(site)
{
    if (site && !site->layout())
        site->installEventFilter(this);
}

TPanelHost::~TPanelHost()
{
    GiveBack();
}

TPanelHost *TPanelHost::HolderOf(const QWidget *panel)
{
    TPanelHost *h = holders().value(panel, nullptr);
    // A destroyed panel's address may be taken by a new widget: the entry must still match.
    return h && h->m_panel == panel ? h : nullptr;
}

QWidget *TPanelHost::Panel() const
{
    return m_panel && m_site && m_panel->parentWidget() == m_site ? m_panel.data() : nullptr;
}

void TPanelHost::Dock(QWidget *panel)
{
    if (!panel || !m_site)
        return;
    if (Panel() == panel) {
        fill();
        return;
    }
    GiveBack();
    if (TPanelHost *other = HolderOf(panel); other && other != this)
        other->GiveBack();

    m_home = panel->parentWidget();
    m_homeIndex = -1;
    m_homeStretch = 0;
    m_homeGeometry = panel->geometry();
    m_homeHidden = panel->isHidden();
    if (auto *split = qobject_cast<QSplitter *>(m_home.data())) {
        m_homeIndex = split->indexOf(panel);
    } else if (QBoxLayout *box = boxLayoutOf(m_home)) {
        m_homeIndex = box->indexOf(panel);
        if (m_homeIndex >= 0)
            m_homeStretch = box->stretch(m_homeIndex);
    }

    m_panel = panel;
    holders().insert(panel, this);
    panel->setParent(m_site);
    if (QLayout *layout = m_site->layout())
        layout->addWidget(panel);
    fill();
}

void TPanelHost::GiveBack()
{
    QWidget *panel = m_panel.data();
    if (m_panel && holders().value(panel) == this)
        holders().remove(panel);
    m_panel = nullptr;
    if (!panel || !m_site || panel->parentWidget() != m_site)
        return; // gone, or taken back by its owner already
    if (QLayout *layout = m_site->layout())
        layout->removeWidget(panel);
    QWidget *home = m_home.data();
    m_home = nullptr;
    if (!home) {
        // The window it belonged to is gone: the panel stays, hidden, and goes with the site.
        panel->hide();
        return;
    }
    if (auto *split = qobject_cast<QSplitter *>(home)) {
        split->insertWidget(m_homeIndex < 0 ? split->count() : qMin(m_homeIndex, split->count()), panel);
    } else if (QBoxLayout *box = boxLayoutOf(home); box && m_homeIndex >= 0) {
        panel->setParent(home);
        box->insertWidget(qMin(m_homeIndex, box->count()), panel, m_homeStretch);
    } else {
        panel->setParent(home);
        panel->setGeometry(m_homeGeometry);
    }
    panel->setVisible(!m_homeHidden);
}

void TPanelHost::fill()
{
    QWidget *panel = Panel();
    if (!panel || m_site->layout())
        return;
    panel->setGeometry(0, 0, m_site->width(), m_site->height());
}

bool TPanelHost::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_site && event->type() == QEvent::Resize)
        fill();
    return QObject::eventFilter(watched, event);
}

} // namespace widgets
