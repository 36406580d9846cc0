#include "HostFakes.h"

#include <cmath>

#include "app/core/EngineeringUnits.h"

namespace {

class Conversion : public testing::Test {
protected:
    HostState s;
    Conversion()
    {
        s.Device.DataFieldCount = 1;
        s.Device.TypeScale.fill(1.0);
        s.Device.RefBaseline.fill(9999.9);
        s.Device.TypeTempK1.fill(1.0);
    }
};

TEST_F(Conversion, BackscatterAt500nm)
{
    double theta = 117 * 3.1415 / 180;
    Backscatter b = ComputeBackscatter(32, theta, 1.1, 500, 1, 0.001);
    double phase = 1 + (0.91 / 1.09) * std::cos(theta) * std::cos(theta);
    double betaWater = 1.38 * (1 + 0.3 * 32 / 37) * 0.0001 * phase;
    EXPECT_NEAR(b.ParticleBeta, 0.001 - betaWater, 1e-15);
    EXPECT_NEAR(b.ParticleBackscatter, 2 * 3.1415 * 1.1 * (0.001 - betaWater), 1e-15);
    EXPECT_NEAR(b.TotalBackscatter, b.ParticleBackscatter + 0.5 * 0.0029308, 1e-15);
    Backscatter pure = ComputeBackscatter(32, theta, 1.1, 500, 0, 0.001);
    EXPECT_NEAR(pure.TotalBackscatter, b.ParticleBackscatter + 0.5 * 0.0022533, 1e-15);
}

TEST_F(Conversion, FormulasByType)
{
    using namespace TypeCode;
    s.Device.ColumnTypes[0] = CHL;
    s.Device.ColumnTypes[1] = ITemp;
    s.Device.ColumnTypes[2] = Counter;
    s.Device.ColumnTypes[3] = VSF100;
    s.Device.ColumnTypes[4] = FirstLambda;
    s.TypeValue[CHL] = 100;
    s.Device.TypeOffset[CHL] = 40;
    s.Device.TypeScale[CHL] = 0.5;
    s.TypeValue[ITemp] = 2000;
    s.Device.TypeScale[ITemp] = 0.01;
    s.Device.TypeOffset[ITemp] = -5;
    s.TypeValue[Counter] = 17;
    s.TypeValue[VSF100] = 30;
    s.Device.TypeOffset[VSF100] = 10;
    s.Device.TypeScale[VSF100] = 2;
    s.TypeValue[FirstLambda] = 60;
    s.Device.TypeOffset[FirstLambda] = 50;
    s.Device.TypeScale[FirstLambda] = 0.0001;
    s.Device.TypeWavelength[FirstLambda] = 500;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.EngValue[CHL], 30);
    EXPECT_EQ(s.EngValue[ITemp], 15);
    EXPECT_EQ(s.EngValue[Counter], 17);
    EXPECT_EQ(s.TypeVSF[VSF100], 40);
    EXPECT_NEAR(s.TypeBeta[FirstLambda], 0.001, 1e-15);
    EXPECT_EQ(s.TypeBb[FirstLambda],
              ComputeBackscatter(s.Device.Salinity, s.Device.Theta, s.Device.Chi, 500, 1, s.TypeBeta[FirstLambda])
                  .TotalBackscatter);

    s.Device.DataFieldCount = 0;  // no device file: nothing converts
    s.TypeValue[CHL] = 0;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.EngValue[CHL], 30);
}

// The water's share of a wavelength is kept between lines; every device value behind it
// must still reach the result as soon as it changes.
// The columns a line walks are those the column types name as they stand, a type changed in
// place included.
TEST_F(Conversion, ConversionFollowsColumnTypesChangedInPlace)
{
    using namespace TypeCode;
    s.Device.TypeScale[CHL] = 2;
    s.Device.TypeScale[NTU] = 3;
    s.TypeValue[CHL] = s.TypeValue[NTU] = 10;
    s.Device.ColumnTypes[40] = CHL;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.EngValue[CHL], 20);
    EXPECT_EQ(s.EngValue[NTU], 0);
    s.Device.ColumnTypes[40] = NTU;
    s.Device.ColumnTypes[74] = CHL;
    s.TypeValue[CHL] = 5;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.EngValue[NTU], 30);
    EXPECT_EQ(s.EngValue[CHL], 10);
    s.Device.ColumnTypes = {};
    s.TypeValue[NTU] = 1;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.EngValue[NTU], 30);
}

TEST_F(Conversion, BackscatterFollowsEveryDeviceChange)
{
    using namespace TypeCode;
    s.Device.DataFieldCount = 1;
    s.Device.ColumnTypes[0] = FirstLambda;
    s.Device.TypeScale[FirstLambda] = 0.0001;
    s.TypeValue[FirstLambda] = 60;
    auto expectFresh = [&](const char* after) {
        ComputeEngineeringUnits(s, true);
        const DeviceRecord& d = s.Device;
        const Backscatter b = ComputeBackscatter(d.Salinity, d.Theta, d.Chi, d.TypeWavelength[FirstLambda], d.WaterKind,
                                                 s.TypeBeta[FirstLambda]);
        EXPECT_EQ(s.TypeBetap[FirstLambda], b.ParticleBeta) << after;
        EXPECT_EQ(s.TypeBbp[FirstLambda], b.ParticleBackscatter) << after;
        EXPECT_EQ(s.TypeBb[FirstLambda], b.TotalBackscatter) << after;
    };
    s.Device.TypeWavelength[FirstLambda] = 500;
    expectFresh("first line");
    s.Device.Salinity = 0;
    expectFresh("salinity");
    s.Device.Theta = 1.0;
    expectFresh("theta");
    s.Device.Chi = 0.9;
    expectFresh("chi");
    s.Device.WaterKind = Water::Pure;
    expectFresh("water kind");
    s.Device.TypeWavelength[FirstLambda] = 650;
    expectFresh("wavelength");
}

TEST_F(Conversion, ParExponentLimitAndMissingCalibration)
{
    using namespace TypeCode;
    s.Device.ColumnTypes[0] = PAR;
    s.Device.ColumnTypes[1] = CHL;
    s.Device.PARIm = 1.3589;
    s.Device.PARa0 = 0;
    s.Device.PARa1 = 1;
    s.TypeValue[PAR] = 16;
    s.TypeValue[CHL] = 5;
    ComputeEngineeringUnits(s, true);
    EXPECT_DOUBLE_EQ(s.EngValue[PAR], 1.3589e16);
    EXPECT_EQ(s.EngValue[CHL], 5);
    ComputeEngineeringUnits(s, false);
    EXPECT_DOUBLE_EQ(s.EngValue[PAR], 1e16);

    s.TypeValue[PAR] = 16.0001;  // the line's conversion stops here
    s.TypeValue[CHL] = 9;
    ComputeEngineeringUnits(s, true);
    EXPECT_DOUBLE_EQ(s.EngValue[PAR], 1e16);
    EXPECT_EQ(s.EngValue[CHL], 5);

    s.Device.PARa1 = 0;  // no calibration: PAR keeps its value, the rest converts
    ComputeEngineeringUnits(s, true);
    EXPECT_DOUBLE_EQ(s.EngValue[PAR], 1e16);
    EXPECT_EQ(s.EngValue[CHL], 9);
}

TEST_F(Conversion, CorrectionsNeverDivideByZero)
{
    using namespace TypeCode;
    s.Device.ColumnTypes[0] = Lambda(2);  // reference type 16
    s.TypeValue[8] = 100;
    s.RatioCorrection = 1;
    s.TempCorrection = 1;
    s.Device.TypeTempK1[8] = 1;
    s.Device.TypeTempK0[8] = 0;
    s.RawITemp = 0;
    ApplyReferenceCorrection(s);  // no reference column, zero temperature divisor
    EXPECT_EQ(s.TypeValue[8], 100);
    EXPECT_TRUE(std::isfinite(s.TypeValue[8]));

    s.Device.ColumnTypes[1] = FirstLambdaRef;
    s.TypeValue[16] = 50;
    ApplyReferenceCorrection(s);  // baseline not captured yet
    EXPECT_EQ(s.TypeValue[8], 100);
    s.Device.RefBaseline[16] = 25;
    s.Device.TypeScale[16] = 1;
    s.Device.TypeOffset[16] = 0;
    s.TempCorrection = 0;
    ApplyReferenceCorrection(s);  // ratio 50 / 25 = 2
    EXPECT_EQ(s.TypeValue[8], 50);

    s.RatioCorrection = 0;
    s.TempCorrection = 1;
    s.RawITemp = 1000;
    s.TypeValue[8] = 100;
    ApplyReferenceCorrection(s);
    EXPECT_DOUBLE_EQ(s.TypeValue[8], 100 / (0.001794468729587918 * 1000));

    s.Device.ColumnTypes[2] = FirstLambda;  // the first lambda has no reference
    s.TypeValue[FirstLambda] = 7;
    ApplyReferenceCorrection(s);
    EXPECT_EQ(s.TypeValue[FirstLambda], 7);
}

TEST_F(Conversion, NonPositiveWavelengthSkipsBackscatter)
{
    s.Device.ColumnTypes[0] = TypeCode::FirstLambda;
    s.TypeValue[7] = 2;
    s.Device.TypeWavelength[7] = 0;
    s.TypeBb[7] = 0.5;
    ComputeEngineeringUnits(s, true);
    EXPECT_EQ(s.TypeBeta[7], 2);
    EXPECT_EQ(s.TypeBb[7], 0.5);
}

TEST_F(Conversion, HistoryAndStatistics)
{
    PushHistory(s, 25, 4);
    EXPECT_EQ(HistoryStat(s, 25, 15), 99.99);
    PushHistory(s, 25, 6);
    EXPECT_DOUBLE_EQ(HistoryStat(s, 25, 15), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(HistoryStat(s, 25, 1), 5.0);
    EXPECT_EQ(HistoryStat(s, 25, 0), 99.99);

    for (int i = 1; i <= 70; ++i)
        PushHistory(s, 30, i);
    EXPECT_EQ(s.HistoryCount[30], 65);
    EXPECT_EQ(HistoryValue(s, 30, 0), 70);
    EXPECT_EQ(HistoryValue(s, 30, 64), 6);
    // Mode 60 uses the newest 60 values: 11..70, mean 40.5.
    double mean = 40.5, sum = 0;
    for (int v = 11; v <= 70; ++v)
        sum += (v - mean) * (v - mean);
    EXPECT_DOUBLE_EQ(HistoryStat(s, 30, 60), std::sqrt(sum / 59));
    EXPECT_DOUBLE_EQ(HistoryStat(s, 30, 1), 63.0);  // mean of the newest 15: 56..70
}

// Long runs move the kept values around inside the row many times; the statistics must keep
// seeing exactly the newest values, newest first.
TEST_F(Conversion, HistoryKeepsTheNewestValuesOverLongRuns)
{
    for (int i = 1; i <= 1000; ++i) {
        PushHistory(s, 30, i);
        ASSERT_EQ(HistoryValue(s, 30, 0), i);
        ASSERT_EQ(HistoryValue(s, 30, s.HistoryCount[30] - 1), std::max(1, i - kHistoryKept + 1)) << i;
        if (i >= 15) {
            ASSERT_DOUBLE_EQ(HistoryStat(s, 30, 1), i - 7.0) << i;  // mean of i-14..i
        }
    }
}

}  // namespace
