// The data cursor, limit and label pages: what their controls edit, their name combo boxes,
// and how each ends a write-back (its own page and list only). The first label is the plot's
// title: the "Title" sheet of the "Control" pages shows it too, and it cannot be removed.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"
#include "platform/gui/StdCtrls.h"

namespace {

using K = TiPlotObjectKind;

constexpr TiEditorBinding kDataCursorBindings[] = {
    {"DataCursorNameEdit", "Name"},
    {"DataCursorPopupEnabledCheckBox", "PopupEnabled"},
    {"DataCursorSnapToDataPointCheckBox", "SnapToDataPoint"},
    {"DataCursorStyleComboBox", "Style"},
    {"DataCursorColorPicker", "Color"},
    {"DataCursorUseChannelColorCheckBox", "UseChannelColor"},
    {"DataCursorHintPositionEdit", "HintPosition"},
    {"DataCursorHintShowCheckBox", "HintShow"},
    {"DataCursorHintHideOnReleaseCheckBox", "HintHideOnRelease"},
    {"DataCursorOrientationSideRadioGroup", "HintOrientationSide"},
    {"DataCursorPointer1PositionEdit", "Pointer1Position"},
    {"DataCursorPointer2PositionEdit", "Pointer2Position"},
    {"DataCursorPointerPenWidthEdit", "PointerPenWidth"},
    {"DataCursorChannelNameComboBox", "ChannelName"},
    {"DataCursorChannelAllowAllCheckBox", "ChannelAllowAll"},
    {"DataCursorChannelShowAllInLegendCheckBox", "ChannelShowAllInLegend"},
    {"DataCursorFontPicker", "Font"},
};

constexpr TiEditorBinding kLimitBindings[] = {
    {"LimitNameEdit", "Name"},
    {"LimitVisibleCheckBox", "Visible"},
    {"LimitUserCanMoveCheckBox", "UserCanMove"},
    {"LimitPopUpEnabledCheckBox", "PopupEnabled"},
    {"LimitClipToAxesCheckBox", "ClipToAxes"},
    {"LimitLayerEdit", "Layer"},
    {"LimitStyleComboBox", "Style"},
    {"LimitLine1PositionEdit", "Line1Position"},
    {"LimitLine2PositionEdit", "Line2Position"},
    {"LimitFillStyleCombobox", "FillStyle"},
    {"LimitLineStyleComboBox", "LineStyle"},
    {"LimitLineWidthEdit", "LineWidth"},
    {"LimitColorPicker", "Color"},
    {"LimitXAxisNameComboBox", "XAxisName"},
    {"LimitYAxisNameComboBox", "YAxisName"},
};

constexpr TiEditorBinding kLabelBindings[] = {
    {"LabelNameEdit", "Name"},
    {"LabelVisibleCheckBox", "Visible"},
    {"LabelCaptionMemo", "Caption"},
    {"LabelMarginLeftEdit", "MarginLeft"},
    {"LabelMarginTopEdit", "MarginTop"},
    {"LabelMarginRightEdit", "MarginRight"},
    {"LabelMarginBottomEdit", "MarginBottom"},
    {"LabelAlignmentComboBox", "Alignment"},
    {"LabelImageListIndexEdit", "ImageListIndex"},
    {"LabelImageIndexEdit", "ImageIndex"},
    {"LabelFontPicker", "Font"},
};

}  // namespace

std::span<const TiEditorBinding> DataCursorBindings() { return kDataCursorBindings; }

std::span<const TiEditorBinding> LimitBindings() { return kLimitBindings; }

std::span<const TiEditorBinding> LabelBindings() { return kLabelBindings; }

void TiPlotEditorForm::WireCursorLimitLabelPages()
{
    WireBoundControls(*this, DataCursorBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::DataCursorChange));
    WireBoundControls(*this, LimitBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::LimitChange));
    WireBoundControls(*this, LabelBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::LabelChange));
    EditorControl<TiComponentEditorComboBox>(*this, "DataCursorChannelNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::DataCursorChannelNameComboBoxDropDown);
    EditorControl<TiComponentEditorComboBox>(*this, "LimitXAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::XAxisNameComboBoxDropDown);
    EditorControl<TiComponentEditorComboBox>(*this, "LimitYAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::YAxisNameComboBoxDropDown);
}

void TiPlotEditorForm::EnableLabelRemove()
{
    const TiPlotObjectManagerCustom* labels = m_master ? m_master->LabelManager() : nullptr;
    const bool title = labels && labels->GetCount() > 0 && SelectedObject(K::Label) == labels->GetObject(0);
    EditorControl<TControl>(*this, "LabelRemoveButton").SetEnabled(!title);
}

void TiPlotEditorForm::DataCursorChange(TObject*)
{
    if (WritePage(K::DataCursor))
        UpdateDataCursorEdit();
}

void TiPlotEditorForm::LimitChange(TObject*)
{
    if (WritePage(K::Limit))
        UpdateLimitEdit();
}

void TiPlotEditorForm::LabelChange(TObject*)
{
    TiPlotObject* label = WritePage(K::Label);
    if (!label)
        return;
    const TiPlotObjectManagerCustom* labels = m_master ? m_master->LabelManager() : nullptr;
    if (labels && labels->GetCount() > 0 && label == labels->GetObject(0))
        LoadBoundControls(*this, TitleLabelBindings(), *label, Translation());
    UpdateLabelEdit();
}
