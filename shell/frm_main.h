#pragma once

#include "widgets/image_list.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QSplitter;
class QToolBar;
class QToolButton;

namespace appstate {
class AppState;
class TView;
} // namespace appstate
namespace widgets {
class TGXCustomOutlookBar;
class TFECustomCaptionPanel;
class TPanelHost;
} // namespace widgets
namespace storage {
class TElem;
class TGrupa;
} // namespace storage

namespace shell {

class PlaceholderView;

// The main window: the navigation bar on the left (one button per group of the navigation
// configuration, one item per element), the current view's panel in the caption panel on
// the right, and the toolbar and menu of the commands, which reach the view of the current
// element through the view interface. It owns the state the views share (appstate) and
// follows its signals.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    TfrmMain();
    ~TfrmMain() override;

    // Components (object names as the fields).
    QWidget *pTop = nullptr;
    QWidget *coolbarMenu = nullptr;
    QWidget *ToolBarMenu = nullptr;
    QMenuBar *mMenu = nullptr;
    QToolBar *toolbarFile = nullptr;
    QToolButton *tbNew = nullptr;
    QToolButton *tbSave = nullptr;
    QToolButton *tbDelete = nullptr;
    QToolButton *tbPrint = nullptr;
    QToolButton *tbModify = nullptr;
    QToolButton *tbCopy = nullptr;
    QToolButton *tbPaste = nullptr;
    QWidget *pLeft = nullptr;
    widgets::TGXCustomOutlookBar *FEGXMainOutlookBar = nullptr;
    QSplitter *splitMain = nullptr;
    widgets::TFECustomCaptionPanel *FEpCRight = nullptr;
    QMenu *mPlik = nullptr;
    QMenu *mEdycja = nullptr;
    QMenu *mHelp = nullptr;
    // One action per command: the tool button and the menu item stay in step.
    QAction *mNowy = nullptr;
    QAction *mZapisz = nullptr;
    QAction *mDruk = nullptr;
    QAction *mKoniec = nullptr;
    QAction *mDelete = nullptr;
    QAction *mModify = nullptr;
    QAction *mCopy = nullptr;
    QAction *mPaste = nullptr;
    QAction *mIndeks = nullptr;
    widgets::TImageList imgDuze{32, 32};
    widgets::TImageList imgMale{16, 16};

    // Hosting.
    QPointer<QWidget> HostedPanel;
    appstate::TView *HostedView = nullptr;
    int HelpTopic = 1000;

    // Navigation state: the group whose first item was shown last (-1 none), and whether
    // the bar is being filled at first show.
    int LastButton = -1;
    bool BuildingBar = false;
    // Set while one click is handled after the user stayed (Anuluj, or a save that failed),
    // so that its item click does not ask a second time.
    bool m_stayingInView = false;

    // Builds the bar from the configuration and shows the first element (first show only).
    void FormShow();
    // Minimum size: a width below 820 becomes 820, a height below 580 becomes 630.
    static void FormCanResize(int &newWidth, int &newHeight);

    void FEGXMainOutlookBarChange();
    void FEGXMainOutlookBarItemClick();
    void ShowViewPanel(QWidget *panel, const QString &caption);

    // Shows the view a "frm" component names (the catalogue, the workstation view, the
    // measurement window or the summary).
    void WyswWidok(const QString &viewName, const QString &caption, const QString &attachFolder);
    void WyswForm(const QString &caption, const QString &definitionPath, const QString &attachFolder);
    void WyswStrone(const QString &caption, const QString &pagePath);

    // The form version in a document definition file name: "protpow_frm_2.xml" gives "2",
    // "kartwyp_frm.xml" gives "". A version that is not a number shows "Błąd odczytu
    // wersji!" and is returned all the same.
    static QString ExtractFormVersion(const QString &fileName);
    // Starts a program without waiting; "hh.exe " (help file) and "winhlp32.exe " are
    // carried over to this system's viewers. A failure to start is ignored.
    static void RunExternal(const QString &program, const QString &arguments);

    // Commands.
    void ApplyOperations(const QString &oper);
    // Commits the editor and offers unsaved changes; false when they are still unsaved
    // (Anuluj, or Yes answered and the write failed), so the caller must not move on.
    bool ConfirmPendingChanges();
    void NewForm(QObject *sender = nullptr);
    void SaveForm(QObject *sender = nullptr);
    void DeleteForm(QObject *sender = nullptr);
    void ModifyForm(QObject *sender = nullptr);
    void PrintForm(QObject *sender = nullptr);
    void CopyForm(QObject *sender = nullptr);
    void PasteForm(QObject *sender = nullptr);
    void ShowHelpIndex();
    // Save in the view of the current element after committing the editor being typed in;
    // false when nothing was saved (no view, or the writer failed): Modified, NewDocument and
    // Save then stay.
    bool SaveCurrentView();
    // The close handler: commits the editor and offers unsaved changes for saving. False
    // when the user stays (Anuluj) or they were to be saved and could not be: the window
    // then stays open.
    bool FormClose();
    void SetSaveEnabled(bool enabled);

    // The view of a name: the registered one (created on first use) or a placeholder.
    appstate::TView *ViewFor(const QString &name);
    // Only a view that exists already; commands never create one.
    appstate::TView *ExistingViewFor(const QString &name) const;
    // The view the commands reach: the one the current element's "frm" or "dokfrm"
    // component opened (a web page leaves it as it was); null before any, or while its
    // window was not created.
    appstate::TView *CommandView() const;
    // After a write the command made itself: Save and Modified follow whether it succeeded.
    void AfterWrite(bool written);
    // The placeholder standing in for name, if one was made (tests).
    PlaceholderView *PlaceholderFor(const QString &name) const;
    // The element shown last (or none).
    const storage::TElem *CurrentElement() const { return m_currentElement; }

    // Whether the Delete key pressed in focus stays there instead of reaching the Delete
    // command: inside the view's panel, anywhere but the list whose entry Delete removes.
    bool DeleteKeyStaysIn(const QWidget *focus) const;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildActions();
    void buildBar();
    void giveBackHostedPanel();
    // Shows the bar again at the group and item it was last allowed to move to, where the
    // user stays with unsaved changes; no handler runs meanwhile.
    void putBarBack();
    void keepFocusInWindow();
    void hostView(appstate::TView *view, const QString &caption);
    QString currentOper() const;

    appstate::AppState &m_state;
    bool m_shown = false;
    bool m_saveAllowed = false; // the current element has "s"
    const storage::TElem *m_currentElement = nullptr;
    int m_barButton = -1;
    int m_barItem = -1;
    bool m_puttingBarBack = false;
    std::unique_ptr<widgets::TPanelHost> m_panelHost; // lends the views' panels to FEpCRight
    std::map<QString, std::unique_ptr<PlaceholderView>> m_placeholders;
};

TfrmMain *frmMain();

} // namespace shell
