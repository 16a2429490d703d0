#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "storage/workstation_files.h"

namespace appstate {

class TView;

// The state the views share with the main window. The main window owns it and follows
// its signals (Modified set: Save enabled); views read and write it without knowing the
// main window.
class AppState : public QObject
{
    Q_OBJECT
public:
    AppState() = default;

    // Folders of the navigation component that opened the current view, stored form.
    QString DataFolder;      // `katalog`
    QString CatalogueFolder; // `katalog` of the factor catalogue component
    QString FormsFolder;     // `katfrm`
    QString AttachFolder;    // `katzal`
    QString FormVersion;
    QString ViewName;
    bool NewDocument = false;
    bool EditAllowed = true;
    QString DataVersion = QStringLiteral("1.1");
    QString ListVersion;
    // The workstations of the current data folder (filled by the workstation loading).
    storage::WorkstationList Workstations;

    bool Modified() const { return m_modified; }
    // Setting it enables Save in the main window (when the current element allows Save).
    void SetModified(bool value);

    // Enables or disables Save (tool button and menu item together), for views whose own
    // rules decide it, for example a document field edited while editing is allowed.
    void SetSaveEnabled(bool enabled) { emit SaveEnabledRequested(enabled); }

    // The editor that had focus last; its exit handler is run before any command.
    QWidget *LastWinCtrl() const { return m_lastWinCtrl.data(); }
    void SetLastWinCtrl(QWidget *w) { m_lastWinCtrl = w; }

signals:
    void ModifiedChanged(bool modified);
    void SaveEnabledRequested(bool enabled);

private:
    bool m_modified = false;
    QPointer<QWidget> m_lastWinCtrl; // never dangles: cleared when the editor is destroyed
};

// The one instance, created on first use.
AppState &State();

} // namespace appstate
