#include "workstations/frm_czynn_wl.h"

#include "appstate/appstate.h"
#include "assessment/frm_param_risc_score.h"
#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "widgets/dialog_buttons.h"
#include "widgets/field_limits.h"
#include "widgets/radio_group.h"
#include "workstations/frm_czynniki.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workstations {

namespace {

const QString kFiveSteps = QStringLiteral("met5Krok");
const QString kRiskScore = QStringLiteral("metRiskScore");

} // namespace

TfrmCzynnWl::TfrmCzynnWl()
{
    setObjectName(QStringLiteral("frmCzynnWl"));
    setWindowTitle(QStringLiteral("Czynnik własny"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);

    auto *group = new QHBoxLayout;
    group->addWidget(new QLabel(QStringLiteral("Grupa czynników:"), this));
    lGrupaCzynn = new QLabel(this);
    lGrupaCzynn->setObjectName(QStringLiteral("lGrupaCzynn"));
    QFont bold = lGrupaCzynn->font();
    bold.setBold(true);
    lGrupaCzynn->setFont(bold);
    group->addWidget(lGrupaCzynn, 1);
    layout->addLayout(group);

    rgMetOceny = new widgets::TRadioGroup(QStringLiteral("rgMetOceny"), QStringLiteral(" Metoda oceny ryzyka: "),
                                          {QStringLiteral("5 kroków"), QStringLiteral("risk score")}, 2, this);
    auto *method = new QHBoxLayout;
    method->addWidget(rgMetOceny, 1);
    bParamRS = new QPushButton(QStringLiteral("Parametry"), this);
    bParamRS->setObjectName(QStringLiteral("bParamRS"));
    method->addWidget(bParamRS, 0, Qt::AlignBottom);
    layout->addLayout(method);

    lNazwaCzynn = new QLabel(this);
    lNazwaCzynn->setObjectName(QStringLiteral("lNazwaCzynn"));
    edNazwaCzynnWl = new QLineEdit(this);
    edNazwaCzynnWl->setObjectName(QStringLiteral("edNazwaCzynnWl"));
    // The catalogue's width for a factor's name; a longer name read from the file is kept.
    widgets::SetEditMaxLength(edNazwaCzynnWl, 120, QStringLiteral("Nazwa czynnika własnego"));
    lNazwaCzynn->setBuddy(edNazwaCzynnWl);
    layout->addWidget(lNazwaCzynn);
    layout->addWidget(edNazwaCzynnWl);

    rgSzkod = new widgets::TRadioGroup(QStringLiteral("rgSzkod"), QStringLiteral(" Rodzaj czynnika: "),
                                       {QStringLiteral("szkodliwy"), QStringLiteral("niebezpieczny")}, 2, this);
    rgAktualny = new widgets::TRadioGroup(QStringLiteral("rgAktualny"), QStringLiteral(" Status czynnika: "),
                                          {QStringLiteral("aktualny"), QStringLiteral("nieaktualny")}, 2, this);
    layout->addWidget(rgSzkod);
    layout->addWidget(rgAktualny);
    layout->addStretch(1);

    const widgets::TDialogButtons row = widgets::AddDialogButtons(this, layout);
    bOk = row.accept;
    bAnul = row.reject;
    resize(520, 300);

    connect(rgMetOceny, &widgets::TRadioGroup::Clicked, this, [this](int) { rgMetOcenyClick(); });
    // The parameters open over this dialog and leave it open.
    connect(bParamRS, &QPushButton::clicked, this, [this] { bParamRSClick(); });
    connect(bOk, &QPushButton::clicked, this, [this] { bOkClick(); });
}

void TfrmCzynnWl::rgMetOcenyClick()
{
    const bool riskScore = rgMetOceny->ItemIndex() == 1;
    bParamRS->setVisible(riskScore);
    lNazwaCzynn->setText(riskScore ? QStringLiteral("Nazwa czynnika własnego ocenianego metodą Risk Score:")
                                   : QStringLiteral("Nazwa czynnika własnego ocenianego metodą 5 kroków:"));
}

void TfrmCzynnWl::bParamRSClick()
{
    assessment::ShowRiskScoreParameters(this, 0);
}

QString TfrmCzynnWl::FactorName() const
{
    return edNazwaCzynnWl->text().trimmed();
}

bool TfrmCzynnWl::CheckName()
{
    // Characters the own-factor file cannot hold are taken out first (and the user told),
    // so the name checked is the name stored.
    const QString stored = appstate::StorableFieldText(FactorName(), widgets::FieldCaption(edNazwaCzynnWl));
    if (stored != FactorName())
        edNazwaCzynnWl->setText(stored);
    if (stored.isEmpty()) {
        platform::ShowWarning(QStringLiteral("Należy podać nazwę czynnika własnego."));
        return false;
    }
    if (!m_view)
        return false;
    bool ok = true;
    if (m_view->NameInCatalogue(stored)) {
        platform::ShowWarning(QStringLiteral("Czynnik o podanej nazwie już istnieje na liście czynników!"));
        ok = false;
    }
    if (m_view->NameInOwnFactors(stored, m_mode == EditFactor ? m_editedId : 0)) {
        platform::ShowWarning(QStringLiteral("Czynnik o podanej nazwie już istnieje na liście czynników własnych!"));
        ok = false;
    }
    return ok;
}

void TfrmCzynnWl::bOkClick()
{
    if (CheckName())
        accept();
    else
        edNazwaCzynnWl->setFocus();
}

bool TfrmCzynnWl::Execute(TfrmCzynniki &view, int mode)
{
    const storage::TGrupaCzynnik *group = view.SelectedGroup();
    const storage::TCzynnik *edited = mode == EditFactor ? view.SelectedOwnFactor() : nullptr;
    if (!group || (mode == EditFactor && !edited))
        return false;
    m_view = &view;
    m_mode = mode;
    m_editedId = edited ? edited->id : 0;

    rgAktualny->hide();
    rgSzkod->setVisible(group->ident == QLatin1String("fiz"));
    lGrupaCzynn->setText(group->nazwa);
    if (edited) {
        rgAktualny->setVisible(edited->aktual == QLatin1String("0"));
        rgMetOceny->setEnabled(false);
        rgMetOceny->SetItemIndex(edited->frm_dane == kFiveSteps ? 0 : 1);
        edNazwaCzynnWl->setText(edited->nazwa);
        rgSzkod->SetItemIndex(edited->szkod == QLatin1String("T") ? 0 : 1);
        rgAktualny->SetItemIndex(edited->aktual == QLatin1String("1") ? 0 : 1);
    } else {
        rgMetOceny->setEnabled(true);
        rgMetOceny->SetItemIndex(0);
        edNazwaCzynnWl->clear();
        rgSzkod->SetItemIndex(1); // "N" unless chosen otherwise
        rgAktualny->SetItemIndex(0);
    }
    rgMetOcenyClick();
    edNazwaCzynnWl->setFocus();
    setResult(QDialog::Rejected); // the answer of the last run does not count

    if (platform::ExecDialog(*this) != QDialog::Accepted || !m_view)
        return false;

    std::unique_ptr<storage::TCzynnik> factor;
    if (edited) {
        factor = edited->Clone();
    } else {
        int id = 0;
        try {
            id = m_view->NewOwnFactorId();
        } catch (const platform::TarvelinError &e) {
            // Without every group's own factors the number could be one already given.
            platform::ShowError(e.message());
            return false;
        }
        factor = std::make_unique<storage::TCzynnik>(QString(), group->ident, id, QStringLiteral("1.0"),
                                                     QString(), QStringLiteral("1"), QString());
    }
    factor->nazwa = FactorName();
    if (!edited)
        factor->frm_dane = rgMetOceny->ItemIndex() == 1 ? kRiskScore : kFiveSteps;
    factor->szkod = rgSzkod->ItemIndex() == 0 ? QStringLiteral("T") : QStringLiteral("N");
    if (edited)
        factor->aktual = rgAktualny->ItemIndex() == 1 ? QStringLiteral("0") : QStringLiteral("1");
    return m_view->StoreOwnFactor(*factor);
}

TfrmCzynnWl *frmCzynnWl()
{
    static QPointer<TfrmCzynnWl> slot;
    return platform::WindowSingleton(slot);
}

} // namespace workstations
