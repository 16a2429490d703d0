#include "printouts/form_page.h"

#include "printouts/frm_wydruk.h"
#include "printouts/page_forms.h"

#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_frame.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_text_metrics.h"

#include <QFile>

#include <algorithm>

namespace printouts {

using namespace reportengine;

namespace {

bool has(const QStringList &style, const char *token)
{
    return style.contains(QLatin1String(token));
}

QFont fontOf(const TFormLayout &layout, const QStringList &style)
{
    QString family = layout.fontFamily;
    double size = layout.fontSize;
    for (const QString &t : style) {
        if (const QString f = FontFamilyOfToken(t); !f.isEmpty())
            family = f;
        else if (t.endsWith(QLatin1String("pt")))
            size = t.chopped(2).toDouble();
    }
    QFont font(family);
    font.setPointSizeF(size);
    font.setBold(has(style, "b"));
    font.setItalic(has(style, "i"));
    font.setUnderline(has(style, "u"));
    return font;
}

TVRShapeType figureOf(const QStringList &style)
{
    static const QList<QPair<const char *, TVRShapeType>> figures = {
        {"hline", TVRShapeType::vrsHorLine},          {"vline", TVRShapeType::vrsVertLine},
        {"topbottom", TVRShapeType::vrsTopAndBottom}, {"sides", TVRShapeType::vrsRightAndLeft},
        {"circle", TVRShapeType::vrsCircle},          {"roundrect", TVRShapeType::vrsRoundRect}};
    for (const auto &f : figures)
        if (has(style, f.first))
            return f.second;
    return TVRShapeType::vrsRectangle;
}

// Value labels whose text wraps in a box of its own size (not one line, not a growing band).
bool CarriesOver(const TLayoutControl &c)
{
    return c.kind == TLayoutControl::Value && !has(c.style, "nowrap") && !has(c.style, "stretch");
}

// Value labels of one line: fitted to their box, and carried over only when even that fails.
bool OneLine(const TLayoutControl &c)
{
    return c.kind == TLayoutControl::Value && has(c.style, "nowrap") && !has(c.style, "off");
}

const QString kCarriedNote = QStringLiteral("(ciąg dalszy na stronie dodatkowej)");
constexpr double kSmallestType = 6; // points

} // namespace

TFormPage::TFormPage(const QString &name)
{
    Init(name, nullptr);
}

TFormPage::TFormPage(const QString &name, const QString &layoutText)
{
    Init(name, &layoutText);
}

void TFormPage::Init(const QString &name, const QString *layoutText)
{
    setObjectName(name);
    if (layoutText) {
        m_layout = ParseFormLayout(*layoutText, m_errors);
    } else {
        QFile file(LayoutResource(name));
        if (file.open(QIODevice::ReadOnly))
            m_layout = ParseFormLayout(QString::fromUtf8(file.readAll()), m_errors);
        else
            m_errors << QStringLiteral("no layout table %1").arg(file.fileName());
    }
    m_report = new TVelRep(this);
    m_report->setObjectName(m_layout.reportName.isEmpty() ? QStringLiteral("VelRep") : m_layout.reportName);
    if (m_errors.isEmpty())
        Build();
    m_report->BeforePrint = [this](TVelRep *, bool &) {
        m_carried.clear();
        m_itemCaptions.clear();
        m_continuing = false;
        m_sheets = 0;
        for (TVRCustomBand *header : m_pageHeaders)
            header->SetEnabled(true);
        // Enabled only from a further sheet on: the engine would otherwise print it on the
        // first sheet too, and let the page begin on the sheet of the page before it.
        if (m_columnHeader)
            m_columnHeader->SetEnabled(false);
        frmWydruk()->FillPageLabels(*this);
        AfterFill();
    };
    m_report->OnStartPage = [this](TVelRep *) { StartSheet(); };
}

TFormPage::~TFormPage() = default;

QString TFormPage::LayoutResource(const QString &name)
{
    return QStringLiteral(":/formpages/%1.txt").arg(name);
}

bool TFormPage::LayoutExists(const QString &name)
{
    return QFile::exists(LayoutResource(name));
}

void TFormPage::Build()
{
    TVelRep &r = *m_report;
    TVRPage &page = r.Page();
    page.SetOrientation(TPrinterOrientation::poPortrait);
    page.SetPaperSize(TVRPaperSize::A4);
    page.SetNativeValue(TVRPage::LeftMarginValue, m_layout.margins[0] * 10);
    page.SetNativeValue(TVRPage::TopMarginValue, m_layout.margins[1] * 10);
    page.SetNativeValue(TVRPage::RightMarginValue, m_layout.margins[2] * 10);
    page.SetNativeValue(TVRPage::BottomMarginValue, m_layout.margins[3] * 10);
    r.Options = m_layout.options;
    QFont font(m_layout.fontFamily);
    font.setPointSizeF(m_layout.fontSize);
    r.SetFont(font);
    r.ReportTitle = objectName();

    QHash<QString, TVRCustomBand *> bands;
    TVRCustomBand *summary = nullptr;
    for (const TLayoutBand &b : m_layout.bands) {
        TVRCustomBand *band = nullptr;
        switch (b.type) {
        case TVRBandType::rbChild:
            band = new TVRChildBand(&r);
            break;
        case TVRBandType::rbSubDetail:
            band = new TVRSubDetail(&r);
            break;
        case TVRBandType::rbGroupHeader:
            band = new TVRGroup(&r);
            break;
        default:
            band = new TVRBand(&r, b.type);
            break;
        }
        band->setObjectName(b.name);
        band->Size().SetNativeHeight(b.height * 10);
        band->ForceNewPage = b.newPage;
        band->AlignToBottom = b.alignToBottom;
        m_bandHeights.insert(band, b.height * 10);
        bands.insert(b.name, band);
        if (b.type == TVRBandType::rbSummary)
            summary = band;
        for (const TLayoutControl &c : b.controls)
            AddControl(band, c);
    }
    for (const TLayoutBand &b : m_layout.bands) {
        TVRCustomBand *band = bands.value(b.name);
        if (auto *child = qobject_cast<TVRChildBand *>(band); child && !child->SetParentBand(bands.value(b.parent)))
            m_errors << QStringLiteral("band %1: its chain of parents leads back to it").arg(b.name);
        if (b.master.isEmpty())
            continue;
        QObject *master = bands.value(b.master);
        bool linked = false;
        if (auto *sub = qobject_cast<TVRControllerBand *>(band))
            linked = sub->SetMaster(master);
        else if (auto *group = qobject_cast<TVRGroup *>(band))
            linked = group->SetMaster(master);
        if (!linked)
            m_errors << QStringLiteral("band %1: %2 cannot be its master").arg(b.name, b.master);
    }
    // A band for every box whose text may be carried over, all of them at most.
    int carrying = 0;
    for (const TLayoutControl *c : m_layout.Controls())
        carrying += CarriesOver(*c) || OneLine(*c);
    for (TVRCustomBand *band : r.BandList())
        if (band->BandType() == TVRBandType::rbPageHeader)
            m_pageHeaders.push_back(band);
    m_columnHeader = r.ColumnHeaderBand();
    if (m_columnHeader)
        m_columnHeader->SetEnabled(false);
    // Bands may run onto further sheets even when no text is carried there.
    BuildContinuationHeader();
    BuildContinuation(summary, carrying);
    r.SetUnits(TVRUnit::MM);
}

void TFormPage::BuildContinuation(TVRCustomBand *summary, int bands)
{
    if (bands == 0)
        return;
    TVelRep &r = *m_report;
    TVRCustomBand *last = summary;
    if (!last) {
        last = new TVRBand(&r, TVRBandType::rbSummary);
        last->setObjectName(QStringLiteral("bCiagDalszy"));
        last->Size().SetNativeHeight(0);
    }
    while (last->ChildBand())
        last = last->ChildBand();
    const double width = (210 - m_layout.margins[0] - m_layout.margins[2]) * 10;
    QFont bold = r.Font();
    bold.setBold(true);
    for (int i = 0; i < bands; ++i) {
        auto *band = new TVRChildBand(&r);
        band->setObjectName(QStringLiteral("bCiagDalszy%1").arg(i + 1));
        band->SetParentBand(last);
        // The continuation starts a sheet of its own.
        band->ForceNewPage = i == 0;
        for (const bool heading : {true, false}) {
            auto *label = new TVRLabel(band);
            label->SetAutoSize(false);
            label->SetWordWrap(true);
            label->SetAutoStretch(!heading);
            label->SetTransparent(true);
            label->SetFont(heading ? bold : r.Font());
            label->Size().SetNativeWidth(width);
            label->SetName(
                QStringLiteral("vrlCiagDalszy%1%2").arg(heading ? QStringLiteral("Nagl") : QString()).arg(i + 1));
            label->SetCaption(QString());
        }
        band->BeforePrint = [this, i](TVRCustomBand *b, bool &print) { PrintCarried(i, b, print); };
        last = band;
    }
}

void TFormPage::BuildContinuationHeader()
{
    TVelRep &r = *m_report;
    auto *band = new TVRBand(&r, TVRBandType::rbPageHeader);
    band->setObjectName(QStringLiteral("bCiagDalszyNagl"));
    band->Size().SetNativeHeight(0);
    const double width = (210 - m_layout.margins[0] - m_layout.margins[2]) * 10;
    QFont bold = r.Font();
    bold.setBold(true);
    QFont small = r.Font();
    small.setPointSizeF(9);
    auto label = [band](const QString &name, const QFont &font, double left, double width) {
        auto *l = new TVRLabel(band);
        l->SetAutoSize(false);
        l->SetTransparent(true);
        l->SetFont(font);
        l->Size().SetNativeLeft(left);
        l->Size().SetNativeWidth(width);
        l->SetName(name);
        l->SetCaption(QString());
        return l;
    };
    label(QStringLiteral("vrlCiagDalszyTytul"), bold, 0, width - 300);
    label(QStringLiteral("vrlCiagDalszyDokument"), small, 0, width - 300);
    auto *number = new TVRSysData(band);
    number->SetData(TVRSysDataType::vrsPageNumber);
    number->SetAutoSize(false);
    number->SetAlignment(TAlignment::taRightJustify);
    number->SetTransparent(true);
    number->SetFont(r.Font());
    number->Size().SetNativeLeft(width - 280);
    number->Size().SetNativeWidth(280);
    number->Size().SetNativeHeight(50);
    number->SetName(QStringLiteral("vrlCiagDalszyStrona"));
    number->SetText(QStringLiteral("Strona "));
    auto *rule = new TVRShape(band);
    rule->SetShape(TVRShapeType::vrsHorLine);
    rule->SetTransparent(true);
    rule->Size().SetNativeWidth(width);
    rule->SetName(QStringLiteral("vrsCiagDalszy"));
    band->BeforePrint = [this](TVRCustomBand *b, bool &print) { PrintContinuationHeader(b, print); };
}

void TFormPage::StartSheet()
{
    const bool further = ++m_sheets > 1;
    for (TVRCustomBand *header : m_pageHeaders)
        header->SetEnabled(!further);
    if (m_columnHeader)
        m_columnHeader->SetEnabled(further && !m_continuing);
}

void TFormPage::PrintContinuationHeader(TVRCustomBand *band, bool &printBand)
{
    printBand = m_sheets > 1;
    if (printBand)
        band->Size().SetNativeHeight(LayOutContinuationHeader());
}

double TFormPage::LayOutContinuationHeader()
{
    auto *title = FindPrintable<TVRLabel>(m_report, QStringLiteral("vrlCiagDalszyTytul"));
    auto *document = FindPrintable<TVRLabel>(m_report, QStringLiteral("vrlCiagDalszyDokument"));
    auto *rule = FindPrintable<TVRShape>(m_report, QStringLiteral("vrsCiagDalszy"));
    if (!title || !document || !rule)
        return 0;
    const TPageFormRow *row = RowOfPageForm(objectName());
    const QString identity =
        row ? DocumentIdentity(*row, [](const QString &field) { return frmWydruk()->GetDocumentFieldValue(field); })
            : QString();
    title->SetCaption(row ? row->title : QString());
    document->SetCaption((identity.isEmpty() ? QString() : identity + QStringLiteral(" – ")) +
                         QStringLiteral("ciąg dalszy (strona dodatkowa)"));
    // Each as high as its lines, one under the other, and the rule under them.
    double top = 0;
    for (TVRLabel *l : {title, document}) {
        l->Size().SetNativeTop(top);
        l->Size().SetNativeHeight((double(l->FormattedLines().size()) * TVRTextMeasure(l->Font()).LineHeight() + 1) /
                                  kPageFactor);
        top += l->Size().NativeHeight();
    }
    rule->Size().SetNativeTop(top + 10);
    rule->Size().SetNativeHeight(5);
    return top + 40;
}

double TFormPage::FurtherSheetRoom()
{
    const TVRPage &page = m_report->Page();
    double room = page.NativeValue(TVRPage::LengthValue) - page.NativeValue(TVRPage::TopMarginValue) -
                  page.NativeValue(TVRPage::BottomMarginValue) - LayOutContinuationHeader();
    // Asked while the report runs: the bands as they are, not BandList(), which links the
    // controllers afresh.
    for (TVRCustomBand *band : m_report->findChildren<TVRCustomBand *>(Qt::FindDirectChildrenOnly)) {
        const TVRBandType type = band->BandType();
        if (type != TVRBandType::rbColumnHeader && type != TVRBandType::rbPageFooter)
            continue;
        for (TVRCustomBand *b = band; b; b = b->ChildBand())
            room -= m_bandHeights.value(b);
    }
    return room;
}

void TFormPage::PrintCarried(int index, TVRCustomBand *band, bool &printBand)
{
    if (index >= int(m_carried.size())) {
        printBand = false;
        return;
    }
    // The carried texts begin a sheet of their own, where no table runs on.
    if (index == 0)
        m_continuing = true;
    const Carried &carried = m_carried[size_t(index)];
    const std::vector<TVRPrintable *> labels = band->Printables();
    auto *heading = labels.size() == 2 ? qobject_cast<TVRLabel *>(labels[0]) : nullptr;
    auto *text = labels.size() == 2 ? qobject_cast<TVRLabel *>(labels[1]) : nullptr;
    if (!heading || !text)
        return;
    const double gap = 20; // 2 mm above the heading and below the text
    heading->SetCaption(carried.heading);
    heading->Size().SetNativeTop(gap);
    heading->Size().SetNativeHeight(
        (double(heading->FormattedLines().size()) * TVRTextMeasure(heading->Font()).LineHeight() + 1) / kPageFactor);
    text->SetFont(carried.font);
    text->SetCaption(carried.text);
    text->Size().SetNativeTop(gap + heading->Size().NativeHeight() + 10);
    text->Size().SetNativeHeight((TVRTextMeasure(carried.font).LineHeight() + 1) / kPageFactor);
    band->Size().SetNativeHeight(text->Size().NativeTop() + text->Size().NativeHeight() + gap);
}

void TFormPage::NoteItemCaption(const TVRPrintable *label, const QString &caption)
{
    m_itemCaptions.insert(label, caption);
}

int TFormPage::LinesHeld(const TVRCustomLabel &label)
{
    // As a label prints: a line prints while its bottom stays inside the box.
    const int frameTop = label.Frame().DrawTop() ? TVRFrame::Thickness(label.Frame().Width, kPageFactor) : 0;
    const int lineHeight = TVRTextMeasure(label.Font()).LineHeight();
    const double height = label.Size().NativeHeight() * kPageFactor;
    return lineHeight > 0 ? std::max(0, int((height - frameTop + 1e-6) / lineHeight)) : 0;
}

const TFormPage::Carried *TFormPage::CarriedFrom(const TVRCustomLabel &label, const QString &value) const
{
    for (const Carried &c : m_carried)
        if (c.from == &label && c.value == value)
            return &c;
    return nullptr;
}

QString TFormPage::CarriedHeading(const TVRCustomLabel &label) const
{
    const QString number = m_design.value(&label).itemNumber;
    const QString caption = m_itemCaptions.value(&label).trimmed();
    QString heading = number.isEmpty() ? caption : (caption.isEmpty() ? number : number + QLatin1Char(' ') + caption);
    return heading.isEmpty() ? QStringLiteral("Ciąg dalszy") : QStringLiteral("Ciąg dalszy: ") + heading;
}

QString TFormPage::CarryOver(TVRCustomLabel &label, const QString &value)
{
    // A label printed again in the same run (a page header on every sheet) prints what it
    // printed the first time; its rest is on the continuation sheet once.
    if (const Carried *c = CarriedFrom(label, value))
        return c->kept;
    // The lines of the text to print, as the label is sized now (a handler may have sized it).
    label.FormatLines();
    const int held = LinesHeld(label);
    const QStringList &formatted = label.FormattedLines();
    if (int(formatted.size()) <= held)
        return value;
    const QString text = UnifyLineBreaks(value);
    const TVRTextMeasure measure(label.Font());
    const double width = label.Size().NativeWidth() * kPageFactor;
    const int noteLines =
        measure.Width(kCarriedNote) <= width ? 1 : int(measure.Width(kCarriedNote) / std::max(width, 1.0)) + 2;
    const int keep = std::max(0, held - noteLines);
    // Where the lines kept end in the text: each line is a piece of its paragraph as
    // written (a word longer than a line is broken inside, so its pieces too), and a
    // paragraph's last line is followed by its line break.
    qsizetype at = 0;
    for (int i = 0; i < keep; ++i) {
        if (text.mid(at, formatted[i].size()) != formatted[i]) {
            at = 0; // lines that do not follow the text: the whole text goes on
            break;
        }
        at += formatted[i].size();
        if (at < text.size() && text[at] == QLatin1Char('\n'))
            ++at;
    }
    QString kept = text.left(at);
    if (!kept.isEmpty() && !kept.endsWith(QLatin1Char('\n')))
        kept += QLatin1Char('\n');
    kept += kCarriedNote;
    m_carried.push_back({&label, value, kept, CarriedHeading(label), text.mid(at), label.Font()});
    return kept;
}

QString TFormPage::FitOneLine(TVRCustomLabel &label, const QString &value)
{
    if (value.trimmed().isEmpty())
        return value;
    if (const Carried *c = CarriedFrom(label, value))
        return c->kept;
    const QFont design = label.Font();
    const int frame = TVRFrame::Thickness(label.Frame().Width, kPageFactor);
    const double width =
        label.PixelWidth() - (label.Frame().DrawLeft() ? frame : 0) - (label.Frame().DrawRight() ? frame : 0);
    const double height = label.Size().NativeHeight() * kPageFactor - (label.Frame().DrawTop() ? frame : 0);
    const QString text = UnifyLineBreaks(value);
    auto at = [&design](double points) {
        QFont f = design;
        f.setPointSizeF(points);
        return f;
    };
    // One line in the type of the form, else in smaller type, down to 6 pt.
    if (!text.contains(QLatin1Char('\n')))
        for (double points = design.pointSizeF(); points >= kSmallestType - 1e-9; points -= 0.5)
            if (TVRTextMeasure(at(points)).Width(text) <= width + 1e-6) {
                if (points != design.pointSizeF())
                    label.SetFont(at(points));
                return value;
            }
    // Then two lines, in the largest type two lines of it fit the box's height in.
    for (double points = design.pointSizeF(); points >= kSmallestType - 1e-9; points -= 0.5) {
        const QFont font = at(points);
        if (2 * TVRTextMeasure(font).LineHeight() > height + 1e-6)
            continue;
        const QStringList lines = BreakIntoLines(text, font, width);
        if (lines.size() <= 2) {
            label.SetFont(font);
            return lines.join(QLatin1Char('\n'));
        }
    }
    // What a box cannot hold even so goes whole to the continuation sheet; the box says so.
    QString note = kCarriedNote;
    for (double points = design.pointSizeF(); points >= kSmallestType - 1e-9; points -= 0.5)
        if (TVRTextMeasure(at(points)).Width(note) <= width + 1e-6 || points < kSmallestType + 0.5) {
            label.SetFont(at(points));
            break;
        }
    m_carried.push_back({&label, value, note, CarriedHeading(label), text, design});
    return note;
}

void TFormPage::AddControl(TVRCustomBand *band, const TLayoutControl &c)
{
    const QStringList &style = c.style;
    TVRPrintable *p = nullptr;
    if (c.kind == TLayoutControl::Text || c.kind == TLayoutControl::Value) {
        TVRCustomLabel *label = nullptr;
        if (c.kind == TLayoutControl::Text && has(style, "pageno")) {
            auto *number = new TVRSysData(band);
            number->SetData(TVRSysDataType::vrsPageNumber);
            label = number;
        } else {
            label = new TVRLabel(band);
        }
        label->SetAutoSize(false);
        label->SetWordWrap(!has(style, "nowrap"));
        label->SetAutoStretch(has(style, "stretch"));
        label->SetTransparent(true);
        label->SetFont(fontOf(m_layout, style));
        if (has(style, "center"))
            label->SetAlignment(TAlignment::taCenter);
        else if (has(style, "right"))
            label->SetAlignment(TAlignment::taRightJustify);
        for (const QString &t : style) {
            if (t == QLatin1String("frame")) {
                label->Frame().SetAll(true);
            } else if (t.startsWith(QLatin1String("frame="))) {
                label->Frame().SetDrawLeft(t.contains(QLatin1Char('L')));
                label->Frame().SetDrawTop(t.contains(QLatin1Char('T')));
                label->Frame().SetDrawRight(t.contains(QLatin1Char('R')));
                label->Frame().SetDrawBottom(t.contains(QLatin1Char('B')));
            }
        }
        p = label;
    } else {
        auto *shape = new TVRShape(band);
        shape->SetShape(figureOf(style));
        QPen pen(Qt::black);
        for (const QString &t : style)
            if (t.startsWith(QLatin1String("pen=")))
                pen.setWidth(t.mid(4).toInt());
        if (has(style, "dot"))
            pen.setStyle(Qt::DotLine);
        else if (has(style, "dash"))
            pen.setStyle(Qt::DashLine);
        shape->SetPen(pen);
        shape->SetBrush(has(style, "fill") ? QBrush(Qt::black) : has(style, "white") ? QBrush(Qt::white) : QBrush());
        shape->SetTransparent(true);
        p = shape;
    }
    TVRPrintableSize &s = p->Size();
    s.SetNativeLeft(c.left * 10);
    s.SetNativeTop(c.top * 10);
    s.SetNativeWidth(c.width * 10);
    s.SetNativeHeight(c.height * 10);
    // Naming gives an empty label its name as caption; the table's caption replaces it,
    // so a value label never prints the name it is found by.
    p->SetName(c.name);
    if (auto *number = qobject_cast<TVRSysData *>(p))
        number->SetText(c.text.isEmpty() ? c.text : c.text + QLatin1Char(' '));
    else if (auto *label = qobject_cast<TVRLabel *>(p))
        label->SetCaption(c.text);
    p->SetEnabled(!has(style, "off"));
    m_components.push_back(p);
    m_design.insert(p, Design{c.kind, c.text, p->Enabled(), s.NativeHeight(), c.itemNumber});
    // A value that wraps in its box, as the box is when it prints, hands on what it cannot
    // hold; a one-line value fits itself to its box first.
    if (auto *label = qobject_cast<TVRLabel *>(p); label && CarriesOver(c))
        label->OnPrint = [this](QObject *sender, QString &value) {
            if (auto *l = qobject_cast<TVRCustomLabel *>(sender))
                value = CarryOver(*l, value);
        };
    else if (label && OneLine(c))
        label->OnPrint = [this](QObject *sender, QString &value) {
            if (auto *l = qobject_cast<TVRCustomLabel *>(sender))
                value = FitOneLine(*l, value);
        };
}

TVRLabel *TFormPage::Label(const QString &name) const
{
    return FindPrintable<TVRLabel>(m_report, name);
}

TVRShape *TFormPage::Shape(const QString &name) const
{
    return FindPrintable<TVRShape>(m_report, name);
}

TVRCustomBand *TFormPage::Band(const QString &name) const
{
    return m_report->findChild<TVRCustomBand *>(name, Qt::FindDirectChildrenOnly);
}

TLayoutControl::Kind TFormPage::KindOf(const TVRPrintable *component) const
{
    return m_design.value(component).kind;
}

QString TFormPage::DesignCaption(const TVRPrintable *component) const
{
    return m_design.value(component).caption;
}

bool TFormPage::DesignEnabled(const TVRPrintable *component) const
{
    const auto it = m_design.constFind(component);
    return it == m_design.constEnd() || it->enabled;
}

double TFormPage::DesignHeight(const TVRPrintable *component) const
{
    return m_design.value(component).height;
}

double TFormPage::DesignBandHeight(const TVRCustomBand *band) const
{
    return m_bandHeights.value(band);
}

bool TFormPage::BlankForms()
{
    return frmWydruk()->BlankForms();
}

} // namespace printouts
