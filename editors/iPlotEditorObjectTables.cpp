// The plot editor's pages of the toolbars, legends, tables, axes, data views, data cursors,
// limits and labels, as tables: every control under its name, with its captions and items.

#include "editors/iPlotEditor_p.h"

#include <string>

namespace {

using Items = std::vector<std::string>;

const Items kFormatStyles = {"Value", "Exponent", "Prefix", "Date/Time", "Price 32nds", "Thousands"};
const Items kPrecisionStyles = {"Significant Digits", "Fixed Decimal Points"};
const Items kDateTimeFormats = {"hh:nn:ss",
                                "hh:nn:ss.zzz",
                                "m/d hh:nn:ss",
                                "d mmm h:nn:ss am/pm",
                                "m/d/yy h:nn:ss am/pm",
                                "m/d/yyyy h:nn:ss am/pm"};
const Items kGridLineStyles = {"Solid", "Dash", "Dot"};

// ---------------------------------------------------------------------------------------------
// "Cursors", "Limits", "Labels"

std::vector<TiEditorControl> DataCursorPage()
{
    return Join({
        EditorObjectPage("DataCursorTabSheet", "Cursors", "DataCursorListBox", "iDataCursorAddButton",
                         "DataCursorRemoveButton", "DataCursorPageControl"),
        EditorSheets("DataCursorPageControl", {{"DataCursorGeneralTabSheet", "General"},
                                               {"DataCursorChannelTabSheet", "Channel"},
                                               {"DataCursorHintTabSheet", "Hint"}}),
        Within("DataCursorGeneralTabSheet",
               {
                   Edit("DataCursorNameEdit", "Name", At(0, 0, 2)),
                   CheckBox("DataCursorPopupEnabledCheckBox", "Popup Enabled", At(0, 1)),
                   CheckBox("DataCursorSnapToDataPointCheckBox", "Snap To Point", At(1, 1)),
                   ComboBox("DataCursorStyleComboBox", "Style", At(0, 2, 2),
                            {"Value XY", "Value X", "Value Y", "Delta X", "Delta Y", "Inverse Delta X"})
                       .WithWidth(115),
                   ColorPicker("DataCursorColorPicker", "Color", At(0, 3)),
                   CheckBox("DataCursorUseChannelColorCheckBox", "Use Channel Color", At(1, 3, 2)),
                   Edit("DataCursorPointer1PositionEdit", "Pointer 1", At(0, 4)),
                   Edit("DataCursorPointer2PositionEdit", "Pointer 2", At(1, 4)),
                   Edit("DataCursorPointerPenWidthEdit", "Pen Width", At(0, 5)).WithUpDown(1, 50),
                   FontPicker("DataCursorFontPicker", "Font", At(1, 5)).WithWidth(75),
               }),
        Within("DataCursorChannelTabSheet",
               {
                   ComboBox("DataCursorChannelNameComboBox", "Channel", At(0, 0, 2), {}),
                   CheckBox("DataCursorChannelAllowAllCheckBox", "Allow All", At(0, 1)),
                   CheckBox("DataCursorChannelShowAllInLegendCheckBox", "Show All In Legend", At(0, 2, 2)),
               }),
        Within(
            "DataCursorHintTabSheet",
            {
                Edit("DataCursorHintPositionEdit", "Position", At(0, 0)),
                CheckBox("DataCursorHintShowCheckBox", "Show Hint", At(0, 1)),
                CheckBox("DataCursorHintHideOnReleaseCheckBox", "Hide On Release", At(0, 2)),
                RadioGroup("DataCursorOrientationSideRadioGroup", "Side", At(1, 0, 1, 3), {"Bottom-Right", "Top-Left"}),
            }),
    });
}

std::vector<TiEditorControl> LimitPage()
{
    return Join({
        EditorObjectPage("LimitTabSheet", "Limits", "LimitListBox", "iLimitAddButton", "LimitRemoveButton",
                         "LimitPageControl"),
        EditorSheets("LimitPageControl", {{"LimitGeneralTabSheet", "General"}}),
        Within(
            "LimitGeneralTabSheet",
            {
                Edit("LimitNameEdit", "Name", At(0, 0, 2)),
                CheckBox("LimitVisibleCheckBox", "Visible", At(2, 0)),
                CheckBox("LimitUserCanMoveCheckBox", "User Can Move", At(0, 1)),
                CheckBox("LimitPopUpEnabledCheckBox", "Popup Enabled", At(1, 1)),
                CheckBox("LimitClipToAxesCheckBox", "Clip To Axes", At(2, 1)),
                Edit("LimitLayerEdit", "Layer", At(0, 2)),
                ColorPicker("LimitColorPicker", "Color", At(1, 2)),
                Edit("LimitLineWidthEdit", "Line Width", At(2, 2)),
                ComboBox("LimitStyleComboBox", "Style", At(0, 3, 2),
                         {"Line X", "Line Y", "Band X", "Band Y", "Poly Band X", "Poly Band Y"})
                    .WithWidth(100),
                ComboBox("LimitXAxisNameComboBox", "X-Axis", At(2, 3), {}).WithCaptionWidth(45),
                Edit("LimitLine1PositionEdit", "Line 1", At(0, 4)),
                Edit("LimitLine2PositionEdit", "Line 2", At(1, 4)),
                ComboBox("LimitYAxisNameComboBox", "Y-Axis", At(2, 4), {}).WithCaptionWidth(45),
                ComboBox("LimitFillStyleCombobox", "Fill Style", At(0, 5, 2), kBrushStyleItems).WithWidth(100),
                ComboBox("LimitLineStyleComboBox", "Line Style", At(0, 6, 2), kAnnotationPenStyleItems).WithWidth(105),
            }),
    });
}

std::vector<TiEditorControl> LabelPage()
{
    return Join({
        EditorObjectPage("LabelsTabSheet", "Labels", "LabelListBox", "iLabelAddButton", "LabelRemoveButton",
                         "LabelPageControl"),
        EditorSheets("LabelPageControl", {{"LabelGeneralTabSheet", "General"}}),
        Within("LabelGeneralTabSheet",
               {
                   Edit("LabelNameEdit", "Name", At(0, 0, 2)),
                   CheckBox("LabelVisibleCheckBox", "Visible", At(2, 0)),
                   // A one-line edit despite its name: a caption is one line of text.
                   Edit("LabelCaptionMemo", "Caption", At(0, 1, 3)),
                   Edit("LabelMarginLeftEdit", "Left Margin", At(0, 2)).WithCaptionWidth(84),
                   Edit("LabelMarginTopEdit", "Top Margin", At(1, 2)).WithCaptionWidth(92),
                   Edit("LabelMarginRightEdit", "Right Margin", At(0, 3)).WithCaptionWidth(84),
                   Edit("LabelMarginBottomEdit", "Bottom Margin", At(1, 3)).WithCaptionWidth(92),
                   ComboBox("LabelAlignmentComboBox", "Alignment", At(0, 4, 2), {"Center", "Left", "Right"})
                       .WithCaptionWidth(84)
                       .WithWidth(90),
                   Edit("LabelImageListIndexEdit", "Image List", At(0, 5)).WithCaptionWidth(84).WithUpDown(-1, 2),
                   Edit("LabelImageIndexEdit", "Image", At(1, 5)).WithCaptionWidth(84).WithUpDown(-1, 255),
                   FontPicker("LabelFontPicker", "Font", At(0, 6)).WithWidth(75),
               }),
    });
}

// ---------------------------------------------------------------------------------------------
// "X-Axes" and "Y-Axes": one table, by the letter of the kind

// The label formats of one of the "Labels" inner pages: "" for "(Default)", "Cursor", "Legend".
std::vector<TiEditorControl> AxisLabelFormats(const std::string& prefix, const std::string& part)
{
    const std::string p = prefix + part;
    const std::string label = part.empty() ? prefix + "Label" : p;
    std::vector<TiEditorControl> rows;
    if (part.empty()) {
        rows = {
            CheckBox(prefix + "LabelVisibleCheckBox", "Visible", At(0, 0)),
            Edit(prefix + "LabelMarginEdit", "Margin", At(1, 0)).WithCaptionWidth(50),
            FontPicker(prefix + "LabelsFontPicker", "Font", At(2, 0)).WithWidth(75),
            ComboBox(prefix + "LabelRotationComboBox", "Rotation", At(2, 1), {"0", "90", "180", "270"})
                .WithCaptionWidth(50),
        };
    } else {
        rows = {
            CheckBox(p + "UseDefaultFormatCheckBox", "Use Default", At(0, 0)),
            Button(p + "CopyDefaultButton", "Copy Default", At(1, 0)).WithWidth(90),
        };
    }
    const std::string dateTime = part.empty() ? prefix + "DateTimeFormatComboBox" : p + "DateTimeFormatComboBox";
    const int precisionMax = part == "Cursor" ? 20 : 1000;
    for (TiEditorControl& row : std::vector<TiEditorControl>{
             ComboBox(label + "FormatStyleComboBox", "Format", At(0, 1, 2), kFormatStyles).WithWidth(110),
             TextComboBox(dateTime, "Date/Time", At(0, 2, 2), kDateTimeFormats),
             ComboBox(label + "PrecisionStyleComboBox", "Precision", At(0, 3, 2), kPrecisionStyles).WithWidth(150),
             Edit(label + "PrecisionEdit", "Digits", At(2, 3)).WithCaptionWidth(50).WithUpDown(0, precisionMax),
             Edit(label + "MinLengthEdit", "Min Length", At(0, 4)),
             CheckBox(label + "MinLengthAutoAdjustCheckBox", "Auto Adjust", At(1, 4)),
         })
        rows.push_back(std::move(row));
    return rows;
}

std::vector<TiEditorControl> AxisPage(const std::string& letter)
{
    const std::string p = letter + "Axis";
    return Join({
        EditorObjectPage(letter + "AxesTabSheet", letter + "-Axes", p + "ListBox", letter + "AxesAddButton",
                         p + "RemoveButton", p + "PageControl"),
        EditorSheets(p + "PageControl", {{p + "GeneralTabSheet", "General"},
                                         {p + "TitleTabSheet", "Title"},
                                         {p + "LabelsTabSheet", "Labels"},
                                         {p + "TrackingTabSheet", "Tracking"},
                                         {p + "CursorTabSheet", "Cursor"},
                                         {p + "ScrollTabSheet", "Scroll"},
                                         {p + "ScaleTabSheet", "Scale"},
                                         {p + "CartesianTabSheet", "Cartesian"}}),
        Within(p + "GeneralTabSheet",
               {
                   Edit(p + "NameEdit", "Name", At(0, 0, 2)),
                   CheckBox(p + "VisibleCheckBox", "Visible", At(2, 0)),
                   CheckBox(p + "EnabledCheckBox", "Enabled", At(0, 1)),
                   CheckBox(p + "PopupEnabledCheckBox", "Popup Enabled", At(1, 1)),
                   CheckBox(p + "GridLinesVisibleCheckBox", "Grid Lines", At(2, 1)),
                   Edit(p + "LayerEdit", "Layer", At(0, 2)).WithCaptionWidth(50),
                   Edit(p + "StartPercentEdit", "Start %", At(1, 2)).WithCaptionWidth(50),
                   Edit(p + "StopPercentEdit", "Stop %", At(2, 2)).WithCaptionWidth(50),
                   Edit(p + "MinEdit", "Min", At(0, 3)).WithCaptionWidth(50).WithConverter(),
                   Edit(p + "SpanEdit", "Span", At(1, 3)).WithCaptionWidth(50).WithConverter(),
                   CheckBox(p + "ReverseScaleCheckBox", "Reverse Scale", At(2, 3)),
                   Edit(p + "DesiredStartEdit", "Desired Start", At(0, 4, 2))
                       .WithCaptionWidth(110)
                       .WithWidth(100)
                       .WithConverter(),
                   Edit(p + "DesiredIncrementEdit", "Desired Increment", At(0, 5, 2))
                       .WithCaptionWidth(110)
                       .WithWidth(100)
                       .WithConverter(),
                   CheckBox(p + "RestoreValuesOnResumeCheckBox", "Restore On Resume", At(0, 6)),
                   CheckBox(p + "MasterUIInputCheckBox", "Master UI Input", At(1, 6)),
                   Edit(p + "InnerMarginEdit", "Inner Margin", At(0, 7)).WithUpDown(-1000, 1000),
                   Edit(p + "OuterMarginEdit", "Outer Margin", At(1, 7)).WithUpDown(-1000, 1000),
               }),
        Within(p + "TitleTabSheet",
               {
                   Edit(p + "TitleTextEdit", "Title", At(0, 0, 2)),
                   Edit(p + "TitleMarginEdit", "Margin", At(0, 1)),
                   CheckBox(p + "TitleShowCheckBox", "Show Title", At(1, 1)),
                   CheckBox(p + "TitleRotatedCheckBox", "Rotated", At(2, 1)),
                   FontPicker(p + "TitleFontPicker", "Font", At(0, 2)).WithWidth(75),
               }),
        Within(p + "LabelsTabSheet", {PageControl(p + "LabelsPageControl").WithBounds(2, 2, -2, -2)}),
        EditorSheets(p + "LabelsPageControl", {{p + "LabelsDefaultTabSheet", "(Default)"},
                                               {p + "LabelsCursorTabSheet", "Cursor"},
                                               {p + "LabelsLegendTabSheet", "Legend"}}),
        Within(p + "LabelsDefaultTabSheet", AxisLabelFormats(p, "")),
        Within(p + "LabelsCursorTabSheet", AxisLabelFormats(p, "Cursor")),
        Within(p + "LabelsLegendTabSheet", AxisLabelFormats(p, "Legend")),
        Within(
            p + "TrackingTabSheet",
            {
                CheckBox(p + "TrackingEnabledCheckBox", "Enabled", At(0, 0)),
                ComboBox(p + "TrackingStyleComboBox", "Style", At(0, 1, 2),
                         {"Scale Min & Max", "Scale Max", "Scale Min", "Scroll Smooth", "Scroll Page",
                          "Expand Collapse", "Expand Collapse Fast", "Expand Min & Max"})
                    .WithWidth(155),
                ComboBox(p + "TrackingIncrementStyleComboBox", "Increment", At(0, 2, 2), {"Minimum", "Major", "Minor"})
                    .WithWidth(100),
                ComboBox(p + "TrackingAlignFirstStyleComboBox", "Align First", At(0, 3, 2),
                         {"Min", "Max", "Auto", "None"})
                    .WithWidth(100),
                Edit(p + "TrackingScrollCompressMaxEdit", "Compress Max", At(0, 4)).WithCaptionWidth(96),
                Edit(p + "TrackingSpanMinimumEdit", "Span Minimum", At(1, 4)).WithCaptionWidth(96),
                Edit(p + "TrackingMaxMarginEdit", "Max Margin", At(0, 5)).WithCaptionWidth(96),
                Edit(p + "TrackingMinMarginEdit", "Min Margin", At(1, 5)).WithCaptionWidth(96),
            }),
        Within(p + "CursorTabSheet", {Edit(p + "CursorScalerEdit", "Scaler", At(0, 0))}),
        Within(p + "ScrollTabSheet",
               {
                   CheckBox(p + "ScrollMinMaxEnabledCheckBox", "Enabled", At(0, 0)),
                   Edit(p + "ScrollMinEdit", "Min", At(0, 1)),
                   Edit(p + "ScrollMaxEdit", "Max", At(0, 2)),
               }),
        Within(p + "ScaleTabSheet",
               {
                   CheckBox(p + "ScaleLinesShowCheckBox", "Show Lines", At(0, 0)),
                   ColorPicker(p + "ScaleLinesColorPicker", "Line Color", At(1, 0)),
                   Edit(p + "MajorLengthEdit", "Major Length", At(0, 1)).WithCaptionWidth(84).WithUpDown(0, 1000),
                   Edit(p + "MinorLengthEdit", "Minor Length", At(1, 1)).WithCaptionWidth(84).WithUpDown(0, 1000),
                   Edit(p + "MinorCountEdit", "Minor Count", At(2, 1)).WithCaptionWidth(84),
                   Edit(p + "StackingEndsMarginEdit", "Ends Margin", At(0, 2)).WithCaptionWidth(84),
                   CheckBox(p + "ForceStackingCheckBox", "Force Stacking", At(1, 2)),
                   Edit(p + "LabelSeparationEdit", "Separation", At(2, 2)).WithCaptionWidth(84),
                   RadioGroup(p + "ScaleTypeRadioGroup", "Scale Type", At(0, 3, 1, 3), {"Linear", "Log10"}),
               }),
        Within(p + "CartesianTabSheet",
               {
                   ComboBox(p + "CartesianStyleComboBox", "Style", At(0, 0, 2), {"None", "Master", "Child"})
                       .WithCaptionWidth(96)
                       .WithWidth(90),
                   ComboBox(p + "CartesianChildRefAxisNameComboBox", "Child Ref Axis", At(0, 1, 2), {})
                       .WithCaptionWidth(96),
                   Edit(p + "CartesianChildRefValueEdit", "Child Ref Value", At(0, 2, 2))
                       .WithCaptionWidth(96)
                       .WithWidth(100)
                       .WithConverter(),
                   ComboBox(p + "AlignRefAxisNameComboBox", "Align Ref Axis", At(0, 3, 2), {}).WithCaptionWidth(96),
               }),
    });
}

// ---------------------------------------------------------------------------------------------
// "Legend", "Tables", "ToolBar", "Data View"

std::vector<TiEditorControl> LegendWrap(const std::string& part, const std::string& caption, int col)
{
    const std::string p = "LegendWrap" + part;
    const std::string group = p + "GroupBox";
    return Join({
        Within("LegendWrapTabSheet", {Group(group, caption, At(col, 0, 1, 6))}),
        Within(group,
               {
                   Edit(p + "DesiredCountEdit", "Desired Count", At(0, 0)).WithCaptionWidth(96).WithUpDown(1, 1000),
                   CheckBox(p + "AutoCountEnabledCheckBox", "Auto Count", At(0, 1)),
                   Edit(p + "AutoCountMaxEdit", "Auto Count Max", At(0, 2)).WithCaptionWidth(96).WithUpDown(1, 1000),
                   Edit(p + "SpacingMinEdit", "Spacing Min", At(0, 3)).WithCaptionWidth(96),
                   CheckBox(p + "SpacingAutoCheckBox", "Auto Spacing", At(0, 4)),
               }),
    });
}

std::vector<TiEditorControl> LegendPage()
{
    return Join({
        EditorSingleObjectPage("LegendTabSheet", "Legend", "LegendPageControl",
                               {Sheet("LegendGeneralTabSheet", "General"), Sheet("LegendColumnsTabSheet", "Columns"),
                                Sheet("LegendWrapTabSheet", "Wrap")},
                               "LegendListTabSheet", "LegendListBox", "LegendNameEdit"),
        Within("LegendGeneralTabSheet",
               {
                   CheckBox("LegendVisibleCheckbox", "Visible", At(0, 0)),
                   CheckBox("LegendEnabledCheckbox", "Enabled", At(1, 0)),
                   CheckBox("LegendPopupEnabledCheckbox", "Popup Enabled", At(2, 0)),
                   Group("LegendMarginGroupBox", "Margins", At(0, 1, 1, 5)),
                   Edit("LegendChannelNameMaxWidthEdit", "Name Max Width", At(1, 1)).WithCaptionWidth(100),
                   ComboBox("LegendChannelNameColorStyleComboBox", "Name Color", At(1, 2, 2),
                            {"Font", "ChannelColor", "XAxisFontColor ", "YAxisFontColor"})
                       .WithWidth(120),
                   Edit("LegendLineColumnWidthEdit", "Line Width", At(1, 3)),
                   Edit("LegendLineColumnHeightEdit", "Line Height", At(2, 3)),
                   Edit("LegendColumnSpacingEdit", "Column Spacing", At(1, 4)).WithCaptionWidth(100),
                   CheckBox("LegendColumnTitlesVisibleCheckbox", "Column Titles", At(2, 4)),
                   CheckBox("LegendBackGroundTransparentCheckBox", "Transparent", At(1, 5)),
                   ColorPicker("LegendBackgroundColorPicker", "Background", At(2, 5)),
                   ColorPicker("LegendSelectedItemColorPicker", "Selected Item", At(1, 6)).WithCaptionWidth(100),
                   FontPicker("LegendFontPicker", "Font", At(0, 7)).WithWidth(100),
                   FontPicker("LegendSelectedItemFontPicker", "Selected Font", At(1, 7)).WithWidth(100),
                   FontPicker("LegendColumnTitlesFontPicker", "Titles Font", At(2, 7)).WithWidth(100),
               }),
        Within("LegendMarginGroupBox",
               {
                   Edit("LegendTopMarginEdit", "Top", At(0, 0)).WithWidth(60),
                   Edit("LegendBottomMarginEdit", "Bottom", At(0, 1)).WithWidth(60),
                   Edit("LegendLeftMarginEdit", "Left", At(0, 2)).WithWidth(60),
                   Edit("LegendRightMarginEdit", "Right", At(0, 3)).WithWidth(60),
               }),
        Within("LegendColumnsTabSheet",
               {
                   CheckBox("LegendShowLineCheckbox", "Line", At(0, 0)),
                   CheckBox("LegendShowMarkerCheckbox", "Marker", At(1, 0)),
                   CheckBox("LegendShowXAxisTitleCheckbox", "X-Axis Title", At(0, 1)),
                   CheckBox("LegendShowYAxisTitleCheckbox", "Y-Axis Title", At(1, 1)),
                   CheckBox("LegendShowXValueCheckbox", "X Value", At(0, 2)),
                   CheckBox("LegendShowYValueCheckbox", "Y Value", At(1, 2)),
                   CheckBox("LegendShowYMaxCheckbox", "Y Max", At(0, 3)),
                   CheckBox("LegendShowYMinCheckbox", "Y Min", At(1, 3)),
                   CheckBox("LegendShowYMeanCheckbox", "Y Mean", At(2, 3)),
               }),
        LegendWrap("Col", "Columns", 0),
        LegendWrap("Row", "Rows", 1),
    });
}

std::vector<TiEditorControl> TablePage()
{
    return Join({
        EditorObjectPage("TablesTabSheet", "Tables", "TableListBox", "iTableAddButton", "TableRemoveButton",
                         "TablePageControl"),
        EditorSheets(
            "TablePageControl",
            {{"TableGeneralTabSheet", "General"}, {"TableGridTabSheet", "Grid"}, {"TableLayoutTabSheet", "Layout"}}),
        Within("TableGeneralTabSheet",
               {
                   Edit("TableNameEdit", "Name", At(0, 0, 2)),
                   CheckBox("TableVisibleCheckbox", "Visible", At(2, 0)),
                   CheckBox("TableEnabledCheckbox", "Enabled", At(0, 1)),
                   CheckBox("TablePopupEnabledCheckbox", "Popup Enabled", At(1, 1)),
                   CheckBox("TableColumnTitlesVisibleCheckBox", "Column Titles", At(2, 1)),
                   Edit("TableTopMarginEdit", "Top Margin", At(0, 2)),
                   Edit("TableBottomMarginEdit", "Bottom Margin", At(1, 2)).WithCaptionWidth(92),
                   Edit("TableLeftMarginEdit", "Left Margin", At(0, 3)),
                   Edit("TableRightMarginEdit", "Right Margin", At(1, 3)).WithCaptionWidth(92),
                   Edit("TableColumnSpacingEdit", "Col Spacing", At(0, 4)),
                   Edit("TableRowSpacingEdit", "Row Spacing", At(1, 4)).WithCaptionWidth(92),
                   Edit("TableRowsMaxEdit", "Rows Max", At(2, 4)).WithCaptionWidth(60),
                   FontPicker("TableDataFontPicker", "Data Font", At(0, 5)).WithWidth(90),
                   FontPicker("TableColumnTitlesFontPicker", "Titles Font", At(1, 5)).WithWidth(90),
               }),
        Within("TableGridTabSheet",
               {
                   CheckBox("TableGridLinesShowCheckBox", "Show Lines", At(0, 0)),
                   ColorPicker("TableGridLinesColorPicker", "Line Color", At(1, 0)),
                   CheckBox("TableGridBackGroundTransparentCheckBox", "Transparent", At(0, 1)),
                   ColorPicker("TableGridBackgroundColorPicker", "Background", At(1, 1)),
               }),
        Within("TableLayoutTabSheet",
               {
                   Edit("TableStartPercentEdit", "Start %", At(0, 0)),
                   Edit("TableStopPercentEdit", "Stop %", At(0, 1)),
               }),
    });
}

std::vector<TiEditorControl> ToolBarPage()
{
    struct Show {
        const char* Property;
        const char* Caption;
    };
    static const Show kShow[] = {
        {"ShowResumeButton", "Resume"},       {"ShowPauseButton", "Pause"},
        {"ShowAxesModeButtons", "Axes Mode"}, {"ShowZoomInOutButtons", "Zoom In/Out"},
        {"ShowSelectButton", "Select"},       {"ShowZoomBoxButton", "Zoom Box"},
        {"ShowCursorButton", "Cursor"},       {"ShowEditButton", "Edit"},
        {"ShowCopyButton", "Copy"},           {"ShowSaveButton", "Save"},
        {"ShowPrintButton", "Print"},         {"ShowPreviewButton", "Preview"},
    };
    std::vector<TiEditorControl> buttons;
    for (int i = 0; i < int(std::size(kShow)); ++i)
        buttons.push_back(
            CheckBox(std::string("ToolBar") + kShow[i].Property + "CheckBox", kShow[i].Caption, At(i % 4, i / 4)));
    return Join({
        EditorSingleObjectPage("ToolBarTabSheet", "ToolBar", "ToolBarPageControl",
                               {Sheet("ToolBarGeneralTabSheet", "General")}, "ToolBarListTabSheet", "ToolBarListBox",
                               "ToolBarNameEdit"),
        Within("ToolBarGeneralTabSheet",
               {
                   CheckBox("ToolBarVisibleCheckBox", "Visible", At(0, 0)),
                   CheckBox("ToolBarEnabledCheckBox", "Enabled", At(1, 0)),
                   CheckBox("ToolBarPopupEnabledCheckBox", "Popup Enabled", At(2, 0)),
                   CheckBox("ToolBarFlatBorderCheckBox", "Flat Border", At(0, 1)),
                   CheckBox("ToolBarFlatButtonsCheckBox", "Flat Buttons", At(1, 1)),
                   CheckBox("ToolBarSmallButtonsCheckBox", "Small Buttons", At(2, 1)),
                   Edit("ToolBarZoomInOutFactorEdit", "Zoom Factor", At(0, 2)).WithWidth(60),
                   Group("ToolBarShowButtonGroupBox", "Show Button", At(0, 3, 3, 4)).WithColumns(4),
               }),
        Within("ToolBarShowButtonGroupBox", std::move(buttons)),
    });
}

// The custom look of one kind of grid line ("XMajor" ...) on its inner page.
std::vector<TiEditorControl> DataViewGridLineCustom(const std::string& kind, const std::string& sheet)
{
    const std::string p = "DataViewGridLine" + kind;
    return Within(sheet, {
                             CheckBox(p + "CustomCheckBox", "Custom", At(0, 0)),
                             ColorPicker(p + "ColorColorPicker", "Color", At(1, 0)).WithCaptionWidth(50),
                             Edit(p + "WidthEdit", "Width", At(2, 0)).WithCaptionWidth(50),
                             ComboBox(p + "StyleComboBox", "Style", At(3, 0), kGridLineStyles).WithCaptionWidth(50),
                         });
}

std::vector<TiEditorControl> DataViewPage()
{
    const Items axesControlStyles = {"X-Axis", "Y-Axis", "Both", "None"};
    return Join({
        EditorSingleObjectPage("DataViewTabSheet", "Data View", "DataViewPageControl",
                               {Sheet("DataViewGeneralTabSheet", "General"),
                                Sheet("DataViewGridLinesTabSheet", "Grid Lines").WithColumns(4)},
                               "DataViewListTabSheet", "DataViewListBox", "DataViewNameEdit"),
        Within(
            "DataViewGeneralTabSheet",
            {
                CheckBox("DataViewEnabledCheckBox", "Enabled", At(0, 0)),
                CheckBox("DataViewPopupEnabledCheckBox", "Popup Enabled", At(1, 0)),
                Edit("DataViewLayerEdit", "Layer", At(2, 0)).WithWidth(60),
                CheckBox("DataViewBackGroundTransparentCheckBox", "Transparent", At(0, 1)),
                ColorPicker("DataViewBackgroundColorPicker", "Background", At(1, 1)).WithWidth(60),
                CheckBox("DataViewGridShow", "Show Grid", At(0, 2)),
                ComboBox("DataViewGridXAxisNameComboBox", "Grid X-Axis", At(0, 3, 2), {}).WithWidth(150),
                ComboBox("DataViewGridYAxisNameComboBox", "Grid Y-Axis", At(0, 4, 2), {}).WithWidth(150),
                CheckBox("DataViewAxesControlEnabledCheckBox", "Axes Control", At(0, 5)),
                CheckBox("DataViewAxesControlAllowInSelectModeCheckBox", "In Select Mode", At(1, 5)),
                ComboBox("DataViewAxesControlMouseStyleComboBox", "Mouse", At(0, 6), axesControlStyles).WithWidth(80),
                ComboBox("DataViewAxesControlWheelStyleComboBox", "Wheel", At(1, 6), axesControlStyles).WithWidth(80),
            }),
        Within("DataViewGridLinesTabSheet",
               {
                   ColorPicker("DataViewGridLineColorPicker", "Color", At(0, 0)).WithCaptionWidth(50),
                   ComboBox("DataViewGridLineMajorStyleComboBox", "Majors", At(1, 0), kGridLineStyles)
                       .WithCaptionWidth(50),
                   ComboBox("DataViewGridLineMinorStyleComboBox", "Minors", At(2, 0), kGridLineStyles)
                       .WithCaptionWidth(50),
                   CheckBox("DataViewGridLineShowLeft", "Left", At(0, 1)),
                   CheckBox("DataViewGridLineShowRight", "Right", At(1, 1)),
                   CheckBox("DataViewGridLineShowTop", "Top", At(2, 1)),
                   CheckBox("DataViewGridLineShowBottom", "Bottom", At(3, 1)),
                   CheckBox("DataViewGridLineShowXMajorsCheckBox", "X Majors", At(0, 2)),
                   CheckBox("DataViewGridLineShowXMinorsCheckBox", "X Minors", At(1, 2)),
                   CheckBox("DataViewGridLineShowYMajorsCheckBox", "Y Majors", At(2, 2)),
                   CheckBox("DataViewGridLineShowYMinorsCheckBox", "Y Minors", At(3, 2)),
                   PageControl("DataViewGridLinesCustomPageControl")
                       .WithBounds(kEditorMargin, kEditorMargin + 3 * kEditorRowHeight, -kEditorMargin, -4),
               }),
        Within("DataViewGridLinesCustomPageControl",
               {Sheet("DataViewGridLinesXMajorsTabSheet", "X-Majors").WithColumns(4),
                Sheet("DataViewGridLinesXMinorsTabSheet", "X-Minors").WithColumns(4),
                Sheet("DataViewGridLinesYMajorsTabSheet", "Y-Majors").WithColumns(4),
                Sheet("DataViewGridLinesYMinorsTabSheet", "Y-Minors").WithColumns(4)}),
        DataViewGridLineCustom("XMajor", "DataViewGridLinesXMajorsTabSheet"),
        DataViewGridLineCustom("XMinor", "DataViewGridLinesXMinorsTabSheet"),
        DataViewGridLineCustom("YMajor", "DataViewGridLinesYMajorsTabSheet"),
        DataViewGridLineCustom("YMinor", "DataViewGridLinesYMinorsTabSheet"),
    });
}

}  // namespace

// In the order of the form's pages.
std::vector<TiEditorControl> PlotEditorObjectPages()
{
    return Join({
        DataCursorPage(),
        LimitPage(),
        LabelPage(),
        AxisPage("X"),
        AxisPage("Y"),
        LegendPage(),
        TablePage(),
        ToolBarPage(),
        DataViewPage(),
    });
}
