// The host's live plot end to end: the main window on the real serial port, the meter
// simulator on a pseudo-terminal, the plot control of the "Plot Data" page fed line by line,
// and its settings kept from one run of the window to the next by File > Exit.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/core/CFormat.h"
#include "app/core/HostCore.h"
#include "app/forms/HostPlotControl.h"
#include "app/forms/HostPort.h"
#include "app/forms/QX5Main.h"
#include "app/forms/password.h"
#include "app/forms/warning.h"
#include "editors/iPlotEditor.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotToolBar.h"
#include "support/SourcePaths.h"
#include "support/TempDir.h"
#include "tests/app/core/HostFakes.h"
#include "tools/simulator/MeterSimulator.h"

namespace {

void SavePNG(const TBitmap& bitmap, const std::string& path)
{
    const TBytes bytes = EncodePNG(bitmap, 9);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The four forms of one run of the program, on the serial port named COM3.
struct HostRun {
    std::unique_ptr<TForm1> form1 = std::make_unique<TForm1>(nullptr);
    std::unique_ptr<TForm2> form2 = std::make_unique<TForm2>(nullptr);
    std::unique_ptr<TSelectHPForm> selectHP = std::make_unique<TSelectHPForm>(nullptr);
    std::unique_ptr<TPasswordForm> password = std::make_unique<TPasswordForm>(nullptr);
    std::vector<int> exitCodes;

    HostRun()
    {
        form1->ExitProgram = [this](int code) { exitCodes.push_back(code); };
    }
    ~HostRun()
    {
        password.reset();
        selectHP.reset();
        form2.reset();
        form1.reset();
    }
    TiPlot& Plot() { return *form1->FindControl<TiPlot>("iPlot1"); }
};

// Each operation the host uses reaches the plot control; a channel the plot does not hold
// is an error, never a silent write elsewhere.
TEST(HostPlotControl, OperationsReachThePlotControl)
{
    TiPlot plot(nullptr);
    HostPlotControl host(plot);
    host.RemoveAllChannels();
    EXPECT_EQ(host.ChannelCount(), 0);
    EXPECT_EQ(host.AddChannel(), 0);
    EXPECT_EQ(host.AddChannel(), 1);
    host.SetChannelColor(1, TColor(0x0000FFFF));
    host.SetChannelTitleText(1, "B125):");
    host.ChannelAddXY(1, 3, 4.5);
    host.ChannelAddXY(1, 4, 5.5);
    const TiPlotChannel* channel = plot.GetChannel(1);
    EXPECT_EQ(channel->Color(), TColor(0x0000FFFF));
    EXPECT_EQ(channel->TitleText(), "B125):");
    EXPECT_EQ(channel->GetCount(), 2);
    EXPECT_EQ(channel->GetYLast(), 5.5);
    EXPECT_EQ(plot.GetChannel(0)->GetCount(), 0);

    host.ClearAllData();
    EXPECT_EQ(host.ChannelCount(), 2);
    EXPECT_EQ(channel->GetCount(), 0);
    ASSERT_EQ(host.YAxisCount(), 1);
    host.SetYAxisMin(0, 0.0);
    host.SetYAxisSpan(0, 1.0);
    EXPECT_EQ(plot.GetYAxis(0)->Min(), 0.0);
    EXPECT_EQ(plot.GetYAxis(0)->Span(), 1.0);
    host.SetOptionSaveAllProperties(true);
    EXPECT_TRUE(plot.OptionSaveAllProperties());

    for (int missing : {-1, 2}) {
        try {
            host.ChannelAddXY(missing, 0, 0);
            ADD_FAILURE() << "no error for channel " << missing;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), CFormat("List index out of bounds (%d)", missing));
        }
    }
    EXPECT_EQ(plot.GetChannel(0)->GetCount() + plot.GetChannel(1)->GetCount(), 0);
}

class HostPlotEndToEnd : public testing::Test {
protected:
    TempDir dir;
    std::filesystem::path oldFolder = std::filesystem::current_path();
    PinnedClock clock;
    TestHooks::TFakeTimers timers;
    TestHooks::TModalScript modal;
    std::unique_ptr<MeterSimulator> sim;

    HostPlotEndToEnd()
    {
        std::filesystem::current_path(dir.Folder());
        std::filesystem::copy_file(SampleDevice("fluorometer.dev"), "fluorometer.dev");
        SimulatorConfig config;
        config.DevicePath = SampleDevice("fluorometer.dev");
        config.LinesPerSecond = 40;
        sim = std::make_unique<MeterSimulator>(config);
        std::string error;
        EXPECT_TRUE(sim->Open(&error)) << error;
        setenv("COM3", sim->SlavePath().c_str(), 1);
        modal.OnFileDialog = [](TFileDialogRequest& r) {
            r.FileName = "fluorometer.dev";
            return true;
        };
    }
    ~HostPlotEndToEnd() override
    {
        unsetenv("COM3");
        std::filesystem::current_path(oldFolder);
    }

    // One 55 ms tick of the host with the simulator running around it.
    void Tick()
    {
        sim->Pump(1);
        timers.Advance(55);
        sim->Pump(2);
    }
    template <typename Done>
    bool RunUntil(Done done, int maxTicks = 400)
    {
        for (int i = 0; i < maxTicks && !done(); ++i)
            Tick();
        return done();
    }
};

TEST_F(HostPlotEndToEnd, TheSimulatorsLinesArePlottedAndTheSettingsOutliveTheRun)
{
    {
        HostRun run;
        run.form1->FindControl<TMenuItem>("LoadDeviceFile")->Click();
        run.form1->FindControl<TComboBox>("CBHostPort")->SimulateSelect(3);
        run.form1->FindControl<TButton>("BTStartData")->Click();
        const HostState& s = run.form1->Core().State();
        ASSERT_TRUE(RunUntil([&] { return run.Plot().ChannelCount() == 3 && s.SampleX >= 25; }));

        // One channel per plotted column (CHL, internal temperature, pressure), in column
        // order and colour, each with a point per accepted line at X = the sample number.
        TiPlot& plot = run.Plot();
        const struct {
            const char* Title;
            TColor Color;
        } kChannels[] = {
            {"CHL: ", TColor(0x00FF00FF)}, {"iTemp: ", TColor(0x00808080)}, {"Pres: ", TColor(0x00FFFFFF)}};
        const int points = plot.GetChannel(0)->GetCount();
        EXPECT_GE(points, 20);
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(c);
            const TiPlotChannel* channel = plot.GetChannel(c);
            EXPECT_EQ(channel->Color(), kChannels[c].Color);
            EXPECT_EQ(channel->GetCount(), points);
            EXPECT_EQ(channel->GetXLast(), s.SampleX);
            EXPECT_EQ(channel->GetXLast() - channel->GetXFirst(), points - 1);  // no line lost or doubled
            // The title carries the value of the last line.
            EXPECT_EQ(channel->TitleText(), CFormat("%s%1.0lf Counts", kChannels[c].Title, channel->GetYLast()));
        }
        EXPECT_EQ(s.MismatchCount, 0);

        // The traces show in the data view, each in its channel's colour.
        TBitmap picture;
        picture.SetSize(plot.Width(), plot.Height());
        plot.iPaintTo(picture.Canvas());
        SavePNG(picture, (oldFolder / "host_live_plot.png").string());
        const TRect view = plot.GetDataView(0)->GetDrawRect();
        for (const auto& channel : kChannels) {
            int pixels = 0;
            for (int y = view.Top; y < view.Bottom; ++y)
                for (int x = view.Left; x < view.Right; ++x)
                    pixels += picture.Canvas().GetPixel(x, y) == channel.Color;
            EXPECT_GE(pixels, points) << channel.Title;  // a line through every point at least
        }

        // Settings the user changed are saved by File > Exit, here from an enlarged window.
        run.form1->SetBounds(0, 0, run.form1->Width() + 200, run.form1->Height() + 100);
        plot.SetBackGroundColor(TColor(0x00402010));
        plot.SetOuterMarginLeft(17);
        run.form1->FindControl<TMenuItem>("Exit1")->Click();
        EXPECT_EQ(run.exitCodes, std::vector<int>{0});
        EXPECT_TRUE(std::filesystem::exists("zuvpravix.rbs"));
    }

    // The next run restores the state one second after its start, the plot's settings with it,
    // and builds the channels for the device again.
    HostRun run;
    const TRect place = run.Plot().BoundsRect();
    EXPECT_EQ(run.Plot().BackGroundColor(), TColor(0));
    timers.Advance(1000);
    EXPECT_EQ(run.Plot().BackGroundColor(), TColor(0x00402010));
    EXPECT_EQ(run.Plot().OuterMarginLeft(), 17);
    // The plot stays in its place on the page of this window, whatever size it had before.
    EXPECT_EQ(run.Plot().BoundsRect(), place);
    ASSERT_TRUE(RunUntil([&] { return run.Plot().ChannelCount() == 3 && run.Plot().GetChannel(0)->GetCount() > 0; }));
    EXPECT_EQ(run.Plot().GetChannel(0)->TitleText().rfind("CHL: ", 0), 0u);
}

}  // namespace

namespace {

// The live plot's Properties button opens the run-time editor while the meter's lines keep
// arriving; what the user changes there reaches the plot at once, goes to the plot settings
// file with File > Exit and comes back at the next start.
TEST_F(HostPlotEndToEnd, TheEditorOpensOnTheLivePlotAndItsChangesOutliveTheRun)
{
    const TColor background = TColor(0x00204060);
    {
        HostRun run;
        run.form1->FindControl<TMenuItem>("LoadDeviceFile")->Click();
        run.form1->FindControl<TComboBox>("CBHostPort")->SimulateSelect(3);
        run.form1->FindControl<TButton>("BTStartData")->Click();
        TiPlot& plot = run.Plot();
        ASSERT_TRUE(RunUntil([&] { return plot.ChannelCount() == 3 && plot.GetChannel(0)->GetCount() > 5; }));

        run.form1->Show();
        auto* sheet = dynamic_cast<TTabSheet*>(plot.Parent());
        ASSERT_NE(sheet, nullptr);
        sheet->PageControl()->SimulateSelect(sheet->PageIndex());
        TestHooks::PumpUntil([&plot] { return plot.Showing(); }, 2000);
        TBitmap picture;
        TestHooks::GrabControl(plot, picture);
        auto* bar = dynamic_cast<TiPlotToolBar*>(plot.GetToolBarObject(0));
        ASSERT_NE(bar, nullptr);
        const TRect button = bar->GetButton(iptbbtEdit)->GetDrawRect();

        // The host's plot lets no object offer "Edit..." in its popup menu (its objects may not
        // be edited there); the Properties button is the way in.
        const TRect axis = plot.GetXAxis(0)->GetDrawRect();
        TestHooks::SendClick(plot, (axis.Left + axis.Right) / 2, (axis.Top + axis.Bottom) / 2, mbRight);
        ASSERT_EQ(modal.Popups.size(), 1u) << "the X axis's popup menu";
        EXPECT_FALSE(modal.Popups[0].Items.empty());
        for (const TestHooks::TMenuSnapshot& item : modal.Popups[0].Items)
            EXPECT_NE(item.Caption, "Edit...");
        EXPECT_TRUE(modal.ModalForms.empty());

        int pointsWhileOpen = 0;
        modal.OnColorDialog = [background](TColorRequest& request) {
            request.Color = background;
            return true;
        };
        modal.OnShowModal = [&](TForm& form) {
            auto* editor = dynamic_cast<TiPlotEditorForm*>(&form);
            EXPECT_NE(editor, nullptr) << "the plot editor opens";
            if (!editor)
                return mrCancel;
            EXPECT_EQ(EditorControl<TiComponentEditorListBox>(*editor, "ChannelListBox").Count(), 3);
            // The meter's lines keep arriving while the editor is open. The simulator sends them
            // by the wall clock, so the test waits for them rather than for a number of ticks.
            const int before = plot.GetChannel(0)->GetCount();
            RunUntil([&] { return plot.GetChannel(0)->GetCount() - before > 5; });
            pointsWhileOpen = plot.GetChannel(0)->GetCount() - before;
            TestHooks::SendClick(
                *EditorControl<TiComponentEditorColorPicker>(*editor, "BackGroundColorPicker").Button(), 5, 5);
            EditorControl<TiComponentEditorEdit>(*editor, "OuterMarginLeftEdit").SetStringWithEvent("23");
            EXPECT_EQ(plot.BackGroundColor(), background) << "at once, while the editor is open";
            return mrCancel;
        };
        TestHooks::SendClick(plot, (button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
        ASSERT_EQ(modal.ModalForms.size(), 1u) << "the Properties button opens the editor";
        EXPECT_GT(pointsWhileOpen, 5);
        EXPECT_EQ(plot.OuterMarginLeft(), 23);

        run.form1->FindControl<TMenuItem>("Exit1")->Click();
        EXPECT_EQ(run.exitCodes, std::vector<int>{0});
    }

    HostRun run;
    timers.Advance(1000);
    EXPECT_EQ(run.Plot().BackGroundColor(), background);
    EXPECT_EQ(run.Plot().OuterMarginLeft(), 23);
}

}  // namespace
