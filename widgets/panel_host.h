#pragma once

// Lends the panel of one window to a place in another (a host site) and gives it back.
//
// What it guarantees:
//   * Dock(panel) first gives back whatever this host held, then takes the panel from
//     whichever other host holds it (that host gives it back first), so the panel's home is
//     always the window it belongs to, never a host that borrowed it.
//   * The home is remembered as its parent, its place in the parent's splitter or box layout
//     (index and stretch) or else its geometry, and whether it was hidden; GiveBack() puts
//     the panel back exactly there.
//   * Dock() leaves the panel's visibility as it was (the host shows it when it should be
//     seen); GiveBack() restores the visibility it had at home.
//   * In the site the panel fills the site: added to the site's layout where it has one,
//     else placed at 0,0 with the site's size and kept at that size.
//   * A panel that has left the site since (its owner took it back itself, or it was
//     destroyed) is only forgotten by GiveBack(), never moved.
//   * Destroying the host gives the panel back.

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

namespace widgets {

class TPanelHost : public QObject
{
public:
    explicit TPanelHost(QWidget *site);
    ~TPanelHost() override;
    TPanelHost(const TPanelHost &) = delete;
    TPanelHost &operator=(const TPanelHost &) = delete;

    void Dock(QWidget *panel);
    void GiveBack();

    // The panel docked here, while it is still in the site; nullptr otherwise.
    QWidget *Panel() const;
    QWidget *Site() const { return m_site; }
    // The host holding panel now, or nullptr.
    static TPanelHost *HolderOf(const QWidget *panel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();

    QPointer<QWidget> m_site;
    QPointer<QWidget> m_panel;
    QPointer<QWidget> m_home;
    int m_homeIndex = -1;   // place in the home's splitter or box layout
    int m_homeStretch = 0;
    QRect m_homeGeometry;
    bool m_homeHidden = false;
};

} // namespace widgets
