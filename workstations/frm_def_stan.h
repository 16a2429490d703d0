#pragma once

// The workstation definition view: the list of workstations of the current data folder
// and, for the chosen one, its general data, the factors present on it and its yearly
// employment.

#include "appstate/view.h"
#include "storage/workstation_files.h"
#include "widgets/list_box.h"
#include "workstation_loading/workstation_loading.h"

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <functional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace workstations {

class TfrmDefStan : public QWidget, public appstate::TView
{
    Q_OBJECT
public:
    explicit TfrmDefStan(appstate::AppState &state);
    ~TfrmDefStan() override;

    // Controls, named as the program knows them.
    QWidget *pDefStan = nullptr;
    QSplitter *splitter = nullptr;
    QWidget *Panel3 = nullptr;
    widgets::TModelListBox *lbStanowiska = nullptr;
    QTabWidget *pgDefin = nullptr;
    QWidget *tsStanow = nullptr;
    QLineEdit *e_Nazwa = nullptr;
    QLineEdit *e_Kod = nullptr;
    QDateEdit *dtDataRej = nullptr;
    QLineEdit *e_Lokalizacja = nullptr;
    QLineEdit *e_NrRej = nullptr;
    QPlainTextEdit *e_Opis = nullptr;
    QLineEdit *e_NrRegon = nullptr;
    QWidget *tsCzynn = nullptr;
    widgets::TListBox *lbStanCzyn = nullptr;
    QPushButton *bWybierz = nullptr;
    QWidget *tsZatrudn = nullptr;
    QTableWidget *sgZatrudn = nullptr;
    QToolButton *bbAddRow = nullptr;
    QToolButton *bbDelRow = nullptr;

    // appstate::TView
    QWidget *GetMainPanel() override { return pDefStan; }
    void InitView() override;
    void New() override { NewWorkstation(); }
    bool Save() override { return SaveWorkstation(); }
    void Delete() override;
    bool AskSaveChanges() override;
    bool HasDeletableSelection() override;
    // Names the workstation Tak would remove.
    QString DeleteQuestion() override;
    QWidget *DeleteKeyList() override;
    bool DeleteSelection() override { return DeleteWorkstation(); }
    // Deletes, answering whether the workstation list was written; a deletion that failed
    // is said in a box.
    std::optional<bool> DeleteConfirmed() override;

    // The view's own operations.
    void ShowWorkstation(const storage::TStanowisko *w);
    void NewWorkstation();
    bool SaveWorkstation();
    // Removes the selected workstation's folder and its entry; false (message) on failure.
    bool DeleteWorkstation();
    // A workstation was chosen in the list (by mouse or by keyboard).
    void lbStanowiskaClick();
    // Exit of an edit, the memo or the date picker: the value goes into the workstation.
    void SprZmiany(QWidget *sender);
    // The first keystroke in a field offers Save; the change itself is recorded when the
    // field is left (or by the commit Save runs first).
    void OfferSave();
    // Exit of the employment grid: empty cells of the current row become "0" (unless
    // fillEmpty is false); the grid replaces the employment when they differ.
    void sgZatrudnExit(bool fillEmpty = true);
    // A cell's edited text: refused with a message, the cell keeping its value, when it is
    // not empty and not a number, or when it would make the year's counts impossible.
    bool sgZatrudnSetEditText(int row, int column, const QString &text);
    // Why the grid would refuse text in a cell (the message), empty when it takes it.
    QString CellRefusal(int row, int column, const QString &text) const;
    // How many times the grid's rows were replaced (another workstation shown).
    int GridFills() const { return m_gridFills; }
    void bbAddRowClick();
    void bbDelRowClick();
    void bWybierzClick();
    // Runs the exit of every editor, as leaving it would (before Save or a question).
    void CommitEditors();
    // Adds the workstation entered in the fields to the list (name checks, new id and
    // folder, employment from the grid, no factors); false with a message when refused.
    bool AddNewWorkstation();
    // Entering a control: it becomes the main window's last editor, with its exit handler
    // as the commit a command runs first.
    void LoadLastWinCtrl(QWidget *control);

    // The workstation shown, or nullptr (nothing shown, or a new one being entered).
    storage::TStanowisko *CurrentWorkstation() const;
    bool EnteringNew() const { return m_new; }
    QString AttachmentFolder() const { return m_attachmentFolder; }

    // The factor-choice dialog: given the workstation, it lets the user choose the factors
    // present and returns whether it changed them (the view then lists them again and
    // marks the data modified).
    using FactorDialog = std::function<bool(storage::TStanowisko &workstation, QWidget *parent)>;
    static void SetFactorDialog(FactorDialog dialog);

    // Smallest positive number no workstation uses and no folder "stan_{n}" holds.
    static int NewWorkstationId(const storage::WorkstationList &list, const QString &dataFolder);
    // Names equal when upper-cased in the letters a to z only.
    static bool SameWorkstationName(const QString &a, const QString &b);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    // Removes the selected workstation's folder and its entry and writes the list: nothing
    // when nothing was removed (the user has been told why), else whether the list was
    // written.
    std::optional<bool> deleteSelectedWorkstation();
    void refillList(const QString &selectId);
    workstation_loading::TWorkstationListModel &workstationList() { return workstation_loading::WorkstationListModel(Shared()); }
    void selectRow(const QString &id);
    void markModified();
    void fillFactors();
    std::vector<storage::TZatrudn> gridRows() const;
    bool gridDiffersFrom(const storage::TStanowisko &w) const;
    bool checkGridYears();
    // Whether the cell editor open in the employment grid holds a value the grid refused.
    bool gridCellRefused() const;
    bool checkNameForSave();
    // The text without what the files cannot hold back; says what was removed.
    QString cleanText(const QString &text, const QWidget *field);
    void setGridRows(const std::vector<storage::TZatrudn> &rows);
    void restoreStoredName(storage::TStanowisko &w);

    QPointer<QWidget> m_panel; // the main panel, which may stand in the main window
    QString m_attachmentFolder;
    QString m_currentId; // the workstation in the fields
    bool m_new = false;  // a new workstation is being entered
    bool m_filling = false;
    bool m_gridEdited = false;
    int m_gridFills = 0;
    // The date the picker shows for a workstation without a register date (today): it stands
    // in for the missing date and is not one the user gave.
    QDate m_standInDate;
    // The grid's leaving seen through the application's focus changes. ~QWidget still moves
    // the focus while it closes the view, after this class's part is gone: dropped first.
    QMetaObject::Connection m_gridFocusWatch;
};

// The program's view, made on first use in the state it is handed.
TfrmDefStan *frmDefStan(appstate::AppState &state);

} // namespace workstations
