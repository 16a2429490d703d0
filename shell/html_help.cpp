#include "shell/html_help.h"

#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/window_registry.h"
#include "shell/help_debug_log.h"
#include "shell/help_topics.h"
#include "storage/chm_directory.h"
#include "widgets/bitbtn_with_color.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>
#include <utility>

namespace shell {

namespace {

THookHelpSystem *installedHook = nullptr;

// The viewer the last help request started, and the launcher that started it (a test may
// have put another in its place since; a handle means nothing to any other launcher).
qint64 viewerHandle = 0;
const platform::Launcher *viewerLauncher = nullptr;

// Set while a command bound to F1 runs because the key was pressed.
bool helpKeyShortcut = false;

QString quoted(const QString &s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// The arguments that open file at a topic: xchm takes the context number, kchmviewer the
// page.
QStringList viewerArguments(const QString &viewer, const QString &file, int context)
{
    if (QFileInfo(viewer).fileName().startsWith(QLatin1String("kchmviewer")))
        return {QStringLiteral("-showPage"), HelpTopicPage(context), file};
    return {QStringLiteral("-c"), QString::number(context), file};
}

int startViewer(const QString &viewer, const QString &file, int context)
{
    CloseHelpViewers();
    platform::Launcher &launcher = platform::CurrentLauncher();
    viewerHandle = launcher.StartOwned(viewer, viewerArguments(viewer, file, context));
    viewerLauncher = &launcher;
    return viewerHandle > 0 ? hrShown : hrViewerFailed;
}

void setPopupPosition()
{
    // The corner a help popup would start at: of the control with help around the focus.
    const QWidget *focus = QApplication::focusWidget();
    const QWidget *w = ControlWithHelp(focus ? focus : QApplication::activeWindow());
    if (!w)
        return;
    const QPoint p = w->mapToGlobal(QPoint(0, 0));
    const quint32 packed = (quint32(p.y() & 0xffff) << 16) | quint32(p.x() & 0xffff);
    ApplicationHelpCommand(HELP_SETPOPUP_POS, static_cast<qint32>(packed));
}

// F1 on any control of the program.
class HelpKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Shortcut &&
            static_cast<QShortcutEvent *>(event)->key() == QKeySequence(Qt::Key_F1)) {
            // A command bound to F1 runs now; it asks HelpKeyShortcutRunning what brought it.
            helpKeyShortcut = true;
            QTimer::singleShot(0, [] { helpKeyShortcut = false; });
            return false;
        }
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (key->isAutoRepeat())
            return true;
        const QWidget *from = QApplication::focusWidget();
        if (!from)
            from = static_cast<QWidget *>(watched);
        if (const int context = HelpContextOf(from))
            ShowHelpContext(context);
        return true;
    }
};

} // namespace

QString HelpCommandName(int command)
{
    static const std::pair<int, const char *> names[] = {
        {HELP_CONTEXT, "HELP_CONTEXT"},
        {HELP_QUIT, "HELP_QUIT"},
        {HELP_INDEX, "HELP_INDEX or HELP_CONTENTS"},
        {HELP_HELPONHELP, "HELP_HELPONHELP"},
        {HELP_SETINDEX, "HELP_SETINDEX or HELP_SETCONTENTS"},
        {HELP_CONTEXTPOPUP, "HELP_CONTEXTPOPUP"},
        {HELP_FORCEFILE, "HELP_FORCEFILE"},
        {HELP_CONTEXTMENU, "HELP_CONTEXTMENU"},
        {HELP_FINDER, "HELP_FINDER"},
        {HELP_WM_HELP, "HELP_WM_HELP"},
        {HELP_SETPOPUP_POS, "HELP_SETPOPUP_POS"},
        {HELP_KEY, "HELP_KEY"},
        {HELP_COMMAND, "HELP_COMMAND"},
        {HELP_PARTIALKEY, "HELP_PARTIALKEY"},
        {HELP_MULTIKEY, "HELP_MULTIKEY"},
        {HELP_SETWINPOS, "HELP_SETWINPOS"},
    };
    const char *name = "??";
    for (const auto &[number, text] : names)
        if (number == command)
            name = text;
    return QStringLiteral("%1 (%2)").arg(command).arg(QLatin1String(name));
}

QString HelpErrorText(int code, const QString &file, int context)
{
    switch (code) {
    case hrShown:
        return QString();
    case hrNotInstalled:
        return QStringLiteral("MS Html Help is not installed on this PC.");
    case hrFileMissing:
        return QStringLiteral("Nie znaleziono pliku pomocy:\n%1").arg(file);
    case hrFileDamaged:
        return QStringLiteral("Plik pomocy jest uszkodzony lub nie jest plikiem pomocy:\n%1").arg(file);
    case hrNoTopic:
        return QStringLiteral("W pliku pomocy nie ma tematu nr %1:\n%2").arg(context).arg(file);
    default:
        return QStringLiteral("Nie udało się uruchomić przeglądarki pomocy %1.").arg(LocateHelpViewer());
    }
}

QString LocateHelpViewer()
{
    const QString env = qEnvironmentVariable("TARVELIN_CHM_VIEWER");
    if (!env.isEmpty())
        return env;
    for (const char *name : {"xchm", "kchmviewer"}) {
        const QString found = platform::CurrentLauncher().FindProgram(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// ---- the hook ------------------------------------------------------------------------

THookHelpSystem::THookHelpSystem(const QString &chmFile, const QString &winDef, THelpViewerKind viewerKind)
    : ChmFile(chmFile), WinDef(winDef), ViewerKind(viewerKind), m_previous(installedHook)
{
    installedHook = this;
    DebugOut(QStringLiteral("THookHelpSystem.Create(\"%1\",\"%2\", %3)").arg(ChmFile, WinDef).arg(ViewerKind));
}

THookHelpSystem::~THookHelpSystem()
{
    CloseHelpViewers();
    if (installedHook == this)
        installedHook = m_previous;
    DebugOut(QStringLiteral("THookHelpSystem.Destroy"));
}

bool THookHelpSystem::HelpHook(int command, qint64 data, bool &callHelp)
{
    DebugOut(QStringLiteral("THookHelpSystem.HelpHook(%1, %2)").arg(HelpCommandName(command)).arg(data));
    callHelp = false;
    switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        HHHelpContext(ChmFile, static_cast<int>(data), WinDef, ViewerKind);
        break;
    case HELP_SETPOPUP_POS:
        PopupPos = QPoint(static_cast<qint16>(data & 0xffff), static_cast<qint16>((data >> 16) & 0xffff));
        break;
    default:
        callHelp = true;
        break;
    }
    return true;
}

THookHelpSystem *InstalledHelpHook()
{
    return installedHook;
}

// ---- showing a context ---------------------------------------------------------------

int HHHelpContext(const QString &chmFile, int context, const QString &winDef, THelpViewerKind viewerKind)
{
    QString path = chmFile;
    path.replace(QLatin1String("%20"), QLatin1String(" "));
    path = path.trimmed();
    QString window = winDef;
    window.replace(QLatin1String("%20"), QLatin1String(" "));
    window = window.trimmed();
    if (!window.isEmpty())
        path += QLatin1Char('>') + window;
    DebugOut(QStringLiteral("HHHelpContext(%1, %2, %3, %4)")
                 .arg(quoted(chmFile))
                 .arg(context)
                 .arg(quoted(winDef))
                 .arg(viewerKind));
    const int result = ShowContext(path, context, viewerKind);
    if (result != hrShown) {
        const QString file = platform::ToFilePath(path.section(QLatin1Char('>'), 0, 0));
        const QString text = HelpErrorText(result, file, context);
        platform::MessageBox(text, QStringLiteral("Tarvelin"), platform::MsgIcon::Warning, platform::MsgOk);
        DebugOut(QStringLiteral("HHShowError(%1), %2").arg(result).arg(quoted(text)));
    }
    return result;
}

int ShowContext(const QString &path, int context, THelpViewerKind viewerKind)
{
    Q_UNUSED(viewerKind);
    DebugOut(QStringLiteral("ShowContext(%1, %2)").arg(quoted(path)).arg(context));
    int result = hrShown;
    const QString viewer = LocateHelpViewer();
    // A relative name is the program folder's file, whatever the current folder is.
    const QString file = platform::ToFilePath(path.section(QLatin1Char('>'), 0, 0));
    const QString page = HelpTopicPage(context);
    if (viewer.isEmpty()) {
        result = hrNotInstalled;
    } else if (!QFileInfo(file).isFile()) {
        result = hrFileMissing;
    } else if (const auto dir = storage::ReadChmDirectory(file); !dir) {
        result = hrFileDamaged;
    } else if (page.isEmpty() || !dir->Contains(QLatin1Char('/') + page) || !dir->Contains(QStringLiteral("/#IVB"))) {
        result = hrNoTopic;
    } else {
        result = startViewer(viewer, file, context);
    }
    DebugOut(QStringLiteral("  returned - %1").arg(result));
    return result;
}

void CloseHelpViewers()
{
    if (viewerHandle > 0 && viewerLauncher == &platform::CurrentLauncher())
        platform::CurrentLauncher().Stop(viewerHandle);
    viewerHandle = 0;
    viewerLauncher = nullptr;
}

// ---- the application's side --------------------------------------------------------------

void ApplicationHelpCommand(int command, qint64 data)
{
    THookHelpSystem *hook = installedHook ? installedHook : frmHTMLHelp()->Hook();
    bool callHelp = true;
    hook->HelpHook(command, data, callHelp);
    // What the hook leaves to the system's own help has nowhere to go on this system.
}

void ShowHelpContext(int context)
{
    setPopupPosition();
    ApplicationHelpCommand(HELP_CONTEXT, context);
}

bool HelpKeyShortcutRunning()
{
    return helpKeyShortcut;
}

void InstallHelpKey()
{
    static QPointer<HelpKeyFilter> filter;
    if (filter || !qApp)
        return;
    filter = new HelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
    // Help buttons of the program's dialogs ask for their window's topic the same way.
    widgets::TBitBtnWithColor::SetHelpHandler([](int context) { ShowHelpContext(context); });
}

// ---- the window that owns the hook -------------------------------------------------------

TfrmHTMLHelp::TfrmHTMLHelp()
{
    setObjectName(QStringLiteral("frmHTMLHelp"));
    setWindowTitle(QStringLiteral("HTMLHelp"));
    m_hook = new THookHelpSystem(QStringLiteral("Tarvelin.chm"), QString(), hvHtmlHelp);
}

TfrmHTMLHelp::~TfrmHTMLHelp()
{
    delete m_hook;
    CloseHelpViewers();
}

TfrmHTMLHelp *frmHTMLHelp()
{
    static QPointer<TfrmHTMLHelp> slot;
    return platform::WindowSingleton(slot);
}

} // namespace shell
