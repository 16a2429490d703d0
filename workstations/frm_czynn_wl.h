#pragma once

// The dialog in which the user defines an own factor of the group chosen in the catalogue
// view, or edits the one chosen in its own-factor list: its name, whether it is harmful or
// dangerous (physical factors), whether it is still current, and the method that rates it
// ("5 kroków" or Risk Score, whose parameters it can open).

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class TRadioGroup;
}

namespace workstations {

class TfrmCzynniki;

class TfrmCzynnWl : public QDialog
{
    Q_OBJECT
public:
    enum Mode { NewFactor = 1, EditFactor = 2 };

    TfrmCzynnWl();

    QLabel *lNazwaCzynn = nullptr;
    QLineEdit *edNazwaCzynnWl = nullptr;
    QLabel *lGrupaCzynn = nullptr;
    widgets::TRadioGroup *rgSzkod = nullptr;    // "szkodliwy" / "niebezpieczny"
    widgets::TRadioGroup *rgAktualny = nullptr; // "aktualny" / "nieaktualny"
    widgets::TRadioGroup *rgMetOceny = nullptr; // "5 kroków" / "risk score"
    QPushButton *bParamRS = nullptr;
    QPushButton *bOk = nullptr;
    QPushButton *bAnul = nullptr;

    // Runs the dialog for the catalogue view's selected group (and, in edit mode, its
    // selected own factor); on OK the factor is stored in the view and in the group's
    // own-factor file. Returns whether it was stored.
    bool Execute(TfrmCzynniki &view, int mode);

    // Handlers (public: tests drive them as the user does).
    void rgMetOcenyClick();
    void bParamRSClick();
    // Closes the dialog with OK only when the name passes CheckName.
    void bOkClick();
    // The name typed is not empty and no factor of the group's list nor another own factor
    // of the group has it (letter case ignored); says what is wrong.
    bool CheckName();

    // The name as it will be stored.
    QString FactorName() const;

private:
    QPointer<TfrmCzynniki> m_view;
    int m_mode = NewFactor;
    int m_editedId = 0;
};

TfrmCzynnWl *frmCzynnWl();

} // namespace workstations
