#pragma once
// TiPlotComponent: the windowed plot control, the one window of a plot. It owns the master
// manager and through it every plot object; it offers per kind the operations to add,
// delete, remove all, count and find objects; it publishes the plot-wide settings and the
// plot's events; it lays the objects out around the data view and paints them in layer
// order; and it stores its objects in its form description.
//
//     TiPlot plot(form);                        // the default objects of a strip chart
//     int c = plot.AddChannel();                // its index; OnAddChannel fires with it
//     plot.GetYAxis(0)->SetMinSpan(0, 50);
//     plot.DeleteChannel(c);                    // OnRemoveChannel fires before it goes
//
// Data values mark null and empty points with tiny sentinels (GetNullValue, GetEmptyValue).
// Plot objects reach the control only through IPlotHost and IPlotAxisHost.
//
// Kinds plug in through the master manager's registry: a kind whose class has not been
// registered is simply absent (its Add raises, the default objects leave it out).

#include "plot/control/iPlotControlLayer.h"

#include "components/iCustomComponent.h"
#include "platform/canvas/ImageList.h"
#include "platform/canvas/Metafile.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Menus.h"
#include "plot/control/iPlotKindTypes.h"
#include "plot/core/iPlotLayoutManager.h"
#include "plot/core/iPlotMasterManager.h"
#include "plot/objects/iPlotAnnotation.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotToolBar.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TPopupMenu;
class TStream;
class TStrings;
class TiPlotChannelCustom;
class TVariant;

PRAVIX_ENUM(TiPlotDataFileColumnSeparator, ipdfcsTab, ipdfcsComma)
PRAVIX_ENUM(TiPlotDataFileFormat, ipdffText, ipdffCompactInterval)

using TiPlotObjectEvent = Event<TObject*, int>;
using TiPlotObjectMouseEvent = Event<TObject*, int, TMouseButton, TShiftState, int, int>;
using TiPlotObjectMouseMoveEvent = Event<TObject*, int, TShiftState, int, int>;
using TiPlotObjectMouseWheelEvent = Event<TObject*, int, int, TShiftState, int, int>;
using TiPlotObjectGetMouseCursorEvent = Event<TObject*, int, TCursor&>;
using TiPlotPopupMenuEvent = Event<TObject*, int, bool&, int, int>;
using TiPlotObjectCustomizeTextEvent = Event<TObject*, int, std::string&>;
using TiPlotClickDataPointEvent = Event<TObject*, int, int>;
using TiPlotDataPointMouseEvent = Event<TObject*, int, int, TMouseButton, TShiftState, int, int>;
using TiPlotDataPointMouseMoveEvent = Event<TObject*, int, int, TShiftState, int, int>;
using TiPlotDataPointMovedEvent = Event<TObject*, int, int, double, double, double, double>;
using TiPlotDataPointCustomizeTextEvent = Event<TObject*, int, int, std::string&>;
using TiPlotAxesCustomizeLabelEvent = Event<TObject*, int, double, std::string&>;
// Page index (from 1) and whether this page reaches the end of the X range to print.
using TiPlotPrintPageEvent = Event<TObject*, int, bool>;

// The events of one object kind (an unassigned slot: the kind has no such event).
struct TiPlotKindEvents {
    TiPlotObjectEvent OnAdd, OnRemove, OnClick, OnDblClick, OnGotFocus, OnLostFocus;
    TiPlotObjectMouseEvent OnMouseDown, OnMouseUp;
    TiPlotObjectMouseMoveEvent OnMouseMove;
    TiPlotObjectMouseWheelEvent OnMouseWheel;
    TiPlotObjectGetMouseCursorEvent OnGetMouseCursor;
    TiPlotPopupMenuEvent OnPopupMenu;
};

class TiPlotComponent : public TiCustomComponent, public IPlotHost, public IPlotAxisHost {
    PRAVIX_CLASS(TiPlotComponent, TiCustomComponent)
public:
    explicit TiPlotComponent(TComponent* owner);
    ~TiPlotComponent() override;

    // --- Value sentinels ------------------------------------------------------------------------
    static bool ValueIsNull(double value) { return value > 1e-301 && value < 1e-300; }
    static bool ValueIsEmpty(double value) { return value > 1e-302 && value < 1e-301; }
    static bool ValueIsNotDataPoint(double value) { return value > 1e-303 && value < 1e-302; }
    static double GetNullValue() { return 5e-301; }
    static double GetEmptyValue() { return 5e-302; }
    static double GetNotDataPoint() { return 5e-303; }

    // --- Managers ---------------------------------------------------------------------------------
    TiPlotMasterManager& MasterManager() const { return *m_master; }
    TiPlotToolBarManager* GetToolBarManager() const { return m_master->ToolBarManager(); }
    TiPlotLegendManager* GetLegendManager() const { return m_master->LegendManager(); }
    TiPlotTableManager* GetTableManager() const { return m_master->TableManager(); }
    TiPlotXAxisManager* GetXAxisManager() const { return m_master->XAxisManager(); }
    TiPlotYAxisManager* GetYAxisManager() const { return m_master->YAxisManager(); }
    TiPlotChannelManager* GetChannelManager() const { return m_master->ChannelManager(); }
    TiPlotDataViewManager* GetDataViewManager() const { return m_master->DataViewManager(); }
    TiPlotDataCursorManager* GetDataCursorManager() const { return m_master->DataCursorManager(); }
    TiPlotLimitManager* GetLimitManager() const { return m_master->LimitManager(); }
    TiPlotLabelManager* GetLabelManager() const { return m_master->LabelManager(); }
    TiPlotAnnotationManager* GetAnnotationManager() const { return m_master->AnnotationManager(); }
    TiPlotLayoutManager* GetLayoutManager() const;
    TiPlotTranslationManager* GetTranslationManager() const { return m_master->TranslationManager(); }
    TiPlotObjectManager* GetPlotObjectManager() const { return m_master->PlotObjectManager(); }

    // --- Object API -------------------------------------------------------------------------------
    // Every kind runs on one kind-indexed path; the named operations below are its typed faces.
    // Add returns the new index (OnAdd<Kind> fires with it). Delete frees the object at the
    // index (OnRemove<Kind> fires before it goes) and RemoveAll every object of the kind, both
    // with an immediate repaint. Get raises "List index out of bounds (%d)" for an index out of
    // range and "Invalid class typecast" for an object of another class; GetByName gives the
    // first object whose name equals `name` ignoring ASCII case (nullptr when there is none or
    // it is of another class), IndexByName its index (-1 when none).
    int Count(TiPlotObjectKind kind) const;
    // Any object of the kind, whatever its class.
    TiPlotObject* GetObject(TiPlotObjectKind kind, int index) const { return Manager(kind).GetObject(index); }
    TiPlotLayoutObject* GetLayoutObject(TiPlotObjectKind kind, int index) const;
    TiPlotObject* GetObjectByName(TiPlotObjectKind kind, const std::string& name) const;
    int GetIndexByName(TiPlotObjectKind kind, const std::string& name) const;
    template <TiPlotObjectKind Kind>
    TiPlotKindObject<Kind>* Get(int index) const
    {
        return Manager(Kind).template GetItemAs<TiPlotKindObject<Kind>>(index);
    }
    template <TiPlotObjectKind Kind>
    TiPlotKindObject<Kind>* GetByName(const std::string& name) const
    {
        return dynamic_cast<TiPlotKindObject<Kind>*>(GetObjectByName(Kind, name));
    }

    virtual int AddToolBar() { return AddObject(TiPlotObjectKind::ToolBar); }
    virtual int AddLegend() { return AddObject(TiPlotObjectKind::Legend); }
    virtual int AddTable() { return AddObject(TiPlotObjectKind::Table); }
    virtual int AddXAxis() { return AddObject(TiPlotObjectKind::XAxis); }
    virtual int AddYAxis() { return AddObject(TiPlotObjectKind::YAxis); }
    virtual int AddDataView() { return AddObject(TiPlotObjectKind::DataView); }
    virtual int AddDataCursor() { return AddObject(TiPlotObjectKind::DataCursor); }
    virtual int AddChannel() { return AddObject(TiPlotObjectKind::Channel); }
    virtual int AddAnnotation() { return AddObject(TiPlotObjectKind::Annotation); }
    virtual int AddLimit() { return AddObject(TiPlotObjectKind::Limit); }
    virtual int AddLabel() { return AddObject(TiPlotObjectKind::Label); }
    int AddTranslation(const std::string& originalString, const std::string& replacementString);

    virtual void DeleteToolBar(int index) { DeleteObject(TiPlotObjectKind::ToolBar, index); }
    virtual void DeleteLegend(int index) { DeleteObject(TiPlotObjectKind::Legend, index); }
    virtual void DeleteTable(int index) { DeleteObject(TiPlotObjectKind::Table, index); }
    virtual void DeleteXAxis(int index) { DeleteObject(TiPlotObjectKind::XAxis, index); }
    virtual void DeleteYAxis(int index) { DeleteObject(TiPlotObjectKind::YAxis, index); }
    virtual void DeleteDataView(int index) { DeleteObject(TiPlotObjectKind::DataView, index); }
    virtual void DeleteDataCursor(int index) { DeleteObject(TiPlotObjectKind::DataCursor, index); }
    virtual void DeleteChannel(int index) { DeleteObject(TiPlotObjectKind::Channel, index); }
    virtual void DeleteAnnotation(int index) { DeleteObject(TiPlotObjectKind::Annotation, index); }
    virtual void DeleteLimit(int index) { DeleteObject(TiPlotObjectKind::Limit, index); }
    // Label 0 is the title: "Label Index 0 can not be Deleted (Resevered for Title)".
    virtual void DeleteLabel(int index) { DeleteObject(TiPlotObjectKind::Label, index); }
    virtual void DeleteTranslation(int index);

    virtual void RemoveAllToolBars() { RemoveAll(TiPlotObjectKind::ToolBar); }
    virtual void RemoveAllLegends() { RemoveAll(TiPlotObjectKind::Legend); }
    virtual void RemoveAllTables() { RemoveAll(TiPlotObjectKind::Table); }
    virtual void RemoveAllXAxes() { RemoveAll(TiPlotObjectKind::XAxis); }
    virtual void RemoveAllYAxes() { RemoveAll(TiPlotObjectKind::YAxis); }
    virtual void RemoveAllDataViews() { RemoveAll(TiPlotObjectKind::DataView); }
    virtual void RemoveAllDataCursors() { RemoveAll(TiPlotObjectKind::DataCursor); }
    virtual void RemoveAllChannels() { RemoveAll(TiPlotObjectKind::Channel); }
    virtual void RemoveAllAnnotations() { RemoveAll(TiPlotObjectKind::Annotation); }
    virtual void RemoveAllLimits() { RemoveAll(TiPlotObjectKind::Limit); }
    // Keeps the title (label 0).
    virtual void RemoveAllLabels() { RemoveAll(TiPlotObjectKind::Label); }
    virtual void RemoveAllTranslations();

    int ToolBarCount() const { return Count(TiPlotObjectKind::ToolBar); }
    int LegendCount() const { return Count(TiPlotObjectKind::Legend); }
    int TableCount() const { return Count(TiPlotObjectKind::Table); }
    int XAxisCount() override { return Count(TiPlotObjectKind::XAxis); }
    int YAxisCount() override { return Count(TiPlotObjectKind::YAxis); }
    int DataViewCount() const { return Count(TiPlotObjectKind::DataView); }
    int DataCursorCount() override { return Count(TiPlotObjectKind::DataCursor); }
    int ChannelCount() override { return Count(TiPlotObjectKind::Channel); }
    int AnnotationCount() const { return Count(TiPlotObjectKind::Annotation); }
    int LimitCount() const { return Count(TiPlotObjectKind::Limit); }
    int LabelCount() const { return Count(TiPlotObjectKind::Label); }
    int TranslationCount() const;

    // nullptr for an index out of range.
    TiPlotChannelCustom* GetChannel(int index) override;
    // Index errors raise "List index out of bounds (%d)".
    TiPlotChannelCustom* GetChannelCustom(int index) const { return Get<TiPlotObjectKind::Channel>(index); }
    TiPlotXAxis* GetXAxis(int index) override { return Get<TiPlotObjectKind::XAxis>(index); }
    TiPlotYAxis* GetYAxis(int index) override { return Get<TiPlotObjectKind::YAxis>(index); }
    // nullptr when there is no toolbar of that index (or it is of a class of its own).
    TiPlotToolBar* GetToolBar(int index) override;
    TiPlotLayoutObject* GetToolBarObject(int index) const { return GetLayoutObject(TiPlotObjectKind::ToolBar, index); }
    TiPlotLegend* GetLegend(int index) const { return Get<TiPlotObjectKind::Legend>(index); }
    TiPlotTable* GetTable(int index) const { return Get<TiPlotObjectKind::Table>(index); }
    TiPlotDataView* GetDataView(int index) const { return Get<TiPlotObjectKind::DataView>(index); }
    TiPlotDataCursor* GetDataCursor(int index) const { return Get<TiPlotObjectKind::DataCursor>(index); }
    TiPlotObject* GetDataCursorObject(int index) override { return GetObject(TiPlotObjectKind::DataCursor, index); }
    TiPlotAnnotation* GetAnnotation(int index) const { return Get<TiPlotObjectKind::Annotation>(index); }
    TiPlotLimit* GetLimit(int index) const { return Get<TiPlotObjectKind::Limit>(index); }
    TiPlotLabel* GetLabel(int index) const { return Get<TiPlotObjectKind::Label>(index); }
    TiPlotTranslationObject* GetTranslation(int index) const;
    std::string GetTranslationOriginalString(int index) const;
    std::string GetTranslationReplacementString(int index) const;
    void LoadTranslationsFromFile(const std::string& fileName);
    void SaveTranslationsToFile(const std::string& fileName);

    TiPlotToolBar* GetToolBarByName(const std::string& name) const
    {
        return GetByName<TiPlotObjectKind::ToolBar>(name);
    }
    TiPlotLegend* GetLegendByName(const std::string& name) const { return GetByName<TiPlotObjectKind::Legend>(name); }
    TiPlotTable* GetTableByName(const std::string& name) const { return GetByName<TiPlotObjectKind::Table>(name); }
    TiPlotXAxis* GetXAxisByName(const std::string& name) override { return GetByName<TiPlotObjectKind::XAxis>(name); }
    TiPlotYAxis* GetYAxisByName(const std::string& name) override { return GetByName<TiPlotObjectKind::YAxis>(name); }
    TiPlotDataView* GetDataViewByName(const std::string& name) const
    {
        return GetByName<TiPlotObjectKind::DataView>(name);
    }
    TiPlotDataCursor* GetDataCursorByName(const std::string& name) const
    {
        return GetByName<TiPlotObjectKind::DataCursor>(name);
    }
    TiPlotChannelCustom* GetChannelByName(const std::string& name) override
    {
        return GetByName<TiPlotObjectKind::Channel>(name);
    }
    TiPlotAnnotation* GetAnnotationByName(const std::string& name) const
    {
        return GetByName<TiPlotObjectKind::Annotation>(name);
    }
    TiPlotLimit* GetLimitByName(const std::string& name) const { return GetByName<TiPlotObjectKind::Limit>(name); }
    TiPlotLabel* GetLabelByName(const std::string& name) const { return GetByName<TiPlotObjectKind::Label>(name); }
    int GetToolBarIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::ToolBar, name); }
    int GetLegendIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::Legend, name); }
    int GetTableIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::Table, name); }
    int GetXAxisIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::XAxis, name); }
    int GetYAxisIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::YAxis, name); }
    int GetDataViewIndexByName(const std::string& name) const
    {
        return GetIndexByName(TiPlotObjectKind::DataView, name);
    }
    int GetDataCursorIndexByName(const std::string& name) const
    {
        return GetIndexByName(TiPlotObjectKind::DataCursor, name);
    }
    int GetChannelIndexByName(const std::string& name) const override
    {
        return GetIndexByName(TiPlotObjectKind::Channel, name);
    }
    int GetAnnotationIndexByName(const std::string& name) const
    {
        return GetIndexByName(TiPlotObjectKind::Annotation, name);
    }
    int GetLimitIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::Limit, name); }
    int GetLabelIndexByName(const std::string& name) const { return GetIndexByName(TiPlotObjectKind::Label, name); }

    // --- Other operations -----------------------------------------------------------------------
    // Stops logging first when it runs; then empties every channel and resets the axes' first
    // alignment.
    void ClearAllData();
    void DisableAllTracking() override { SetAllTracking(false); }
    void EnableAllTracking() override { SetAllTracking(true); }
    void DisableLayoutManager();
    void EnableLayoutManager();
    void RefreshLayoutManager();
    void SetSelectModeActive(bool value) override;
    static double GetNow();
    void MousePointerSet(TCursor cursor) { SetCursor(cursor); }
    // A data cursor reports that it moved: OnDataCursorChange with its index.
    void DataCursorChange(TObject* sender);
    void DoDataCursorChange(TiPlotObject* cursor) override { DataCursorChange(cursor); }
    // Copies points StartIndex..StopIndex of one channel to the end of another, each born
    // with the source point's null and empty state.
    void TransferChannelData(int sourceIndex, int destinationIndex, int startIndex, int stopIndex);
    // One row: element i goes to channel i at X (a null or empty sentinel adds such a point).
    // More elements than channels: the index error, nothing added.
    void AddDataArray(double x, const std::vector<double>& row);
    // A block: data[i][row] goes to channel i, each row one `xStep` after the channel's last X
    // (0 for an empty channel).
    void AddDataArray(double xStep, const std::vector<std::vector<double>>& block);
    // Any other dimension count: "Data Array must be 1 or 2 Dimensions".
    void AddDataArray(double x, const TVariant& data);
    int PendingLogRowCount() const { return m_pendingLogRowCount; }

    // --- Image lists (index 0 to 2) ---------------------------------------------------------------
    TImageList& ImageList(int index) const;
    void ImageListClear(int index);
    void ImageListAdd(int index, TBitmap& bitmap) { ImageListLoadFromBitmap(index, bitmap); }
    void ImageListLoadFromBitmap(int index, TBitmap& bitmap);
    void ImageListLoadFromResourceName(int index, const std::string& resourceName);
    // A numbered resource: its name is "#" and the number, as resource scripts write it.
    void ImageListLoadFromResourceID(int index, int resourceID);

    // --- Layout and painting (iPlotComponentLayout.cpp) -------------------------------------------
    void CalcLayout(TCanvas& canvas);
    // Paints on a scratch bitmap to bring every object's pixel positions up to date.
    void ReCalcLayout();
    void iPaintTo(TCanvas& canvas) override;
    void DrawOutSideObjects(TCanvas& canvas);
    bool AddAxesCollisionDetectionItem(const TRect& rect) override;
    void AddAxesCollisionItem(const TRect& rect) { m_axesCollisions.push_back(rect); }
    void ClearAxesCollisionList() { m_axesCollisions.clear(); }
    // The hint box the input dispatch shows: painted by every frame while showing.
    void ShowHint(const std::string& text, int left, int top);
    void HideHint() { m_hintShowing = false; }
    bool HintShowing() const { return m_hintShowing; }
    bool HintPainted() const { return m_hintPainted; }
    // The objects of the last paint's layers, in drawing order.
    const TiPlotKeyedList<TiPlotObject>& LayerList() const { return m_layerList; }

    // --- Published properties ---------------------------------------------------------------------
    int DataViewZHorz() const;
    void SetDataViewZHorz(int value);
    int DataViewZVert() const;
    void SetDataViewZVert(int value);
    bool XYAxesReverse() const { return m_master->XYAxesReverse(); }
    void SetXYAxesReverse(bool value) { m_master->SetXYAxesReverse(value); }
    bool UserCanEditObjects() const { return m_master->UserCanEditObjects(); }
    void SetUserCanEditObjects(bool value) { m_master->SetUserCanEditObjects(value); }
    bool UserCanAddRemoveChannels() const { return m_master->UserCanAddRemoveChannels(); }
    void SetUserCanAddRemoveChannels(bool value) { m_master->SetUserCanAddRemoveChannels(value); }
    int OuterMarginLeft() const { return m_outerMarginLeft; }
    void SetOuterMarginLeft(int value) { SetIntegerProperty(value, m_outerMarginLeft, irtInvalidate); }
    int OuterMarginTop() const { return m_outerMarginTop; }
    void SetOuterMarginTop(int value) { SetIntegerProperty(value, m_outerMarginTop, irtInvalidate); }
    int OuterMarginRight() const { return m_outerMarginRight; }
    void SetOuterMarginRight(int value) { SetIntegerProperty(value, m_outerMarginRight, irtInvalidate); }
    int OuterMarginBottom() const { return m_outerMarginBottom; }
    void SetOuterMarginBottom(int value) { SetIntegerProperty(value, m_outerMarginBottom, irtInvalidate); }
    TPrinterOrientation PrintOrientation() const { return m_printOrientation; }
    void SetPrintOrientation(TPrinterOrientation value) { m_printOrientation = value; }
    double PrintMarginLeft() const { return m_printMargins[0]; }
    void SetPrintMarginLeft(double value) { m_printMargins[0] = value; }
    double PrintMarginTop() const { return m_printMargins[1]; }
    void SetPrintMarginTop(double value) { m_printMargins[1] = value; }
    double PrintMarginRight() const { return m_printMargins[2]; }
    void SetPrintMarginRight(double value) { m_printMargins[2] = value; }
    double PrintMarginBottom() const { return m_printMargins[3]; }
    void SetPrintMarginBottom(double value) { m_printMargins[3] = value; }
    bool PrintShowDialog() const { return m_printShowDialog; }
    void SetPrintShowDialog(bool value) { m_printShowDialog = value; }
    const std::string& PrintDocumentName() const { return m_printDocumentName; }
    void SetPrintDocumentName(const std::string& value) { m_printDocumentName = value; }
    const std::string& PrinterName() const { return m_printerName; }
    void SetPrinterName(const std::string& value) { m_printerName = value; }
    int HintsPause() const { return m_hintsPause; }
    void SetHintsPause(int value) { SetIntegerProperty(value, m_hintsPause, irtNone); }
    int HintsHidePause() const { return m_hintsHidePause; }
    void SetHintsHidePause(int value) { SetIntegerProperty(value, m_hintsHidePause, irtNone); }
    bool HintsShow() const { return m_hintsShow; }
    void SetHintsShow(bool value) { SetBooleanProperty(value, m_hintsShow, irtNone); }
    TFont* HintsFont() const { return m_hintsFont.get(); }
    void SetHintsFont(TFont* value);
    TiPlotEditorFormStyle EditorFormStyle() const { return m_master->EditorFormStyle(); }
    void SetEditorFormStyle(TiPlotEditorFormStyle value) { m_master->SetEditorFormStyle(value); }
    TiPlotExportFormat CopyToClipBoardFormat() const { return m_copyToClipBoardFormat; }
    void SetCopyToClipBoardFormat(TiPlotExportFormat value) { m_copyToClipBoardFormat = value; }
    // Label 0's; empty text, false, 0 and the control's font without labels.
    bool TitleVisible() const;
    void SetTitleVisible(bool value);
    std::string TitleText() const;
    void SetTitleText(const std::string& value);
    TFont* TitleFont() const;
    void SetTitleFont(TFont* value);
    double TitleMargin() const;
    void SetTitleMargin(double value);
    const std::string& LogFileName() const { return m_logFileName; }
    void SetLogFileName(const std::string& value);
    int LogBufferSize() const { return m_logBufferSize; }
    void SetLogBufferSize(int value) { SetIntegerProperty(value, m_logBufferSize, irtNone); }
    bool LoggingActive() const { return m_loggingActive; }
    TFont* AnnotationDefaultFont() const { return m_annotationDefaultFont.get(); }
    void SetAnnotationDefaultFont(TFont* value);
    TBrushStyle AnnotationDefaultBrushStlye() const { return m_annotationDefaultBrushStyle; }
    void SetAnnotationDefaultBrushStlye(TBrushStyle value) { m_annotationDefaultBrushStyle = value; }
    TColor AnnotationDefaultBrushColor() const { return m_annotationDefaultBrushColor; }
    void SetAnnotationDefaultBrushColor(TColor value) { m_annotationDefaultBrushColor = value; }
    TPenStyle AnnotationDefaultPenStlye() const { return m_annotationDefaultPenStyle; }
    void SetAnnotationDefaultPenStlye(TPenStyle value) { m_annotationDefaultPenStyle = value; }
    TColor AnnotationDefaultPenColor() const { return m_annotationDefaultPenColor; }
    void SetAnnotationDefaultPenColor(TColor value) { m_annotationDefaultPenColor = value; }
    int AnnotationDefaultPenWidth() const { return m_annotationDefaultPenWidth; }
    void SetAnnotationDefaultPenWidth(int value) { m_annotationDefaultPenWidth = value; }
    TiPlotReferenceType AnnotationDefaultReference() const { return m_annotationDefaultReference; }
    void SetAnnotationDefaultReference(TiPlotReferenceType value) { m_annotationDefaultReference = value; }
    TiPlotReferenceIndividual AnnotationDefaultReferencePositionX() const { return m_annotationReferences[0]; }
    void SetAnnotationDefaultReferencePositionX(TiPlotReferenceIndividual value) { m_annotationReferences[0] = value; }
    TiPlotReferenceIndividual AnnotationDefaultReferencePositionY() const { return m_annotationReferences[1]; }
    void SetAnnotationDefaultReferencePositionY(TiPlotReferenceIndividual value) { m_annotationReferences[1] = value; }
    TiPlotReferenceIndividual AnnotationDefaultReferenceSizeX() const { return m_annotationReferences[2]; }
    void SetAnnotationDefaultReferenceSizeX(TiPlotReferenceIndividual value) { m_annotationReferences[2] = value; }
    TiPlotReferenceIndividual AnnotationDefaultReferenceSizeY() const { return m_annotationReferences[3]; }
    void SetAnnotationDefaultReferenceSizeY(TiPlotReferenceIndividual value) { m_annotationReferences[3] = value; }
    bool ClipAnnotationsToAxes() const override { return m_clipAnnotationsToAxes; }
    void SetClipAnnotationsToAxes(bool value) { SetBooleanProperty(value, m_clipAnnotationsToAxes, irtInvalidate); }
    bool BackGroundGradientEnabled() const { return m_gradientEnabled; }
    void SetBackGroundGradientEnabled(bool value) { SetBooleanProperty(value, m_gradientEnabled, irtInvalidate); }
    TiFillDirection BackGroundGradientDirection() const { return m_gradientDirection; }
    void SetBackGroundGradientDirection(TiFillDirection value);
    TColor BackGroundGradientStartColor() const { return m_gradientStartColor; }
    void SetBackGroundGradientStartColor(TColor value) { SetColorProperty(value, m_gradientStartColor, irtInvalidate); }
    TColor BackGroundGradientStopColor() const { return m_gradientStopColor; }
    void SetBackGroundGradientStopColor(TColor value) { SetColorProperty(value, m_gradientStopColor, irtInvalidate); }
    TiPlotDataFileColumnSeparator DataFileColumnSeparator() const { return m_dataFileColumnSeparator; }
    void SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value);
    TiPlotDataFileFormat DataFileFormat() const { return m_dataFileFormat; }
    void SetDataFileFormat(TiPlotDataFileFormat value);
    // Logging itself belongs to the plot's files; the flag is what the setters above check.
    void SetLoggingActiveForFiles(bool value) { m_loggingActive = value; }

    // --- Events -----------------------------------------------------------------------------------
    // Per kind, indexed by TiPlotObjectKind. The named events below are the same slots:
    // OnAddChannel is Events(TiPlotObjectKind::Channel).OnAdd.
    TiPlotKindEvents& Events(TiPlotObjectKind kind) { return m_kindEvents[std::size_t(kind)]; }

private:
    // Declared before the named events, which refer into it.
    std::array<TiPlotKindEvents, kPlotObjectKindCount> m_kindEvents;

public:
    TiPlotObjectEvent& OnAddChannel = Events(TiPlotObjectKind::Channel).OnAdd;
    TiPlotObjectEvent& OnAddXAxis = Events(TiPlotObjectKind::XAxis).OnAdd;
    TiPlotObjectEvent& OnAddYAxis = Events(TiPlotObjectKind::YAxis).OnAdd;
    TiPlotObjectEvent& OnAddDataCursor = Events(TiPlotObjectKind::DataCursor).OnAdd;
    TiPlotObjectEvent& OnAddDataView = Events(TiPlotObjectKind::DataView).OnAdd;
    TiPlotObjectEvent& OnAddLegend = Events(TiPlotObjectKind::Legend).OnAdd;
    TiPlotObjectEvent& OnAddLimit = Events(TiPlotObjectKind::Limit).OnAdd;
    TiPlotObjectEvent& OnAddTable = Events(TiPlotObjectKind::Table).OnAdd;
    TiPlotObjectEvent& OnAddAnnotation = Events(TiPlotObjectKind::Annotation).OnAdd;
    TiPlotObjectEvent& OnRemoveChannel = Events(TiPlotObjectKind::Channel).OnRemove;
    TiPlotObjectEvent& OnRemoveXAxis = Events(TiPlotObjectKind::XAxis).OnRemove;
    TiPlotObjectEvent& OnRemoveYAxis = Events(TiPlotObjectKind::YAxis).OnRemove;
    TiPlotObjectEvent& OnRemoveDataCursor = Events(TiPlotObjectKind::DataCursor).OnRemove;
    TiPlotObjectEvent& OnRemoveDataView = Events(TiPlotObjectKind::DataView).OnRemove;
    TiPlotObjectEvent& OnRemoveLegend = Events(TiPlotObjectKind::Legend).OnRemove;
    TiPlotObjectEvent& OnRemoveLimit = Events(TiPlotObjectKind::Limit).OnRemove;
    TiPlotObjectEvent& OnRemoveTable = Events(TiPlotObjectKind::Table).OnRemove;
    TiPlotObjectEvent& OnRemoveAnnotation = Events(TiPlotObjectKind::Annotation).OnRemove;
    TiPlotObjectEvent& OnClickXAxis = Events(TiPlotObjectKind::XAxis).OnClick;
    TiPlotObjectEvent& OnClickYAxis = Events(TiPlotObjectKind::YAxis).OnClick;
    TiPlotObjectEvent& OnClickDataView = Events(TiPlotObjectKind::DataView).OnClick;
    TiPlotObjectEvent& OnClickLegend = Events(TiPlotObjectKind::Legend).OnClick;
    TiPlotObjectEvent& OnClickChannel = Events(TiPlotObjectKind::Channel).OnClick;
    TiPlotObjectEvent& OnClickLimit = Events(TiPlotObjectKind::Limit).OnClick;
    TiPlotObjectEvent& OnClickDataCursor = Events(TiPlotObjectKind::DataCursor).OnClick;
    TiPlotObjectEvent& OnClickAnnotation = Events(TiPlotObjectKind::Annotation).OnClick;
    TiPlotObjectEvent& OnDblClickXAxis = Events(TiPlotObjectKind::XAxis).OnDblClick;
    TiPlotObjectEvent& OnDblClickYAxis = Events(TiPlotObjectKind::YAxis).OnDblClick;
    TiPlotObjectEvent& OnDblClickDataView = Events(TiPlotObjectKind::DataView).OnDblClick;
    TiPlotObjectEvent& OnDblClickLegend = Events(TiPlotObjectKind::Legend).OnDblClick;
    TiPlotObjectEvent& OnDblClickChannel = Events(TiPlotObjectKind::Channel).OnDblClick;
    TiPlotObjectEvent& OnDblClickLimit = Events(TiPlotObjectKind::Limit).OnDblClick;
    TiPlotObjectEvent& OnDblClickDataCursor = Events(TiPlotObjectKind::DataCursor).OnDblClick;
    TiPlotObjectEvent& OnDblClickAnnotation = Events(TiPlotObjectKind::Annotation).OnDblClick;
    TiPlotObjectEvent& OnGotFocusChannel = Events(TiPlotObjectKind::Channel).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusXAxis = Events(TiPlotObjectKind::XAxis).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusYAxis = Events(TiPlotObjectKind::YAxis).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusDataCursor = Events(TiPlotObjectKind::DataCursor).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusDataView = Events(TiPlotObjectKind::DataView).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusLegend = Events(TiPlotObjectKind::Legend).OnGotFocus;
    TiPlotObjectEvent& OnGotFocusAnnotation = Events(TiPlotObjectKind::Annotation).OnGotFocus;
    TiPlotObjectEvent& OnLostFocusChannel = Events(TiPlotObjectKind::Channel).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusXAxis = Events(TiPlotObjectKind::XAxis).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusYAxis = Events(TiPlotObjectKind::YAxis).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusDataCursor = Events(TiPlotObjectKind::DataCursor).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusDataView = Events(TiPlotObjectKind::DataView).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusLegend = Events(TiPlotObjectKind::Legend).OnLostFocus;
    TiPlotObjectEvent& OnLostFocusAnnotation = Events(TiPlotObjectKind::Annotation).OnLostFocus;
    TiPlotObjectMouseEvent& OnMouseDownXAxis = Events(TiPlotObjectKind::XAxis).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownYAxis = Events(TiPlotObjectKind::YAxis).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownDataView = Events(TiPlotObjectKind::DataView).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownLegend = Events(TiPlotObjectKind::Legend).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownChannel = Events(TiPlotObjectKind::Channel).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownLimit = Events(TiPlotObjectKind::Limit).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownDataCursor = Events(TiPlotObjectKind::DataCursor).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseDownAnnotation = Events(TiPlotObjectKind::Annotation).OnMouseDown;
    TiPlotObjectMouseEvent& OnMouseUpXAxis = Events(TiPlotObjectKind::XAxis).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpYAxis = Events(TiPlotObjectKind::YAxis).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpDataView = Events(TiPlotObjectKind::DataView).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpLegend = Events(TiPlotObjectKind::Legend).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpChannel = Events(TiPlotObjectKind::Channel).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpLimit = Events(TiPlotObjectKind::Limit).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpDataCursor = Events(TiPlotObjectKind::DataCursor).OnMouseUp;
    TiPlotObjectMouseEvent& OnMouseUpAnnotation = Events(TiPlotObjectKind::Annotation).OnMouseUp;
    TiPlotObjectMouseMoveEvent& OnMouseMoveXAxis = Events(TiPlotObjectKind::XAxis).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveYAxis = Events(TiPlotObjectKind::YAxis).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveDataView = Events(TiPlotObjectKind::DataView).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveLegend = Events(TiPlotObjectKind::Legend).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveChannel = Events(TiPlotObjectKind::Channel).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveLimit = Events(TiPlotObjectKind::Limit).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveDataCursor = Events(TiPlotObjectKind::DataCursor).OnMouseMove;
    TiPlotObjectMouseMoveEvent& OnMouseMoveAnnotation = Events(TiPlotObjectKind::Annotation).OnMouseMove;
    TiPlotObjectMouseWheelEvent& OnMouseWheelXAxis = Events(TiPlotObjectKind::XAxis).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelYAxis = Events(TiPlotObjectKind::YAxis).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelDataView = Events(TiPlotObjectKind::DataView).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelLegend = Events(TiPlotObjectKind::Legend).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelChannel = Events(TiPlotObjectKind::Channel).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelLimit = Events(TiPlotObjectKind::Limit).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelDataCursor = Events(TiPlotObjectKind::DataCursor).OnMouseWheel;
    TiPlotObjectMouseWheelEvent& OnMouseWheelAnnotation = Events(TiPlotObjectKind::Annotation).OnMouseWheel;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorChannel = Events(TiPlotObjectKind::Channel).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorXAxis = Events(TiPlotObjectKind::XAxis).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorYAxis = Events(TiPlotObjectKind::YAxis).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorDataCursor = Events(TiPlotObjectKind::DataCursor).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorDataView = Events(TiPlotObjectKind::DataView).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorLegend = Events(TiPlotObjectKind::Legend).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorLimit = Events(TiPlotObjectKind::Limit).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorTable = Events(TiPlotObjectKind::Table).OnGetMouseCursor;
    TiPlotObjectGetMouseCursorEvent& OnGetMouseCursorAnnotation = Events(TiPlotObjectKind::Annotation).OnGetMouseCursor;
    TiPlotPopupMenuEvent& OnPopupMenuChannel = Events(TiPlotObjectKind::Channel).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuXAxis = Events(TiPlotObjectKind::XAxis).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuYAxis = Events(TiPlotObjectKind::YAxis).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuDataCursor = Events(TiPlotObjectKind::DataCursor).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuDataView = Events(TiPlotObjectKind::DataView).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuLegend = Events(TiPlotObjectKind::Legend).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuLimit = Events(TiPlotObjectKind::Limit).OnPopupMenu;
    TiPlotPopupMenuEvent& OnPopupMenuAnnotation = Events(TiPlotObjectKind::Annotation).OnPopupMenu;
    TiPlotObjectEvent OnDataCursorChange;
    TiPlotObjectCustomizeTextEvent OnDataCursorCustomizeHint, OnXAxisCustomizeHint, OnYAxisCustomizeHint,
        OnToolBarCustomizeHint;
    TiPlotClickDataPointEvent OnClickDataPoint, OnDblClickDataPoint;
    TiPlotDataPointMouseEvent OnMouseDownDataPoint, OnMouseUpDataPoint;
    TiPlotDataPointMouseMoveEvent OnMouseMoveDataPoint;
    TiPlotDataPointMovedEvent OnDataPointMoved;
    TiPlotDataPointCustomizeTextEvent OnDataPointCustomizeHint;
    TiPlotObjectDoubleValueChangeEvent OnXAxisMinChange, OnXAxisSpanChange, OnYAxisMinChange, OnYAxisSpanChange;
    TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChange, OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChange,
        OnYAxisMinSpanChangeFinished;
    TiPlotAxesCustomizeLabelEvent OnXAxisCustomizeLabel, OnYAxisCustomizeLabel;
    TNotifyEvent OnAfterPaint;
    Event<TObject*, TRect&, bool&> OnBeforeZoomBox;
    Event<TObject*, int, TiPlotToolBarButtonType> OnToolBarButtonClick;
    Event<TObject*, int, TiPlotToolBarButtonType, bool&> OnBeforeToolBarButtonClick;

    // --- IPlotHost ------------------------------------------------------------------------------
    std::string TranslateText(const std::string& text) override;
    TPoint PlotClientToScreen(TPoint clientPoint) override;
    void DoObjectClick(TiPlotObject* object) override;
    void DoObjectMouseDown(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y) override;
    void DoObjectMouseMove(TiPlotObject* object, TShiftState shift, int x, int y) override;
    void DoObjectMouseUp(TiPlotObject* object, TMouseButton button, TShiftState shift, int x, int y) override;
    void DoObjectMouseWheel(TiPlotObject* object, int wheelDelta, TShiftState shift, int x, int y) override;
    void DoGetMouseCursor(TiPlotObject* object, TCursor& cursor) override;
    void DoObjectGotFocus(TiPlotObject* object) override;
    void DoObjectLostFocus(TiPlotObject* object) override;
    void DoPopUpMenuEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY) override;
    char GetSavingSeparator() override { return m_dataFileColumnSeparator == ipdfcsComma ? ',' : '\t'; }
    bool GetSelectModeActive() override;
    bool DoIsDesigning() override { return GetIsDesigning(); }
    TRect GetDataViewRect() override;
    TPoint GetHintTextExtent(const std::string& text) override;
    void DoDataPointMouseDown(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData) override;
    void DoDataPointMouseMove(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData) override;
    void DoDataPointMouseUp(TiPlotChannelCustom* channel, int index, const TiPlotMouseData& mouseData) override;
    void DoDataPointClick(TiPlotChannelCustom* channel, int index) override;
    void DoDataPointMoved(TiPlotChannelCustom* channel, int index, double oldX, double oldY, double newX,
                          double newY) override;
    void DoDataPointCustomizeHint(TiPlotChannelCustom* channel, int index, std::string& text) override;
    std::vector<TiPlotObject*> GetAllObjects() override;
    bool GetMasterAxisInputGuard() override { return m_forwardingMasterInput; }
    void SetMasterAxisInputGuard(bool value) override { m_forwardingMasterInput = value; }
    void EditProperties() override { m_master->EditProperties(); }
    void DoBeforeZoomBox(TRect& zoomRect, bool& cancel) override { OnBeforeZoomBox(this, zoomRect, cancel); }
    void DoToolBarButtonBeforeClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType button, bool& cancel) override;
    void DoToolBarButtonClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType button) override;
    void DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text) override;
    TImageList* GetPlotImageList(int index) override;
    bool IsStripChartPlot() const override { return false; }
    bool CalcLayoutNow() override
    {
        ReCalcLayout();
        return true;
    }

    // --- IPlotAxisHost --------------------------------------------------------------------------
    void DoAxesMinChange(TiPlotAxis* axis, double oldMin, double newMin) override;
    void DoAxesSpanChange(TiPlotAxis* axis, double oldSpan, double newSpan) override;
    void DoAxesMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin, double newSpan) override;
    TiPlotAxisScaleEvents ScaleEvents(bool xAxis) const override;
    void DoAxesMinSpanChangeFinished(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                     double newSpan) override;
    void DoAxesCustomizeLabel(TiPlotAxis* axis, double value, std::string& text) override;
    void DoXAxisCustomizeHint(TiPlotAxis* axis, std::string& text) override;
    void DoYAxisCustomizeHint(TiPlotAxis* axis, std::string& text) override;
    void MasterAxisMouseLeft(TiPlotAxis* axis, const TiPlotMouseData& mouseData) override;
    void MasterAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& mouseData) override;
    void MasterAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& mouseData) override;
    void MasterAxisMouseWheel(TiPlotAxis* axis, int wheelDelta, TShiftState shift, int x, int y) override;
    void MasterAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) override;
    std::vector<TiPlotAxisDataRange> GetAxisDataRanges(bool xAxis, const std::string& axisName, bool running) override;

    // --- Form description -------------------------------------------------------------------------
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

    // --- Plot files (iPlotComponentFiles.cpp) ---------------------------------------------------
    // The property file: "File Type = Plot Config", the object counts, every object's
    // published properties under its kind and index ("Channel0.TitleText = ..."), then the
    // control's own. A load replaces the objects (toolbar 0 and the title label are kept and
    // refilled); a file that does not fit or holds a value that does not convert changes
    // nothing, and the plot stays usable.
    // Failures raise "Error Saving Properties - ..." / "Error Loading Properties - ...".
    void SavePropertiesToFile(const std::string& fileName) override;
    void LoadPropertiesFromFile(const std::string& fileName) override;
    // The annotation file: "AnnotationCount = n", then every annotation's published properties
    // under "Annotation" and its index. A load replaces the annotations; a file that does not
    // fit or holds a value that does not convert changes nothing.
    // Failures raise "Error Saving Annotations - ..." / "Error Loading Annotations - ...".
    void SaveAnnotationsToFile(const std::string& fileName);
    void LoadAnnotationsFromFile(const std::string& fileName);
    // The points of every channel, as text columns or in the compact binary form
    // (DataFileFormat). Loading reads data files and logs of both forms and adds their points
    // to the existing channels; a file that does not read adds nothing ("Error Loading Data - ").
    void SaveDataToFile(const std::string& fileName);
    void LoadDataFromFile(const std::string& fileName);
    // Logging appends the rows AddDataArray adds to LogFileName, every LogBufferSize rows.
    void LogActivate(bool append);
    void LogDeactivate();
    void WriteLog();

    TNotifyEvent OnAfterSaveProperties;
    TNotifyEvent OnBeforeLoadProperties;
    TNotifyEvent OnAfterLoadProperties;
    TNotifyEvent OnAfterSaveData;
    TNotifyEvent OnAfterLoadData;

private:
    void SaveDataToFileText(const std::string& fileName);
    void SaveDataToFileCompactInterval(const std::string& fileName);
    void RehearsePropertyLines(const TStrings& lines) const;
    void ApplyPropertyLines(TStrings& lines, bool rehearsal);
    void ApplyAnnotationLines(TStrings& lines);
    void LoadObjectBlocks(TiPlotObjectKind kind, const std::string& kindPrefix, int count, const TStrings& lines,
                          int& index);
    // Writes the log when the pending rows have reached LogBufferSize.
    void WriteLogWhenDue();
    std::string LogTextRow(int row, char separator) const;
    void WriteCompactRow(TStream& stream, int row) const;

protected:
    // Hooks of the master manager.
    virtual void MasterInsert(TObject* sender);
    virtual void MasterRemove(TObject* sender);
    virtual void MasterChange(TObject* sender);

    // False while the plot's channel class is missing (an XY plot before its channels land).
    virtual bool CanMakeChannels() const { return true; }
    // Adds an object of the kind when its class is registered; -1 when it is not.
    int AddDefaultObject(TiPlotObjectKind kind);
    // The default objects of the strip-chart and XY plots, with the layout manager switched off.
    void CreateDefaultObjects();

private:
    TiPlotObjectOwnedManager& Manager(TiPlotObjectKind kind) const;
    // The path under the named Add, Delete and RemoveAll of every kind. A new annotation takes
    // the plot's annotation defaults; the title (label 0) is never deleted, and labels leave
    // with the ordinary repaint of their removal.
    int AddObject(TiPlotObjectKind kind);
    void DeleteObject(TiPlotObjectKind kind, int index);
    void RemoveAll(TiPlotObjectKind kind);
    void ApplyAnnotationDefaults(TiPlotObject& annotation) const;
    TiPlotLayoutObject* TitleLabel() const;
    void SetAllTracking(bool enabled);
    int IndexOf(TiPlotObject* object, TiPlotObjectKind& kind) const;
    template <class Fire>
    void ForwardToOtherAxes(TiPlotAxis* axis, Fire fire);
    int ChannelIndex(TiPlotChannelCustom* channel) const;
    void AddPoint(TiPlotChannelCustom& channel, double x, double y, bool null, bool empty);
    void FillLayerList();
    void DrawHint(TCanvas& canvas);
    void ReadImageList(int index, TReader& reader);
    void WriteImageList(int index, TWriter& writer);

    std::unique_ptr<TiPlotMasterManager> m_master;
    // The change path of the plot's own: an object's notification to the master manager and
    // the master manager's to the plot's repaint.
    TiPlotChangeRoute m_changeRoute;
    std::unique_ptr<TPopupMenu> m_popupMenu;
    std::unique_ptr<TFont> m_hintsFont;
    std::array<std::unique_ptr<TImageList>, 3> m_imageLists;
    std::unique_ptr<TFont> m_annotationDefaultFont;

    int m_outerMarginLeft = 5;
    int m_outerMarginTop = 5;
    int m_outerMarginRight = 5;
    int m_outerMarginBottom = 5;
    TPrinterOrientation m_printOrientation = poLandscape;
    std::array<double, 4> m_printMargins{1.0, 1.0, 1.0, 1.0};
    bool m_printShowDialog = true;
    std::string m_printDocumentName = "Untitled";
    std::string m_printerName;
    int m_hintsPause = 500;
    int m_hintsHidePause = 2500;
    bool m_hintsShow = true;
    TiPlotExportFormat m_copyToClipBoardFormat = ipefMetaFile;
    std::string m_logFileName;
    int m_logBufferSize = 0;
    bool m_loggingActive = false;
    int m_pendingLogRowCount = 0;
    TBrushStyle m_annotationDefaultBrushStyle = bsSolid;
    TColor m_annotationDefaultBrushColor = TColor(0xFFFFFF);
    TPenStyle m_annotationDefaultPenStyle = psSolid;
    TColor m_annotationDefaultPenColor = TColor(0xFFFFFF);
    int m_annotationDefaultPenWidth = 1;
    TiPlotReferenceType m_annotationDefaultReference = iprtDataView;
    std::array<TiPlotReferenceIndividual, 4> m_annotationReferences{ipriAuto, ipriAuto, ipriAuto, ipriAuto};
    bool m_clipAnnotationsToAxes = true;
    bool m_gradientEnabled = false;
    TiFillDirection m_gradientDirection = ifdTopBottom;
    TColor m_gradientStartColor = TColor(0xFF0000);
    TColor m_gradientStopColor = TColor(0);
    TiPlotDataFileColumnSeparator m_dataFileColumnSeparator = ipdfcsTab;
    TiPlotDataFileFormat m_dataFileFormat = ipdffText;

    // Layout and paint state.
    std::array<TiPlotLayoutList, 4> m_visibleSides;  // indexed by TiPlotLayoutSide
    TiPlotKeyedList<TiPlotObject> m_layerList;
    std::vector<TRect> m_axesCollisions;
    bool m_forwardingMasterInput = false;
    std::string m_hintText;
    int m_hintLeft = 0;
    int m_hintTop = 0;
    bool m_hintShowing = false;
    bool m_hintPainted = false;
    // A form is being read: switched on again by Loaded.
    bool m_readingForm = false;

    // --- Clipboard, image files and printing (iPlotComponentExport.cpp) ------------------------
    // Every picture is painted by iPaintTo onto a foreign canvas. The copy, the image files and
    // the printed pages leave the user's selection out; the copy and the pages also leave the
    // toolbars out (all toolbars come back shown or hidden as toolbar 0 was).
public:
    // The picture in CopyToClipBoardFormat: an enhanced metafile ("image/emf"), a bitmap, or
    // JPEG bytes ("image/jpeg", quality 100); each with an image other programs can paste.
    void CopyToClipBoard() override;
    // The plot as it shows now, toolbars and selection included, as a metafile held in the
    // control's picture (owned by the control, replaced by the next snapshot).
    TPicture* GetSnapShotPicture();
    // Asks for a file name and saves the picture in the format the name's last three
    // characters give, compared with case: "bmp", "emf", "jpg" (quality 100, progressive) or
    // "png" (level 9). Any other ending saves nothing.
    void Save() override;
    // Prints X axis 0's range from its Min to its maximum, one page for each span the axis
    // shows after OnBeforePrint, each page holding the plot scaled into the print margins.
    // Failures raise "Error Printing : " and their message; the toolbars, X axis 0, the size
    // and the outer margins are put back and the print job is closed whatever happens.
    void PrintChart() override;
    // Opens the print preview the editors' library registers (a modal form with this plot's
    // print settings); nothing without that library.
    void PreviewChart() override;
    // For OnBeforePrint handlers. The paper is that of the last print, or the printer's as
    // PrintOrientation turns it when nothing has been printed yet.
    // Makes the control's height take the paper's proportions to its width.
    void PrintSizeToFillPage();
    // Sets X axis 0's span so that a page printed at the height of the paper shows
    // `minutesPerMillimeter` minutes (X in days) per millimetre.
    void PrintAdjustXSpanToMinutesPerMillimeter(double minutesPerMillimeter);

    TNotifyEvent OnBeforePrint;
    TNotifyEvent OnAfterPrint;
    TiPlotPrintPageEvent OnBeforePrintPage;

private:
    void DoPrintChart();
    void DoPrintPage(const TRect& pageRect);
    void PrintPages(int dpiX, int dpiY, int offsetX, int offsetY);
    // The factor from control pixels to printer pixels that fits the control into the margins.
    double PrintScale(int dpiX, int dpiY) const;
    void CheckPrintableSize() const;
    void TakePrinterPaperSize();
    void PaintToControlMetafile(const std::string& description);
    void SaveImageByEnding(const std::string& fileName);

    std::unique_ptr<TMetafile> m_metafile;
    std::unique_ptr<TPicture> m_picture;
    std::unique_ptr<TSaveDialog> m_savePicker;
    double m_paperWidth = 0;
    double m_paperHeight = 0;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    double m_printStart = 0;
    double m_printStop = 0;

    // --- Input dispatch (iPlotComponentInput.cpp) -------------------------------------------------
    // Mouse, wheel and keys reach the plot objects: the object under the mouse, or the objects
    // the user selected, as each kind of input asks; hints show after the mouse rested on an
    // object. Events of data cursors, limits and annotations are fired through IPlotHost.
public:
    TiPlotObjectEvent OnBeforeDataCursorUpdate, OnAnnotationCoordinatesChange, OnAnnotationMoveUser,
        OnAnnotationResizeUser, OnAnnotationCoordinatesChangeFinished;
    TiPlotObjectDoubleValueChangeEvent OnLimitLine1PositionChange, OnLimitLine2PositionChange;

    void DoDataCursorCustomizeHint(TiPlotObject* cursor, std::string& text) override;
    void DoBeforeDataCursorUpdate(TiPlotObject* cursor) override;
    void DoLimitLine1PositionChange(TiPlotObject* limit, double oldValue, double newValue) override;
    void DoLimitLine2PositionChange(TiPlotObject* limit, double oldValue, double newValue) override;
    void DoAnnotationCoordinatesChange(TiPlotObject* annotation) override;
    void DoAnnotationMoveUser(TiPlotObject* annotation) override;
    void DoAnnotationResizeUser(TiPlotObject* annotation) override;
    void DoAnnotationCoordinatesChangeFinished(TiPlotObject* annotation) override;
    bool KeepReleasedObject(TiPlotObject* object) override;
    const TiPlotChangeRoute& ChangeRoute() override { return m_changeRoute; }
    // True when an object's change notification `onChange` would only ask for the plot's
    // repaint, nobody else hearing of it.
    bool ChangeOnlyRepaints(const TNotifyEvent& onChange) const { return m_changeRoute.OnlyRepaints(onChange); }

    // The object that takes the mouse at the point of `mouseData` (a button of a toolbar,
    // legend or table where one is hit); nullptr when none.
    TiPlotObject* FindMouseObject(const TiPlotMouseData& mouseData);
    void UpdateAxisPixels(TiPlotMouseData& mouseData) const;
    // Hides the hint and stops the hint timer.
    void KillHint();
    TiPlotObject* MouseDownObject() const { return m_mouseDownObject; }
    TiPlotObject* MouseOverObject() const { return m_mouseOverObject; }
    TiPlotObject* HintObject() const { return m_hintObject; }
    const std::string& HintText() const { return m_hintText; }
    TPoint HintPosition() const { return {m_hintLeft, m_hintTop}; }

protected:
    void iWantSpecialKey(int& key, int& result) override;
    void iKeyDown(int& key, TShiftState shift) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iDoubleClick() override;
    bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) override;
    void CaptureChanged(TControl* newHolder) override;

private:
    class TInputScope;
    void HintTimer(TObject* sender);
    void RestartHintTimer(int interval);
    void HintStep(const TiHintData& hintData, TiPlotObject* over, int x, int y);
    void SelectPressedObject(TiPlotObject& object, TShiftState shift);
    void DeliverStaleRelease(TShiftState shift, int x, int y, TPoint screen);
    // Drops every input reference to the object leaving the plot or to a button of it.
    void ForgetInputObject(const TiPlotObject* removed);
    // The index of the object in the manager of its kind when the plot fires that kind's
    // events of the family; -1 otherwise, and always while a form is being read.
    enum class TEventFamily { Object, Wheel, Cursor, Focus };
    int EventIndex(TiPlotObject* object, TEventFamily family, TiPlotObjectKind& kind) const;
    // Fires an event of one kind with the object's index in its manager, unless a form is read.
    template <class Event, class... Args>
    void FireForObject(const Event& event, TiPlotObject* object, Args&&... args);

    bool m_buttonHeld = false;
    TiPlotObject* m_mouseDownObject = nullptr;
    TiPlotObject* m_mouseOverObject = nullptr;
    bool m_axisMultiSelect = false;
    bool m_doubleClick = false;
    TiPlotObject* m_hintObject = nullptr;
    TPoint m_hintAnchor;
    TRect m_hintDeadZone;
    int m_inputDepth = 0;
    // Released while input was being handled; freed when the outermost input returns.
    std::vector<std::unique_ptr<TiPlotObject>> m_keptReleased;
};

// The X axis 0 range, the size and the outer margins a print handler (OnBeforePrint) may
// change, put back however the scope ends: by the printing and by the print preview, which
// fires the same handlers on every paint.
class TiPlotPrintedState {
public:
    explicit TiPlotPrintedState(TiPlotComponent& plot);
    TiPlotPrintedState(const TiPlotPrintedState&) = delete;
    TiPlotPrintedState& operator=(const TiPlotPrintedState&) = delete;
    ~TiPlotPrintedState();

private:
    TiPlotComponent& m_plot;
    double m_xMin;
    double m_xSpan;
    int m_width;
    int m_height;
    std::array<int, 4> m_outerMargins;
};
