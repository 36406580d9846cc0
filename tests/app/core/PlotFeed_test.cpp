#include "HostFakes.h"

#include "app/core/PlotFeed.h"

namespace {

class PlotFeedTest : public HostFixture {
protected:
    void Columns(std::initializer_list<TTypeCode> types)
    {
        int col = 0;
        for (TTypeCode t : types)
            s.Device.ColumnTypes[size_t(col++)] = t;
        s.Device.DataFieldCount = col;
    }

    // One line through the plot, with its titles refreshed as the input step's end does.
    void FeedLine(TPlotMode plotType)
    {
        FeedPlot(ctx, kMaxColumns, plotType);
        RefreshPlotTitles(ctx);
    }
};

TEST_F(PlotFeedTest, ChannelsFollowThePlottedColumns)
{
    s.Device.TypeWavelength[7] = 470;
    s.Device.TypeWavelength[8] = 532;
    s.Device.TypeColor[7] = RGB(0, 153, 255);
    Columns({TypeCode::FirstLambda, TypeCode::Counter, TypeCode::CHL, TypeCode::Lambda(2), TypeCode::VSF125});
    BuildPlotChannels(ctx);
    ASSERT_EQ(plot.ChannelCount(), 4);
    EXPECT_EQ(plot.Channels[0].Title, "470 nm");
    EXPECT_EQ(plot.Channels[0].Color, RGB(0, 153, 255));
    EXPECT_EQ(plot.Channels[1].Title, "CHL:");
    EXPECT_EQ(plot.Channels[1].Color, clFuchsia);
    EXPECT_EQ(plot.Channels[2].Title, "532 nm");
    EXPECT_EQ(plot.Channels[3].Title, "B125):");
    EXPECT_EQ(plot.Channels[3].Color, clRed);
    EXPECT_EQ(s.ColumnChannel[1], kNoChannel);
    EXPECT_EQ(s.ColumnChannel[3], 2);

    s.Device.DataFieldCount = 0;
    BuildPlotChannels(ctx);
    EXPECT_EQ(plot.ChannelCount(), 0);
}

TEST_F(PlotFeedTest, RawModePointsAndTitles)
{
    Columns({TypeCode::CHL, TypeCode::ITemp, TypeCode::IEngr, TypeCode::Counter});
    s.Device.EngrUnits = "ug/l";
    BuildPlotChannels(ctx);
    s.TypeValue[TypeCode::CHL] = 123.4;
    s.TypeValue[TypeCode::ITemp] = 2100;
    s.TypeValue[TypeCode::IEngr] = 3.14159;
    s.SampleX = 5;
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 123 Counts");
    EXPECT_EQ(plot.Channels[0].Points, (std::vector<std::pair<double, double>>{{5, 123.4}}));
    EXPECT_EQ(plot.Channels[1].Title, "iTemp: 2100 Counts");
    EXPECT_TRUE(plot.Channels[1].Points.empty());  // ITempPlot 0: title but no points
    EXPECT_EQ(plot.Channels[2].Title, "iEngr: 3.14 ug/l");

    s.TypeValue[TypeCode::CHL] = 99990;  // the no-value mark is never plotted
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.Channels[0].Points.size(), 1u);
}

TEST_F(PlotFeedTest, PowerUserTitlesShowStatistics)
{
    Columns({TypeCode::CHL});
    BuildPlotChannels(ctx);
    s.PowerUser = true;
    s.StatMode = TitleStat::Mean;
    for (double v : {10.0, 20.0}) {
        s.TypeValue[TypeCode::CHL] = v;
        FeedLine(PlotMode::RawData);
    }
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 15.00 Mean");
    s.StatMode = TitleStat::StdDev15;
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.Channels[0].Title.substr(0, 5), "CHL: ");
    EXPECT_NE(plot.Channels[0].Title.find(" stddev"), std::string::npos);
    s.StatMode = TTitleStat(7);  // no title at all
    plot.Channels[0].Title = "kept";
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.Channels[0].Title, "kept");
    s.PowerUser = false;
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 20 Counts");
}

TEST_F(PlotFeedTest, EngineeringModeTitles)
{
    s.Device.TypeWavelength[7] = 470;
    Columns({TypeCode::FirstLambda, TypeCode::CHL, TypeCode::Pressure, TypeCode::PAR, TypeCode::VSF100});
    BuildPlotChannels(ctx);
    s.TypeBeta[7] = 0.00123;
    s.TypeBb[7] = 0.0045;
    s.EngValue[TypeCode::CHL] = 2.5;
    s.EngValue[TypeCode::Pressure] = 10.25;
    s.EngValue[TypeCode::PAR] = 1234.5;
    s.TypeVSF[TypeCode::VSF100] = 0.5;
    s.PresPlot = 1;
    FeedLine(PlotMode::EngrUnits);
    EXPECT_EQ(plot.Channels[0].Title, "Beta 470 : 0.0012");
    EXPECT_EQ(plot.Channels[1].Title, "CHL: 2.50 ug/l");
    EXPECT_EQ(plot.Channels[2].Title, "Pres: 10.2 dbar");
    EXPECT_EQ(plot.Channels[2].Points.size(), 1u);
    EXPECT_EQ(plot.Channels[3].Title, "PAR: 1234.5000 umol photons/m2/s");
    EXPECT_EQ(plot.Channels[4].Title, "B(100): 0.5000 1/(m.ster)");
    s.BetaSelect = BetaKind::TotalBackscatter;
    FeedLine(PlotMode::EngrUnits);
    EXPECT_EQ(plot.Channels[0].Title, "bb 470: 0.0045");
    EXPECT_EQ(plot.Channels[0].Points.back().second, 0.0045);
    s.BetaSelect = TBetaKind(9);
    s.TypeValue[7] = 12;
    FeedLine(PlotMode::EngrUnits);
    EXPECT_EQ(plot.Channels[0].Title, "Invalid 470: 12.000000 ");
}

// Lines only mark their titles: a refresh shows the newest line's, and a line that sets no
// title leaves the one of the line before it.
TEST_F(PlotFeedTest, ARefreshShowsTheNewestTitles)
{
    Columns({TypeCode::CHL});
    BuildPlotChannels(ctx);
    s.PowerUser = true;
    for (double v : {10.0, 20.0}) {
        s.TypeValue[TypeCode::CHL] = v;
        FeedPlot(ctx, kMaxColumns, PlotMode::RawData);
    }
    EXPECT_EQ(plot.Channels[0].Title, "CHL:");
    s.StatMode = TTitleStat(7);
    s.TypeValue[TypeCode::CHL] = 30;
    FeedPlot(ctx, kMaxColumns, PlotMode::RawData);
    RefreshPlotTitles(ctx);
    EXPECT_EQ(plot.Channels[0].Title, "CHL: 20 Counts");
    EXPECT_EQ(plot.Channels[0].Points.size(), 3u);
    plot.Channels[0].Title = "kept";
    RefreshPlotTitles(ctx);  // nothing new since
    EXPECT_EQ(plot.Channels[0].Title, "kept");

    s.StatMode = TitleStat::None;
    FeedPlot(ctx, kMaxColumns, PlotMode::RawData);
    BuildPlotChannels(ctx);  // a new layout drops what the old channels were to show
    RefreshPlotTitles(ctx);
    EXPECT_EQ(plot.Channels[0].Title, "CHL:");
}

TEST_F(PlotFeedTest, StaleChannelIndexesAreSkipped)
{
    Columns({TypeCode::CHL, TypeCode::NTU});
    BuildPlotChannels(ctx);
    plot.RemoveAllChannels();  // e.g. a property file replaced the channels
    FeedLine(PlotMode::RawData);
    EXPECT_EQ(plot.ChannelCount(), 0);
}

TEST_F(PlotFeedTest, OptionHandlersClearThePlot)
{
    ui.Indexes["BBPlotCB"] = 2;
    BBPlotCBChange(ctx);
    EXPECT_EQ(s.BetaSelect, 2);
    ui.Indexes["StdDevCB"] = 3;
    StdDevCBChange(ctx);
    EXPECT_EQ(s.StatMode, 0);  // only in power-user mode
    EXPECT_EQ(plot.Clears, 1);
    s.PowerUser = true;
    StdDevCBChange(ctx);
    EXPECT_EQ(s.StatMode, 60);
    ui.Indexes["iTempCB"] = 1;
    iTempCBChange(ctx);
    ui.Indexes["xTempCB"] = 1;
    xTempCBChange(ctx);
    ui.Indexes["PresCB"] = 1;
    PresCBChange(ctx);
    EXPECT_EQ(s.ITempPlot + s.XTempPlot + s.PresPlot, 3);

    s.PresenceCounts[8] = 1;
    ui.Indexes["PlotTypeCB"] = 1;
    PlotTypeCBChange(ctx);
    EXPECT_EQ(s.PlotType, 1);
    EXPECT_TRUE(ui.IsVisible("BBPlotCB"));
    EXPECT_EQ(plot.YMin, 0.0);
    EXPECT_EQ(plot.YSpan, 1.0);
    ui.Indexes["PlotTypeCB"] = 0;
    plot.YMin = 5;
    PlotTypeCBChange(ctx);
    EXPECT_FALSE(ui.IsVisible("BBPlotCB"));
    EXPECT_EQ(plot.YMin, 5);  // "Raw Data" leaves the axis
    plot.YAxes = 0;
    ui.Indexes["PlotTypeCB"] = 1;
    PlotTypeCBChange(ctx);  // a plot without Y axes is left alone
    EXPECT_EQ(plot.Clears, 8);
}

TEST_F(PlotFeedTest, TitleAndSettingsFile)
{
    s.Device.SensorName = "ZUV-FL";
    PreparePlot(ctx);
    EXPECT_EQ(plot.Title, "ZUV-FL");
    s.Device.SensorName = "Other";
    SetPlotTitle(ctx);
    EXPECT_EQ(plot.Title, "Other");
    SavePlotSettings(ctx);
    EXPECT_TRUE(plot.SaveAll);
    EXPECT_EQ(plot.Saved, (std::vector<std::string>{"zuvpravix.rbs"}));
}

}  // namespace
