#pragma once
// A plot as the data view, the toolbar and the axes see it, for their tests: it keeps the
// axes, toolbars and data cursors it is given (not owning them), answers by-name look-ups,
// runs the plot operations the toolbar calls (tracking, select mode) the way the plot control
// does, forwards master-axis input behind its re-entry guard, and records every event and
// plot operation in a log.

#include "platform/core/StrUtils.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotToolBar.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class PlotHostFake : public IPlotHost, public IPlotAxisHost {
public:
    using Log = std::vector<std::string>;

    std::vector<TiPlotXAxis*> XAxes;
    std::vector<TiPlotYAxis*> YAxes;
    std::vector<TiPlotToolBar*> ToolBars;
    std::vector<TiPlotObject*> DataCursors;
    std::vector<TiPlotObject*> Objects;  // the list of all objects
    bool SelectModeActive = false;
    Log Calls;
    // Answers of the cancellable events.
    std::function<void(TiPlotToolBarButtonType, bool&)> BeforeClick;
    std::function<void(TRect&, bool&)> BeforeZoomBox;
    std::function<void(TCursor&)> MouseCursor;

    static std::string ButtonName(TiPlotToolBarButtonType type)
    {
        static const char* const names[] = {"Resume", "Pause",  "Scroll", "Zoom", "Select", "ZoomBox", "ZoomOut",
                                            "ZoomIn", "Cursor", "Edit",   "Copy", "Save",   "Print",   "Preview"};
        return names[type];
    }
    Log Take() { return std::exchange(Calls, {}); }

    // --- IPlotHost ---------------------------------------------------------------------------
    std::string TranslateText(const std::string& text) override { return text == "Print" ? "Drucken" : text; }
    TPoint PlotClientToScreen(TPoint p) override { return p; }
    TiPlotXAxis* GetXAxisByName(const std::string& name) override { return ByName(XAxes, name); }
    TiPlotYAxis* GetYAxisByName(const std::string& name) override { return ByName(YAxes, name); }
    TiPlotChannelCustom* GetChannelByName(const std::string&) override { return nullptr; }
    void DoObjectClick(TiPlotObject* object) override { Calls.push_back("Click " + object->Name()); }
    void DoObjectMouseDown(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseMove(TiPlotObject*, TShiftState, int, int) override {}
    void DoObjectMouseUp(TiPlotObject*, TMouseButton, TShiftState, int, int) override {}
    void DoObjectMouseWheel(TiPlotObject*, int, TShiftState, int, int) override {}
    void DoGetMouseCursor(TiPlotObject*, TCursor& cursor) override
    {
        if (MouseCursor)
            MouseCursor(cursor);
    }
    void DoObjectGotFocus(TiPlotObject*) override {}
    void DoObjectLostFocus(TiPlotObject*) override {}
    void DoPopUpMenuEvent(TiPlotObject*, bool&, int, int) override {}

    int XAxisCount() override { return int(XAxes.size()); }
    TiPlotXAxis* GetXAxis(int index) override { return XAxes.at(index); }
    int YAxisCount() override { return int(YAxes.size()); }
    TiPlotYAxis* GetYAxis(int index) override { return YAxes.at(index); }
    TiPlotToolBar* GetToolBar(int index) override { return index < int(ToolBars.size()) ? ToolBars[index] : nullptr; }
    int DataCursorCount() override { return int(DataCursors.size()); }
    TiPlotObject* GetDataCursorObject(int index) override { return DataCursors.at(index); }
    std::vector<TiPlotObject*> GetAllObjects() override { return Objects; }
    void DisableAllTracking() override { SetAllTracking(false); }
    void EnableAllTracking() override { SetAllTracking(true); }
    // As the plot control does: toolbar 0's Select action runs when its state differs.
    void SetSelectModeActive(bool value) override
    {
        Calls.push_back(std::string("SelectMode ") + (value ? "on" : "off"));
        SelectModeActive = value;
        if (!ToolBars.empty() && ToolBars[0]->GetSelectActive() != value)
            ToolBars[0]->DoButtonClickSelect();
    }
    bool GetMasterAxisInputGuard() override { return m_guard; }
    void SetMasterAxisInputGuard(bool value) override { m_guard = value; }
    void EditProperties() override { Calls.push_back("EditProperties"); }
    void CopyToClipBoard() override { Calls.push_back("CopyToClipBoard"); }
    void Save() override { Calls.push_back("Save"); }
    void PrintChart() override { Calls.push_back("PrintChart"); }
    void PreviewChart() override { Calls.push_back("PreviewChart"); }
    void DoBeforeZoomBox(TRect& rect, bool& cancel) override
    {
        Calls.push_back("BeforeZoomBox");
        if (BeforeZoomBox)
            BeforeZoomBox(rect, cancel);
    }
    void DoToolBarButtonBeforeClick(TiPlotToolBar*, TiPlotToolBarButtonType type, bool& cancel) override
    {
        Calls.push_back("Before " + ButtonName(type));
        if (BeforeClick)
            BeforeClick(type, cancel);
    }
    void DoToolBarButtonClick(TiPlotToolBar*, TiPlotToolBarButtonType type) override
    {
        Calls.push_back("Clicked " + ButtonName(type));
    }
    void DoToolBarCustomizeHint(TiPlotToolBar*, std::string& text) override { text += "!"; }

    // --- IPlotAxisHost -----------------------------------------------------------------------
    void DoAxesMinChange(TiPlotAxis*, double, double) override {}
    void DoAxesSpanChange(TiPlotAxis*, double, double) override {}
    void DoAxesMinSpanChange(TiPlotAxis*, double, double, double, double) override {}
    void DoAxesMinSpanChangeFinished(TiPlotAxis*, double, double, double, double) override {}
    void DoAxesCustomizeLabel(TiPlotAxis*, double, std::string&) override {}
    void DoXAxisCustomizeHint(TiPlotAxis*, std::string&) override {}
    void DoYAxisCustomizeHint(TiPlotAxis*, std::string&) override {}
    bool AddAxesCollisionDetectionItem(const TRect&) override { return true; }
    void MasterAxisMouseLeft(TiPlotAxis* axis, const TiPlotMouseData& data) override
    {
        Forward(axis, [&](TiPlotAxis& other) { other.DoMouseLeft(data); });
    }
    void MasterAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& data) override
    {
        Forward(axis, [&](TiPlotAxis& other) { other.DoMouseMove(data); });
    }
    void MasterAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& data) override
    {
        Forward(axis, [&](TiPlotAxis& other) { other.DoMouseUp(data); });
    }
    void MasterAxisMouseWheel(TiPlotAxis* axis, int delta, TShiftState shift, int x, int y) override
    {
        Forward(axis, [&](TiPlotAxis& other) { other.DoMouseWheel(delta, shift, x, y); });
    }
    void MasterAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) override
    {
        Forward(axis, [&](TiPlotAxis& other) { other.iKeyDown(key, shift, nullptr); });
    }
    std::vector<TiPlotAxisDataRange> GetAxisDataRanges(bool, const std::string&, bool) override { return {}; }
    bool IsStripChartPlot() const override { return true; }

private:
    template <typename T>
    static T* ByName(const std::vector<T*>& axes, const std::string& name)
    {
        for (T* axis : axes)
            if (SameText(axis->Name(), name))
                return axis;
        return nullptr;
    }
    void SetAllTracking(bool value)
    {
        Calls.push_back(value ? "EnableAllTracking" : "DisableAllTracking");
        for (TiPlotAxis* axis : XAxes)
            axis->SetTrackingEnabled(value);
        for (TiPlotAxis* axis : YAxes)
            axis->SetTrackingEnabled(value);
    }
    // Every other axis of the kind gets the input, once: one guard for all five operations.
    template <typename Input>
    void Forward(TiPlotAxis* from, const Input& input)
    {
        if (m_guard)
            return;
        m_guard = true;
        Calls.push_back("Forward " + from->Name());
        std::vector<TiPlotAxis*> others;
        if (from->IsXAxis())
            others.assign(XAxes.begin(), XAxes.end());
        else
            others.assign(YAxes.begin(), YAxes.end());
        for (TiPlotAxis* other : others)
            if (other != from)
                input(*other);
        m_guard = false;
    }

    bool m_guard = false;
};
