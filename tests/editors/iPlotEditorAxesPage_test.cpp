// The "X-Axes" and "Y-Axes" pages: every binding row of both, the reference combo boxes, the
// value converters, "Copy Default", the editable date-time format, adding and removing axes,
// and a tracking style changed while data streams.

#include "PlotEditorRowWalk.h"

#include "editors/iValueConverterEdit.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using plot_editor_walk::WalkRows;
using K = TiPlotObjectKind;

struct TAxisCase {
    const char* Name;
    TiPlotObjectKind Kind;
    const char* Prefix;
};
constexpr TAxisCase kAxisCases[] = {{"X-Axes", K::XAxis, "XAxis"}, {"Y-Axes", K::YAxis, "YAxis"}};

TiPlotAxis& AxisOf(TiPlot& plot, TiPlotObjectKind kind, int index)
{
    return kind == K::XAxis ? static_cast<TiPlotAxis&>(*plot.GetXAxis(index))
                            : static_cast<TiPlotAxis&>(*plot.GetYAxis(index));
}

// The entries of a combo box, joined with "|".
std::string Entries(TiComponentEditorComboBox& combo)
{
    std::string list;
    for (int i = 0; i < combo.Items()->Count(); ++i)
        list += (i ? "|" : "") + combo.Items()->Strings(i);
    return list;
}

TEST(PlotEditorAxesPage, EveryRowOfBothAxisPagesBothWays)
{
    for (const TAxisCase& c : kAxisCases) {
        SCOPED_TRACE(c.Name);
        TPlotEditorBench bench;
        // Two of each kind, so that every reference combo box offers two names.
        bench.plot->AddXAxis();
        bench.plot->AddYAxis();
        TiPlotEditorForm& form = bench.Open();
        TObject& axis = AxisOf(*bench.plot, c.Kind, 0);
        ASSERT_EQ(form.SelectedObject(c.Kind), &axis);
        WalkRows(bench, axis, c.Kind == K::XAxis ? XAxisBindings() : YAxisBindings(),
                 [&form, &c] { form.UpdatePage(c.Kind); });
    }
}

// The child reference offers the other kind's axes, the align reference this kind's; a
// stored name of no axis stays as it is through a commit of another control.
TEST(PlotEditorAxesPage, ReferenceCombosOfferTheirKindsAndKeepAnUnmatchedName)
{
    TPlotEditorBench bench;
    bench.plot->AddXAxis();
    TiPlotAxis& x = *bench.plot->GetXAxis(0);
    x.SetAlignRefAxisName("Gone Axis");
    x.SetCartesianChildRefAxisName("y-axis 1");
    bench.Open();
    auto& child = bench.Control<TiComponentEditorComboBox>("XAxisCartesianChildRefAxisNameComboBox");
    auto& align = bench.Control<TiComponentEditorComboBox>("XAxisAlignRefAxisNameComboBox");
    EXPECT_EQ(Entries(child), "<None>|Y-Axis 1");
    EXPECT_EQ(child.GetAsInteger(), 1) << "letter case does not matter";
    EXPECT_EQ(Entries(align), "<None>|X-Axis 1|X-Axis 2|Gone Axis");
    EXPECT_EQ(align.GetAsString(), "Gone Axis");

    bench.Control<TiComponentEditorEdit>("XAxisTitleTextEdit").SetStringWithEvent("Time");
    EXPECT_EQ(x.Title(), "Time");
    EXPECT_EQ(x.AlignRefAxisName(), "Gone Axis") << "an unmatched name is written back as it is";
}

// The converters beside Min and DesiredStart open on the date and time of a date-time axis;
// Span and the increment are intervals on every axis.
TEST(PlotEditorAxesPage, ConvertersOpenOnThePageTheLabelFormatSuits)
{
    for (const TAxisCase& c : kAxisCases) {
        SCOPED_TRACE(c.Name);
        TPlotEditorBench bench;
        bench.Open();
        const std::string p = c.Prefix;
        auto page = [&](const char* edit) {
            return bench.Control<TiComponentEditorValueConverterPicker>(ConverterName(p + edit)).DefaultPage();
        };
        auto& format = bench.Control<TiComponentEditorComboBox>(p + "LabelFormatStyleComboBox");
        bench.ShowControl(format);
        format.SimulateSelect(int(iptfDateTime));
        EXPECT_EQ(AxisOf(*bench.plot, c.Kind, 0).LabelsFormatStyle(), iptfDateTime);
        EXPECT_EQ(page("MinEdit"), ivcptDateTime);
        EXPECT_EQ(page("DesiredStartEdit"), ivcptDateTime);
        EXPECT_EQ(page("SpanEdit"), ivcptInterval);
        EXPECT_EQ(page("DesiredIncrementEdit"), ivcptInterval);

        // The user picks a moment for Min: the converter opens on the date and time, and the
        // value reaches the axis.
        TestHooks::TModalScript script;
        int shownPage = -1;
        script.OnShowModal = [&shownPage](TForm& shown) {
            auto& converter = dynamic_cast<TiValueConverterEditForm&>(shown);
            shownPage = converter.PageControl()->ActivePageIndex();
            converter.SetValue(45000.5);
            converter.FindControl<TButton>("OKButton")->Click();
            return mrNone;
        };
        TestHooks::SendClick(bench.Control<TiComponentEditorValueConverterPicker>(ConverterName(p + "MinEdit")), 5, 5);
        EXPECT_EQ(shownPage, int(ivcptDateTime));
        EXPECT_DOUBLE_EQ(AxisOf(*bench.plot, c.Kind, 0).Min(), 45000.5);
        format.SimulateSelect(int(iptfValue));
        EXPECT_EQ(page("MinEdit"), ivcptInterval);
        EXPECT_EQ(page("DesiredStartEdit"), ivcptInterval);
    }
}

// "Copy Default" makes the inner page's format controls equal to the "(Default)" ones and
// writes them into the axis at once.
TEST(PlotEditorAxesPage, CopyDefaultCopiesTheDefaultFormatAndWritesIt)
{
    struct TCopyCase {
        const char* Name;
        TAxisCase Axis;
        const char* Part;
    };
    const TCopyCase cases[] = {{"X cursor", kAxisCases[0], "Cursor"}, {"Y legend", kAxisCases[1], "Legend"}};
    for (const TCopyCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPlotEditorBench bench;
        TiPlotAxis& axis = AxisOf(*bench.plot, c.Axis.Kind, 0);
        axis.SetLabelsFormatStyle(iptfDateTime);
        axis.SetDateTimeFormat("hh:nn:ss.zzz");
        axis.SetLabelsPrecisionStyle(ipsFixedDecimalPoints);
        axis.SetLabelsPrecision(5);
        axis.SetLabelsMinLength(6);
        axis.SetLabelsMinLengthAutoAdjust(true);
        bench.Open();
        const std::string p = std::string(c.Axis.Prefix) + c.Part;
        auto& button = bench.Control<TiComponentEditorButton>(p + "CopyDefaultButton");
        bench.ShowControl(button);
        TestHooks::SendClick(button, 5, 5);

        EXPECT_EQ(bench.Control<TiComponentEditorComboBox>(p + "FormatStyleComboBox").GetAsInteger(),
                  int(iptfDateTime));
        EXPECT_EQ(bench.Control<TiComponentEditorComboBox>(p + "DateTimeFormatComboBox").GetAsString(), "hh:nn:ss.zzz");
        EXPECT_EQ(bench.Control<TiComponentEditorEdit>(p + "PrecisionEdit").GetAsInteger(), 5);
        const bool cursor = std::string(c.Part) == "Cursor";
        EXPECT_EQ(cursor ? axis.CursorFormatStyle() : axis.LegendFormatStyle(), iptfDateTime);
        EXPECT_EQ(cursor ? axis.CursorDateTimeFormat() : axis.LegendDateTimeFormat(), "hh:nn:ss.zzz");
        EXPECT_EQ(cursor ? axis.CursorPrecisionStyle() : axis.LegendPrecisionStyle(), ipsFixedDecimalPoints);
        EXPECT_EQ(cursor ? axis.CursorPrecision() : axis.LegendPrecision(), 5);
        // The auto-adjusted minimum length as the "(Default)" page shows it.
        const int minLength =
            bench.Control<TiComponentEditorEdit>(std::string(c.Axis.Prefix) + "LabelMinLengthEdit").GetAsInteger();
        EXPECT_GE(minLength, 6);
        EXPECT_EQ(bench.Control<TiComponentEditorEdit>(p + "MinLengthEdit").GetAsInteger(), minLength);
        EXPECT_EQ(cursor ? axis.CursorMinLength() : axis.LegendMinLength(), minLength);
        EXPECT_TRUE(cursor ? axis.CursorMinLengthAutoAdjust() : axis.LegendMinLengthAutoAdjust());
    }
}

// The date-time format is free text with suggestions: a suggestion picked and text typed
// after it both reach the axis, and typing goes on where it stopped.
TEST(PlotEditorAxesPage, DateTimeFormatTakesSuggestionsAndTypedText)
{
    TPlotEditorBench bench;
    bench.Open();
    auto& format = bench.Control<TiComponentEditorComboBox>("XAxisDateTimeFormatComboBox");
    EXPECT_EQ(format.Style(), csDropDown);
    EXPECT_EQ(Entries(format),
              "hh:nn:ss|hh:nn:ss.zzz|m/d hh:nn:ss|d mmm h:nn:ss am/pm|m/d/yy h:nn:ss am/pm|m/d/yyyy h:nn:ss am/pm");
    bench.ShowControl(format);
    format.SimulateSelect(2);
    TiPlotXAxis& axis = *bench.plot->GetXAxis(0);
    EXPECT_EQ(axis.DateTimeFormat(), "m/d hh:nn:ss");
    for (char ch : std::string("ss"))
        TestHooks::SendKey(format, 'A' + (ch - 'a'), {}, std::string(1, ch));
    EXPECT_EQ(format.GetAsString(), "m/d hh:nn:ssss");
    EXPECT_EQ(axis.DateTimeFormat(), "m/d hh:nn:ssss");
}

// Add and Remove on an axis page: the page's list and every name combo box of the other
// pages offer the new axis, and no longer once it is gone.
TEST(PlotEditorAxesPage, AddAndRemoveRefreshTheListsAndEveryNameCombo)
{
    struct TNameCombo {
        TiPlotObjectKind Lists;  // the kind whose names it offers
        const char* Name;
    };
    const TNameCombo combos[] = {
        {K::XAxis, "ChannelXAxisNameComboBox"},
        {K::YAxis, "ChannelYAxisNameComboBox"},
        {K::XAxis, "DataViewGridXAxisNameComboBox"},
        {K::YAxis, "DataViewGridYAxisNameComboBox"},
        {K::XAxis, "YAxisCartesianChildRefAxisNameComboBox"},
        {K::YAxis, "XAxisCartesianChildRefAxisNameComboBox"},
        {K::XAxis, "XAxisAlignRefAxisNameComboBox"},
        {K::YAxis, "YAxisAlignRefAxisNameComboBox"},
    };
    for (const TAxisCase& c : kAxisCases) {
        SCOPED_TRACE(c.Name);
        TPlotEditorBench bench;
        TiPlotEditorForm& form = bench.Open();
        const std::string added = c.Kind == K::XAxis ? "X-Axis 2" : "Y-Axis 2";
        auto offered = [&](const TNameCombo& combo) {
            return Entries(bench.Control<TiComponentEditorComboBox>(combo.Name)).find(added) != std::string::npos;
        };
        bench.ShowPage(c.Kind == K::XAxis ? "XAxesTabSheet" : "YAxesTabSheet");
        auto& add = bench.Control<TiComponentEditorButton>(c.Kind == K::XAxis ? "XAxesAddButton" : "YAxesAddButton");
        TestHooks::SendClick(add, 5, 5);
        ASSERT_EQ(form.ListOf(c.Kind).Count(), 2);
        EXPECT_EQ(form.SelectedObject(c.Kind), &AxisOf(*bench.plot, c.Kind, 1));
        EXPECT_EQ(bench.Control<TiComponentEditorEdit>(std::string(c.Prefix) + "NameEdit").GetAsString(), added);
        for (const TNameCombo& combo : combos)
            EXPECT_EQ(offered(combo), combo.Lists == c.Kind) << combo.Name;

        auto& remove =
            bench.Control<TiComponentEditorButton>(c.Kind == K::XAxis ? "XAxisRemoveButton" : "YAxisRemoveButton");
        TestHooks::SendClick(remove, 5, 5);
        ASSERT_EQ(form.ListOf(c.Kind).Count(), 1);
        EXPECT_EQ(form.SelectedObject(c.Kind), &AxisOf(*bench.plot, c.Kind, 0));
        for (const TNameCombo& combo : combos)
            EXPECT_FALSE(offered(combo)) << combo.Name;

        // The last one goes: the page has nothing to edit, and Add still works.
        TestHooks::SendClick(remove, 5, 5);
        ASSERT_EQ(form.ListOf(c.Kind).Count(), 0);
        EXPECT_FALSE(bench.Control<TControl>(std::string(c.Prefix) + "NameEdit").Enabled());
        EXPECT_FALSE(remove.Enabled());
        TestHooks::SendClick(add, 5, 5);
        ASSERT_EQ(form.ListOf(c.Kind).Count(), 1);
        EXPECT_TRUE(bench.Control<TControl>(std::string(c.Prefix) + "NameEdit").Enabled());
    }
}

// An axis renamed on its page: the channel keeps drawing on it, and the name combo boxes of
// the other pages show the new name.
TEST(PlotEditorAxesPage, AxisRenamedOnItsPageShowsItsNewNameEverywhere)
{
    TPlotEditorBench bench;
    TiPlotChannel& channel = *bench.plot->GetChannel(0);
    TBitmap picture;
    TestHooks::GrabControl(*bench.plot, picture);  // the channel has met its axes
    bench.Open();
    auto& name = bench.Control<TiComponentEditorEdit>("XAxisNameEdit");
    bench.ShowControl(name);
    name.SetStringWithEvent("Time");
    EXPECT_EQ(bench.plot->GetXAxis(0)->Name(), "Time");
    EXPECT_EQ(channel.XAxisName(), "Time");
    for (const char* combo : {"ChannelXAxisNameComboBox", "DataViewGridXAxisNameComboBox"})
        EXPECT_EQ(bench.Control<TiComponentEditorComboBox>(combo).GetAsString(), "Time") << combo;
    EXPECT_EQ(Entries(bench.Control<TiComponentEditorComboBox>("XAxisAlignRefAxisNameComboBox")), "<None>|Time");
}

// While points stream in, the user turns the X axis from scrolling to scaling: from then on
// the axis keeps its start and widens to the newest point.
TEST(PlotEditorAxesPage, TrackingStyleChangedWhileDataStreams)
{
    TPlotEditorBench bench;
    TiPlot& plot = *bench.plot;
    TiPlotChannel& channel = *plot.GetChannel(0);
    TiPlotXAxis& axis = *plot.GetXAxis(0);
    axis.SetTrackingStyle(iptsScrollSmooth);
    axis.SetMin(0);
    axis.SetSpan(100);
    int x = 0;
    auto stream = [&](int points) {
        for (int i = 0; i < points; ++i, ++x)
            channel.AddXY(x, x % 10);
        TestHooks::PumpFor(1);
    };
    TiPlotEditorForm& form = bench.Open();
    stream(250);
    EXPECT_DOUBLE_EQ(axis.Min(), 249 - axis.Span()) << "scrolling";
    auto& style = bench.Control<TiComponentEditorComboBox>("XAxisTrackingStyleComboBox");
    bench.ShowControl(style);
    form.ActivationChanged(true);  // the user comes back to the editor: it shows the plot now
    EXPECT_EQ(style.GetAsInteger(), int(iptsScrollSmooth));
    EXPECT_DOUBLE_EQ(bench.Control<TiComponentEditorEdit>("XAxisMinEdit").GetAsFloat(), axis.Min());

    style.SimulateSelect(int(iptsScaleMinMax));
    EXPECT_EQ(axis.TrackingStyle(), iptsScaleMinMax);
    const double start = axis.Min();
    stream(300);
    EXPECT_DOUBLE_EQ(axis.Min(), start) << "scaling keeps the start";
    EXPECT_GE(axis.Min() + axis.Span(), x - 1) << "and widens to the newest point";
    EXPECT_EQ(style.GetAsInteger(), int(iptsScaleMinMax)) << "the page shows the style";
}

}  // namespace
