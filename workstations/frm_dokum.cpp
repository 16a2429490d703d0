// The document window: its controls, the page builder and the field events.
#include "workstations/frm_dokum.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "storage/text_xml.h"
#include "widgets/field_binding.h"
#include "widgets/field_limits.h"
#include "widgets/form_geometry.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace workstations {

namespace {

QPointer<TfrmDokum> g_frmDokum;

TfrmDokum::TreeChooser &treeChooser()
{
    static TfrmDokum::TreeChooser chooser;
    return chooser;
}

const char *const TagProperty = "tag";

const QString FieldHint = QStringLiteral("Naciśnij TAB w celu opuszczenia pola edycyjnego");
const QString PlusGlyph = QStringLiteral("dokum\\frm\\plusm.bmp");
const QString MinusGlyph = QStringLiteral("dokum\\frm\\minusm.bmp");
constexpr int ModalClosed = 3;

int tagOf(const QObject *o)
{
    return o ? o->property(TagProperty).toInt() : 0;
}

void setTag(QObject *o, int tag)
{
    o->setProperty(TagProperty, tag);
}

// The fields' font: "MS Sans Serif" as the definitions were designed with, standing in for
// the metric-compatible sans serif face installed on this system.
QFont fieldFont()
{
    static bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)substituted;
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    return f;
}

// How a field is named to the user: its label, else its name in the definition.
QString fieldCaption(const storage::TDokum &f)
{
    return f.etyk.trimmed().isEmpty() ? f.nazwa : f.etyk;
}

bool isPrintOnly(const QString &typ)
{
    return typ == QLatin1String("tekst") || typ == QLatin1String("tekst_p");
}


} // namespace

TfrmDokum::TreeChooser TfrmDokum::SetTreeChooser(TreeChooser chooser)
{
    TreeChooser previous = std::move(treeChooser());
    treeChooser() = std::move(chooser);
    return previous;
}

TfrmDokum::TfrmDokum(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::Document)
{
    setObjectName(QStringLiteral("frmDokum"));
    setWindowTitle(QStringLiteral("Dokumenty"));
    buildControls();
    widgets::RestoreFormGeometry(this);
}

TfrmDokum::~TfrmDokum()
{
    widgets::SaveFormGeometry(this, pLeft);
    {
        widgets::FieldEventSuppressor quiet;
        clearPages();
    }
    // The main panel may stand in the main window; it goes with the view.
    QPointer<QWidget> panel(pDokum);
    if (panel && panel->parent() != this)
        delete panel.data();
}

void TfrmDokum::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    pDokum = new QWidget(this);
    pDokum->setObjectName(QStringLiteral("pDokum"));
    outer->addWidget(pDokum);
    auto *mainLayout = new QHBoxLayout(pDokum);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    spDokum = new QSplitter(Qt::Horizontal, pDokum);
    spDokum->setObjectName(QStringLiteral("spDokum"));
    mainLayout->addWidget(spDokum);

    pLeft = new QWidget(spDokum);
    pLeft->setObjectName(QStringLiteral("pLeft"));
    auto *leftLayout = new QVBoxLayout(pLeft);
    leftLayout->setContentsMargins(2, 2, 2, 2);
    pTop = new QLabel(QStringLiteral("Lista dokumentów"), pLeft);
    pTop->setObjectName(QStringLiteral("pTop"));
    leftLayout->addWidget(pTop);
    lbDatyOsob = new widgets::TListBox(pLeft);
    lbDatyOsob->setObjectName(QStringLiteral("lbDatyOsob"));
    leftLayout->addWidget(lbDatyOsob);
    spDokum->addWidget(pLeft);
    // A document opens when the user chooses its line, by mouse or by the arrow keys, so the
    // line selected is always the document shown. Tabbing into the list opens nothing.
    connect(lbDatyOsob, &widgets::TListBox::Chosen, this, [this] {
        if (!m_syncingList)
            lbDatyOsobClick(lbDatyOsob->currentItem());
    });

    pgDokum = new QTabWidget(spDokum);
    pgDokum->setObjectName(QStringLiteral("pgDokum"));
    spDokum->addWidget(pgDokum);
    spDokum->setStretchFactor(1, 1);
    spDokum->setSizes({200, 700});
    connect(pgDokum, &QTabWidget::currentChanged, this, [this](int index) { pgDokumChange(index); });
    resize(920, 600);
}

TfrmDokum::Page *TfrmDokum::pageOf(QWidget *control)
{
    for (auto &page : m_pages)
        if (control && page.content && page.content->isAncestorOf(control))
            return &page;
    return nullptr;
}

storage::TDokum *TfrmDokum::fieldOf(QWidget *control) const
{
    return m_fieldOf.value(control, nullptr);
}

void TfrmDokum::clearPages()
{
    // No command may commit a control that is about to go.
    appstate::AppState &state = Shared();
    if (state.LastWinCtrl() && pgDokum->isAncestorOf(state.LastWinCtrl()))
        state.ClearLastWinCtrl();
    m_fieldOf.clear();
    m_anchors.clear();
    m_wheelRest.clear();
    m_pages.clear();
    m_activeScrollBox = nullptr;
    const QSignalBlocker block(pgDokum);
    while (pgDokum->count() > 0) {
        QWidget *sheet = pgDokum->widget(0);
        pgDokum->removeTab(0);
        delete sheet;
    }
}

void TfrmDokum::fillCombo(QComboBox *combo, const storage::TDokum &field, int &choices)
{
    choices = 0;
    m_workList.clear();
    if (field.zal.isEmpty())
        return;
    storage::ReadSelectionTree(platform::JoinStoredPath(m_attachFolder, field.zal), m_workList);
    for (const auto &node : m_workList)
        combo->addItem(node.Text);
    choices = int(m_workList.size());
    m_workList.clear();
}

void TfrmDokum::BuildPages()
{
    widgets::FieldEventSuppressor quiet;
    m_building = true;
    clearPages();
    const QFont font = fieldFont();
    const int pageWidth = std::max(pgDokum->width(), 300);
    QIcon plusIcon, minusIcon;
    imgPom.Clear();
    if (imgPom.AddMaskedFile(platform::ToFilePath(PlusGlyph), QColor(255, 0, 255)) >= 0)
        plusIcon = QIcon(imgPom.Image(imgPom.Count() - 1));
    if (imgPom.AddMaskedFile(platform::ToFilePath(MinusGlyph), QColor(255, 0, 255)) >= 0)
        minusIcon = QIcon(imgPom.Image(imgPom.Count() - 1));

    QStringList treeFailures;
    QStringList duplicates;
    QHash<QString, int> seenNames;
    Page *page = nullptr;
    int y = 0;
    for (size_t k = 0; k < Items.size(); ++k) {
        storage::TDokum &f = *Items[k];
        const QString &n = f.nazwa;
        int h = 0;
        if (f.typ == QLatin1String("page")) {
            Page p;
            p.sheet = new QWidget;
            p.sheet->setObjectName(QStringLiteral("ts_%1").arg(f.PageNr));
            p.sheet->setFont(font);
            auto *sheetLayout = new QVBoxLayout(p.sheet);
            sheetLayout->setContentsMargins(0, 0, 0, 0);
            p.box = new QScrollArea(p.sheet);
            p.box->setObjectName(QStringLiteral("sc_%1").arg(f.PageNr));
            p.box->setWidgetResizable(true);
            p.box->setFrameShape(QFrame::NoFrame);
            sheetLayout->addWidget(p.box);
            p.content = new QWidget;
            p.content->setObjectName(QStringLiteral("sc_%1_content").arg(f.PageNr));
            p.content->setAutoFillBackground(true);
            QPalette pal = p.content->palette();
            pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
            p.content->setPalette(pal);
            p.content->resize(pageWidth, 10);
            p.box->setWidget(p.content);
            p.box->viewport()->installEventFilter(this);
            p.content->installEventFilter(this);
            const int index = pgDokum->addTab(p.sheet, f.PageName);
            // The page just made becomes the active one, whatever its number says.
            pgDokum->setCurrentIndex(index);
            m_pages.push_back(p);
            page = &m_pages.back();
            y = 0;
            continue;
        }
        if (!page || isPrintOnly(f.typ))
            continue; // fields before any page have nowhere to go; print-only texts build nothing
        QWidget *content = page->content;
        // Data files know a field by its name: a second field of the same name would lose
        // its values on the next reading.
        if (f.IsStored()) {
            if (seenNames.contains(n) && !duplicates.contains(n))
                duplicates << n;
            seenNames.insert(n, 1);
        }
        auto makeLabel = [&](const QString &name) {
            auto *label = new QLabel(f.etyk, content);
            label->setObjectName(name);
            label->setFont(font);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            const int lh = std::max(label->heightForWidth(150), label->sizeHint().height());
            label->setGeometry(6, y + 10, 150, lh);
            h = std::max(h, lh);
        };
        auto prepareInput = [&](QWidget *w) {
            w->setFont(font);
            w->setToolTip(FieldHint);
            m_fieldOf.insert(w, &f);
            page->inputs.push_back(w);
        };
        if (f.typ == QLatin1String("form")) {
            makeLabel(QStringLiteral("et_%1_%2").arg(k).arg(n));
            const int width = std::max(pageWidth - 210, f.szer);
            for (int j = 0; j < f.ile; ++j) {
                auto *edit = new QLineEdit(content);
                edit->setObjectName(QStringLiteral("ed_%1_%2").arg(j).arg(n));
                setTag(edit, j);
                edit->setReadOnly(true);
                prepareInput(edit);
                const int eh = edit->sizeHint().height();
                edit->setGeometry(172, y + 10, width, eh);
                h = std::max(h, eh);
                widgets::BindEnter(edit, [this](QWidget *s) { EnterField(s); });
                auto *button = new QToolButton(content);
                button->setObjectName(QStringLiteral("bb_%1_%2").arg(j).arg(n));
                setTag(button, j);
                button->setIcon(plusIcon);
                button->setText(QStringLiteral("+"));
                button->setGeometry(width + 151, y + 12, 18, 17);
                m_fieldOf.insert(button, &f);
                widgets::BindButtonClick(button, [this](QWidget *s) { ClickForm(s); });
                widgets::BindEnter(button, [this](QWidget *s) { EnterField(s); });
                y += h + 10;
            }
            y -= h + 10;
        } else if (f.typ == QLatin1String("combo")) {
            makeLabel(QStringLiteral("et_%1").arg(n));
            auto *combo = new QComboBox(content);
            combo->setObjectName(QStringLiteral("cb_0_%1").arg(n));
            setTag(combo, 0);
            combo->setEditable(false);
            combo->setFocusPolicy(Qt::StrongFocus);
            combo->installEventFilter(this);
            prepareInput(combo);
            int choices = 0;
            try {
                fillCombo(combo, f, choices);
            } catch (const platform::TarvelinError &e) {
                treeFailures << e.message();
            }
            combo->setCurrentIndex(-1);
            const int ch = combo->sizeHint().height();
            combo->setGeometry(172, y + 10, f.szer, ch);
            h = std::max(h, ch);
            widgets::BindComboChange(combo, [this](QWidget *s) { ChangeField(s); });
            widgets::BindEnter(combo, [this](QWidget *s) { EnterField(s); });
            auto *button = new QToolButton(content);
            button->setObjectName(QStringLiteral("bb_%1").arg(n));
            // Negative, so that anchoring leaves the button beside its choice list.
            setTag(button, -std::max(choices, 1));
            button->setIcon(minusIcon);
            button->setText(QStringLiteral("-"));
            button->setGeometry(f.szer + 172, y + 12, 18, 17);
            m_fieldOf.insert(button, &f);
            widgets::BindButtonClick(button, [this](QWidget *s) { EraseField(s); });
            widgets::BindEnter(button, [this](QWidget *s) { EnterField(s); });
        } else if (f.typ == QLatin1String("edit")) {
            makeLabel(QStringLiteral("et_%1").arg(n));
            auto *edit = new QLineEdit(content);
            edit->setObjectName(QStringLiteral("ed_0_%1").arg(n));
            setTag(edit, 0);
            widgets::SetEditMaxLength(edit, f.rozm, fieldCaption(f));
            prepareInput(edit);
            const int eh = edit->sizeHint().height();
            edit->setGeometry(172, y + 10, f.szer, eh);
            h = std::max(h, eh);
            widgets::BindExit(edit, [this](QWidget *s) { ExitField(s); });
            widgets::BindEnter(edit, [this](QWidget *s) { EnterField(s); });
            widgets::BindTyping(edit, [this](QWidget *) { offerSave(); });
        } else if (f.typ == QLatin1String("memo")) {
            makeLabel(QStringLiteral("et_%1").arg(n));
            auto *memo = new QPlainTextEdit(content);
            memo->setObjectName(QStringLiteral("me_0_%1").arg(n));
            setTag(memo, 0);
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            memo->setTabChangesFocus(true);
            memo->setMinimumWidth(30);
            widgets::SetMemoMaxLength(memo, f.rozm, fieldCaption(f));
            prepareInput(memo);
            memo->setGeometry(172, y + 10, std::max(f.szer, 30), f.wys);
            h = std::max(h, f.wys);
            widgets::BindExit(memo, [this](QWidget *s) { ExitMemo(s); });
            widgets::BindEnter(memo, [this](QWidget *s) { EnterField(s); });
            widgets::BindTyping(memo, [this](QWidget *) { offerSave(); });
        } else if (f.typ == QLatin1String("label")) {
            auto *label = new QLabel(f.etyk, content);
            label->setObjectName(QStringLiteral("lb_%1").arg(n));
            label->setFont(font);
            label->setAlignment(Qt::AlignCenter);
            label->setWordWrap(true);
            const int lw = pageWidth - 40;
            const int lh = std::max(label->heightForWidth(lw), label->sizeHint().height());
            label->setGeometry(10, y + 10, lw, lh);
            h = std::max(h, lh);
        }
        if (f.typ != QLatin1String("label")) {
            auto *bevel = new QFrame(content);
            bevel->setObjectName(QStringLiteral("bH_%1").arg(n));
            bevel->setFrameShape(QFrame::VLine);
            bevel->setFrameShadow(QFrame::Sunken);
            const int rows = std::max(f.ile, 1);
            bevel->setGeometry(162, y - (rows - 1) * (h + 10), 9, rows * (h + 10) + 5);
        }
        y += h + 10;
        auto *line = new QFrame(content);
        line->setObjectName(QStringLiteral("bV_%1").arg(n));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(0, y + 5, pageWidth, 9);
        m_anchors[content].push_back({line, true, 0});
        y += 5;
        content->setMinimumHeight(y + 20);
    }
    for (auto &p : m_pages) {
        p.content->setMinimumHeight(std::max(p.content->minimumHeight(), 10));
        applyAnchors(p);
    }
    if (pgDokum->count() > 0)
        pgDokum->setCurrentIndex(0);
    m_activeScrollBox = m_pages.empty() ? nullptr : m_pages.front().box;
    m_building = false;
    if (!duplicates.isEmpty())
        platform::ShowWarning(QStringLiteral("Definicja dokumentu zawiera powtórzone nazwy pól: ") +
                              duplicates.join(QStringLiteral(", ")) +
                              QStringLiteral(". Wartości tych pól nie zostaną poprawnie zapisane."));
    if (!treeFailures.isEmpty())
        platform::ShowWarning(treeFailures.join(QLatin1Char('\n')));
}

void TfrmDokum::applyAnchors(Page &page)
{
    if (!page.content)
        return;
    const int width = page.content->width();
    for (const Anchor &a : m_anchors.value(page.content)) {
        QRect r = a.control->geometry();
        if (a.stretch)
            r.setWidth(std::max(10, width - r.x() - a.rightMargin));
        else
            r.moveLeft(width - a.rightMargin - r.width());
        a.control->setGeometry(r);
    }
}

void TfrmDokum::AnchorFieldControls()
{
    const int buildWidth = std::max(pgDokum->width(), 300);
    for (auto &page : m_pages) {
        std::vector<Anchor> anchors;
        for (const Anchor &a : m_anchors.value(page.content))
            if (a.control->objectName().startsWith(QLatin1String("bV_")))
                anchors.push_back(a); // the horizontal bevels keep theirs
        const int width = std::max(page.content->width(), buildWidth);
        for (QObject *child : page.content->children()) {
            auto *w = qobject_cast<QWidget *>(child);
            if (!w)
                continue;
            const int margin = width - (w->x() + w->width());
            if (auto *button = qobject_cast<QToolButton *>(w)) {
                if (tagOf(button) >= 0)
                    anchors.push_back({button, false, margin});
            } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
                if (edit->isReadOnly())
                    anchors.push_back({edit, true, margin});
            } else if (qobject_cast<QPlainTextEdit *>(w)) {
                anchors.push_back({w, true, margin});
            }
        }
        m_anchors[page.content] = anchors;
        applyAnchors(page);
    }
    if (pgDokum->count() > 0)
        pgDokum->setCurrentIndex(0);
}

// --- field events -------------------------------------------------------------------------

void TfrmDokum::store(storage::TDokum *field, int tag, const QString &text)
{
    if (!field)
        return;
    // A slot the definition does not give has nowhere to keep the text.
    storage::TDokumWart *slot = field->Slot(tag + 1);
    if (!slot)
        return;
    appstate::AppState &state = Shared();
    if (text != slot->wartosc)
        state.SetModified(true);
    slot->wartosc = text;
    if (state.EditAllowed && state.Modified())
        state.SetSaveEnabled(true);
}

void TfrmDokum::offerSave()
{
    // The first keystroke in a field offers Save; the text itself is stored when the field
    // is left (or by the commit Save runs first).
    appstate::AppState &state = Shared();
    if (state.EditAllowed)
        state.SetSaveEnabled(true);
}

void TfrmDokum::EnterField(QWidget *sender)
{
    // The main window runs the field's own commit before a command: a toolbar click does
    // not take the focus from the editor.
    QPointer<QWidget> control(sender);
    Shared().SetLastWinCtrl(sender, [control] {
        if (control)
            widgets::CommitField(control);
    });
}

void TfrmDokum::ChangeField(QWidget *sender)
{
    auto *combo = qobject_cast<QComboBox *>(sender);
    if (!combo)
        return;
    store(fieldOf(combo), 0, combo->currentIndex() < 0 ? QString() : combo->currentText());
}

void TfrmDokum::ExitField(QWidget *sender)
{
    auto *edit = qobject_cast<QLineEdit *>(sender);
    if (!edit)
        return;
    const QString text = appstate::StorableFieldText(edit->text(), widgets::FieldCaption(edit));
    if (text != edit->text()) {
        widgets::FieldEventSuppressor quiet;
        edit->setText(text);
    }
    store(fieldOf(edit), tagOf(edit), text);
}

void TfrmDokum::ExitMemo(QWidget *sender)
{
    auto *memo = qobject_cast<QPlainTextEdit *>(sender);
    if (!memo)
        return;
    const QString text = appstate::StorableFieldText(memo->toPlainText(), widgets::FieldCaption(memo));
    if (text != memo->toPlainText()) {
        widgets::FieldEventSuppressor quiet;
        widgets::SetMemoText(memo, text);
    }
    store(fieldOf(memo), 0, text);
}

void TfrmDokum::EraseField(QWidget *sender)
{
    storage::TDokum *field = fieldOf(sender);
    Page *page = pageOf(sender);
    if (!field || !page)
        return;
    auto *combo = page->content->findChild<QComboBox *>(QStringLiteral("cb_0_") + field->nazwa);
    if (!combo)
        return;
    {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(-1);
    }
    store(field, 0, QString());
}

void TfrmDokum::ClickForm(QWidget *sender)
{
    storage::TDokum *field = fieldOf(sender);
    Page *page = pageOf(sender);
    if (!field || !page)
        return;
    const int j = std::abs(tagOf(sender));
    auto *edit = page->content->findChild<QLineEdit *>(QStringLiteral("ed_%1_%2").arg(j).arg(field->nazwa));
    if (!edit)
        return;
    QString text;
    const int result = treeChooser()
                           ? treeChooser()(platform::JoinStoredPath(m_attachFolder, field->zal), edit->text(), text)
                           : ModalClosed;
    if (result == ModalClosed)
        return;
    store(field, j, text);
    edit->setText(text);
}

void TfrmDokum::pgDokumChange(int index)
{
    if (index >= 0 && index < int(m_pages.size()))
        m_activeScrollBox = m_pages[size_t(index)].box;
}

int TfrmDokum::wheelStep() const
{
    return 8 * QApplication::wheelScrollLines();
}

void TfrmDokum::ScrBoxMouseWheelDown(QScrollArea *box, int steps)
{
    if (box)
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() + steps * wheelStep());
}

void TfrmDokum::ScrBoxMouseWheelUp(QScrollArea *box, int steps)
{
    if (box)
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() - steps * wheelStep());
}

void TfrmDokum::wheel(QScrollArea *box, QWheelEvent *event)
{
    // Fine-grained wheels send parts of a notch; the page moves once per whole notch.
    int &rest = m_wheelRest[box];
    rest += event->angleDelta().y();
    const int notches = rest / 120;
    rest %= 120;
    if (notches > 0)
        ScrBoxMouseWheelUp(box, notches);
    else if (notches < 0)
        ScrBoxMouseWheelDown(box, -notches);
}

bool TfrmDokum::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        for (auto &page : m_pages) {
            const bool onViewport = watched == page.box->viewport();
            auto *combo = qobject_cast<QComboBox *>(watched);
            // A choice list under a resting mouse must not change its value while the user
            // scrolls the page; it takes the wheel only when it has the focus.
            const bool onIdleCombo = combo && !combo->hasFocus() && page.content->isAncestorOf(combo);
            if (onViewport || onIdleCombo) {
                wheel(page.box, static_cast<QWheelEvent *>(event));
                return true;
            }
        }
    } else if (event->type() == QEvent::Resize) {
        for (auto &page : m_pages)
            if (watched == page.content)
                applyAnchors(page);
    }
    return QWidget::eventFilter(watched, event);
}

QString TfrmDokum::GetFieldText(const QString &names) const
{
    QString result;
    for (const QString &name : names.split(QLatin1Char('+'))) {
        if (name.isEmpty())
            continue;
        // Looked up by name on every page, without making the pages active.
        for (const auto &page : m_pages) {
            const QLineEdit *found = nullptr;
            for (QWidget *w : page.inputs) {
                auto *edit = qobject_cast<QLineEdit *>(w);
                if (edit && edit->objectName() == QStringLiteral("ed_%1_%2").arg(tagOf(edit)).arg(name)) {
                    found = edit;
                    break;
                }
            }
            if (found) {
                if (!found->text().isEmpty()) {
                    if (!result.isEmpty())
                        result += QLatin1Char('-');
                    result += found->text();
                }
                break;
            }
        }
    }
    return result;
}

TfrmDokum *frmDokum(appstate::AppState &state)
{
    return platform::WindowSingleton(g_frmDokum, state);
}

} // namespace workstations
