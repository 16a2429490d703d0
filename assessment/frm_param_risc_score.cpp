#include "assessment/frm_param_risc_score.h"

#include "appstate/appstate.h"
#include "assessment/rules/risk_score_sets.h"
#include "platform/cp1250.h"
#include "platform/prompter.h"
#include "storage/formatting.h"
#include "storage/risk_score_files.h"
#include "storage/text_xml.h"
#include "widgets/bitbtn_with_color.h"
#include "widgets/field_binding.h"
#include "widgets/form_geometry.h"
#include "widgets/grid_keys.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include <cmath>

namespace assessment {

namespace {

using CellKind = TfrmParamRiscScore::CellKind;

const QString Caption = QStringLiteral("Parametry metody Risk score");
constexpr int HelpContext = 9150;

const QColor EditColor(0xFF, 0xFF, 0xDF);
const QColor ViewColor(0xF3, 0xF3, 0xF3);
const QColor SmallColor(0xAC, 0xFA, 0x92);
const QColor MediumColor(0xFF, 0xFF, 0xB3);
const QColor LargeColor(0xFF, 0x77, 0x77);

RiskScoreEditorRunner &runner()
{
    static RiskScoreEditorRunner r;
    return r;
}

// The key filter on the editor of a cell. It compares an edit with the text the editor held
// before it, which it follows itself: while an edit is validated the editor already shows it.
class CellValidator : public QValidator
{
public:
    CellValidator(CellKind kind, QLineEdit *edit) : QValidator(edit), m_kind(kind)
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_before = text; });
    }
    State validate(QString &input, int &) const override
    {
        if (m_kind == CellKind::Number)
            input.replace(QLatin1Char(','), QLatin1Char('.'));
        return TfrmParamRiscScore::CellEditAllowed(m_kind, m_before, input) ? Acceptable : Invalid;
    }

private:
    CellKind m_kind;
    QString m_before;
};

// Edits the cells of one grid by the kind of their column; column 3 of the band grids is
// filled with the colour of its code or risk level.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(std::vector<CellKind> kinds, std::function<QColor(const QString &)> colour, QObject *parent)
        : QStyledItemDelegate(parent), m_kinds(std::move(kinds)), m_colour(std::move(colour))
    {
    }
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const auto col = std::size_t(index.column());
        const CellKind kind = col < m_kinds.size() ? m_kinds[col] : CellKind::Fixed;
        if (kind == CellKind::Fixed)
            return nullptr;
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setValidator(new CellValidator(kind, edit));
        // The files' widths; what does not fit is told, naming the table and the column.
        const int limit = kind == CellKind::Text32   ? 32
                          : kind == CellKind::Text64 ? 64
                          : kind == CellKind::Code   ? 2
                                                     : 0;
        if (auto *grid = qobject_cast<QTableWidget *>(QStyledItemDelegate::parent())) {
            const QTableWidgetItem *title = grid->horizontalHeaderItem(index.column());
            widgets::SetEditMaxLength(edit, limit,
                                      grid->property("tableCaption").toString() + QStringLiteral(" – ") +
                                          (title ? title->text() : QString()));
        }
        return edit;
    }
    // A text longer than its column shows whole as the cell's tooltip.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        const QString text = index.data().toString();
        if (event->type() == QEvent::ToolTip && !text.isEmpty() &&
            option.fontMetrics.horizontalAdvance(text) + 6 > option.rect.width()) {
            QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!m_colour || index.column() != 3) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QString text = index.data().toString();
        painter->fillRect(option.rect, m_colour(text));
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    }

private:
    std::vector<CellKind> m_kinds;
    std::function<QColor(const QString &)> m_colour;
};

QTableWidget *makeGrid(QWidget *parent, const QString &name, const QStringList &titles, const QList<int> &widths,
                       std::vector<CellKind> kinds, std::function<QColor(const QString &)> colour = {})
{
    auto *grid = new QTableWidget(1, int(titles.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(titles);
    for (int i = 0; i < widths.size(); ++i)
        grid->setColumnWidth(i, widths[i]);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setItemDelegate(new CellDelegate(std::move(kinds), std::move(colour), grid));
    return grid;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// A small picture on the olive the buttons take as transparent.
QPixmap signGlyph(bool plus)
{
    QPixmap pm(16, 16);
    pm.fill(QColor(0x80, 0x80, 0x00));
    QPainter p(&pm);
    const QColor colour = plus ? QColor(0x00, 0x80, 0x00) : QColor(0xC0, 0x00, 0x00);
    p.fillRect(3, 7, 10, 2, colour);
    if (plus)
        p.fillRect(7, 3, 2, 10, colour);
    return pm;
}

widgets::TBitBtnWithColor *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new widgets::TBitBtnWithColor(parent);
    b->setObjectName(name);
    b->setText(text);
    b->SetColor(b->palette().color(QPalette::Button));
    b->setMinimumHeight(25);
    return b;
}

// A number of a cell: "." or "," as separator, nothing else; in single precision, as stored.
bool cellNumber(const QString &text, float &value)
{
    double d = 0;
    if (!storage::TryToDouble(QString(text).replace(QLatin1Char(','), QLatin1Char('.')), d))
        return false;
    value = static_cast<float>(d);
    return std::isfinite(value);
}

bool validCode(int code)
{
    return code == 10 || code == 20 || code == 30 || code == 40;
}

void showPlain(const QString &text)
{
    platform::MessageBox(text, QString(), platform::MsgIcon::None, platform::MsgOk);
}

} // namespace

// ---- Cells ---------------------------------------------------------------------------------

QString TfrmParamRiscScore::Cell(const QTableWidget *grid, int row, int col)
{
    const QTableWidgetItem *item = grid->item(row - 1, col);
    return item ? item->text() : QString();
}

int TfrmParamRiscScore::DataRows(const QTableWidget *grid)
{
    return grid->rowCount();
}

void TfrmParamRiscScore::setCell(QTableWidget *grid, int row, int col, const QString &text)
{
    QTableWidgetItem *item = grid->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        if (col == 0)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        if (col == 0 && grid == strGrIntWskRyz)
            item->setBackground(palette().color(QPalette::Button));
        grid->setItem(row - 1, col, item);
    }
    item->setText(text);
}

void TfrmParamRiscScore::setDataRows(QTableWidget *grid, int rows)
{
    grid->setRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            if (!grid->item(r - 1, c))
                setCell(grid, r, c, QString());
        }
    }
}

QColor TfrmParamRiscScore::CodeCellColor(const QString &code)
{
    switch (code.trimmed().toInt()) {
    case 10:
        return SmallColor;
    case 20:
        return MediumColor;
    case 30:
    case 40:
        return LargeColor;
    default:
        return EditColor;
    }
}

QColor TfrmParamRiscScore::LevelCellColor(const QString &levelName)
{
    for (int code : {10, 20, 30, 40}) {
        if (levelName == storage::RiskLevelName(code))
            return CodeCellColor(QString::number(code));
    }
    return EditColor;
}

bool TfrmParamRiscScore::CellEditAllowed(CellKind kind, const QString &before, const QString &edited)
{
    if (kind == CellKind::Fixed)
        return false;
    // What the edit put in: edited without the start and end it shares with before.
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < edited.size() && before[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < edited.size() - prefix &&
           before[before.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const QString inserted = edited.mid(prefix, edited.size() - prefix - suffix);
    for (const QChar c : inserted) {
        bool ok = false;
        switch (kind) {
        case CellKind::Number:
            ok = c.isDigit() || c == QLatin1Char('.');
            break;
        case CellKind::Code:
            ok = c >= QLatin1Char('0') && c <= QLatin1Char('4');
            break;
        default:
            // Quotes and angle brackets would break the parameter files and the choice lists
            // read from them; a character outside the code page would come back as "?".
            ok = c.isPrint() && c != QLatin1Char('"') && c != QLatin1Char('<') && c != QLatin1Char('>') &&
                 platform::FitsCp1250(QString(c));
            break;
        }
        if (!ok)
            return false;
    }
    // The files' one escape: "&quot;" typed as it stands would read back as a quote.
    static const QLatin1String quoteEscape("&quot;");
    if (edited.count(quoteEscape) > before.count(quoteEscape))
        return false;
    const int limit = kind == CellKind::Text32 ? 32 : kind == CellKind::Text64 ? 64 : kind == CellKind::Code ? 2 : -1;
    return limit < 0 || edited.size() <= limit || edited.size() <= before.size();
}

// ---- Window --------------------------------------------------------------------------------

TfrmParamRiscScore::TfrmParamRiscScore(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmParamRiscScore"));
    setWindowTitle(Caption);
    setProperty("helpContext", HelpContext);
    // The column widths were laid out for an 8-point sans-serif at 96 dots per inch.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    setFont(f);
    resize(840, 690);
    buildGrids();
    widgets::RestoreFormGeometry(this);
}

TfrmParamRiscScore::~TfrmParamRiscScore()
{
    widgets::SaveFormGeometry(this);
    // Hidden while it is still whole: hiding moves the focus, which commits a cell being
    // edited, and the grids' change handlers reach into this window.
    hide();
}

void TfrmParamRiscScore::buildGrids()
{
    auto *root = new QVBoxLayout(this);

    pTop = new QWidget(this);
    pTop->setObjectName(QStringLiteral("pTop"));
    auto *top = new QHBoxLayout(pTop);
    top->setContentsMargins(0, 0, 0, 0);
    lIloscCzynChem = new QLabel(QStringLiteral("Wersja metody Risc Score :"), pTop);
    lIloscCzynChem->setObjectName(QStringLiteral("lIloscCzynChem"));
    lIloscCzynChem->hide();
    cbWersja = new QComboBox(pTop);
    cbWersja->setObjectName(QStringLiteral("cbWersja"));
    cbWersja->hide();
    bEdytuj = button(QStringLiteral("bEdytuj"), QStringLiteral("Edytuj"), pTop);
    bZapisz = button(QStringLiteral("bZapisz"), QStringLiteral("Zapisz / Ustaw bieżącą"), pTop);
    top->addWidget(lIloscCzynChem);
    top->addWidget(cbWersja);
    top->addWidget(bEdytuj);
    top->addWidget(bZapisz);
    top->addStretch();
    root->addWidget(pTop);

    const std::vector<CellKind> pe = {CellKind::Fixed, CellKind::Text32, CellKind::Text64, CellKind::Number};
    strGrPrawd =
        makeGrid(this, QStringLiteral("strGrPrawd"), {"Nr", "Opis", "Szansa", "Wart. P"}, {20, 190, 190, 40}, pe);
    strGrEksp =
        makeGrid(this, QStringLiteral("strGrEksp"), {"Nr", "Opis", "Częstotliwość", "Wart. E"}, {20, 190, 190, 40}, pe);
    strGrSkut = makeGrid(this, QStringLiteral("strGrSkut"),
                         {"Nr", "Opis", "Straty ludzkie", "Straty materialne", "Wart. S"}, {20, 100, 170, 110, 40},
                         {CellKind::Fixed, CellKind::Text32, CellKind::Text64, CellKind::Text64, CellKind::Number});
    strGrWskRyz = makeGrid(this, QStringLiteral("strGrWskRyz"), {"Nr", "Opis", "Wart. R [minimum]", "Ryzyko Tarvelin"},
                           {20, 80, 90, 87}, {CellKind::Fixed, CellKind::Text32, CellKind::Number, CellKind::Code},
                           &TfrmParamRiscScore::CodeCellColor);
    strGrIntWskRyz = makeGrid(this, QStringLiteral("strGrIntWskRyz"), {"Nr", "Opis", "Wartość R", "Ryzyko Tarvelin"},
                              {20, 80, 90, 87}, {}, &TfrmParamRiscScore::LevelCellColor);
    strGrIntWskRyz->setEnabled(false);
    // Disabled only against editing: it stays as readable as the grid it explains.
    QPalette readable = strGrIntWskRyz->palette();
    readable.setColor(QPalette::Disabled, QPalette::Text, readable.color(QPalette::Active, QPalette::Text));
    strGrIntWskRyz->setPalette(readable);
    strGrIntWskRyz->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    struct TableSpec
    {
        QTableWidget *grid;
        const char *title;
        const char *add;
        const char *remove;
        widgets::TBitBtnWithColor **addButton;
        widgets::TBitBtnWithColor **removeButton;
    };
    const TableSpec tables[] = {
        {strGrPrawd, "Prawdopodobieństwo [P]", "bbDodPrawd", "bbUsunPrawd", &bbDodPrawd, &bbUsunPrawd},
        {strGrEksp, "Ekspozycja [E]", "bbDodEksp", "bbUsunEksp", &bbDodEksp, &bbUsunEksp},
        {strGrSkut, "Skutki [S]", "bbDodSkut", "bbUsunSkut", &bbDodSkut, &bbUsunSkut},
    };
    strGrWskRyz->setProperty("tableCaption", QStringLiteral("Wskaźnik ryzyka [R]"));
    for (const TableSpec &t : tables) {
        t.grid->setProperty("tableCaption", QString::fromUtf8(t.title));
        left->addWidget(caption(QString::fromUtf8(t.title), this));
        auto *row = new QHBoxLayout;
        row->addWidget(t.grid, 1);
        auto *buttons = new QVBoxLayout;
        *t.addButton = button(QString::fromLatin1(t.add), QString(), this);
        (*t.addButton)->SetGlyph(signGlyph(true));
        (*t.addButton)->setToolTip(QStringLiteral("Dodaj"));
        *t.removeButton = button(QString::fromLatin1(t.remove), QString(), this);
        (*t.removeButton)->SetGlyph(signGlyph(false));
        (*t.removeButton)->setToolTip(QStringLiteral("Usuń"));
        for (auto *b : {*t.addButton, *t.removeButton}) {
            b->setFixedSize(25, 25);
            buttons->addWidget(b);
        }
        buttons->addStretch();
        row->addLayout(buttons);
        left->addLayout(row);
        QTableWidget *grid = t.grid;
        connect(*t.addButton, &widgets::TBitBtnWithColor::OnClick, this, [this, grid] { AddRow(grid); });
        connect(*t.removeButton, &widgets::TBitBtnWithColor::OnClick, this, [this, grid] { RemoveRow(grid); });
        widgets::InstallGridKeys(grid, {*t.addButton, *t.removeButton, {}});
    }
    widgets::InstallGridKeys(strGrWskRyz);
    widgets::InstallGridKeys(strGrIntWskRyz);
    for (QTableWidget *grid : {strGrPrawd, strGrEksp, strGrSkut, strGrWskRyz})
        connect(grid, &QTableWidget::itemChanged, this, [this] {
            if (!m_filling)
                m_unsaved = true;
        });
    right->addWidget(caption(QStringLiteral("Wskaźnik ryzyka [R]"), this));
    right->addWidget(strGrWskRyz);
    right->addWidget(caption(QStringLiteral("Interpretacja wskaźnika ryzyka [R]"), this));
    right->addWidget(strGrIntWskRyz);
    right->addStretch();
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    root->addLayout(columns, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bZamknij = button(QStringLiteral("bZamknij"), QStringLiteral("Zamknij"), this);
    bottom->addWidget(bZamknij);
    root->addLayout(bottom);

    connect(cbWersja, &QComboBox::currentIndexChanged, this, [this] { cbWersjaChange(); });
    connect(bEdytuj, &widgets::TBitBtnWithColor::OnClick, this, &TfrmParamRiscScore::bEdytujClick);
    connect(bZapisz, &widgets::TBitBtnWithColor::OnClick, this, &TfrmParamRiscScore::bZapiszClick);
    connect(bZamknij, &widgets::TBitBtnWithColor::OnClick, this, &QWidget::close);
    connect(strGrWskRyz, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!m_filling)
            onBandCellChanged(item->row(), item->column());
    });
    // Columns widened in the band grid widen the interpretation grid alike.
    connect(strGrWskRyz->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int index, int, int size) { strGrIntWskRyz->setColumnWidth(index, size); });
    TrybEdycji(false);
}

void TfrmParamRiscScore::ShowParameters(quint16 version)
{
    Inicjuj(version);
    if (version != 0) {
        show();
        return;
    }
    if (runner())
        runner()(*this);
    else
        exec();
}

void TfrmParamRiscScore::Inicjuj(quint16 version)
{
    {
        QSignalBlocker block(cbWersja);
        cbWersja->clear();
    }
    m_sets.clear();
    storage::TRiskScoreReadResult read = storage::ReadRiskScore(version);
    for (const storage::TRiskScoreFileProblem &p : read.Problems)
        platform::ShowWarning(storage::RiskScoreProblemText(p));
    m_sets.push_back(std::make_unique<storage::TRiskScore>(std::move(read.Set)));
    {
        QSignalBlocker block(cbWersja);
        cbWersja->addItem(QString::number(version));
    }
    if (version != 0) {
        setWindowTitle(QStringLiteral("Parametry metody Risk score w wersji: ") + QString::number(version));
        pTop->hide();
    } else {
        setWindowTitle(Caption);
        pTop->show();
    }
    {
        QSignalBlocker block(cbWersja);
        cbWersja->setCurrentIndex(version != 0 ? 0 : cbWersja->count() - 1);
    }
    bEdytuj->hide();
    cbWersjaChange();
}

void TfrmParamRiscScore::cbWersjaChange()
{
    CzyscPola();
    PokazParam(cbWersja->currentIndex() + 1);
    bEdytuj->setVisible(cbWersja->count() > 0 && cbWersja->currentIndex() == cbWersja->count() - 1);
    TrybEdycji(false);
}

void TfrmParamRiscScore::CzyscPola()
{
    m_filling = true;
    for (QTableWidget *grid : {strGrPrawd, strGrEksp, strGrSkut, strGrWskRyz, strGrIntWskRyz}) {
        grid->setRowCount(0);
        setDataRows(grid, 1);
        setCell(grid, 1, 0, QStringLiteral("1"));
    }
    m_filling = false;
}

void TfrmParamRiscScore::setRangeText(int row)
{
    const int last = DataRows(strGrWskRyz);
    QString text;
    if (row == 1)
        text = QStringLiteral("Poniżej ") + Cell(strGrWskRyz, 2, 2);
    else if (row == last)
        text = QStringLiteral("Powyżej ") + Cell(strGrWskRyz, last, 2);
    else
        text = Cell(strGrWskRyz, row, 2) + QStringLiteral(" - ") + Cell(strGrWskRyz, row + 1, 2);
    setCell(strGrIntWskRyz, row, 2, text);
}

void TfrmParamRiscScore::PokazParam(int n)
{
    if (n < 1 || n > int(m_sets.size()))
        return;
    const storage::TRiskScore &set = *m_sets[std::size_t(n - 1)];
    m_filling = true;
    setDataRows(strGrWskRyz, storage::TRiskScore::BandCount);
    setDataRows(strGrIntWskRyz, storage::TRiskScore::BandCount);
    for (int i = 1; i <= storage::TRiskScore::BandCount; ++i) {
        const auto b = std::size_t(i - 1);
        setCell(strGrWskRyz, i, 0, QString::number(i));
        setCell(strGrWskRyz, i, 1, set.Opis[b]);
        // Shown in full, as stored: a rounded text would be saved back rounded.
        setCell(strGrWskRyz, i, 2, storage::RiskScoreValueText(set.Ryzyko[b]));
        setCell(strGrWskRyz, i, 3, QString::number(set.SterRyz[b]));
        setCell(strGrIntWskRyz, i, 0, QString::number(i));
        setCell(strGrIntWskRyz, i, 1, set.Opis[b]);
        setCell(strGrIntWskRyz, i, 3, storage::RiskLevelName(set.SterRyz[b]));
    }
    for (int i = 1; i <= storage::TRiskScore::BandCount; ++i)
        setRangeText(i);

    int counts[3] = {0, 0, 0};
    for (const storage::TRiskScoreParam &p : set.Params) {
        if (p.Typ < storage::RiskScoreProbability || p.Typ > storage::RiskScoreConsequences)
            continue;
        QTableWidget *grid = p.Typ == storage::RiskScoreProbability ? strGrPrawd
                             : p.Typ == storage::RiskScoreExposure  ? strGrEksp
                                                                    : strGrSkut;
        const int row = ++counts[p.Typ - 1];
        setDataRows(grid, std::max(row, DataRows(grid)));
        setCell(grid, row, 0, QString::number(row));
        setCell(grid, row, 1, p.OpisPodst);
        setCell(grid, row, 2, p.OpisUszcz1);
        if (grid == strGrSkut)
            setCell(grid, row, 3, p.OpisUszcz2);
        setCell(grid, row, grid->columnCount() - 1, storage::RiskScoreValueText(p.Wartosc));
    }
    m_filling = false;
    fitDescriptions();
}

void TfrmParamRiscScore::fitDescriptions()
{
    // The descriptions are as long as their files allow (32 characters): their columns take
    // the width the longest one needs, never less than laid out.
    const struct
    {
        QTableWidget *grid;
        int width;
    } columns[] = {{strGrPrawd, 190}, {strGrEksp, 190}, {strGrSkut, 100}, {strGrWskRyz, 80}};
    for (const auto &c : columns) {
        c.grid->resizeColumnToContents(1);
        c.grid->setColumnWidth(1, std::min(std::max(c.width, c.grid->columnWidth(1)), 2 * c.width + 60));
    }
}

void TfrmParamRiscScore::TrybEdycji(bool on)
{
    for (QTableWidget *grid : {strGrPrawd, strGrEksp, strGrSkut, strGrWskRyz}) {
        grid->setEditTriggers(on ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
        QPalette pal = grid->palette();
        pal.setColor(QPalette::Base, on ? EditColor : ViewColor);
        grid->setPalette(pal);
    }
    for (auto *b : {bbDodPrawd, bbDodEksp, bbDodSkut, bbUsunPrawd, bbUsunEksp, bbUsunSkut, bZapisz})
        b->setVisible(on);
}

bool TfrmParamRiscScore::InEditMode() const
{
    return !bZapisz->isHidden();
}

const storage::TRiskScore *TfrmParamRiscScore::SelectedSet() const
{
    const int i = cbWersja->currentIndex();
    return i >= 0 && i < int(m_sets.size()) ? m_sets[std::size_t(i)].get() : nullptr;
}

void TfrmParamRiscScore::bEdytujClick()
{
    TrybEdycji(true);
    m_unsaved = true; // until saved, the close asks as the edit mode tells
}

// ---- Rows ------------------------------------------------------------------------------------

void TfrmParamRiscScore::renumber(QTableWidget *grid)
{
    for (int r = 1; r <= DataRows(grid); ++r)
        setCell(grid, r, 0, QString::number(r));
}

void TfrmParamRiscScore::AddRow(QTableWidget *grid)
{
    int k = grid->currentRow() + 1;
    if (k < 1 || k > DataRows(grid))
        k = 1;
    m_filling = true;
    grid->insertRow(k - 1);
    setDataRows(grid, DataRows(grid));
    renumber(grid);
    m_filling = false;
    m_unsaved = true;
    grid->setCurrentCell(k - 1, std::max(1, grid->currentColumn()));
}

void TfrmParamRiscScore::RemoveRow(QTableWidget *grid)
{
    int k = grid->currentRow() + 1;
    if (k < 1 || k > DataRows(grid))
        k = 1;
    m_filling = true;
    if (DataRows(grid) > 1) {
        grid->removeRow(k - 1);
    } else {
        for (int c = 1; c < grid->columnCount(); ++c)
            setCell(grid, 1, c, QString());
    }
    renumber(grid);
    m_filling = false;
    m_unsaved = true;
}

// ---- Band grid edits -------------------------------------------------------------------------

void TfrmParamRiscScore::onBandCellChanged(int tableRow, int col)
{
    strGrWskRyzSetEditText(col, tableRow + 1, Cell(strGrWskRyz, tableRow + 1, col));
}

void TfrmParamRiscScore::strGrWskRyzSetEditText(int col, int row, const QString &text)
{
    if (row < 1 || row > DataRows(strGrWskRyz))
        return;
    m_filling = true;
    if (col == 3 && text.size() == 2) {
        const int code = text.toInt();
        if (validCode(code)) {
            setCell(strGrIntWskRyz, row, 3, storage::RiskLevelName(code));
        } else {
            // Told once the edit is over: a message box in the middle of committing a cell
            // would take the focus from the editor being closed.
            QPointer<TfrmParamRiscScore> self(this);
            QTimer::singleShot(0, this, [self, row, text] {
                if (!self)
                    return;
                platform::ShowWarning(QStringLiteral("Niepoprawna wartość liczbowa !"));
                if (Cell(self->strGrWskRyz, row, 3) == text) {
                    self->m_filling = true;
                    self->setCell(self->strGrWskRyz, row, 3, QString());
                    self->m_filling = false;
                }
                self->strGrWskRyz->setCurrentCell(row - 1, 3);
                self->strGrWskRyz->setFocus();
            });
        }
    } else if (col == 2 && !text.isEmpty() && row > 1) {
        setRangeText(row - 1);
        setRangeText(row);
    } else if (col == 1 && !text.isEmpty()) {
        setCell(strGrIntWskRyz, row, 1, text);
    }
    m_filling = false;
}

// ---- Validation and saving ---------------------------------------------------------------------

bool TfrmParamRiscScore::checkTable(const QTableWidget *grid, int valueCol, const QString &numberMessage,
                                    const QString &orderMessage)
{
    float previous = 0;
    for (int r = 1; r <= DataRows(grid); ++r) {
        float value = 0;
        if (!cellNumber(Cell(grid, r, valueCol), value)) {
            showPlain(numberMessage);
            return false;
        }
        if (r > 1 && !(value > previous)) {
            showPlain(orderMessage);
            return false;
        }
        previous = value;
    }
    return true;
}

bool TfrmParamRiscScore::SprPoprDanych()
{
    if (!checkTable(strGrPrawd, 3, QStringLiteral("Niepoprawna wartość liczbowa w tabeli Prawdopodobieństwo [P] !"),
                    QStringLiteral("Niepoprawne zależności między kolejnymi wartościami w tabeli "
                                   "Prawdopodobieństwo [P] !")))
        return false;
    if (!checkTable(strGrEksp, 3, QStringLiteral("Niepoprawna wartość liczbowa w tabeli Ekspozycja [E] !"),
                    QStringLiteral("Niepoprawne zależności między kolejnymi wartościami w tabeli Ekspozycja [E] !")))
        return false;
    if (!checkTable(strGrSkut, 4, QStringLiteral("Niepoprawna wartość liczbowa tabeli Skutki [S] !"),
                    QStringLiteral("Niepoprawne zależności między kolejnymi wartościami w tabeli Skutki [S] !")))
        return false;

    const QString orderMessage =
        QStringLiteral("Niepoprawne zależności między kolejnymi wartościami w tabeli Wskaźnik ryzyka [R] !");
    const int rows = DataRows(strGrWskRyz);
    int found = 0; // 1 after a code 10, 2 after a 20 that follows, 3 after a 30 that follows
    for (int r = 1; r <= rows; ++r) {
        bool ok = false;
        const int code = Cell(strGrWskRyz, r, 3).trimmed().toInt(&ok);
        if (!ok || !validCode(code)) {
            showPlain(QStringLiteral("Niepoprawne wartości Ryzyka Tarvelin !"));
            return false;
        }
        if ((found == 0 && code == 10) || (found == 1 && code == 20) || (found == 2 && code == 30))
            ++found;
        if (r == rows)
            break;
        // A minimum that is no number cannot be ordered: it fails the order check.
        float minimum = 0;
        float nextMinimum = 0;
        bool nextOk = false;
        const int nextCode = Cell(strGrWskRyz, r + 1, 3).trimmed().toInt(&nextOk);
        if (!cellNumber(Cell(strGrWskRyz, r, 2), minimum) || !cellNumber(Cell(strGrWskRyz, r + 1, 2), nextMinimum) ||
            !(nextMinimum > minimum) || (nextOk && nextCode < code)) {
            showPlain(orderMessage);
            return false;
        }
    }
    if (found < 3) {
        showPlain(QStringLiteral("Nie wprowadzono wszystkich wymaganych wartości Ryzyka Tarvelin !"));
        return false;
    }
    return true;
}

void TfrmParamRiscScore::ZapiszToObiekt()
{
    if (m_sets.empty())
        return;
    int index = cbWersja->currentIndex();
    if (index < 0 || index >= int(m_sets.size()))
        index = int(m_sets.size()) - 1;
    const int total = DataRows(strGrPrawd) + DataRows(strGrEksp) + DataRows(strGrSkut);
    const auto wersja = quint16(index + 1);
    auto set = std::make_unique<storage::TRiskScore>(wersja, total);
    for (int i = 1; i <= storage::TRiskScore::BandCount; ++i) {
        const auto b = std::size_t(i - 1);
        set->Opis[b] = Cell(strGrWskRyz, i, 1);
        cellNumber(Cell(strGrWskRyz, i, 2), set->Ryzyko[b]);
        set->SterRyz[b] = quint16(std::max(0, Cell(strGrWskRyz, i, 3).trimmed().toInt()));
    }
    std::size_t next = 0;
    const struct
    {
        QTableWidget *grid;
        quint16 typ;
    } tables[] = {{strGrPrawd, storage::RiskScoreProbability},
                  {strGrEksp, storage::RiskScoreExposure},
                  {strGrSkut, storage::RiskScoreConsequences}};
    for (const auto &t : tables) {
        const int valueCol = t.grid->columnCount() - 1;
        const bool second = t.grid == strGrSkut;
        int skipped = 0;
        for (int r = 1; r <= DataRows(t.grid); ++r) {
            bool blank = true;
            for (int c = 1; c <= valueCol; ++c)
                blank = blank && Cell(t.grid, r, c).trimmed().isEmpty();
            if (blank) {
                ++skipped;
                continue;
            }
            storage::TRiskScoreParam &p = set->Params[next++];
            p.Typ = t.typ;
            p.NrPoz = quint16(std::max(0, Cell(t.grid, r, 0).toInt() - skipped));
            p.OpisPodst = Cell(t.grid, r, 1);
            p.OpisUszcz1 = Cell(t.grid, r, 2);
            p.OpisUszcz2 = second ? Cell(t.grid, r, 3) : QString();
            cellNumber(Cell(t.grid, r, valueCol), p.Wartosc);
        }
    }
    m_sets.erase(m_sets.begin() + index);
    m_sets.push_back(std::move(set));
    QSignalBlocker block(cbWersja);
    cbWersja->removeItem(index);
    cbWersja->addItem(QString::number(wersja));
    cbWersja->setCurrentIndex(cbWersja->count() - 1);
}

bool TfrmParamRiscScore::ZapiszDBObiekt()
{
    const storage::TRiskScore *set = SelectedSet();
    if (!set)
        return false;
    // All four files or none: the message names the file that stopped the save.
    return appstate::ReportStorageResult(storage::WriteRiskScore(*set));
}

void TfrmParamRiscScore::bZapiszClick()
{
    // A cell being edited belongs to what is saved: the button may be pressed without the
    // editor losing the focus (by its key, or from a program).
    commitOpenCells();
    if (!SprPoprDanych())
        return;
    ZapiszToObiekt();
    // Saved whole, the edit mode stays on with nothing left to lose on closing.
    m_unsaved = !ZapiszDBObiekt();
    // Ratings from here on read the parameters as they now stand in the files.
    ReloadRiskScoreSets();
}

void TfrmParamRiscScore::commitOpenCells()
{
    for (QTableWidget *grid : {strGrPrawd, strGrEksp, strGrSkut, strGrWskRyz})
        widgets::CommitOpenCellEditor(grid);
}

// ---- Closing -----------------------------------------------------------------------------------

void TfrmParamRiscScore::closeEvent(QCloseEvent *event)
{
    // A text still in a cell's editor is a change too: the window's close button takes no
    // focus, so the editor would otherwise be committed only after the question was skipped.
    if (InEditMode())
        commitOpenCells();
    if (InEditMode() && m_unsaved) {
        const int answer =
            platform::MessageBox(QStringLiteral("Włączono tryb edycji parametrów Risk score !!!\n"
                                                "Czy zamknąć formatkę bez zapisywania zmian parametrów ?"),
                                 Caption, platform::MsgIcon::Question, platform::MsgYes | platform::MsgNo);
        if (answer != platform::MsgYes) {
            event->ignore();
            return;
        }
    }
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

void TfrmParamRiscScore::reject()
{
    // Escape closes the way "Zamknij" does, asking first in edit mode.
    if (m_closing)
        QDialog::reject();
    else
        close();
}

// ---- Entry point ---------------------------------------------------------------------------------

void ShowRiskScoreParameters(QWidget *parent, quint16 version)
{
    if (version == 0) {
        TfrmParamRiscScore editor(parent);
        editor.ShowParameters(0);
        return;
    }
    auto *editor = new TfrmParamRiscScore(parent);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->ShowParameters(version);
}

void SetRiskScoreEditorRunner(RiskScoreEditorRunner runner_)
{
    runner() = std::move(runner_);
}

} // namespace assessment
