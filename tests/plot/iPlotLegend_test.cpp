#include "plot/objects/iPlotLegend.h"

#include "ChannelTestSupport.h"

#include "components/iClasses.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/core/StringList.h"
#include "plot/objects/iPlotDataView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr TColor kBack = clBlack;

// The channel host that also lists the plot's channels, as the plot control does.
class LegendHost : public ChannelHost {
public:
    std::vector<TiPlotChannelCustom*> Channels;
    int ChannelCount() override { return int(Channels.size()); }
    TiPlotChannelCustom* GetChannel(int index) override { return Channels[size_t(index)]; }
    int XAxisCount() override { return XAxis ? 1 : 0; }
    TiPlotXAxis* GetXAxis(int) override { return XAxis; }
    int YAxisCount() override { return YAxis ? 1 : 0; }
    TiPlotYAxis* GetYAxis(int) override { return YAxis; }
};

TNotifyEvent Ignore()
{
    return [](TObject*) {};
}

}  // namespace

class LegendTest : public testing::Test {
protected:
    LegendTest()
    {
        m_bitmap.SetSize(500, 300);
        m_xAxis = std::make_unique<TiPlotXAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_yAxis = std::make_unique<TiPlotYAxis>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        m_xAxis->SetName("X");
        m_yAxis->SetName("Y");
        m_xAxis->SetTitle("Time");
        Host.XAxis = m_xAxis.get();
        Host.YAxis = m_yAxis.get();
        Legend = std::make_unique<TiPlotLegend>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        Canvas().Font().Assign(*Legend->Font());
        h0 = Canvas().TextHeight("0");
        w0 = Canvas().TextWidth("0");
    }

    TiPlotChannel& AddChannel(const std::string& name, TColor color)
    {
        auto channel = std::make_unique<TiPlotChannel>(&Host, Ignore(), Ignore(), Ignore(), Ignore());
        channel->SetName(name);
        channel->SetXAxisName("X");
        channel->SetYAxisName("Y");
        channel->SetColor(color);
        Host.Channels.push_back(channel.get());
        m_channels.push_back(std::move(channel));
        return *m_channels.back();
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    void Paint()
    {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(kBack);
        Canvas().FillRect(Rect(0, 0, 500, 300));
        Legend->Draw(Canvas(), kBack);
    }
    bool AnyIn(const TRect& r, TColor color)
    {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (Canvas().GetPixel(x, y) == color)
                    return true;
        return false;
    }

    TRegionGuard m_region;
    TBitmap m_bitmap;
    LegendHost Host;
    std::unique_ptr<TiPlotXAxis> m_xAxis;
    std::unique_ptr<TiPlotYAxis> m_yAxis;
    std::vector<std::unique_ptr<TiPlotChannel>> m_channels;
    std::unique_ptr<TiPlotLegend> Legend;
    int h0 = 0;
    int w0 = 0;
};

TEST_F(LegendTest, SettersGuardTheirValues)
{
    Legend->SetWrapColDesiredCount(0);
    EXPECT_EQ(Legend->WrapColDesiredCount(), 1);
    Legend->SetWrapRowDesiredCount(-3);
    EXPECT_EQ(Legend->WrapRowDesiredCount(), 1);
    Legend->SetRowSpacing(0.75);  // one value under two names
    EXPECT_EQ(Legend->WrapRowSpacingMin(), 0.75);
    Legend->SetWrapRowSpacingMin(1.5);
    EXPECT_EQ(Legend->RowSpacing(), 1.5);
    EXPECT_EQ(Legend->LineColumnHeight(), 3);
    EXPECT_EQ(Legend->CaptionColumnYMean(), "Y-Mean");
}

TEST_F(LegendTest, PropertiesTravelThroughTheirLines)
{
    Legend->SetShowColumnYMean(true);
    Legend->SetCaptionColumnYMean("Average");
    Legend->SetWrapColDesiredCount(3);
    Legend->SetChannelNameColorStyle(iplcncsChannelColor);
    Legend->SetBackGroundColor(clNavy);
    Legend->Font()->SetColor(clYellow);
    Legend->SetLineColumnHeight(13);  // the declared default: left out, read back as made
    TStringList lines;
    SaveObjectToStringList(Legend.get(), "", lines);
    TiPlotLegend copy(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    LoadObjectFromStringList(&copy, "", lines);
    EXPECT_TRUE(copy.ShowColumnYMean());
    EXPECT_FALSE(copy.ShowColumnYMax());
    EXPECT_EQ(copy.CaptionColumnYMean(), "Average");
    EXPECT_EQ(copy.WrapColDesiredCount(), 3);
    EXPECT_EQ(copy.ChannelNameColorStyle(), iplcncsChannelColor);
    EXPECT_EQ(copy.BackGroundColor(), clNavy);
    EXPECT_EQ(copy.Font()->GetColor(), clYellow);
    EXPECT_EQ(copy.LineColumnHeight(), 3);
}

// Room for two rows: the legend still shows three (rows below three while items are left
// over are raised to three), in one column, and offers to scroll.
TEST_F(LegendTest, WrapsIntoRowsAndScrollsThroughTheRest)
{
    for (int i = 0; i < 6; ++i)
        AddChannel("Channel " + std::to_string(i + 1), clRed);
    const int rowGap = int(std::nearbyint(h0 * 0.25));
    Legend->SetDrawRect(Rect(0, 0, 200, 2 * h0 + 2 * h0 + rowGap));
    Legend->CalcRects(Canvas());
    EXPECT_EQ(Legend->RowCount(), 3);
    EXPECT_EQ(Legend->ColumnCount(), 1);
    EXPECT_EQ(Legend->LastShownIndex(), 2);
    EXPECT_TRUE(Legend->DownButton()->Visible());
    EXPECT_TRUE(Legend->DownButton()->Enabled());
    EXPECT_FALSE(Legend->UpButton()->Enabled());
    Legend->DownButtonClick(nullptr);  // one step per click
    Legend->CalcRects(Canvas());
    EXPECT_EQ(Legend->ItemViewStartIndex(), 1);
    EXPECT_EQ(Legend->LastShownIndex(), 3);
    EXPECT_TRUE(Legend->UpButton()->Enabled());
    const TRect down = Legend->DownButton()->GetDrawRect();
    EXPECT_EQ(Legend->GetMouseObject(down.Right - 2, down.Bottom - 2), Legend->DownButton());

    // Two item columns side by side.
    Legend->SetWrapColDesiredCount(2);
    Legend->SetDrawRect(Rect(0, 0, 400, 2 * h0 + 2 * h0 + rowGap));
    Legend->CalcRects(Canvas());
    EXPECT_EQ(Legend->ColumnXList().size(), 2u);
    EXPECT_EQ(Legend->Items()[4].Column, 2);

    // A disabled legend never scrolls and starts at the first item.
    Legend->SetEnabled(false);
    Legend->CalcRects(Canvas());
    EXPECT_FALSE(Legend->UpButton()->Visible());
    EXPECT_EQ(Legend->ItemViewStartIndex(), 0);
}

// Along the top or bottom: as many item columns as fit, spread over the width but for the
// room of the scroll buttons.
TEST_F(LegendTest, AHorizontalLegendSpreadsItsColumns)
{
    for (int i = 0; i < 6; ++i)
        AddChannel("Channel " + std::to_string(i + 1), clRed);
    Legend->SetHorizontal(true);
    Legend->SetWrapColAutoCountEnabled(true);
    Legend->CalcRects(Canvas());
    const int block = Legend->BlockWidth();
    const int gap = int(std::nearbyint(h0 * 2.0));
    const int margin = int(std::nearbyint(w0 * 1.0));
    const int width = 2 * margin + 25 + 3 * block + 2 * gap + 5;  // room for three columns
    Legend->SetDrawRect(Rect(0, 0, width, 100));
    const int required = Legend->GetRequiredWidth(Canvas());
    EXPECT_EQ(Legend->ColumnCount(), 3);
    EXPECT_EQ(Legend->RowCount(), 2);
    EXPECT_EQ(required, 2 * int(std::nearbyint(h0 * 1.0)) + 2 * Legend->RowHeight() + int(std::nearbyint(h0 * 0.25)));
    const int extra = (width - 2 * margin - 25 - 3 * block) / 2;
    EXPECT_EQ(Legend->Items()[5].Column, 3);
    EXPECT_EQ(Legend->ColumnXList().at(1), margin + block + extra);
    EXPECT_EQ(Legend->Items()[2].X, margin + block + extra);
}

TEST_F(LegendTest, LongNamesWrapWithinTheirWidth)
{
    TiPlotChannel& longName = AddChannel("unused", clRed);
    longName.SetTitleText("A rather long channel title for the meter");
    TiPlotChannel& blank = AddChannel("Fallback", clRed);
    blank.SetTitleText("   ");  // blank: the name stands in
    Legend->SetDrawRect(Rect(0, 0, 300, 300));
    Legend->CalcRects(Canvas());
    const int oneLine = Legend->RowHeight();
    EXPECT_EQ(Legend->ColumnWidth(TiPlotLegend::colName),
              Canvas().TextWidth("A rather long channel title for the meter"));
    Legend->SetChannelNameMaxWidth(10);
    Legend->CalcRects(Canvas());
    EXPECT_EQ(Legend->ColumnWidth(TiPlotLegend::colName), 10 * w0);
    EXPECT_GT(Legend->Items()[0].Height, oneLine);
    EXPECT_EQ(Legend->Items()[1].Height, oneLine);
    Paint();
    EXPECT_TRUE(AnyIn(blank.LegendRect(), clWhite));
}

TEST_F(LegendTest, AClickOnTheLegendRaisesItsEventOnRelease)
{
    AddChannel("Alpha", clRed);
    Legend->SetDrawRect(Rect(10, 10, 200, 200));
    Paint();
    Legend->iMouseDown(mbLeft, {}, 150, 150, 150, 150, nullptr);
    Legend->iMouseUp(mbLeft, {}, 150, 150, 150, 150, false, nullptr);
    EXPECT_NE(std::find(Host.Events.begin(), Host.Events.end(), "ObjectClick"), Host.Events.end());
    // While a data cursor follows every channel, the value columns show its values.
    Legend->SetCursorValues(true);
    Legend->CalcRects(Canvas());
    EXPECT_GT(Legend->ColumnWidth(TiPlotLegend::colYValue), 0);
}

TEST_F(LegendTest, DegenerateSizesNeverDivideByZero)
{
    AddChannel("A", clRed);
    AddChannel("B", clRed);
    Legend->SetWrapColAutoCountEnabled(true);
    Legend->SetWrapColAutoCountMax(0);
    Legend->SetWrapRowAutoCountMax(-5);
    Legend->SetColumnSpacing(0);
    Legend->SetWrapRowSpacingMin(0);
    Legend->SetWrapColSpacingMin(0);
    Legend->SetShowColumnLine(false);
    m_channels[0]->SetName("");
    m_channels[1]->SetName("");
    for (bool horizontal : {false, true}) {
        Legend->SetHorizontal(horizontal);
        Legend->SetDrawRect(Rect(0, 0, 0, 0));
        Legend->CalcRects(Canvas());
        EXPECT_GE(Legend->RowCount(), 1);
        EXPECT_GE(Legend->ColumnCount(), 1);
    }
}

TEST_F(LegendTest, CellTextsNameMissingAxesAndEmptyChannels)
{
    TiPlotChannel& empty = AddChannel("Empty one", clRed);
    TiPlotChannel& lost = AddChannel("Lost", clRed);
    lost.SetYAxisName("No such axis");
    lost.AddXY(1, 2);
    TiPlotChannel& full = AddChannel("Full", clRed);
    full.AddXY(1, 2);
    full.AddXY(2, 6);
    EXPECT_EQ(Legend->GetYAxisValueText(&empty), "Empty");
    EXPECT_EQ(Legend->GetYAxisMeanText(&empty), "Empty");
    EXPECT_EQ(Legend->GetYAxisValueText(&lost), "N/A");
    EXPECT_EQ(Legend->GetYAxisNameText(&lost), "None");
    EXPECT_EQ(Legend->GetXAxisNameText(&full), "Time");  // the title when there is one
    EXPECT_EQ(Legend->GetYAxisNameText(&full), "Y");     // else the name
    EXPECT_EQ(Legend->GetYAxisValueText(&full), m_yAxis->GetLegendText(6));
    EXPECT_EQ(Legend->GetYAxisMaxText(&full), m_yAxis->GetLegendText(6));
    EXPECT_EQ(Legend->GetYAxisMeanText(&full), m_yAxis->GetLegendText(4));
    Host.Translations["N/A"] = "n. v.";
    EXPECT_EQ(Legend->GetYAxisMinText(&lost), "n. v.");
    // Every value column shown, with a channel lacking its Y axis: laid out without it.
    for (auto show : {&TiPlotLegend::SetShowColumnXValue, &TiPlotLegend::SetShowColumnYValue,
                      &TiPlotLegend::SetShowColumnYMax, &TiPlotLegend::SetShowColumnYAxisTitle})
        (Legend.get()->*show)(true);
    Legend->SetDrawRect(Rect(0, 0, 400, 200));
    EXPECT_GT(Legend->GetRequiredWidth(Canvas()), 0);
}

TEST_F(LegendTest, TheLineSampleIsDrawnRowByRow)
{
    // LineColumnHeight 3: four rows, from Y - 1 to Y + 2.
    Legend->DrawLine(Canvas(), 10, 20, clRed, iplsSolid);
    for (int y = 18; y <= 23; ++y)
        EXPECT_EQ(Canvas().GetPixel(15, y), (y >= 19 && y <= 22) ? clRed : TColor(kBack)) << y;
    EXPECT_EQ(Canvas().GetPixel(22, 20), clRed);
    EXPECT_EQ(Canvas().GetPixel(23, 20), kBack);
    // The hand-made dash: 0..4 and 8..12.
    Legend->DrawLine(Canvas(), 10, 40, clLime, iplsDash);
    EXPECT_EQ(Canvas().GetPixel(14, 40), clLime);
    EXPECT_EQ(Canvas().GetPixel(16, 40), kBack);
    EXPECT_EQ(Canvas().GetPixel(18, 40), clLime);
}

TEST_F(LegendTest, DrawsItemsAndTheSelection)
{
    TiPlotChannel& a = AddChannel("Alpha", clRed);
    TiPlotChannel& b = AddChannel("Beta", clLime);
    b.SetUserSelected(true);
    Legend->SetDrawRect(Rect(10, 10, 200, 200));
    Legend->SetBackGroundTransparent(false);
    Paint();
    EXPECT_EQ(Canvas().GetPixel(11, 11), Legend->BackGroundColor());
    const TiPlotLegendItem& first = Legend->Items()[0];
    const int lineY = first.Y + h0 / 2;
    EXPECT_EQ(Canvas().GetPixel(first.X + 5, lineY), clRed);
    EXPECT_TRUE(AnyIn(a.LegendRect(), clWhite));  // the name in the legend's font
    EXPECT_TRUE(AnyIn(b.LegendRect(), Legend->SelectedItemBackGroundColor()));
    EXPECT_EQ(Legend->GetMouseObject(a.LegendRect().Left + 1, a.LegendRect().Top + 1), &a);

    // A channel leaving the plot is dropped at once: the legend never reaches it again.
    Legend->NotificationRemove(&a);
    Host.Channels.erase(Host.Channels.begin());
    const TRect oldRect = a.LegendRect();
    m_channels.erase(m_channels.begin());
    EXPECT_EQ(Legend->GetMouseObject(oldRect.Left + 1, oldRect.Top + 1), Legend->GetMouseObject(-100, -100));

    // No channel in the legend: nothing at all is drawn, not even the background.
    b.SetVisibleInLegend(false);
    Paint();
    EXPECT_EQ(Canvas().GetPixel(11, 11), kBack);
}

// A legend for a person to look at: every column, two item columns, a selected channel.
TEST_F(LegendTest, PictureOfALegend)
{
    const TColor colors[] = {clRed, clLime, clYellow, clAqua, clFuchsia};
    const TiPlotLineStyle styles[] = {iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot};
    for (int i = 0; i < 5; ++i) {
        TiPlotChannel& c = AddChannel("Channel " + std::to_string(i + 1), colors[i]);
        c.SetTraceLineStyle(styles[i]);
        c.SetMarkersVisible(true);
        c.SetMarkersStyle(TiPlotMarkerStyle(i));
        for (int k = 0; k < 10; ++k)
            c.AddXY(k, 10 * i + std::sin(k));
    }
    m_channels[2]->SetTitleText("Turbidity (NTU)");
    m_channels[1]->SetUserSelected(true);
    Legend->SetShowColumnMarker(true);
    Legend->SetShowColumnYValue(true);
    Legend->SetShowColumnYMax(true);
    Legend->SetColumnTitlesVisible(true);
    Legend->SetBackGroundTransparent(false);
    Legend->SetBackGroundColor(0x303030);
    Legend->SetWrapColDesiredCount(2);
    Legend->SetDrawRect(Rect(5, 5, 395, 120));
    // As wide as it asks to be, the way the layout places it.
    Legend->SetDrawRect(Rect(5, 5, 5 + Legend->GetRequiredWidth(Canvas()), 120));
    EXPECT_LE(Legend->GetDrawRect().Right, 500);
    Paint();
    const TBytes bytes = EncodePNG(m_bitmap, 9);
    std::FILE* file = std::fopen("iPlotLegend_picture.png", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Three live channels of a meter over a data view with its grid, its axes and the legend,
// put together the way the paint pass paints them, for a person to look at.
TEST_F(LegendTest, PictureOfAPlot)
{
    TBitmap plot;
    plot.SetSize(640, 400);
    TCanvas& canvas = plot.Canvas();
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(Rect(0, 0, 640, 400));
    const TRect area = Rect(70, 20, 480, 340);
    Host.DataView = area;
    m_xAxis->SetMinSpan(0, 60);
    m_xAxis->SetTitle("Time (s)");
    m_xAxis->SetTrackingEnabled(false);
    m_xAxis->SetDrawRect(Rect(area.Left, area.Bottom, area.Right, 395));
    m_yAxis->SetMinSpan(0, 100);
    m_yAxis->SetTitle("Absorbance (mAU)");
    m_yAxis->SetTrackingEnabled(false);
    m_yAxis->SetDrawRect(Rect(0, area.Top, area.Left, area.Bottom));
    m_xAxis->CalcTicks(canvas);
    m_yAxis->CalcTicks(canvas);
    TiPlotDataView view(&Host, Ignore(), Ignore(), Ignore(), Ignore());
    view.SetGridXAxisName("X");
    view.SetGridYAxisName("Y");
    view.SetDrawRect(area);
    view.SetBackgroundTransparent(false);
    view.DrawBackground(canvas);
    view.Draw(canvas, clBlack);
    const char* names[] = {"UV 254 nm", "Turbidity", "Temperature"};
    const TColor colors[] = {clRed, clLime, clYellow};
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, 1.5);
    for (int c = 0; c < 3; ++c) {
        TiPlotChannel& channel = AddChannel(names[c], colors[c]);
        channel.SetTitleText(names[c]);
        for (int i = 0; i <= 600; ++i) {
            const double t = i / 10.0;
            const double base = c == 0 ? 60 + 15 * std::sin(t / 8) : c == 1 ? 30 + t / 3 : 15 + 5 * std::cos(t / 5);
            channel.AddXY(t, base + noise(random));
        }
        canvas.SaveDC();
        canvas.IntersectClipRect(Rect(area.Left, area.Top, area.Right + 1, area.Bottom + 1));
        channel.DrawSetup(canvas);
        channel.Draw(canvas, view.BackgroundColor());
        canvas.RestoreDC(-1);
    }
    m_xAxis->Draw(canvas, clBlack);
    m_yAxis->Draw(canvas, clBlack);
    Legend->SetShowColumnYValue(true);
    Legend->SetDrawRect(Rect(area.Right + 5, area.Top, 640, area.Top + 100));
    Legend->Draw(canvas, clBlack);
    EXPECT_TRUE(m_channels[0]->ReadyToDraw());
    const TBytes bytes = EncodePNG(plot, 9);
    std::FILE* file = std::fopen("iPlotLegend_plot.png", "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
