#include "printouts/frm_wydruk_rej.h"

#include "appstate/view_registry.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "printouts/frm_karta_oc_ryz.h"
#include "printouts/frm_stat_rep.h"
#include "printouts/frm_v_rejestr_karta.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "widgets/dialog_buttons.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace printouts {

namespace {

const char *const kKindCaptions[kWorkstationReportKinds] = {
    "Rejestr i karta badań czynników", "Karta oceny ryzyka zawodowego", "Informacje zbiorcze o stanowiskach",
    "Zestawienie stanowisk wg kategorii ryzyka", "Wykaz czynników szkodliwych i uciążliwych"};

QString noDataText()
{
    return QStringLiteral("Brak danych do wydruku");
}

QString dayText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

// Why a kind that prints the summary view's workstation, or its range, has nothing to print
// from the view's choices: what to choose there. Empty when it has something.
QString missingChoice(int kind, const TWorkstationReportOptions &o)
{
    const bool ofWorkstation = kind == kRegisterAndCards || kind == kRiskAssessmentCard;
    if (ofWorkstation && !o.Workstation)
        return noDataText() + QStringLiteral(".\nNie wybrano stanowiska: wybierz je na liście \"Stanowisko :\" "
                                             "w widoku Zestawienie pomiarów i kliknij \"Wyświetl\".");
    if ((ofWorkstation || kind == kSummaryInformation) && o.DateFrom.isValid() && o.DateTo.isValid() &&
        o.DateFrom > o.DateTo)
        return noDataText() + QStringLiteral(".\nZakres dat jest pusty: data \"od\" (%1) jest późniejsza niż "
                                             "data \"do\" (%2).")
                                  .arg(dayText(o.DateFrom), dayText(o.DateTo));
    if (ofWorkstation && o.Factors.empty())
        return noDataText() + QStringLiteral(".\nNa stanowisku \"%1\" żaden aktualny czynnik nie ma pomiaru w "
                                             "zakresie dat od %2 do %3.")
                                  .arg(o.Workstation->nazwa, dayText(o.DateFrom), dayText(o.DateTo));
    return QString();
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

// Why a printout of the kind could not be made, as the dialog knows it: the printout, the
// workstation it prints (the kinds of one workstation), what the report engine said and
// where in the report it failed.
QString printFailedText(int kind, const TWorkstationReportOptions &o, const reportengine::TVRErrorDetails &error)
{
    const bool ofWorkstation = kind == kRegisterAndCards || kind == kRiskAssessmentCard;
    QString text = QStringLiteral("Nie można przygotować wydruku \"%1\"").arg(QString::fromUtf8(kKindCaptions[kind]));
    if (ofWorkstation && o.Workstation)
        text += QStringLiteral(" dla stanowiska \"%1\"").arg(o.Workstation->nazwa);
    text += QStringLiteral(":\n") + error.Message;
    QStringList place;
    if (!error.Band.isEmpty())
        place << QStringLiteral("pasmo %1").arg(error.Band);
    if (!error.Control.isEmpty())
        place << QStringLiteral("element %1").arg(error.Control);
    if (!place.isEmpty())
        text += QStringLiteral("\n(miejsce w raporcie %1: %2)").arg(error.Report, place.join(QStringLiteral(", ")));
    return text;
}

// Options of a group box, one under another.
QCheckBox *addCheckBox(QGroupBox *group, const char *name, const QString &caption, bool checked)
{
    QCheckBox *box = checkBox(group, name, caption, checked);
    group->layout()->addWidget(box);
    return box;
}

QRadioButton *addRadioButton(QGroupBox *group, const char *name, const QString &caption)
{
    auto *button = new QRadioButton(caption, group);
    button->setObjectName(QLatin1String(name));
    group->layout()->addWidget(button);
    return button;
}

QPlainTextEdit *memo(QWidget *parent, const char *name)
{
    auto *m = new QPlainTextEdit(parent);
    m->setObjectName(QLatin1String(name));
    m->setTabChangesFocus(true);
    return m;
}

QWidget *tab(QTabWidget *tabs, const char *name, int kind)
{
    auto *page = new QWidget(tabs);
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, QString::fromUtf8(kKindCaptions[kind]));
    return page;
}

// The tab of a kind whose options stand one under another in a group box.
QGroupBox *optionsBox(QTabWidget *tabs, const char *name, int kind, const QString &caption)
{
    QWidget *page = tab(tabs, name, kind);
    auto *layout = new QVBoxLayout(page);
    auto *box = new QGroupBox(caption, page);
    new QVBoxLayout(box);
    layout->addWidget(box);
    layout->addStretch(1);
    return box;
}

// The wait window for as long as the pages are counted, whatever ends the count.
class TWaitWindow
{
public:
    TWaitWindow() { frmStatRep()->show(); }
    ~TWaitWindow() { Close(); }
    void Close() { frmStatRep()->close(); }
};

} // namespace

TfrmWydrukRej::TfrmWydrukRej()
{
    setObjectName(QStringLiteral("frmWydrukRej"));
    setWindowTitle(QStringLiteral("Wydruk"));
    buildControls();
}

TfrmWydrukRej::~TfrmWydrukRej() = default;

void TfrmWydrukRej::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    QStringList kinds;
    for (const char *caption : kKindCaptions)
        kinds << QString::fromUtf8(caption);
    rgRodzZest =
        new widgets::TRadioGroup(QStringLiteral("rgRodzZest"), QStringLiteral(" Rodzaj zestawienia "), kinds, 1, this);
    outer->addWidget(rgRodzZest);
    pgcZestawienia = new QTabWidget(this);
    pgcZestawienia->setObjectName(QStringLiteral("pgcZestawienia"));
    buildRegisterTab();
    buildRiskCardTab();
    buildSummaryTab();
    buildCategoriesTab();
    buildFactorListTab();
    outer->addWidget(pgcZestawienia, 1);

    lbPomCzyn = new QListWidget(this);
    lbPomCzyn->setObjectName(QStringLiteral("lbPomCzyn"));
    lbPomCzyn->setToolTip(QStringLiteral("Pomocniczy - ListBox"));
    lbPomCzyn->hide();
    m_registerData.OnMeasurementsListed = [this](const std::vector<storage::TPomiarCzynn *> &listed) {
        lbPomCzyn->clear();
        for (const storage::TPomiarCzynn *m : listed)
            lbPomCzyn->addItem(storage::MeasurementDay(m->data));
    };

    const widgets::TDialogButtons row = widgets::AddDialogButtons(this, outer, {"bOk", QStringLiteral("Wydruk")},
                                                                  {"bClose", QStringLiteral("Zamknij")});
    bOk = row.accept;
    bClose = row.reject;

    connect(rgRodzZest, &widgets::TRadioGroup::Clicked, this, [this](int) { rgRodzZestClick(); });
    connect(cbKartaBadan, &QCheckBox::clicked, this, [this] { cbKartaBadanClick(); });
    connect(btDodaj, &QPushButton::clicked, this, [this] { btDodajClick(); });
    connect(btUsun, &QPushButton::clicked, this, [this] { btUsunClick(); });
    connect(bOk, &QPushButton::clicked, this, [this] { bOKClick(); });
    resize(560, 560);
}

QWidget *TfrmWydrukRej::buildRegisterTab()
{
    QWidget *page = tab(pgcZestawienia, "tsRejestr", kRegisterAndCards);
    auto *layout = new QVBoxLayout(page);
    cbRejestr =
        checkBox(page, "cbRejestr",
                 QStringLiteral("Rejestr czynników szkodliwych dla zdrowia występujących na stanowisku pracy "), true);
    cbKartaBadan = checkBox(page, "cbKartaBadan", QStringLiteral("Karta badań i pomiarów czynników szkodliwych"), true);
    cbPomChem = checkBox(page, "cbPomChem", QStringLiteral("czynnik chemiczny"), true);
    cbPomPyl = checkBox(page, "cbPomPyl", QStringLiteral("pył"), true);
    cbPomFiz = checkBox(page, "cbPomFiz", QStringLiteral("czynnik fizyczny"), true);
    cbKartaBadanUc =
        checkBox(page, "cbKartaBadanUc", QStringLiteral("Karta badań i pomiarów czynników uciążliwych"), false);
    layout->addWidget(cbRejestr);
    layout->addWidget(cbKartaBadan);
    for (QCheckBox *box : {cbPomChem, cbPomPyl, cbPomFiz}) {
        auto *indented = new QHBoxLayout;
        indented->addSpacing(24);
        indented->addWidget(box);
        layout->addLayout(indented);
    }
    layout->addWidget(cbKartaBadanUc);
    layout->addStretch(1);
    return page;
}

QWidget *TfrmWydrukRej::buildRiskCardTab()
{
    QWidget *page = tab(pgcZestawienia, "tsKartaOcRyz", kRiskAssessmentCard);
    auto *grid = new QGridLayout(page);
    lbPracownicy = new QListWidget(page);
    lbPracownicy->setObjectName(QStringLiteral("lbPracownicy"));
    lbPracownicy->setSelectionMode(QAbstractItemView::ExtendedSelection);
    NazwiskoImie = new QLineEdit(page);
    NazwiskoImie->setObjectName(QStringLiteral("NazwiskoImie"));
    btDodaj = new QPushButton(QStringLiteral("<"), page);
    btDodaj->setObjectName(QStringLiteral("btDodaj"));
    btUsun = new QPushButton(QStringLiteral(">"), page);
    btUsun->setObjectName(QStringLiteral("btUsun"));
    cbPracownicy = checkBox(page, "cbPracownicy", QStringLiteral("Uwzględnij wybranych"), false);
    edNrKarty = new QLineEdit(page);
    edNrKarty->setObjectName(QStringLiteral("edNrKarty"));
    meKarSporz = memo(page, "meKarSporz");
    meKarZatw = memo(page, "meKarZatw");
    meDokZwiaz = memo(page, "meDokZwiaz");
    meSrodkiStosowane = memo(page, "meSrodkiStosowane");

    auto *lista = new QLabel(QStringLiteral("Lista pracowników:"), page);
    lista->setBuddy(lbPracownicy);
    grid->addWidget(lista, 0, 0);
    grid->addWidget(lbPracownicy, 1, 0, 4, 1);
    auto *name = new QLabel(QStringLiteral("Nazwisko i imię pracownika:"), page);
    name->setBuddy(NazwiskoImie);
    grid->addWidget(name, 0, 2);
    grid->addWidget(NazwiskoImie, 1, 2);
    auto *arrows = new QVBoxLayout;
    arrows->addWidget(btDodaj);
    arrows->addWidget(btUsun);
    grid->addLayout(arrows, 1, 1, 2, 1);
    grid->addWidget(cbPracownicy, 2, 2);
    const std::pair<const char *, QWidget *> fields[] = {{"Numer karty:", edNrKarty},
                                                         {"Kartę sporządził:", meKarSporz},
                                                         {"Kartę zatwierdził:", meKarZatw},
                                                         {"Dokumenty związane:", meDokZwiaz},
                                                         {"Stosowane środki ochrony indyw.", meSrodkiStosowane}};
    int row = 5;
    for (const auto &[caption, field] : fields) {
        auto *label = new QLabel(QString::fromUtf8(caption), page);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, 1, 2);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget *TfrmWydrukRej::buildSummaryTab()
{
    QGroupBox *box = optionsBox(pgcZestawienia, "tsInfZbiorcze", kSummaryInformation, QStringLiteral("Opcje wydruku"));
    cbAdministracja = addCheckBox(box, "cbAdministracja", QStringLiteral("administracja"), true);
    cbOcRyzyka = addCheckBox(box, "cbOcRyzyka", QStringLiteral("ocena ryzyka"), true);
    return box->parentWidget();
}

QWidget *TfrmWydrukRej::buildCategoriesTab()
{
    QGroupBox *box = optionsBox(pgcZestawienia, "tsKategorie", kWorkstationsByRisk,
                                QStringLiteral(" Kategorie ryzyka zawodowego: "));
    cbMale = addCheckBox(box, "cbMale", QStringLiteral("małe"), true);
    cbSrednie = addCheckBox(box, "cbSrednie", QStringLiteral("średnie"), true);
    cbDuze = addCheckBox(box, "cbDuze", QStringLiteral("duże"), true);
    return box->parentWidget();
}

QWidget *TfrmWydrukRej::buildFactorListTab()
{
    QGroupBox *box =
        optionsBox(pgcZestawienia, "tsWykazCzynnikow", kHarmfulArduousFactors, QStringLiteral("Opcje wydruku"));
    rbGrupy = addRadioButton(box, "rbGrupy", QStringLiteral("Grupy (w tym rakotwórcze)"));
    rbGrupy->setChecked(true);
    rbTylkoRakotworcze = addRadioButton(box, "rbTylkoRakotworcze", QStringLiteral("Tylko rakotwórcze"));
    cbElementStruktury =
        addCheckBox(box, "cbElementStruktury", QStringLiteral("Elementy struktury przedsiębiorstwa"), true);
    return box->parentWidget();
}

// ---------------------------------------------------------------------------------------
// Handlers

void TfrmWydrukRej::Execute(const appstate::TPrintSelection &selection)
{
    SetSelection(selection);
    FormShow();
    platform::ExecDialog(*this);
}

void TfrmWydrukRej::FormShow()
{
    for (int i = 1; i < pgcZestawienia->count(); ++i)
        pgcZestawienia->setTabVisible(i, false);
    rgRodzZest->SetItemIndex(kRegisterAndCards);
    rgRodzZestClick();
}

void TfrmWydrukRej::rgRodzZestClick()
{
    const int kind = Kind();
    for (int i = 0; i < pgcZestawienia->count(); ++i)
        pgcZestawienia->setTabVisible(i, i == kind);
    if (kind >= 0)
        pgcZestawienia->setCurrentIndex(kind);
}

void TfrmWydrukRej::cbKartaBadanClick()
{
    const bool on = cbKartaBadan->isChecked();
    for (QCheckBox *box : {cbPomChem, cbPomPyl, cbPomFiz})
        box->setEnabled(on);
}

void TfrmWydrukRej::btDodajClick()
{
    lbPracownicy->addItem(NazwiskoImie->text());
    NazwiskoImie->clear();
}

void TfrmWydrukRej::btUsunClick()
{
    for (QListWidgetItem *item : lbPracownicy->selectedItems())
        delete item;
}

int TfrmWydrukRej::Kind() const
{
    return rgRodzZest->ItemIndex();
}

TWorkstationReportOptions TfrmWydrukRej::Options() const
{
    TWorkstationReportOptions o;
    static_cast<appstate::TSummarySelection &>(o) = m_selection;
    o.Rejestr = cbRejestr->isChecked();
    o.KartaBadan = cbKartaBadan->isChecked();
    o.PomChem = cbPomChem->isChecked();
    o.PomPyl = cbPomPyl->isChecked();
    o.PomFiz = cbPomFiz->isChecked();
    o.KartaBadanUc = cbKartaBadanUc->isChecked();
    for (int i = 0; i < lbPracownicy->count(); ++i) {
        const QListWidgetItem *item = lbPracownicy->item(i);
        o.Employees << item->text();
        if (item->isSelected())
            o.SelectedEmployees << item->text();
    }
    o.EmployeeName = NazwiskoImie->text();
    o.IncludeSelectedEmployees = cbPracownicy->isChecked();
    o.CardNumber = edNrKarty->text();
    o.CardAuthor = meKarSporz->toPlainText();
    o.CardApprover = meKarZatw->toPlainText();
    o.RelatedDocuments = meDokZwiaz->toPlainText();
    o.ProtectiveEquipment = meSrodkiStosowane->toPlainText();
    o.Administracja = cbAdministracja->isChecked();
    o.OcRyzyka = cbOcRyzyka->isChecked();
    o.Male = cbMale->isChecked();
    o.Srednie = cbSrednie->isChecked();
    o.Duze = cbDuze->isChecked();
    o.TylkoRakotworcze = rbTylkoRakotworcze->isChecked();
    o.ElementStruktury = cbElementStruktury->isChecked();
    return o;
}

void TfrmWydrukRej::prepareRegisterData(const TWorkstationReportOptions &options)
{
    m_registerData.SetSource(options);
    m_registerData.BuildRegisterData();
    m_registerData.SetCardRowCaptions();
    m_registerData.ResetCardCursors();
}

void TfrmWydrukRej::bOKClick()
{
    const int kind = Kind();
    const TWorkstationReportOptions options = Options();
    // The register, the cards and the risk card print the summary view's workstation.
    if (const QString missing = missingChoice(kind, options); !missing.isEmpty()) {
        platform::ShowInfo(missing);
        return;
    }
    TWorkstationReportForm *form = WorkstationReport(kind);
    if (!form) {
        platform::ShowInfo(ReportNotAvailableText());
        return;
    }
    if (kind == kRegisterAndCards) {
        prepareRegisterData(options);
        if (auto *register_ = dynamic_cast<TfrmVRejestrKarta *>(form))
            register_->SetRegisterData(&m_registerData);
    }
    try {
        runReport(kind, *form, options);
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
    }
}

void TfrmWydrukRej::runReport(int kind, TWorkstationReportForm &form, const TWorkstationReportOptions &options)
{
    reportengine::TVelRep &report = form.Report();
    form.SetOptions(options);
    if (const QString nothing = form.NothingToPrint(); !nothing.isEmpty()) {
        platform::ShowInfo(nothing);
        return;
    }
    // The engine's failures come back here, where the printout and its workstation are known.
    reportengine::TVRErrorDetails error;
    int pages = 0;
    {
        TWaitWindow wait;
        if (!report.Prepare(&error)) {
            wait.Close();
            if (error.HasError())
                platform::ShowError(printFailedText(kind, options, error));
            return;
        }
        pages = report.VRPrinter() ? report.VRPrinter()->PageCount() : 0;
        form.SetPageCount(pages);
        // The wait window is gone before the preview shows the pages.
        wait.Close();
    }
    if (pages == 0) {
        platform::ShowInfo(noDataText());
        return;
    }
    if (!report.Preview(&error) && error.HasError())
        platform::ShowError(printFailedText(kind, options, error));
}

TfrmWydrukRej *frmWydrukRej()
{
    static QPointer<TfrmWydrukRej> slot;
    return platform::WindowSingleton(slot);
}

void RegisterWorkstationPrintouts()
{
    appstate::RegisterCommandDialog(QStringLiteral("frmWydrukRej"), [](const appstate::TPrintSelection &selection) {
        frmWydrukRej()->Execute(selection);
    });
    RegisterWorkstationReport(kRegisterAndCards,
                              [] { return static_cast<TWorkstationReportForm *>(frmVRejestrKarta()); });
    RegisterWorkstationReport(kRiskAssessmentCard,
                              [] { return static_cast<TWorkstationReportForm *>(frmKartaOcRyz()); });
}

} // namespace printouts
