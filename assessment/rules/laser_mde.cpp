#include "assessment/rules/laser_mde.h"

#include "assessment/rules/rule_numbers.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace assessment::rules {

namespace {

constexpr double ShortestWavelength = 180;
constexpr double LongestWavelength = 1000000;
constexpr double LongestTime = 30000;

TWartDop none()
{
    return TWartDop{};
}

TWartDop irradiance(double v)
{
    return LaserRecord(v, KindIrradiance);
}

TWartDop exposure(double v)
{
    return LaserRecord(v, KindRadiantExposure);
}

TWartDop radiance(double v)
{
    return LaserRecord(v, KindRadiance);
}

TWartDop integratedRadiance(double v)
{
    return LaserRecord(v, KindIntegratedRadiance);
}

bool inSpectrum(double lambda)
{
    return lambda >= ShortestWavelength && lambda <= LongestWavelength;
}

// The index (from 1) of the first upper bound a value lies below; the last bound itself
// belongs to the last class. 0 when the value lies above it.
template <size_t N> int classOf(double v, const double (&upper)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (v < upper[i])
            return int(i) + 1;
    }
    return v == upper[N - 1] ? int(N) : 0;
}

// ---- The first form --------------------------------------------------------------------------

double c1(double t)
{
    return 5600 * std::pow(t, 0.25);
}

double c2(double lambda)
{
    return std::pow(10.0, 0.2 * (lambda - 295));
}

double t1(double lambda)
{
    return std::pow(10.0, 0.8 * (lambda - 295)) * 1e-15;
}

double c3(double lambda)
{
    return std::pow(10.0, 0.015 * (lambda - 550));
}

double t2(double lambda)
{
    return 10 * std::pow(10.0, 0.02 * (lambda - 550));
}

double c4(double lambda)
{
    return std::pow(10.0, (lambda - 700) / 500);
}

// 302.5 to 315 nm: C1 up to T1, where it meets C2, and C2 after it.
TWartDop ultravioletB(double t, double lambda)
{
    return exposure(t <= t1(lambda) ? c1(t) : c2(lambda));
}

// Wavelength bands of the eye table, lower bound included; 1000000 nm belongs to the last.
const double EyeBands[] = {302.5, 315, 400, 550, 700, 1050, 1400, 1530, 1550, LongestWavelength};
// Time classes for the beam itself and for an extended source; 30000 s belongs to the last.
const double BeamClasses[] = {1e-9, 1e-7, 1e-6, 1.8e-5, 5e-5, 10, 1000, 10000, LongestTime};
const double ExtendedClasses[] = {1e-9, 1e-7, 1e-6, 10, 1000, 10000, LongestTime};

// The eye viewing the beam itself.
TWartDop beamEntry(int cls, int band, double t, double lambda)
{
    switch (band) {
    case 1: // 180 - 302.5
        return cls == 1 ? irradiance(3e10) : exposure(30);
    case 2: // 302.5 - 315
        return cls == 1 ? irradiance(3e10) : ultravioletB(t, lambda);
    case 3: // 315 - 400
        if (cls == 1)
            return irradiance(3e10);
        if (cls <= 6)
            return exposure(c1(t));
        return cls == 7 ? exposure(1e4) : irradiance(10);
    case 4: // 400 - 550
    case 5: // 550 - 700: from 10 s on the photochemical limit, growing with C3 after T2
    {
        if (cls == 1)
            return irradiance(5e6);
        if (cls <= 4)
            return exposure(5e-3);
        if (cls <= 6)
            return exposure(18 * std::pow(t, 0.75));
        const double cb = band == 4 ? 1.0 : c3(lambda);
        if (cls <= 8)
            return exposure(band == 5 && t <= t2(lambda) ? 18 * std::pow(t, 0.75) : 100 * cb);
        return irradiance(0.01 * cb);
    }
    case 6: // 700 - 1050
        if (cls == 1)
            return irradiance(5e6 * c4(lambda));
        if (cls <= 4)
            return exposure(5e-3 * c4(lambda));
        if (cls <= 7)
            return exposure(18 * c4(lambda) * std::pow(t, 0.75));
        return irradiance(3.2 * c4(lambda));
    case 7: // 1050 - 1400
        if (cls == 1)
            return irradiance(5e7);
        if (cls <= 5)
            return exposure(0.05);
        if (cls <= 7)
            return exposure(90 * std::pow(t, 0.75));
        return irradiance(16);
    case 8: // 1400 - 1530
        if (cls == 1)
            return irradiance(1e11);
        if (cls == 2)
            return exposure(100);
        return cls <= 6 ? exposure(c1(t)) : irradiance(1000);
    case 9:  // 1530 - 1550
    case 10: // 1550 - 1000000
        if (cls == 1)
            return irradiance(1e11);
        if (cls <= 3)
            return none(); // 1 ns to 1 us about 1.54 um: no value this program is sure of
        return cls <= 6 ? exposure(c1(t)) : irradiance(1000);
    default:
        return none();
    }
}

// The eye viewing an extended source, 400 to 1400 nm (elsewhere as the beam itself).
TWartDop extendedEntry(int cls, int band, double t, double lambda)
{
    switch (band) {
    case 4: // 400 - 550
        if (cls == 1)
            return radiance(1e11);
        if (cls <= 4)
            return none();
        return cls <= 6 ? integratedRadiance(2.1e5) : radiance(21);
    case 5: // 550 - 700
        if (cls == 1)
            return radiance(1e11);
        if (cls <= 4)
            return none();
        if (cls <= 6)
            return t > t2(lambda) ? integratedRadiance(2.1e5 * c3(lambda)) : none();
        return radiance(21 * c3(lambda));
    case 6: // 700 - 1050
        if (cls == 1)
            return radiance(1e11 * c4(lambda));
        return cls <= 5 ? none() : radiance(6400 * c4(lambda));
    case 7: // 1050 - 1400
        if (cls == 1)
            return radiance(5e11);
        return cls <= 5 ? none() : radiance(32000);
    default:
        return none();
    }
}

// ---- The second form -------------------------------------------------------------------------

// 1 up to `from`, then 10^(slope·(lambda - from)) up to `to`, then `top`.
double risingFactor(double lambda, double from, double to, double slope, double top)
{
    if (lambda <= from)
        return 1.0;
    return lambda <= to ? std::pow(10.0, slope * (lambda - from)) : top;
}

bool below(double t, double limit)
{
    return CompareSignificant(t, limit) < 0;
}

// 302 to 315 nm, one band per nanometre: the radiant exposure for 10 s and more.
const double UltravioletSteps[] = {40, 60, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000};

// 180 to 400 nm (400 included) from 1 ns on.
TWartDop ultraviolet(double lambda, double t)
{
    const bool shortExposure = below(t, 10);
    if (lambda < 302)
        return exposure(30);
    if (lambda < 315) {
        const int step = std::clamp(int(std::floor(lambda - 302)), 0, int(std::size(UltravioletSteps)) - 1);
        // Below 10 s the last nanometre lies between the steps and the 315 nm limit.
        if (shortExposure && step == int(std::size(UltravioletSteps)) - 1)
            return none();
        return exposure(UltravioletSteps[step]);
    }
    if (shortExposure)
        return exposure(c1(t));
    // From 1000 s on the published tables differ: not rated.
    return below(t, 1000) ? exposure(1e4) : none();
}

// Below 1 ns: the irradiance of the wavelength (the eye's retinal bands excepted).
TWartDop subNanosecond(double lambda)
{
    if (lambda < 400)
        return irradiance(3e10);
    if (lambda < 1500)
        return irradiance(1e12);
    if (lambda < 1800)
        return irradiance(1e13);
    if (lambda < 2600)
        return irradiance(1e12);
    return irradiance(1e11);
}

TWartDop eyeShort(double lambda, double alpha, double t)
{
    const double c6 = LaserC6(alpha);
    const bool retina = lambda >= 400 && lambda < 1400;
    if (below(t, 1e-9) && !retina)
        return subNanosecond(lambda);
    if (below(t, 1e-11)) {
        if (lambda < 700)
            return exposure(1.5e-4 * c6);
        if (lambda < 1050)
            return exposure(1.5e-4 * LaserC4(lambda) * c6);
        return exposure(1.5e-3 * c6 * LaserC7(lambda));
    }
    if (below(t, 1e-9)) {
        const double t75 = std::pow(t, 0.75);
        if (lambda < 700)
            return exposure(2.7e4 * t75 * c6);
        if (lambda < 1050)
            return exposure(2.7e4 * t75 * LaserC4(lambda) * c6);
        return exposure(2.7e5 * t75 * c6 * LaserC7(lambda));
    }
    if (lambda < 400)
        return ultraviolet(lambda, t);
    if (lambda < 1050) {
        const double ca = LaserC4(lambda) * c6;
        return exposure(below(t, 1.8e-5) ? 5e-3 * ca : 18 * std::pow(t, 0.75) * ca);
    }
    if (lambda < 1400) {
        const double cc = c6 * LaserC7(lambda);
        return exposure(below(t, 5e-5) ? 5e-2 * cc : 90 * std::pow(t, 0.75) * cc);
    }
    if (lambda < 1500 || (lambda >= 1800 && lambda < 2600))
        return exposure(below(t, 1e-3) ? 1e3 : c1(t));
    if (lambda < 1800)
        return exposure(1e4);
    return exposure(below(t, 1e-7) ? 100 : c1(t));
}

TWartDop eyeLong(double lambda, double alpha, double t, LaserEffect effect)
{
    if (lambda < 400)
        return ultraviolet(lambda, t);
    if (lambda >= 1400)
        return irradiance(1000);
    if (effect == LaserEffect::Photochemical && lambda < 600) {
        const double cb = LaserC3(lambda);
        return below(t, 100) ? exposure(100 * cb) : irradiance(cb);
    }
    // Thermal: a growing radiant exposure up to T2, a constant irradiance after it.
    double c = 18 * LaserC6(alpha);
    if (lambda >= 700)
        c *= LaserC4(lambda) * LaserC7(lambda);
    const double T2 = LaserT2(alpha);
    if (t < T2)
        return exposure(c * std::pow(t, 0.75));
    const double e = c * std::pow(T2, -0.25);
    return irradiance(lambda >= 700 ? std::min(e, 1000.0) : e);
}

TWartDop eye(double lambda, double alpha, double t, LaserEffect effect)
{
    return below(t, 10) ? eyeShort(lambda, alpha, t) : eyeLong(lambda, alpha, t, effect);
}

TWartDop skin(double lambda, double alpha, double t, LaserEffect effect)
{
    if (below(t, 1e-9)) {
        // The skin's bands hold their upper bound.
        if (lambda <= 400)
            return irradiance(3e10);
        if (lambda <= 1400)
            return irradiance(2e11 * LaserC4(lambda));
        if (lambda <= 1500 || (lambda > 1800 && lambda <= 2600))
            return irradiance(1e12);
        return irradiance(lambda <= 1800 ? 1e13 : 1e11);
    }
    if (lambda <= 400)
        return ultraviolet(lambda, t);
    if (lambda <= 1400) {
        const double ca = LaserC4(lambda);
        if (below(t, 1e-7))
            return exposure(200 * ca);
        if (below(t, 10))
            return exposure(1.1e4 * ca * std::pow(t, 0.25));
        return irradiance(2000 * ca);
    }
    return eye(lambda, alpha, t, effect);
}

} // namespace

TWartDop LaserRecord(double value, quint8 kind)
{
    TWartDop r;
    r.Value = static_cast<float>(value);
    r.Kind = kind;
    switch (kind) {
    case KindIrradiance:
        r.Symbol = QStringLiteral("E");
        r.Unit = QStringLiteral("W/m2");
        break;
    case KindRadiantExposure:
        r.Symbol = QStringLiteral("N");
        r.Unit = QStringLiteral("J/m2");
        break;
    case KindRadiance:
        r.Symbol = QStringLiteral("L");
        r.Unit = QString::fromUtf8("W/(m2·sr)");
        break;
    case KindIntegratedRadiance:
        r.Symbol = QStringLiteral("Lt");
        r.Unit = QString::fromUtf8("J/(m2·sr)");
        break;
    default:
        r.Kind = KindNone;
        r.Value = 0;
        break;
    }
    return r;
}

// ---- The first form ----------------------------------------------------------------------------

TWartDop LaserMde(int target, int source, double t, double lambda)
{
    if (target == 0)
        return LaserMdeEye(source, t, lambda);
    if (target == 1)
        return LaserMdeSkin(t, lambda);
    return none();
}

TWartDop LaserMdeEye(int source, double t, double lambda)
{
    if (!(t > 0) || !inSpectrum(lambda))
        return none();
    const int band = classOf(lambda, EyeBands);
    const bool retina = band >= 4 && band <= 7;
    if (source == 0 || !retina) {
        const int cls = classOf(t, BeamClasses);
        return cls == 0 ? none() : beamEntry(cls, band, t, lambda);
    }
    const int cls = classOf(t, ExtendedClasses);
    return cls == 0 ? none() : extendedEntry(cls, band, t, lambda);
}

TWartDop LaserMdeSkin(double t, double lambda)
{
    static const double classes[] = {1e-9, 1e-7, 10, 1000, LongestTime};
    if (!(t > 0) || !inSpectrum(lambda))
        return none();
    // Below 400 nm the skin has the eye's limits.
    if (lambda < 400)
        return LaserMdeEye(0, t, lambda);
    const int cls = classOf(t, classes);
    if (cls == 0)
        return none();
    if (lambda < 1400) {
        if (cls == 1)
            return irradiance(2e11);
        if (cls == 2)
            return exposure(200);
        return cls == 3 ? exposure(11000 * std::pow(t, 0.25)) : irradiance(2000);
    }
    if (cls == 1)
        return irradiance(1e11);
    if (cls == 2)
        return exposure(100);
    return cls == 3 ? exposure(c1(t)) : irradiance(1000);
}

TLaserPulsed LaserMdePulsed(int target, int source, double lambda, double t, double tp, double pulses,
                            double meanExposure, double highestPulse)
{
    TLaserPulsed out;
    const TWartDop whole = LaserMde(target, source, t, lambda);
    const TWartDop single = LaserMde(target, source, tp, lambda);
    if (!whole.Found() || !single.Found() || !(whole.Value > 0) || !(single.Value > 0))
        return out;
    const bool train = lambda >= 400 && lambda <= 1400;
    TWartDop group = single;
    if (train) {
        if (!(pulses > 0))
            return out;
        group.Value = static_cast<float>(single.Value * std::pow(pulses, -0.25));
    }
    const double r1 = meanExposure / whole.Value;
    const double r2 = highestPulse / single.Value;
    const double r3 = train ? highestPulse / group.Value : -1;
    if (r1 >= r2 && r1 >= r3) {
        out.Permitted = whole;
        out.Measured = meanExposure;
    } else {
        out.Permitted = r2 >= r3 ? single : group;
        out.Measured = highestPulse;
    }
    return out;
}

// ---- The second form ---------------------------------------------------------------------------

double LaserC3(double lambda)
{
    return lambda < 450 ? 1.0 : std::pow(10.0, 0.02 * (lambda - 450));
}

double LaserC4(double lambda)
{
    return risingFactor(lambda, 700, 1050, 0.002, 5);
}

double LaserC6(double alpha)
{
    if (alpha < 1.5)
        return 1.0;
    return alpha < 100 ? alpha / 1.5 : alpha * alpha / 150;
}

double LaserC7(double lambda)
{
    return risingFactor(lambda, 1150, 1200, 0.018, 8);
}

double LaserT2(double alpha)
{
    if (alpha < 1.5)
        return 10.0;
    return alpha < 100 ? 10 * std::pow(10.0, (alpha - 1.5) / 98.5) : 100.0;
}

double LaserMinTime(double lambda)
{
    if (lambda <= 400)
        return 1e-9;
    if (lambda <= 1050)
        return 1.8e-5;
    if (lambda <= 1400)
        return 5e-5;
    if (lambda <= 1500)
        return 0.001; // 1 ms, as the exposure-limit tables give it (not 10 ms)
    if (lambda <= 1800)
        return 10;
    if (lambda <= 2600)
        return 0.001;
    return 1e-7;
}

int CompareSignificant(double a, double b)
{
    double rounded = b;
    ParseNumber(storage::FormatExponent(b, 3, 1), rounded);
    if (a < rounded)
        return -1;
    return a > rounded ? 1 : 0;
}

TWartDop ComputeLaserMde(int target, double lambda, double alpha, double t, LaserEffect effect)
{
    if (!(t > 0) || !inSpectrum(lambda) || !std::isfinite(alpha))
        return none();
    if (target == 0)
        return skin(lambda, alpha, t, effect);
    if (target == 1)
        return eye(lambda, alpha, t, effect);
    return none();
}

} // namespace assessment::rules
