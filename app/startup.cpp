#include "app/startup.h"

#include "appstate/appstate.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/views.h"
#include "platform/application.h"
#include "platform/paths.h"
#include "platform/window_registry.h"
#include "printouts/form_page.h"
#include "printouts/frm_stat_rep.h"
#include "printouts/frm_wydruk.h"
#include "printouts/frm_wydruk_rej.h"
#include "printouts/page_forms.h"
#include "printouts/summary_reports.h"
#include "reportengine/expr_functions_library.h"
#include "shell/frm_main.h"
#include "shell/frm_www.h"
#include "shell/help_debug_log.h"
#include "shell/html_help.h"
#include "storage/startup_check.h"
#include "widgets/form_geometry.h"
#include "widgets/lazy_icon_style.h"
#include "widgets/progress_dialog.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"
#include "workstations/views.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <functional>

namespace app {

namespace {

// A window whose own work is not in the program (the Risk Score editor is made anew for
// each use, every view showing measurement pages has a risk panel of its own) still exists
// under its name, so the names other code looks up stay.
QWidget *placeholderWindow(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    platform::RegisterWindow(w);
    return w;
}

// A statutory form page; one whose layout is not in the program yet stands in as a
// placeholder of its name.
QWidget *pageFormWindow(const char *name)
{
    if (QWidget *page = printouts::PageForm(QString::fromLatin1(name)))
        return page;
    return placeholderWindow(name);
}

template <typename T>
std::function<QWidget *()> accessor(T *(*get)())
{
    return [get] { return static_cast<QWidget *>(get()); };
}

// The window of a view (or of a dialog docking one), made in the state start-up made.
template <typename T>
std::function<QWidget *()> viewAccessor(T *(*get)(appstate::AppState &))
{
    return [get] { return static_cast<QWidget *>(get(appstate::State())); };
}

struct StartupWindow
{
    const char *name;
    std::function<QWidget *()> create;
    // The views' own windows take their place when their view makes them, as before.
    platform::WindowPlace place = platform::WindowPlace::KeepPlace;
};

const std::vector<StartupWindow> &startupWindows()
{
    using platform::WindowPlace;
    const auto page = [](const char *name) { return [name] { return pageFormWindow(name); }; };
    static const std::vector<StartupWindow> list = {
        {"frmMain", accessor(&shell::frmMain)},
        {"frmProgres", accessor(&widgets::frmProgres)},
        {"frmWydruk", accessor(&printouts::frmWydruk)},
        {"frmNowyPomiar", accessor(&assessment::frmNowyPomiar)},
        {"frmCzynniki", viewAccessor(&workstations::frmCzynniki), WindowPlace::PlaceWhenMade},
        {"frmStanCzyn", viewAccessor(&workstations::frmStanCzyn), WindowPlace::PlaceWhenMade},
        {"frmOcenaRyz", [] { return placeholderWindow("frmOcenaRyz"); }},
        {"frmZestaw", viewAccessor(&workstations::frmZestaw), WindowPlace::PlaceWhenMade},
        {"frmWydrukRej", accessor(&printouts::frmWydrukRej)},
        {"frmStatRep", accessor(&printouts::frmStatRep)},
        {"frmHTMLHelp", accessor(&shell::frmHTMLHelp)},
        {"frmStatKartWypP2_1", page("frmStatKartWypP2_1")},
        {"frmWypadekDrogaP2", page("frmWypadekDrogaP2")},
        {"frmKartWypP2", page("frmKartWypP2")},
        {"frmKartWypP3", page("frmKartWypP3")},
        {"frmCzynnWl", accessor(&workstations::frmCzynnWl), WindowPlace::PlaceWhenMade},
        {"frmParamRiscScore", [] { return placeholderWindow("frmParamRiscScore"); }},
        {"frmQSkierBad_P1_1", page("frmQSkierBad_P1_1")},
        {"frmStatKartWypP1_3", page("frmStatKartWypP1_3")},
        {"frmProtWypP1", page("frmProtWypP1")},
        {"frmProtWypP2", page("frmProtWypP2")},
        {"frmProtWypP3", page("frmProtWypP3")},
        {"frmProtWypP4", page("frmProtWypP4")},
        {"frmStatKartWypP2_3", page("frmStatKartWypP2_3")},
        {"frmStatKartWypP1_2", page("frmStatKartWypP1_2")},
        {"frmStatKartWypP2_2", page("frmStatKartWypP2_2")},
    };
    return list;
}

} // namespace

void FixLocale()
{
    // Qt sets the C library locale from the environment; under a Polish locale printf and
    // strtod would then use ",". Numbers and dates are "." and yyyy-MM-dd for the whole run.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

namespace {
bool debugMode = false;
}

bool DebugModeRequested(const QStringList &arguments)
{
    if (QFileInfo::exists(QDir(platform::ProgramFolder()).filePath(QStringLiteral("debug.debug"))))
        return true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].compare(QLatin1String("/debug"), Qt::CaseInsensitive) == 0 ||
            arguments[i].compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool DebugMode()
{
    return debugMode;
}

bool RunModuleInitialisations(const QStringList &arguments)
{
    // 1. The report engine's expression functions.
    reportengine::RegisterExpressionFunctions();
    // 2. The coloured bit-button glyph table starts empty.
    // 3. The configuration check: without "Tarvelin.ini" the program ends.
    if (!appstate::ReportStorageResult(storage::CheckStartupConfiguration()))
        return false;
    // 4. The locale.
    FixLocale();
    // 5. The help viewer of this system.
    const QString helpViewer = shell::LocateHelpViewer();
    // 6. Debug mode and the help debug log (an old log goes either way).
    debugMode = DebugModeRequested(arguments);
    shell::InitHelpDebugLog(debugMode, arguments, helpViewer);
    // 7. F1 asks for help everywhere in the program.
    shell::InstallHelpKey();
    return true;
}

QStringList StartupWindowNames()
{
    QStringList names;
    for (const auto &w : startupWindows())
        names << QString::fromLatin1(w.name);
    return names;
}

void RegisterViews()
{
    // One line per view library, for example workstations::RegisterViews(); until a view
    // registers, the main window shows a named placeholder panel for it.
    shell::RegisterViews();
    assessment::RegisterViews(appstate::State());
    workstations::RegisterViews(appstate::State());
    printouts::RegisterDialogs();
    printouts::RegisterWorkstationPrintouts();
    printouts::RegisterSummaryReports();
}

void CreateStartupWindows()
{
    RegisterViews();
    // Only the main window is on screen at start; every other window of the list keeps
    // its name and its place in the order and is made when first asked for (through its
    // accessor, or by name through the window registry).
    for (const auto &w : startupWindows())
        platform::RegisterWindowFactory(QString::fromLatin1(w.name), w.create, w.place);
    shell::frmMain();
    // The help log of a debug run follows the help hook from the start, as it always did.
    if (debugMode)
        platform::WindowByName(QStringLiteral("frmHTMLHelp"));
}

int RunTarvelin(int argc, char **argv)
{
    platform::TarvelinApplication application(argc, argv);
    QApplication::setStyle(new widgets::TLazyIconStyle);
    if (!RunModuleInitialisations(application.arguments()))
        return 1;
    application.setApplicationName(QStringLiteral("Tarvelin"));
    application.setProperty("helpFile", QStringLiteral("Tarvelin.chm"));
    application.setQuitOnLastWindowClosed(false);

    {
        // The windows made at start read their geometry from one reading of the ini file.
        widgets::GeometryBatch geometry;
        CreateStartupWindows();
        shell::frmMain()->show();
    }
    // Test seam: black-box runs under a real X display close the main window after a
    // while, as a user would, to check that the program ends cleanly; the start-up
    // benchmark closes it as soon as it is shown.
    const int autoclose = qEnvironmentVariableIntValue("TARVELIN_AUTOCLOSE_MS");
    if (autoclose > 0)
        QTimer::singleShot(autoclose, shell::frmMain(), [] { shell::frmMain()->close(); });
    const int rc = application.exec();
    {
        // Each window stores its geometry as it goes; the ini file is written once.
        widgets::GeometryBatch geometry;
        platform::DestroyAllWindows(); // the help window closes the help viewer
    }
    shell::FinishHelpDebugLog();
    return rc;
}

} // namespace app
