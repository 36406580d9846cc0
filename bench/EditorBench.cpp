// The run-time plot editor: from the click on the plot toolbar's Properties button to the
// editor's window painted whole, on a plot of sixteen channels with data.

#include "bench/BenchSupport.h"

#include "editors/iEditorBasicComponents.h"
#include "editors/iPlotEditor.h"
#include "platform/canvas/Bitmap.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotToolBar.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

void EditorOpen(benchmark::State& state)
{
    // The plot opens its editor through the hooks the editors library registers; a program
    // that shows the plot's editor registers them once, as this one does here.
    RegisterEditorHooks();
    TForm window(nullptr);
    window.SetBounds(0, 0, kFrameWidth, kFrameHeight);
    auto plot = std::make_unique<TiPlot>(nullptr);
    plot->SetParent(&window);
    plot->SetBounds(0, 0, kFrameWidth, kFrameHeight);
    plot->SetEditorFormStyle(ipfsStayOnTop);
    while (plot->ChannelCount() < 16)
        plot->AddChannel();
    const std::vector<double> values = SignalValues(1000);
    for (int c = 0; c < plot->ChannelCount(); ++c)
        for (int i = 0; i < int(values.size()); ++i)
            plot->GetChannel(c)->AddXY(i, values[std::size_t(i)] + c);
    window.Show();
    TestHooks::PumpUntil([&window] { return window.Showing(); }, 5000);
    TBitmap picture;
    TestHooks::GrabControl(*plot, picture);
    const TRect button = dynamic_cast<TiPlotToolBar*>(plot->GetToolBarObject(0))->GetButton(iptbbtEdit)->GetDrawRect();

    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TestHooks::SendClick(*plot, (button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
        IPlotEditor* editor = plot->MasterManager().EditorForm();
        if (!editor) {
            state.SkipWithError("the Properties button opened no editor");
            break;
        }
        TForm& form = editor->Form();
        TestHooks::PumpUntil([&form] { return form.Showing(); }, 5000);
        TBitmap painted;
        TestHooks::GrabControl(form, painted);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        // Closing is not part of the figure: the editor goes once its closing has completed.
        form.Close();
        TestHooks::PumpUntil([&plot] { return !plot->MasterManager().EditorForm(); }, 5000);
        TestHooks::PumpFor(1);
    }
    plot->SetParent(nullptr);
}

}  // namespace

void RegisterEditorBenchmarks()
{
    benchmark::RegisterBenchmark("editor/open/ours", EditorOpen)->UseManualTime()->Unit(benchmark::kMillisecond);
}
