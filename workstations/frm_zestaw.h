#pragma once

// The measurement summary: a workstation, a date range and a range choice; the
// workstation's factors measured within the range, a factor's measurements in it, and one
// measurement shown read-only in measurement pages of its own, which keep nothing. The
// chosen workstation, its factor list and the range are what the workstation printouts
// print: Print opens the printouts dialog and hands it them.

#include "appstate/view.h"
#include "storage/measurements.h"
#include "widgets/list_box.h"
#include "widgets/panel_host.h"
#include "workstation_loading/workstation_loading.h"

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QPushButton;
class QSplitter;

namespace assessment {
class TMeasurementPages;
}

namespace widgets {
class TRadioGroup;
}

namespace workstations {

class TfrmZestaw : public QWidget, public appstate::TView
{
    Q_OBJECT
public:
    explicit TfrmZestaw(appstate::AppState &state);
    ~TfrmZestaw() override;

    // Controls, named as the program knows them.
    QWidget *pZestaw = nullptr; // the main panel
    QComboBox *cbStanow = nullptr;
    QDateEdit *dtOd = nullptr;
    QDateEdit *dtDo = nullptr;
    widgets::TRadioGroup *rgZakres = nullptr; // "OSTATNIE" / "WSZYSTKIE"
    QPushButton *bWyswietl = nullptr;
    QSplitter *spZestaw = nullptr;
    QWidget *pLeftRyzZakl = nullptr;
    QSplitter *spLeft = nullptr;
    QWidget *pCzyn = nullptr;
    widgets::TListBox *lbCzyn = nullptr;
    widgets::TListBox *lbPomiar = nullptr;
    QWidget *pZestawPoj = nullptr; // where the measurement pages are docked

    // appstate::TView
    QWidget *GetMainPanel() override { return pZestaw; }
    void InitView() override;
    // Opens the printouts dialog registered under "frmWydrukRej" with PrintSelection();
    // until there is one, says that nothing can be printed here yet.
    void Print() override;
    // The workstation, the factors listed (in list order), the range and "OSTATNIE".
    appstate::TPrintSelection PrintSelection() override;

    // Handlers (public: tests drive them as the user does).
    void cbStanowClick();
    void lbCzynClick();
    void lbPomiarClick();
    void bWyswietlClick();
    // A change of either date or of the range choice: the lists wait for "Wyświetl".
    void RangeChanged();

    // Docks a panel into pZestawPoj; the panel docked before goes back where it came from.
    void WyswPanel(QWidget *panel);
    // Lists in target the measurements dated within the range (all, or with "OSTATNIE" the
    // first of the latest date), each under its date, earliest first.
    void FillMeasurementList(const storage::TMeasurementList &measurements, QListWidget *target) const;

    // What the printouts read: the workstation, the range (both days included) and whether
    // only the latest measurement in it counts ("OSTATNIE").
    storage::TStanowisko *SelectedWorkstation();
    QDate DateFrom() const;
    QDate DateTo() const;
    bool LatestOnly() const;
    storage::TCzynnik *SelectedFactor() const;
    storage::TPomiarCzynn *SelectedMeasurement() const;

    // The factors the lists show: those measured within the range (both days included).
    workstation_loading::FactorFilter RangeFilter() const;

    // The measurement pages of the preview (made on first use).
    assessment::TMeasurementPages *MeasurementPages();

private:
    void buildControls();
    void clearPages();
    void clearLists();

    std::unique_ptr<widgets::TPanelHost> m_pageHost;
    std::unique_ptr<assessment::TMeasurementPages> m_pages;
};

// The program's view, made on first use in the state it is handed.
TfrmZestaw *frmZestaw(appstate::AppState &state);

} // namespace workstations
