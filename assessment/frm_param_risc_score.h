#pragma once

// The Risk Score parameter editor: the probability, exposure and consequence tables and
// the five risk bands, shown and, after "Edytuj", edited and saved to the parameter files.
// The evaluations rate with the saved parameters from the next choice on.
//
// The grids keep their titles in the header, so data row i of the tables is table row
// i - 1; the routines below count data rows from 1.
//
// Open it with ShowRiskScoreParameters; tests install a runner that drives the editor in
// place of the modal loop.

#include "storage/risk_score.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;
class QWidget;

namespace widgets {
class TBitBtnWithColor;
}

namespace assessment {

class TfrmParamRiscScore : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmParamRiscScore(QWidget *parent = nullptr);
    ~TfrmParamRiscScore() override;

    // Published components.
    QWidget *pTop = nullptr;
    QLabel *lIloscCzynChem = nullptr;
    QComboBox *cbWersja = nullptr; // one entry per set of the version list
    widgets::TBitBtnWithColor *bEdytuj = nullptr;
    widgets::TBitBtnWithColor *bZapisz = nullptr;
    widgets::TBitBtnWithColor *bZamknij = nullptr;
    QTableWidget *strGrPrawd = nullptr;
    QTableWidget *strGrEksp = nullptr;
    QTableWidget *strGrSkut = nullptr;
    QTableWidget *strGrWskRyz = nullptr;
    QTableWidget *strGrIntWskRyz = nullptr;
    widgets::TBitBtnWithColor *bbDodPrawd = nullptr;
    widgets::TBitBtnWithColor *bbDodEksp = nullptr;
    widgets::TBitBtnWithColor *bbDodSkut = nullptr;
    widgets::TBitBtnWithColor *bbUsunPrawd = nullptr;
    widgets::TBitBtnWithColor *bbUsunEksp = nullptr;
    widgets::TBitBtnWithColor *bbUsunSkut = nullptr;

    // Inicjuj, then modal for version 0 (the current parameters), modeless for an older one.
    void ShowParameters(quint16 version);
    // Reads the set of version from the parameter files (problems are shown) into an empty
    // version list and shows it in view mode.
    void Inicjuj(quint16 version);
    void cbWersjaChange();
    void CzyscPola();
    // Shows set n of the version list (from 1).
    void PokazParam(int n);
    void TrybEdycji(bool on);
    bool InEditMode() const;
    // Checks the grids; shows the first fault and returns false.
    bool SprPoprDanych();
    // Replaces the selected set by what the grids hold.
    void ZapiszToObiekt();
    // Writes the selected set to the parameter files; false when a file could not be written.
    bool ZapiszDBObiekt();
    // The set the grids show; nullptr with an empty version list.
    const storage::TRiskScore *SelectedSet() const;

    void bEdytujClick();
    void bZapiszClick();
    // Add and remove row: at the grid's current data row (the first when none is current).
    void AddRow(QTableWidget *grid);
    void RemoveRow(QTableWidget *grid);
    // A cell of the risk band grid was edited: row counted from 1.
    void strGrWskRyzSetEditText(int col, int row, const QString &text);

    // The text of a cell, data rows counted from 1.
    static QString Cell(const QTableWidget *grid, int row, int col);
    // The number of data rows.
    static int DataRows(const QTableWidget *grid);

    // The fill of the coloured cells: a band's code, a risk level's name.
    static QColor CodeCellColor(const QString &code);
    static QColor LevelCellColor(const QString &levelName);

    // The key filter of the grids' cells: whether text, as it was before, may become
    // edited by what the user typed or pasted. A limit refuses growth, never deletion.
    enum class CellKind { Number, Text, Text32, Text64, Code, Fixed };
    static bool CellEditAllowed(CellKind kind, const QString &before, const QString &edited);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildGrids();
    void setCell(QTableWidget *grid, int row, int col, const QString &text);
    void setDataRows(QTableWidget *grid, int rows);
    void renumber(QTableWidget *grid);
    void setRangeText(int row);
    void fitDescriptions();
    // Stores the text of a cell still being edited into its grid, the editor kept open.
    void commitOpenCells();
    void onBandCellChanged(int tableRow, int col);
    // Checks one table's value column; false after its message.
    bool checkTable(const QTableWidget *grid, int valueCol, const QString &numberMessage, const QString &orderMessage);

    std::vector<std::unique_ptr<storage::TRiskScore>> m_sets; // the version list's sets
    bool m_filling = false;                                   // grids changed by the program, not the user
    bool m_closing = false;                                   // inside the close event
    bool m_unsaved = false; // edit mode entered, or a change made, since the last whole save
};

// Opens the parameter editor for version (0: the current parameters, modal; the function
// returns when the editor is closed).
void ShowRiskScoreParameters(QWidget *parent, quint16 version = 0);

// Tests: runs the modal editor in place of its event loop (the runner drives it and
// returns); an empty runner restores the modal loop.
using RiskScoreEditorRunner = std::function<void(TfrmParamRiscScore &editor)>;
void SetRiskScoreEditorRunner(RiskScoreEditorRunner runner);

} // namespace assessment
