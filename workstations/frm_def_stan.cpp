#include "workstations/frm_def_stan.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/window_registry.h"
#include "storage/damaged_files.h"
#include "storage/employment_counts.h"
#include "storage/text_xml.h"
#include "widgets/date_typing.h"
#include "widgets/field_binding.h"
#include "widgets/field_limits.h"
#include "widgets/form_geometry.h"
#include "widgets/grid_keys.h"
#include "widgets/progress_dialog.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace workstations {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

TfrmDefStan::FactorDialog &factorDialog()
{
    static TfrmDefStan::FactorDialog dialog;
    return dialog;
}

QString asciiUpper(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

// Commits a cell only when the view takes its text (a number, or empty, that leaves the
// year's counts possible); otherwise the view says why and the cell is edited again.
class TEmploymentDelegate : public QStyledItemDelegate
{
public:
    explicit TEmploymentDelegate(TfrmDefStan *view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        widgets::BindTyping(editor, [view = m_view](QWidget *) { view->OfferSave(); });
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *edit = qobject_cast<QLineEdit *>(editor);
        if (!edit) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        const QString text = storage::NumberWithPoint(edit->text());
        const QString refusal = m_view->CellRefusal(index.row(), index.column(), text);
        if (refusal.isEmpty()) {
            model->setData(index, text, Qt::EditRole);
            return;
        }
        // The message waits until the editor has closed: a box shown while the focus is
        // moving would take the focus itself and close the editor a second time. The focus
        // may have moved to another workstation, whose rows the grid shows by then: the
        // value is only refused then, never tried on them.
        QPointer<TfrmDefStan> view(m_view);
        const int row = index.row(), column = index.column(), fills = m_view->GridFills();
        QTimer::singleShot(0, m_view, [view, row, column, text, fills, refusal] {
            if (view && view->GridFills() == fills)
                view->sgZatrudnSetEditText(row, column, text);
            else if (view)
                platform::ShowWarning(refusal);
        });
    }

private:
    TfrmDefStan *m_view;
};

QLineEdit *newEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // A limit on typing only: a stored value longer than it is shown whole and kept, not cut
    // when the workstation is shown and then saved cut.
    widgets::SetEditMaxLength(e, maxLength);
    return e;
}

} // namespace

TfrmDefStan::TfrmDefStan(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::Workstations)
{
    setObjectName(QStringLiteral("frmDefStan"));
    setWindowTitle(QStringLiteral("Definicja stanowisk"));
    buildControls();
    widgets::RestoreFormGeometry(this);
}

TfrmDefStan::~TfrmDefStan()
{
    disconnect(m_gridFocusWatch);
    widgets::SaveFormGeometry(this, Panel3);
    // The main panel may stand in the main window; it goes with the view.
    if (m_panel && m_panel->parent() != this)
        delete m_panel.data();
}

void TfrmDefStan::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    pDefStan = new QWidget(this);
    pDefStan->setObjectName(QStringLiteral("pDefStan"));
    m_panel = pDefStan;
    outer->addWidget(pDefStan);
    auto *mainLayout = new QHBoxLayout(pDefStan);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    splitter = new QSplitter(Qt::Horizontal, pDefStan);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    mainLayout->addWidget(splitter);

    // The list of workstations.
    Panel3 = new QWidget(splitter);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto *listLayout = new QVBoxLayout(Panel3);
    listLayout->setContentsMargins(2, 2, 2, 2);
    auto *listCaption = new QLabel(QStringLiteral("Lista stanowisk"), Panel3);
    listCaption->setObjectName(QStringLiteral("lListaStanowisk"));
    listLayout->addWidget(listCaption);
    lbStanowiska = new widgets::TModelListBox(Panel3);
    lbStanowiska->setObjectName(QStringLiteral("lbStanowiska"));
    lbStanowiska->setModel(&workstationList());
    listLayout->addWidget(lbStanowiska);
    splitter->addWidget(Panel3);

    // The pages.
    pgDefin = new QTabWidget(splitter);
    pgDefin->setObjectName(QStringLiteral("pgDefin"));
    splitter->addWidget(pgDefin);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 560});

    tsStanow = new QWidget(pgDefin);
    tsStanow->setObjectName(QStringLiteral("tsStanow"));
    auto *form = new QFormLayout(tsStanow);
    e_Nazwa = newEdit(tsStanow, "e_Nazwa", 128);
    e_Kod = newEdit(tsStanow, "e_Kod", 128);
    dtDataRej = new QDateEdit(tsStanow);
    dtDataRej->setObjectName(QStringLiteral("dtDataRej"));
    dtDataRej->setDisplayFormat(kDateFormat);
    dtDataRej->setCalendarPopup(true);
    widgets::TypeOverClickedSection(dtDataRej);
    e_Lokalizacja = newEdit(tsStanow, "e_Lokalizacja", 45);
    e_NrRej = newEdit(tsStanow, "e_NrRej", 16);
    e_Opis = new QPlainTextEdit(tsStanow);
    e_Opis->setObjectName(QStringLiteral("e_Opis"));
    e_Opis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    e_Opis->setTabChangesFocus(true);
    e_NrRegon = newEdit(tsStanow, "e_NrRegon", 16);
    form->addRow(QStringLiteral("Nazwa stanowiska: "), e_Nazwa);
    form->addRow(QStringLiteral("Kod stanowiska: "), e_Kod);
    form->addRow(QStringLiteral("Data założenia rejestru:"), dtDataRej);
    form->addRow(QStringLiteral("Lokalizacja:"), e_Lokalizacja);
    form->addRow(QStringLiteral("Numer karty:"), e_NrRej);
    form->addRow(QStringLiteral("Opis stanowiska: "), e_Opis);
    form->addRow(QStringLiteral("Numer REGON:"), e_NrRegon);
    pgDefin->addTab(tsStanow, QStringLiteral("Dane ogólne stanowiska"));

    tsCzynn = new QWidget(pgDefin);
    tsCzynn->setObjectName(QStringLiteral("tsCzynn"));
    auto *factorLayout = new QVBoxLayout(tsCzynn);
    factorLayout->addWidget(new QLabel(QStringLiteral("Czynniki na stanowisku:"), tsCzynn));
    lbStanCzyn = new widgets::TListBox(tsCzynn);
    lbStanCzyn->setObjectName(QStringLiteral("lbStanCzyn"));
    factorLayout->addWidget(lbStanCzyn);
    bWybierz = new QPushButton(QStringLiteral("Wybierz czynniki na stanowisku"), tsCzynn);
    bWybierz->setObjectName(QStringLiteral("bWybierz"));
    factorLayout->addWidget(bWybierz, 0, Qt::AlignLeft);
    pgDefin->addTab(tsCzynn, QStringLiteral("Czynniki"));

    tsZatrudn = new QWidget(pgDefin);
    tsZatrudn->setObjectName(QStringLiteral("tsZatrudn"));
    auto *employmentLayout = new QVBoxLayout(tsZatrudn);
    auto *buttons = new QHBoxLayout;
    bbAddRow = new QToolButton(tsZatrudn);
    bbAddRow->setObjectName(QStringLiteral("bbAddRow"));
    bbAddRow->setText(QStringLiteral("+"));
    bbAddRow->setToolTip(QStringLiteral("Dodaj wiersz"));
    bbDelRow = new QToolButton(tsZatrudn);
    bbDelRow->setObjectName(QStringLiteral("bbDelRow"));
    bbDelRow->setText(QStringLiteral("-"));
    bbDelRow->setToolTip(QStringLiteral("Usuń wiersz"));
    buttons->addWidget(bbAddRow);
    buttons->addWidget(bbDelRow);
    buttons->addStretch(1);
    employmentLayout->addLayout(buttons);
    sgZatrudn = new QTableWidget(tsZatrudn);
    sgZatrudn->setObjectName(QStringLiteral("sgZatrudn"));
    // The column captions are measured in bold, which loads a font face of its own; that
    // waits until the page is first shown (the program starts without it).
    sgZatrudn->horizontalHeader()->setVisible(false);
    tsZatrudn->installEventFilter(this);
    sgZatrudn->setColumnCount(7);
    sgZatrudn->setRowCount(1);
    sgZatrudn->setHorizontalHeaderLabels(storage::EmploymentColumnTitles());
    sgZatrudn->verticalHeader()->setVisible(false);
    sgZatrudn->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgZatrudn->setSelectionMode(QAbstractItemView::SingleSelection);
    sgZatrudn->setTabKeyNavigation(true);
    sgZatrudn->setItemDelegate(new TEmploymentDelegate(this));
    // Delete empties a cell through the same check as typing: an emptied count is 0.
    widgets::InstallGridKeys(
        sgZatrudn, {bbAddRow, bbDelRow, [this](int row, int column) { sgZatrudnSetEditText(row, column, QString()); }});
    employmentLayout->addWidget(sgZatrudn);
    pgDefin->addTab(tsZatrudn, QStringLiteral("Zatrudnienie"));
    pgDefin->hide();

    // Events.
    connect(lbStanowiska, &widgets::TModelListBox::Chosen, this, [this] {
        if (!m_filling)
            lbStanowiskaClick();
    });
    connect(lbStanowiska, &QAbstractItemView::clicked, this, [this](const QModelIndex &) {
        // A click on the entry already current still brings the pages back after New.
        if (!m_filling && pgDefin->isHidden())
            lbStanowiskaClick();
    });
    // Entering a control makes it the main window's last editor, with its exit handler as
    // the commit a command runs first (a toolbar click leaves the focus where it is).
    for (QWidget *editor :
         std::initializer_list<QWidget *>{e_Nazwa, e_Kod, dtDataRej, e_Lokalizacja, e_NrRej, e_Opis, e_NrRegon}) {
        widgets::BindEnter(editor, [this](QWidget *control) { LoadLastWinCtrl(control); });
        widgets::BindExit(editor, [this](QWidget *sender) { SprZmiany(sender); });
        widgets::BindTyping(editor, [this](QWidget *) { OfferSave(); });
    }
    widgets::BindEnter(sgZatrudn, [this](QWidget *control) { LoadLastWinCtrl(control); });
    widgets::BindEnter(bWybierz, [this](QWidget *control) { LoadLastWinCtrl(control); });
    // The grid's exit is its commit handler too (the binding layer puts an open cell editor
    // into the grid first, and a move into a cell editor is no exit); leaving the grid from
    // one of its cell editors is seen through the application's focus change (the grid
    // itself never had the focus then).
    widgets::BindExit(sgZatrudn, [this](QWidget *) { sgZatrudnExit(); });
    m_gridFocusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (!old || !sgZatrudn->isAncestorOf(old) || platform::MessageBoxActive())
            return;
        if (now && (now == sgZatrudn || sgZatrudn->isAncestorOf(now)))
            return;
        if (!now || now->window() != old->window())
            return; // another window or a message box: not a move between fields
        sgZatrudnExit();
    });
    connect(dtDataRej, &QDateEdit::dateChanged, this, [this](const QDate &) {
        if (!m_filling)
            m_standInDate = QDate(); // a date the user chose, today included
    });
    connect(sgZatrudn, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *) {
        if (!m_filling)
            m_gridEdited = true;
    });
    widgets::BindButtonClick(bbAddRow, [this](QWidget *) { bbAddRowClick(); });
    widgets::BindButtonClick(bbDelRow, [this](QWidget *) { bbDelRowClick(); });
    widgets::BindButtonClick(bWybierz, [this](QWidget *) { bWybierzClick(); });

    ShowWorkstation(nullptr);
}

bool TfrmDefStan::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tsZatrudn && event->type() == QEvent::Show) {
        tsZatrudn->removeEventFilter(this);
        sgZatrudn->horizontalHeader()->setVisible(true);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// State

storage::TStanowisko *TfrmDefStan::CurrentWorkstation() const
{
    if (m_new || m_currentId.isEmpty())
        return nullptr;
    return storage::FindWorkstationById(Shared().Workstations, m_currentId);
}

void TfrmDefStan::SetFactorDialog(FactorDialog dialog)
{
    factorDialog() = std::move(dialog);
}

void TfrmDefStan::LoadLastWinCtrl(QWidget *control)
{
    auto &state = Shared();
    if (control == sgZatrudn)
        state.SetLastWinCtrl(control, [this] { sgZatrudnExit(); });
    else if (control == bWybierz)
        state.SetLastWinCtrl(control);
    else
        state.SetLastWinCtrl(control, [this, control] { SprZmiany(control); });
}

void TfrmDefStan::markModified()
{
    Shared().SetModified(true);
    Shared().SetSaveEnabled(true);
}

void TfrmDefStan::OfferSave()
{
    Shared().SetSaveEnabled(true);
}

void TfrmDefStan::selectRow(const QString &id)
{
    const bool filling = m_filling;
    m_filling = true;
    const int row = id.isEmpty() ? -1 : workstationList().RowOf(id);
    lbStanowiska->setCurrentRow(row);
    if (row < 0)
        lbStanowiska->clearSelection();
    m_filling = filling;
}

void TfrmDefStan::refillList(const QString &selectId)
{
    const bool filling = m_filling;
    m_filling = true;
    workstationList().Fill(Shared().Workstations);
    selectRow(selectId);
    m_filling = filling;
}

void TfrmDefStan::fillFactors()
{
    workstation_loading::FillFactorList(lbStanCzyn, CurrentWorkstation());
}

// ---------------------------------------------------------------------------------------
// Showing

void TfrmDefStan::InitView()
{
    auto &state = Shared();
    m_attachmentFolder = state.AttachFolder;
    m_currentId.clear();
    m_new = false;
    pgDefin->hide();
    {
        const bool filling = m_filling;
        m_filling = true;
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstations(state, storage::WorkstationListPath(state.DataFolder), problems,
                                              widgets::ProgressWindowReport());
        appstate::ReportProblems(problems);
        m_filling = filling;
    }
    ShowWorkstation(nullptr);
    pgDefin->setCurrentIndex(0);
}

void TfrmDefStan::setGridRows(const std::vector<storage::TZatrudn> &rows)
{
    const bool filling = m_filling;
    m_filling = true;
    ++m_gridFills;
    sgZatrudn->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const QStringList cells = rows[r].Columns();
        for (int c = 0; c < 7; ++c)
            sgZatrudn->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_filling = filling;
}

void TfrmDefStan::ShowWorkstation(const storage::TStanowisko *w)
{
    widgets::FieldEventSuppressor quiet;
    const bool filling = m_filling;
    m_filling = true;
    const QString year = QString::number(QDate::currentDate().year());
    const auto zero = QStringLiteral("0");
    if (w && !w->Employment.empty())
        setGridRows(w->Employment);
    else
        setGridRows({storage::TZatrudn(year, zero, zero, zero, zero, zero, zero)});
    sgZatrudn->setCurrentCell(0, 0);
    m_gridEdited = false;
    if (w) {
        e_Nazwa->setText(w->nazwa);
        e_Kod->setText(w->Kod);
        const QDate d = QDate::fromString(w->DataRej, kDateFormat);
        dtDataRej->setDate(d.isValid() ? d : QDate::currentDate());
        m_standInDate = d.isValid() ? QDate() : dtDataRej->date();
        e_NrRej->setText(w->NrRej);
        e_NrRegon->setText(w->NrRegon);
        e_Lokalizacja->setText(w->Lokalizacja);
        e_Opis->setPlainText(w->Opis);
    } else {
        lbStanCzyn->clear();
        for (QLineEdit *e : {e_Nazwa, e_Kod, e_Lokalizacja, e_NrRej, e_NrRegon})
            e->clear();
        e_Opis->clear();
        dtDataRej->setDate(QDate::currentDate());
        m_standInDate = QDate();
    }
    m_filling = filling;
}

void TfrmDefStan::lbStanowiskaClick()
{
    // The chosen workstation is remembered by its id: saving the one being left refills
    // the sorted list, and a renamed entry may then stand at another index.
    storage::TStanowisko *chosen = workstation_loading::WorkstationAt(Shared(), lbStanowiska->currentRow());
    if (!chosen)
        return;
    const QString chosenId = chosen->id;
    if (pgDefin->isHidden())
        pgDefin->show();
    const QString previousId = m_new ? QString() : m_currentId;
    if (!AskSaveChanges()) {
        // The user stays with the workstation being edited.
        selectRow(previousId);
        return;
    }
    storage::TStanowisko *w = storage::FindWorkstationById(Shared().Workstations, chosenId);
    if (!w) {
        selectRow(QString());
        return;
    }
    m_new = false;
    m_currentId = chosenId;
    Shared().NewDocument = false;
    // Read when not read yet, or read by a view that leaves the old factors out.
    if (!w->Loaded || !w->AllFactorsRead) {
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstationData(Shared(), *w, problems);
        appstate::ReportProblems(problems);
    }
    fillFactors();
    ShowWorkstation(w);
    selectRow(chosenId);
}

void TfrmDefStan::NewWorkstation()
{
    selectRow(QString());
    pgDefin->show();
    pgDefin->setCurrentIndex(0);
    m_currentId.clear();
    m_new = true;
    Shared().NewDocument = true;
    ShowWorkstation(nullptr);
}

// ---------------------------------------------------------------------------------------
// Field exits

QString TfrmDefStan::cleanText(const QString &text, const QWidget *field)
{
    return appstate::StorableFieldText(text, widgets::FieldCaption(field));
}

void TfrmDefStan::SprZmiany(QWidget *sender)
{
    if (!sender || m_filling)
        return;
    const QString name = sender->objectName();
    QString text;
    if (sender == e_Opis)
        text = e_Opis->toPlainText();
    else if (sender == dtDataRej)
        text = dtDataRej->date().toString(kDateFormat);
    else if (auto *edit = qobject_cast<QLineEdit *>(sender))
        text = edit->text();
    else
        return;
    const QString clean = cleanText(text, sender);
    if (clean != text) {
        // The field shows what will be stored.
        widgets::FieldEventSuppressor quiet;
        if (sender == e_Opis)
            e_Opis->setPlainText(clean);
        else if (auto *edit = qobject_cast<QLineEdit *>(sender))
            edit->setText(clean);
        text = clean;
    }
    storage::TStanowisko *w = CurrentWorkstation();
    if (!w) {
        if (m_new)
            markModified();
        return;
    }
    auto update = [&](QString &field) {
        if (field == text)
            return;
        field = text;
        markModified();
    };
    if (name.contains(QLatin1String("Opis")))
        update(w->Opis);
    else if (name.contains(QLatin1String("NrRegon")))
        update(w->NrRegon);
    else if (name.contains(QLatin1String("NrRej")))
        update(w->NrRej);
    else if (name.contains(QLatin1String("Nazwa"))) {
        if (w->nazwa != text) {
            for (const auto &other : Shared().Workstations)
                if (other->id == w->id)
                    other->nazwa = text;
            markModified();
        }
    } else if (name.contains(QLatin1String("Kod")))
        update(w->Kod);
    else if (name.contains(QLatin1String("Lokalizacja")))
        update(w->Lokalizacja);
    else if (name.contains(QLatin1String("DataRej"))) {
        // Leaving the picker untouched does not make today the date the register was set up.
        if (!(w->DataRej.isEmpty() && m_standInDate.isValid() && dtDataRej->date() == m_standInDate))
            update(w->DataRej);
    }
}

std::vector<storage::TZatrudn> TfrmDefStan::gridRows() const
{
    std::vector<storage::TZatrudn> rows;
    for (int r = 0; r < sgZatrudn->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) {
            const QTableWidgetItem *item = sgZatrudn->item(r, c);
            cells << (item ? item->text() : QString());
        }
        rows.push_back(storage::TZatrudn::FromColumns(cells));
    }
    return rows;
}

bool TfrmDefStan::gridDiffersFrom(const storage::TStanowisko &w) const
{
    auto rows = gridRows();
    if (rows.size() != w.Employment.size())
        return true;
    // The employment is kept in year order whatever order the rows were typed in: compared
    // row by row unsorted, a grid with its years out of order would count as changed every
    // time it is left, and the data as unsaved right after saving them.
    std::stable_sort(rows.begin(), rows.end(), [](const storage::TZatrudn &a, const storage::TZatrudn &b) {
        return QString::compare(a.Rok, b.Rok, Qt::CaseInsensitive) < 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        if (!(rows[i] == w.Employment[i]))
            return true;
    return false;
}

bool TfrmDefStan::checkGridYears()
{
    // The employment keeps one entry per year: a second row of the same year would vanish
    // without a word, so it is refused and stays in the grid until it is put right.
    QStringList seen;
    for (const auto &row : gridRows()) {
        for (const QString &s : seen)
            if (QString::compare(s, row.Rok, Qt::CaseInsensitive) == 0) {
                platform::ShowWarning(
                    QStringLiteral("Rok \"%1\" występuje w tabeli zatrudnienia więcej niż raz.").arg(row.Rok));
                return false;
            }
        seen << row.Rok;
    }
    return true;
}

void TfrmDefStan::sgZatrudnExit(bool fillEmpty)
{
    if (m_filling)
        return;
    const int row = sgZatrudn->currentRow();
    if (row >= 0 && fillEmpty) {
        const bool filling = m_filling;
        m_filling = true;
        for (int c = 0; c < 7; ++c) {
            QTableWidgetItem *item = sgZatrudn->item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                sgZatrudn->setItem(row, c, item);
            }
            if (item->text().trimmed().isEmpty())
                item->setText(QStringLiteral("0"));
        }
        m_filling = filling;
    }
    storage::TStanowisko *w = CurrentWorkstation();
    if (!w) {
        if (m_new && m_gridEdited)
            markModified();
        return;
    }
    if (!gridDiffersFrom(*w))
        return;
    if (!checkGridYears())
        return;
    w->ClearEmployment();
    for (const auto &z : gridRows())
        w->AddEmployment(z);
    markModified();
}

QString TfrmDefStan::CellRefusal(int row, int column, const QString &text) const
{
    double value = 0;
    if (!text.trimmed().isEmpty() && !storage::TryToDouble(text, value))
        return QStringLiteral("Niepoprawna wartość liczbowa!");
    if (column == 0 || row < 0 || row >= sgZatrudn->rowCount())
        return QString();
    QStringList cells;
    for (int c = 0; c < 7; ++c) {
        const QTableWidgetItem *item = sgZatrudn->item(row, c);
        cells << (c == column ? text : item ? item->text() : QString());
    }
    return storage::EmploymentCountProblem(storage::TZatrudn::FromColumns(cells));
}

bool TfrmDefStan::sgZatrudnSetEditText(int row, int column, const QString &typed)
{
    if (row < 0 || row >= sgZatrudn->rowCount() || column < 0 || column >= 7)
        return false;
    const QString text = storage::NumberWithPoint(typed);
    if (const QString refusal = CellRefusal(row, column, text); !refusal.isEmpty()) {
        // The cell keeps the value it had: what the grid shows is what will be saved.
        platform::ShowWarning(refusal);
        sgZatrudn->setCurrentCell(row, column);
        sgZatrudn->setFocus(Qt::OtherFocusReason);
        sgZatrudn->editItem(sgZatrudn->item(row, column));
        return false;
    }
    QTableWidgetItem *item = sgZatrudn->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        sgZatrudn->setItem(row, column, item);
    }
    item->setText(text);
    return true;
}

void TfrmDefStan::bbAddRowClick()
{
    const int rows = sgZatrudn->rowCount();
    QString year;
    if (rows > 0) {
        const QTableWidgetItem *prev = sgZatrudn->item(rows - 1, 0);
        const int y = storage::ToIntDef(prev ? prev->text() : QString(), 0);
        if (y != 0)
            year = QString::number(y + 1);
    }
    {
        const bool filling = m_filling;
        m_filling = true;
        sgZatrudn->setRowCount(rows + 1);
        sgZatrudn->setItem(rows, 0, new QTableWidgetItem(year));
        for (int c = 1; c < 7; ++c)
            sgZatrudn->setItem(rows, c, new QTableWidgetItem(QStringLiteral("0")));
        sgZatrudn->setCurrentCell(rows, 0);
        m_filling = filling;
    }
    m_gridEdited = true;
    // The new row keeps its empty year until the user leaves it.
    sgZatrudnExit(false);
}

void TfrmDefStan::bbDelRowClick()
{
    const int row = sgZatrudn->currentRow();
    if (row < 0 || row >= sgZatrudn->rowCount())
        return;
    const QTableWidgetItem *year = sgZatrudn->item(row, 0);
    const QString question = QStringLiteral("Czy na pewno usunąć wybrany wiersz w tabeli dot. zatrudnienia?") +
                             QStringLiteral("\nRok: ") + (year ? year->text() : QString());
    if (!platform::ConfirmDeletion(question, QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    const bool filling = m_filling;
    m_filling = true;
    sgZatrudn->removeRow(row);
    bool emptied = false;
    if (sgZatrudn->rowCount() < 1) {
        sgZatrudn->setRowCount(1);
        for (int c = 0; c < 7; ++c)
            sgZatrudn->setItem(0, c, new QTableWidgetItem);
        emptied = true;
    }
    sgZatrudn->setCurrentCell(qMin(row, sgZatrudn->rowCount() - 1), 0);
    m_filling = filling;
    m_gridEdited = true;
    // The one row left after deleting the last stays empty.
    sgZatrudnExit(!emptied);
}

void TfrmDefStan::bWybierzClick()
{
    storage::TStanowisko *w = CurrentWorkstation();
    if (!w) {
        platform::ShowInfo(QStringLiteral("Zapisz stanowisko"));
        return;
    }
    if (lbStanowiska->currentRow() < 0) {
        platform::ShowInfo(QStringLiteral("Wybierz stanowisko"));
        return;
    }
    if (!factorDialog())
        return;
    if (factorDialog()(*w, this)) {
        fillFactors();
        markModified();
    }
}

bool TfrmDefStan::gridCellRefused() const
{
    // The delegate leaves a value the grid refuses out of it (and says why once the editor
    // is done): the cell the user sees is not what would be saved.
    auto *editor = qobject_cast<QLineEdit *>(widgets::OpenCellEditor(sgZatrudn));
    return editor && !CellRefusal(sgZatrudn->currentRow(), sgZatrudn->currentColumn(),
                                  storage::NumberWithPoint(editor->text()))
                          .isEmpty();
}

void TfrmDefStan::CommitEditors()
{
    // A toolbar command leaves a cell editor open: what it shows goes into the grid first.
    widgets::CommitOpenCellEditor(sgZatrudn);
    for (QWidget *editor :
         std::initializer_list<QWidget *>{e_Nazwa, e_Kod, dtDataRej, e_Lokalizacja, e_NrRej, e_Opis, e_NrRegon})
        SprZmiany(editor);
    if (CurrentWorkstation() && gridDiffersFrom(*CurrentWorkstation()))
        sgZatrudnExit();
}

// ---------------------------------------------------------------------------------------
// Commands

bool TfrmDefStan::SameWorkstationName(const QString &a, const QString &b)
{
    return asciiUpper(a) == asciiUpper(b);
}

namespace {

// A folder left behind by an earlier delete must not lend its files to a new workstation.
// One left empty by a save that was killed before it wrote anything lends nothing, and is
// taken again rather than pushing every later workstation to a further number.
bool folderTaken(const QString &dataFolder, int id)
{
    const QFileInfo folder(
        platform::ToFilePath(storage::WorkstationFolderPath(dataFolder, QStringLiteral("stan_%1").arg(id))));
    if (!folder.isDir())
        return false;
    const QDir dir(folder.absoluteFilePath());
    return !folder.isWritable() || !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

int TfrmDefStan::NewWorkstationId(const storage::WorkstationList &list, const QString &dataFolder)
{
    for (int id = 1;; ++id) {
        bool used = false;
        for (const auto &w : list)
            if (storage::ToIntDef(w->id, 0) == id || w->id == QString::number(id)) {
                used = true;
                break;
            }
        if (used)
            continue;
        if (folderTaken(dataFolder, id))
            continue;
        return id;
    }
}

bool TfrmDefStan::checkNameForSave()
{
    const QString name = m_new ? e_Nazwa->text() : CurrentWorkstation()->nazwa;
    if (name.trimmed().isEmpty()) {
        platform::ShowWarning(QStringLiteral("Nie wypełnione pole: Nazwa stanowiska"));
        pgDefin->setCurrentWidget(tsStanow);
        e_Nazwa->setFocus();
        return false;
    }
    for (const auto &other : Shared().Workstations) {
        if (!m_new && other->id == m_currentId)
            continue;
        if (SameWorkstationName(other->nazwa, name)) {
            platform::ShowWarning(QStringLiteral("Stanowisko o tej nazwie już znajduje się na liście"));
            return false;
        }
    }
    return true;
}

bool TfrmDefStan::AddNewWorkstation()
{
    if (!checkNameForSave())
        return false;
    auto &state = Shared();
    const int id = NewWorkstationId(state.Workstations, state.DataFolder);
    auto w =
        std::make_unique<storage::TStanowisko>(QString::number(id), e_Nazwa->text(), QStringLiteral("stan_%1").arg(id));
    w->Loaded = true;
    w->Kod = e_Kod->text();
    w->DataRej = dtDataRej->date().toString(kDateFormat);
    w->NrRegon = e_NrRegon->text();
    w->NrRej = e_NrRej->text();
    w->Lokalizacja = e_Lokalizacja->text();
    w->Opis = e_Opis->toPlainText();
    // A new workstation starts without factors: they are chosen once it is saved.
    for (const auto &z : gridRows())
        w->AddEmployment(z);
    state.Workstations.push_back(std::move(w));
    m_currentId = QString::number(id);
    m_new = false;
    refillList(m_currentId);
    return true;
}

bool TfrmDefStan::SaveWorkstation()
{
    CommitEditors();
    auto &state = Shared();
    if (gridCellRefused() || !checkGridYears())
        return false;
    const bool wasNew = m_new;
    if (m_new) {
        if (!AddNewWorkstation())
            return false;
    } else {
        if (!CurrentWorkstation())
            return false;
        if (!checkNameForSave())
            return false;
    }
    storage::TStanowisko *w = CurrentWorkstation();
    // Both files or neither: a list entry never names a workstation whose file failed, and
    // a workstation file is never left newer than the list.
    const bool ok =
        appstate::ReportStorageResult(storage::WriteWorkstationWithList(state.DataFolder, *w, state.Workstations));
    if (ok)
        state.ListVersion = state.DataVersion;
    if (!ok) {
        if (wasNew) {
            // Back to entering it: a second Save must not add it twice.
            const QString id = w->id;
            std::erase_if(state.Workstations, [&](const auto &x) { return x->id == id; });
            m_currentId.clear();
            m_new = true;
            refillList(QString());
        }
        return false;
    }
    refillList(w->id);
    state.NewDocument = false;
    state.SetModified(false);
    return true;
}

bool TfrmDefStan::DeleteWorkstation()
{
    return deleteSelectedWorkstation().has_value();
}

std::optional<bool> TfrmDefStan::deleteSelectedWorkstation()
{
    auto &state = Shared();
    storage::TStanowisko *w = workstation_loading::WorkstationAt(Shared(), lbStanowiska->currentRow());
    if (!w)
        return std::nullopt;
    // A list that cannot be rewritten would keep naming the folder about to go.
    if (!appstate::ReportStorageResult(storage::RefuseDamagedFile(storage::WorkstationListPath(state.DataFolder))))
        return std::nullopt;
    pgDefin->hide();
    const QString folder = storage::WorkstationFolderPath(state.DataFolder, w->kat_dane);
    // A folder name that would not stay inside the data folder, or a folder that is not
    // there, takes only the list entry with it.
    if (storage::IsSafeFolderName(w->kat_dane) && platform::FolderExists(folder)) {
        if (!workstation_loading::DeleteFolderTree(folder, state.DataFolder)) {
            platform::ShowWarning(QStringLiteral("Operacja usunięcia katalogu z danymi nie powiodła się!"));
            return std::nullopt;
        }
    }
    const QString id = w->id;
    std::erase_if(state.Workstations, [&](const auto &x) { return x->id == id; });
    // The view no longer shows anything: the object it showed is gone.
    m_currentId.clear();
    m_new = false;
    const bool written =
        appstate::ReportStorageResult(storage::WriteWorkstationList(state.DataFolder, state.Workstations));
    if (written)
        state.ListVersion = state.DataVersion;
    {
        const bool filling = m_filling;
        m_filling = true;
        workstationList().Remove(id);
        lbStanowiska->setCurrentRow(-1);
        lbStanowiska->clearSelection();
        m_filling = filling;
    }
    ShowWorkstation(nullptr);
    return written;
}

QWidget *TfrmDefStan::DeleteKeyList()
{
    return lbStanowiska;
}

bool TfrmDefStan::HasDeletableSelection()
{
    return workstation_loading::WorkstationAt(Shared(), lbStanowiska->currentRow()) != nullptr;
}

QString TfrmDefStan::DeleteQuestion()
{
    const storage::TStanowisko *w = workstation_loading::WorkstationAt(Shared(), lbStanowiska->currentRow());
    return QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?") +
           (w ? QStringLiteral("\nStanowisko: ") + w->nazwa : QString());
}

void TfrmDefStan::Delete()
{
    if (!HasDeletableSelection())
        return;
    if (!platform::ConfirmDeletion(DeleteQuestion(), QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    if (DeleteWorkstation())
        Shared().SetModified(false);
}

std::optional<bool> TfrmDefStan::DeleteConfirmed()
{
    // What the main window's Save controls follow: whether the deletion's list was written.
    const std::optional<bool> listWritten = deleteSelectedWorkstation();
    if (!listWritten)
        platform::ShowError(QStringLiteral("Operacja usunięcia stanowiska nie powiodła się!"));
    return listWritten;
}

void TfrmDefStan::restoreStoredName(storage::TStanowisko &w)
{
    // The name lives in the list file; a rename not saved goes back to it.
    storage::WorkstationList stored;
    QString version;
    storage::ReadWorkstationList(storage::WorkstationListPath(Shared().DataFolder), stored, version);
    const storage::TStanowisko *s = storage::FindWorkstationById(stored, w.id);
    if (!s)
        return;
    for (const auto &other : Shared().Workstations)
        if (other->id == w.id)
            other->nazwa = s->nazwa;
}

bool TfrmDefStan::AskSaveChanges()
{
    auto &state = Shared();
    if (!state.Modified())
        return true;
    const int answer = appstate::AskSaveQuestion();
    if (answer == platform::MsgYes) {
        // The main window's Save, which also clears its Save controls; this view's own
        // save when no main window is there.
        return state.SaveCommand ? state.RunSaveCommand() : SaveWorkstation();
    }
    if (answer != platform::MsgNo)
        return false; // Anuluj: the workstation and its edits stay as they are
    state.SetSaveEnabled(false);
    state.SetModified(false);
    lbStanCzyn->clear();
    if (m_new) {
        // Nothing stored to go back to: the entered data are dropped.
        m_new = false;
        state.NewDocument = false;
        ShowWorkstation(nullptr);
        return true;
    }
    storage::TStanowisko *w = CurrentWorkstation();
    if (!w)
        return true;
    restoreStoredName(*w);
    w->Loaded = false;
    w->Kod.clear();
    w->DataRej.clear();
    w->Lokalizacja.clear();
    w->NrRegon.clear();
    w->NrRej.clear();
    w->Opis.clear();
    storage::StorageProblems problems;
    workstation_loading::LoadWorkstationData(Shared(), *w, problems);
    appstate::ReportProblems(problems);
    const QString id = w->id;
    refillList(id);
    fillFactors();
    ShowWorkstation(CurrentWorkstation());
    return true;
}

TfrmDefStan *frmDefStan(appstate::AppState &state)
{
    static QPointer<TfrmDefStan> slot;
    return platform::WindowSingleton(slot, state);
}

} // namespace workstations
