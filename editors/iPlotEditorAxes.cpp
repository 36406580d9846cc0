// The "X-Axes" and "Y-Axes" pages: one binding table for both kinds, the reference combo
// boxes, the value-converter pickers and the "Copy Default" buttons of the label formats.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"
#include "platform/core/Assert.h"
#include "platform/gui/StdCtrls.h"
#include "plot/objects/iPlotAxis.h"

#include <string>
#include <vector>

namespace {

using K = TiPlotObjectKind;

// A row of the axis pages: the control's name after the page's prefix ("XAxis", "YAxis").
struct TAxisRow {
    const char* Control;
    const char* Property;
};

// In the order the page writes them.
constexpr TAxisRow kAxisRows[] = {
    {"NameEdit", "Name"},
    {"VisibleCheckBox", "Visible"},
    {"GridLinesVisibleCheckBox", "GridLinesVisible"},
    {"EnabledCheckBox", "Enabled"},
    {"PopupEnabledCheckBox", "PopupEnabled"},
    {"LayerEdit", "Layer"},
    {"StartPercentEdit", "StartPercent"},
    {"StopPercentEdit", "StopPercent"},
    {"MinEdit", "Min"},
    {"SpanEdit", "Span"},
    {"DesiredStartEdit", "DesiredStart"},
    {"DesiredIncrementEdit", "DesiredIncrement"},
    {"ReverseScaleCheckBox", "ReverseScale"},
    {"RestoreValuesOnResumeCheckBox", "RestoreValuesOnResume"},
    {"MasterUIInputCheckBox", "MasterUIInput"},
    {"InnerMarginEdit", "InnerMargin"},
    {"OuterMarginEdit", "OuterMargin"},
    {"TitleTextEdit", "Title"},
    {"TitleMarginEdit", "TitleMargin"},
    {"TitleShowCheckBox", "TitleShow"},
    {"TitleRotatedCheckBox", "TitleRotated"},
    {"ScaleLinesShowCheckBox", "ScaleLinesShow"},
    {"ScaleLinesColorPicker", "ScaleLinesColor"},
    {"MajorLengthEdit", "MajorLength"},
    {"MinorLengthEdit", "MinorLength"},
    {"MinorCountEdit", "MinorCount"},
    {"LabelVisibleCheckBox", "LabelsVisible"},
    {"LabelMarginEdit", "LabelsMargin"},
    {"LabelFormatStyleComboBox", "LabelsFormatStyle"},
    {"LabelRotationComboBox", "LabelsRotation"},
    {"DateTimeFormatComboBox", "DateTimeFormat"},
    {"LabelPrecisionStyleComboBox", "LabelsPrecisionStyle"},
    {"LabelPrecisionEdit", "LabelsPrecision"},
    {"LabelMinLengthEdit", "LabelsMinLength"},
    {"LabelMinLengthAutoAdjustCheckBox", "LabelsMinLengthAutoAdjust"},
    {"CursorUseDefaultFormatCheckBox", "CursorUseDefaultFormat"},
    {"CursorFormatStyleComboBox", "CursorFormatStyle"},
    {"CursorDateTimeFormatComboBox", "CursorDateTimeFormat"},
    {"CursorPrecisionStyleComboBox", "CursorPrecisionStyle"},
    {"CursorPrecisionEdit", "CursorPrecision"},
    {"CursorMinLengthEdit", "CursorMinLength"},
    {"CursorMinLengthAutoAdjustCheckBox", "CursorMinLengthAutoAdjust"},
    {"LegendUseDefaultFormatCheckBox", "LegendUseDefaultFormat"},
    {"LegendFormatStyleComboBox", "LegendFormatStyle"},
    {"LegendDateTimeFormatComboBox", "LegendDateTimeFormat"},
    {"LegendPrecisionStyleComboBox", "LegendPrecisionStyle"},
    {"LegendPrecisionEdit", "LegendPrecision"},
    {"LegendMinLengthEdit", "LegendMinLength"},
    {"LegendMinLengthAutoAdjustCheckBox", "LegendMinLengthAutoAdjust"},
    {"TrackingEnabledCheckBox", "TrackingEnabled"},
    {"TrackingStyleComboBox", "TrackingStyle"},
    {"TrackingIncrementStyleComboBox", "TrackingIncrementStyle"},
    {"TrackingAlignFirstStyleComboBox", "TrackingAlignFirstStyle"},
    {"TrackingScrollCompressMaxEdit", "TrackingScrollCompressMax"},
    {"TrackingSpanMinimumEdit", "TrackingSpanMinimum"},
    {"TrackingMaxMarginEdit", "TrackingMaxMargin"},
    {"TrackingMinMarginEdit", "TrackingMinMargin"},
    {"StackingEndsMarginEdit", "StackingEndsMargin"},
    {"ForceStackingCheckBox", "ForceStacking"},
    {"LabelSeparationEdit", "LabelSeparation"},
    {"ScaleTypeRadioGroup", "ScaleType"},
    {"CursorScalerEdit", "CursorScaler"},
    {"ScrollMinMaxEnabledCheckBox", "ScrollMinMaxEnabled"},
    {"ScrollMinEdit", "ScrollMin"},
    {"ScrollMaxEdit", "ScrollMax"},
    {"CartesianStyleComboBox", "CartesianStyle"},
    {"CartesianChildRefAxisNameComboBox", "CartesianChildRefAxisName"},
    {"CartesianChildRefValueEdit", "CartesianChildRefValue"},
    {"AlignRefAxisNameComboBox", "AlignRefAxisName"},
    {"TitleFontPicker", "TitleFont"},
    {"LabelsFontPicker", "LabelsFont"},
};

// The axis table with the controls' full names, which it keeps for the rows to point into.
class TAxisBindings {
public:
    explicit TAxisBindings(const std::string& prefix)
    {
        for (const TAxisRow& row : kAxisRows)
            m_names.push_back(prefix + row.Control);
        for (std::size_t i = 0; i < m_names.size(); ++i)
            m_rows.push_back({m_names[i], kAxisRows[i].Property});
    }
    std::span<const TiEditorBinding> Rows() const { return m_rows; }

private:
    std::vector<std::string> m_names;
    std::vector<TiEditorBinding> m_rows;
};

// "Copy Default": the "(Default)" label-format control and its counterpart on the "Cursor"
// and "Legend" inner pages, both after the page's prefix and the counterpart after the part.
struct TCopiedFormat {
    const char* Default;
    const char* Part;
};
constexpr TCopiedFormat kCopiedFormats[] = {
    {"LabelFormatStyleComboBox", "FormatStyleComboBox"},
    {"DateTimeFormatComboBox", "DateTimeFormatComboBox"},
    {"LabelPrecisionStyleComboBox", "PrecisionStyleComboBox"},
    {"LabelPrecisionEdit", "PrecisionEdit"},
    {"LabelMinLengthEdit", "MinLengthEdit"},
    {"LabelMinLengthAutoAdjustCheckBox", "MinLengthAutoAdjustCheckBox"},
};

// Shows one control's value in another of its kind, silently.
void CopySilently(const TComponent& from, TComponent& to)
{
    if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(&to))
        edit->SetAsString(dynamic_cast<const TiComponentEditorEdit&>(from).GetAsString());
    else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(&to))
        combo->SetAsString(dynamic_cast<const TiComponentEditorComboBox&>(from).GetAsString());
    else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(&to))
        check->SetAsBoolean(dynamic_cast<const TiComponentEditorCheckBox&>(from).GetAsBoolean());
    else
        PRAVIX_ASSERT(false, "a copied label format is an edit, a combo box or a check box");
}

const char* AxisPrefix(TiPlotObjectKind kind) { return kind == K::XAxis ? "XAxis" : "YAxis"; }

TiPlotObjectKind OtherAxisKind(TiPlotObjectKind kind) { return kind == K::XAxis ? K::YAxis : K::XAxis; }

}  // namespace

std::span<const TiEditorBinding> XAxisBindings()
{
    static const TAxisBindings rows("XAxis");
    return rows.Rows();
}

std::span<const TiEditorBinding> YAxisBindings()
{
    static const TAxisBindings rows("YAxis");
    return rows.Rows();
}

TNotifyEvent TiPlotEditorForm::AxisNamesFill(TiPlotObjectKind kind)
{
    return TNotifyEvent::Bind(this, kind == K::XAxis ? &TiPlotEditorForm::XAxisNameComboBoxDropDown
                                                     : &TiPlotEditorForm::YAxisNameComboBoxDropDown);
}

void TiPlotEditorForm::WireAxisPages()
{
    WireBoundControls(*this, XAxisBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::XAxisChange));
    WireBoundControls(*this, YAxisBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::YAxisChange));
    for (const TiPlotObjectKind kind : {K::XAxis, K::YAxis}) {
        const std::string p = AxisPrefix(kind);
        const TiPlotObjectKind other = OtherAxisKind(kind);
        EditorControl<TiComponentEditorComboBox>(*this, p + "CartesianChildRefAxisNameComboBox").OnDropDown =
            AxisNamesFill(other);
        EditorControl<TiComponentEditorComboBox>(*this, p + "AlignRefAxisNameComboBox").OnDropDown =
            AxisNamesFill(kind);
        for (const char* part : {"Cursor", "Legend"})
            EditorControl<TButton>(*this, p + part + "CopyDefaultButton").OnClick = [this, kind, part](TObject*) {
                CopyDefaultLabelFormat(kind, part);
            };
    }
}

// The child reference names an axis of the other kind, the align reference one of the same
// kind; "<None>", the axes' default, names none. The fill keeps nothing the combo boxes showed
// for the axis shown before: the update shows this axis's own names after it.
void TiPlotEditorForm::FillAxisReferenceCombos(TiPlotObjectKind kind)
{
    const std::string p = AxisPrefix(kind);
    auto& child = EditorControl<TiComponentEditorComboBox>(*this, p + "CartesianChildRefAxisNameComboBox");
    auto& align = EditorControl<TiComponentEditorComboBox>(*this, p + "AlignRefAxisNameComboBox");
    child.SetAsInteger(-1);
    align.SetAsInteger(-1);
    AxisNamesFill(OtherAxisKind(kind))(&child);
    AxisNamesFill(kind)(&align);
}

// Min and DesiredStart of a date-time axis are moments: their converters open on the date and
// time; every other value of an axis is an interval.
void TiPlotEditorForm::ShowAxisConverterPages(TiPlotObjectKind kind, const TiPlotObject& object)
{
    const auto* axis = dynamic_cast<const TiPlotAxis*>(&object);
    PRAVIX_ASSERT(axis, "the axis pages list axes");
    const TiValueConverterPageType page = axis->LabelsFormatStyle() == iptfDateTime ? ivcptDateTime : ivcptInterval;
    const std::string p = AxisPrefix(kind);
    for (const char* edit : {"MinEdit", "DesiredStartEdit"})
        EditorControl<TiComponentEditorValueConverterPicker>(*this, ConverterName(p + edit)).SetDefaultPage(page);
}

void TiPlotEditorForm::CopyDefaultLabelFormat(TiPlotObjectKind kind, const std::string& part)
{
    const std::string p = AxisPrefix(kind);
    for (const TCopiedFormat& format : kCopiedFormats)
        CopySilently(*FindComponent(p + format.Default), *FindComponent(p + part + format.Part));
    if (kind == K::XAxis)
        XAxisChange(nullptr);
    else
        YAxisChange(nullptr);
}

void TiPlotEditorForm::XAxisChange(TObject*)
{
    if (WritePage(K::XAxis))
        UpdateAll();
}

void TiPlotEditorForm::YAxisChange(TObject*)
{
    if (WritePage(K::YAxis))
        UpdateAll();
}
