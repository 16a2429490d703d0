#pragma once

// The page of a report and the size of a band, in the unit the report is laid out in.
//
// Lengths are kept in tenths of a millimetre and read or written through the current
// unit, like the sizes of the controls (vr_units.h). A named paper fixes the page's
// width and length (swapped in landscape); only a Custom page takes them from the
// layout.

#include "reportengine/vr_printer_settings.h"
#include "reportengine/vr_units.h"

#include <QList>

#include <array>
#include <functional>

namespace reportengine {

class TVRBandSize : public TVRUnitBase
{
public:
    double Height() const { return LoadUnit(m_height, Units(), false); }
    double Width() const { return LoadUnit(m_width, Units(), true); }
    void SetHeight(double v) { SetNative(m_height, SaveUnit(v, Units(), false)); }
    void SetWidth(double v) { SetNative(m_width, SaveUnit(v, Units(), true)); }

    double NativeHeight() const { return m_height; }
    double NativeWidth() const { return m_width; }
    void SetNativeHeight(double v) { SetNative(m_height, v); }
    void SetNativeWidth(double v) { SetNative(m_width, v); }

    // Called after the width changed (the band's controls re-align).
    std::function<void()> OnWidthChange;

private:
    void SetNative(double &field, double v);

    double m_height = 20;
    double m_width = 40;
};

class TVRPage : public TVRUnitBase
{
public:
    // The indexed values, in the order they are stored.
    enum Value {
        BottomMarginValue = 0,
        LengthValue,
        TopMarginValue,
        WidthValue,
        LeftMarginValue,
        RightMarginValue,
        ColumnSpaceValue
    };
    static constexpr int kValueCount = 7;

    // A page in the units, paper and margins of the desktop's measurement system:
    // millimetres, A4 and 10 mm margins, or inches, Letter and half-inch margins where
    // the measurement system is the U.S. one.
    TVRPage();

    // A value in the current unit (an index past the table reads ColumnSpace).
    double GetValue(int index) const;
    // Length and Width are taken only for a Custom paper.
    void SetValue(int index, double value);
    double NativeValue(int index) const { return m_values[ValueIndex(index)]; }
    void SetNativeValue(int index, double value);

    double BottomMargin() const { return GetValue(BottomMarginValue); }
    double Length() const { return GetValue(LengthValue); }
    double TopMargin() const { return GetValue(TopMarginValue); }
    double Width() const { return GetValue(WidthValue); }
    double LeftMargin() const { return GetValue(LeftMarginValue); }
    double RightMargin() const { return GetValue(RightMarginValue); }
    double ColumnSpace() const { return GetValue(ColumnSpaceValue); }
    void SetBottomMargin(double v) { SetValue(BottomMarginValue, v); }
    void SetLength(double v) { SetValue(LengthValue, v); }
    void SetTopMargin(double v) { SetValue(TopMarginValue, v); }
    void SetWidth(double v) { SetValue(WidthValue, v); }
    void SetLeftMargin(double v) { SetValue(LeftMarginValue, v); }
    void SetRightMargin(double v) { SetValue(RightMarginValue, v); }
    void SetColumnSpace(double v) { SetValue(ColumnSpaceValue, v); }

    int Columns() const { return m_columns; }
    // Only values above 0 are taken.
    void SetColumns(int columns);
    TPrinterOrientation Orientation() const { return m_orientation; }
    // Applies the paper size again, so the width and length swap.
    void SetOrientation(TPrinterOrientation orientation);
    TVRPaperSize PaperSize() const { return m_paperSize; }
    // A named paper sets Width and Length from the paper table; Default and Custom
    // leave them as they are.
    void SetPaperSize(TVRPaperSize size);
    bool Ruler = true;

    // The stored "Values": every indexed value in native units, in index order.
    QList<double> Values() const;
    void SetValues(const QList<double> &values);

    // Called after anything changed (the report lays its bands out again).
    std::function<void()> OnChange;

private:
    static int ValueIndex(int index) { return index >= 0 && index < kValueCount ? index : ColumnSpaceValue; }
    static bool Horizontal(int index);
    void Changed();

    std::array<double, kValueCount> m_values{};
    int m_columns = 1;
    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TVRPaperSize m_paperSize = TVRPaperSize::A4;
};

} // namespace reportengine
