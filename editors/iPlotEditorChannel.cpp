// The channel page beyond its bindings: the sheets only a strip-chart channel has, the log
// controls, the file pickers and the statistics.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"
#include "platform/core/Conversions.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "plot/control/iXYPlot.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"

#include <array>
#include <functional>

namespace {

// The eleven statistics displays, in the order RefreshChannelStats fills them.
constexpr std::array<const char*, 11> kStatsDisplays = {
    "ChannelStatsCountDisplay",         "ChannelStatsCapacityDisplay",      "ChannelStatsMemoryUsedDisplay",
    "ChannelStatsDataPointSizeDisplay", "ChannelStatsMaxDataPointsDisplay", "ChannelStatsXMinDisplay",
    "ChannelStatsXMaxDisplay",          "ChannelStatsXMeanDisplay",         "ChannelStatsYMinDisplay",
    "ChannelStatsYMaxDisplay",          "ChannelStatsYMeanDisplay"};

// A running value as the axis labels it, or as general float text without an axis.
std::string AxisText(TiPlotAxis* axis, double value) { return axis ? axis->GetLabelText(value) : FloatToStr(value); }

}  // namespace

void TiPlotEditorForm::WireChannelPage()
{
    WireBoundControls(*this, ChannelBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::ChannelChange));
    EditorControl<TiComponentEditorComboBox>(*this, "ChannelXAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::XAxisNameComboBoxDropDown);
    EditorControl<TiComponentEditorComboBox>(*this, "ChannelYAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::YAxisNameComboBoxDropDown);
    for (const char* picker : {"ChannelPropertiesSavePicker", "ChannelPropertiesOpenPicker", "ChannelDataSavePicker",
                               "ChannelDataOpenPicker"})
        WireCommit(*FindComponent(picker), TNotifyEvent::Bind(this, &TiPlotEditorForm::ChannelFileClick));
    EditorControl<TiComponentEditorSavePicker>(*this, "ChannelLogFileNamePicker").OnChange =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ChannelLogFileNameChange);
    EditorControl<TButton>(*this, "ChannelLogActivateButton").OnClick =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ChannelLogActivateClick);
    EditorControl<TButton>(*this, "ChannelLogDeactivateButton").OnClick =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::ChannelLogDeactivateClick);
    EditorControl<TButton>(*this, "ChannelStatsRefreshButton").OnClick = [this](TObject*) { RefreshChannelStats(); };
}

// An XY channel has no fill, digital, high-low or bar drawing, no fast drawing and no
// interpolation: their sheets and controls show only on a strip-chart plot.
void TiPlotEditorForm::ShowChannelClassSheets()
{
    const bool xy = m_master && XYPlotChannelClass() && m_master->ChannelClass() == XYPlotChannelClass();
    for (const char* sheet :
         {"ChannelFillTabSheet", "ChannelDigitalTabSheet", "ChannelHighLowTabSheet", "ChannelBarTabSheet"})
        EditorControl<TTabSheet>(*this, sheet).SetTabVisible(!xy);
    for (const char* control :
         {"ChannelFastDrawCheckBox", "ChannelInterpolationStyleComboBox", "ChannelInterpolationStyleComboBoxLabel"})
        EditorControl<TControl>(*this, control).SetVisible(!xy);
}

void TiPlotEditorForm::UpdateChannelExtras(TiPlotChannelCustom* channel)
{
    if (!channel)
        return;
    EditorControl<TiComponentEditorSavePicker>(*this, "ChannelLogFileNamePicker").SetFileName(channel->LogFileName());
    SetLogControls("Channel", channel->LoggingActive());
}

void TiPlotEditorForm::ChannelStatsClear()
{
    const std::string text = SelectedObject(TiPlotObjectKind::Channel) ? "Click Refresh" : "";
    for (const char* display : kStatsDisplays)
        EditorControl<TLabel>(*this, display).SetCaption(text);
}

void TiPlotEditorForm::RefreshChannelStats()
{
    auto* channel = dynamic_cast<TiPlotChannelCustom*>(SelectedObject(TiPlotObjectKind::Channel));
    if (!channel) {
        ChannelStatsClear();
        return;
    }
    channel->ReCalcRunningMinMaxMean();
    std::array<std::string, kStatsDisplays.size()> texts = {
        IntToStr(channel->GetCount()),
        IntToStr(channel->GetCapacity()),
        IntToStr(channel->GetMemoryUsed()) + " Bytes",
        IntToStr(channel->GetDataPointSize()) + " Bytes",
        IntToStr(channel->GetMaxDataPoints()),
    };
    // Without a valid point the running values are the search's starting bounds (1e300 and
    // -1e300), which are no values of the channel: they show as nothing.
    if (channel->RunningCount() > 0) {
        TiPlotXAxis* x = channel->GetXAxis();
        TiPlotYAxis* y = channel->GetYAxis();
        texts[5] = AxisText(x, channel->RunningXMin());
        texts[6] = AxisText(x, channel->RunningXMax());
        texts[7] = AxisText(x, channel->RunningXMean());
        texts[8] = AxisText(y, channel->RunningYMin());
        texts[9] = AxisText(y, channel->RunningYMax());
        texts[10] = AxisText(y, channel->RunningYMean());
    }
    for (std::size_t i = 0; i < kStatsDisplays.size(); ++i)
        EditorControl<TLabel>(*this, kStatsDisplays[i]).SetCaption(texts[i]);
}

void TiPlotEditorForm::ChannelFileClick(TObject* sender)
{
    auto* channel = dynamic_cast<TiPlotChannelCustom*>(SelectedObject(TiPlotObjectKind::Channel));
    if (!channel)
        return;
    const std::string name = dynamic_cast<TComponent*>(sender)->Name();
    if (name == "ChannelPropertiesSavePicker") {
        channel->SavePropertiesToFile(EditorControl<TiComponentEditorSavePicker>(*this, name).FileName());
    } else if (name == "ChannelPropertiesOpenPicker") {
        channel->LoadPropertiesFromFile(EditorControl<TiComponentEditorOpenPicker>(*this, name).FileName());
        // The page shows what was loaded, so the next commit does not write the old values back.
        UpdateChannelEdit();
    } else if (name == "ChannelDataSavePicker") {
        channel->SaveDataToFile(EditorControl<TiComponentEditorSavePicker>(*this, name).FileName());
    } else if (name == "ChannelDataOpenPicker") {
        channel->LoadDataFromFile(EditorControl<TiComponentEditorOpenPicker>(*this, name).FileName(), true);
    }
}

void TiPlotEditorForm::ChannelLogFileNameChange(TObject*)
{
    EditorControl<TiComponentEditorEdit>(*this, "ChannelLogFileNameEdit")
        .SetAsString(EditorControl<TiComponentEditorSavePicker>(*this, "ChannelLogFileNamePicker").FileName());
    ChannelChange(nullptr);
}

void TiPlotEditorForm::ChannelLogActivateClick(TObject*)
{
    if (auto* channel = dynamic_cast<TiPlotChannelCustom*>(SelectedObject(TiPlotObjectKind::Channel)))
        channel->LogActivate(false);
    UpdateChannelEdit();
}

void TiPlotEditorForm::ChannelLogDeactivateClick(TObject*)
{
    if (auto* channel = dynamic_cast<TiPlotChannelCustom*>(SelectedObject(TiPlotObjectKind::Channel)))
        channel->LogDeactivate();
    UpdateChannelEdit();
}
