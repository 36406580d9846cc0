#include "plot/objects/iPlotTable.h"

#include "ChannelTestSupport.h"

#include "platform/canvas/ImageCodecs.h"
#include "platform/core/Reflection.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLabel.h"
#include "plot/objects/iPlotLimit.h"
#include "plot/objects/iPlotToolBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr TColor kBack = clBlack;
constexpr TColor kGrey = 0x808080;
constexpr TColor kTitleColor = 0xFFFF00;

void SavePNG(const TBitmap& bitmap, const std::string& name)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

// A vertical table in (300, 20) .. (480, 280) of a black 500 x 300 bitmap.
class TableTest : public testing::Test {
protected:
    TableTest()
    {
        m_bitmap.SetSize(500, 300);
        Table = std::make_unique<TiPlotTable>(
            &Host, [this](TObject*) { ++Changes; }, [](TObject*) {}, [](TObject*) {}, [](TObject*) {});
        Table->SetDrawRect(kRect);
        Canvas().Font().Assign(*Table->ColumnTitlesFont());
        wT = Canvas().TextWidth("0");
        hT = Canvas().TextHeight("0");
        Canvas().Font().Assign(*Table->DataFont());
        wD = Canvas().TextWidth("0");
        hD = Canvas().TextHeight("0");
    }

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    void Paint()
    {
        Canvas().Brush().SetStyle(bsSolid);
        Canvas().Brush().SetColor(kBack);
        Canvas().FillRect(Rect(0, 0, 500, 300));
        Table->Draw(Canvas(), kBack);
    }
    int CountIn(const TRect& r, TColor color)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += Canvas().GetPixel(x, y) == color;
        return n;
    }
    // Three columns and `rows` rows of "r<row>c<col>".
    void Fill(int rows)
    {
        for (const char* title : {"A", "B", "C"})
            Table->AddColumn(title);
        for (int row = 0; row < rows; ++row) {
            Table->AddRow();
            for (int col = 0; col < 3; ++col)
                Table->SetData(col, row, "r" + std::to_string(row) + "c" + std::to_string(col));
        }
    }
    // A left click on `object` through its mouse protocol.
    static void Click(TiPlotObject& object, TPoint at, TPoint release)
    {
        object.iMouseDown(mbLeft, {}, at.X, at.Y, at.X, at.Y, nullptr);
        object.iMouseUp(mbLeft, {}, release.X, release.Y, release.X, release.Y, false, nullptr);
    }

    static constexpr TRect kRect{300, 20, 480, 280};
    TBitmap m_bitmap;
    ChannelHost Host;
    std::unique_ptr<TiPlotTable> Table;
    int Changes = 0;
    int wT = 0, hT = 0, wD = 0, hD = 0;
};

// ---------------------------------------------------------------------------------------------
// Cells

TEST_F(TableTest, CellsTravelAsCommaText)
{
    for (const char* title : {"A", "B", "C"})
        Table->AddColumn(title);
    EXPECT_EQ(Changes, 0);  // columns do not repaint
    Table->AddRow();
    EXPECT_EQ(Changes, 1);
    Table->SetData(0, 0, "a");
    Table->SetData(1, 0, "b");
    EXPECT_EQ(Table->GetRowText(0), "a,b,");
    // Each row: a cell text, how the row stores it, and why.
    const struct {
        int col;
        const char* text;
        const char* stored;
    } rows[] = {
        {2, "x", "a,b,x"},                                  // cell 2 of a row of two cells
        {2, "1,5", "a,b,\"1,5\""},                          // a comma is quoted
        {1, "say \"hi\"", "a,\"say \"\"hi\"\"\",\"1,5\""},  // quotes doubled inside quotes
        {1, "two words", "a,\"two words\",\"1,5\""},        // a blank splits unquoted text
        {0, "", ",\"two words\",\"1,5\""},                  // an empty first cell
        {2, "tab\there", ",\"two words\",\"tab\there\""},   // characters below blank
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Table->SetData(row.col, 0, row.text);
        EXPECT_EQ(Table->GetRowText(0), row.stored);
        EXPECT_EQ(Table->GetData(row.col, 0), row.text);
    }
    EXPECT_EQ(Table->GetData(1, 0), "two words");
    ExpectMessage([&] { Table->GetData(5, 0); }, "List index out of bounds (5)");
    ExpectMessage([&] { Table->GetData(0, 1); }, "List index out of bounds (1)");
    ExpectMessage([&] { Table->SetData(-1, 0, "x"); }, "List index out of bounds (-1)");
    ExpectMessage([&] { Table->GetColumn(3); }, "List index out of bounds (3)");
    ExpectMessage([&] { Table->DeleteColumn(-1); }, "List index out of bounds (-1)");

    Table->DeleteColumn(0);
    EXPECT_EQ(Table->GetColumn(0)->Title, "B");
    Table->RemoveAllColumns();
    EXPECT_EQ(Table->GetColumnCount(), 0);
    Table->RemoveAllRows();
    EXPECT_EQ(Table->GetRowCount(), 0);
}

TEST_F(TableTest, ANewColumnTakesTheFontsColoursOfItsMoment)
{
    Table->DataFont()->SetColor(clLime);
    const int index = Table->AddColumn("Sample");
    const TiPlotTableColumn& column = *Table->GetColumn(index);
    EXPECT_EQ(column.Title, "Sample");
    EXPECT_EQ(column.DataFontColor, clLime);
    EXPECT_EQ(column.TitleFontColor, kTitleColor);
    EXPECT_EQ(column.Width, 10.0);
    EXPECT_TRUE(column.AutoSize && column.Visible);
    Table->DataFont()->SetColor(clRed);
    EXPECT_EQ(Table->GetColumn(index)->DataFontColor, clLime);
}

// ---------------------------------------------------------------------------------------------
// Layout

TEST_F(TableTest, WithoutRowsOrColumnsNothingIsDrawnOrRequired)
{
    Table->AddColumn("Only a column");
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), 0);
    Paint();
    EXPECT_EQ(CountIn(Rect(0, 0, 500, 300), kBack), 500 * 300);
    Table->RemoveAllColumns();
    Table->AddRow();
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), 0);
    Table->SetHorizontal(true);
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), 0);
    Paint();
    EXPECT_EQ(CountIn(Rect(0, 0, 500, 300), kBack), 500 * 300);
}

TEST_F(TableTest, ColumnsAreMeasuredOrSetInWidthsOfZero)
{
    Fill(2);
    const std::string wide = "a rather long cell text";
    Table->SetData(1, 1, wide);
    Table->GetColumn(2)->AutoSize = false;
    Table->GetColumn(2)->Width = 4.5;
    const int required = Table->GetRequiredWidth(Canvas());
    Canvas().Font().Assign(*Table->DataFont());
    const int spacing = int(std::nearbyint(wD * 2.0));
    const int cell0 = Canvas().TextWidth("r0c0") + spacing + wD;
    EXPECT_EQ(Table->GetColumn(0)->PixelWidth, cell0);
    // Widened to the widest text plus the spacing and one width of "0".
    const int wideWidth = Canvas().TextWidth(wide) + spacing + wD;
    EXPECT_EQ(Table->GetColumn(1)->PixelWidth, wideWidth);
    EXPECT_EQ(Table->GetColumn(1)->Width, wideWidth / wD);
    EXPECT_EQ(Table->GetColumn(2)->PixelWidth, int(std::nearbyint(4.5 * wD)));
    EXPECT_EQ(required, 2 * wT + cell0 + wideWidth + Table->GetColumn(2)->PixelWidth);
    // A hidden column takes no room.
    Table->GetColumn(1)->Visible = false;
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), required - wideWidth);
    // Laid along the top or bottom, the table asks for its height.
    Table->SetHorizontal(true);
    const int rowHeight = hD + int(std::nearbyint(hD * 0.5));
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), 2 * hT + hT + 2 * rowHeight);
}

TEST_F(TableTest, ScrollButtonsPageThroughRowsThatDoNotFit)
{
    Fill(10);
    const int allFit = Table->GetRequiredWidth(Canvas());
    EXPECT_FALSE(Table->UpButton()->Visible());
    Table->SetRowsMax(3);
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), allFit + 22);
    EXPECT_TRUE(Table->UpButton()->Visible() && Table->DownButton()->Visible());

    // Each row: a button clicked (through its mouse protocol), then the rows shown and the
    // buttons' states after the next layout.
    const struct {
        const char* click;
        int first, last;
        bool upEnabled, downEnabled;
    } rows[] = {
        {"", 0, 2, false, true},    {"down", 1, 3, true, true},  {"up", 0, 2, false, true},
        {"up", 0, 2, false, true},  {"down", 1, 3, true, true},  {"down", 2, 4, true, true},
        {"down", 3, 5, true, true}, {"down", 4, 6, true, true},  {"down", 5, 7, true, true},
        {"down", 6, 8, true, true}, {"down", 7, 9, true, false}, {"down", 7, 9, true, false},
        {"up", 6, 8, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.click) + " to " + std::to_string(row.first));
        if (*row.click) {
            TiPlotTableButton& button = row.click[0] == 'u' ? *Table->UpButton() : *Table->DownButton();
            const TRect r = button.GetDrawRect();
            const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
            ASSERT_EQ(Table->GetMouseObject(centre.X, centre.Y), &button);
            Click(button, centre, centre);
        }
        Paint();
        EXPECT_EQ(Table->FirstShownRow(), row.first);
        EXPECT_EQ(Table->LastShownRow(), row.last);
        EXPECT_EQ(Table->UpButton()->Enabled(), row.upEnabled);
        EXPECT_EQ(Table->DownButton()->Enabled(), row.downEnabled);
    }
    // The shown rows' texts are drawn, the others not: three data rows below the titles.
    const TRect inner = Table->InnerRect();
    EXPECT_EQ(inner.Height(), Table->TitleRect().Height() + 3 * Table->RowHeight());

    // A disabled table cannot scroll: no buttons, no room for them.
    Table->SetEnabled(false);
    EXPECT_EQ(Table->GetRequiredWidth(Canvas()), allFit);
    EXPECT_FALSE(Table->UpButton()->Visible() || Table->DownButton()->Visible());
    EXPECT_EQ(Table->GetMouseObject(inner.Right + 10, inner.Top + 10), Table.get());
}

TEST_F(TableTest, RowsAreCutToTheRoomAndNeverLoseTheirHeight)
{
    Fill(10);
    Table->SetDrawRect(Rect(300, 20, 480, 100));  // room for a few rows only
    Paint();
    const TRect inner = Table->InnerRect();
    const int bottomMargin = hT;
    const int fit = (100 - bottomMargin - Table->TitleRect().Bottom) / Table->RowHeight();
    EXPECT_EQ(Table->LastShownRow() - Table->FirstShownRow() + 1, fit);
    EXPECT_LE(inner.Bottom, 100 - bottomMargin);
    EXPECT_TRUE(Table->DownButton()->Visible());

    // A row spacing of -1 or less would leave rows of no height: they keep one pixel.
    const struct {
        double spacing;
        int height;
    } rows[] = {{-1.0, 1}, {-3.0, 1}, {0.0, hD}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spacing);
        Table->SetRowSpacing(row.spacing);
        Paint();
        EXPECT_EQ(Table->RowHeight(), row.height);
    }
    // A rectangle too small for even the titles shows no rows.
    Table->SetRowSpacing(0.5);
    Table->SetDrawRect(Rect(300, 20, 480, 30));
    Paint();
    EXPECT_EQ(Table->LastShownRow(), Table->FirstShownRow() - 1);
}

// ---------------------------------------------------------------------------------------------
// Drawing and clicks

TEST_F(TableTest, BackgroundGridTitlesAndCellsArePainted)
{
    Fill(3);
    Paint();
    const TRect inner = Table->InnerRect();
    const TRect title = Table->TitleRect();
    const int rh = Table->RowHeight();
    EXPECT_EQ(inner.Left, 300 + wT);
    EXPECT_EQ(inner.Top, 20 + hT);
    // The grid: lines at the column edges and the row boundaries, white.
    int x = inner.Left;
    for (int col = 0; col < 3; ++col) {
        EXPECT_EQ(Canvas().GetPixel(x, inner.Top + rh / 2), clWhite) << col;
        x += Table->GetColumn(col)->PixelWidth;
    }
    EXPECT_EQ(x, inner.Right);
    EXPECT_EQ(Canvas().GetPixel(inner.Right, inner.Top + rh / 2), clWhite);
    for (int y : {inner.Top, title.Bottom, title.Bottom + rh, inner.Bottom})
        EXPECT_EQ(Canvas().GetPixel(inner.Left + 2, y), clWhite) << y;
    // Grey between the lines, titles in their colour, cells in white.
    EXPECT_EQ(Canvas().GetPixel(inner.Left + 1, title.Bottom + rh / 2), kGrey);
    const TRect firstTitle =
        Rect(inner.Left + 1, title.Top + 1, inner.Left + Table->GetColumn(0)->PixelWidth, title.Bottom);
    EXPECT_GT(CountIn(firstTitle, kTitleColor), 5);
    const TRect firstCell =
        Rect(inner.Left + 1, title.Bottom + 1, inner.Left + Table->GetColumn(0)->PixelWidth, title.Bottom + rh);
    EXPECT_GT(CountIn(firstCell, clWhite), 5);
    // Outside the inner rectangle: the plot's background.
    EXPECT_EQ(Canvas().GetPixel(kRect.Left + 1, kRect.Top + 1), kBack);

    // Transparent, without grid or titles: only the cell texts.
    Table->SetGridBackGroundTransparent(true);
    Table->SetGridLinesShow(false);
    Table->SetColumnTitlesVisible(false);
    Paint();
    EXPECT_EQ(CountIn(Rect(0, 0, 500, 300), kGrey), 0);
    EXPECT_EQ(CountIn(Rect(0, 0, 500, 300), kTitleColor), 0);
    EXPECT_EQ(Table->TitleRect().Height(), 0);
    EXPECT_GT(CountIn(Table->InnerRect(), clWhite), 20);
}

TEST_F(TableTest, AClickEndsOnTheTable)
{
    Fill(2);
    Paint();
    Table->SetName("Table1");
    const struct {
        TPoint press, release;
        Log events;
    } rows[] = {
        {{350, 50}, {360, 60}, {"ObjectClick"}},
        {{350, 50}, {490, 60}, {}},  // released beside the table
        {{300, 20}, {479, 279}, {"ObjectClick"}},
    };
    for (const auto& row : rows) {
        Host.Events.clear();
        Click(*Table, row.press, row.release);
        EXPECT_EQ(Host.Events, row.events);
    }
    // A release without a press on the table is no click.
    Host.Events.clear();
    Table->iMouseUp(mbLeft, {}, 350, 50, 350, 50, false, nullptr);
    EXPECT_EQ(Host.Events, Log{});
}

// ---------------------------------------------------------------------------------------------
// In a plot

TEST(TableInPlotTest, TablesLabelsAndLimitsTakeTheirPlaces)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 700, 420);
    plot.SetTitleText("Turbidity, river station");
    for (int i = 0; i <= 100; i += 5)
        plot.GetChannel(0)->AddXY(i, 50 + 30 * std::sin(i / 12.0));

    auto* table = dynamic_cast<TiPlotTable*>(plot.GetTable(plot.AddTable()));
    ASSERT_NE(table, nullptr);
    table->SetRowsMax(4);
    table->AddColumn("Sample");
    table->AddColumn("NTU");
    for (const auto& [sample, value] : std::vector<std::pair<std::string, std::string>>{
             {"Upstream, left", "4.2"}, {"Bridge", "5.0"}, {"Weir \"B\"", "7.9"}, {"Outlet", "3.1"}, {"Lake", "1.2"}}) {
        table->AddRow();
        table->SetData(0, table->GetRowCount() - 1, sample);
        table->SetData(1, table->GetRowCount() - 1, value);
    }
    auto* note = dynamic_cast<TiPlotLabel*>(plot.GetLabel(plot.AddLabel()));
    ASSERT_NE(note, nullptr);
    note->SetCaption("Limits: 20 NTU action level");
    note->SetAlignment(iahLeft);
    note->Font()->SetSize(9);
    note->Font()->SetColor(clYellow);
    note->SetZOrder(1);
    auto* limit = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    limit->SetStyle(iplsBandY);
    limit->SetLine1Position(70);
    limit->SetLine2Position(90);
    limit->SetColor(0x000060);
    auto* line = dynamic_cast<TiPlotLimit*>(plot.GetLimit(plot.AddLimit()));
    line->SetLine1Position(20);
    line->SetColor(clYellow);

    TBitmap bitmap;
    bitmap.SetSize(700, 420);
    plot.iPaintTo(bitmap.Canvas());
    SavePNG(bitmap, "iPlotTable_plot.png");

    const TRect view = plot.GetDataView(0)->GetDrawRect();
    const TRect tableRect = table->GetDrawRect();
    const TRect noteRect = note->GetDrawRect();
    // A new table stands left of the data view with its scroll buttons; a new label below it.
    EXPECT_LE(tableRect.Right, view.Left);
    EXPECT_TRUE(table->DownButton()->Visible());
    EXPECT_EQ(table->LastShownRow(), 3);
    EXPECT_GE(noteRect.Top, view.Bottom);
    EXPECT_GT(tableRect.Width(), table->RequiredWidth() - 1);
    int grey = 0, yellow = 0;
    for (int y = 0; y < 420; ++y)
        for (int x = tableRect.Left; x < tableRect.Right; ++x)
            grey += bitmap.Canvas().GetPixel(x, y) == kGrey;
    for (int y = noteRect.Top; y < noteRect.Bottom; ++y)
        for (int x = noteRect.Left; x < noteRect.Right; ++x)
            yellow += bitmap.Canvas().GetPixel(x, y) == clYellow;
    EXPECT_GT(grey, 500);
    EXPECT_GT(yellow, 20);
}

// ---------------------------------------------------------------------------------------------
// Published properties, as plot files write them

namespace {

// The names of the object's own published properties (its base's left out), in order.
std::vector<std::string> OwnProperties(TObject& object, TObject& base)
{
    auto topLevel = [](TObject& instance) {
        std::vector<std::string> names;
        WalkProperties(instance, [&](const TPropertyRef& p) {
            if (p.Path.find('.') == std::string::npos)
                names.push_back(p.Path);
            return true;
        });
        return names;
    };
    std::vector<std::string> names = topLevel(object);
    const std::vector<std::string> inherited = topLevel(base);
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), names.begin()));
    names.erase(names.begin(), names.begin() + std::ptrdiff_t(inherited.size()));
    return names;
}

}  // namespace

TEST(PlotObjectProperties, LimitsLabelsAndTablesPublishInFileOrder)
{
    ChannelHost host;
    auto ignore = [](TObject*) {};
    TiPlotObject plain(&host, ignore, ignore, ignore, ignore);
    TiPlotLayoutObject layout(&host, ignore, ignore, ignore, ignore);
    TiPlotLimit limit(&host, ignore, ignore, ignore, ignore);
    TiPlotLabel label(&host, ignore, ignore, ignore, ignore);
    TiPlotTable table(&host, ignore, ignore, ignore, ignore);
    EXPECT_EQ(OwnProperties(limit, plain),
              (std::vector<std::string>{"Color", "LineStyle", "LineWidth", "FillStyle", "XAxisName", "YAxisName",
                                        "Style", "Line1Position", "Line2Position", "UserCanMove",
                                        "SelectModeOnlyInteraction", "ClipToAxes"}));
    EXPECT_EQ(OwnProperties(label, layout),
              (std::vector<std::string>{"MarginLeft", "MarginRight", "MarginTop", "MarginBottom", "Caption",
                                        "Alignment", "Font", "ImageListIndex", "ImageIndex"}));
    EXPECT_EQ(OwnProperties(table, layout),
              (std::vector<std::string>{"MarginLeft", "MarginRight", "MarginTop", "MarginBottom", "GridBackGroundColor",
                                        "GridBackGroundTransparent", "GridLinesColor", "GridLinesShow", "DataFont",
                                        "ColumnSpacing", "RowSpacing", "RowsMax", "ColumnTitlesVisible",
                                        "ColumnTitlesFont"}));
    // A limit declares no defaults: every value is written, even the constructor's.
    WalkProperties(limit, [&](const TPropertyRef& p) {
        if (p.Path == "Style" || p.Path == "UserCanMove" || p.Path == "LineWidth") {
            EXPECT_FALSE(p.Info->IsDefaultValue(limit)) << p.Path;
        }
        return true;
    });
    // Titles shown (as made) are written; hidden titles equal the declared default and are
    // left out, so such a table reads back with its titles shown.
    const TPropertyRef titles = FindProperty(table, "ColumnTitlesVisible");
    ASSERT_TRUE(titles);
    EXPECT_FALSE(titles.Info->IsDefaultValue(table));
    table.SetColumnTitlesVisible(false);
    EXPECT_TRUE(titles.Info->IsDefaultValue(table));
}

TEST(TableInPlotTest, ScrollButtonsAnswerTheMouse)
{
    const TiPlotKindRegistration toolBars = TiPlotKindRegistration::Of<TiPlotToolBar>(TiPlotObjectKind::ToolBar);
    const TiPlotKindRegistration dataViews = TiPlotKindRegistration::Of<TiPlotDataView>(TiPlotObjectKind::DataView);
    TestHooks::TModalScript modal;  // context menus pick nothing
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 400);
    auto* table = dynamic_cast<TiPlotTable*>(plot.GetTable(plot.AddTable()));
    ASSERT_NE(table, nullptr);
    table->AddColumn("Row");
    for (int row = 0; row < 6; ++row) {
        table->AddRow();
        table->SetData(0, row, std::to_string(row));
    }
    table->SetRowsMax(2);
    TBitmap screen;
    auto paint = [&] { TestHooks::GrabControl(plot, screen); };
    paint();
    ASSERT_TRUE(table->DownButton()->Visible());
    auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };

    // Each row: a click (press and release at one point), then the rows shown after the
    // repaint.
    const struct {
        const char* on;
        int first, last;
    } rows[] = {
        {"down", 1, 2}, {"down", 2, 3}, {"up", 1, 2},   {"table", 1, 2}, {"down", 2, 3},
        {"down", 3, 4}, {"down", 4, 5}, {"down", 4, 5}, {"up", 3, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.on) + " to " + std::to_string(row.first));
        const std::string on = row.on;
        const TPoint p = on == "down" ? centre(table->DownButton()->GetDrawRect())
                         : on == "up" ? centre(table->UpButton()->GetDrawRect())
                                      : centre(table->InnerRect());
        TestHooks::SendClick(plot, p.X, p.Y);
        paint();
        EXPECT_EQ(table->FirstShownRow(), row.first);
        EXPECT_EQ(table->LastShownRow(), row.last);
        EXPECT_FALSE(table->DownButton()->Down() || table->UpButton()->Down());
    }
}
