#include "HostFakes.h"
#include "platform/core/Streams.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"

#include "app/core/CFormat.h"
#include "app/core/DeviceFile.h"
#include "app/core/ParSetup.h"

namespace {

class DeviceFileTest : public HostFixture {
protected:
    TempDir dir;

    bool Parse(const std::string& text)
    {
        std::string path = dir.Write("d.dev", text);
        FilePtr f(std::fopen(path.c_str(), "rb"));
        return ParseDeviceFile(ctx, f.get());
    }

    void Load(const std::string& text)
    {
        dialogs.Answers.push_back(dir.Write("load.dev", text));
        LoadDeviceFileClick(ctx);
    }
};

TEST_F(DeviceFileTest, EveryColumnRow)
{
    ASSERT_TRUE(Parse("My\tSensor\r\n"
                      "Columns=40\r\n"
                      "Date=1\nTime=2\nCHL=3 2.5 10\nCHLREF=4\nPHYCOCYANIN=5 1 2\nPHYCOCYANINE=6 3 4\n"
                      "PHYCOCYANINEREF=7\nPHYCOERYTHRIN=8 1 1\nPHYCOERYTHRINREF=9\nURANINE=10 1 1\nURANINEREF=11\n"
                      "RHODAMINE=12 1 1\nRHODAMINEREF=13\nCDOM=14 1 1\nCDOMREF=15\nLSS=16 1 1\nLSSREF=17\n"
                      "NTU=18 1 1\nNTUREF=19\niTemp=20 0.01 -40\nxTemp=21 1 0\nPRES=22 1 0\nVSF100=23 1 0\n"
                      "VSF125=24 1 0\nVSF150=25 1 0\nIENGR=26\nREF=27\nN/U=28\nCOUNTER=29\nRAW=30\nENGR1=31 1 0\n"
                      "PAR=32\nLambda=33 0.5 40 470 470\nLambdaref=3 1 0\nLambdaref=34 2 5\n"));
    const int expected[] = {1,  2,  17, 31, 28, 28, 34, 29, 35, 27, 33, 30, 36, 26, 32, 37, 38,
                            52, 53, 39, 40, 41, 54, 55, 56, 51, 42, 42, 57, 58, 59, 60, 7};
    for (int col = 0; col < 33; ++col)
        EXPECT_EQ(s.Device.ColumnTypes[col], expected[col]) << "column " << col + 1;
    EXPECT_EQ(s.Device.ColumnTypes[33], 0);  // Lambdaref for column 34 keeps the column's (empty) type
    EXPECT_EQ(s.Device.DataFieldCount, 34);  // PAR and Columns are not counted
    EXPECT_EQ(s.Device.ExpectedColumns, 40);
    EXPECT_EQ(s.Device.SensorName, "My Sensor");
    EXPECT_EQ(s.Device.TypeScale[28], 3.0);
    EXPECT_EQ(s.Device.TypeOffset[28], 4.0);
    EXPECT_EQ(s.Device.TypeScale[31], 1.0);
    EXPECT_FLOAT_EQ(float(s.Device.TypeScale[39]), 0.01f);
    EXPECT_EQ(s.Device.TypeWavelength[7], 470);
    EXPECT_EQ(s.Device.TypeColor[7], RGB(0, 153, 255));
    EXPECT_EQ(s.Device.TypeScale[0], 2.0);  // Lambdaref on an untyped column recalibrates type 0
    EXPECT_EQ(s.Device.RefBaseline[31], 9999.9);
    EXPECT_TRUE(s.PlotSetupPending);
    EXPECT_TRUE(ui.IsVisible("TSPARSetup"));
}

TEST_F(DeviceFileTest, ParametersAndTexts)
{
    ASSERT_TRUE(Parse("P\nsalinity=35\nWater=SEA\nWater=PURE\nXFACTOR=1.2\nTheta=117\nASV1=0.5\nASV2=1\nASV4=2\n"
                      "maxvoltage=5\niengrscaleoffset=3\niengrunits=ug/l\r\nCHL=3 0.0121 48\nIM=1.3589\nA0=0.1\n"
                      "a1=2.5e-7\ncolumns=3\n"));
    EXPECT_FLOAT_EQ(float(s.Device.Salinity), 35.0f);
    EXPECT_EQ(s.Device.WaterKind, 0);
    EXPECT_FLOAT_EQ(float(s.Device.Chi), 1.2f);
    EXPECT_NEAR(s.Device.Theta, 2.041975, 1e-6);
    EXPECT_FLOAT_EQ(s.Device.ASV1Range, 2.5f);
    EXPECT_FLOAT_EQ(s.Device.ASV4Range, 10.0f);
    EXPECT_EQ(s.Device.EngrUnits, "ug/l");
    EXPECT_FLOAT_EQ(s.Device.DevEngrScale, 0.0121f);
    EXPECT_FLOAT_EQ(s.Device.DevEngrOffset, 48.0f);
    EXPECT_EQ(s.Device.PARIm, 1.3589);
    EXPECT_EQ(ui.Texts["L_Im"], "1.3589");
    EXPECT_EQ(ui.Texts["R_PARWater"], "In Water (1.358900)");
    EXPECT_EQ(ui.Texts["E_a0"], "0.1");
    EXPECT_EQ(ui.Texts["L_a1"], "2.5E-7");
    EXPECT_EQ(s.Device.ExpectedColumns, 3);
    EXPECT_EQ(s.Device.ColumnTypes[2], 0);  // "Columns=" after the column's own line clears it
}

TEST_F(DeviceFileTest, FailuresLeaveNoDeviceFile)
{
    struct Case {
        const char* text;
        const char* caption;  // nullptr: no message of its own
        const char* message;
    };
    const Case cases[] = {
        {"", nullptr, nullptr},
        {"S\nColumns=4\nCHL=1 1 1\nCDOM=2 1 1\nLSS=3 1 1\nNTU=4 1 1\nRAW=5\n", "ZUV Device File Error",
         "More Data Fields (5) than Columns (4) in *.dev"},
        {"S\nCHL=x\n", "ZUV Device File Error", "Invalid Line 'CHL=x\n' in *.dev file"},
        {"S\nA1=bad\r\n", "PAR Device File Error", "Invalid Line 'A1=bad\r\n' in *.dev file"},
        {"S\nCHL=76 1 1\n", nullptr, nullptr},
        {"S\nCHL=0 1 1\n", nullptr, nullptr},
        {"S\nPAR=-3\n", nullptr, nullptr},
        {"S\nColumns=99999999999\n", "ZUV Device File Error", "Invalid Line 'Columns=99999999999\n' in *.dev file"},
        {"S\nLambda=1 1 1 1e20 500\n", "ZUV Device File Error", "Invalid Line 'Lambda=1 1 1 1e20 500\n' in *.dev file"},
        {"S\nSalinity=1e60\n", "ZUV Device File Error", "Invalid Line 'Salinity=1e60\n' in *.dev file"},
        {"S\nColumns=20\nLambda=1 1 1 400 400\nLambda=2 1 1 400 400\nLambda=3 1 1 400 400\nLambda=4 1 1 400 400\n"
         "Lambda=5 1 1 400 400\nLambda=6 1 1 400 400\nLambda=7 1 1 400 400\nLambda=8 1 1 400 400\n"
         "Lambda=9 1 1 400 400\nLambda=10 1 1 400 400\n",
         "Device File Error", "Unable to Process more that 9 lambdas"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Parse("Good\nColumns=1\nCHL=1 2 3\n"));
        size_t before = Warnings().size();
        EXPECT_FALSE(Parse(c.text)) << c.text;
        EXPECT_EQ(s.Device.DataFieldCount, 0) << c.text;
        EXPECT_EQ(s.Device.ColumnTypes[0], 0) << c.text;
        auto w = Warnings();
        if (c.caption) {
            ASSERT_EQ(w.size(), before + 1) << c.text;
            EXPECT_EQ(w.back().Caption, c.caption);
            EXPECT_EQ(w.back().Text, c.message);
        } else {
            EXPECT_EQ(w.size(), before) << c.text;
        }
        core.Warnings().TakeNext();
        core.Warnings().BoxClosed();
    }
}

TEST_F(DeviceFileTest, LongLinesAreReadInPiecesOf98)
{
    ASSERT_TRUE(Parse("N\nColumns=1\nX" + std::string(97, ' ') + "CHL=1 1 1\n"));
    EXPECT_EQ(s.Device.ColumnTypes[0], TypeCode::CHL);
}

TEST_F(DeviceFileTest, LoadingFromTheMenu)
{
    Load("Loaded Sensor\nColumns=2\nCHL=1 1 0\nNTU=2 1 0\n");
    EXPECT_EQ(s.DevicePath, dir.Path("load.dev"));
    EXPECT_EQ(ui.Texts["LBDeviceFile"], "Device File:  " + dir.Path("load.dev"));
    EXPECT_FALSE(ui.IsVisible("PMeterType"));
    EXPECT_EQ(ui.ActivePage, 4);
    EXPECT_TRUE(ui.IsVisible("TSNTUSetup"));
    EXPECT_EQ(dialogs.Requests[0].Title, "Open Device File");
    EXPECT_EQ(dialogs.Requests[0].Filter, "Device File (*.dev)|*.dev|All files (*.*)|*.*");

    Load("Bad\nCHL=q\n");
    EXPECT_EQ(s.DevicePath, "");
    auto w = Warnings();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[1].Caption, "Device File Error");
    EXPECT_EQ(w[1].Text, "Missing or Invalid device file '" + dir.Path("load.dev") + "'");

    dialogs.Answers.push_back(dir.Path("missing.dev"));
    LoadDeviceFileClick(ctx);
    EXPECT_EQ(s.DevicePath, "");
    EXPECT_EQ(Warnings().size(), 2u);
    LoadDeviceFileClick(ctx);  // cancelled
    EXPECT_EQ(Warnings().size(), 2u);
}

TEST_F(DeviceFileTest, ParDeviceFileRoundTrip)
{
    s.Device.PARIm = 1.3589;
    s.Device.PARa0 = 1000;
    s.Device.PARa1 = 500;
    dialogs.Answers.push_back(dir.Path("mypar"));
    BPar_DeviceClick(ctx);
    EXPECT_EQ(ReadFileBytes(dir.Path("mypar.dev")),
              "ZUV PAR\r\nCreated on:03/07/26\r\n\r\n\r\nCOLUMNS=3\r\nDATE=1\r\nTIME=2\r\nPAR=3\r\n"
              "im=1.358900\r\na1=500.000000\r\na0=1000.000000\r\n");
    s.Device.PARIm = s.Device.PARa0 = s.Device.PARa1 = 0;
    FilePtr f(std::fopen(dir.Path("mypar.dev").c_str(), "rb"));
    ASSERT_TRUE(ParseDeviceFile(ctx, f.get()));
    EXPECT_EQ(s.Device.ExpectedColumns, 3);
    EXPECT_EQ(s.Device.ColumnTypes[2], TypeCode::PAR);
    EXPECT_EQ(s.Device.PARa1, 500);
    EXPECT_EQ(s.Device.SensorName, "ZUV PAR");

    dialogs.Answers.push_back(dir.Path("no/such/dir/x.dev"));
    BPar_DeviceClick(ctx);
    ASSERT_EQ(Warnings().size(), 1u);
    EXPECT_EQ(Warnings()[0].Text, "Error opening fille");
}

TEST_F(DeviceFileTest, ApplyParCoefficients)
{
    ui.Texts["E_a1"] = "2.5xyz";
    ui.Texts["E_a0"] = "junk";
    s.Device.PARIm = 1.0;
    BPAR_ApplyClick(ctx);
    EXPECT_EQ(s.Device.PARa1, 2.5);
    EXPECT_EQ(s.Device.PARa0, 0.0);
    EXPECT_EQ(ui.Texts["L_a1"], "2.5");
    EXPECT_EQ(ui.Texts["L_a0"], "0");
    EXPECT_EQ(ui.Texts["L_Im"], "1");
}

TEST_F(DeviceFileTest, RandomFilesNeverBreakTheModel)
{
    const char* pieces[] = {
        "Columns=", "Lambda=", "Lambdaref=", "CHL=", "PAR=", "iengrunits=", "IM=", "-", "999999999999", "1e39",
        "0",        "75",      "76",         " ",    "\t",   "\r\n",        "\n",  "=", "\xff",         "3.5"};
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    for (int file = 0; file < 300; ++file) {
        std::string text = "Sensor\n";
        int parts = int(next() % 60);
        for (int i = 0; i < parts; ++i)
            text += pieces[next() % std::size(pieces)];
        Parse(text);
        EXPECT_GE(s.Device.DataFieldCount, 0);
        EXPECT_LE(s.Device.DataFieldCount, s.Device.ExpectedColumns > 0 ? s.Device.ExpectedColumns : kMaxColumns);
        EXPECT_LE(s.Device.EngrUnits.size(), 83u);
        while (core.Warnings().TakeNext())
            core.Warnings().BoxClosed();
    }
}

TEST(WavelengthColor, Table)
{
    EXPECT_EQ(WavelengthToColor(470), RGB(0, 153, 255));
    EXPECT_EQ(WavelengthToColor(700), RGB(255, 0, 0));
    EXPECT_EQ(WavelengthToColor(300), RGB(76, 0, 76));
    EXPECT_EQ(WavelengthToColor(380), WavelengthToColor(300));
    EXPECT_EQ(WavelengthToColor(2000), WavelengthToColor(780));
    EXPECT_EQ(WavelengthToColor(510), RGB(0, 255, 0));
}

TEST(ShortFloat, Texts)
{
    EXPECT_EQ(ShortFloatText(0.1), "0.1");
    EXPECT_EQ(ShortFloatText(100), "100");
    EXPECT_EQ(ShortFloatText(1e15), "1E15");
    EXPECT_EQ(ShortFloatText(0.000001), "1E-6");
    EXPECT_EQ(ShortFloatText(-2.5e-7), "-2.5E-7");
    EXPECT_EQ(ShortFloatText(1.3589), "1.3589");
    EXPECT_EQ(ShortFloatText(0), "0");
}

}  // namespace
