#pragma once

// Lengths of a report. Every length is kept in tenths of a millimetre ("native") and
// read or written in the unit its size object currently uses: a report switches all
// of them to Native for a run and back afterwards, so layouts may be written in any
// unit. Pixels are screen pixels at Resolution per inch, scaled by the zoom.

#include <functional>

namespace reportengine {

class TVRReportHost;

enum class TVRUnit { MM, Inches, Pixels, Characters, Native };

class TVRUnitBase
{
public:
    virtual ~TVRUnitBase() = default;

    int Resolution = 96; // screen pixels per inch
    int Zoom = 100;      // percent
    // The report whose font sizes a character for the Characters unit (Arial 10 pt
    // without one).
    TVRReportHost *ParentReport = nullptr;

    TVRUnit Units() const { return m_units; }
    virtual void SetUnits(TVRUnit units) { m_units = units; }
    // A temporary switch, undone by RestoreUnits.
    void SaveUnits() { m_savedUnits = m_units; }
    void RestoreUnits() { SetUnits(m_savedUnits); }

    // Native value v in the unit; SaveUnit is the exact inverse.
    double LoadUnit(double v, TVRUnit unit, bool horizontal) const;
    double SaveUnit(double v, TVRUnit unit, bool horizontal) const;

private:
    double CharacterSize(bool horizontal) const;

    TVRUnit m_units = TVRUnit::Native;
    TVRUnit m_savedUnits = TVRUnit::Native;
};

// Position and size of a printable inside its band.
class TVRPrintableSize : public TVRUnitBase
{
public:
    // In the current unit.
    double Height() const { return LoadUnit(m_height, Units(), false); }
    double Left() const { return LoadUnit(m_left, Units(), true); }
    double Top() const { return LoadUnit(m_top, Units(), false); }
    double Width() const { return LoadUnit(m_width, Units(), true); }
    void SetHeight(double v) { SetNative(m_height, SaveUnit(v, Units(), false)); }
    void SetLeft(double v) { SetNative(m_left, SaveUnit(v, Units(), true)); }
    void SetTop(double v) { SetNative(m_top, SaveUnit(v, Units(), false)); }
    void SetWidth(double v) { SetNative(m_width, SaveUnit(v, Units(), true)); }

    // In tenths of a millimetre, whatever the unit.
    double NativeHeight() const { return m_height; }
    double NativeLeft() const { return m_left; }
    double NativeTop() const { return m_top; }
    double NativeWidth() const { return m_width; }
    void SetNativeHeight(double v) { SetNative(m_height, v); }
    void SetNativeLeft(double v) { SetNative(m_left, v); }
    void SetNativeTop(double v) { SetNative(m_top, v); }
    void SetNativeWidth(double v) { SetNative(m_width, v); }

    // Called after any value changed (the control re-aligns itself).
    std::function<void()> OnChange;

private:
    void SetNative(double &field, double v);

    double m_height = 20;
    double m_left = 20;
    double m_top = 20;
    double m_width = 20;
};

} // namespace reportengine
