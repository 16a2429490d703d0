#include "printouts/form_page.h"

#include "printouts/frm_wydruk.h"

#include "reportengine/vr_data_labels.h"

#include <QFile>

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
        frmWydruk()->FillPageLabels(*this);
        AfterFill();
    };
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
    r.SetUnits(TVRUnit::MM);
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
    m_design.insert(p, Design{c.kind, c.text, p->Enabled(), s.NativeHeight()});
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
