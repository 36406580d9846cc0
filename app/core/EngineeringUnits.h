#pragma once
// Conversion of the raw values of a data line into engineering units: reference and
// temperature corrections of the scattering channels, the per-quantity formulas,
// backscatter from beta, and the short value history behind the mean and standard
// deviation shown in power-user mode.

struct HostState;

struct Backscatter {
    double ParticleBeta = 0, ParticleBackscatter = 0, TotalBackscatter = 0;
};

void ApplyReferenceCorrection(HostState& s);
// parInWater: the PAR page's "In Water" choice (else "In Air").
void ComputeEngineeringUnits(HostState& s, bool parInWater);
Backscatter ComputeBackscatter(double salinity, double theta, double chi, double lambda, int waterKind, double beta);

constexpr int kHistoryKept = 65;
void PushHistory(HostState& s, int type, double value);
double HistoryStat(const HostState& s, int type, int mode);
// A type's value pushed age values ago (0: the newest); age below its history count.
double HistoryValue(const HostState& s, int type, int age);
