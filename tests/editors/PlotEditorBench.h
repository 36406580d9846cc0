#pragma once
// A strip-chart plot on a shown window, with its run-time editor at hand: the bench the plot
// editor's tests drive as a user does (real clicks and keys through the platform's input
// simulation) and read back from the plot.

#include "editors/iEditorBasicComponents.h"
#include "editors/iPlotEditor.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/ImageCodecs.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHooks.h"
#include "plot/control/iPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

class TPlotEditorBench {
public:
    TForm window{nullptr};
    TiPlot* plot = new TiPlot(&window);

    explicit TPlotEditorBench(TiPlotEditorFormStyle style = ipfsStayOnTop)
    {
        window.SetName("PlotWindow");
        window.SetBounds(0, 0, 640, 420);
        plot->SetName("iPlot1");
        plot->SetParent(&window);
        plot->SetBounds(0, 0, 640, 420);
        plot->SetEditorFormStyle(style);
        window.Show();
        TestHooks::PumpUntil([this] { return window.Showing(); }, 2000);
    }

    ~TPlotEditorBench()
    {
        // A stay-on-top editor goes with the plot's master manager.
        TestHooks::PumpFor(0);
    }

    TiPlotMasterManager& Master() { return plot->MasterManager(); }

    // The open editor's form; the test fails when none is open.
    TiPlotEditorForm& Editor()
    {
        IPlotEditor* editor = Master().EditorForm();
        EXPECT_NE(editor, nullptr) << "no editor is open";
        return dynamic_cast<TiPlotEditorForm&>(editor->Form());
    }
    bool EditorOpen() { return Master().EditorForm() != nullptr; }

    // Opens the editor as the toolbar's Properties button does (stay-on-top: returns at once).
    TiPlotEditorForm& Open()
    {
        Master().EditProperties();
        TiPlotEditorForm& form = Editor();
        TestHooks::PumpUntil([&form] { return form.Showing(); }, 2000);
        return form;
    }

    template <class T>
    T& Control(const std::string& name)
    {
        return EditorControl<T>(Editor(), name);
    }

    // Shows a page of the main page control and, when given, a sheet of a sub-page control.
    void ShowPage(const std::string& sheet)
    {
        auto& tab = Control<TTabSheet>(sheet);
        ASSERT_NE(tab.PageControl(), nullptr);
        tab.PageControl()->SimulateSelect(tab.PageIndex());
        ShowControl(tab);
    }

    // Shows every page on the way from the control up to the form.
    void ShowControl(TControl& control)
    {
        for (TWinControl* parent = control.Parent(); parent; parent = parent->Parent())
            if (auto* sheet = dynamic_cast<TTabSheet*>(parent))
                sheet->PageControl()->SimulateSelect(sheet->PageIndex());
        TestHooks::PumpFor(0);
    }

    // Saves the picture of a control as it paints itself now.
    static void SavePicture(TControl& control, const std::string& name)
    {
        TBitmap bitmap;
        TestHooks::GrabControl(control, bitmap);
        SavePNG(bitmap, name);
    }

    static void SavePNG(const TBitmap& bitmap, const std::string& name)
    {
        const TBytes bytes = EncodePNG(bitmap, 9);
        std::FILE* file = std::fopen(name.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
};
