#include "plot/control/iPlotComponent.h"

#include "PlotBoxKinds.h"

#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "plot/control/iPlot.h"
#include "plot/control/iXYPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

// Annotations of the test: the property file leaves them out and a load removes them.
class TTestAnnotation : public TiPlotManagerObject {
    PRAVIX_CLASS(TTestAnnotation, TiPlotManagerObject)
public:
    TTestAnnotation(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                    TNotifyEvent onRename)
        : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove), std::move(onRename))
    {
    }
};

PRAVIX_PUBLISH(TTestAnnotation)

namespace {

class PlotFilesTest : public ::testing::Test {
protected:
    TBoxKinds m_kinds{true};
    TiPlotKindRegistration m_annotations = TiPlotKindRegistration::Of<TTestAnnotation>(TiPlotObjectKind::Annotation);
    // One name space per process: test cases and builds may run side by side.
    std::string m_dir = ::testing::TempDir();
    std::string Path(const std::string& name)
    {
        m_paths.push_back(m_dir + "plotfiles_" + std::to_string(getpid()) + "_" + name);
        return m_paths.back();
    }
    void TearDown() override
    {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
    }
    std::vector<std::string> m_paths;
};

// The message of the exception `call` raises; empty when it raises none.
std::string ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

void WriteText(const std::string& path, std::string_view text) { WriteFileBytes(path, text.data(), text.size()); }

// A channel's points as "x:y" texts, "x:Null" and "x:Empty" for the marked ones.
std::vector<std::string> Points(TiPlotChannelCustom& channel)
{
    std::vector<std::string> points;
    for (int i = 0; i < channel.GetCount(); ++i) {
        std::string y = channel.GetDataNull(i)    ? "Null"
                        : channel.GetDataEmpty(i) ? "Empty"
                                                  : FloatToStr(channel.GetDataY(i), '.');
        points.push_back(FloatToStr(channel.GetDataX(i), '.') + ":" + y);
    }
    return points;
}

// The compact form's bytes of a float, little-endian.
std::string F32(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char((bits >> (8 * i)) & 0xFF);
    return bytes;
}

// A plot of three channels: "A" with a null and an empty point, "B" shorter, "C" a ring of
// three that has wrapped (its first points are gone).
void FillThreeChannels(TiPlot& plot)
{
    while (plot.ChannelCount() < 3)
        plot.AddChannel();
    plot.GetChannel(0)->SetTitleText("A");
    plot.GetChannel(1)->SetTitleText("B");
    plot.GetChannel(2)->SetTitleText("C");
    TiPlotChannel& a = *plot.GetChannel(0);
    a.AddXY(0, 1.5);
    a.AddXNull(1);
    a.AddXEmpty(2);
    a.AddXY(3, -0.25);
    plot.GetChannel(1)->AddXY(0, 10);
    TiPlotChannel& c = *plot.GetChannel(2);
    c.SetRingBufferSize(3);
    for (int i = 0; i < 5; ++i)
        c.AddXY(10 + i, 100 + i);
}

// The plot is neither locked nor left without its layout after a failed load, takes new
// objects and data, and paints.
void ExpectUsable(TiPlot& plot)
{
    EXPECT_FALSE(plot.Updating());
    EXPECT_TRUE(plot.GetLayoutManager()->Enabled());
    const int channel = plot.AddChannel();
    EXPECT_EQ(plot.GetChannel(channel)->AddXY(1, 2), 0);
    EXPECT_NO_THROW(plot.ReCalcLayout());
}

// ---------------------------------------------------------------------------------------------
// Property file

TEST_F(PlotFilesTest, PropertyFileListsTheObjectsKindByKindAndReadsBackToTheSameBytes)
{
    TiPlot plot(nullptr);
    plot.AddChannel();
    plot.GetChannel(0)->SetTitleText("Turbidity");
    plot.GetChannel(1)->SetTitleText("Temp");
    plot.GetChannel(1)->SetColor(TColor(0x00FF00));
    plot.GetYAxis(0)->SetMinSpan(-5, 50);
    plot.SetTitleText("ZUV");
    plot.SetLeft(33);
    plot.SetDataFileColumnSeparator(ipdfcsComma);
    const std::string first = Path("first.cfg");
    plot.SavePropertiesToFile(first);

    const std::string text = ReadFileBytes(first);
    const std::string header = "File Type = Plot Config\r\nChannelCount = 2\r\nXAxisCount = 1\r\nYAxisCount = 1\r\n"
                               "ToolBarCount = 1\r\nLegendCount = 1\r\nTableCount = 0\r\nLabelCount = 1\r\n"
                               "DataViewCount = 1\r\nDataCursorCount = 1\r\nLimitCount = 0\r\n"
                               "DataViewZHorz = " +
                               std::to_string(plot.DataViewZHorz()) +
                               "\r\nDataViewZVert = " + std::to_string(plot.DataViewZVert()) + "\r\n";
    EXPECT_EQ(text.substr(0, header.size()), header);
    // Each block follows the one before it; the control's own lines come last, without a
    // prefix, without its name and place.
    std::size_t at = 0;
    for (const char* line : {"Channel0.Name = ", "Channel0.TitleText = Turbidity", "Channel1.Name = ",
                             "Channel1.TitleText = Temp", "XAxis0.Name = ", "YAxis0.Name = ", "YAxis0.Span = 50",
                             "ToolBar0.Name = ", "Legend0.Name = ", "Label0.Name = ", "DataView0.Name = ",
                             "DataCursor0.Name = ", "\r\nTitleText = ZUV\r\n", "\r\nDataFileColumnSeparator = 1\r\n"}) {
        SCOPED_TRACE(line);
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos);
        at = found;
    }
    for (const char* absent : {"\r\nName = ", "\r\nLeft = ", "\r\nWidth = ", "\r\nAnnotation0."})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    TiPlot copy(nullptr);
    copy.SetLeft(7);
    copy.AddChannel();
    copy.AddChannel();
    copy.LoadPropertiesFromFile(first);
    ASSERT_EQ(copy.ChannelCount(), 2);
    EXPECT_EQ(copy.GetChannel(0)->TitleText(), "Turbidity");
    EXPECT_EQ(copy.GetChannel(1)->Name(), plot.GetChannel(1)->Name());
    EXPECT_EQ(copy.GetChannel(1)->Color(), TColor(0x00FF00));
    EXPECT_EQ(copy.GetYAxis(0)->Min(), -5);
    EXPECT_EQ(copy.TitleText(), "ZUV");
    EXPECT_EQ(copy.DataFileColumnSeparator(), ipdfcsComma);
    EXPECT_EQ(copy.Left(), 7) << "the place on the form is not in the file";
    const std::string second = Path("second.cfg");
    copy.SavePropertiesToFile(second);
    EXPECT_EQ(ReadFileBytes(second), text);

    // With every property saved, the place travels too.
    plot.SetOptionSaveAllProperties(true);
    plot.SavePropertiesToFile(first);
    copy.LoadPropertiesFromFile(first);
    EXPECT_EQ(copy.Left(), 33);
}

// An axis's ForceStacking is published with no declared default: it is written either way
// and read back.
TEST_F(PlotFilesTest, ForceStackingOfTheAxesTravelsInThePropertyFile)
{
    TiPlot plot(nullptr);
    plot.GetYAxis(0)->SetForceStacking(true);
    const std::string file = Path("stacking.cfg");
    plot.SavePropertiesToFile(file);
    const std::string text = ReadFileBytes(file);
    EXPECT_NE(text.find("\r\nXAxis0.ForceStacking = 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nYAxis0.ForceStacking = 1\r\n"), std::string::npos);

    TiPlot copy(nullptr);
    copy.GetXAxis(0)->SetForceStacking(true);
    copy.LoadPropertiesFromFile(file);
    EXPECT_FALSE(copy.GetXAxis(0)->ForceStacking());
    EXPECT_TRUE(copy.GetYAxis(0)->ForceStacking());
}

// Property files hold enumerations as ordinals: an annotation reference is 0 for the data
// view, 1 for the channel and 2 for Auto, as files from other writers of the format hold them.
TEST_F(PlotFilesTest, AnnotationReferencesTravelAsTheirDeclaredOrdinals)
{
    TiPlot plot(nullptr);
    plot.SetAnnotationDefaultReferencePositionY(ipriDataView);
    plot.SetAnnotationDefaultReferenceSizeX(ipriChannel);
    const std::string file = Path("references.cfg");
    plot.SavePropertiesToFile(file);
    const std::string text = ReadFileBytes(file);
    EXPECT_NE(text.find("\r\nAnnotationDefaultReferencePositionX = 2\r\n"), std::string::npos) << "Auto";
    EXPECT_NE(text.find("\r\nAnnotationDefaultReferencePositionY = 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nAnnotationDefaultReferenceSizeX = 1\r\n"), std::string::npos);

    TiPlot copy(nullptr);
    copy.LoadPropertiesFromFile(file);
    EXPECT_EQ(copy.AnnotationDefaultReferencePositionX(), ipriAuto);
    EXPECT_EQ(copy.AnnotationDefaultReferencePositionY(), ipriDataView);
    EXPECT_EQ(copy.AnnotationDefaultReferenceSizeX(), ipriChannel);
}

TEST_F(PlotFilesTest, PropertyLoadKeepsToolBarAndTitleAndRemovesTheAnnotations)
{
    TiPlot plot(nullptr);
    plot.AddAnnotation();
    plot.AddAnnotation();
    plot.AddLabel();
    const std::string file = Path("kept.cfg");
    // Every toolbar block goes to toolbar 0 (the last one wins); label 0 stays the title and
    // is refilled, further labels are new.
    WriteText(file, "File Type = Plot Config\r\nToolBarCount = 2\r\nLabelCount = 2\r\n"
                    "ToolBar0.Visible = 0\r\nToolBar1.ZOrder = 7\r\n"
                    "Label0.Caption = Turbidity\r\nLabel1.Name = Second\r\n");
    TiPlotLayoutObject* toolBar = plot.GetToolBarObject(0);
    TiPlotLayoutObject* title = plot.GetLayoutObject(TiPlotObjectKind::Label, 0);
    plot.LoadPropertiesFromFile(file);
    EXPECT_EQ(plot.AnnotationCount(), 0);
    EXPECT_EQ(plot.ChannelCount(), 0);
    ASSERT_EQ(plot.ToolBarCount(), 1);
    EXPECT_EQ(plot.GetToolBarObject(0), toolBar);
    EXPECT_FALSE(toolBar->Visible());
    EXPECT_EQ(toolBar->ZOrder(), 7);
    ASSERT_EQ(plot.LabelCount(), 2);
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 0), title);
    EXPECT_EQ(plot.TitleText(), "Turbidity");
    EXPECT_EQ(plot.GetLayoutObject(TiPlotObjectKind::Label, 1)->Name(), "Second");

    // Without a toolbar its blocks have nowhere to go and are passed over.
    plot.RemoveAllToolBars();
    plot.LoadPropertiesFromFile(file);
    EXPECT_EQ(plot.ToolBarCount(), 0);
    EXPECT_EQ(plot.TitleText(), "Turbidity");
}

TEST_F(PlotFilesTest, PropertyEventsFireAroundASuccessfulLoadOnly)
{
    TiPlot plot(nullptr);
    std::vector<std::string> events;
    plot.OnAfterSaveProperties = [&](TObject* s) { events.push_back(s == &plot ? "saved" : "?"); };
    plot.OnBeforeLoadProperties = [&](TObject*) { events.push_back("before load"); };
    plot.OnAfterLoadProperties = [&](TObject*) { events.push_back("loaded"); };
    const std::string file = Path("events.cfg");
    plot.SavePropertiesToFile(file);
    plot.LoadPropertiesFromFile(file);
    EXPECT_EQ(events, (std::vector<std::string>{"saved", "before load", "loaded"}));

    events.clear();
    WriteText(file, "File Type = Plot Channel Config\r\nChannelCount = 0\r\n");
    EXPECT_EQ(ErrorOf([&] { plot.LoadPropertiesFromFile(file); }),
              "Error Loading Properties - Incompatible Plot Configuration File Type");
    EXPECT_EQ(ErrorOf([&] { plot.SavePropertiesToFile(m_dir + "no/such/dir/x.cfg"); }).substr(0, 26),
              "Error Saving Properties - ");
    EXPECT_EQ(events, (std::vector<std::string>{"before load"}));
}

TEST_F(PlotFilesTest, BrokenPropertyFilesChangeNothingAndLeaveThePlotUsable)
{
    struct Case {
        const char* why;
        std::string text;
        const char* error;  // after "Error Loading Properties - "
    };
    const std::string head = "File Type = Plot Config\r\n";
    const std::vector<Case> cases = {
        {"no file type line", "ChannelCount = 1\r\n", "Incompatible Plot Configuration File Type"},
        {"junk bytes", std::string("\x01\xFF\x00zz\r\n\x7F", 8), "Incompatible Plot Configuration File Type"},
        {"a count that is no number", head + "ChannelCount = two\r\n", "'two' is not a valid integer value"},
        // A damaged count would take the machine's memory before it failed.
        {"a count no plot can be given", head + "ChannelCount = 100000000\r\nChannel0.Name = a\r\n",
         "ChannelCount 100000000 exceeds the 100000 objects a plot file may hold"},
        {"counts that reach it together", head + "ChannelCount = 60000\r\nLimitCount = 40001\r\n",
         "LimitCount 40001 exceeds the 100000 objects a plot file may hold"},
        {"the largest count a file can write", head + "ChannelCount = 2147483647\r\n",
         "ChannelCount 2147483647 exceeds the 100000 objects a plot file may hold"},
        {"the largest counts of two kinds", head + "ChannelCount = 2147483647\r\nXAxisCount = 2147483647\r\n",
         "ChannelCount 2147483647 exceeds the 100000 objects a plot file may hold"},
        {"a count beyond any integer", head + "LimitCount = 2147483648\r\n",
         "'2147483648' is not a valid integer value"},
        {"a bad value half-way",
         head + "ChannelCount = 2\r\nChannel0.TitleText = x\r\nChannel1.XAxisTrackingEnabled = maybe\r\n",
         "'maybe' is not a valid integer value"},
        {"a bad value of the control itself, after every object",
         head + "ChannelCount = 1\r\nChannel0.TitleText = x\r\nHintsPause = soon\r\n",
         "'soon' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TiPlot plot(nullptr);
        plot.AddChannel();
        plot.AddChannel();
        plot.GetChannel(0)->SetTitleText("kept");
        plot.GetChannel(0)->AddXY(1, 1);
        const std::string file = Path("broken.cfg");
        WriteText(file, c.text);
        EXPECT_EQ(ErrorOf([&] { plot.LoadPropertiesFromFile(file); }),
                  std::string("Error Loading Properties - ") + c.error);
        ASSERT_EQ(plot.ChannelCount(), 3);
        EXPECT_EQ(plot.GetChannel(0)->TitleText(), "kept");
        EXPECT_EQ(plot.GetChannel(0)->GetCount(), 1) << "the points stay";
        ExpectUsable(plot);
    }
}

// Objects the file counts but holds no lines for are made all the same, with the settings a
// new object gets; the objects after them still find their own lines.
TEST_F(PlotFilesTest, CountsBeyondTheBlocksMakeTheCountedObjects)
{
    struct Case {
        const char* why;
        std::string text;
        int channels, xAxes, yAxes;
        std::vector<std::string> channelTitles;
    };
    const std::string head = "File Type = Plot Config\r\n";
    const std::vector<Case> cases = {
        {"cut after the counts",
         head + "ChannelCount = 1\r\nXAxisCount = 1\r\nYAxisCount = 1\r\nToo",
         1,
         1,
         1,
         {"Channel 1"}},
        {"one channel block of three",
         head + "ChannelCount = 3\r\nYAxisCount = 1\r\nChannel0.TitleText = Turbidity\r\nYAxis0.Span = 40\r\n",
         3,
         0,
         1,
         {"Turbidity", "Channel 2", "Channel 3"}},
        {"no blocks at all", head + "ChannelCount = 2\r\nXAxisCount = 2\r\n", 2, 2, 0, {"Channel 1", "Channel 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TiPlot plot(nullptr);
        const std::string file = Path("counted.cfg");
        WriteText(file, c.text);
        plot.LoadPropertiesFromFile(file);
        ASSERT_EQ(plot.ChannelCount(), c.channels);
        EXPECT_EQ(plot.XAxisCount(), c.xAxes);
        EXPECT_EQ(plot.YAxisCount(), c.yAxes);
        std::vector<std::string> titles;
        for (int i = 0; i < plot.ChannelCount(); ++i)
            titles.push_back(plot.GetChannel(i)->TitleText());
        EXPECT_EQ(titles, c.channelTitles);
        if (c.yAxes > 0 && c.text.find("YAxis0.Span") != std::string::npos) {
            EXPECT_EQ(plot.GetYAxis(0)->Span(), 40) << "the block after the missing ones is read";
        }
        ExpectUsable(plot);
    }
}

TEST_F(PlotFilesTest, TranslationsTravelInTheirOwnFileNotInThePropertyFile)
{
    TiPlot plot(nullptr);
    plot.AddTranslation("Null", "Nul");
    plot.SaveTranslationsToFile(Path("words.txt"));
    plot.SavePropertiesToFile(Path("no-words.cfg"));
    EXPECT_EQ(ReadFileBytes(Path("no-words.cfg")).find("Nul\r\n"), std::string::npos);

    TiPlot copy(nullptr);
    copy.LoadTranslationsFromFile(Path("words.txt"));
    ASSERT_EQ(copy.TranslationCount(), 1);
    EXPECT_EQ(copy.GetTranslationReplacementString(0), "Nul");
    copy.LoadPropertiesFromFile(Path("no-words.cfg"));
    EXPECT_EQ(copy.TranslationCount(), 1) << "a property load keeps the translations";
}

// ---------------------------------------------------------------------------------------------
// Data files

TEST_F(PlotFilesTest, TextDataFileHasOneColumnPairPerChannelAndEmptyCellsPastTheEnd)
{
    struct Case {
        TiPlotDataFileColumnSeparator separator;
        const char* expected;
    };
    const Case cases[] = {
        {ipdfcsTab, "A(X)\tA(Y)\tB(X)\tB(Y)\tC(X)\tC(Y)\r\n"
                    "0\t1.5\t0\t10\t12\t102\r\n"
                    "1\tNull\t\t\t13\t103\r\n"
                    "2\tEmpty\t\t\t14\t104\r\n"
                    "3\t-0.25\t\t\t\t\r\n"},
        {ipdfcsComma, "A(X),A(Y),B(X),B(Y),C(X),C(Y)\r\n"
                      "0,1.5,0,10,12,102\r\n"
                      "1,Null,,,13,103\r\n"
                      "2,Empty,,,14,104\r\n"
                      "3,-0.25,,,,\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.separator));
        TiPlot plot(nullptr);
        FillThreeChannels(plot);
        plot.SetDataFileColumnSeparator(c.separator);
        int saved = 0;
        plot.OnAfterSaveData = [&](TObject*) { ++saved; };
        const std::string file = Path("data.txt");
        plot.SaveDataToFile(file);
        EXPECT_EQ(ReadFileBytes(file), c.expected);
        EXPECT_EQ(saved, 1);
        EXPECT_EQ(ErrorOf([&] { plot.SaveDataToFile(m_dir + "no/such/dir/data.txt"); }).substr(0, 20),
                  "Error Saving Data - ");
        EXPECT_EQ(saved, 1) << "no event for a failed save";

        // Read into an empty plot of three channels and written again: the same bytes.
        TiPlot copy(nullptr);
        FillThreeChannels(copy);
        for (int i = 0; i < 3; ++i)
            copy.GetChannel(i)->Clear();
        int loaded = 0;
        copy.OnAfterLoadData = [&](TObject*) { ++loaded; };
        copy.LoadDataFromFile(file);
        EXPECT_EQ(loaded, 1);
        EXPECT_EQ(Points(*copy.GetChannel(0)), (std::vector<std::string>{"0:1.5", "1:Null", "2:Empty", "3:-0.25"}));
        EXPECT_EQ(Points(*copy.GetChannel(1)), (std::vector<std::string>{"0:10"}));
        copy.SetDataFileColumnSeparator(c.separator);
        copy.SaveDataToFile(Path("again.txt"));
        EXPECT_EQ(ReadFileBytes(Path("again.txt")), c.expected);
    }
}

TEST_F(PlotFilesTest, CompactDataFileHoldsXOnlyInTheFirstTwoRows)
{
    TiPlot plot(nullptr);
    FillThreeChannels(plot);
    plot.SetDataFileFormat(ipdffCompactInterval);
    const std::string file = Path("data.bin");
    plot.SaveDataToFile(file);
    const std::string m = F32(1e38f);
    const std::string expected = "Compact Interval\r\n3\r\n" +
                                 (F32(0) + F32(1.5f) + F32(0) + F32(10) + F32(12) + F32(102)) +  // row 0
                                 (F32(1) + F32(0) + m + m + F32(13) + F32(103)) +                // row 1
                                 (F32(0) + m + F32(104)) +                                       // row 2
                                 (F32(-0.25f) + m + m) +                                         // row 3
                                 F32(2e38f);
    EXPECT_EQ(ReadFileBytes(file), expected);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(1e38f), 0x7E967699u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(2e38f), 0x7F167699u);

    // Channels of the compact-interval style take X from their spacing after the first two
    // rows, so their file reads back to the same bytes.
    TiPlot even(nullptr);
    even.AddChannel();
    for (int c = 0; c < 2; ++c) {
        even.GetChannel(c)->SetDataStyle(ipdsCompactInterval);
        for (int i = 0; i < 4 - 2 * c; ++i)
            even.GetChannel(c)->AddXY(5 + 0.5 * i, i * (c + 1));
    }
    even.SetDataFileFormat(ipdffCompactInterval);
    even.SaveDataToFile(file);
    const std::string evenBytes = ReadFileBytes(file);
    TiPlot copy(nullptr);
    copy.AddChannel();
    for (int c = 0; c < 2; ++c)
        copy.GetChannel(c)->SetDataStyle(ipdsCompactInterval);
    copy.LoadDataFromFile(file);
    EXPECT_EQ(Points(*copy.GetChannel(0)), (std::vector<std::string>{"5:0", "5.5:1", "6:2", "6.5:3"}));
    EXPECT_EQ(Points(*copy.GetChannel(1)), (std::vector<std::string>{"5:0", "5.5:2"}));
    copy.SetDataFileFormat(ipdffCompactInterval);
    copy.SaveDataToFile(Path("again.bin"));
    EXPECT_EQ(ReadFileBytes(Path("again.bin")), evenBytes);

    // A plot without points: title, count and end marker; reading it adds nothing.
    TiPlot empty(nullptr);
    empty.SetDataFileFormat(ipdffCompactInterval);
    empty.SaveDataToFile(file);
    EXPECT_EQ(ReadFileBytes(file), "Compact Interval\r\n1\r\n" + F32(2e38f));
    empty.LoadDataFromFile(file);
    EXPECT_EQ(empty.GetChannel(0)->GetCount(), 0);
}

TEST_F(PlotFilesTest, TheReaderTakesDataAndLogLayoutsInEitherSeparator)
{
    struct Case {
        const char* why;
        std::string text;
        std::vector<std::string> channel0, channel1;
    };
    const std::vector<Case> cases = {
        {"data layout, tab columns",
         "a(X)\ta(Y)\tb(X)\tb(Y)\r\n1\t2\t3\t4\r\n5\tnull\t6\tEMPTY\r\n",
         {"1:2", "5:Null"},
         {"3:4", "6:Empty"}},
        {"comma columns when the header has no tab", "a(X),a(Y)\r\n1,2\r\n", {"1:2"}, {}},
        {"a tab anywhere in the header decides", "a,b(X)\tb(Y)\r\n1,5\t2,5\r\n", {"1.5:2.5"}, {}},
        {"comma decimals in tab columns", "x\ty\r\n1,25\t-3,5E2\r\n", {"1.25:-350"}, {}},
        {"blank lines do not end the file, LF alone ends a row", "x\ty\n\n1\t2\n\r\n3\t4", {"1:2", "3:4"}, {}},
        {"empty cells skip the pair; an odd last column is ignored",
         "h\th\th\th\th\r\n\t9\t1\t2\t7\r\n2\t\t\t\t\r\n",
         {},
         {"1:2"}},
        {"columns of channels the plot lacks are ignored",
         "h\th\th\th\th\th\r\n1\t1\t2\t2\t3\t3\r\n",
         {"1:1"},
         {"2:2"}},
        {"a log: (X) first, then one Y per channel",
         "(X)\ta(Y)\tb(Y)\r\n1\t10\tnull\r\n2\t\t20\r\n\t5\t5\r\n",
         {"1:10"},
         {"1:Null", "2:20"}},
        {"an empty first title makes the header a log", "(X)\t(Y)\tb(X)\tb(Y)\r\n1\t2\t3\t4\r\n", {"1:2"}, {"1:3"}},
        {"the text ends at a NUL byte",
         std::string("x\ty\r\n1\t2\r\n\0"
                     "3\t4\r\n",
                     17),
         {"1:2"},
         {}},
        {"only a header", "a(X)\ta(Y)", {}, {}},
        {"an empty file", "", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TiPlot plot(nullptr);
        plot.AddChannel();
        const std::string file = Path("read.txt");
        WriteText(file, c.text);
        plot.LoadDataFromFile(file);
        EXPECT_EQ(Points(*plot.GetChannel(0)), c.channel0);
        EXPECT_EQ(Points(*plot.GetChannel(1)), c.channel1);
    }
}

// A file damaged part-way gives the points before the damage, then reports it.
TEST_F(PlotFilesTest, BrokenDataFilesKeepThePointsBeforeTheFaultAndReportWhy)
{
    const std::string m = F32(1e38f);
    struct Case {
        const char* why;
        std::string bytes;
        const char* error;  // after "Error Loading Data - "
        std::vector<std::string> added;
        std::vector<std::string> added1 = {};  // to channel 1
    };
    const std::vector<Case> cases = {
        {"a value that is no number",
         "a(X)\ta(Y)\r\n1\t2\r\n3\tfour\r\n5\t6\r\n",
         "Line 3: 'four' is not a valid floating point value",
         {"1:2"}},
        {"a bad value after a good one in its row",
         "(X)\ta(Y)\tb(Y)\r\n1\t2\t3\r\n4\t5\tsix\r\n",
         "Line 3: 'six' is not a valid floating point value",
         {"1:2", "4:5"},
         {"1:3"}},
        {"more columns than the header", "a(X)\ta(Y)\r\n1\t2\t3\r\n", "Line 2: 3 columns where the header has 2", {}},
        {"a log row wider than its header",
         "(X)\ta(Y)\r\n1\t2\r\n1\t2\t3\t4\r\n",
         "Line 3: 4 columns where the header has 2",
         {"1:2"}},
        {"junk bytes", std::string("\x89PNG\r\n\x1A\n\x00\x01", 10), nullptr, {}},
        {"compact, truncated inside a value",
         "Compact Interval\r\n1\r\n" + F32(1) + F32(2) + F32(3).substr(0, 2),
         "Invalid Data",
         {"1:2"}},
        {"compact, truncated before the end marker",
         "Compact Interval\r\n2\r\n" + F32(1) + F32(2) + F32(3),
         "Invalid Data",
         {"1:2"}},
        {"compact, a count of zero with data",
         "compact interval\r\n0\r\n" + F32(1) + F32(2),
         "Invalid Channel Count 0",
         {}},
        {"compact, a negative count", "Compact Interval\r\n-3\r\n" + F32(1) + F32(2), "Invalid Channel Count -3", {}},
        {"compact, a count that is no number",
         "Compact Interval\r\nthree\r\n" + F32(1),
         "'three' is not a valid integer value",
         {}},
        {"compact, no count line", "Compact Interval", "'' is not a valid integer value", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TiPlot plot(nullptr);
        plot.AddChannel();
        plot.GetChannel(0)->AddXY(0, 0);
        bool loaded = false;
        plot.OnAfterLoadData = [&](TObject*) { loaded = true; };
        const std::string file = Path("broken.dat");
        WriteText(file, c.bytes);
        const std::string error = ErrorOf([&] { plot.LoadDataFromFile(file); });
        if (c.error) {
            EXPECT_EQ(error, std::string("Error Loading Data - ") + c.error);
            EXPECT_FALSE(loaded);
        }
        std::vector<std::string> expected = {"0:0"};
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(Points(*plot.GetChannel(0)), expected);
        EXPECT_EQ(Points(*plot.GetChannel(1)), c.added1);
        ExpectUsable(plot);
    }
    TiPlot plot(nullptr);
    EXPECT_EQ(ErrorOf([&] { plot.LoadDataFromFile(Path("missing.dat")); }).substr(0, 21), "Error Loading Data - ");
    EXPECT_FALSE(plot.Updating());

    // Markers in a compact file: 1e38 leaves a gap for that channel, 2e38 ends the load.
    WriteText(Path("gaps.bin"), "Compact Interval\r\n2\r\n" + (F32(0) + F32(1) + m + m) +
                                    (F32(1) + F32(2) + F32(1) + F32(5)) + (F32(3) + F32(2e38f)) + F32(99) + F32(99));
    plot.AddChannel();
    plot.LoadDataFromFile(Path("gaps.bin"));
    EXPECT_EQ(Points(*plot.GetChannel(0)), (std::vector<std::string>{"0:1", "1:2", "0:3"}));
    EXPECT_EQ(Points(*plot.GetChannel(1)), (std::vector<std::string>{"1:5"}));
}

// On an XY plot as on a strip chart, "Null" and "Empty" cells give null and empty points: a
// saved gap reloads as a gap, never as a point at Y = 0 in the statistics.
TEST_F(PlotFilesTest, XYPlotsReadNullAndEmptyCellsAsGaps)
{
    struct Case {
        const char* why;
        std::string text;
    };
    const Case cases[] = {
        {"data layout", "a(X)\ta(Y)\r\n1\t2\r\n5\tNull\r\n3\t4\r\n6\tempty\r\n"},
        {"log layout", "(X)\ta(Y)\r\n1\t2\r\n5\tnull\r\n3\t4\r\n6\tEMPTY\r\n"},
    };
    // Null and empty points of an XY channel have no coordinates.
    const std::vector<std::string> gaps = {"1:2", "0:Null", "3:4", "0:Empty"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TiXYPlot plot(nullptr);
        const std::string file = Path("xy.txt");
        WriteText(file, c.text);
        plot.LoadDataFromFile(file);
        TiPlotChannelCustom& channel = *plot.GetChannelCustom(0);
        EXPECT_EQ(Points(channel), gaps);
        EXPECT_EQ(channel.RunningCount(), 2);
        EXPECT_EQ(channel.RunningYMin(), 2);

        plot.SaveDataToFile(file);
        TiXYPlot copy(nullptr);
        copy.LoadDataFromFile(file);
        EXPECT_EQ(Points(*copy.GetChannelCustom(0)), gaps) << "saved and read back";
    }
}

// ---------------------------------------------------------------------------------------------
// Logging

TEST_F(PlotFilesTest, LogAppendsTheRowsOfAddDataArrayEveryBufferfulAndReadsBack)
{
    TiPlot plot(nullptr);
    plot.AddChannel();
    plot.GetChannel(0)->SetTitleText("A");
    plot.GetChannel(1)->SetTitleText("B");
    const std::string log = Path("log.txt");
    plot.SetLogFileName(log);
    plot.SetLogBufferSize(2);
    plot.LogActivate(false);
    EXPECT_TRUE(plot.LoggingActive());
    EXPECT_EQ(ReadFileBytes(log), "(X)\tA(Y)\tB(Y)\r\n");

    plot.AddDataArray(1, std::vector<double>{10, TiPlotComponent::GetNullValue()});
    EXPECT_EQ(ReadFileBytes(log), "(X)\tA(Y)\tB(Y)\r\n") << "one row waits for the second";
    plot.AddDataArray(2, std::vector<double>{TiPlotComponent::GetEmptyValue(), 0.5});
    EXPECT_EQ(ReadFileBytes(log), "(X)\tA(Y)\tB(Y)\r\n1\t10\tNull\r\n2\tEmpty\t0.5\r\n");
    EXPECT_EQ(plot.PendingLogRowCount(), 0);
    plot.AddDataArray(3, std::vector<double>{30, 31});
    // Clearing the data writes the pending row and ends the log.
    plot.ClearAllData();
    EXPECT_FALSE(plot.LoggingActive());
    const std::string expected = "(X)\tA(Y)\tB(Y)\r\n1\t10\tNull\r\n2\tEmpty\t0.5\r\n3\t30\t31\r\n";
    EXPECT_EQ(ReadFileBytes(log), expected);

    // Appending keeps what is there.
    plot.LogActivate(true);
    plot.AddDataArray(4, std::vector<double>{40, 41});
    plot.LogDeactivate();
    EXPECT_EQ(ReadFileBytes(log), expected + "4\t40\t41\r\n");

    plot.ClearAllData();
    plot.LoadDataFromFile(log);
    EXPECT_EQ(Points(*plot.GetChannel(0)), (std::vector<std::string>{"1:10", "2:Empty", "3:30", "4:40"}));
    EXPECT_EQ(Points(*plot.GetChannel(1)), (std::vector<std::string>{"1:Null", "2:0.5", "3:31", "4:41"}));
}

TEST_F(PlotFilesTest, LogRowsOfPointsAChannelDoesNotHoldAreEmptyOrSkipped)
{
    // Channel 1 lags behind channel 0, and channel 0 is a ring of two: of three pending rows
    // the oldest is gone. A row is a point index of every channel, so channel 1's first point
    // shares a row with channel 0's oldest held one.
    TiPlot plot(nullptr);
    plot.AddChannel();
    plot.GetChannel(0)->SetRingBufferSize(2);
    plot.SetLogFileName(Path("gaps.txt"));
    plot.SetLogBufferSize(5);
    plot.LogActivate(false);
    plot.AddDataArray(1, std::vector<double>{1});
    plot.AddDataArray(2, std::vector<double>{2});
    plot.AddDataArray(3, std::vector<double>{3, 30});
    plot.LogDeactivate();
    EXPECT_EQ(ReadFileBytes(Path("gaps.txt")), "(X)\tChannel 1(Y)\tChannel 2(Y)\r\n2\t2\t30\r\n3\t3\t\r\n");
    EXPECT_EQ(plot.PendingLogRowCount(), 0);

    // The compact log, written at every row: X only for point indexes 0 and 1, the missing
    // marker where channel 1 does not hold the row's point yet.
    TiPlot compact(nullptr);
    compact.AddChannel();
    compact.SetDataFileFormat(ipdffCompactInterval);
    compact.SetLogFileName(Path("log.bin"));
    compact.LogActivate(false);
    compact.AddDataArray(1, std::vector<double>{1});
    compact.AddDataArray(2, std::vector<double>{2, 20});
    compact.AddDataArray(3, std::vector<double>{3, 30});
    compact.LogDeactivate();
    const std::string m = F32(1e38f);
    EXPECT_EQ(ReadFileBytes(Path("log.bin")),
              "Compact Interval\r\n2\r\n" + (F32(1) + F32(1) + m + m) + (F32(2) + F32(2) + m + m) + (F32(3) + m));

    // No channel at all: the rows have nowhere to come from and nothing is written.
    TiPlot none(nullptr);
    none.RemoveAllChannels();
    none.SetLogFileName(Path("none.txt"));
    none.LogActivate(false);
    none.AddDataArray(1, std::vector<double>{});
    EXPECT_EQ(none.PendingLogRowCount(), 0);
    EXPECT_EQ(ReadFileBytes(Path("none.txt")), "(X)\r\n");
}

TEST_F(PlotFilesTest, LoggingRefusesWhatItCannotDo)
{
    TiPlot plot(nullptr);
    EXPECT_EQ(ErrorOf([&] { plot.LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(ErrorOf([&] { plot.LogDeactivate(); }), "Logging not Active");
    plot.SetLogFileName(Path("absent-log.txt"));
    std::remove(Path("absent-log.txt").c_str());
    EXPECT_NE(ErrorOf([&] { plot.LogActivate(true); }), "") << "appending needs the file";
    EXPECT_FALSE(plot.LoggingActive());
    plot.LogActivate(false);
    EXPECT_EQ(ErrorOf([&] { plot.LogActivate(false); }), "Logging Already Active");
    // A property load while logging is refused by the format setter before anything changes;
    // the plot stays usable.
    plot.SavePropertiesToFile(Path("while-logging.cfg"));
    plot.GetChannel(0)->SetTitleText("kept");
    EXPECT_EQ(ErrorOf([&] { plot.LoadPropertiesFromFile(Path("while-logging.cfg")); }),
              "Error Loading Properties - Data File Format can not be changed while logging active");
    EXPECT_EQ(plot.GetChannel(0)->TitleText(), "kept");
    ExpectUsable(plot);
    plot.LogDeactivate();
}

}  // namespace
