#include "shell/frm_main.h"

#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "shell/frm_tree.h"
#include "shell/help_topics.h"
#include "shell/html_help.h"
#include "shell/placeholder_view.h"
#include "storage/document_files.h"
#include "storage/navigation_file.h"
#include "widgets/caption_panel.h"
#include "widgets/field_binding.h"
#include "widgets/form_geometry.h"
#include "widgets/outlook_bar.h"
#include "widgets/panel_host.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kCaptionBlue(0, 0, 255);

QAction *makeAction(QObject *parent, const char *name, const QString &text)
{
    auto *a = new QAction(text, parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

TfrmMain::TfrmMain() : m_state(appstate::State())
{
    // FormCreate
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvelin"));
    HelpTopic = 1000;
    setProperty("helpContext", HelpTopic);
    resize(752, 600);
    setMinimumWidth(820);

    buildActions();

    pLeft = new QWidget;
    pLeft->setObjectName(QStringLiteral("pLeft"));
    pLeft->setMinimumWidth(60);
    auto *leftLayout = new QVBoxLayout(pLeft);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    FEGXMainOutlookBar = new widgets::TFEGXOutlookBar(pLeft);
    FEGXMainOutlookBar->setObjectName(QStringLiteral("FEGXMainOutlookBar"));
    FEGXMainOutlookBar->ButtonFontColor = kCaptionBlue;
    FEGXMainOutlookBar->ItemHightlightColor = QColor(0xD7, 0xE4, 0xF2); // inactive caption gradient
    FEGXMainOutlookBar->FrameStyle = widgets::TGXOutlookFrameStyle::fsRaised;
    FEGXMainOutlookBar->ScrollDelay = 5;
    FEGXMainOutlookBar->SmoothScrolling = false;
    FEGXMainOutlookBar->Spacing = 5;
    FEGXMainOutlookBar->TopSpacing = 2;
    FEGXMainOutlookBar->WordWrap = true;
    FEGXMainOutlookBar->AllowEditing = false;
    leftLayout->addWidget(FEGXMainOutlookBar);
    connect(FEGXMainOutlookBar, &widgets::TGXCustomOutlookBar::OnChange, this, &TfrmMain::FEGXMainOutlookBarChange);
    connect(FEGXMainOutlookBar, &widgets::TGXCustomOutlookBar::OnItemClick, this,
            &TfrmMain::FEGXMainOutlookBarItemClick);

    FEpCRight = new widgets::TFECaptionPanel;
    FEpCRight->setObjectName(QStringLiteral("FEpCRight"));
    FEpCRight->SetCaptionHeight(20);
    FEpCRight->SetButtonVisible(false);
    FEpCRight->CaptionFontColor = kCaptionBlue;
    FEpCRight->setMinimumWidth(60);
    m_panelHost = std::make_unique<widgets::TPanelHost>(FEpCRight);

    splitMain = new QSplitter(Qt::Horizontal, this);
    splitMain->setObjectName(QStringLiteral("splitMain"));
    // Neither side may be dragged narrower than 60 pixels.
    splitMain->setChildrenCollapsible(false);
    splitMain->addWidget(pLeft);
    splitMain->addWidget(FEpCRight);
    splitMain->setStretchFactor(1, 1);
    splitMain->setSizes({113, 752 - 113});
    setCentralWidget(splitMain);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    connect(&m_state, &appstate::AppState::ModifiedChanged, this, [this](bool modified) {
        if (modified)
            SetSaveEnabled(true);
    });
    connect(&m_state, &appstate::AppState::SaveEnabledRequested, this, &TfrmMain::SetSaveEnabled);
    m_state.SaveCommand = [this] { return SaveCurrentView(); };
    m_state.ConfirmPendingChangesCommand = [this] { ConfirmPendingChanges(); };
    // Every bound field that is entered becomes the editor the commands commit first. A
    // view that registered the same control with its own commit keeps that commit.
    InstallTreeDialog();
    widgets::SetFieldEnterHook([&state = m_state](QWidget *control) {
        if (state.LastWinCtrl() != control)
            state.SetLastWinCtrl(control);
    });

    widgets::RestoreFormGeometry(this);
}

TfrmMain::~TfrmMain()
{
    // FormDestroy
    widgets::SaveFormGeometry(this, pLeft);
    m_state.SaveCommand = nullptr;
    m_state.ConfirmPendingChangesCommand = nullptr;
    widgets::SetFieldEnterHook({});
    // A hosted panel whose view window is gone stays with this window and goes with it.
    if (HostedPanel)
        giveBackHostedPanel();
    HostedView = nullptr;
}

void TfrmMain::buildActions()
{
    pTop = new QWidget(this);
    pTop->setObjectName(QStringLiteral("pTop"));
    auto *topLayout = new QVBoxLayout(pTop);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    coolbarMenu = new QWidget(pTop);
    coolbarMenu->setObjectName(QStringLiteral("coolbarMenu"));
    auto *coolLayout = new QVBoxLayout(coolbarMenu);
    coolLayout->setContentsMargins(0, 0, 0, 0);
    coolLayout->setSpacing(0);
    ToolBarMenu = new QWidget(coolbarMenu);
    ToolBarMenu->setObjectName(QStringLiteral("ToolBarMenu"));
    auto *menuLayout = new QVBoxLayout(ToolBarMenu);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    mMenu = new QMenuBar(ToolBarMenu);
    mMenu->setObjectName(QStringLiteral("mMenu"));
    mMenu->setNativeMenuBar(false);
    menuLayout->addWidget(mMenu);
    toolbarFile = new QToolBar(coolbarMenu);
    toolbarFile->setObjectName(QStringLiteral("toolbarFile"));
    toolbarFile->setToolButtonStyle(Qt::ToolButtonTextOnly);
    coolLayout->addWidget(ToolBarMenu);
    coolLayout->addWidget(toolbarFile);
    topLayout->addWidget(coolbarMenu);
    setMenuWidget(pTop);

    mNowy = makeAction(this, "mNowy", QStringLiteral("&Nowy..."));
    mZapisz = makeAction(this, "mZapisz", QStringLiteral("&Zapisz..."));
    mDruk = makeAction(this, "mDruk", QStringLiteral("&Drukuj"));
    mKoniec = makeAction(this, "mKoniec", QStringLiteral("&Koniec"));
    mDelete = makeAction(this, "mDelete", QStringLiteral("&Usuń "));
    mModify = makeAction(this, "mModify", QStringLiteral("&Modyfikuj"));
    mCopy = makeAction(this, "mCopy", QStringLiteral("&Kopiuj"));
    mPaste = makeAction(this, "mPaste", QStringLiteral("&Wklej"));
    mIndeks = makeAction(this, "mIndeks", QStringLiteral("&Indeks"));
    // The keys every desktop program answers; an editor that has the focus keeps its own
    // (Delete, copy and paste of text) before the command sees them.
    mNowy->setShortcut(QKeySequence::New);
    mZapisz->setShortcut(QKeySequence::Save);
    mDruk->setShortcut(QKeySequence::Print);
    mDelete->setShortcut(QKeySequence::Delete);
    mCopy->setShortcut(QKeySequence::Copy);
    mPaste->setShortcut(QKeySequence::Paste);
    mIndeks->setShortcut(QKeySequence::HelpContents);

    mPlik = mMenu->addMenu(QStringLiteral("&Plik"));
    mPlik->setObjectName(QStringLiteral("mPlik"));
    mPlik->addAction(mNowy);
    mPlik->addAction(mZapisz);
    mPlik->addSeparator();
    mPlik->addAction(mDruk);
    mPlik->addAction(mKoniec);
    mEdycja = mMenu->addMenu(QStringLiteral("&Edycja"));
    mEdycja->setObjectName(QStringLiteral("mEdycja"));
    mEdycja->addAction(mDelete);
    mEdycja->addAction(mModify);
    mEdycja->addSeparator();
    mEdycja->addAction(mCopy);
    mEdycja->addAction(mPaste);
    mHelp = mMenu->addMenu(QStringLiteral("Pomo&c")); // Alt+P opens "Plik"
    mHelp->setObjectName(QStringLiteral("mHelp"));
    mHelp->addAction(mIndeks);

    // The tool buttons share the menu items' actions but show their own captions.
    struct Tool
    {
        QToolButton **button;
        const char *name;
        QString caption;
        QAction *action;
        bool separatorAfter;
    };
    const Tool tools[] = {
        {&tbNew, "tbNew", QStringLiteral("Nowy"), mNowy, false},
        {&tbSave, "tbSave", QStringLiteral("Zapisz"), mZapisz, false},
        {&tbDelete, "tbDelete", QStringLiteral("Usuń"), mDelete, true},
        {&tbPrint, "tbPrint", QStringLiteral("Drukuj"), mDruk, true},
        {&tbModify, "tbModify", QStringLiteral("Modyfikuj"), mModify, true},
        {&tbCopy, "tbCopy", QStringLiteral("Kopiuj"), mCopy, false},
        {&tbPaste, "tbPaste", QStringLiteral("Wklej"), mPaste, false},
    };
    for (const Tool &t : tools) {
        auto *b = new QToolButton(toolbarFile);
        b->setObjectName(QString::fromLatin1(t.name));
        b->setDefaultAction(t.action);
        b->setText(t.caption);
        b->setToolTip(t.caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::NoFocus);
        // setDefaultAction would bring the menu caption back on every action change.
        connect(t.action, &QAction::changed, b, [b, caption = t.caption] {
            if (b->text() != caption)
                b->setText(caption);
        });
        toolbarFile->addWidget(b);
        if (t.separatorAfter)
            toolbarFile->addSeparator();
        *t.button = b;
    }

    connect(mNowy, &QAction::triggered, this, [this] { NewForm(sender()); });
    connect(mZapisz, &QAction::triggered, this, [this] { SaveForm(sender()); });
    connect(mDelete, &QAction::triggered, this, [this] { DeleteForm(sender()); });
    connect(mModify, &QAction::triggered, this, [this] { ModifyForm(sender()); });
    connect(mDruk, &QAction::triggered, this, [this] { PrintForm(sender()); });
    connect(mCopy, &QAction::triggered, this, [this] { CopyForm(sender()); });
    connect(mPaste, &QAction::triggered, this, [this] { PasteForm(sender()); });
    connect(mIndeks, &QAction::triggered, this, &TfrmMain::ShowHelpIndex);
    connect(mKoniec, &QAction::triggered, this, &QWidget::close);
    ApplyOperations(QString());
}

// ---- window events ------------------------------------------------------------------

bool TfrmMain::DeleteKeyStaysIn(const QWidget *focus) const
{
    QWidget *panel = HostedPanel.data();
    if (!focus || !panel || !panel->isAncestorOf(focus))
        return false;
    QWidget *list = HostedView ? HostedView->DeleteKeyList() : nullptr;
    return !(list && (focus == list || list->isAncestorOf(focus)));
}

bool TfrmMain::event(QEvent *event)
{
    // Delete is Edycja > Usuń's shortcut. A control of the view that does not take the key
    // itself (a grid's cell, a list, a check box, a read-only field) passes it up to here:
    // it stays with that control rather than deleting the workstation, measurement or
    // document the view shows.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            DeleteKeyStaysIn(QApplication::focusWidget())) {
            event->accept();
            return true;
        }
    }
    return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A restore from minimised is a show event too; the bar is built once.
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    // Closing the main window ends the program even while other windows exist.
    QApplication::quit();
}

void TfrmMain::FormCanResize(int &newWidth, int &newHeight)
{
    if (newWidth < 820)
        newWidth = 820;
    if (newHeight < 580)
        newHeight = 630;
}

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    int w = width();
    int h = height();
    FormCanResize(w, h);
    if (w != width() || h != height())
        QTimer::singleShot(0, this, [this, w, h] { resize(w, h); });
}

// ---- building the bar ---------------------------------------------------------------

void TfrmMain::FormShow()
{
    BuildingBar = false;
    LastButton = -1;
    try {
        storage::ReadNavigationConfig(storage::NavigationConfigPath());
    } catch (const platform::TarvelinError &e) {
        // Without a configuration the window still opens, with an empty bar.
        storage::NavigationGroups().clear();
        platform::ShowError(QStringLiteral("Nie udało się wczytać konfiguracji nawigacji programu (%1).\n%2")
                                .arg(storage::NavigationConfigPath(), e.message()));
    }
    // The factor catalogue folder is known from the configuration, before the catalogue
    // view is ever opened (the factor-list reader needs it).
    m_state.CatalogueFolder = storage::CatalogueFolderOf(storage::NavigationGroups());
    buildBar();
    // On the first run the bar is as wide as its longest group caption needs; later runs
    // keep the width the user left it at.
    if (!widgets::HasStoredGeometry(this, pLeft->objectName())) {
        const int wanted = std::max(113, FEGXMainOutlookBar->WidthForCaptions());
        const QList<int> sizes = splitMain->sizes();
        const int total = sizes.size() == 2 && sizes[0] + sizes[1] > 0 ? sizes[0] + sizes[1] : 752;
        splitMain->setSizes({wanted, std::max(1, total - wanted)});
    }
    setWindowTitle(QStringLiteral("Tarvelin "));
    m_state.DataVersion = QStringLiteral("1.1");
}

void TfrmMain::buildBar()
{
    auto &groups = storage::NavigationGroups();
    FEGXMainOutlookBar->ClearButtons();
    imgDuze.Clear();
    imgMale.Clear();
    QStringList missingIcons;
    QStringList emptyGroups;
    // Each group is selected in turn only to give it its image list; the first view is
    // shown once, below, not once for every selection the building makes.
    QSignalBlocker building(FEGXMainOutlookBar);
    for (size_t i = 0; i < groups.size(); ++i) {
        const storage::TGrupa &group = *groups[i];
        widgets::TGXOutlookItems *button = FEGXMainOutlookBar->AddButton();
        button->SetCaption(group.nazwa);
        FEGXMainOutlookBar->SetSelectedButton(static_cast<int>(i));
        widgets::TImageList &images = group.rozmikon == 16 ? imgMale : imgDuze;
        FEGXMainOutlookBar->SetImages(&images);
        if (group.Elements.empty())
            emptyGroups << group.nazwa;
        for (const auto &element : group.Elements) {
            widgets::TGXOutlookItem *item = button->Add();
            item->SetCaption(element->nazwa);
            // A missing or unreadable bitmap leaves this item without an icon; the rest of
            // the bar is built and the user is told once.
            int index = -1;
            if (!element->ikona.isEmpty())
                index = images.AddMaskedFile(platform::ToFilePath(element->ikona), kMagenta);
            if (index < 0)
                missingIcons << element->ikona;
            item->SetImageIndex(index);
            item->Tag = element->numer;
        }
    }
    if (!groups.empty()) {
        BuildingBar = true;
        FEGXMainOutlookBar->SetSelectedButton(0);
        building.unblock();
        LastButton = 0;
        FEGXMainOutlookBarChange();
        BuildingBar = false;
    }
    if (!emptyGroups.isEmpty())
        platform::ShowWarning(QStringLiteral("Plik konfiguracyjny %1: grupa \"%2\" nie ma żadnego elementu.")
                                  .arg(storage::NavigationConfigPath(), emptyGroups.join(QStringLiteral("\", \""))));
    if (!missingIcons.isEmpty())
        platform::ShowWarning(
            QStringLiteral("Nie można wczytać ikon paska nawigacji:\n%1").arg(missingIcons.join('\n')));
}

// ---- bar events ---------------------------------------------------------------------

void TfrmMain::FEGXMainOutlookBarChange()
{
    if (m_puttingBarBack)
        return;
    const int sel = FEGXMainOutlookBar->SelectedButton();
    auto &groups = storage::NavigationGroups();
    const bool known = sel >= 0 && sel < static_cast<int>(groups.size());
    // 4. The group's image list, first: the bar already shows the new group's items, and
    // they must not show the icons of the old one while the question below is open.
    if (known)
        FEGXMainOutlookBar->SetImages(groups[static_cast<size_t>(sel)]->rozmikon == 16 ? &imgMale : &imgDuze);
    // 1-2. Pending edits are committed and unsaved changes offered before anything moves.
    // When the user calls the question off, or the changes could not be saved, the current
    // view stays, so the edits are not lost (nor carried into the next view's Save).
    if (!ConfirmPendingChanges()) {
        m_stayingInView = true;
        QTimer::singleShot(0, this, [this] { m_stayingInView = false; });
        putBarBack();
        return;
    }
    // 3. The right side is emptied; the panel goes back to its view. Taking it away moves the
    // focus out of it, which may still commit an edit; then the question comes now, while
    // the view can still be put back - not on the next click, over an empty right side.
    const QPointer<QWidget> leftPanel = HostedPanel;
    appstate::TView *leftView = HostedView;
    const QString leftCaption = FEpCRight->Caption();
    const QString leftOper = currentOper();
    giveBackHostedPanel();
    if (m_state.Modified() && leftPanel && !ConfirmPendingChanges()) {
        ShowViewPanel(leftPanel, leftCaption);
        HostedView = leftView;
        leftPanel->show();
        ApplyOperations(leftOper);
        SetSaveEnabled(true);
        m_stayingInView = true;
        QTimer::singleShot(0, this, [this] { m_stayingInView = false; });
        putBarBack();
        return;
    }
    m_barButton = sel;
    m_barItem = FEGXMainOutlookBar->SelectedItem();
    if (!known)
        return;
    const storage::TGrupa &group = *groups[static_cast<size_t>(sel)];
    // 5. The letters of the group's first element (none for a group without elements).
    ApplyOperations(group.Elements.empty() ? QString() : group.Elements.front()->oper);
    // 6. Only a change of group (or the start-up) goes on to show a view.
    if (!((LastButton != -1 && LastButton != sel) || BuildingBar)) {
        // Nothing is shown until an icon is clicked: the commands must not act on the
        // view that has just been taken away.
        ApplyOperations(QString());
        m_currentElement = nullptr;
        return;
    }
    // 7.
    LastButton = sel;
    if (group.Elements.empty())
        return;
    if (FEGXMainOutlookBar->SelectedItem() < 0) {
        // Quietly: the click below shows the item's view, once.
        const QSignalBlocker selecting(FEGXMainOutlookBar);
        FEGXMainOutlookBar->SetSelectedItem(0);
        m_barItem = FEGXMainOutlookBar->SelectedItem();
    }
    FEGXMainOutlookBarItemClick();
    raise();
}

void TfrmMain::putBarBack()
{
    // The bar shows again the group and item of the view the user stays in, and nothing
    // runs for it: the view is still there.
    const QScopedValueRollback<bool> quiet(m_puttingBarBack, true);
    auto &groups = storage::NavigationGroups();
    if (m_barButton < 0 || m_barButton >= static_cast<int>(groups.size()))
        return;
    FEGXMainOutlookBar->SetSelectedButton(m_barButton);
    FEGXMainOutlookBar->SetSelectedItem(m_barItem);
    FEGXMainOutlookBar->SetImages(groups[static_cast<size_t>(m_barButton)]->rozmikon == 16 ? &imgMale : &imgDuze);
}

void TfrmMain::FEGXMainOutlookBarItemClick()
{
    if (m_stayingInView || !ConfirmPendingChanges())
        return; // unsaved edits kept (Anuluj, or a failed write): stay on the view that holds them
    const int sel = FEGXMainOutlookBar->SelectedButton();
    const int itemIndex = FEGXMainOutlookBar->SelectedItem();
    auto &groups = storage::NavigationGroups();
    if (sel < 0 || sel >= static_cast<int>(groups.size()) || itemIndex < 0 ||
        itemIndex >= FEGXMainOutlookBar->Buttons(sel)->Count())
        return;
    const storage::TGrupa &group = *groups[static_cast<size_t>(sel)];
    const int elementIndex = FEGXMainOutlookBar->Buttons(sel)->Item(itemIndex)->Tag - 1;
    if (elementIndex < 0 || elementIndex >= static_cast<int>(group.Elements.size()))
        return;
    const storage::TElem &element = *group.Elements[static_cast<size_t>(elementIndex)];
    m_currentElement = &element;
    m_state.ElementCaption = element.nazwa;
    ApplyOperations(element.oper);

    const storage::TSklad *frm = nullptr;
    const storage::TSklad *dokfrm = nullptr;
    const storage::TSklad *chm = nullptr;
    const storage::TSklad *hlp = nullptr;
    const storage::TSklad *htm = nullptr;
    for (const auto &c : element.Components) {
        if (c->typ == QLatin1String("frm")) {
            frm = c.get();
            m_state.ViewName = c->plik;
            m_state.ViewKind = storage::ViewKindOf(*c);
        } else if (c->typ == QLatin1String("dokfrm")) {
            dokfrm = c.get();
            m_state.ViewName = c->plik;
            m_state.ViewKind = storage::ViewKindOf(*c);
        } else if (c->typ == QLatin1String("chm")) {
            chm = c.get();
        } else if (c->typ == QLatin1String("hlp")) {
            hlp = c.get();
        } else if (c->typ == QLatin1String("htm")) {
            htm = c.get();
        }
    }
    // The view the element's last "frm" or "dokfrm" component names; a view name the
    // program does not know shows nothing.
    if (frm && m_state.ViewKind != storage::TViewKind::None && m_state.ViewKind == storage::ViewKindOf(*frm)) {
        m_state.DataFolder = frm->katalog;
        m_state.FormsFolder = frm->katfrm;
        WyswWidok(frm->plik, element.nazwa, frm->katzal);
    }
    if (dokfrm) {
        m_state.DataFolder = dokfrm->katalog;
        m_state.FormsFolder = dokfrm->katfrm;
        m_state.FormVersion = ExtractFormVersion(m_state.ViewName);
        WyswForm(element.nazwa, m_state.FormsFolder + m_state.ViewName, dokfrm->katzal);
    }
    const QString program = platform::ProgramFolder() + QLatin1Char('\\');
    if (chm && platform::FolderExists(program + QLatin1Char('\\') + chm->katalog))
        RunExternal(QStringLiteral("hh.exe "), program + QLatin1Char('\\') + chm->katalog + chm->plik);
    if (hlp && platform::FolderExists(program + QLatin1Char('\\') + hlp->katalog))
        RunExternal(QStringLiteral("winhlp32.exe "), program + QLatin1Char('\\') + hlp->katalog + hlp->plik);
    if (htm && !frm)
        WyswStrone(element.nazwa, htm->katalog + htm->plik);
    keepFocusInWindow();
}

// ---- hosting ------------------------------------------------------------------------

void TfrmMain::giveBackHostedPanel()
{
    QWidget *panel = HostedPanel.data();
    HostedPanel = nullptr;
    setProperty("helpContext", HelpTopic);
    if (!panel)
        return;
    // The commands of the next view never run a handler of this one.
    if (m_state.LastWinCtrl() && panel->isAncestorOf(m_state.LastWinCtrl()))
        m_state.ClearLastWinCtrl();
    m_panelHost->GiveBack();
    panel->hide();
    keepFocusInWindow();
}

QString TfrmMain::currentOper() const
{
    return m_currentElement ? m_currentElement->oper : QString();
}

void TfrmMain::keepFocusInWindow()
{
    // A window left without a focus control gives the focus to its first control when it
    // is activated again (after a message box, or coming back from another program). In a
    // document view that is the document list, which would open the first stored document
    // in place of the new one being filled in. The navigation bar the user clicked keeps
    // the focus instead.
    QWidget *f = focusWidget();
    if (!f || !f->isVisibleTo(this))
        FEGXMainOutlookBar->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::ShowViewPanel(QWidget *panel, const QString &caption)
{
    if (!panel)
        return;
    if (HostedPanel && HostedPanel != panel)
        giveBackHostedPanel();
    if (HostedPanel != panel)
        m_panelHost->Dock(panel);
    HostedPanel = panel;
    // F1 anywhere in the window asks for the page of the view it shows.
    const int viewHelp = HelpContextOf(panel);
    setProperty("helpContext", viewHelp > 0 ? viewHelp : HelpTopic);
    FEpCRight->SetCaption(caption);
    panel->setGeometry(FEpCRight->ClientRect());
    // Focus must not stay inside a panel that has just left the window.
    keepFocusInWindow();
}

void TfrmMain::hostView(appstate::TView *view, const QString &caption)
{
    QWidget *panel = view->GetMainPanel();
    ShowViewPanel(panel, caption);
    HostedView = view;
    if (panel)
        panel->hide();
    view->InitView();
    if (panel && HostedPanel == panel)
        panel->show();
}

void TfrmMain::WyswWidok(const QString &viewName, const QString &caption, const QString &attachFolder)
{
    m_state.AttachFolder = attachFolder;
    hostView(ViewFor(viewName), caption);
}

void TfrmMain::WyswForm(const QString &caption, const QString &definitionPath, const QString &attachFolder)
{
    m_state.AttachFolder = attachFolder;
    appstate::TView *view = ViewFor(appstate::DocumentViewName());
    QWidget *panel = view->GetMainPanel();
    if (panel)
        panel->hide();
    ShowViewPanel(panel, caption);
    HostedView = view;
    view->InitDocumentView(definitionPath);
    if (panel && HostedPanel == panel)
        panel->show();
    view->AnchorFieldControls();
    SetSaveEnabled(false);
    m_state.EditAllowed = false;
    NewForm(nullptr);
}

void TfrmMain::WyswStrone(const QString &caption, const QString &pagePath)
{
    appstate::TView *view = ViewFor(appstate::WebViewName());
    QWidget *panel = view->GetMainPanel();
    ShowViewPanel(panel, caption);
    HostedView = view;
    // The panel came back hidden from its last stay; without this the page stays blank.
    if (panel && HostedPanel == panel)
        panel->show();
    view->Navigate(QUrl::fromLocalFile(platform::ToFilePath(pagePath)).toString());
}

appstate::TView *TfrmMain::ViewFor(const QString &name)
{
    if (appstate::TView *view = appstate::GetView(name))
        return view;
    auto &slot = m_placeholders[name];
    if (!slot)
        slot = std::make_unique<PlaceholderView>(m_state, name, this);
    return slot.get();
}

appstate::TView *TfrmMain::ExistingViewFor(const QString &name) const
{
    if (appstate::IsViewRegistered(name))
        return appstate::CreatedView(name);
    return PlaceholderFor(name);
}

PlaceholderView *TfrmMain::PlaceholderFor(const QString &name) const
{
    auto it = m_placeholders.find(name);
    return it == m_placeholders.end() ? nullptr : it->second.get();
}

// ---- helpers ------------------------------------------------------------------------

QString TfrmMain::ExtractFormVersion(const QString &fileName)
{
    bool isNumber = true;
    const QString version = storage::ExtractFormVersion(fileName, &isNumber);
    if (!isNumber)
        platform::ShowError(storage::VersionReadErrorText());
    return version;
}

namespace {

QString toLocalPath(const QString &storedPath)
{
    QString p = storedPath;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return platform::ToFilePath(p);
}

} // namespace

void TfrmMain::RunExternal(const QString &program, const QString &arguments)
{
    const QString name = program.trimmed().toLower();
    auto &launcher = platform::CurrentLauncher();
    if (name == QLatin1String("hh.exe")) {
        const QString viewer = LocateHelpViewer();
        if (!viewer.isEmpty())
            launcher.StartDetached(viewer, {toLocalPath(arguments)});
    } else if (name == QLatin1String("winhlp32.exe")) {
        // No WinHelp viewer exists here; the desktop's program for the file is tried.
        launcher.OpenWithDesktop(toLocalPath(arguments));
    } else {
        launcher.StartDetached(program.trimmed(), arguments.isEmpty() ? QStringList() : QStringList{arguments});
    }
}

TfrmMain *frmMain()
{
    static QPointer<TfrmMain> slot;
    return platform::WindowSingleton(slot);
}

} // namespace shell
