// The plot editor's form and bindings as tables. The form is 576 x 272 pixels of client area:
// one page control with a page per object kind; an object page shows its list, Add and Remove
// at the left and its sub-pages at the right. Sub-pages lay their controls out on a grid of
// three columns and rows of kEditorRowHeight pixels (iEditorPageTable.h).

#include "editors/iPlotEditor_p.h"

#include <string>
#include <utility>

const std::vector<std::string> kBrushStyleItems = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                                   "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
const std::vector<std::string> kPenStyleItems = {"Solid",      "Dash",  "Dot",        "DashDot",
                                                 "DashDotDot", "Clear", "InsideFrame"};
const std::vector<std::string> kAnnotationPenStyleItems = {"Solid",      "Dash",  "Dot",         "DashDot",
                                                           "DashDotDot", "Clear", "Inside Frame"};

std::vector<TiEditorControl> EditorObjectPage(const std::string& sheet, const std::string& caption,
                                              const std::string& list, const std::string& add,
                                              const std::string& remove, const std::string& pageControl)
{
    return Join({
        Within("PageControl", {Sheet(sheet, caption)}),
        Within(sheet,
               {
                   ListBox(list).WithBounds(4, 4, 110, -33),
                   Button(add, "Add", {}).WithBounds(4, -29, 53, 25),
                   Button(remove, "Remove", {}).WithBounds(61, -29, 53, 25),
                   PageControl(pageControl).WithBounds(118, 2, -2, -2),
               }),
    });
}

std::vector<TiEditorControl> EditorSingleObjectPage(const std::string& sheet, const std::string& caption,
                                                    const std::string& pageControl, std::vector<TiEditorControl> sheets,
                                                    const std::string& listSheet, const std::string& list,
                                                    const std::string& nameEdit)
{
    return Join({
        Within("PageControl", {Sheet(sheet, caption)}),
        Within(sheet, {PageControl(pageControl).WithBounds(2, 2, -2, -2)}),
        Within(pageControl, std::move(sheets)),
        Within(pageControl, {Sheet(listSheet, "List").AsHidden()}),
        Within(listSheet,
               {
                   ListBox(list).WithBounds(4, 4, 110, -8),
                   Edit(nameEdit, "Name", At(1, 0, 2)),
               }),
    });
}

std::vector<TiEditorControl> EditorSheets(const std::string& pageControl,
                                          std::initializer_list<std::pair<std::string, std::string>> sheets)
{
    std::vector<TiEditorControl> rows;
    for (const auto& [name, caption] : sheets)
        rows.push_back(Sheet(name, caption));
    return Within(pageControl, std::move(rows));
}

namespace {

// ---------------------------------------------------------------------------------------------
// "Control"

std::vector<TiEditorControl> ControlPage()
{
    return Join({
        Within("PageControl", {Sheet("ControlTabSheet", "Control")}),
        Within("ControlTabSheet", {PageControl("ControlPageControl").WithBounds(2, 2, -2, -2)}),
        EditorSheets("ControlPageControl", {{"ControlGeneralTabSheet", "General"},
                                            {"ControlTitleTabSheet", "Title"},
                                            {"ControlBackgroundTabSheet", "Background"},
                                            {"ControlPrintTabSheet", "Print"},
                                            {"ControlHintsTabSheet", "Hints"},
                                            {"ControlFileTabSheet", "File I/O"},
                                            {"ControlAnnotationTabSheet", "Annotation Defaults"}}),
        Within("ControlGeneralTabSheet",
               {
                   CheckBox("AutoFrameRateCheckBox", "Auto Frame Rate", At(0, 0)),
                   Edit("UpdateFrameRateEdit", "Frame Rate", At(0, 1)).WithWidth(60),
                   CheckBox("ClipAnnotationsToAxesCheckBox", "Clip Annotations To Axes", At(0, 2)),
                   ComboBox("CopyToClipBoardFormatComboBox", "Clipboard", At(0, 3), {"Meta File", "Bitmap", "JPEG"}),
                   ComboBox("FileColumnSeparatorComboBox", "Separator", At(0, 4), {"Tab", "Comma"}),
                   RadioGroup("BorderStyleRadioGroup", "Border Style", At(1, 0, 1, 3), {"None", "Raised", "Lowered"}),
                   Group("OuterMarginGroupBox", "Outer Margin", At(2, 0, 1, 5)),
               }),
        Within("OuterMarginGroupBox",
               {
                   Edit("OuterMarginLeftEdit", "Left", At(0, 0)).WithWidth(60),
                   Edit("OuterMarginTopEdit", "Top", At(0, 1)).WithWidth(60),
                   Edit("OuterMarginRightEdit", "Right", At(0, 2)).WithWidth(60),
                   Edit("OuterMarginBottomEdit", "Bottom", At(0, 3)).WithWidth(60),
               }),
        Within("ControlTitleTabSheet",
               {
                   CheckBox("TitleVisibleCheckBox", "Visible", At(0, 0)),
                   Edit("TitleMarginEdit", "Margin", At(0, 1)).WithWidth(60),
                   Edit("TitleTextEdit", "Text", At(0, 2, 2)),
                   FontPicker("TitleFontPicker", "Font", At(0, 3)).WithWidth(75),
               }),
        Within("ControlBackgroundTabSheet",
               {
                   ColorPicker("BackGroundColorPicker", "Color", At(0, 0)).WithWidth(60),
                   Group("BackGroundGradientGroupBox", "Gradient", At(0, 1, 2, 4)),
               }),
        Within("BackGroundGradientGroupBox",
               {
                   CheckBox("BackGroundGradientEnabledCheckBox", "Enabled", At(0, 0)),
                   ColorPicker("BackGroundGradientStartColorPicker", "Start Color", At(0, 1)).WithWidth(60),
                   ColorPicker("BackGroundGradientStopColorPicker", "Stop Color", At(1, 1)).WithWidth(60),
                   ComboBox("BackGroundGradientDirectionComboBox", "Direction", At(0, 2, 2),
                            {"Top/Bottom", "Bottom/Top", "Left/Right", "Right/Left", "Top Left/Bottom Right",
                             "Bottom Right/Top Left", "Bottom Left/Top Right", "Top Right/Bottom Left", "Rectangle Out",
                             "Rectangle In", "Circle Out", "Circle In"})
                       .WithWidth(170),
               }),
        Within("ControlPrintTabSheet",
               {
                   Group("PrintMarginGroupBox", "Margins", At(0, 0, 1, 5)),
                   RadioGroup("PrintOrientationRadioGroup", "Orientation", At(1, 0, 1, 3), {"Portrait", "Landscape"}),
                   CheckBox("PrintShowDialogCheckBox", "Show Dialog", At(2, 0)),
                   Edit("PrintDocumentNameEdit", "Document", At(1, 3, 2)),
               }),
        Within("PrintMarginGroupBox",
               {
                   Edit("PrintMarginLeftEdit", "Left", At(0, 0)).WithWidth(60),
                   Edit("PrintMarginTopEdit", "Top", At(0, 1)).WithWidth(60),
                   Edit("PrintMarginRightEdit", "Right", At(0, 2)).WithWidth(60),
                   Edit("PrintMarginBottomEdit", "Bottom", At(0, 3)).WithWidth(60),
               }),
        Within("ControlHintsTabSheet",
               {
                   CheckBox("HintsShowCheckBox", "Show Hints", At(0, 0)),
                   Edit("HintsPauseEdit", "Pause", At(0, 1)).WithWidth(60),
                   Edit("HintsHidePauseEdit", "Hide Pause", At(0, 2)).WithWidth(60),
                   FontPicker("HintsFontPicker", "Font", At(0, 3)).WithWidth(75),
               }),
        Within("ControlFileTabSheet",
               {
                   Label("ControlPropertiesLabel", "Properties", At(0, 0)),
                   SavePicker("ControlPropertiesSavePicker", "Save", At(1, 0)).WithWidth(75),
                   OpenPicker("ControlPropertiesOpenPicker", "Load", At(2, 0)).WithWidth(75),
                   Label("ControlDataLabel", "Data", At(0, 1)),
                   SavePicker("ControlDataSavePicker", "Save", At(1, 1)).WithWidth(75),
                   OpenPicker("ControlDataOpenPicker", "Load", At(2, 1)).WithWidth(75),
                   Label("ControlAnnotationLabel", "Annotations", At(0, 2)),
                   SavePicker("ControlAnnotationSavePicker", "Save", At(1, 2)).WithWidth(75),
                   OpenPicker("ControlAnnotationOpenPicker", "Load", At(2, 2)).WithWidth(75),
                   Edit("ControlLogFileNameEdit", "Log File", At(0, 3, 2)),
                   SavePicker("ControlLogFileNamePicker", "...", At(2, 3)).WithWidth(25),
                   Edit("ControlLogBufferSizeEdit", "Log Buffer", At(0, 4)).WithWidth(60).WithUpDown(0, 32767),
                   Button("ControlLogActivateButton", "Activate", At(0, 5)).WithWidth(75),
                   Button("ControlLogDeactivateButton", "Deactivate", At(1, 5)).WithWidth(75),
               }),
        Within("ControlAnnotationTabSheet",
               {
                   FontPicker("AnnotationDefaultFontPicker", "Font", At(0, 0)).WithWidth(75),
                   ColorPicker("AnnotationDefaultBrushColorPicker", "Brush Color", At(1, 0)).WithWidth(60),
                   ComboBox("AnnotationDefaultBrushStyleComboBox", "Brush Style", At(2, 0), kBrushStyleItems),
                   ColorPicker("AnnotationDefaultPenColorPicker", "Pen Color", At(0, 1)).WithWidth(60),
                   ComboBox("AnnotationDefaultPenStyleComboBox", "Pen Style", At(1, 1), kAnnotationPenStyleItems),
                   Edit("AnnotationDefaultPenWidthEdit", "Pen Width", At(2, 1)).WithWidth(60),
                   ComboBox("AnnotationDefaultReferenceComboBox", "Reference", At(0, 2, 2),
                            {"DataView", "Channel", "X-Channel Y-DataView", "Y-Channel X-DataView "})
                       .WithWidth(170),
                   ComboBox("AnnotationDefaultReferencePositionXComboBox", "Position X", At(0, 3),
                            {"DataView", "Channel", "Auto"}),
                   ComboBox("AnnotationDefaultReferencePositionYComboBox", "Position Y", At(1, 3),
                            {"DataView", "Channel", "Auto"}),
                   ComboBox("AnnotationDefaultReferenceSizeXComboBox", "Size X", At(0, 4),
                            {"DataView", "Channel", "Auto"}),
                   ComboBox("AnnotationDefaultReferenceSizeYComboBox", "Size Y", At(1, 4),
                            {"DataView", "Channel", "Auto"}),
               }),
    });
}

// ---------------------------------------------------------------------------------------------
// "Layout"

std::vector<TiEditorControl> LayoutPage()
{
    return Join({
        Within("PageControl", {Sheet("LayoutTabSheet", "Layout")}),
        Within("LayoutTabSheet", {Custom("LayoutViewer", "TiPlotLayoutViewer").WithBounds(2, 2, -2, -2)}),
        {PopupMenu("LayoutPopupMenu")},
        Within("LayoutPopupMenu",
               {
                   MenuItem("LayoutXYAxesReverseMenuItem", "XY-Axes Reverse"),
                   MenuItem("LayoutN1", "-"),
                   MenuItem("LayoutAddXAxisMenuItem", "Add X-Axis"),
                   MenuItem("LayoutAddYAxisMenuItem", "Add Y-Axis"),
                   MenuItem("LayoutAddLabelMenuItem", "Add Label"),
                   MenuItem("LayoutN2", "-"),
                   MenuItem("LayoutDeleteMenuItem", "Delete"),
                   MenuItem("LayoutVisibleMenuItem", "Visible"),
                   MenuItem("LayoutEditMenuItem", "Edit"),
               }),
    });
}

// ---------------------------------------------------------------------------------------------
// "Channels"

std::vector<TiEditorControl> ChannelPage()
{
    return Join({
        EditorObjectPage("ChannelsTabSheet", "Channels", "ChannelListBox", "iChannelAddButton", "ChannelRemoveButton",
                         "ChannelPageControl"),
        EditorSheets("ChannelPageControl", {{"ChannelGeneralTabSheet", "General"},
                                            {"ChannelTraceTabSheet", "Trace"},
                                            {"ChannelMarkerTabSheet", "Marker"},
                                            {"ChannelBarTabSheet", "Bar"},
                                            {"ChannelHighLowTabSheet", "High/Low"},
                                            {"ChannelFillTabSheet", "Fill"},
                                            {"ChannelDigitalTabSheet", "Digital"},
                                            {"ChannelFileTabSheet", "File I/O"},
                                            {"ChannelStatsTabSheet", "Stats"}}),
        Within("ChannelGeneralTabSheet",
               {
                   Edit("ChannelNameEdit", "Name", At(0, 0, 2)),
                   CheckBox("ChannelVisibleCheckBox", "Visible", At(2, 0)),
                   Edit("ChannelTitleEdit", "Title", At(0, 1, 2)),
                   CheckBox("ChannelPopupEnabledCheckBox", "Popup Enabled", At(2, 1)),
                   Edit("ChannelLayerEdit", "Layer", At(0, 2)).WithUpDown(0, 0),
                   Edit("ChannelRingBufferSizeEdit", "Ring Buffer", At(1, 2)),
                   CheckBox("ChannelVisibleInLegendCheckBox", "Visible In Legend", At(2, 2)),
                   ColorPicker("ChannelColorPicker", "Color", At(0, 3)),
                   ComboBox("ChannelDataStyleComboBox", "Data Style", At(1, 3, 2),
                            {"Standard", "Compact", "Compact Interval", "Full Feature"})
                       .WithWidth(130),
                   ComboBox("ChannelXAxisNameComboBox", "X-Axis", At(0, 4, 2), {}),
                   CheckBox("ChannelXAxisTrackingEnabled", "X-Axis Tracking", At(2, 4)),
                   ComboBox("ChannelYAxisNameComboBox", "Y-Axis", At(0, 5, 2), {}),
                   CheckBox("ChannelYAxisTrackingEnabled", "Y-Axis Tracking", At(2, 5)),
                   CheckBox("ChannelUserCanMoveDataPointsCheckBox", "User Can Move Points", At(0, 6, 2)),
                   ComboBox("ChannelUserCanMoveDataPointsStyleComboBox", "Move Style", At(0, 7, 2),
                            {"X and Y", "X Only", "Y Only"})
                       .WithWidth(100),
               }),
        Within("ChannelTraceTabSheet",
               {
                   CheckBox("ChannelTraceVisibleCheckBox", "Visible", At(0, 0)),
                   ComboBox("ChannelTraceLineStyleComboBox", "Line Style", At(0, 1, 2),
                            {"Solid", "Dash", "Dot", "DashDot", "DashDotDot"})
                       .WithWidth(100),
                   Edit("ChannelTraceLineWidthEdit", "Line Width", At(0, 2)),
                   ComboBox("ChannelInterpolationStyleComboBox", "Interpolation", At(0, 3, 2),
                            {"Straight Line", "Cubic Spline", "Polynomial", "Rational", "Differential",
                             "Differential Terminated"})
                       .WithWidth(160),
                   CheckBox("ChannelFastDrawCheckBox", "Fast Draw", At(0, 4)),
                   CheckBox("ChannelClipToAxesCheckBox", "Clip To Axes", At(1, 4)),
               }),
        Within("ChannelMarkerTabSheet",
               {
                   CheckBox("ChannelMarkersVisible", "Visible", At(0, 0)),
                   CheckBox("ChannelMarkersAllowIndividual", "Allow Individual", At(1, 0)),
                   Edit("ChannelMarkersSizeEdit", "Size", At(2, 0)).WithCaptionWidth(50),
                   ComboBox("ChannelMarkersStyleComboBox", "Style", At(0, 1, 2),
                            {"Circle", "Square", "Diamond", "Cross", "Plus", "Triangle Up", "Triangle Down",
                             "Triangle Left", "Triangle Right", "Vertical Line", "Horizontal Line", "Character"})
                       .WithWidth(115),
                   FontPicker("ChannelMarkersFontPicker", "Font", At(2, 1)).WithWidth(75),
                   Edit("ChannelMarkersTurnOffLimitEdit", "Turn Off Limit", At(0, 2, 2))
                       .WithCaptionWidth(96)
                       .WithWidth(70)
                       .WithUpDown(0, 20000, 100),
                   ColorPicker("ChannelMarkersPenColorPicker", "Pen Color", At(0, 3)),
                   ComboBox("ChannelMarkersPenStyleComboBox", "Pen Style", At(1, 3, 2), kPenStyleItems).WithWidth(100),
                   Edit("ChannelMarkersPenWidthEdit", "Pen Width", At(0, 4)),
                   CheckBox("ChannelMarkersPenUseChannelColorCheckBox", "Pen Uses Channel Color", At(1, 4, 2)),
                   ColorPicker("ChannelMarkersBrushColorPicker", "Brush Color", At(0, 5)),
                   ComboBox("ChannelMarkersBrushStyleComboBox", "Brush Style", At(1, 5, 2), kBrushStyleItems)
                       .WithWidth(100),
                   CheckBox("ChannelMarkersBrushUseChannelColorCheckBox", "Brush Uses Channel Color", At(1, 6, 2)),
               }),
        Within(
            "ChannelBarTabSheet",
            {
                CheckBox("ChannelBarEnabledCheckBox", "Enabled", At(0, 0)),
                Edit("ChannelBarWidthEdit", "Width", At(0, 1)).WithConverter(),
                Edit("ChannelBarReferenceEdit", "Reference", At(1, 1)),
                ColorPicker("ChannelBarPenColorPicker", "Pen Color", At(0, 2)),
                ComboBox("ChannelBarPenStyleComboBox", "Pen Style", At(1, 2, 2), kPenStyleItems).WithWidth(100),
                Edit("ChannelBarPenWidthEdit", "Pen Width", At(0, 3)),
                CheckBox("ChannelBarPenUseChannelColorCheckBox", "Pen Uses Channel Color", At(1, 3, 2)),
                ColorPicker("ChannelBarBrushColorPicker", "Brush Color", At(0, 4)),
                ComboBox("ChannelBarBrushStyleComboBox", "Brush Style", At(1, 4, 2), kBrushStyleItems).WithWidth(100),
                CheckBox("ChannelBarBrushUseChannelColorCheckBox", "Brush Uses Channel Color", At(1, 5, 2)),
            }),
        Within("ChannelHighLowTabSheet",
               {
                   ComboBox("ChannelHighLowStyleComboBox", "Style", At(0, 0, 2), {"Open/Close", "Candlestick"})
                       .WithWidth(100),
                   CheckBox("ChannelHighLowEnabledCheckBox", "Enabled", At(2, 0)),
                   ColorPicker("ChannelHighLowBarColorPicker", "Bar Color", At(0, 1)),
                   Edit("ChannelHighLowBarWidthEdit", "Bar Width", At(1, 1)).WithConverter(),
                   PageControl("ChannelHighLowPageControl")
                       .WithBounds(kEditorMargin, kEditorMargin + 2 * kEditorRowHeight, -kEditorMargin, -4),
               }),
        EditorSheets("ChannelHighLowPageControl", {{"ChannelHighLowOpenCloseTabSheet", "Open/Close"},
                                                   {"ChannelHighLowCandlestickTabSheet", "Candlestick"}}),
        Within("ChannelHighLowOpenCloseTabSheet",
               {
                   CheckBox("ChannelHighLowOpenShowCheckBox", "Show Open", At(0, 0)),
                   Edit("ChannelHighLowOpenWidthEdit", "Width", At(1, 0)).WithCaptionWidth(50).WithConverter(),
                   Edit("ChannelHighLowOpenHeightEdit", "Height", At(2, 0)).WithCaptionWidth(50).WithConverter(),
                   ColorPicker("ChannelHighLowOpenColorPicker", "Color", At(0, 1)).WithCaptionWidth(50),
                   CheckBox("ChannelHighLowCloseShowCheckBox", "Show Close", At(0, 2)),
                   Edit("ChannelHighLowCloseWidthEdit", "Width", At(1, 2)).WithCaptionWidth(50).WithConverter(),
                   Edit("ChannelHighLowCloseHeightEdit", "Height", At(2, 2)).WithCaptionWidth(50).WithConverter(),
                   ColorPicker("ChannelHighLowCloseColorPicker", "Color", At(0, 3)).WithCaptionWidth(50),
               }),
        Within("ChannelHighLowCandlestickTabSheet",
               {
                   ColorPicker("ChannelHighLowShadowColorPicker", "Shadow", At(0, 0)).WithCaptionWidth(50),
                   ColorPicker("ChannelHighLowBullishColorPicker", "Bullish", At(1, 0)).WithCaptionWidth(50),
                   ColorPicker("ChannelHighLowBearishColorPicker", "Bearish", At(2, 0)).WithCaptionWidth(50),
               }),
        Within("ChannelFillTabSheet",
               {
                   CheckBox("ChannelFillEnabledCheckBox", "Enabled", At(0, 0)),
                   Edit("ChannelFillReferenceEdit", "Reference", At(0, 1)),
                   ComboBox("ChannelFillStyleComboBox", "Style", At(0, 2, 2), kBrushStyleItems).WithWidth(100),
                   ColorPicker("ChannelFillColorPicker", "Color", At(0, 3)),
                   CheckBox("ChannelFillUseChannelColorCheckBox", "Use Channel Color", At(1, 3, 2)),
               }),
        Within(
            "ChannelDigitalTabSheet",
            {
                CheckBox("ChannelDigitalEnabledCheckBox", "Enabled", At(0, 0)),
                Edit("ChannelDigitalReferenceHighEdit", "Reference High", At(0, 1, 2))
                    .WithCaptionWidth(96)
                    .WithWidth(70),
                Edit("ChannelDigitalReferenceLowEdit", "Reference Low", At(0, 2, 2)).WithCaptionWidth(96).WithWidth(70),
                ComboBox("ChannelDigitalReferenceStyleComboBox", "Reference Style", At(0, 3, 2), {"Scale", "Percent"})
                    .WithCaptionWidth(96)
                    .WithWidth(90),
            }),
        Within("ChannelFileTabSheet",
               {
                   Label("ChannelPropertiesLabel", "Properties", At(0, 0)),
                   SavePicker("ChannelPropertiesSavePicker", "Save", At(1, 0)).WithWidth(75),
                   OpenPicker("ChannelPropertiesOpenPicker", "Load", At(2, 0)).WithWidth(75),
                   Label("ChannelDataLabel", "Data", At(0, 1)),
                   SavePicker("ChannelDataSavePicker", "Save", At(1, 1)).WithWidth(75),
                   OpenPicker("ChannelDataOpenPicker", "Load", At(2, 1)).WithWidth(75),
                   Edit("ChannelLogFileNameEdit", "Log File", At(0, 2, 2)),
                   SavePicker("ChannelLogFileNamePicker", "...", At(2, 2)).WithWidth(25),
                   Edit("ChannelLogBufferSizeEdit", "Log Buffer", At(0, 3)).WithUpDown(0, 32767),
                   Button("ChannelLogActivateButton", "Activate", At(0, 4)).WithWidth(75),
                   Button("ChannelLogDeactivateButton", "Deactivate", At(1, 4)).WithWidth(75),
               }),
        Within("ChannelStatsTabSheet",
               {
                   Button("ChannelStatsRefreshButton", "Refresh", At(0, 0)).WithWidth(75),
                   Display("ChannelStatsCountDisplay", "Count", At(0, 1, 2)).WithCaptionWidth(96).WithWidth(170),
                   Display("ChannelStatsCapacityDisplay", "Capacity", At(0, 2, 2)).WithCaptionWidth(96).WithWidth(170),
                   Display("ChannelStatsMemoryUsedDisplay", "Memory Used", At(0, 3, 2))
                       .WithCaptionWidth(96)
                       .WithWidth(170),
                   Display("ChannelStatsDataPointSizeDisplay", "Point Size", At(0, 4, 2))
                       .WithCaptionWidth(96)
                       .WithWidth(170),
                   Display("ChannelStatsMaxDataPointsDisplay", "Max Points", At(0, 5, 2))
                       .WithCaptionWidth(96)
                       .WithWidth(170),
                   Display("ChannelStatsXMinDisplay", "X Min", At(2, 1)).WithCaptionWidth(50),
                   Display("ChannelStatsXMaxDisplay", "X Max", At(2, 2)).WithCaptionWidth(50),
                   Display("ChannelStatsXMeanDisplay", "X Mean", At(2, 3)).WithCaptionWidth(50),
                   Display("ChannelStatsYMinDisplay", "Y Min", At(2, 4)).WithCaptionWidth(50),
                   Display("ChannelStatsYMaxDisplay", "Y Max", At(2, 5)).WithCaptionWidth(50),
                   Display("ChannelStatsYMeanDisplay", "Y Mean", At(2, 6)).WithCaptionWidth(50),
               }),
    });
}

// ---------------------------------------------------------------------------------------------
// Bindings

constexpr TiEditorBinding kChannelBindings[] = {
    {"ChannelNameEdit", "Name"},
    {"ChannelVisibleCheckBox", "Visible"},
    {"ChannelPopupEnabledCheckBox", "PopupEnabled"},
    {"ChannelLayerEdit", "Layer"},
    {"ChannelTitleEdit", "TitleText"},
    {"ChannelVisibleInLegendCheckBox", "VisibleInLegend"},
    {"ChannelUserCanMoveDataPointsCheckBox", "UserCanMoveDataPoints"},
    {"ChannelUserCanMoveDataPointsStyleComboBox", "UserCanMoveDataPointsStyle"},
    {"ChannelRingBufferSizeEdit", "RingBufferSize"},
    {"ChannelColorPicker", "Color"},
    {"ChannelXAxisNameComboBox", "XAxisName"},
    {"ChannelYAxisNameComboBox", "YAxisName"},
    {"ChannelXAxisTrackingEnabled", "XAxisTrackingEnabled"},
    {"ChannelYAxisTrackingEnabled", "YAxisTrackingEnabled"},
    {"ChannelDataStyleComboBox", "DataStyle"},
    {"ChannelTraceVisibleCheckBox", "TraceVisible"},
    {"ChannelTraceLineStyleComboBox", "TraceLineStyle"},
    {"ChannelTraceLineWidthEdit", "TraceLineWidth"},
    {"ChannelMarkersVisible", "MarkersVisible"},
    {"ChannelMarkersAllowIndividual", "MarkersAllowIndividual"},
    {"ChannelMarkersSizeEdit", "MarkersSize"},
    {"ChannelMarkersStyleComboBox", "MarkersStyle"},
    {"ChannelMarkersPenColorPicker", "MarkersPenColor"},
    {"ChannelMarkersPenUseChannelColorCheckBox", "MarkersPenUseChannelColor"},
    {"ChannelMarkersPenStyleComboBox", "MarkersPenStyle"},
    {"ChannelMarkersPenWidthEdit", "MarkersPenWidth"},
    {"ChannelMarkersBrushColorPicker", "MarkersBrushColor"},
    {"ChannelMarkersBrushUseChannelColorCheckBox", "MarkersBrushUseChannelColor"},
    {"ChannelMarkersBrushStyleComboBox", "MarkersBrushStyle"},
    {"ChannelMarkersTurnOffLimitEdit", "MarkersTurnOffLimit"},
    // While the channel logs its log name cannot change: the name is written only when the
    // user changed it, so every other edit of the page goes through.
    {"ChannelLogFileNameEdit", "LogFileName", true},
    {"ChannelLogBufferSizeEdit", "LogBufferSize"},
    {"ChannelMarkersFontPicker", "MarkersFont"},
    // A strip-chart channel only.
    {"ChannelFillEnabledCheckBox", "FillEnabled"},
    {"ChannelFillReferenceEdit", "FillReference"},
    {"ChannelFillStyleComboBox", "FillStyle"},
    {"ChannelFillColorPicker", "FillColor"},
    {"ChannelFillUseChannelColorCheckBox", "FillUseChannelColor"},
    {"ChannelBarEnabledCheckBox", "BarEnabled"},
    {"ChannelBarWidthEdit", "BarWidth"},
    {"ChannelBarReferenceEdit", "BarReference"},
    {"ChannelBarPenUseChannelColorCheckBox", "BarPenUseChannelColor"},
    {"ChannelBarPenStyleComboBox", "BarPenStyle"},
    {"ChannelBarPenColorPicker", "BarPenColor"},
    {"ChannelBarPenWidthEdit", "BarPenWidth"},
    {"ChannelBarBrushUseChannelColorCheckBox", "BarBrushUseChannelColor"},
    {"ChannelBarBrushStyleComboBox", "BarBrushStyle"},
    {"ChannelBarBrushColorPicker", "BarBrushColor"},
    {"ChannelHighLowStyleComboBox", "HighLowStyle"},
    {"ChannelHighLowEnabledCheckBox", "HighLowEnabled"},
    {"ChannelHighLowBarColorPicker", "HighLowBarColor"},
    {"ChannelHighLowBarWidthEdit", "HighLowBarWidth"},
    {"ChannelHighLowOpenShowCheckBox", "HighLowOpenShow"},
    {"ChannelHighLowOpenColorPicker", "HighLowOpenColor"},
    {"ChannelHighLowOpenWidthEdit", "HighLowOpenWidth"},
    {"ChannelHighLowOpenHeightEdit", "HighLowOpenHeight"},
    {"ChannelHighLowCloseShowCheckBox", "HighLowCloseShow"},
    {"ChannelHighLowCloseColorPicker", "HighLowCloseColor"},
    {"ChannelHighLowCloseWidthEdit", "HighLowCloseWidth"},
    {"ChannelHighLowCloseHeightEdit", "HighLowCloseHeight"},
    {"ChannelHighLowShadowColorPicker", "HighLowShadowColor"},
    {"ChannelHighLowBullishColorPicker", "HighLowBullishColor"},
    {"ChannelHighLowBearishColorPicker", "HighLowBearishColor"},
    {"ChannelDigitalEnabledCheckBox", "DigitalEnabled"},
    {"ChannelDigitalReferenceHighEdit", "DigitalReferenceHigh"},
    {"ChannelDigitalReferenceLowEdit", "DigitalReferenceLow"},
    {"ChannelDigitalReferenceStyleComboBox", "DigitalReferenceStyle"},
    {"ChannelFastDrawCheckBox", "FastDrawEnabled"},
    {"ChannelClipToAxesCheckBox", "ClipToAxes"},
    {"ChannelInterpolationStyleComboBox", "InterpolationStyle"},
};

// In the order the master manager writes the plot back: through the setters first, then the
// values it stores directly (annotation defaults and printing).
constexpr TiEditorBinding kControlBindings[] = {
    {"AutoFrameRateCheckBox", "AutoFrameRate"},
    {"UpdateFrameRateEdit", "UpdateFrameRate"},
    {"ClipAnnotationsToAxesCheckBox", "ClipAnnotationsToAxes"},
    {"BorderStyleRadioGroup", "BorderStyle"},
    {"CopyToClipBoardFormatComboBox", "CopyToClipBoardFormat"},
    {"FileColumnSeparatorComboBox", "DataFileColumnSeparator"},
    {"BackGroundColorPicker", "BackGroundColor"},
    {"BackGroundGradientDirectionComboBox", "BackGroundGradientDirection"},
    {"BackGroundGradientEnabledCheckBox", "BackGroundGradientEnabled"},
    {"BackGroundGradientStartColorPicker", "BackGroundGradientStartColor"},
    {"BackGroundGradientStopColorPicker", "BackGroundGradientStopColor"},
    {"OuterMarginLeftEdit", "OuterMarginLeft"},
    {"OuterMarginTopEdit", "OuterMarginTop"},
    {"OuterMarginRightEdit", "OuterMarginRight"},
    {"OuterMarginBottomEdit", "OuterMarginBottom"},
    {"TitleVisibleCheckBox", "TitleVisible"},
    {"TitleMarginEdit", "TitleMargin"},
    {"TitleTextEdit", "TitleText"},
    {"TitleFontPicker", "TitleFont"},
    // As on the channel page: the plot refuses a new log name while it logs.
    {"ControlLogFileNameEdit", "LogFileName", true},
    {"ControlLogBufferSizeEdit", "LogBufferSize"},
    {"HintsShowCheckBox", "HintsShow"},
    {"HintsPauseEdit", "HintsPause"},
    {"HintsHidePauseEdit", "HintsHidePause"},
    {"HintsFontPicker", "HintsFont"},
    {"AnnotationDefaultPenColorPicker", "AnnotationDefaultPenColor"},
    {"AnnotationDefaultPenStyleComboBox", "AnnotationDefaultPenStlye"},
    {"AnnotationDefaultPenWidthEdit", "AnnotationDefaultPenWidth"},
    {"AnnotationDefaultBrushColorPicker", "AnnotationDefaultBrushColor"},
    {"AnnotationDefaultBrushStyleComboBox", "AnnotationDefaultBrushStlye"},
    {"AnnotationDefaultReferenceComboBox", "AnnotationDefaultReference"},
    {"AnnotationDefaultReferencePositionXComboBox", "AnnotationDefaultReferencePositionX"},
    {"AnnotationDefaultReferencePositionYComboBox", "AnnotationDefaultReferencePositionY"},
    {"AnnotationDefaultReferenceSizeXComboBox", "AnnotationDefaultReferenceSizeX"},
    {"AnnotationDefaultReferenceSizeYComboBox", "AnnotationDefaultReferenceSizeY"},
    {"AnnotationDefaultFontPicker", "AnnotationDefaultFont"},
    {"PrintShowDialogCheckBox", "PrintShowDialog"},
    {"PrintOrientationRadioGroup", "PrintOrientation"},
    {"PrintMarginLeftEdit", "PrintMarginLeft"},
    {"PrintMarginTopEdit", "PrintMarginTop"},
    {"PrintMarginRightEdit", "PrintMarginRight"},
    {"PrintMarginBottomEdit", "PrintMarginBottom"},
    {"PrintDocumentNameEdit", "PrintDocumentName"},
};

constexpr TiEditorBinding kTitleLabelBindings[] = {
    {"TitleVisibleCheckBox", "Visible"},
    {"TitleTextEdit", "Caption"},
    {"TitleMarginEdit", "MarginBottom"},
    {"TitleFontPicker", "Font"},
};

}  // namespace

const std::vector<TiEditorControl>& PlotEditorControls()
{
    static const std::vector<TiEditorControl> rows = Join({
        {PageControl("PageControl").Filling()},
        ControlPage(),
        LayoutPage(),
        ChannelPage(),
        PlotEditorObjectPages(),
    });
    return rows;
}

std::span<const TiEditorBinding> ChannelBindings() { return kChannelBindings; }

std::span<const TiEditorBinding> ControlBindings() { return kControlBindings; }

std::span<const TiEditorBinding> TitleLabelBindings() { return kTitleLabelBindings; }
