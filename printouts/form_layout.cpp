#include "printouts/form_layout.h"

#include "reportengine/vr_report_producer.h"

#include <QRegularExpression>
#include <QSet>

namespace printouts {

using reportengine::TVRBandType;

namespace {

const QRegularExpression &identifier()
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re;
}

// A length in millimetres: digits with an optional "." part, never negative.
bool readLength(const QString &text, double &value)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,4}(\\.[0-9]{1,3})?$"));
    if (!re.match(text).hasMatch())
        return false;
    value = text.toDouble();
    return true;
}

bool readLengths(const QString &text, int count, double *values)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return false;
    for (int i = 0; i < count; ++i)
        if (!readLength(parts[i].trimmed(), values[i]))
            return false;
    return true;
}

bool isPointSize(const QString &token, double *size = nullptr)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,2}(\\.[0-9])?)pt$"));
    const auto m = re.match(token);
    if (!m.hasMatch())
        return false;
    const double v = m.captured(1).toDouble();
    if (v < 4 || v > 72)
        return false;
    if (size)
        *size = v;
    return true;
}

bool isTextStyle(const QString &t)
{
    static const QSet<QString> plain = {"b",      "i",       "u",     "left", "center", "right",
                                        "nowrap", "stretch", "frame", "off",  "grows",  "pageno"};
    if (plain.contains(t) || !FontFamilyOfToken(t).isEmpty() || isPointSize(t))
        return true;
    static const QRegularExpression frame(QStringLiteral("^frame=[LTRB]{1,4}$"));
    static const QRegularExpression item(QStringLiteral("^no=([0-9IVXa-z.)]{1,12}|-)$"));
    return frame.match(t).hasMatch() || item.match(t).hasMatch();
}

bool isShapeStyle(const QString &t)
{
    static const QSet<QString> plain = {"rect",      "hline", "vline", "topbottom", "sides", "circle",
                                        "roundrect", "dot",   "dash",  "fill",      "white", "off"};
    if (plain.contains(t))
        return true;
    static const QRegularExpression pen(QStringLiteral("^pen=[1-9]$"));
    return pen.match(t).hasMatch();
}

bool bandTypeOf(const QString &name, TVRBandType &type)
{
    static const QList<QPair<QString, TVRBandType>> types = {
        {"pageheader", TVRBandType::rbPageHeader}, {"title", TVRBandType::rbTitle},
        {"detail", TVRBandType::rbDetail},         {"pagefooter", TVRBandType::rbPageFooter},
        {"summary", TVRBandType::rbSummary},       {"child", TVRBandType::rbChild},
        {"subdetail", TVRBandType::rbSubDetail},   {"group", TVRBandType::rbGroupHeader},
        {"columnheader", TVRBandType::rbColumnHeader}};
    for (const auto &t : types)
        if (t.first == name) {
            type = t.second;
            return true;
        }
    return false;
}

QStringList tokens(const QString &column)
{
    return column.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class Parser
{
public:
    Parser(QStringList &errors) : m_errors(errors) {}

    TFormLayout Run(const QString &text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            QString line = lines[i];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
                continue;
            Record(line);
        }
        m_line = 0;
        if (!m_haveReport)
            Error(QStringLiteral("no report record"));
        CheckLinks();
        return m_layout;
    }

private:
    void Error(const QString &message)
    {
        m_errors << (m_line > 0 ? QStringLiteral("line %1: %2").arg(m_line).arg(message) : message);
    }

    // Splits "kind | a | b | rest": the last of `count` columns takes the rest of the line.
    static QStringList Columns(const QString &line, int count)
    {
        QStringList out;
        qsizetype from = 0;
        for (int c = 0; c < count - 1; ++c) {
            const qsizetype bar = line.indexOf(QLatin1Char('|'), from);
            if (bar < 0)
                break;
            out << line.mid(from, bar - from).trimmed();
            from = bar + 1;
        }
        out << line.mid(from).trimmed();
        return out;
    }

    void Record(const QString &line)
    {
        const QString kind = line.section(QLatin1Char('|'), 0, 0).trimmed();
        if (kind == QLatin1String("report"))
            return Report(Columns(line, 3));
        if (!m_haveReport)
            return Error(QStringLiteral("the first record must be the report"));
        if (kind == QLatin1String("band"))
            return Band(Columns(line, 5));
        if (kind == QLatin1String("text") || kind == QLatin1String("value"))
            return Control(Columns(line, 5),
                           kind == QLatin1String("text") ? TLayoutControl::Text : TLayoutControl::Value);
        if (kind == QLatin1String("shape") || kind == QLatin1String("tick"))
            return Control(Columns(line, 4),
                           kind == QLatin1String("shape") ? TLayoutControl::Shape : TLayoutControl::Tick);
        Error(QStringLiteral("unknown record \"%1\"").arg(kind));
    }

    bool Name(const QString &name)
    {
        if (!identifier().match(name).hasMatch()) {
            Error(QStringLiteral("\"%1\" is not a name").arg(name));
            return false;
        }
        if (m_names.contains(name)) {
            Error(QStringLiteral("the name %1 is used twice").arg(name));
            return false;
        }
        m_names.insert(name);
        return true;
    }

    void Report(const QStringList &c)
    {
        if (m_haveReport)
            return Error(QStringLiteral("a second report record"));
        m_haveReport = true;
        m_layout.options = reportengine::FirstPageHeader | reportengine::LastPageFooter;
        if (c.size() < 2 || !Name(c[1]))
            return Error(QStringLiteral("report: a name is needed"));
        m_layout.reportName = c[1];
        for (const QString &t : tokens(c.value(2))) {
            double size = 0;
            if (const QString family = FontFamilyOfToken(t); !family.isEmpty()) {
                m_layout.fontFamily = family;
            } else if (isPointSize(t, &size)) {
                m_layout.fontSize = size;
            } else if (t.startsWith(QLatin1String("margins="))) {
                if (!readLengths(t.mid(8), 4, m_layout.margins))
                    Error(QStringLiteral("margins: four lengths are needed"));
            } else if (t.startsWith(QLatin1String("options="))) {
                m_layout.options = 0;
                for (const QString &o : t.mid(8).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    if (o == QLatin1String("FirstPageHeader"))
                        m_layout.options |= reportengine::FirstPageHeader;
                    else if (o == QLatin1String("LastPageFooter"))
                        m_layout.options |= reportengine::LastPageFooter;
                    else
                        Error(QStringLiteral("unknown option %1").arg(o));
                }
            } else {
                Error(QStringLiteral("unknown report style %1").arg(t));
            }
        }
    }

    void Band(const QStringList &c)
    {
        if (c.size() < 4)
            return Error(QStringLiteral("band: name, type and height are needed"));
        TLayoutBand band;
        band.line = m_line;
        band.name = c[1];
        if (!Name(band.name))
            return;
        if (!bandTypeOf(c[2], band.type))
            return Error(QStringLiteral("unknown band type %1").arg(c[2]));
        if (!readLength(c[3], band.height))
            return Error(QStringLiteral("band height %1 is not a length").arg(c[3]));
        for (const QString &t : tokens(c.value(4))) {
            if (t == QLatin1String("newpage"))
                band.newPage = true;
            else if (t == QLatin1String("bottom"))
                band.alignToBottom = true;
            else if (t.startsWith(QLatin1String("parent=")))
                band.parent = t.mid(7);
            else if (t.startsWith(QLatin1String("master=")))
                band.master = t.mid(7);
            else
                Error(QStringLiteral("unknown band style %1").arg(t));
        }
        if (band.type == TVRBandType::rbChild && band.parent.isEmpty())
            Error(QStringLiteral("child band %1 needs parent=").arg(band.name));
        if (band.type != TVRBandType::rbChild && !band.parent.isEmpty())
            Error(QStringLiteral("only a child band has a parent"));
        if (!band.master.isEmpty() && band.type != TVRBandType::rbSubDetail && band.type != TVRBandType::rbGroupHeader)
            Error(QStringLiteral("only sub-details and groups have a master"));
        m_layout.bands.push_back(band);
    }

    void Control(const QStringList &c, TLayoutControl::Kind kind)
    {
        if (m_layout.bands.empty())
            return Error(QStringLiteral("a control before the first band"));
        if (c.size() < 3)
            return Error(QStringLiteral("a control needs a name and a box"));
        TLayoutControl control;
        control.kind = kind;
        control.line = m_line;
        const bool isShape = kind == TLayoutControl::Shape || kind == TLayoutControl::Tick;
        QString name = c[1];
        if (name == QLatin1String("-")) {
            if (kind == TLayoutControl::Value || kind == TLayoutControl::Tick)
                return Error(QStringLiteral("a value label or tick needs the name of its field"));
            // Fixed texts and lines carry default names, numbered through the page.
            name = isShape ? QStringLiteral("VRShape%1").arg(++m_shapes) : QStringLiteral("VRLabel%1").arg(++m_labels);
        }
        if (!Name(name))
            return;
        control.name = name;
        double box[4];
        if (!readLengths(c[2], 4, box))
            return Error(QStringLiteral("%1: the box must be left,top,width,height in mm").arg(name));
        control.left = box[0];
        control.top = box[1];
        control.width = box[2];
        control.height = box[3];
        control.style = tokens(c.value(3));
        for (const QString &t : control.style)
            if (isShape ? !isShapeStyle(t) : !isTextStyle(t))
                Error(QStringLiteral("%1: unknown style %2").arg(name, t));
        if (!isShape)
            control.text = c.value(4).replace(QLatin1String("\\n"), QLatin1String("\n"));
        m_layout.bands.back().controls.push_back(control);
    }

    void CheckLinks()
    {
        QSet<QString> bands;
        for (const TLayoutBand &b : m_layout.bands)
            bands.insert(b.name);
        for (const TLayoutBand &b : m_layout.bands) {
            m_line = b.line;
            if (!b.parent.isEmpty() && (!bands.contains(b.parent) || b.parent == b.name))
                Error(QStringLiteral("band %1: no band %2 to follow").arg(b.name, b.parent));
            if (!b.master.isEmpty() && (!bands.contains(b.master) || b.master == b.name))
                Error(QStringLiteral("band %1: no master band %2").arg(b.name, b.master));
        }
        m_line = 0;
    }

    QStringList &m_errors;
    TFormLayout m_layout;
    QSet<QString> m_names;
    bool m_haveReport = false;
    int m_line = 0;
    int m_labels = 0;
    int m_shapes = 0;
};

} // namespace

std::vector<const TLayoutControl *> TFormLayout::Controls() const
{
    std::vector<const TLayoutControl *> out;
    for (const TLayoutBand &b : bands)
        for (const TLayoutControl &c : b.controls)
            out.push_back(&c);
    return out;
}

QString FontFamilyOfToken(const QString &token)
{
    if (token == QLatin1String("sans"))
        return QStringLiteral("Arial");
    if (token == QLatin1String("serif"))
        return QStringLiteral("Times New Roman");
    if (token == QLatin1String("mono"))
        return QStringLiteral("Courier New");
    return QString();
}

namespace {

// The item numbers of the values: numbered captions count in table order, a section's
// ("III. INFORMACJE ...") starting its items afresh.
void NumberItems(TFormLayout &layout)
{
    static const QRegularExpression section(QStringLiteral("^([IVX]+)\\.\\s"));
    static const QRegularExpression item(QStringLiteral("^([0-9]{1,2})\\.\\s"));
    QString sectionNo, itemNo;
    for (TLayoutBand &band : layout.bands)
        for (TLayoutControl &c : band.controls) {
            if (c.kind == TLayoutControl::Text) {
                if (const auto m = section.match(c.text); m.hasMatch()) {
                    sectionNo = m.captured(1) + QLatin1Char('.');
                    itemNo.clear();
                } else if (const auto n = item.match(c.text); n.hasMatch()) {
                    itemNo = n.captured(1) + QLatin1Char('.');
                }
                continue;
            }
            if (c.kind != TLayoutControl::Value)
                continue;
            c.itemNumber = sectionNo + itemNo;
            for (const QString &t : c.style)
                if (t.startsWith(QLatin1String("no=")))
                    c.itemNumber = t == QLatin1String("no=-") ? QString() : t.mid(3);
        }
}

} // namespace

TFormLayout ParseFormLayout(const QString &text, QStringList &errors)
{
    TFormLayout layout = Parser(errors).Run(text);
    NumberItems(layout);
    return layout;
}

} // namespace printouts
