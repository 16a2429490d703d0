#include "workstations/frm_zw_biol.h"

#include "platform/window_registry.h"
#include "storage/catalogue_files.h"
#include "widgets/form_geometry.h"
#include "workstations/catalogue_list.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workstations {

namespace {

QCheckBox *kindBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TfrmZwBiol::TfrmZwBiol()
{
    setObjectName(QStringLiteral("frmZwBiol"));
    pDaneCzynBiol = new QWidget(this);
    pDaneCzynBiol->setObjectName(QStringLiteral("pDaneCzynBiol"));
    auto *layout = new QVBoxLayout(pDaneCzynBiol);
    layout->setContentsMargins(4, 4, 4, 4);

    Panel4 = new QWidget(pDaneCzynBiol);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setMinimumSize(366, 208);
    auto *details = new QGridLayout(Panel4);
    details->setContentsMargins(0, 0, 0, 0);
    details->addWidget(new QLabel(QStringLiteral("Pełna nazwa:"), Panel4), 0, 0, 1, 2);
    mmNazwCzyn = new QPlainTextEdit(Panel4);
    mmNazwCzyn->setObjectName(QStringLiteral("mmNazwCzyn"));
    mmNazwCzyn->setReadOnly(true);
    mmNazwCzyn->setFixedHeight(70);
    details->addWidget(mmNazwCzyn, 1, 0, 1, 2);
    lOpGrZagr = new QLabel(QStringLiteral("Grupa zagrożenia :"), Panel4);
    lOpGrZagr->setObjectName(QStringLiteral("lOpGrZagr"));
    eGrZagr = new QLineEdit(Panel4);
    eGrZagr->setObjectName(QStringLiteral("eGrZagr"));
    eGrZagr->setReadOnly(true);
    eGrZagr->setMaximumWidth(60);
    details->addWidget(lOpGrZagr, 2, 0);
    details->addWidget(eGrZagr, 2, 1, Qt::AlignLeft);
    lOznDod = new QLabel(QStringLiteral("Oznaczenie dodatkowe :"), Panel4);
    lOznDod->setObjectName(QStringLiteral("lOznDod"));
    eOznDod = new QLineEdit(Panel4);
    eOznDod->setObjectName(QStringLiteral("eOznDod"));
    eOznDod->setReadOnly(true);
    eOznDod->setMaximumWidth(120);
    details->addWidget(lOznDod, 3, 0);
    details->addWidget(eOznDod, 3, 1, Qt::AlignLeft);
    lGrZagr = new QLabel(QStringLiteral("Może stanowić ograniczone ryzyko zakażenia drogą powietrzną"), Panel4);
    lGrZagr->setObjectName(QStringLiteral("lGrZagr"));
    lGrZagr->setWordWrap(true);
    details->addWidget(lGrZagr, 4, 0, 1, 2);
    details->setColumnStretch(1, 1);
    details->setRowStretch(5, 1);
    layout->addWidget(Panel4);

    Panel5 = new QGroupBox(QStringLiteral(" Wybrane grupy czynników biologicznych "), pDaneCzynBiol);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setMinimumSize(366, 223);
    auto *kinds = new QVBoxLayout(Panel5);
    cbBakterie = kindBox(Panel5, "cbBakterie", QStringLiteral("Bakterie"));
    cbWirusy = kindBox(Panel5, "cbWirusy", QStringLiteral("Wirusy"));
    cbPasozyty = kindBox(Panel5, "cbPasozyty", QStringLiteral("Pasożyty"));
    cbGrzyby = kindBox(Panel5, "cbGrzyby", QStringLiteral("Grzyby"));
    for (QCheckBox *b : {cbBakterie, cbWirusy, cbPasozyty, cbGrzyby})
        kinds->addWidget(b);
    bPokaz = new QPushButton(QStringLiteral("Pokaż"), Panel5);
    bPokaz->setObjectName(QStringLiteral("bPokaz"));
    bPokaz->setToolTip(QStringLiteral("Pokaż czynniki z zaznaczonych powyżej grup"));
    kinds->addWidget(bPokaz, 0, Qt::AlignRight);
    kinds->addStretch(1);
    layout->addWidget(Panel5);
    layout->addStretch(1);

    connect(bPokaz, &QPushButton::clicked, this, [this] { bPokazClick(); });
    widgets::RestoreFormGeometry(this);
}

TfrmZwBiol::~TfrmZwBiol()
{
    widgets::SaveFormGeometry(this, Panel4);
}

void TfrmZwBiol::lbNazwCzBiolClick()
{
    const auto *entry = Target() ? dynamic_cast<const storage::TCzynBiol *>(Target()->Selected()) : nullptr;
    mmNazwCzyn->setPlainText(entry ? entry->nazwa : QString());
    const bool grouped = entry && entry->grzagr != 0;
    for (QWidget *w : std::initializer_list<QWidget *>{lOpGrZagr, eGrZagr, lOznDod, eOznDod})
        w->setVisible(grouped);
    eGrZagr->setText(grouped ? QString::number(entry->grzagr) : QString());
    eOznDod->setText(grouped ? entry->ozndod : QString());
    lGrZagr->setVisible(grouped && entry->uszgrzagr == 1);
    QCheckBox *boxes[] = {cbBakterie, cbWirusy, cbPasozyty, cbGrzyby};
    for (int kind = 1; kind <= 4; ++kind)
        SetGroupMarked(boxes[kind - 1], entry && entry->typczyn == kind);
}

QString TfrmZwBiol::KindFilter() const
{
    QString kinds = QStringLiteral("0");
    const QCheckBox *boxes[] = {cbBakterie, cbWirusy, cbPasozyty, cbGrzyby};
    for (int kind = 1; kind <= 4; ++kind)
        if (boxes[kind - 1]->isChecked())
            kinds += QString::number(kind);
    return kinds;
}

void TfrmZwBiol::bPokazClick()
{
    const QString kinds = KindFilter();
    Refill([&] { return AsFactorList(storage::ReadBiologicalCatalogue(CataloguePath(), kinds)); });
}

TfrmZwBiol *frmZwBiol()
{
    static QPointer<TfrmZwBiol> slot;
    return platform::WindowSingleton(slot);
}

} // namespace workstations
