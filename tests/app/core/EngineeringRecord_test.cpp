// The engineering record of each sample device file: data lines as the meter sends them go
// through the host, and the ".eng" file must hold, byte for byte, the rows worked out here
// from the calibration written in the device file and the conversion formulas.

#include "HostFakes.h"
#include "platform/core/Streams.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdio>

#include "app/core/DeviceFile.h"
#include "app/core/Recording.h"
#include "app/core/SerialLink.h"

namespace {

std::string Fmt(const char* format, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// Calibration numbers on a device file's lines are read in single precision.
double F(float v) { return v; }

const double kPi = 3.1415;  // the meter's own value

// fluorometer.dev: date 1, time 2, CHL=3 0.0121 48, CHLREF=4, iTemp=5 0.01 5, PRES=6 0.05 -10.1325.
std::string FluorometerRow(int count, const char* date, const char* time, double chl, double itemp, double pres)
{
    return std::to_string(count) + "\t" + date + "\t" + time + Fmt("\t%6.4f", (chl - F(48)) * F(0.0121f)) +
           Fmt("\t%6.4f", itemp * F(0.01f) + F(5)) + Fmt("\t%5.1f", pres * F(0.05f) + F(-10.1325f)) + "\r\n";
}

// backscatter.dev: nine "Lambda=" lines (column, scale, dark counts, wavelength), sea water,
// salinity 35, angle 117 degrees, factor 1.1.
struct LambdaLine {
    float scale, dark;
    int nm;
};
const LambdaLine kLambdas[] = {{3.2e-06f, 52, 412}, {3.1e-06f, 50, 440}, {2.9e-06f, 49, 488},
                               {2.8e-06f, 51, 510}, {2.7e-06f, 48, 532}, {2.5e-06f, 47, 595},
                               {2.4e-06f, 50, 650}, {2.3e-06f, 46, 676}, {2.2e-06f, 45, 715}};

std::string LambdaPieces(const LambdaLine& l, double raw)
{
    const double salinity = F(35), chi = F(1.1f), theta = F(117) * kPi / 180;
    double beta = (raw - F(l.dark)) * F(l.scale);
    double phase = 1 + ((1 - 0.09) / (1 + 0.09)) * std::cos(theta) * std::cos(theta);
    double betaWater = 1.38 * std::pow(l.nm * 0.002, -4.32) * (1 + 0.3 * salinity / 37) * 0.0001 * phase;
    double betap = beta - betaWater;
    double bbp = 2 * kPi * chi * betap;
    double bb = bbp + 0.5 * 0.0029308 * std::pow(l.nm * 0.002, -4.24);
    return Fmt("\t%8.6f", beta) + Fmt("\t%8.6f", betap) + Fmt("\t%8.6f", bbp) + Fmt("\t%8.6f", bb);
}

std::string BackscatterHeader()
{
    std::string h = "Count\tDate\tTime\tCounter";
    for (const auto& l : kLambdas) {
        std::string nm = std::to_string(l.nm);
        h += "\tBeta(" + nm + ")\tBetap(" + nm + ")\tbbp(" + nm + ")\tbb(" + nm + "))";
    }
    return h + "\r\n";
}

// The meter without a clock: "QOVA_BB" in front, date 99 01 01, time 15 15 15, X counts lines from 1.
std::string BackscatterLine(int counter, const std::vector<int>& raw)
{
    std::string line = "QOVA_BB" + std::to_string(counter);
    for (int v : raw)
        line += "\t" + std::to_string(v);
    return line + "\r\n";
}

std::string BackscatterRow(int count, int counter, const std::vector<int>& raw)
{
    std::string row = std::to_string(count) + "\t990101\t151515\t" + std::to_string(counter);
    for (size_t i = 0; i < raw.size(); ++i)
        row += LambdaPieces(kLambdas[i], raw[i]);
    return row + "\r\n";
}

// par.dev: im=1.358900, a1=500, a0=1000 (read in double precision); PAR in water.
double ParInWater(double raw) { return 1.3589 * std::pow(10.0, (raw - 1000) / 500); }

std::string ParRow(int count, const char* time, double par)
{
    return std::to_string(count) + "\t030726\t" + time + Fmt("\t%6.4f", par) + "\r\n";
}

struct SampleCase {
    std::string device;
    std::vector<std::string> lines;
    std::string eng;  // the whole expected file
};

std::vector<SampleCase> SampleCases()
{
    const std::vector<int> bb1 = {1107, 1195, 1291, 1385, 1461, 1513, 1593, 1700, 1802};
    const std::vector<int> bb2 = {1141, 1230, 1262, 1351, 1490, 1560, 1611, 1688, 1760};
    const std::vector<int> dark = {52, 50, 49, 51, 48, 47, 50, 46, 45};
    return {
        {"fluorometer.dev",
         {"03/07/26\t12:30:15\t1307\t1363\t1453\t1587\r\n", "03/07/26\t12:30:16\t1316\t1371\t1444\t1577\r\n",
          "03/07/26\t12:30:17\t40\t1400\t-20\t0\r\n"},  // below the dark counts, below zero degrees
         "Count\tDate\tTime\tCHL(ug/l)\tiTemp(C)\tPres(dbar)\r\n" +
             FluorometerRow(0, "030726", "123015", 1307, 1453, 1587) +
             FluorometerRow(1, "030726", "123016", 1316, 1444, 1577) +
             FluorometerRow(2, "030726", "123017", 40, -20, 0)},
        {"backscatter.dev",
         {BackscatterLine(1, bb1), BackscatterLine(2, bb2), BackscatterLine(3, dark)},
         BackscatterHeader() + BackscatterRow(1, 1, bb1) + BackscatterRow(2, 2, bb2) + BackscatterRow(3, 3, dark)},
        {"par.dev",
         {"03/07/26\t12:30:15\t1307\r\n", "03/07/26\t12:30:16\t1280\r\n",
          "03/07/26\t12:30:17\t9501\r\n",  // off the calibration's scale: PAR keeps its last value
          "03/07/26\t12:30:18\t1000\r\n"},
         "Count\tDate\tTime\tPAR(umol/m2/s)\r\n" + ParRow(0, "123015", ParInWater(1307)) +
             ParRow(1, "123016", ParInWater(1280)) + ParRow(2, "123017", ParInWater(1280)) +
             ParRow(3, "123018", 1.3589)},
    };
}

class SampleDeviceRecord : public HostFixture, public testing::WithParamInterface<SampleCase> {};

TEST_P(SampleDeviceRecord, RowsFollowTheCalibration)
{
    const SampleCase& c = GetParam();
    TempDir dir;
    core.Timer55msTimer();  // the program's first tick always comes before a device file
    ui.Indexes["CBHostPort"] = 1;
    CBHostPortChange(ctx);
    dialogs.Answers.push_back(SampleDevice(c.device));
    LoadDeviceFileClick(ctx);
    ASSERT_EQ(s.DevicePath, SampleDevice(c.device));
    dialogs.Answers.push_back(dir.Path("run.eng"));
    BTRecordEngrClick(ctx);
    for (const auto& line : c.lines) {
        port.Inbound += line;
        core.Timer55msTimer();
    }
    BTStopRecordClick(ctx);
    EXPECT_EQ(s.LineCounter, double(c.lines.size()));
    EXPECT_EQ(ReadFileBytes(dir.Path("run.eng")), c.eng);
    EXPECT_TRUE(Warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(SampleDevices, SampleDeviceRecord, testing::ValuesIn(SampleCases()),
                         [](const testing::TestParamInfo<SampleCase>& info) {
                             return info.param.device.substr(0, info.param.device.find('.'));
                         });

}  // namespace
