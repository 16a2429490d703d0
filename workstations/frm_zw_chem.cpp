#include "workstations/frm_zw_chem.h"

#include "platform/window_registry.h"
#include "storage/catalogue_files.h"
#include "widgets/form_geometry.h"
#include "workstations/catalogue_list.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace workstations {

namespace {

// The group boxes of both panels, in the order they stand. A box of the CLP panel marks
// and filters a `typh` bit, except the two that stand for `typ` bits 3 and 8.
struct BoxDefinition
{
    const char *name;
    const char *caption;
    bool clpPanel;
    bool typBit;
    int bit;
};

const BoxDefinition kBoxes[] = {
    {"cbTypRak", "&rakotwórczych kategorii 1 (1A)", false, true, 0},
    {"cbTypPrawdRak", "ra&kotwórczych kategorii 2 (1B)", false, true, 1},
    {"cbTypUczul", "uczu&lających", false, true, 2},
    {"cbTypWchlan", "wchłanianych przez &skórę", false, true, 3},
    {"cbTypZrace", "ż&rących", false, true, 4},
    {"cbTypRoztwZrace", "żrących roz&tworów", false, true, 5},
    {"cbTypWybuch", "&wybuchowych", false, true, 6},
    {"cbTypRozp", "rozpuszczalników or&ganicznych", false, true, 8},
    {"cbTypZabMlod", "zabronionych dla &młodocianych", false, true, 9},
    {"cbTypZabKob", "zabronionych dla kobiet w ciąż&y i okresie karmienia", false, true, 10},
    {"cbTypDraz", "&drażniących", false, true, 11},
    {"cbTypDrazRoz", "drażniących roztw&orów", false, true, 12},
    {"cbTypToksPlod", "działających tok&sycznie na płód", false, true, 13},
    {"cbMutK1", "m&utagennych kategorii 1 (1A)", false, true, 14},
    {"cbMutK2", "mutag&ennych kategorii 2 (1B)", false, true, 15},
    {"cbTyp_New_0", "&wybuchowe", true, false, 0},
    {"cbTyp_New_1", "&mieszaniny samoreaktywne", true, false, 1},
    {"cbTyp_New_2", "&nadtlenki organiczne", true, false, 2},
    {"cbTyp_New_3", "&aerozolowe łatwopalne", true, false, 3},
    {"cbTyp_New_4", "ła&twopalne", true, false, 4},
    {"cbTyp_New_5", "&piroforyczne", true, false, 5},
    {"cbTyp_New_6", "&samonagrzewające się", true, false, 6},
    {"cbTyp_New_7", "&reagujące z wodą", true, false, 7},
    {"cbTyp_New_8", "&utleniające", true, false, 8},
    {"cbTyp_New_9", "&gazy pod ciśnieniem", true, false, 9},
    {"cbTyp_New_10", "wc&hłaniane przez skórę", true, true, 3},
    {"cbTyp_New_11", "żrące i &drażniące", true, false, 10},
    {"cbTyp_New_12", "&o ostrej toksyczności", true, false, 11},
    {"cbTyp_New_13", "toksy&czne na narządy docelowe", true, false, 12},
    {"cbTyp_New_14", "uczu&lające", true, false, 13},
    {"cbTyp_New_15", "mutagenne kategorii &1A, 1B", true, false, 14},
    {"cbTyp_New_16", "mutagenne kategorii &2", true, false, 15},
    {"cbTyp_New_17", "rakotwórcz&e kategorii 1A, 1B", true, false, 16},
    {"cbTyp_New_18", "rakotwórcze kategor&ii 2", true, false, 17},
    {"cbTyp_New_19", "sz&kodliwe na rozrodczość", true, false, 18},
    {"cbTyp_New_20", "&zagroż. spowodowane aspiracją", true, false, 19},
    {"cbTyp_New_21", "rozpuszczalniki organiczne", true, true, 8},
};

const QString kShowHint = QStringLiteral("Pokaż czynniki z zaznaczonych powyżej grup");

QLineEdit *readOnlyEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    return e;
}

} // namespace

TfrmZwChem::TfrmZwChem()
{
    setObjectName(QStringLiteral("frmZwChem"));
    pDaneCzynChem = new QWidget(this);
    pDaneCzynChem->setObjectName(QStringLiteral("pDaneCzynChem"));
    auto *outer = new QVBoxLayout(pDaneCzynChem);
    outer->setContentsMargins(0, 0, 0, 0);
    // Everything scrolls together, so the groups stay within reach in a small window.
    m_scroll = new QScrollArea(pDaneCzynChem);
    m_scroll->setObjectName(QStringLiteral("scDaneCzynChem"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(m_scroll);
    auto *content = new QWidget;
    m_scroll->setWidget(content);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);

    Panel4 = new QWidget(content);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setMinimumSize(366, 208);
    auto *details = new QFormLayout(Panel4);
    details->setContentsMargins(0, 0, 0, 0);
    mmNazwCzyn = new QPlainTextEdit(Panel4);
    mmNazwCzyn->setObjectName(QStringLiteral("mmNazwCzyn"));
    mmNazwCzyn->setReadOnly(true);
    mmNazwCzyn->setFixedHeight(56);
    details->addRow(QStringLiteral("Pełna nazwa:"), mmNazwCzyn);
    eNrCas = readOnlyEdit(Panel4, "eNrCas");
    details->addRow(QStringLiteral("Numer CAS"), eNrCas);
    auto *limits = new QGroupBox(QStringLiteral("Wartości dopuszczalne:"), Panel4);
    limits->setObjectName(QStringLiteral("gbWartDop"));
    auto *limitRow = new QHBoxLayout(limits);
    eNDSDop = readOnlyEdit(limits, "eNDSDop");
    eNDSChDop = readOnlyEdit(limits, "eNDSChDop");
    eNDSPDop = readOnlyEdit(limits, "eNDSPDop");
    for (auto [caption, edit] : {std::pair{"NDS :", eNDSDop}, std::pair{"NDSCh :", eNDSChDop},
                                 std::pair{"NDSP : ", eNDSPDop}}) {
        limitRow->addWidget(new QLabel(QString::fromUtf8(caption), limits));
        limitRow->addWidget(edit, 1);
    }
    details->addRow(limits);
    eZwrotyH = readOnlyEdit(Panel4, "eZwrotyH");
    details->addRow(QStringLiteral("Zwroty H"), eZwrotyH);
    layout->addWidget(Panel4);

    cbKlasCLP = new QCheckBox(QStringLiteral("sklasyfikowane wg CLP"), content);
    cbKlasCLP->setObjectName(QStringLiteral("cbKlasCLP"));
    cbKlasCLP->setToolTip(QStringLiteral("Grupy wybranego czynnika zaznaczono niebieską czcionką"));
    cbKlasCLP->setChecked(true);
    layout->addWidget(cbKlasCLP);

    Panel1 = new QGroupBox(QStringLiteral("Grupy czynników chemicznych "), content);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new QGroupBox(QStringLiteral("Grupy czynników chemicznych wg CLP "), content);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *grid1 = new QGridLayout(Panel1);
    auto *grid2 = new QGridLayout(Panel2);
    int n1 = 0, n2 = 0;
    for (const BoxDefinition &d : kBoxes) {
        QGroupBox *panel = d.clpPanel ? Panel2 : Panel1;
        auto *box = new QCheckBox(QString::fromUtf8(d.caption), panel);
        box->setObjectName(QLatin1String(d.name));
        int &n = d.clpPanel ? n2 : n1;
        const int perColumn = d.clpPanel ? 11 : 8;
        (d.clpPanel ? grid2 : grid1)->addWidget(box, n % perColumn, n / perColumn);
        ++n;
        m_boxes.push_back({box, d.clpPanel, d.typBit, d.bit});
        connect(box, &QCheckBox::toggled, this, [this, box](bool) { CheckBoxClick(box); });
    }
    bPokaz = new QPushButton(QStringLiteral("Pokaż"), Panel1);
    bPokaz->setObjectName(QStringLiteral("bPokaz"));
    bPokaz->setToolTip(kShowHint);
    grid1->addWidget(bPokaz, 8, 0, 1, 2, Qt::AlignRight);
    BitBtn1 = new QPushButton(QStringLiteral("Pokaż"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(kShowHint);
    grid2->addWidget(BitBtn1, 11, 0, 1, 2, Qt::AlignRight);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    Panel1->hide();

    auto *search = new QHBoxLayout;
    auto *lSzuk = new QLabel(QStringLiteral("Nazwa lub numer CAS:"), content);
    edSzukStr = new QLineEdit(content);
    edSzukStr->setObjectName(QStringLiteral("edSzukStr"));
    lSzuk->setBuddy(edSzukStr);
    bbSzukaj = new QPushButton(QStringLiteral("Szukaj"), content);
    bbSzukaj->setObjectName(QStringLiteral("bbSzukaj"));
    bbSzukaj->setToolTip(QStringLiteral("Szukaj czynników zawierających w nazwie lub numerze CAS podany ciąg znaków"));
    search->addWidget(lSzuk);
    search->addWidget(edSzukStr, 1);
    search->addWidget(bbSzukaj);
    layout->addLayout(search);
    layout->addStretch(1);

    connect(cbKlasCLP, &QCheckBox::toggled, this, [this](bool) { cbKlasCLPClick(); });
    connect(bPokaz, &QPushButton::clicked, this, [this] { bPokazClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { bPokazClick(); });
    connect(bbSzukaj, &QPushButton::clicked, this, [this] { bbSzukajClick(); });
    connect(edSzukStr, &QLineEdit::returnPressed, this, [this] { bbSzukajClick(); });

    widgets::RestoreFormGeometry(this);
}

TfrmZwChem::~TfrmZwChem()
{
    widgets::SaveFormGeometry(this, Panel4);
}

QCheckBox *TfrmZwChem::Box(const QString &name) const
{
    for (const BoxEntry &e : m_boxes)
        if (e.box->objectName() == name)
            return e.box;
    return nullptr;
}

int TfrmZwChem::FittingWidth() const
{
    // The groups may still need the vertical scroll bar in a low window.
    const QMargins outer = pDaneCzynChem->layout()->contentsMargins();
    return m_scroll->widget()->minimumSizeHint().width() + m_scroll->verticalScrollBar()->sizeHint().width() +
           2 * m_scroll->frameWidth() + outer.left() + outer.right();
}

void TfrmZwChem::lbNazwCzChemClick()
{
    showEntry(Target() ? dynamic_cast<const storage::TCzynChem *>(Target()->Selected()) : nullptr);
}

void TfrmZwChem::showEntry(const storage::TCzynChem *entry)
{
    if (!entry) {
        // Nothing chosen (a filter that found nothing): no details of a substance that is
        // no longer listed.
        for (QLineEdit *e : {eNrCas, eNDSDop, eNDSChDop, eNDSPDop, eZwrotyH})
            e->clear();
        mmNazwCzyn->clear();
        m_typ = 0;
        m_typh = 0;
        colourBoxes(0, 0);
        return;
    }
    const auto blankNone = [](const QString &v) { return v == QLatin1String("-1") ? QString() : v; };
    mmNazwCzyn->setPlainText(entry->nazwa);
    eNDSDop->setText(entry->nds); // shown as stored, "-1" included
    eNDSChDop->setText(blankNone(entry->ndsch));
    eNDSPDop->setText(blankNone(entry->ndsp));
    eNrCas->setText(entry->nrcas);
    eZwrotyH->setText(entry->zwroth);
    m_typ = entry->typ;
    m_typh = entry->typh;
    colourBoxes(m_typ, m_typh);
    cbKlasCLP->setChecked(entry->typh >= 0); // a change runs its handler
    Panel2->setVisible(entry->typh >= 0);
    Panel1->setVisible(entry->typh < 0);
}

void TfrmZwChem::colourBoxes(int typ, int typh)
{
    const qint64 clp = typh < 0 ? 0 : typh;
    for (const BoxEntry &e : m_boxes) {
        const qint64 bits = e.typBit ? typ : clp;
        SetGroupMarked(e.box, (bits >> e.bit) & 1);
    }
}

void TfrmZwChem::setClpMode(bool clp)
{
    m_clp = clp;
    Panel2->setVisible(clp);
    Panel1->setVisible(!clp);
    for (const BoxEntry &e : m_boxes) {
        if (e.clpPanel == clp)
            continue;
        const QSignalBlocker block(e.box);
        e.box->setChecked(false);
    }
    m_oldMask = 0;
    m_newMask = 0;
}

void TfrmZwChem::cbKlasCLPClick()
{
    setClpMode(cbKlasCLP->isChecked());
}

void TfrmZwChem::CheckBoxClick(QCheckBox *box)
{
    for (const BoxEntry &e : m_boxes) {
        if (e.box != box)
            continue;
        // Only the boxes of the panel shown filter; the two CLP boxes tied to `typ` bits
        // set those in the hazard-group mask.
        if (e.clpPanel != m_clp)
            return;
        qint64 &mask = e.typBit ? m_oldMask : m_newMask;
        if (box->isChecked())
            mask |= qint64(1) << e.bit;
        else
            mask &= ~(qint64(1) << e.bit);
        return;
    }
}

void TfrmZwChem::reread(const QString &search)
{
    if (!Target())
        return;
    storage::ChemicalFilter filter;
    filter.oldMask = m_oldMask;
    filter.newMask = m_newMask;
    filter.search = search;
    filter.currentOnly = Target()->CurrentOnly;
    filter.clp = m_clp;
    Refill([&] { return AsFactorList(storage::ReadChemicalCatalogue(CataloguePath(), filter)); });
}

void TfrmZwChem::bPokazClick()
{
    edSzukStr->clear();
    reread(QString());
}

void TfrmZwChem::ClearFilters()
{
    edSzukStr->clear();
    for (const BoxEntry &e : m_boxes) {
        const QSignalBlocker block(e.box);
        e.box->setChecked(false);
    }
    m_oldMask = 0;
    m_newMask = 0;
}

void TfrmZwChem::bbSzukajClick()
{
    reread(edSzukStr->text());
}

TfrmZwChem *frmZwChem()
{
    static QPointer<TfrmZwChem> slot;
    return platform::WindowSingleton(slot);
}

} // namespace workstations
