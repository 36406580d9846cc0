#pragma once
// The part of the host state a device file defines, built aside while a file is read and
// committed to the state only when the whole file is valid.

#include <string>

#include "app/core/HostState.h"

struct DeviceModel {
    HostState::PerColumn<int> ColumnTypes{};
    int ExpectedColumns = 0;
    int DataFieldCount = 0;
    std::string SensorName;
    HostState::PerType<double> TypeScale{}, TypeOffset{}, RefBaseline{}, TypeVSF{}, TypeTempK1{}, TypeTempK0{};
    HostState::PerType<int> TypeWavelength{};
    HostState::PerType<TColor> TypeColor{};
    double Salinity = 0, Theta = 0, Chi = 0;
    int WaterKind = 1;
    std::string EngrUnits;
    float ASV1Range = 0, ASV2Range = 0, ASV4Range = 0, MaxVoltage = 0;
    int EngrScaleColumn = -1;
    float DevEngrScale = -1.0f, DevEngrOffset = 0.0f;
    double PARIm = 0, PARa0 = 0, PARa1 = 0;
    // What the window shows once the load succeeds.
    bool ShowParPage = false;
    bool ParImRead = false, ParA0Read = false, ParA1Read = false;
    int Lambdas = 0;   // "Lambda=" lines read so far

    explicit DeviceModel(const HostState& s);   // the reset model; parameters kept from s
    void Commit(HostState& s) const;
};
