// The measurement pages built at run time from a form definition: tabs, scroll boxes,
// captions, inputs, separators; and their removal.

#include "assessment/frm_ryz_zakl.h"

#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "shell/appstate/appstate.h"
#include "storage/measurement_files.h"
#include "storage/selection_trees.h"
#include "storage/workstation_files.h"
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

QFont TfrmRyzZakl::FieldFont()
{
    // The forms were laid out for an 8-point sans-serif at 96 dots per inch; the
    // metric-compatible face at that pixel size keeps the auto-sized captions as designed.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

Qt::Alignment TfrmRyzZakl::ParseAlignment(const QString &text)
{
    if (text == QLatin1String("left"))
        return Qt::AlignLeft;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignHCenter;
}

QFont TfrmRyzZakl::ParseFontStyle(const QString &text, const QFont &base)
{
    QFont f = base;
    f.setBold(text.contains(QLatin1String("bold")));
    f.setItalic(text.contains(QLatin1String("italic")));
    f.setUnderline(text.contains(QLatin1String("underline")));
    return f;
}

QIcon TfrmRyzZakl::choiceGlyph() const
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

void TfrmRyzZakl::FillComboItems(const storage::TPomiar &item, int choiceNr, QComboBox *combo)
{
    QString name = item.zal;
    const qsizetype semi = name.indexOf(QLatin1Char(';'));
    if (semi >= 0)
        name = choiceNr == 1 ? name.left(semi) : name.mid(semi + 1);
    QStringList texts;
    if (!name.isEmpty()) {
        const QString path = platform::JoinStoredPath(AttachmentFolder, name);
        // A missing or broken choice list leaves the combo empty; the rest of the page is
        // still built and usable.
        if (platform::FileExists(path)) {
            try {
                std::vector<storage::TZalTree> nodes;
                storage::ReadSelectionTree(path, nodes);
                for (const storage::TZalTree &n : nodes)
                    texts << n.Text;
            } catch (const platform::TarvelinError &) {
                texts.clear();
            }
        }
    }
    QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(texts);
}

void TfrmRyzZakl::selectComboValue(QComboBox *combo, storage::TPomiar &item)
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

void TfrmRyzZakl::closeRow(QWidget *content, std::vector<LayoutEntry> &entries, bool &contentFlag, int T, int W0,
                           const QString &lastName)
{
    int tallest = 0;
    int rightExtent = 0;
    for (const LayoutEntry &e : entries) {
        tallest = std::max(tallest, e.Height);
        rightExtent = std::max(rightExtent, e.Left);
    }
    if (content) {
        for (const LayoutEntry &e : entries)
            bevel(content, QStringLiteral("bV_") + e.Name, QFrame::VLine, QRect(e.Left, e.Top, e.Width, tallest));
        if (contentFlag) {
            bevel(content, QStringLiteral("bH_") + lastName, QFrame::HLine,
                  QRect(0, T - 5, std::max(W0, rightExtent), 2));
        }
    }
    entries.clear();
    contentFlag = false;
}

void TfrmRyzZakl::BuildMeasurementForm(storage::TPomiarList &items, QTabWidget *pageControl,
                                       TRiskPanelHost *riskHost)
{
    const appstate::AppState &state = appstate::State();
    const QString view = state.ViewName;
    const QString dataFolder = state.DataFolder;
    if (view == QLatin1String("frmDefStan") || !pageControl)
        return;
    const bool measurementView = view == QLatin1String("frmRyzZakl");
    const bool sampleData = dataFolder == QLatin1String("wzrocen\\");

    FormItems = &items;
    if (measurementView) {
        const storage::TStanowisko *w = SelectedWorkstation();
        const storage::TCzynnik *f = SelectedFactor();
        const storage::TPomiarCzynn *m = SelectedMeasurement();
        if (w && f) {
            MeasurementFilePath =
                platform::JoinStoredPath(dataFolder + w->kat_dane, f->frm_dane + QStringLiteral(".xml"));
            storage::ApplyFieldVisibilityRules(f->id, m ? m->ver : QString(), MeasurementFilePath, items);
        }
    }
    if (!items.empty())
        CurrentFormName = items.front()->function;

    widgets::FieldEventSuppressor quiet;
    QSignalBlocker blockPages(pageControl);
    const bool takeAccess = (measurementView && !sampleData) || view == QLatin1String("frmCzynniki");
    const QFont baseFont = FieldFont();
    const QFont boldFont = ParseFontStyle(QStringLiteral("bold"), baseFont);
    const bool autoSizeHeaders = CurrentFormName.contains(QLatin1String("prad_"));
    const QIcon glyph = choiceGlyph();
    const QColor pageColour = QApplication::palette().color(QPalette::ToolTipBase);

    int T = 0, H = 0, X = 0, R0 = 0;
    int W0 = 0;
    QString lastName;
    bool contentFlag = false;
    std::vector<LayoutEntry> entries;
    QWidget *content = nullptr;
    QScrollArea *firstPage = nullptr;
    QStringList unknownKinds;
    QSize extent; // bounding size of the current page's controls

    auto finishPage = [&] {
        if (content)
            content->resize(extent.width() + 10, extent.height() + 10);
        extent = QSize();
    };
    auto place = [&](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(left, top, width, height);
        extent = extent.expandedTo(QSize(left + width, top + height));
    };
    auto applyAccess = [&](QWidget *w, const storage::TPomiar &item) {
        w->setEnabled(takeAccess ? item.enabled : false);
        w->setProperty("accessEnabled", takeAccess);
    };

    for (const std::unique_ptr<storage::TPomiar> &ptr : items) {
        storage::TPomiar &item = *ptr;
        const QString &typ = item.typ;
        const int C = item.szerkol;
        const int S = item.szer;
        if (!takeAccess) {
            item.onexit = false;
            item.onchange = false;
        }
        const bool readOnly = takeAccess ? item.readonly : true;

        if (item.Row != R0) {
            T = T + H + 10;
            H = 0;
            X = 0;
            closeRow(content, entries, contentFlag, T, W0, lastName);
            if (content)
                extent = extent.expandedTo(QSize(0, T));
        }

        if (typ == QLatin1String("page")) {
            finishPage();
            auto *tab = new QWidget;
            tab->setObjectName(QStringLiteral("ts_") + QString::number(item.PageNr));
            pageControl->addTab(tab, item.PageName);
            auto *tabLayout = new QVBoxLayout(tab);
            tabLayout->setContentsMargins(0, 0, 0, 0);
            auto *scroll = new QScrollArea(tab);
            scroll->setObjectName(QStringLiteral("sc_") + QString::number(item.PageNr));
            scroll->setWidgetResizable(false);
            scroll->setFocusPolicy(Qt::NoFocus);
            tabLayout->addWidget(scroll);
            content = new QWidget;
            content->setObjectName(scroll->objectName() + QStringLiteral("_obszar"));
            content->setAutoFillBackground(true);
            QPalette pal = content->palette();
            pal.setColor(QPalette::Window, pageColour);
            content->setPalette(pal);
            content->setFont(baseFont);
            scroll->setWidget(content);
            scroll->viewport()->setAutoFillBackground(true);
            scroll->viewport()->setPalette(pal);
            if (!firstPage)
                firstPage = scroll;
            T = 10;
            X = 0;
            R0 = item.Row;
            continue;
        }
        if (!content)
            continue; // fields before the first page have nowhere to go

        if (!knownKind(typ)) {
            const QString note = QStringLiteral("\"%1\" (pole \"%2\")").arg(typ, item.nazwa);
            if (!unknownKinds.contains(note))
                unknownKinds << note;
        }

        // Caption left of an input.
        int inputLeft = 0;
        bool hasCaption = false;
        const bool captioned = typ == QLatin1String("form") || typ == QLatin1String("combo") ||
                               typ == QLatin1String("memo") || typ == QLatin1String("edit");
        if (captioned && !item.etyk.isEmpty()) {
            hasCaption = true;
            auto *lbl = new QLabel(item.etyk, content);
            lbl->setObjectName(QStringLiteral("et_") + item.nazwa);
            lbl->setWordWrap(true);
            lbl->setAlignment(Qt::AlignRight | Qt::AlignTop);
            lbl->setFont(ParseFontStyle(item.style, baseFont));
            const int maxWidth = C - (S + 15);
            lbl->setProperty("autoMaxWidth", maxWidth);
            const QSize sz = autoSize(lbl->font(), item.etyk, maxWidth);
            const int lw = sz.width();
            int left = 0;
            if (item.pozycja == QLatin1String("left"))
                left = X + 5;
            else if (item.pozycja == QLatin1String("right"))
                left = C - (S + lw + 10) + X;
            else
                left = roundHalfEven((C - (S + lw + 10)) / 2.0) + X;
            place(lbl, left, T, lw, sz.height());
            H = std::max(H, sz.height());
            inputLeft = left + lw + 5;
            if (typ == QLatin1String("memo") || typ == QLatin1String("edit"))
                applyAccess(lbl, item);
        }
        auto inputLeftFor = [&](int width) {
            if (hasCaption)
                return inputLeft;
            if (item.pozycja == QLatin1String("left"))
                return X + 5;
            if (item.pozycja == QLatin1String("right"))
                return C - width + X;
            return roundHalfEven((C - width) / 2.0) + X;
        };

        if (typ == QLatin1String("form") || typ == QLatin1String("edit")) {
            const bool isForm = typ == QLatin1String("form");
            auto *ed = new QLineEdit(content);
            ed->setObjectName(QStringLiteral("ed_") + item.nazwa);
            ed->setText(item.Value);
            ed->setCursorPosition(0);
            widgets::SetEditMaxLength(ed, item.rozm);
            ed->setReadOnly(readOnly);
            ed->setToolTip(QString::fromUtf8(Hint));
            const int left = inputLeftFor(S);
            place(ed, left, T, isForm ? S - 17 : S, EditHeight);
            H = std::max(H, EditHeight);
            if (readOnly) {
                paintBase(ed, isForm ? InactiveBorderColour : ReadOnlyEditColour);
                ed->setFocusPolicy(Qt::ClickFocus);
            }
            if (!isForm && !item.visible)
                ed->hide();
            applyAccess(ed, item);
            // Every editable edit records what was typed; only `onexit` decides whether
            // the form is evaluated (ExitField).
            if (takeAccess)
                widgets::BindExit(ed, [this](QWidget *s) { ExitField(s); });
            widgets::BindEnter(ed, [this](QWidget *s) { EnterField(s); });
            if (isForm) {
                auto *bb = new QToolButton(content);
                bb->setObjectName(QStringLiteral("bb_") + item.nazwa);
                bb->setIcon(glyph);
                place(bb, left + S - 17, T + 1, ButtonSize, ButtonSize);
                applyAccess(bb, item);
                widgets::BindButtonClick(bb, [this](QWidget *s) { ClickForm(s); });
                widgets::BindEnter(bb, [this](QWidget *s) { EnterField(s); });
            }
        } else if (typ == QLatin1String("memo")) {
            auto *me = new QPlainTextEdit(content);
            me->setObjectName(QStringLiteral("me_") + item.nazwa);
            me->setPlainText(item.Value);
            me->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            widgets::SetMemoMaxLength(me, item.rozm);
            me->setReadOnly(readOnly);
            me->setToolTip(QString::fromUtf8(Hint));
            const int height = item.wys > 0 ? item.wys : DefaultMemoHeight;
            place(me, inputLeftFor(S), T, S, height);
            H = std::max(H, height);
            if (readOnly) {
                paintBase(me, InactiveBorderColour);
                me->setFocusPolicy(Qt::ClickFocus);
            }
            applyAccess(me, item);
            if (takeAccess)
                widgets::BindExit(me, [this](QWidget *s) { ExitField(s); });
            widgets::BindEnter(me, [this](QWidget *s) { EnterField(s); });
        } else if (typ == QLatin1String("combo")) {
            auto *cb = new QComboBox(content);
            cb->setObjectName(QStringLiteral("cb_") + item.nazwa);
            cb->setToolTip(QString::fromUtf8(Hint));
            FillComboItems(item, item.ChoiceNr, cb);
            place(cb, inputLeftFor(S), T, S, ComboHeight);
            H = std::max(H, ComboHeight);
            applyAccess(cb, item);
            selectComboValue(cb, item); // may disable a combo whose stored text is not listed
            widgets::BindComboChange(cb, [this](QWidget *s) { ChangeField(s); });
            widgets::BindEnter(cb, [this](QWidget *s) { EnterField(s); });
        } else if (typ == QLatin1String("checkbox")) {
            auto *ch = new QCheckBox(item.etyk, content);
            ch->setObjectName(QStringLiteral("ch_") + item.nazwa);
            ch->setChecked(item.Value == QLatin1String("True"));
            ch->setToolTip(QString::fromUtf8(Hint));
            int left = 0;
            if (item.pozycja == QLatin1String("left"))
                left = X + 5;
            else if (item.pozycja == QLatin1String("right"))
                left = C - S + X;
            else
                left = roundHalfEven((C - S) / 2.0) + X;
            place(ch, left, T, S, CheckHeight);
            H = std::max(H, CheckHeight);
            if (!item.visible)
                ch->hide();
            applyAccess(ch, item);
            widgets::BindCheckClick(ch, [this](QWidget *s) { ClickField(s); });
            widgets::BindEnter(ch, [this](QWidget *s) { EnterField(s); });
        } else if (typ == QLatin1String("parametr") || typ == QLatin1String("naglowek")) {
            const QString caption = GetDelimitedItem(item.etyk, item.ChoiceNr);
            auto *lb = new QLabel(caption, content);
            lb->setObjectName(QStringLiteral("lb_") + item.nazwa);
            lb->setWordWrap(true);
            lb->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            lb->setFont(item.style.isEmpty() ? boldFont : ParseFontStyle(item.style, baseFont));
            int width = S;
            int height = 0;
            if (autoSizeHeaders) {
                lb->setProperty("autoMaxWidth", S);
                const QSize sz = autoSize(lb->font(), caption, S);
                width = sz.width();
                height = sz.height();
            } else {
                lb->setProperty("fixedWidth", S);
                height = wrappedHeight(lb->font(), caption, S);
            }
            place(lb, roundHalfEven((C - width) / 2.0) + X, T, width, height);
            H = std::max(H, height);
        } else if (typ == QLatin1String("label")) {
            auto *lb = new QLabel(item.etyk, content);
            lb->setObjectName(QStringLiteral("lb_") + item.nazwa);
            lb->setWordWrap(true);
            lb->setFont(ParseFontStyle(item.style, baseFont));
            lb->setAlignment(ParseAlignment(item.pozycja) | Qt::AlignTop);
            lb->setProperty("autoMaxWidth", S);
            const QSize sz = autoSize(lb->font(), item.etyk, S);
            int left = 0;
            if (item.pozycja == QLatin1String("left"))
                left = X + 5;
            else if (item.pozycja == QLatin1String("right"))
                left = C - sz.width() + X - 5;
            else
                left = roundHalfEven((C - sz.width()) / 2.0) + X;
            place(lb, left, T, sz.width(), sz.height());
            H = std::max(H, sz.height());
            if (!item.visible)
                lb->hide();
        }

        X = X + C;
        const bool known = knownKind(typ);
        const bool noCell = typ == QLatin1String("tekst") || typ == QLatin1String("parametr") ||
                            typ == QLatin1String("naglowek") || !known;
        if (!noCell) {
            LayoutEntry e;
            e.Name = item.nazwa;
            e.Top = T - 5 - (item.ile - 1) * H;
            e.Left = X;
            e.Height = item.ile * H + 10;
            entries.push_back(e);
            extent = extent.expandedTo(QSize(X + 4, 0));
        }
        if (typ != QLatin1String("tekst") && known) {
            contentFlag = true;
            W0 = S;
            lastName = item.nazwa;
        }
        R0 = item.Row;
    }
    T = T + H + 10;
    closeRow(content, entries, contentFlag, T, W0, lastName);
    if (content)
        extent = extent.expandedTo(QSize(0, T));
    finishPage();

    if (pageControl->count() > 0) {
        pageControl->setCurrentIndex(0);
        CurrentScrollBox = firstPage;
    }

    auto *risk = new QWidget;
    risk->setObjectName(QStringLiteral("ts_OcenaRyzyka"));
    pageControl->addTab(risk, QStringLiteral("Ocena ryzyka zawodowego"));
    frmOcenaRyz()->PlaceOnPage(risk, measurementView && !sampleData, measurementView ? this : riskHost);
    if (pageControl->count() == 1)
        pageControl->setCurrentIndex(0);

    if (!unknownKinds.isEmpty()) {
        platform::ShowWarning(
            QStringLiteral("Definicja formularza zawiera pola nieznanego rodzaju, które pominięto: ") +
            unknownKinds.join(QStringLiteral(", ")));
    }
}

void TfrmRyzZakl::ClearMeasurementForm(QTabWidget *pageControl)
{
    if (!pageControl)
        return;
    TfrmOcenaRyz *panel = ExistingFrmOcenaRyz();
    if (panel && pageControl->isAncestorOf(panel->pOcenaRyz))
        panel->TakeOffPage();
    widgets::FieldEventSuppressor quiet;
    QSignalBlocker block(pageControl);
    while (pageControl->count() > 0) {
        QWidget *tab = pageControl->widget(pageControl->count() - 1);
        pageControl->removeTab(pageControl->count() - 1);
        delete tab;
    }
}

} // namespace assessment
