// The measurement pages laid out at run time from a form definition: tabs, scroll boxes,
// captions, inputs, separators.

#include "assessment/page_builder.h"

#include "assessment/measurement_pages.h"

#include "platform/paths.h"
#include "widgets/field_binding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace assessment {

namespace {

const char *const Hint = "Naciśnij TAB w celu opuszczenia pola edycyjnego";
constexpr int EditHeight = 21;
constexpr int ComboHeight = 21;
constexpr int CheckHeight = 17;
constexpr int ButtonSize = 17;
constexpr int DefaultMemoHeight = 89;

// Halves go to the even neighbour, as the layout has always been computed.
int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// Read-only inputs keep the colours users know: the light grey of a read-only edit and the
// grey of an inactive window border for memos and choice fields.
const QColor ReadOnlyEditColour(0xEB, 0xEB, 0xEB);
const QColor InactiveBorderColour(0xD4, 0xD0, 0xC8);

void paintBase(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

// A label that sizes itself to its text: at most maxWidth wide, as narrow as its widest
// wrapped line, as tall as its lines.
QSize autoSize(const QFont &font, const QString &text, int maxWidth)
{
    const QFontMetrics fm(font);
    const int width = std::max(maxWidth, 1);
    const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text);
    return {std::min(std::max(r.width(), text.isEmpty() ? 0 : 1), width), std::max(r.height(), fm.height())};
}

int wrappedHeight(const QFont &font, const QString &text, int width)
{
    const QFontMetrics fm(font);
    const QRect r = fm.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 20), Qt::TextWordWrap, text);
    return std::max(r.height(), fm.height());
}

bool knownKind(const QString &typ)
{
    static const QStringList kinds = {"page", "naglowek", "parametr", "form",  "edit",
                                      "memo", "combo",    "checkbox", "label", "tekst"};
    return kinds.contains(typ);
}

QFrame *bevel(QWidget *parent, const QString &name, QFrame::Shape shape, const QRect &geometry)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

} // namespace

// ---- TPageBuilder -------------------------------------------------------------------------

TPageBuilder::TPageBuilder(TMeasurementPages &pages, QTabWidget *pageControl, bool takeAccess, bool autoSizeHeaders)
    : m_pages(pages), m_pageControl(pageControl), m_takeAccess(takeAccess), m_autoSizeHeaders(autoSizeHeaders),
      m_baseFont(FieldFont()),
      m_boldFont(ParseFontStyle(QStringLiteral("bold"), m_baseFont)), m_glyph(choiceGlyph())
{
}

QIcon TPageBuilder::choiceGlyph()
{
    static QIcon fallback;
    QPixmap pm(platform::ToFilePath(QStringLiteral("dokum\\frm\\plusm.bmp")));
    if (!pm.isNull()) {
        // The bitmap's corner colour is its background.
        const QImage img = pm.toImage();
        pm.setMask(QBitmap::fromImage(img.createMaskFromColor(img.pixel(0, 0), Qt::MaskInColor)));
        return QIcon(pm);
    }
    if (fallback.isNull()) {
        QPixmap plus(11, 11);
        plus.fill(Qt::transparent);
        QPainter p(&plus);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(5, 1, 5, 9);
        p.drawLine(1, 5, 9, 5);
        p.end();
        fallback = QIcon(plus);
    }
    return fallback;
}

void TPageBuilder::SelectComboValue(QComboBox *combo, storage::TPomiar &item)
{
    QSignalBlocker block(combo);
    bool isIndex = false;
    const int index = item.Value.toInt(&isIndex);
    if (isIndex && index < 0) {
        combo->setCurrentIndex(-1);
        item.Value.clear();
        return;
    }
    if (isIndex && index < combo->count()) {
        // Definitions give item indexes as defaults; from here on the item holds the text.
        combo->setCurrentIndex(index);
        item.Value = combo->itemText(index);
        return;
    }
    const int match = isIndex ? -1 : combo->findText(item.Value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0) {
        combo->setCurrentIndex(match);
        return;
    }
    combo->setCurrentIndex(-1);
    if (!item.Value.isEmpty()) {
        // A stored choice that the list no longer offers is shown as stored and cannot be
        // changed by accident; it is saved back unchanged.
        combo->setEditable(true);
        combo->setEditText(item.Value);
        combo->setEnabled(false);
    }
}

QFont TPageBuilder::FieldFont()
{
    // The forms were laid out for an 8-point sans-serif at 96 dots per inch; the
    // metric-compatible face at that pixel size keeps the auto-sized captions as designed.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

Qt::Alignment TPageBuilder::ParseAlignment(const QString &text)
{
    if (text == QLatin1String("left"))
        return Qt::AlignLeft;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignHCenter;
}

QFont TPageBuilder::ParseFontStyle(const QString &text, const QFont &base)
{
    QFont f = base;
    f.setBold(text.contains(QLatin1String("bold")));
    f.setItalic(text.contains(QLatin1String("italic")));
    f.setUnderline(text.contains(QLatin1String("underline")));
    return f;
}

void TPageBuilder::place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(left, top, width, height);
    m_extent = m_extent.expandedTo(QSize(left + width, top + height));
}

void TPageBuilder::applyAccess(QWidget *w, const storage::TPomiar &item) const
{
    w->setEnabled(m_takeAccess ? item.enabled : false);
    w->setProperty("accessEnabled", m_takeAccess);
}

void TPageBuilder::finishPage()
{
    if (m_content)
        m_content->resize(m_extent.width() + 10, m_extent.height() + 10);
    m_extent = QSize();
}

void TPageBuilder::startPage(const storage::TPomiar &item)
{
    finishPage();
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("ts_") + QString::number(item.PageNr()));
    m_pageControl->addTab(tab, item.PageName());
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(tab);
    scroll->setObjectName(QStringLiteral("sc_") + QString::number(item.PageNr()));
    scroll->setWidgetResizable(false);
    scroll->setFocusPolicy(Qt::NoFocus);
    tabLayout->addWidget(scroll);
    m_content = new QWidget;
    m_content->setObjectName(scroll->objectName() + QStringLiteral("_obszar"));
    m_content->setAutoFillBackground(true);
    QPalette pal = m_content->palette();
    pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::ToolTipBase));
    m_content->setPalette(pal);
    m_content->setFont(m_baseFont);
    scroll->setWidget(m_content);
    scroll->viewport()->setAutoFillBackground(true);
    scroll->viewport()->setPalette(pal);
    if (!m_firstPage)
        m_firstPage = scroll;
    m_top = 10;
    m_left = 0;
    m_row = item.Row();
}

void TPageBuilder::closeRow()
{
    int tallest = 0;
    int rightExtent = 0;
    for (const LayoutEntry &e : m_entries) {
        tallest = std::max(tallest, e.Height);
        rightExtent = std::max(rightExtent, e.Left);
    }
    if (m_content) {
        for (const LayoutEntry &e : m_entries)
            bevel(m_content, QStringLiteral("bV_") + e.Name, QFrame::VLine, QRect(e.Left, e.Top, e.Width, tallest));
        if (m_rowHasField) {
            bevel(m_content, QStringLiteral("bH_") + m_lastName, QFrame::HLine,
                  QRect(0, m_top - 5, std::max(m_lastWidth, rightExtent), 2));
        }
    }
    m_entries.clear();
    m_rowHasField = false;
}

bool TPageBuilder::buildCaption(const storage::TPomiar &item, int &inputLeft)
{
    const QString &typ = item.typ();
    const bool captioned = typ == QLatin1String("form") || typ == QLatin1String("combo") ||
                           typ == QLatin1String("memo") || typ == QLatin1String("edit");
    if (!captioned || item.etyk.isEmpty())
        return false;
    const int C = item.szerkol();
    const int S = item.szer();
    auto *lbl = new QLabel(item.etyk, m_content);
    lbl->setObjectName(QStringLiteral("et_") + item.nazwa());
    lbl->setWordWrap(true);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl->setFont(ParseFontStyle(item.style(), m_baseFont));
    const int maxWidth = C - (S + 15);
    lbl->setProperty("autoMaxWidth", maxWidth);
    const QSize sz = autoSize(lbl->font(), item.etyk, maxWidth);
    const int lw = sz.width();
    int left = 0;
    if (item.pozycja() == QLatin1String("left"))
        left = m_left + 5;
    else if (item.pozycja() == QLatin1String("right"))
        left = C - (S + lw + 10) + m_left;
    else
        left = roundHalfEven((C - (S + lw + 10)) / 2.0) + m_left;
    place(lbl, left, m_top, lw, sz.height());
    m_rowHeight = std::max(m_rowHeight, sz.height());
    inputLeft = left + lw + 5;
    if (typ == QLatin1String("memo") || typ == QLatin1String("edit"))
        applyAccess(lbl, item);
    return true;
}

int TPageBuilder::inputLeft(const storage::TPomiar &item, int width, bool hasCaption, int captionInputLeft) const
{
    if (hasCaption)
        return captionInputLeft;
    if (item.pozycja() == QLatin1String("left"))
        return m_left + 5;
    if (item.pozycja() == QLatin1String("right"))
        return item.szerkol() - width + m_left;
    return roundHalfEven((item.szerkol() - width) / 2.0) + m_left;
}

void TPageBuilder::buildEdit(storage::TPomiar &item, int left, bool readOnly)
{
    const bool isForm = item.typ() == QLatin1String("form");
    const int S = item.szer();
    auto *ed = new QLineEdit(m_content);
    ed->setObjectName(QStringLiteral("ed_") + item.nazwa());
    ed->setText(item.Value);
    ed->setCursorPosition(0);
    if (item.rozm() > 0)
        widgets::SetEditMaxLength(ed, item.rozm(), m_pages.FieldCaption(ed->objectName()));
    ed->setReadOnly(readOnly);
    ed->setToolTip(QString::fromUtf8(Hint));
    place(ed, left, m_top, isForm ? S - 17 : S, EditHeight);
    m_rowHeight = std::max(m_rowHeight, EditHeight);
    if (readOnly) {
        paintBase(ed, isForm ? InactiveBorderColour : ReadOnlyEditColour);
        ed->setFocusPolicy(Qt::ClickFocus);
    }
    if (!isForm && !item.visible)
        ed->hide();
    applyAccess(ed, item);
    TMeasurementPages *w = &m_pages;
    // Every editable edit records what was typed; only `onexit` decides whether the form
    // is evaluated (ExitField).
    if (m_takeAccess) {
        widgets::BindExit(ed, [w](QWidget *s) { w->ExitField(s); });
        widgets::BindTyping(ed, [w](QWidget *) { w->FieldTyped(); });
    }
    widgets::BindEnter(ed, [w](QWidget *s) { w->EnterField(s); });
    if (!isForm)
        return;
    auto *bb = new QToolButton(m_content);
    bb->setObjectName(QStringLiteral("bb_") + item.nazwa());
    bb->setIcon(m_glyph);
    place(bb, left + S - 17, m_top + 1, ButtonSize, ButtonSize);
    applyAccess(bb, item);
    widgets::BindButtonClick(bb, [w](QWidget *s) { w->ClickForm(s); });
    widgets::BindEnter(bb, [w](QWidget *s) { w->EnterField(s); });
}

void TPageBuilder::buildMemo(storage::TPomiar &item, int left, bool readOnly)
{
    auto *me = new QPlainTextEdit(m_content);
    me->setObjectName(QStringLiteral("me_") + item.nazwa());
    me->setPlainText(item.Value);
    me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    me->setTabChangesFocus(true); // Tab leaves it, as every memo of the program
    if (item.rozm() > 0)
        widgets::SetMemoMaxLength(me, item.rozm(), m_pages.FieldCaption(me->objectName()));
    me->setReadOnly(readOnly);
    me->setToolTip(QString::fromUtf8(Hint));
    const int height = item.wys() > 0 ? item.wys() : DefaultMemoHeight;
    place(me, left, m_top, item.szer(), height);
    m_rowHeight = std::max(m_rowHeight, height);
    if (readOnly) {
        paintBase(me, InactiveBorderColour);
        me->setFocusPolicy(Qt::ClickFocus);
    }
    applyAccess(me, item);
    TMeasurementPages *w = &m_pages;
    if (m_takeAccess) {
        widgets::BindExit(me, [w](QWidget *s) { w->ExitField(s); });
        widgets::BindTyping(me, [w](QWidget *) { w->FieldTyped(); });
    }
    widgets::BindEnter(me, [w](QWidget *s) { w->EnterField(s); });
}

void TPageBuilder::buildCombo(storage::TPomiar &item, int left)
{
    auto *cb = new QComboBox(m_content);
    cb->setObjectName(QStringLiteral("cb_") + item.nazwa());
    cb->setToolTip(QString::fromUtf8(Hint));
    m_pages.FillComboItems(item, item.ChoiceNr, cb);
    place(cb, left, m_top, item.szer(), ComboHeight);
    m_rowHeight = std::max(m_rowHeight, ComboHeight);
    applyAccess(cb, item);
    SelectComboValue(cb, item); // may disable a combo whose stored text is not listed
    TMeasurementPages *w = &m_pages;
    widgets::BindComboChange(cb, [w](QWidget *s) { w->ChangeField(s); });
    widgets::BindEnter(cb, [w](QWidget *s) { w->EnterField(s); });
}

void TPageBuilder::buildCheckBox(const storage::TPomiar &item)
{
    const int C = item.szerkol();
    const int S = item.szer();
    auto *ch = new QCheckBox(item.etyk, m_content);
    ch->setObjectName(QStringLiteral("ch_") + item.nazwa());
    ch->setChecked(item.Value == QLatin1String("True"));
    ch->setToolTip(QString::fromUtf8(Hint));
    int left = 0;
    if (item.pozycja() == QLatin1String("left"))
        left = m_left + 5;
    else if (item.pozycja() == QLatin1String("right"))
        left = C - S + m_left;
    else
        left = roundHalfEven((C - S) / 2.0) + m_left;
    place(ch, left, m_top, S, CheckHeight);
    m_rowHeight = std::max(m_rowHeight, CheckHeight);
    if (!item.visible)
        ch->hide();
    applyAccess(ch, item);
    TMeasurementPages *w = &m_pages;
    widgets::BindCheckClick(ch, [w](QWidget *s) { w->ClickField(s); });
    widgets::BindEnter(ch, [w](QWidget *s) { w->EnterField(s); });
}

void TPageBuilder::buildHeader(const storage::TPomiar &item)
{
    const int C = item.szerkol();
    const int S = item.szer();
    const QString caption = GetDelimitedItem(item.etyk, item.ChoiceNr);
    auto *lb = new QLabel(caption, m_content);
    lb->setObjectName(QStringLiteral("lb_") + item.nazwa());
    lb->setWordWrap(true);
    lb->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lb->setFont(item.style().isEmpty() ? m_boldFont : ParseFontStyle(item.style(), m_baseFont));
    int width = S;
    int height = 0;
    if (m_autoSizeHeaders) {
        lb->setProperty("autoMaxWidth", S);
        const QSize sz = autoSize(lb->font(), caption, S);
        width = sz.width();
        height = sz.height();
    } else {
        lb->setProperty("fixedWidth", S);
        height = wrappedHeight(lb->font(), caption, S);
    }
    place(lb, roundHalfEven((C - width) / 2.0) + m_left, m_top, width, height);
    m_rowHeight = std::max(m_rowHeight, height);
}

void TPageBuilder::buildLabel(const storage::TPomiar &item)
{
    const int C = item.szerkol();
    auto *lb = new QLabel(item.etyk, m_content);
    lb->setObjectName(QStringLiteral("lb_") + item.nazwa());
    lb->setWordWrap(true);
    lb->setFont(ParseFontStyle(item.style(), m_baseFont));
    lb->setAlignment(ParseAlignment(item.pozycja()) | Qt::AlignTop);
    lb->setProperty("autoMaxWidth", item.szer());
    const QSize sz = autoSize(lb->font(), item.etyk, item.szer());
    int left = 0;
    if (item.pozycja() == QLatin1String("left"))
        left = m_left + 5;
    else if (item.pozycja() == QLatin1String("right"))
        left = C - sz.width() + m_left - 5;
    else
        left = roundHalfEven((C - sz.width()) / 2.0) + m_left;
    place(lb, left, m_top, sz.width(), sz.height());
    m_rowHeight = std::max(m_rowHeight, sz.height());
    if (!item.visible)
        lb->hide();
}

void TPageBuilder::endCell(const storage::TPomiar &item)
{
    const QString &typ = item.typ();
    m_left = m_left + item.szerkol();
    const bool known = knownKind(typ);
    const bool noCell = typ == QLatin1String("tekst") || typ == QLatin1String("parametr") ||
                        typ == QLatin1String("naglowek") || !known;
    if (!noCell) {
        LayoutEntry e;
        e.Name = item.nazwa();
        e.Top = m_top - 5 - (item.ile() - 1) * m_rowHeight;
        e.Left = m_left;
        e.Height = item.ile() * m_rowHeight + 10;
        m_entries.push_back(e);
        m_extent = m_extent.expandedTo(QSize(m_left + 4, 0));
    }
    if (typ != QLatin1String("tekst") && known) {
        m_rowHasField = true;
        m_lastWidth = item.szer();
        m_lastName = item.nazwa();
    }
    m_row = item.Row();
}

void TPageBuilder::Build(std::vector<std::unique_ptr<storage::TPomiar>> &items)
{
    for (const std::unique_ptr<storage::TPomiar> &ptr : items) {
        storage::TPomiar &item = *ptr;
        const QString &typ = item.typ();
        if (!m_takeAccess) {
            item.onexit = false;
            item.onchange = false;
        }
        const bool readOnly = m_takeAccess ? item.readonly() : true;

        if (item.Row() != m_row) {
            m_top = m_top + m_rowHeight + 10;
            m_rowHeight = 0;
            m_left = 0;
            closeRow();
            if (m_content)
                m_extent = m_extent.expandedTo(QSize(0, m_top));
        }
        if (typ == QLatin1String("page")) {
            startPage(item);
            continue;
        }
        if (!m_content)
            continue; // fields before the first page have nowhere to go

        if (!knownKind(typ)) {
            const QString note = QStringLiteral("\"%1\" (pole \"%2\")").arg(typ, item.nazwa());
            if (!m_unknownKinds.contains(note))
                m_unknownKinds << note;
        }
        int captionInputLeft = 0;
        const bool hasCaption = buildCaption(item, captionInputLeft);
        if (typ == QLatin1String("form") || typ == QLatin1String("edit"))
            buildEdit(item, inputLeft(item, item.szer(), hasCaption, captionInputLeft), readOnly);
        else if (typ == QLatin1String("memo"))
            buildMemo(item, inputLeft(item, item.szer(), hasCaption, captionInputLeft), readOnly);
        else if (typ == QLatin1String("combo"))
            buildCombo(item, inputLeft(item, item.szer(), hasCaption, captionInputLeft));
        else if (typ == QLatin1String("checkbox"))
            buildCheckBox(item);
        else if (typ == QLatin1String("parametr") || typ == QLatin1String("naglowek"))
            buildHeader(item);
        else if (typ == QLatin1String("label"))
            buildLabel(item);
        endCell(item);
    }
    m_top = m_top + m_rowHeight + 10;
    closeRow();
    if (m_content)
        m_extent = m_extent.expandedTo(QSize(0, m_top));
    finishPage();
}

} // namespace assessment
