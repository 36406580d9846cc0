#include "app/core/DeviceModel.h"

DeviceModel::DeviceModel(const DeviceRecord& current)
{
    // A file need not repeat the sensor's name, parameters or column count: they carry over.
    Record.SensorName = current.SensorName;
    Record.ExpectedColumns = current.ExpectedColumns;
    Record.Salinity = current.Salinity;
    Record.Theta = current.Theta;
    Record.Chi = current.Chi;
    Record.WaterKind = current.WaterKind;
    Record.PARIm = current.PARIm;
    Record.PARa0 = current.PARa0;
    Record.PARa1 = current.PARa1;
    Record.TypeScale.fill(1.0);
    Record.RefBaseline.fill(9999.9);
    Record.TypeColor.fill(RGB(0, 0, 255));
    Record.TypeTempK1.fill(1.0);
}

void DeviceModel::Commit(HostState& s) const
{
    s.Device = Record;
    // Counts and scattering results of the previous device's columns mean nothing for the new one.
    s.PresenceCounts.fill(0);
    s.TypeVSF.fill(0);
}
