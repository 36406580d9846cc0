#include "app/core/EngineeringUnits.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/core/HostState.h"

namespace {

constexpr double kPi = 3.1415;  // the meter's own value, used throughout its formulas

bool HasColumnOfType(const HostState& s, int type)
{
    return std::find(s.Device.ColumnTypes.begin(), s.Device.ColumnTypes.end(), type) != s.Device.ColumnTypes.end();
}

bool UsableDivisor(double d) { return d != 0.0 && std::isfinite(d); }

WaterScatter ComputeWaterScatter(double salinity, double theta, double lambda, TWaterKind waterKind)
{
    double cosTheta = std::cos(theta);
    double phase = 1 + ((1 - 0.09) / (1 + 0.09)) * cosTheta * cosTheta;
    double scaled = lambda * 0.002;
    WaterScatter w{salinity, theta, lambda, waterKind};
    w.Beta = 1.38 * std::pow(scaled, -4.32) * (1 + 0.3 * salinity / 37) * 0.0001 * phase;
    w.HalfBackscatter = waterKind == Water::Pure ? 0.5 * 0.0022533 * std::pow(scaled, -4.23)
                                                 : 0.5 * 0.0029308 * std::pow(scaled, -4.24);
    return w;
}

Backscatter ScatterOverWater(const WaterScatter& water, double chi, double beta)
{
    Backscatter b;
    b.ParticleBeta = beta - water.Beta;
    b.ParticleBackscatter = 2 * kPi * chi * b.ParticleBeta;
    b.TotalBackscatter = b.ParticleBackscatter + water.HalfBackscatter;
    return b;
}

// The water's share for a wavelength column, worked out again only when the device values
// behind it changed.
const WaterScatter& CachedWaterScatter(HostState& s, int type)
{
    WaterScatter& w = s.WaterScatterCache[type];
    const DeviceRecord& d = s.Device;
    const double lambda = d.TypeWavelength[type];
    if (w.Salinity != d.Salinity || w.Theta != d.Theta || w.Lambda != lambda || w.WaterKind != d.WaterKind)
        w = ComputeWaterScatter(d.Salinity, d.Theta, lambda, d.WaterKind);
    return w;
}

}  // namespace

void ApplyReferenceCorrection(HostState& s)
{
    using namespace TypeCode;
    if (s.Device.DataFieldCount == 0)
        return;
    for (const auto [col, t] : s.QuantityColumns()) {
        // Lambda k is corrected by the (k-1)-th reference, eight codes on; the first lambda has none.
        if (t <= FirstLambda || t > LastLambda)
            continue;
        const int r = t + 8;
        if (s.RatioCorrection) {
            // A missing reference column or an uncaptured baseline would put infinities
            // into every line: the correction is left out instead.
            double baseline = s.Device.RefBaseline[r];
            if (HasColumnOfType(s, r) && baseline >= -9999.0 && baseline <= 9999.0 && baseline != 0.0) {
                double d = s.TypeValue[r] / baseline * s.Device.TypeScale[r] + s.Device.TypeOffset[r];
                if (UsableDivisor(d))
                    s.TypeValue[t] /= d;
            }
        }
        if (s.TempCorrection) {
            double d = 0.001794468729587918 * s.RawITemp * s.Device.TypeTempK1[t] + s.Device.TypeTempK0[t];
            if (UsableDivisor(d))
                s.TypeValue[t] /= d;
        }
    }
}

void ComputeEngineeringUnits(HostState& s, bool parInWater)
{
    using namespace TypeCode;
    if (s.Device.DataFieldCount == 0)
        return;
    for (const auto [col, t] : s.QuantityColumns()) {
        double v = s.TypeValue[t];
        switch (t) {
        case CHL:
        case CDOM:
        case Uranine:
        case Phycocyanin:
        case Phycoerythrin:
        case Rhodamine:
        case LSS:
        case NTU:
        case Engr1: s.EngValue[t] = (v - s.Device.TypeOffset[t]) * s.Device.TypeScale[t]; break;
        case ITemp:
        case XTemp:
        case Pressure: s.EngValue[t] = v * s.Device.TypeScale[t] + s.Device.TypeOffset[t]; break;
        case IEngr:
        case Counter:
        case Raw: s.EngValue[t] = v; break;
        case VSF100:
        case VSF125:
        case VSF150: s.TypeVSF[t] = (v - s.Device.TypeOffset[t]) * s.Device.TypeScale[t]; break;
        case PAR: {
            if (s.Device.PARa1 == 0.0)
                break;  // no calibration: the PAR value keeps its last result
            double x = (v - s.Device.PARa0) / s.Device.PARa1;
            if (!(x <= 16))
                return;  // the rest of the line keeps its previous results
            s.EngValue[t] = (parInWater ? s.Device.PARIm : 1.0) * std::pow(10.0, x);
            break;
        }
        default:
            if (IsLambda(t)) {
                s.TypeBeta[t] = (v - s.Device.TypeOffset[t]) * s.Device.TypeScale[t];
                if (s.Device.TypeWavelength[t] > 0) {
                    Backscatter b = ScatterOverWater(CachedWaterScatter(s, t), s.Device.Chi, s.TypeBeta[t]);
                    s.TypeBetap[t] = b.ParticleBeta;
                    s.TypeBbp[t] = b.ParticleBackscatter;
                    s.TypeBb[t] = b.TotalBackscatter;
                }
            }
            break;
        }
    }
}

Backscatter ComputeBackscatter(double salinity, double theta, double chi, double lambda, int waterKind, double beta)
{
    return ScatterOverWater(ComputeWaterScatter(salinity, theta, lambda, TWaterKind(waterKind)), chi, beta);
}

void PushHistory(HostState& s, int type, double value)
{
    if (type < 0 || type >= kTypeCount)
        return;
    auto& row = s.TypeHistory[type];
    int& start = s.HistoryStart[type];
    int& count = s.HistoryCount[type];
    // This runs for every column of every line: rather than shifting the history by one each
    // time, the window moves one place toward the row's front, and the values that stay are
    // moved back to the row's end in one block when it gets there.
    if (start == 0) {
        int stay = std::min(count, kHistoryKept - 1);
        start = kHistoryLength - stay;
        // Through data(): with nothing to keep, start is one past the row's end.
        std::memmove(row.data() + start, row.data(), std::size_t(stay) * sizeof row[0]);
    }
    row[std::size_t(--start)] = value;
    count = std::min(count + 1, kHistoryKept);
}

double HistoryStat(const HostState& s, int type, int mode)
{
    if (type < 0 || type >= kTypeCount)
        return 99.99;
    int count = s.HistoryCount[type];
    if (mode < TitleStat::Mean || count < 2)
        return 99.99;
    // The mean is of the last 15; a standard deviation's code is its count.
    int n = std::min({mode == TitleStat::Mean ? 15 : mode, kHistoryKept, count});
    const double* row = s.TypeHistory[type].data() + s.HistoryStart[type];
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += row[i];
    double mean = sum / n;
    if (mode == TitleStat::Mean)
        return mean;
    double squares = 0;
    for (int i = 0; i < n; ++i)
        squares += (row[i] - mean) * (row[i] - mean);
    return std::sqrt(squares / (n - 1));
}

double HistoryValue(const HostState& s, int type, int age)
{
    return s.TypeHistory[type][std::size_t(s.HistoryStart[type] + age)];
}
