#include "assessment/frm_nowy_pomiar.h"

#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/evaluation_dispatch.h"

#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "storage/form_definition_files.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "widgets/date_typing.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_limits.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace assessment {

namespace {

constexpr int MaxTextLength = 256;
const char *const DateFormat = "yyyy-MM-dd";

TfrmNowyPomiar::Runner &runner()
{
    static TfrmNowyPomiar::Runner r;
    return r;
}

QLineEdit *makeEdit(QWidget *parent, const char *name, const QString &caption)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // A text stored longer (written by another program) is shown and kept whole; what the
    // user puts in beyond the limit is told.
    widgets::SetEditMaxLength(e, MaxTextLength, caption);
    return e;
}

} // namespace

TfrmNowyPomiar::TfrmNowyPomiar()
{
    setObjectName(QStringLiteral("frmNowyPomiar"));
    setWindowTitle(QStringLiteral("Dane pomiarowe czynnika"));
    setModal(true);
    auto *main = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    main->addLayout(form);
    dtPicker = new QDateEdit(this);
    dtPicker->setObjectName(QStringLiteral("dtPicker"));
    dtPicker->setCalendarPopup(true);
    widgets::TypeOverClickedSection(dtPicker);
    dtPicker->setDisplayFormat(QString::fromLatin1(DateFormat));
    form->addRow(QStringLiteral("Data pomiaru: "), dtPicker);
    eMscPom = makeEdit(this, "eMscPom", QStringLiteral("Miejsce pomiaru"));
    form->addRow(QStringLiteral("Miejsce pomiaru"), eMscPom);
    eWykPom = makeEdit(this, "eWykPom", QStringLiteral("Wykonujący pomiar"));
    form->addRow(QStringLiteral("Wykonujący pomiar"), eWykPom);
    eMetPom = makeEdit(this, "eMetPom", QStringLiteral("Metoda pomiaru"));
    form->addRow(QStringLiteral("Metoda pomiaru"), eMetPom);
    main->addWidget(new QLabel(QStringLiteral("Interpretacja wyniku:"), this));
    mInterWyn = new QPlainTextEdit(this);
    mInterWyn->setObjectName(QStringLiteral("mInterWyn"));
    mInterWyn->setTabChangesFocus(true); // Tab leaves it, as every memo of the program
    main->addWidget(mInterWyn, 1);
    const widgets::TDialogButtons row = widgets::AddDialogButtons(this, main);
    bOk = row.accept;
    bAnul = row.reject;
    connect(bOk, &QPushButton::clicked, this, &TfrmNowyPomiar::accept);
    resize(460, 360);
}

TfrmNowyPomiar::Runner TfrmNowyPomiar::SetRunner(Runner r)
{
    Runner previous = runner();
    runner() = std::move(r);
    return previous;
}

TfrmRyzZakl *TfrmNowyPomiar::window() const
{
    return Window.data();
}

QString TfrmNowyPomiar::DateText() const
{
    return dtPicker->date().toString(QString::fromLatin1(DateFormat));
}

bool TfrmNowyPomiar::bOkClick()
{
    if (window() && window()->DateListed(DateText(), m_mode == 2)) {
        platform::ShowWarning(QStringLiteral("Pomiar z tą datą już jest na liście pomiarów!"));
        dtPicker->setFocus();
        return false;
    }
    return true;
}

void TfrmNowyPomiar::accept()
{
    if (bOkClick())
        QDialog::accept();
}

bool TfrmNowyPomiar::Execute(int mode)
{
    m_mode = mode;
    return mode == 2 ? executeModify() : executeNew();
}

bool TfrmNowyPomiar::executeNew()
{
    TfrmRyzZakl *w = window();
    storage::TCzynnik *factor = w ? w->SelectedFactor() : nullptr;
    if (!factor)
        return false;
    dtPicker->setDate(QDate::currentDate());
    setWindowTitle(QStringLiteral("Dane pomiarowe dot. czynnika: ") + w->SelectedFactorText());
    eMscPom->clear();
    eWykPom->clear();
    eMetPom->clear();
    mInterWyn->clear();
    const int result = runner() ? runner()(*this) : exec();
    if (result != QDialog::Accepted)
        return false;
    const QString d = DateText();

    // The fields come from the factor's form definition: without it nothing is created,
    // so no measurement without fields can ever be saved.
    const QString definition = w->FormDefinitionPath();
    if (w->FormDefinitionFile().isEmpty() || !platform::FileExists(definition)) {
        platform::ShowFileAccessError(definition);
        return false;
    }
    int newId = 1;
    for (const std::unique_ptr<storage::TPomiarCzynn> &m : factor->Measurements)
        newId = std::max(newId, m->id + 1);
    auto m = std::make_unique<storage::TPomiarCzynn>(storage::TMeasurementAttributes{
        .id = newId,
        .data = d,
        .mscPom = eMscPom->text(),
        .wykpom = eWykPom->text(),
        .metpom = eMetPom->text(),
        .interwyn = mInterWyn->toPlainText(),
        .ver = factor->ver_pom,
    });
    try {
        storage::ReadMeasurementForm(definition, m->Fields, factor->id);
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
        return false;
    }
    RateNewMeasurement(*m, *factor, w->SelectedWorkstation());
    if (!storage::AddMeasurement(factor->Measurements, std::move(m)))
        return false; // a date already listed (refused by OK before)
    w->FillMeasurementList(d);
    w->lbPomiarClick();
    w->MarkModified();
    w->ApplySaveRule();
    return true;
}

bool TfrmNowyPomiar::executeModify()
{
    TfrmRyzZakl *w = window();
    storage::TPomiarCzynn *m = w ? w->SelectedMeasurement() : nullptr;
    storage::TCzynnik *factor = w ? w->SelectedFactor() : nullptr;
    if (!m || !factor)
        return false;
    const QDate stored = QDate::fromString(m->data, QString::fromLatin1(DateFormat));
    // A stored date that is no date offers today; it is replaced only when confirmed.
    dtPicker->setDate(stored.isValid() ? stored : QDate::currentDate());
    setWindowTitle(QStringLiteral("Dane pomiarowe z dnia ") + m->data + QStringLiteral(" czynnika:") +
                   w->SelectedFactorText());
    eMscPom->setText(m->mscPom);
    eWykPom->setText(m->wykpom);
    eMetPom->setText(m->metpom);
    mInterWyn->setPlainText(m->interwyn);
    const int result = runner() ? runner()(*this) : exec();
    if (result != QDialog::Accepted)
        return false;
    const QString d = DateText();
    if (d != m->data) {
        const bool summed =
            (factor->ident == QLatin1String("chem") || factor->ident == QLatin1String("pyly")) && TakesPartInSums(*m);
        // The measurements of the old date are summed again without this one, then those of
        // the new date with it.
        if (summed)
            RunWorkstationSum(factor->ident, w->MeasurementPages(), false);
        m->data = d;
        // The list is kept in date order, the order the file is written and read back in.
        storage::SortMeasurements(factor->Measurements);
        w->FillMeasurementList(d);
        if (summed)
            RunWorkstationSum(factor->ident, w->MeasurementPages(), true);
    }
    m->mscPom = eMscPom->text();
    m->wykpom = eWykPom->text();
    m->metpom = eMetPom->text();
    m->interwyn = mInterWyn->toPlainText();
    w->MarkModified();
    w->ApplySaveRule();
    return true;
}

TfrmNowyPomiar *frmNowyPomiar()
{
    static QPointer<TfrmNowyPomiar> instance;
    return platform::WindowSingleton(instance);
}

} // namespace assessment
