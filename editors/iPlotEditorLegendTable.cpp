// The legend and table pages: what their controls edit, and how each page ends a write-back.
// A legend edit changes the space the legend takes, so every page is shown again; a table
// edit touches nothing the other pages show, so the table page refreshes nothing.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"

namespace {

constexpr TiEditorBinding kLegendBindings[] = {
    {"LegendNameEdit", "Name"},
    {"LegendVisibleCheckbox", "Visible"},
    {"LegendEnabledCheckbox", "Enabled"},
    {"LegendPopupEnabledCheckbox", "PopupEnabled"},
    {"LegendTopMarginEdit", "MarginTop"},
    {"LegendBottomMarginEdit", "MarginBottom"},
    {"LegendLeftMarginEdit", "MarginLeft"},
    {"LegendRightMarginEdit", "MarginRight"},
    {"LegendChannelNameMaxWidthEdit", "ChannelNameMaxWidth"},
    {"LegendChannelNameColorStyleComboBox", "ChannelNameColorStyle"},
    {"LegendLineColumnWidthEdit", "LineColumnWidth"},
    {"LegendLineColumnHeightEdit", "LineColumnHeight"},
    {"LegendColumnSpacingEdit", "ColumnSpacing"},
    {"LegendBackGroundTransparentCheckBox", "BackGroundTransparent"},
    {"LegendBackgroundColorPicker", "BackGroundColor"},
    {"LegendSelectedItemColorPicker", "SelectedItemBackGroundColor"},
    {"LegendShowLineCheckbox", "ShowColumnLine"},
    {"LegendShowMarkerCheckbox", "ShowColumnMarker"},
    {"LegendShowXAxisTitleCheckbox", "ShowColumnXAxisTitle"},
    {"LegendShowYAxisTitleCheckbox", "ShowColumnYAxisTitle"},
    {"LegendShowXValueCheckbox", "ShowColumnXValue"},
    {"LegendShowYValueCheckbox", "ShowColumnYValue"},
    {"LegendShowYMaxCheckbox", "ShowColumnYMax"},
    {"LegendShowYMinCheckbox", "ShowColumnYMin"},
    {"LegendShowYMeanCheckbox", "ShowColumnYMean"},
    {"LegendWrapColDesiredCountEdit", "WrapColDesiredCount"},
    {"LegendWrapColAutoCountEnabledCheckBox", "WrapColAutoCountEnabled"},
    {"LegendWrapColAutoCountMaxEdit", "WrapColAutoCountMax"},
    {"LegendWrapColSpacingMinEdit", "WrapColSpacingMin"},
    {"LegendWrapColSpacingAutoCheckBox", "WrapColSpacingAuto"},
    {"LegendWrapRowDesiredCountEdit", "WrapRowDesiredCount"},
    {"LegendWrapRowAutoCountEnabledCheckBox", "WrapRowAutoCountEnabled"},
    {"LegendWrapRowAutoCountMaxEdit", "WrapRowAutoCountMax"},
    {"LegendWrapRowSpacingMinEdit", "WrapRowSpacingMin"},
    {"LegendWrapRowSpacingAutoCheckBox", "WrapRowSpacingAuto"},
    {"LegendColumnTitlesVisibleCheckbox", "ColumnTitlesVisible"},
    {"LegendFontPicker", "Font"},
    {"LegendSelectedItemFontPicker", "SelectedItemFont"},
    {"LegendColumnTitlesFontPicker", "ColumnTitlesFont"},
};

constexpr TiEditorBinding kTableBindings[] = {
    {"TableNameEdit", "Name"},
    {"TableVisibleCheckbox", "Visible"},
    {"TableEnabledCheckbox", "Enabled"},
    {"TablePopupEnabledCheckbox", "PopupEnabled"},
    {"TableTopMarginEdit", "MarginTop"},
    {"TableLeftMarginEdit", "MarginLeft"},
    {"TableRightMarginEdit", "MarginRight"},
    {"TableBottomMarginEdit", "MarginBottom"},
    {"TableColumnSpacingEdit", "ColumnSpacing"},
    {"TableRowSpacingEdit", "RowSpacing"},
    {"TableRowsMaxEdit", "RowsMax"},
    {"TableColumnTitlesVisibleCheckBox", "ColumnTitlesVisible"},
    {"TableGridLinesShowCheckBox", "GridLinesShow"},
    {"TableGridLinesColorPicker", "GridLinesColor"},
    {"TableStartPercentEdit", "StartPercent"},
    {"TableStopPercentEdit", "StopPercent"},
    {"TableGridBackGroundTransparentCheckBox", "GridBackGroundTransparent"},
    {"TableGridBackgroundColorPicker", "GridBackGroundColor"},
    {"TableDataFontPicker", "DataFont"},
    {"TableColumnTitlesFontPicker", "ColumnTitlesFont"},
};

}  // namespace

std::span<const TiEditorBinding> LegendBindings() { return kLegendBindings; }

std::span<const TiEditorBinding> TableBindings() { return kTableBindings; }

void TiPlotEditorForm::WireLegendTablePages()
{
    WireBoundControls(*this, LegendBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::LegendChange));
    WireBoundControls(*this, TableBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::TableChange));
}

void TiPlotEditorForm::LegendChange(TObject*)
{
    if (WritePage(TiPlotObjectKind::Legend))
        UpdateAll();
}

void TiPlotEditorForm::TableChange(TObject*) { WritePage(TiPlotObjectKind::Table); }
