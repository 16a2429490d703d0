#pragma once

// The risk assessment panel: the ratings of the four employee groups, the combined and the
// final rating, and the measures that limit the risk. The window itself is never shown; its
// panel pOcenaRyz is placed on the last tab of the measurement pages of whichever view shows
// them (measurement window, factor catalogue, summary) and taken off before those tabs go.

#include <QPointer>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace storage {
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace assessment {

// What the panel needs from the view it is shown in: the measurement that receives the
// ratings and the workstation whose employment decides the combined rating.
class TRiskPanelHost
{
public:
    virtual ~TRiskPanelHost() = default;
    virtual storage::TPomiarCzynn *RiskMeasurement() = 0;
    virtual const storage::TStanowisko *RiskWorkstation() = 0;
    // The user changed the final rating or the measures: Modified, the factor under edit,
    // the Save button rule.
    virtual void RiskMeasurementEdited() {}
};

// The combined rating: the largest rating of the groups employed on the workstation in the
// year of the measurement's date (head counts above 0). No workstation, no date, a date
// that does not start with a year, or no employment row for that year: 0. A head count
// that is empty or no number counts as nobody employed.
int CombinedRatingForYear(int men, int women, int pregnantWomen, int juveniles, const storage::TStanowisko *workstation,
                          const QString &measurementDate);

class TfrmOcenaRyz : public QWidget
{
    Q_OBJECT
public:
    TfrmOcenaRyz();
    ~TfrmOcenaRyz() override;

    QWidget *pOcenaRyz = nullptr;
    QLabel *Label81 = nullptr;
    QGroupBox *gbMlodociani = nullptr;
    QRadioButton *rbOcenaMldcDuze = nullptr, *rbOcenaMldcSrednie = nullptr, *rbOcenaMldcMale = nullptr;
    QGroupBox *gbKobCiez = nullptr;
    QRadioButton *rbOcenaKbtWCDuze = nullptr, *rbOcenaKbtWCSrednie = nullptr, *rbOcenaKbtWCMale = nullptr;
    QGroupBox *gbKobiety = nullptr;
    QRadioButton *rbOcenaKbtDuze = nullptr, *rbOcenaKbtSrednie = nullptr, *rbOcenaKbtMale = nullptr;
    QGroupBox *gbMezczyzni = nullptr;
    QRadioButton *rbOcenaMzczDuze = nullptr, *rbOcenaMzczSrednie = nullptr, *rbOcenaMzczMale = nullptr;
    QGroupBox *gbKompLaczna = nullptr;
    QRadioButton *rbOcenaKompDuze = nullptr, *rbOcenaKompSrednie = nullptr, *rbOcenaKompMale = nullptr;
    QGroupBox *gbOcena = nullptr;
    QRadioButton *rbOcenaKoncDuze = nullptr, *rbOcenaKoncSrednie = nullptr, *rbOcenaKoncMale = nullptr;
    QLabel *lSrodkiOgrRyz = nullptr;
    QPlainTextEdit *mSrodOgrRyz = nullptr;

    // The view that answers for viewName ("frmRyzZakl", "frmZestaw"); nullptr removes it.
    static void SetHost(const QString &viewName, TRiskPanelHost *host);

    // Shows the six ratings; the combined one is always recomputed (the argument is kept for
    // the callers' sake). In the measurement view the selected measurement stores all six
    // and the measures text.
    void SetRiskAssessment(int men, int women, int pregnantWomen, int juveniles, int combined, int final,
                           bool finalFromCombined);

    // Shows one code in one group: 10, 20, 30 check and colour a button; 0 and 99 uncheck all;
    // 40 unchecks all and paints the caption red; any other code is an internal error
    // (warning) and leaves the group as it was. Returns whether the code was valid.
    bool UstawOceneRyzyka(QRadioButton *rbMale, QRadioButton *rbSrednie, QRadioButton *rbDuze, QGroupBox *group,
                          int code);

    // The measures text of a measurement being shown, without raising the change handler.
    void LoadMeasuresText(const QString &text);

    // Places the panel on a tab of measurement pages; the final rating and the measures are
    // editable only where the ratings are stored (the measurement window outside the sample
    // data).
    void PlaceOnPage(QWidget *tab, bool finalEditable);
    // Takes the panel off its page (back to this window), so that deleting the page leaves
    // it alive.
    void TakeOffPage();

    // Handlers (public: tests drive them like the user does).
    void rbOcenaKoncDuzeClick(QRadioButton *sender);
    void gbOcenaClick();
    void mSrodOgrRyzChange();

    // What the panel shows, for the callers that read it back and for tests.
    static bool CaptionRed(const QGroupBox *group);
    static QString ButtonColour(const QRadioButton *button); // "#RRGGBB", empty when plain
    int ShownCode(const QGroupBox *group) const;             // 10/20/30, 40 (red caption), 0

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QGroupBox *makeGroup(const QString &name, const QString &caption, QRadioButton *&duze, QRadioButton *&srednie,
                         QRadioButton *&male);
    bool measurementView() const;
    TRiskPanelHost *host() const;
};

TfrmOcenaRyz *frmOcenaRyz();
// The panel window when it exists; never creates it (for code that runs at exit).
TfrmOcenaRyz *ExistingFrmOcenaRyz();

} // namespace assessment
