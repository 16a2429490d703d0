#include "reportengine/vr_page_setup.h"

#include <QLocale>

#include <cmath>

namespace reportengine {

void TVRBandSize::SetNative(double &field, double v)
{
    if (!std::isfinite(v) || field == v)
        return;
    field = v;
    if (&field == &m_width && OnWidthChange)
        OnWidthChange();
}

TVRPage::TVRPage()
{
    const bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const double margin = us ? 127 : 100;
    m_values[BottomMarginValue] = m_values[TopMarginValue] = margin;
    m_values[LeftMarginValue] = m_values[RightMarginValue] = margin;
    SetUnits(us ? TVRUnit::Inches : TVRUnit::MM);
    SetPaperSize(us ? TVRPaperSize::Letter : TVRPaperSize::A4);
}

bool TVRPage::Horizontal(int index)
{
    switch (ValueIndex(index)) {
    case BottomMarginValue:
    case LengthValue:
    case TopMarginValue:
        return false;
    default:
        return true;
    }
}

double TVRPage::GetValue(int index) const
{
    return LoadUnit(m_values[ValueIndex(index)], Units(), Horizontal(index));
}

void TVRPage::SetValue(int index, double value)
{
    SetNativeValue(index, SaveUnit(value, Units(), Horizontal(index)));
}

void TVRPage::SetNativeValue(int index, double value)
{
    const int i = ValueIndex(index);
    if ((i == LengthValue || i == WidthValue) && m_paperSize != TVRPaperSize::Custom)
        return;
    if (!std::isfinite(value) || m_values[i] == value)
        return;
    m_values[i] = value;
    Changed();
}

void TVRPage::SetColumns(int columns)
{
    if (columns <= 0 || columns == m_columns)
        return;
    m_columns = columns;
    Changed();
}

void TVRPage::SetOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    SetPaperSize(m_paperSize);
}

void TVRPage::SetPaperSize(TVRPaperSize size)
{
    m_paperSize = size;
    if (size != TVRPaperSize::Default && size != TVRPaperSize::Custom) {
        const TVRPaperInfo &info = PaperInfo(size);
        double w = info.WidthMm * 10;
        double l = info.LengthMm * 10;
        if (m_orientation == TPrinterOrientation::poLandscape)
            std::swap(w, l);
        m_values[WidthValue] = w;
        m_values[LengthValue] = l;
    }
    Changed();
}

QList<double> TVRPage::Values() const
{
    return QList<double>(m_values.begin(), m_values.end());
}

void TVRPage::SetValues(const QList<double> &values)
{
    for (int i = 0; i < kValueCount && i < values.size(); ++i)
        if (std::isfinite(values[i]))
            m_values[i] = values[i];
    Changed();
}

void TVRPage::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace reportengine
