#include "app/core/DeviceModel.h"

DeviceModel::DeviceModel(const HostState& s)
    : ExpectedColumns(s.ExpectedColumns), Salinity(s.Salinity), Theta(s.Theta), Chi(s.Chi),
      WaterKind(s.WaterKind), PARIm(s.PARIm), PARa0(s.PARa0), PARa1(s.PARa1)
{
    TypeScale.fill(1.0);
    RefBaseline.fill(9999.9);
    TypeColor.fill(RGB(0, 0, 255));
    TypeTempK1.fill(1.0);
}

void DeviceModel::Commit(HostState& s) const
{
    s.ColumnTypes = ColumnTypes;
    s.ExpectedColumns = ExpectedColumns;
    s.DataFieldCount = DataFieldCount;
    s.TypeScale = TypeScale;
    s.TypeOffset = TypeOffset;
    s.RefBaseline = RefBaseline;
    s.TypeVSF = TypeVSF;
    s.TypeTempK1 = TypeTempK1;
    s.TypeTempK0 = TypeTempK0;
    s.TypeWavelength = TypeWavelength;
    s.TypeColor = TypeColor;
    s.PresenceCounts.fill(0);
    s.Salinity = Salinity;
    s.Theta = Theta;
    s.Chi = Chi;
    s.WaterKind = WaterKind;
    s.EngrUnits = EngrUnits;
    s.ASV1Range = ASV1Range;
    s.ASV2Range = ASV2Range;
    s.ASV4Range = ASV4Range;
    s.MaxVoltage = MaxVoltage;
    s.EngrScaleColumn = EngrScaleColumn;
    s.DevEngrScale = DevEngrScale;
    s.DevEngrOffset = DevEngrOffset;
    s.PARIm = PARIm;
    s.PARa0 = PARa0;
    s.PARa1 = PARa1;
}
