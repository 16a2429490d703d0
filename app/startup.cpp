#include "app/startup.h"

#include "appstate/appstate.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_ocena_ryz.h"
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
#include "widgets/progress_dialog.h"
#include "workstations/views.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <functional>

namespace app {

namespace {

// A window whose own work is not in the program yet still exists under its name, so
// the creation order and the names other code looks up stay as they will be.
QWidget *placeholderWindow(const char *name)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    platform::RegisterWindow(w);
    return w;
}

// A statutory form page made at start-up; one whose layout is not in the program yet
// stands in as a placeholder of its name.
QWidget *pageFormWindow(const char *name)
{
    if (QWidget *page = printouts::PageForm(QString::fromLatin1(name)))
        return page;
    return placeholderWindow(name);
}

struct StartupWindow
{
    const char *name;
    std::function<QWidget *()> create;
};

const std::vector<StartupWindow> &startupWindows()
{
    static const std::vector<StartupWindow> list = {
        {"frmMain", [] { return static_cast<QWidget *>(shell::frmMain()); }},
        {"frmProgres", [] { return static_cast<QWidget *>(widgets::frmProgres()); }},
        {"frmWydruk", [] { return static_cast<QWidget *>(printouts::frmWydruk()); }},
        {"frmNowyPomiar", [] { return static_cast<QWidget *>(assessment::frmNowyPomiar()); }},
        {"frmCzynniki", [] { return placeholderWindow("frmCzynniki"); }},
        {"frmStanCzyn", [] { return placeholderWindow("frmStanCzyn"); }},
        {"frmOcenaRyz", [] { return static_cast<QWidget *>(assessment::frmOcenaRyz()); }},
        {"frmZestaw", [] { return placeholderWindow("frmZestaw"); }},
        {"frmWydrukRej", [] { return static_cast<QWidget *>(printouts::frmWydrukRej()); }},
        {"frmStatRep", [] { return static_cast<QWidget *>(printouts::frmStatRep()); }},
        {"frmHTMLHelp", [] { return static_cast<QWidget *>(shell::frmHTMLHelp()); }},
        {"frmStatKartWypP2_1", [] { return pageFormWindow("frmStatKartWypP2_1"); }},
        {"frmWypadekDrogaP2", [] { return pageFormWindow("frmWypadekDrogaP2"); }},
        {"frmKartWypP2", [] { return pageFormWindow("frmKartWypP2"); }},
        {"frmKartWypP3", [] { return pageFormWindow("frmKartWypP3"); }},
        {"frmCzynnWl", [] { return placeholderWindow("frmCzynnWl"); }},
        {"frmParamRiscScore", [] { return placeholderWindow("frmParamRiscScore"); }},
        {"frmQSkierBad_P1_1", [] { return pageFormWindow("frmQSkierBad_P1_1"); }},
        {"frmStatKartWypP1_3", [] { return pageFormWindow("frmStatKartWypP1_3"); }},
        {"frmProtWypP1", [] { return pageFormWindow("frmProtWypP1"); }},
        {"frmProtWypP2", [] { return pageFormWindow("frmProtWypP2"); }},
        {"frmProtWypP3", [] { return pageFormWindow("frmProtWypP3"); }},
        {"frmProtWypP4", [] { return pageFormWindow("frmProtWypP4"); }},
        {"frmStatKartWypP2_3", [] { return pageFormWindow("frmStatKartWypP2_3"); }},
        {"frmStatKartWypP1_2", [] { return pageFormWindow("frmStatKartWypP1_2"); }},
        {"frmStatKartWypP2_2", [] { return pageFormWindow("frmStatKartWypP2_2"); }},
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
    assessment::RegisterViews();
    workstations::RegisterViews();
    printouts::RegisterDialogs();
    printouts::RegisterWorkstationPrintouts();
    printouts::RegisterSummaryReports();
}

void CreateStartupWindows()
{
    RegisterViews();
    for (const auto &w : startupWindows())
        w.create();
}

int RunTarvelin(int argc, char **argv)
{
    platform::TarvelinApplication application(argc, argv);
    if (!RunModuleInitialisations(application.arguments()))
        return 1;
    application.setApplicationName(QStringLiteral("Tarvelin"));
    application.setProperty("helpFile", QStringLiteral("Tarvelin.chm"));
    application.setQuitOnLastWindowClosed(false);

    CreateStartupWindows();
    shell::frmMain()->show();
    // Test seam: black-box runs under a real X display close the main window after a
    // while, as a user would, to check that the program ends cleanly.
    const int autoclose = qEnvironmentVariableIntValue("TARVELIN_AUTOCLOSE_MS");
    if (autoclose > 0)
        QTimer::singleShot(autoclose, shell::frmMain(), [] { shell::frmMain()->close(); });
    const int rc = application.exec();
    platform::DestroyAllWindows(); // the help window closes the help viewer
    shell::FinishHelpDebugLog();
    return rc;
}

} // namespace app
