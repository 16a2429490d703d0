#include "printouts/measurement_result_text.h"

#include <QStringList>

#include <vector>

namespace printouts {

namespace {

const QString kPrinted = QStringLiteral("T");
const QString kTrue = QStringLiteral("True");

// The items with the print marks this text works with, so the measurement keeps its own.
class TMarkedFields
{
public:
    explicit TMarkedFields(const storage::TPomiarList &fields) : m_fields(fields)
    {
        m_marks.reserve(fields.size());
        for (const auto &f : fields)
            m_marks.push_back(f->druk() == kPrinted);
    }

    size_t Count() const { return m_fields.size(); }
    const storage::TPomiar &At(size_t i) const { return *m_fields[i]; }
    bool Printed(size_t i) const { return m_marks[i]; }
    void SetPrinted(size_t i, bool printed) { m_marks[i] = printed; }

    // Drops the mark of every item whose name contains one of the parts.
    void UnmarkContaining(const QStringList &parts)
    {
        for (size_t i = 0; i < Count(); ++i)
            for (const QString &part : parts)
                if (At(i).nazwa().contains(part))
                    m_marks[i] = false;
    }
    void UnmarkNamed(const QStringList &names)
    {
        for (size_t i = 0; i < Count(); ++i)
            if (names.contains(At(i).nazwa()))
                m_marks[i] = false;
    }
    void MarkNamed(const QString &name)
    {
        for (size_t i = 0; i < Count(); ++i)
            if (At(i).nazwa() == name)
                m_marks[i] = true;
    }
    // The first item whose name contains part (of the type, when one is given), or nullptr.
    const storage::TPomiar *Containing(const QString &part, const QString &typ = QString()) const
    {
        for (const auto &f : m_fields)
            if (f->nazwa().contains(part) && (typ.isEmpty() || f->typ() == typ))
                return f.get();
        return nullptr;
    }
    bool ValueIsTrue(const QString &exactName) const
    {
        const storage::TPomiar *f = storage::FindField(m_fields, exactName);
        return f && f->Value == kTrue;
    }

private:
    const storage::TPomiarList &m_fields;
    std::vector<bool> m_marks;
};

// The n-th of the ";"-separated texts (from 1); the last one when there are fewer.
QString delimitedItem(const QString &text, int n)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    return n >= 1 && n <= parts.size() ? parts.at(n - 1) : parts.last();
}

// A field value as a number; false when it is none (a comma counts as the point).
bool numberOf(const QString &value, double &number)
{
    bool ok = false;
    number = QString(value).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    return ok;
}

QString labelOf(const storage::TPomiar &f)
{
    return f.skrot().isEmpty() ? f.etyk : f.skrot();
}

// The summation boxes of chemical substances and dusts: the sum's items print only when
// the box before them is ticked; the two "NDSCh" boxes only when ticked.
void unmarkSums(TMarkedFields &fields)
{
    size_t ticked = fields.Count();
    for (size_t i = 0; i < fields.Count(); ++i) {
        const storage::TPomiar &f = fields.At(i);
        if (f.typ() == QLatin1String("checkbox") && f.enabled && f.nazwa().contains(QLatin1String("SumNDS")) &&
            f.Value == kTrue) {
            ticked = i;
            break;
        }
    }
    for (size_t i = 0; i < ticked; ++i)
        if (fields.At(i).nazwa().contains(QLatin1String("SumNDS")))
            fields.SetPrinted(i, false);
}

void unmarkShortTermBoxes(TMarkedFields &fields)
{
    for (size_t i = 0; i < fields.Count(); ++i) {
        const storage::TPomiar &f = fields.At(i);
        if (f.enabled &&
            (f.nazwa().contains(QLatin1String("cbOdstep15NDSCh")) || f.nazwa().contains(QLatin1String("cbWieleNDSCh"))) &&
            f.Value != kTrue)
            fields.SetPrinted(i, false);
    }
}

// Vibration: the maximum values print only with the exposure-time box ticked.
void unmarkVibrationMaxima(TMarkedFields &fields, int factorId)
{
    const storage::TPomiar *box = fields.Containing(QStringLiteral("cbCzasEksp"), QStringLiteral("checkbox"));
    if (box && box->Value == kTrue)
        return;
    QStringList parts = {QStringLiteral("pMaksSW"),    QStringLiteral("lMaksWartZm"), QStringLiteral("lMaksWartDp"),
                         QStringLiteral("lMaksKrotn"), QStringLiteral("MaksWartZm"),  QStringLiteral("MaksWartDop"),
                         QStringLiteral("MaksKrotn")};
    if (factorId == 10200)
        parts << QStringLiteral("lMaksWartDopMl") << QStringLiteral("MaksWartDopMl") << QStringLiteral("MaksKrotnMl");
    else
        parts << QStringLiteral("lMaksWartDopMlKc") << QStringLiteral("MaksWartDopMlKc")
              << QStringLiteral("MaksKrotnMlKc");
    fields.UnmarkContaining(parts);
}

// Laser radiation (form 2): the second and third results print only where the emission
// and the wavelength give them.
void unmarkLaserResults(TMarkedFields &fields)
{
    double wavelength = 0;
    const storage::TPomiar *w = fields.Containing(QStringLiteral("DlugFal"), QStringLiteral("edit"));
    if (!w || !numberOf(w->Value, wavelength))
        wavelength = 0;
    int emission = 0; // 0 continuous, 1 pulsed
    if (const storage::TPomiar *c = fields.Containing(QStringLiteral("cPromieniowanie"), QStringLiteral("combo"))) {
        double n = 0;
        if (c->Value.trimmed() == QLatin1String("impulsowe"))
            emission = 1;
        else if (numberOf(c->Value, n))
            emission = int(n);
    }
    const QStringList third = {QStringLiteral("lParam3"), QStringLiteral("WartZm3"), QStringLiteral("WartDop3"),
                               QStringLiteral("Krotn3")};
    const QStringList second = {QStringLiteral("lParam2"), QStringLiteral("WartZm2"), QStringLiteral("WartDop2"),
                                QStringLiteral("Krotn2")};
    if (emission == 0) {
        fields.UnmarkContaining(third);
        if (wavelength >= 600)
            fields.UnmarkContaining(second);
    } else if (emission == 1 && wavelength >= 600) {
        fields.UnmarkContaining(third);
    }
}

void prepareMarks(TMarkedFields &fields, int factorId, const QString &group, const QString &version)
{
    if (factorId == 10200 || factorId == 10100)
        unmarkVibrationMaxima(fields, factorId);
    if (group == QLatin1String("chem")) {
        unmarkSums(fields);
        unmarkShortTermBoxes(fields);
    } else if (group == QLatin1String("pyly")) {
        unmarkSums(fields);
    }
    if (factorId == 50006 && version == QLatin1String("2"))
        unmarkLaserResults(fields);
    if (factorId == 50002 && !fields.ValueIsTrue(QStringLiteral("PracaZewn"))) {
        if (version == QLatin1String("2"))
            fields.UnmarkNamed({QStringLiteral("lWartZm"), QStringLiteral("lWartDp"), QStringLiteral("lKrotnWCI"),
                                QStringLiteral("WartZm"), QStringLiteral("WartDop"), QStringLiteral("KrotnWCI"),
                                QStringLiteral("pWCI")});
        else if (version == QLatin1String("3"))
            fields.UnmarkNamed({QStringLiteral("lWartZm"), QStringLiteral("lWartDp"), QStringLiteral("lKrotnTwc"),
                                QStringLiteral("WartZm"), QStringLiteral("WartDop"), QStringLiteral("KrotnTwc"),
                                QStringLiteral("lCzasNar"), QStringLiteral("CzasNar"), QStringLiteral("ptwc")});
    }
    if (factorId == 50008 && version == QLatin1String("2") && !fields.ValueIsTrue(QStringLiteral("cbZagrTO")))
        fields.UnmarkNamed({QStringLiteral("TOParam"), QStringLiteral("lTOWartZm"), QStringLiteral("lTOWartDp"),
                            QStringLiteral("lTOKrotn"), QStringLiteral("TOWartZm"), QStringLiteral("TOWartDop"),
                            QStringLiteral("TOKrotn")});
}

// The suffix of the band with the largest multiple among the items named prefix + band;
// a value that is not a number is no candidate.
QString loudestBand(const TMarkedFields &fields, const QString &prefix)
{
    QString band = QStringLiteral("10");
    double largest = 0.0;
    for (size_t i = 0; i < fields.Count(); ++i) {
        const storage::TPomiar &f = fields.At(i);
        const qsizetype at = f.nazwa().indexOf(prefix);
        double value = 0;
        if (at < 0 || !numberOf(f.Value, value) || value <= largest)
            continue;
        largest = value;
        band = f.nazwa().mid(at + prefix.size(), 2);
    }
    return band;
}

// Ultrasonic noise: only the parameters and the results of the loudest bands print.
void selectUltrasoundBands(TMarkedFields &fields, const QString &version)
{
    for (size_t i = 0; i < fields.Count(); ++i)
        if (fields.At(i).param() != 1)
            fields.SetPrinted(i, false);
    const QString s = loudestBand(fields, QStringLiteral("PCKrotn_"));
    const QString m = loudestBand(fields, QStringLiteral("PMKrotn_"));
    QStringList names = {QStringLiteral("lPCCzest_"), QStringLiteral("PCWartZm_"), QStringLiteral("PCWartDop_"),
                         QStringLiteral("PCKrotn_")};
    QStringList peak = {QStringLiteral("lPMCzest_"), QStringLiteral("PMWartZm_"), QStringLiteral("PMWartDop_")};
    if (version == QLatin1String("1")) {
        names << QStringLiteral("lPCWartDopMl_") << QStringLiteral("PCWartZmMl_") << QStringLiteral("PCWartDopMl_")
              << QStringLiteral("PCKrotnMl_") << QStringLiteral("lPCWartDopKc_") << QStringLiteral("PCWartZmKc_")
              << QStringLiteral("PCWartDopKc_") << QStringLiteral("PCKrotnKc_");
    } else if (version == QLatin1String("2")) {
        names << QStringLiteral("lPCWartDopKcMl_") << QStringLiteral("PCWartDopKcMl_")
              << QStringLiteral("PCKrotnKcMl_");
        peak << QStringLiteral("lPMWartDopKc_") << QStringLiteral("PMWartDopKc_") << QStringLiteral("PMKrotnKc_")
             << QStringLiteral("PMKrotn_");
    }
    for (const QString &name : names)
        fields.MarkNamed(name + s);
    for (const QString &name : peak)
        fields.MarkNamed(name + m);
    fields.MarkNamed(QStringLiteral("Niepewnosc"));
}

QString parameterLines(const TMarkedFields &fields)
{
    QString text;
    for (size_t i = 0; i < fields.Count(); ++i) {
        const storage::TPomiar &f = fields.At(i);
        if (!fields.Printed(i))
            continue;
        if (f.param() == 1)
            text += f.skrot() + (f.ChoiceNr != 0 ? delimitedItem(f.etyk, f.ChoiceNr) : f.etyk) + QLatin1Char('\n');
        else if (f.param() == 2)
            text += f.skrot() + QLatin1Char('\n');
    }
    return text;
}

QString resultLines(const TMarkedFields &fields)
{
    QString text;
    for (size_t i = 0; i < fields.Count(); ++i) {
        const storage::TPomiar &f = fields.At(i);
        if (!fields.Printed(i) || (f.param() != 0 && f.wydrwart().isEmpty()))
            continue;
        if (f.wydropis().isEmpty()) {
            text += labelOf(f) + QLatin1Char('\n');
            continue;
        }
        QString line;
        QString value = f.Value;
        for (size_t j = 0; j < fields.Count(); ++j) {
            const storage::TPomiar &g = fields.At(j);
            if (g.nazwa() == f.wydropis())
                line += labelOf(g);
            if (!f.wydrwart().isEmpty() && g.nazwa() == f.wydrwart())
                value = g.Value;
        }
        text += line + value + QLatin1Char('\n');
    }
    return text;
}

} // namespace

QString MeasurementResultText(const storage::TPomiarList &fields, int factorId, const QString &group,
                              const QString &formVersion)
{
    TMarkedFields marked(fields);
    prepareMarks(marked, factorId, group, formVersion);
    QString text = parameterLines(marked);
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    if (factorId == 30003 && (formVersion == QLatin1String("1") || formVersion == QLatin1String("2")))
        selectUltrasoundBands(marked, formVersion);
    return text + resultLines(marked);
}

} // namespace printouts
