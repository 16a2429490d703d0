#pragma once

// The risk assessment panel: the ratings of the four employee groups, the combined and the
// final rating, and the measures that limit the risk. The window itself is never shown; its
// panel pOcenaRyz is placed on the last tab of the measurement pages that own it (each view
// showing measurement pages has its own) and taken off before those tabs go.

#include "assessment/risk_ratings.h"

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace assessment {

// Where the panel reports the user's choices (the ratings store of the pages it stands on,
// ratings_store.h): the panel shows the ratings it is given and tells its host what the user
// chose; the host stores what it accepts.
class TRiskPanelHost
{
public:
    virtual ~TRiskPanelHost() = default;
    // The user clicked a final rating: 10, 20, 30, 40 (work forbidden) or 0 (cleared).
    virtual void FinalRatingChosen(int code) { (void)code; }
    // The user changed the measures that limit the risk.
    virtual void MeasuresEdited(const QString &text) { (void)text; }
};

class TfrmOcenaRyz : public QWidget
{
    Q_OBJECT
public:
    TfrmOcenaRyz();
    ~TfrmOcenaRyz() override;

    QWidget *pOcenaRyz = nullptr;
    QLabel *Label81 = nullptr;
    QLabel *lBrakOceny = nullptr; // why a rating stays not determined (hidden when nothing to say)
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

    // Where the panel reports to; PlaceOnPage sets it and TakeOffPage clears it. Without a
    // host (a preview) the user's choices go nowhere.
    void SetHost(TRiskPanelHost *host) { m_host = host; }
    TRiskPanelHost *Host() const { return m_host; }

    // Shows the six ratings as given, and why they stay not determined (empty: hides the
    // note). Stores nothing: the view that combined them does.
    void SetRiskAssessment(const TRiskRatings &ratings, const QString &notDeterminedReason = QString());

    // Shows one code in one group: 10, 20, 30 check and colour a button; 0 and 99 uncheck all;
    // 40 unchecks all and paints the caption red; any other code is an internal error
    // (warning) and leaves the group as it was. Returns whether the code was valid.
    bool UstawOceneRyzyka(QRadioButton *rbMale, QRadioButton *rbSrednie, QRadioButton *rbDuze, QGroupBox *group,
                          int code);

    // The measures text of a measurement being shown, without raising the change handler.
    void LoadMeasuresText(const QString &text);

    // The measures text shown.
    QString MeasuresText() const;
    // Says why the ratings shown stay not determined (empty: hides the note). Holds until
    // the next SetRiskAssessment.
    void ShowNotDeterminedReason(const QString &text);
    QString NotDeterminedReason() const;

    // Places the panel on a tab of measurement pages for host; the final rating and the
    // measures are editable only where the ratings are stored (the measurement window
    // outside the sample data).
    void PlaceOnPage(QWidget *tab, bool finalEditable, TRiskPanelHost *host = nullptr);
    // Takes the panel off its page (back to this window), so that deleting the page leaves
    // it alive, and forgets the host.
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

    TRiskPanelHost *m_host = nullptr;
};

} // namespace assessment
