#pragma once

// Maximum permissible exposure (MDE) to laser radiation: the value a measured exposure of the
// eye or the skin is compared with, for a wavelength and an exposure time. Two engines, one
// per laser form:
//
// - the first form's tables: an eye table for viewing the beam itself (source item 0) or an
//   extended source (any other item), and a skin table, each by time class and wavelength
//   band, with the correction factors C1 to C4, T1 and T2;
// - the second form's engine: a skin routine and a short- and a long-exposure eye routine,
//   with the correction factors C3, C4, C6 and C7 and the time T2 of the angle the source
//   subtends.
//
// Where the published limit tables give no value this program can be sure of, the engines
// find none (kind KindNone): such exposures are not rated, never rated against a guess.

#include <QString>
#include <QtGlobal>

namespace assessment::rules {

// ---- The permitted value -----------------------------------------------------------------

// The kind of quantity a permitted value is.
enum LaserQuantity : quint8 {
    KindIrradiance = 0,         // E [W/m2]
    KindRadiantExposure = 1,    // H [J/m2]
    KindRadiance = 2,           // L [W/(m2·sr)]
    KindIntegratedRadiance = 3, // [J/(m2·sr)]
    KindNone = 255,             // no value found
};

struct TWartDop
{
    float Value = 0; // not set when Kind is KindNone
    quint8 Kind = KindNone;
    QString Symbol; // "E", "N", "L", "Lt"
    QString Unit;   // "W/m2", "J/m2", ...

    bool Found() const { return Kind != KindNone; }
};

// A record of a kind with its symbol and unit.
TWartDop LaserRecord(double value, quint8 kind);

// ---- The first form's tables ---------------------------------------------------------------

// Target 0 the eye, 1 the skin; source 0 the beam itself, any other an extended source (the
// eye only). t in seconds, lambda in nanometres. Times not above 0 or above 30000 s and
// wavelengths outside 180 to 1000000 nm find nothing.
TWartDop LaserMde(int target, int source, double t, double lambda);
TWartDop LaserMdeEye(int source, double t, double lambda);
TWartDop LaserMdeSkin(double t, double lambda);

// Pulsed emission: the permitted value that governs among the whole exposure (time t), a
// single pulse (duration tp) and, from 400 to 1400 nm, the pulse train (a single pulse's
// value times pulses^-0.25), judged by the ratio of the mean exposure measured to the first
// and of the highest pulse measured to the other two. Nothing is found when one of the
// values that take part is not found, or the pulse count is not above 0 where it counts.
struct TLaserPulsed
{
    TWartDop Permitted;
    double Measured = 0; // the mean exposure when the whole exposure governs, else the highest pulse
};
TLaserPulsed LaserMdePulsed(int target, int source, double lambda, double t, double tp, double pulses,
                            double meanExposure, double highestPulse);

// ---- The second form's engine ----------------------------------------------------------------

// Which limit a row of the second form stands for where both apply (400 to 600 nm from 10 s on).
enum class LaserEffect { Thermal, Photochemical };

// Target 0 the skin, 1 the eye (the reverse of the first form); alpha is the angle the
// source subtends [mrad]. Gives an irradiance or a radiant exposure, or nothing.
TWartDop ComputeLaserMde(int target, double lambda, double alpha, double t, LaserEffect effect);
// The shortest time over which pulses are taken as one, for a wavelength [s].
double LaserMinTime(double lambda);
// -1, 0 or 1 as a is below, equal to or above b written with 3 significant digits and
// read back.
int CompareSignificant(double a, double b);

// Correction factors of the second engine.
double LaserC3(double lambda);
double LaserC4(double lambda);
double LaserC6(double alpha);
double LaserC7(double lambda);
double LaserT2(double alpha);

} // namespace assessment::rules
