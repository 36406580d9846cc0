#include "plot/core/iPlotComponent.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"
#include "platform/gui/Menus.h"
#include "plot/core/iPlotPaintRoles.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iXYPlotChannel.h"

#include <algorithm>

PRAVIX_ENUM_INFO(TiPlotEditorFormStyle, ipfsModal, ipfsStayOnTop)

namespace {

// The kinds whose add, remove, click and mouse events the plot publishes, in the order an
// object's kind is tested.
bool KindHasObjectEvents(TiPlotObjectKind kind)
{
    return kind != TiPlotObjectKind::ToolBar && kind != TiPlotObjectKind::Label;
}

template <class T>
T* Role(TiPlotObject* object)
{
    return dynamic_cast<T*>(object);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TiPlotComponent::TiPlotComponent(TComponent* owner) : TiCustomComponent(owner)
{
    SetBounds(Left(), Top(), 500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);

    RegisterLayoutManagerWithMasterManagers();
    m_master = std::make_unique<TiPlotMasterManager>(static_cast<IPlotHost*>(this));
    m_objectChangePath = TNotifyEvent::Bind(m_master.get(), &TiPlotMasterManager::NotificationChange);
    m_masterChangePath = TNotifyEvent::Bind(this, &TiPlotComponent::MasterChange);
    m_master->OnChange = m_masterChangePath;
    m_master->OnRemove = TNotifyEvent::Bind(this, &TiPlotComponent::MasterRemove);
    m_master->OnInsert = TNotifyEvent::Bind(this, &TiPlotComponent::MasterInsert);
    m_master->OnInvalidateNow = TNotifyEvent::Bind(static_cast<TiComponent*>(this), &TiComponent::InvalidateNowEvent);

    // Not a child of the control: the form description holds no menu of the plot's.
    m_popupMenu = std::make_unique<TPopupMenu>(nullptr);
    m_master->SetUserCanAddRemoveChannels(false);
    m_hintsFont = std::make_unique<TFont>();
    for (auto& list : m_imageLists)
        list = std::make_unique<TImageList>(24, 24);
    m_annotationDefaultFont = std::make_unique<TFont>();
    m_annotationDefaultFont->SetColor(clWhite);
    OnInternalTimer = TNotifyEvent::Bind(this, &TiPlotComponent::HintTimer);
}

TiPlotComponent::~TiPlotComponent()
{
    ClearAxesCollisionList();
    if (TiPlotObjectManager* objects = GetPlotObjectManager())
        objects->ShutDownSetup();
    m_master.reset();
}

TiPlotLayoutManager* TiPlotComponent::GetLayoutManager() const
{
    return static_cast<TiPlotLayoutManager*>(m_master->LayoutManager());
}

int TiPlotComponent::AddDefaultObject(TiPlotObjectKind kind)
{
    if (!FindPlotKindClass(kind) || (kind == TiPlotObjectKind::Channel && !CanMakeChannels()))
        return -1;
    return AddObject(kind);
}

void TiPlotComponent::CreateDefaultObjects()
{
    TiPlotLayoutManager* layout = GetLayoutManager();
    layout->SetEnabled(false);
    auto setZOrder = [this](TiPlotObjectKind kind, int index, int z) {
        if (index >= 0)
            LayoutItem(kind, index)->SetZOrder(z);
    };
    setZOrder(TiPlotObjectKind::ToolBar, AddDefaultObject(TiPlotObjectKind::ToolBar), 3);
    setZOrder(TiPlotObjectKind::Legend, AddDefaultObject(TiPlotObjectKind::Legend), 2);
    AddDefaultObject(TiPlotObjectKind::XAxis);
    AddDefaultObject(TiPlotObjectKind::YAxis);
    AddDefaultObject(TiPlotObjectKind::Channel);
    AddDefaultObject(TiPlotObjectKind::DataView);
    AddDefaultObject(TiPlotObjectKind::DataCursor);
    const int title = AddDefaultObject(TiPlotObjectKind::Label);
    if (title >= 0) {
        TiPlotLayoutObject* label = LayoutItem(TiPlotObjectKind::Label, title);
        label->SetZOrder(2);
        label->SetName("Title");
        if (const TPropertyRef caption = FindProperty(*label, "Caption"))
            caption.SetString("Untitled");
        if (const TPropertyRef margin = FindProperty(*label, "MarginBottom"))
            margin.SetFloat(0);
    }
    layout->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Master manager hooks

int TiPlotComponent::IndexOf(TiPlotObject* object, TiPlotObjectKind& kind) const
{
    if (!object || !GetPlotObjectKind(object, kind))
        return -1;
    TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
    return manager ? manager->GetIndex(object) : -1;
}

void TiPlotComponent::MasterInsert(TObject* sender)
{
    TiPlotObjectKind kind;
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (!object || !GetPlotObjectKind(object, kind) || !KindHasObjectEvents(kind))
        return;
    const TiPlotObjectEvent& event = Events(kind).OnAdd;
    if (event)
        event(this, IndexOf(object, kind));
}

void TiPlotComponent::MasterRemove(TObject* sender)
{
    TiPlotObjectKind kind;
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    ForgetInputObject(object);
    if (!object || !GetPlotObjectKind(object, kind) || !KindHasObjectEvents(kind))
        return;
    const TiPlotObjectEvent& event = Events(kind).OnRemove;
    if (event)
        event(this, IndexOf(object, kind));
}

void TiPlotComponent::MasterChange(TObject*) { InvalidateChange(); }

bool TiPlotComponent::ChangeOnlyRepaints(const TNotifyEvent& onChange)
{
    return onChange == m_objectChangePath && m_master->OnChange == m_masterChangePath;
}

// ---------------------------------------------------------------------------------------------
// Object API

TiPlotObjectOwnedManager& TiPlotComponent::Manager(TiPlotObjectKind kind) const
{
    TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
    if (!manager)
        throw Exception(std::string("No manager for ") + PlotObjectKindName(kind));
    return *manager;
}

int TiPlotComponent::Count(TiPlotObjectKind kind) const
{
    TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
    return manager ? manager->GetCount() : 0;
}

TiPlotLayoutObject* TiPlotComponent::LayoutItem(TiPlotObjectKind kind, int index) const
{
    return Manager(kind).GetItemAs<TiPlotLayoutObject>(index);
}

int TiPlotComponent::AddObject(TiPlotObjectKind kind) { return m_master->AddObject(kind); }

void TiPlotComponent::DeleteObject(TiPlotObjectKind kind, int index)
{
    ReleasePlotObject(Manager(kind).GetObject(index));
    InvalidateNow();
}

void TiPlotComponent::RemoveAll(TiPlotObjectKind kind)
{
    Manager(kind).Clear();
    InvalidateNow();
}

int TiPlotComponent::AddChannel() { return AddObject(TiPlotObjectKind::Channel); }
int TiPlotComponent::AddDataView() { return AddObject(TiPlotObjectKind::DataView); }
int TiPlotComponent::AddDataCursor() { return AddObject(TiPlotObjectKind::DataCursor); }
int TiPlotComponent::AddXAxis() { return AddObject(TiPlotObjectKind::XAxis); }
int TiPlotComponent::AddYAxis() { return AddObject(TiPlotObjectKind::YAxis); }
int TiPlotComponent::AddLegend() { return AddObject(TiPlotObjectKind::Legend); }
int TiPlotComponent::AddTable() { return AddObject(TiPlotObjectKind::Table); }
int TiPlotComponent::AddToolBar() { return AddObject(TiPlotObjectKind::ToolBar); }
int TiPlotComponent::AddLimit() { return AddObject(TiPlotObjectKind::Limit); }
int TiPlotComponent::AddLabel() { return AddObject(TiPlotObjectKind::Label); }

int TiPlotComponent::AddAnnotation()
{
    const int index = AddObject(TiPlotObjectKind::Annotation);
    TiPlotObject& annotation = *Item(TiPlotObjectKind::Annotation, index);
    // The plot's defaults, through the annotation's published properties.
    auto setOrd = [&annotation](const char* name, std::int64_t value) {
        if (const TPropertyRef property = FindProperty(annotation, name))
            property.SetOrd(value);
    };
    setOrd("BrushStyle", m_annotationDefaultBrushStyle);
    setOrd("BrushColor", m_annotationDefaultBrushColor);
    setOrd("PenStyle", m_annotationDefaultPenStyle);
    setOrd("PenColor", m_annotationDefaultPenColor);
    setOrd("PenWidth", m_annotationDefaultPenWidth);
    setOrd("Reference", m_annotationDefaultReference);
    setOrd("ReferencePositionX", m_annotationReferences[0]);
    setOrd("ReferencePositionY", m_annotationReferences[1]);
    setOrd("ReferenceSizeX", m_annotationReferences[2]);
    setOrd("ReferenceSizeY", m_annotationReferences[3]);
    if (const TPropertyRef font = FindProperty(annotation, "Font"))
        if (auto* target = dynamic_cast<TFont*>(font.GetObject()))
            target->Assign(*m_annotationDefaultFont);
    return index;
}

int TiPlotComponent::AddTranslation(const std::string& originalString, const std::string& replacementString)
{
    const int index = m_master->AddTranslation();
    TiPlotTranslationObject* entry = GetTranslationManager()->GetItem(index);
    entry->SetOriginalString(originalString);
    entry->SetReplacementString(replacementString);
    return index;
}

void TiPlotComponent::DeleteToolBar(int index) { DeleteObject(TiPlotObjectKind::ToolBar, index); }
void TiPlotComponent::DeleteLegend(int index) { DeleteObject(TiPlotObjectKind::Legend, index); }
void TiPlotComponent::DeleteTable(int index) { DeleteObject(TiPlotObjectKind::Table, index); }
void TiPlotComponent::DeleteXAxis(int index) { DeleteObject(TiPlotObjectKind::XAxis, index); }
void TiPlotComponent::DeleteYAxis(int index) { DeleteObject(TiPlotObjectKind::YAxis, index); }
void TiPlotComponent::DeleteDataView(int index) { DeleteObject(TiPlotObjectKind::DataView, index); }
void TiPlotComponent::DeleteDataCursor(int index) { DeleteObject(TiPlotObjectKind::DataCursor, index); }
void TiPlotComponent::DeleteChannel(int index) { DeleteObject(TiPlotObjectKind::Channel, index); }
void TiPlotComponent::DeleteAnnotation(int index) { DeleteObject(TiPlotObjectKind::Annotation, index); }
void TiPlotComponent::DeleteLimit(int index) { DeleteObject(TiPlotObjectKind::Limit, index); }

void TiPlotComponent::DeleteLabel(int index)
{
    if (index == 0)
        throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    // The label's removal asks for the ordinary repaint.
    ReleasePlotObject(Manager(TiPlotObjectKind::Label).GetObject(index));
}

void TiPlotComponent::DeleteTranslation(int index)
{
    GetTranslationManager()->Delete(index);
    InvalidateNow();
}

void TiPlotComponent::RemoveAllToolBars() { RemoveAll(TiPlotObjectKind::ToolBar); }
void TiPlotComponent::RemoveAllLegends() { RemoveAll(TiPlotObjectKind::Legend); }
void TiPlotComponent::RemoveAllTables() { RemoveAll(TiPlotObjectKind::Table); }
void TiPlotComponent::RemoveAllXAxes() { RemoveAll(TiPlotObjectKind::XAxis); }
void TiPlotComponent::RemoveAllYAxes() { RemoveAll(TiPlotObjectKind::YAxis); }
void TiPlotComponent::RemoveAllDataViews() { RemoveAll(TiPlotObjectKind::DataView); }
void TiPlotComponent::RemoveAllDataCursors() { RemoveAll(TiPlotObjectKind::DataCursor); }
void TiPlotComponent::RemoveAllChannels() { RemoveAll(TiPlotObjectKind::Channel); }
void TiPlotComponent::RemoveAllAnnotations() { RemoveAll(TiPlotObjectKind::Annotation); }
void TiPlotComponent::RemoveAllLimits() { RemoveAll(TiPlotObjectKind::Limit); }

void TiPlotComponent::RemoveAllLabels()
{
    TiPlotObjectOwnedManager& labels = Manager(TiPlotObjectKind::Label);
    while (labels.GetCount() > 1)
        ReleasePlotObject(labels.GetObject(1));
}

void TiPlotComponent::RemoveAllTranslations()
{
    GetTranslationManager()->Clear();
    InvalidateNow();
}

int TiPlotComponent::TranslationCount() const
{
    return GetTranslationManager() ? GetTranslationManager()->GetCount() : 0;
}

TiPlotChannelCustom* TiPlotComponent::GetChannelCustom(int index) const
{
    return Manager(TiPlotObjectKind::Channel).GetItemAs<TiPlotChannelCustom>(index);
}

TiPlotChannelCustom* TiPlotComponent::GetChannel(int index)
{
    if (index < 0 || index >= ChannelCount())
        return nullptr;
    return GetChannelCustom(index);
}

TiPlotXAxis* TiPlotComponent::GetXAxis(int index)
{
    return Manager(TiPlotObjectKind::XAxis).GetItemAs<TiPlotXAxis>(index);
}

TiPlotYAxis* TiPlotComponent::GetYAxis(int index)
{
    return Manager(TiPlotObjectKind::YAxis).GetItemAs<TiPlotYAxis>(index);
}

std::string TiPlotComponent::GetTranslationOriginalString(int index) const
{
    return GetTranslationManager()->GetItem(index)->OriginalString();
}

std::string TiPlotComponent::GetTranslationReplacementString(int index) const
{
    return GetTranslationManager()->GetItem(index)->ReplacementString();
}

void TiPlotComponent::LoadTranslationsFromFile(const std::string& fileName)
{
    GetTranslationManager()->LoadFromFile(fileName);
}

void TiPlotComponent::SaveTranslationsToFile(const std::string& fileName)
{
    GetTranslationManager()->SaveToFile(fileName);
}

TiPlotObject* TiPlotComponent::GetObjectByName(TiPlotObjectKind kind, const std::string& name) const
{
    TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
    return manager ? manager->GetObjectByName(name) : nullptr;
}

int TiPlotComponent::GetIndexByName(TiPlotObjectKind kind, const std::string& name) const
{
    TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
    return manager ? manager->GetIndexByName(name) : -1;
}

TiPlotChannelCustom* TiPlotComponent::GetChannelByName(const std::string& name)
{
    return dynamic_cast<TiPlotChannelCustom*>(GetObjectByName(TiPlotObjectKind::Channel, name));
}

TiPlotXAxis* TiPlotComponent::GetXAxisByName(const std::string& name)
{
    return dynamic_cast<TiPlotXAxis*>(GetObjectByName(TiPlotObjectKind::XAxis, name));
}

TiPlotYAxis* TiPlotComponent::GetYAxisByName(const std::string& name)
{
    return dynamic_cast<TiPlotYAxis*>(GetObjectByName(TiPlotObjectKind::YAxis, name));
}

// ---------------------------------------------------------------------------------------------
// Other operations

void TiPlotComponent::ClearAllData()
{
    // The rows still pending belong to the log before the points go.
    if (m_loggingActive)
        LogDeactivate();
    m_master->ClearAllData();
}

void TiPlotComponent::SetAllTracking(bool enabled)
{
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->SetTrackingEnabled(enabled);
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->SetTrackingEnabled(enabled);
}

void TiPlotComponent::DisableLayoutManager() { GetLayoutManager()->SetEnabled(false); }
void TiPlotComponent::EnableLayoutManager() { GetLayoutManager()->SetEnabled(true); }

void TiPlotComponent::RefreshLayoutManager()
{
    DisableLayoutManager();
    EnableLayoutManager();
}

TiPlotToolBar* TiPlotComponent::GetToolBar(int index)
{
    if (index < 0 || index >= ToolBarCount())
        return nullptr;
    return dynamic_cast<TiPlotToolBar*>(Item(TiPlotObjectKind::ToolBar, index));
}

bool TiPlotComponent::GetSelectModeActive()
{
    TiPlotToolBar* toolBar = GetToolBar(0);
    return toolBar && toolBar->GetSelectActive();
}

void TiPlotComponent::SetSelectModeActive(bool value)
{
    // As if toolbar 0's Select button were clicked.
    if (TiPlotToolBar* toolBar = GetToolBar(0); toolBar && toolBar->GetSelectActive() != value)
        toolBar->DoButtonClickSelect();
}

double TiPlotComponent::GetNow() { return Now(); }

void TiPlotComponent::DataCursorChange(TObject* sender)
{
    TiPlotObjectKind kind;
    const int index = IndexOf(dynamic_cast<TiPlotObject*>(sender), kind);
    OnDataCursorChange(this, index);
}

int TiPlotComponent::ChannelIndex(TiPlotChannelCustom* channel) const
{
    return Count(TiPlotObjectKind::Channel) ? Manager(TiPlotObjectKind::Channel).GetIndex(channel) : -1;
}

// Each channel class has its own null and empty adds, so the point is born null or empty and
// its placeholder Y never reaches the statistics, the tracking or the log. An XY channel's
// null and empty points have no coordinates.
void TiPlotComponent::AddPoint(TiPlotChannelCustom& channel, double x, double y, bool null, bool empty)
{
    if (auto* strip = dynamic_cast<TiPlotChannel*>(&channel)) {
        if (null)
            strip->AddXNull(x);
        else if (empty)
            strip->AddXEmpty(x);
        else
            strip->AddXY(x, y);
        return;
    }
    auto* xy = dynamic_cast<TiXYPlotChannel*>(&channel);
    if (xy && null)
        xy->AddNull();
    else if (xy && empty)
        xy->AddEmpty();
    else
        channel.AddXY(x, y);
}

void TiPlotComponent::TransferChannelData(int sourceIndex, int destinationIndex, int startIndex, int stopIndex)
{
    TiPlotChannelCustom* source = GetChannelCustom(sourceIndex);
    TiPlotChannelCustom* destination = GetChannelCustom(destinationIndex);
    if (startIndex < 0)
        throw Exception("Start Index Must be 0 or Greater");
    if (stopIndex > source->GetCount() - 1)
        throw Exception("StopIndex Must Out Of Range");
    // Each point is born null or empty, so the placeholder Y never reaches the statistics,
    // the tracking or the log.
    for (int i = startIndex; i <= stopIndex; ++i)
        AddPoint(*destination, source->GetDataX(i), source->GetDataY(i), source->GetDataNull(i),
                 source->GetDataEmpty(i));
}

void TiPlotComponent::AddDataArray(double x, const std::vector<double>& row)
{
    // Checked first: a row wider than the plot adds nothing.
    if (int(row.size()) > ChannelCount())
        RaiseListIndexError(ChannelCount());
    for (std::size_t i = 0; i < row.size(); ++i)
        AddPoint(*GetChannelCustom(int(i)), x, row[i], ValueIsNull(row[i]), ValueIsEmpty(row[i]));
    ++m_pendingLogRowCount;
    WriteLogWhenDue();
}

void TiPlotComponent::AddDataArray(double xStep, const std::vector<std::vector<double>>& block)
{
    if (int(block.size()) > ChannelCount())
        RaiseListIndexError(ChannelCount());
    std::size_t rows = 0;
    for (const auto& values : block)
        rows = std::max(rows, values.size());
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (row >= block[i].size())
                continue;
            TiPlotChannelCustom* channel = GetChannelCustom(int(i));
            const double x = channel->GetCount() == 0 ? 0 : channel->GetDataX(channel->GetIndexLast()) + xStep;
            channel->AddXY(x, block[i][row]);
        }
    }
    m_pendingLogRowCount += int(rows);
    WriteLogWhenDue();
}

void TiPlotComponent::AddDataArray(double x, const TVariant& data)
{
    const int dimensions = data.IsArray() ? data.DimCount() : 0;
    if (dimensions == 1) {
        std::vector<double> row;
        for (int i = data.LowBound(1); i <= data.HighBound(1); ++i)
            row.push_back(data.GetElement({i}).AsDouble());
        AddDataArray(x, row);
    } else if (dimensions == 2) {
        std::vector<std::vector<double>> block;
        for (int i = data.LowBound(1); i <= data.HighBound(1); ++i) {
            block.emplace_back();
            for (int row = data.LowBound(2); row <= data.HighBound(2); ++row)
                block.back().push_back(data.GetElement({i, row}).AsDouble());
        }
        AddDataArray(x, block);
    } else {
        throw Exception("Data Array must be 1 or 2 Dimensions");
    }
}

// ---------------------------------------------------------------------------------------------
// Image lists

TImageList& TiPlotComponent::ImageList(int index) const
{
    if (index < 0 || index > 2)
        throw Exception("ImageList Index must be 0-2");
    return *m_imageLists[std::size_t(index)];
}

TImageList* TiPlotComponent::GetPlotImageList(int index)
{
    return index >= 0 && index < int(m_imageLists.size()) ? m_imageLists[std::size_t(index)].get() : nullptr;
}

void TiPlotComponent::ImageListClear(int index)
{
    ImageList(index).Clear();
    InvalidateChange();
}

void TiPlotComponent::ImageListLoadFromBitmap(int index, TBitmap& bitmap)
{
    TImageList& list = ImageList(index);
    if (list.Count() == 0)
        list.SetSize(bitmap.GetWidth(), bitmap.GetHeight());
    const int w = list.GetWidth(), h = list.GetHeight();
    const bool smaller = bitmap.GetWidth() < w && bitmap.GetHeight() < h;
    const bool larger = bitmap.GetWidth() > w && bitmap.GetHeight() > h;
    const bool same = bitmap.GetWidth() == w && bitmap.GetHeight() == h;
    if (!smaller && !larger && !same)
        throw Exception("Image Width and Height must be the same as other images, or both smaller, or both larger");
    const TColor transparent = bitmap.GetTransparentColor();
    if (smaller) {
        TBitmap centred;
        centred.SetSize(w, h);
        centred.Canvas().Brush().SetColor(transparent);
        centred.Canvas().FillRect(TRect{0, 0, w, h});
        centred.Canvas().Draw(w / 2 - bitmap.GetWidth() / 2, h / 2 - bitmap.GetHeight() / 2, bitmap);
        list.Add(centred, transparent);
    } else {
        list.Add(bitmap, transparent);
    }
    InvalidateChange();
}

void TiPlotComponent::ImageListLoadFromResourceName(int index, const std::string& resourceName)
{
    ImageList(index);  // the index error first
    TBitmap bitmap;
    bitmap.LoadFromResourceName(resourceName);
    ImageListLoadFromBitmap(index, bitmap);
}

void TiPlotComponent::ImageListLoadFromResourceID(int index, int resourceID)
{
    ImageListLoadFromResourceName(index, "#" + std::to_string(resourceID));
}

void TiPlotComponent::ReadImageList(int index, TReader& reader)
{
    TImageList& list = ImageList(index);
    list.Clear();
    try {
        list.LoadFromBytes(reader.ReadBinary());
    } catch (const std::exception&) {
        throw EStreamError("Failed to read ImageList data from stream");
    }
}

void TiPlotComponent::WriteImageList(int index, TWriter& writer)
{
    TBytes bytes;
    try {
        bytes = ImageList(index).SaveToBytes();
    } catch (const std::exception&) {
        throw EStreamError("Failed to write ImageList data to stream");
    }
    writer.WriteBinary(bytes);
}

// ---------------------------------------------------------------------------------------------
// Properties

int TiPlotComponent::DataViewZHorz() const { return GetLayoutManager()->DataViewHorz()->ZOrder(); }
void TiPlotComponent::SetDataViewZHorz(int value) { GetLayoutManager()->DataViewHorz()->SetZOrder(value); }
int TiPlotComponent::DataViewZVert() const { return GetLayoutManager()->DataViewVert()->ZOrder(); }
void TiPlotComponent::SetDataViewZVert(int value) { GetLayoutManager()->DataViewVert()->SetZOrder(value); }

void TiPlotComponent::SetHintsFont(TFont* value)
{
    if (value)
        m_hintsFont->Assign(*value);
}

void TiPlotComponent::SetAnnotationDefaultFont(TFont* value)
{
    if (value)
        m_annotationDefaultFont->Assign(*value);
}

void TiPlotComponent::SetBackGroundGradientDirection(TiFillDirection value)
{
    if (value == m_gradientDirection)
        return;
    m_gradientDirection = value;
    InvalidateChange();
}

TiPlotLayoutObject* TiPlotComponent::TitleLabel() const
{
    return LabelCount() > 0 ? LayoutItem(TiPlotObjectKind::Label, 0) : nullptr;
}

bool TiPlotComponent::TitleVisible() const { return TitleLabel() && TitleLabel()->Visible(); }

void TiPlotComponent::SetTitleVisible(bool value)
{
    if (TiPlotLayoutObject* title = TitleLabel())
        title->SetVisible(value);
}

std::string TiPlotComponent::TitleText() const
{
    TiPlotLayoutObject* title = TitleLabel();
    const TPropertyRef caption = title ? FindProperty(*title, "Caption") : TPropertyRef{};
    return caption ? caption.GetString() : std::string();
}

void TiPlotComponent::SetTitleText(const std::string& value)
{
    if (TiPlotLayoutObject* title = TitleLabel())
        if (const TPropertyRef caption = FindProperty(*title, "Caption"))
            caption.SetString(value);
}

TFont* TiPlotComponent::TitleFont() const
{
    TiPlotLayoutObject* title = TitleLabel();
    const TPropertyRef font = title ? FindProperty(*title, "Font") : TPropertyRef{};
    auto* labelFont = font ? dynamic_cast<TFont*>(font.GetObject()) : nullptr;
    return labelFont ? labelFont : Font();
}

void TiPlotComponent::SetTitleFont(TFont* value)
{
    TiPlotLayoutObject* title = TitleLabel();
    if (!title || !value)
        return;
    if (const TPropertyRef font = FindProperty(*title, "Font"))
        if (auto* labelFont = dynamic_cast<TFont*>(font.GetObject()))
            labelFont->Assign(*value);
}

double TiPlotComponent::TitleMargin() const
{
    TiPlotLayoutObject* title = TitleLabel();
    const TPropertyRef margin = title ? FindProperty(*title, "MarginBottom") : TPropertyRef{};
    return margin ? double(margin.GetFloat()) : 0.0;
}

void TiPlotComponent::SetTitleMargin(double value)
{
    if (TiPlotLayoutObject* title = TitleLabel())
        if (const TPropertyRef margin = FindProperty(*title, "MarginBottom"))
            margin.SetFloat(value);
}

void TiPlotComponent::SetLogFileName(const std::string& value)
{
    if (value != m_logFileName && m_loggingActive)
        throw Exception("Log File Name can not be changed while logging is active.");
    m_logFileName = value;
}

void TiPlotComponent::SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value)
{
    if (value != m_dataFileColumnSeparator && m_loggingActive)
        throw Exception("Data File Column Seperator can not be changed while logging active");
    m_dataFileColumnSeparator = value;
}

void TiPlotComponent::SetDataFileFormat(TiPlotDataFileFormat value)
{
    if (m_loggingActive)
        throw Exception("Data File Format can not be changed while logging active");
    m_dataFileFormat = value;
}

// ---------------------------------------------------------------------------------------------
// IPlotHost

std::string TiPlotComponent::TranslateText(const std::string& text)
{
    TiPlotTranslationManager* table = GetTranslationManager();
    return table ? table->FindReplacement(text) : text;
}

TPoint TiPlotComponent::PlotClientToScreen(TPoint clientPoint) { return ClientToScreen(clientPoint); }

TRect TiPlotComponent::GetDataViewRect() { return DataViewCount() > 0 ? GetDataView(0)->GetDrawRect() : TRect{}; }

TPoint TiPlotComponent::GetHintTextExtent(const std::string& text)
{
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas().Font().Assign(*m_hintsFont);
    return {scratch.Canvas().TextWidth(text), scratch.Canvas().TextHeight(text)};
}

std::vector<TiPlotObject*> TiPlotComponent::GetAllObjects()
{
    std::vector<TiPlotObject*> objects;
    if (TiPlotObjectManager* all = GetPlotObjectManager())
        for (int i = 0; i < all->GetCount(); ++i)
            objects.push_back(all->GetObject(i));
    return objects;
}

// ---------------------------------------------------------------------------------------------
// IPlotAxisHost

// One guard serves all five forwards: an axis reached by forwarding does not forward again.
template <class Fire>
void TiPlotComponent::ForwardToOtherAxes(TiPlotAxis* axis, Fire fire)
{
    if (m_forwardingMasterInput)
        return;
    m_forwardingMasterInput = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_forwardingMasterInput};
    const TiPlotObjectKind kind = axis->IsXAxis() ? TiPlotObjectKind::XAxis : TiPlotObjectKind::YAxis;
    std::vector<TiPlotAxis*> others;
    for (int i = 0; i < Count(kind); ++i) {
        auto* other = static_cast<TiPlotAxis*>(Item(kind, i));
        if (other != axis)
            others.push_back(other);
    }
    for (TiPlotAxis* other : others)
        fire(*other);
}

void TiPlotComponent::MasterAxisMouseLeft(TiPlotAxis* axis, const TiPlotMouseData& mouseData)
{
    ForwardToOtherAxes(axis, [&](TiPlotAxis& other) { other.DoMouseLeft(mouseData); });
}

void TiPlotComponent::MasterAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& mouseData)
{
    ForwardToOtherAxes(axis, [&](TiPlotAxis& other) { other.DoMouseMove(mouseData); });
}

void TiPlotComponent::MasterAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& mouseData)
{
    ForwardToOtherAxes(axis, [&](TiPlotAxis& other) { other.DoMouseUp(mouseData); });
}

void TiPlotComponent::MasterAxisMouseWheel(TiPlotAxis* axis, int wheelDelta, TShiftState shift, int x, int y)
{
    ForwardToOtherAxes(axis, [&](TiPlotAxis& other) { other.DoMouseWheel(wheelDelta, shift, x, y); });
}

void TiPlotComponent::MasterAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift)
{
    ForwardToOtherAxes(axis, [&](TiPlotAxis& other) { other.iKeyDown(key, shift, m_popupMenu.get()); });
}

std::vector<TiPlotAxisDataRange> TiPlotComponent::GetAxisDataRanges(bool xAxis, const std::string& axisName,
                                                                    bool running)
{
    std::vector<TiPlotAxisDataRange> ranges;
    for (int i = 0; i < ChannelCount(); ++i) {
        TiPlotChannelCustom* channel = GetChannelCustom(i);
        const std::string& name = xAxis ? channel->XAxisName() : channel->YAxisName();
        if (channel->GetCount() == 0 || UpperCase(name) != UpperCase(axisName))
            continue;
        if (running)
            ranges.push_back(xAxis ? TiPlotAxisDataRange{channel->RunningXMin(), channel->RunningXMax()}
                                   : TiPlotAxisDataRange{channel->RunningYMin(), channel->RunningYMax()});
        else
            ranges.push_back(xAxis ? TiPlotAxisDataRange{channel->GetXMin(), channel->GetXMax()}
                                   : TiPlotAxisDataRange{channel->GetYMin(), channel->GetYMax()});
    }
    return ranges;
}

// ---------------------------------------------------------------------------------------------
// Form description

void TiPlotComponent::DefineProperties(TFiler& filer)
{
    // Reading replaces the default objects wholesale; levels are taken as stored and the
    // plot repaints once, when Loaded switches both on again.
    if (dynamic_cast<TReader*>(&filer) && !m_readingForm) {
        m_readingForm = true;
        GetLayoutManager()->SetEnabled(false);
        BeginUpdate();
    }
    filer.DefineProperty(
        "DataViewZHorz", [this](TReader& r) { SetDataViewZHorz(int(r.ReadInteger())); },
        [this](TWriter& w) { w.WriteInteger(DataViewZHorz()); }, true);
    filer.DefineProperty(
        "DataViewZVert", [this](TReader& r) { SetDataViewZVert(int(r.ReadInteger())); },
        [this](TWriter& w) { w.WriteInteger(DataViewZVert()); }, true);
    for (int i = 0; i < 3; ++i) {
        filer.DefineProperty(
            "ImageList" + std::to_string(i), [this, i](TReader& r) { ReadImageList(i, r); },
            [this, i](TWriter& w) { WriteImageList(i, w); }, ImageList(i).Count() > 0);
    }
    const std::pair<const char*, TiPlotObjectKind> managers[] = {
        {"ToolBarManager", TiPlotObjectKind::ToolBar},   {"LegendManager", TiPlotObjectKind::Legend},
        {"TableManager", TiPlotObjectKind::Table},       {"XAxisManager", TiPlotObjectKind::XAxis},
        {"YAxisManager", TiPlotObjectKind::YAxis},       {"ChannelManager", TiPlotObjectKind::Channel},
        {"DataViewManager", TiPlotObjectKind::DataView}, {"DataCursorManager", TiPlotObjectKind::DataCursor},
        {"LimitManager", TiPlotObjectKind::Limit},       {"LabelManager", TiPlotObjectKind::Label},
    };
    for (const auto& [name, kind] : managers) {
        TiPlotObjectOwnedManager* manager = m_master->ManagerOf(kind);
        if (!manager)
            continue;
        filer.DefineProperty(
            name, [manager](TReader& r) { manager->ReadFromStream(r); },
            [manager](TWriter& w) { manager->WriteToStream(w); }, manager->DoWriteToStream());
    }
    TiPlotTranslationManager* translations = GetTranslationManager();
    filer.DefineProperty(
        "TranslationManager", [translations](TReader& r) { translations->ReadFromStream(r); },
        [translations](TWriter& w) { translations->WriteToStream(w); }, translations->DoWriteToStream());
    TiCustomComponent::DefineProperties(filer);
}

void TiPlotComponent::Loaded()
{
    TiCustomComponent::Loaded();
    // A toolbar that shares the title's level is moved beyond it, once, before levelling.
    if (ToolBarCount() > 0 && LabelCount() > 0) {
        TiPlotLayoutObject* toolBar = GetToolBarObject(0);
        TiPlotLayoutObject* title = GetLabel(0);
        if (toolBar->Horizontal() == title->Horizontal() && toolBar->ZOrder() == title->ZOrder())
            toolBar->SetZOrder(toolBar->ZOrder() + 1);
    }
    if (m_readingForm) {
        m_readingForm = false;
        GetLayoutManager()->SetEnabled(true);
        EndUpdate();
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

namespace {

bool IsCartesianAxis(const TiPlotLayoutObject* object)
{
    auto* axis = dynamic_cast<const TiPlotAxis*>(object);
    return axis && axis->CartesianStyle() != ipcsNone;
}

bool IsToolBar(const TObject* object)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && kind == TiPlotObjectKind::ToolBar;
}

bool IsKindOf(const TObject* object, TiPlotObjectKind wanted)
{
    TiPlotObjectKind kind;
    return GetPlotObjectKind(object, kind) && kind == wanted;
}

void UpdateVisibleList(const TiPlotLayoutList& source, TiPlotLayoutList& dest)
{
    dest.Clear();
    // Appended in source order: the source is sorted already.
    for (const auto& [key, object] : source.Entries())
        if (object->Visible())
            dest.Append(key, object);
}

void UpdateStacking(const TiPlotLayoutList& list)
{
    for (const auto& entry : list.Entries()) {
        entry.second->SetStartStacked(false);
        entry.second->SetStopStacked(false);
    }
    TiPlotLayoutObject* previous = nullptr;
    int lastLevel = -1;
    for (const auto& entry : list.Entries()) {
        TiPlotLayoutObject* object = entry.second;
        if (IsCartesianAxis(object))
            continue;
        if (object->ForceStacking()) {
            object->SetStartStacked(true);
            object->SetStopStacked(true);
        } else if (object->ZOrder() == lastLevel) {
            if (previous)
                previous->SetStopStacked(true);
            object->SetStartStacked(true);
        } else {
            lastLevel = object->ZOrder();
        }
        previous = object;
    }
}

int GetMaxGaurd(TCanvas& canvas, const TiPlotLayoutList& list, bool start)
{
    int guard = 0;
    for (const auto& entry : list.Entries()) {
        TiPlotLayoutObject* object = entry.second;
        if (IsCartesianAxis(object) || (start ? object->StartStacked() : object->StopStacked()))
            continue;
        guard = std::max(guard, object->GetRequiredLengthGaurd(canvas));
    }
    return guard;
}

int GetZOrderMaxWidth(TCanvas& canvas, const TiPlotLayoutList& list, int zOrder)
{
    int width = 0;
    for (const auto& entry : list.Entries())
        if (entry.second->ZOrder() == zOrder && !IsCartesianAxis(entry.second))
            width = std::max(width, entry.second->GetRequiredWidth(canvas));
    return width;
}

int GetTotalRequiredWidth(TCanvas& canvas, const TiPlotLayoutList& list)
{
    int total = 0;
    bool first = true;
    int lastLevel = 0;
    for (const auto& entry : list.Entries()) {
        if (first || entry.second->ZOrder() != lastLevel)
            total += GetZOrderMaxWidth(canvas, list, entry.second->ZOrder());
        first = false;
        lastLevel = entry.second->ZOrder();
    }
    return total;
}

// Walks one side outward from the data view; each level gets one band.
template <class Place>
void PlaceBands(TCanvas& canvas, const TiPlotLayoutList& list, bool fromLast, int edge, int direction, Place place)
{
    int width = 0;
    bool first = true;
    int lastLevel = 0;
    const int n = list.Count();
    for (int step = 0; step < n; ++step) {
        TiPlotLayoutObject* object = list.Object(fromLast ? n - 1 - step : step);
        if (first || object->ZOrder() != lastLevel) {
            edge += direction * width;
            width = GetZOrderMaxWidth(canvas, list, object->ZOrder());
        }
        first = false;
        lastLevel = object->ZOrder();
        place(*object, edge, width);
    }
}

int Round(double value) { return int(RoundHalfEven(value)); }

}  // namespace

void TiPlotComponent::CalcLayout(TCanvas& canvas)
{
    TiPlotLayoutManager* layout = GetLayoutManager();
    auto& top = m_visibleSides[std::size_t(TiPlotLayoutSide::Top)];
    auto& bottom = m_visibleSides[std::size_t(TiPlotLayoutSide::Bottom)];
    auto& left = m_visibleSides[std::size_t(TiPlotLayoutSide::Left)];
    auto& right = m_visibleSides[std::size_t(TiPlotLayoutSide::Right)];
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Top), top);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Bottom), bottom);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Left), left);
    UpdateVisibleList(layout->SideList(TiPlotLayoutSide::Right), right);

    const int W = Width(), H = Height();
    const int B = BorderStyle() != ibsNone ? 2 : 0;
    for (const TiPlotLayoutList* list : {&top, &bottom, &left, &right})
        UpdateStacking(*list);

    const int topStart = GetMaxGaurd(canvas, top, true), topStop = GetMaxGaurd(canvas, top, false);
    const int bottomStart = GetMaxGaurd(canvas, bottom, true), bottomStop = GetMaxGaurd(canvas, bottom, false);
    const int leftStart = GetMaxGaurd(canvas, left, true), leftStop = GetMaxGaurd(canvas, left, false);
    const int rightStart = GetMaxGaurd(canvas, right, true), rightStop = GetMaxGaurd(canvas, right, false);

    int leftW = GetTotalRequiredWidth(canvas, left);
    int rightW = GetTotalRequiredWidth(canvas, right);
    int topW = GetTotalRequiredWidth(canvas, top);
    int bottomW = GetTotalRequiredWidth(canvas, bottom);

    const int HT = std::max({0, topStart, bottomStart});
    const int HS = std::max({0, topStop, bottomStop});
    const int VT = std::max({0, leftStart, rightStart});
    const int VS = std::max({0, leftStop, rightStop});
    leftW = std::max(leftW, HT);
    rightW = std::max(rightW, HS);
    topW = std::max(topW, VS);
    bottomW = std::max(bottomW, VT);

    int topInset = topW + B + m_outerMarginTop;
    if (top.Count() == 1 && IsToolBar(top.Object(0)))
        topInset += VS;
    const int bottomInset = bottomW + B + m_outerMarginBottom;
    const int leftInset = leftW + B + m_outerMarginLeft;
    const int rightInset = rightW + B + m_outerMarginRight;
    TRect dv{leftInset, topInset, W - rightInset - 1, H - bottomInset - 1};

    PlaceBands(canvas, left, true, dv.Left, -1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetLeft(edge - width);
        o.SetRight(edge);
    });
    PlaceBands(canvas, right, false, dv.Right, +1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetLeft(edge);
        o.SetRight(edge + width);
    });
    PlaceBands(canvas, top, false, dv.Top, -1, [&canvas, B](TiPlotLayoutObject& o, int edge, int width) {
        o.SetTop(edge - width);
        o.SetBottom(edge);
        if (IsToolBar(&o)) {
            o.SetTop(B);
            o.SetBottom(B + o.GetRequiredWidth(canvas));
        }
    });
    PlaceBands(canvas, bottom, true, dv.Bottom, +1, [](TiPlotLayoutObject& o, int edge, int width) {
        o.SetTop(edge);
        o.SetBottom(edge + width);
    });

    TiPlotLayoutObject* dataView = DataViewCount() > 0 ? GetDataView(0) : nullptr;
    if (dataView)
        dataView->SetDrawRect(dv);
    const int dvw = dv.Right - dv.Left, dvh = dv.Bottom - dv.Top;

    // Spans along the sides, for every object visible or not.
    std::vector<TiPlotLayoutObject*> objects;
    for (int i = 0; i < layout->GetCount(); ++i)
        objects.push_back(layout->GetItem(i));
    for (TiPlotLayoutObject* object : objects) {
        if (dynamic_cast<TiPlotDataViewLayout*>(object) || IsKindOf(object, TiPlotObjectKind::DataView))
            continue;
        const double start = object->StartPercent() / 100, stop = object->StopPercent() / 100;
        const bool toolBar = IsToolBar(object);
        if (object->GetIsHorz()) {
            if (toolBar) {
                object->SetLeft(Round(start * (W - 2 * B)) + B);
                object->SetRight(Round(stop * (W - 2 * B)) + B - 1);
            } else if (IsKindOf(object, TiPlotObjectKind::Label)) {
                const int length = W - B - m_outerMarginLeft - m_outerMarginRight;
                object->SetLeft(Round(start * length) + B + m_outerMarginLeft);
                object->SetRight(Round(stop * length) + B + m_outerMarginLeft);
            } else {
                object->SetLeft(Round(dvw * start) + dv.Left);
                object->SetRight(Round(dvw * stop) + dv.Left);
            }
        } else if (!toolBar) {
            object->SetTop(dv.Bottom - Round(dvh * stop));
            object->SetBottom(dv.Bottom - Round(dvh * start));
        }
    }

    std::vector<TiPlotAxis*> axes;
    for (TiPlotLayoutObject* object : objects)
        if (auto* axis = dynamic_cast<TiPlotAxis*>(object))
            axes.push_back(axis);
    for (TiPlotAxis* axis : axes) {
        if (axis->CartesianStyle() != ipcsMaster)
            continue;
        if (axis->GetIsVert())
            axis->SetDrawRect(TRect{(dv.Left + dv.Right) / 2, dv.Top, (dv.Left + dv.Right) / 2, dv.Bottom});
        else
            axis->SetDrawRect(TRect{dv.Left, (dv.Top + dv.Bottom) / 2, dv.Right, (dv.Top + dv.Bottom) / 2});
    }
    for (TiPlotAxis* axis : axes) {
        if (axis->CartesianStyle() != ipcsChild)
            continue;
        TiPlotAxis* ref = axis->GetCartesianRefAxis();
        if (!ref) {
            axis->SetDrawRect(TRect{0, 0, 0, 0});
            continue;
        }
        const int pixel = ref->PositionToPixels(axis->CartesianChildRefValue());
        if (axis->GetIsHorz())
            axis->SetDrawRect(TRect{dv.Left, pixel, dv.Right, pixel});
        else
            axis->SetDrawRect(TRect{pixel, dv.Top, pixel, dv.Bottom});
    }
    for (TiPlotAxis* axis : axes) {
        TiPlotAxis* ref = axis->GetAlignRefAxis();
        if (!ref)
            continue;
        if (axis->GetIsVert()) {
            axis->SetTop(ref->GetDrawRect().Top);
            axis->SetBottom(ref->GetDrawRect().Bottom);
        } else {
            axis->SetLeft(ref->GetDrawRect().Left);
            axis->SetRight(ref->GetDrawRect().Right);
        }
        axis->SetStartStacked(ref->StartStacked());
        axis->SetStopStacked(ref->StopStacked());
        axis->CalcScaleRect(canvas);
    }

    // The data view shrinks to the axes' scales.
    TRect shrunk{W, H, 0, 0};
    const bool reverse = XYAxesReverse();
    for (int i = 0; i < YAxisCount(); ++i) {
        TiPlotAxis* axis = GetYAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect scale = axis->GetScaleRect();
        if (reverse) {
            shrunk.Left = std::min(shrunk.Left, scale.Left);
            shrunk.Right = std::max(shrunk.Right, scale.Right);
        } else {
            shrunk.Top = std::min(shrunk.Top, scale.Top);
            shrunk.Bottom = std::max(shrunk.Bottom, scale.Bottom);
        }
    }
    for (int i = 0; i < XAxisCount(); ++i) {
        TiPlotAxis* axis = GetXAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect scale = axis->GetScaleRect();
        if (reverse) {
            shrunk.Top = std::min(shrunk.Top, scale.Top);
            shrunk.Bottom = std::max(shrunk.Bottom, scale.Bottom);
        } else {
            shrunk.Left = std::min(shrunk.Left, scale.Left);
            shrunk.Right = std::max(shrunk.Right, scale.Right);
        }
    }
    if (dataView)
        dataView->SetDrawRect(shrunk);
}

bool TiPlotComponent::AddAxesCollisionDetectionItem(const TRect& rect)
{
    if (!m_axesCollisions.empty()) {
        const TRect dv = GetDataViewRect();
        for (const TRect& recorded : m_axesCollisions) {
            TRect overlap;
            if (IntersectRect(overlap, recorded, rect))
                return false;
            TRect both;
            UnionRect(both, rect, dv);
            if (both != dv)
                return false;
        }
    }
    m_axesCollisions.push_back(rect);
    return true;
}

void TiPlotComponent::ReCalcLayout()
{
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    iPaintTo(bitmap.Canvas());
}

// ---------------------------------------------------------------------------------------------
// Painting

void TiPlotComponent::FillLayerList()
{
    m_layerList.Clear();
    auto addKind = [this](TiPlotObjectKind kind, char letter, auto take) {
        for (int i = 0; i < Count(kind); ++i) {
            TiPlotObject* object = Item(kind, i);
            if (take(object))
                m_layerList.Add(object->GetLayerString() + letter, object);
        }
    };
    auto fillLimit = [](TiPlotObject* o) {
        auto* limit = Role<IPlotLimitPaint>(o);
        return limit && limit->GetIsFillType();
    };
    auto cartesian = [](TiPlotObject* o) { return static_cast<TiPlotAxis*>(o)->CartesianStyle() != ipcsNone; };
    addKind(TiPlotObjectKind::Limit, 'A', fillLimit);
    TiPlotObject* dataView = GetDataView(0);
    m_layerList.Add(dataView->GetLayerString() + 'B', dataView);
    addKind(TiPlotObjectKind::Limit, 'C', [&](TiPlotObject* o) { return !fillLimit(o); });
    addKind(TiPlotObjectKind::YAxis, 'D', cartesian);
    addKind(TiPlotObjectKind::XAxis, 'E', cartesian);
    addKind(TiPlotObjectKind::Channel, 'F', [](TiPlotObject* o) { return o->ReadyToDraw(); });
    addKind(TiPlotObjectKind::Annotation, 'G', [](TiPlotObject*) { return true; });
}

void TiPlotComponent::iPaintTo(TCanvas& canvas)
{
    // Nothing is drawn without the objects a frame is built around; the bitmap stays as it
    // was made (black).
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    TiPlotLayoutObject* dv0 = GetDataView(0);
    auto* dataViewPaint = dynamic_cast<TiPlotDataView*>(dv0);
    const TColor dataViewBackColor =
        !dataViewPaint || dataViewPaint->BackgroundTransparent() ? BackGroundColor() : dataViewPaint->BackgroundColor();
    ClearAxesCollisionList();
    m_layerList.Clear();

    auto* legend0 = dynamic_cast<TiPlotLegend*>(GetLegend(0));
    if (legend0)
        legend0->SetCursorValues(false);
    for (int i = 0; i < DataCursorCount(); ++i) {
        if (auto* cursor = Role<IPlotDataCursorPaint>(GetDataCursor(i))) {
            cursor->DoUpdate();
            if (cursor->ShowsAllChannelsInLegend() && legend0)
                legend0->SetCursorValues(true);
        }
    }
    auto calcTicks = [this, &canvas] {
        for (int i = 0; i < XAxisCount(); ++i)
            GetXAxis(i)->CalcTicks(canvas);
        for (int i = 0; i < YAxisCount(); ++i)
            GetYAxis(i)->CalcTicks(canvas);
    };
    calcTicks();
    CalcLayout(canvas);
    CalcLayout(canvas);
    calcTicks();
    for (TiPlotObjectKind kind : {TiPlotObjectKind::Channel, TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis})
        for (int i = 0; i < Count(kind); ++i)
            Item(kind, i)->DrawSetup(canvas);
    for (int i = 0; i < AnnotationCount(); ++i) {
        if (auto* annotation = Role<IPlotAnnotationPaint>(GetAnnotation(i)))
            annotation->SetPaintDataView(dv0);
        GetAnnotation(i)->SetXYAxesReversed(XYAxesReverse());
    }
    for (int i = 0; i < DataCursorCount(); ++i)
        if (auto* cursor = Role<IPlotDataCursorPaint>(GetDataCursor(i)))
            cursor->SetPaintDataView(dv0);

    const TRect whole{0, 0, Width(), Height()};
    if (m_gradientEnabled) {
        canvas.SelectClipRgn(nullptr);
        canvas.IntersectClipRect(whole);
        DrawGradientDirection(canvas, whole, m_gradientDirection, m_gradientStartColor, m_gradientStopColor);
        canvas.SelectClipRgn(nullptr);
    } else {
        DrawBackGround(canvas, BackGroundColor());
    }
    if (dataViewPaint)
        dataViewPaint->DrawBackground(canvas);

    FillLayerList();
    const TRect dv = dv0->GetDrawRect();
    for (const auto& entry : m_layerList.Entries()) {
        canvas.IntersectClipRect(TRect{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1});
        entry.second->Draw(canvas, dataViewBackColor);
        canvas.SelectClipRgn(nullptr);
    }
    if (dataViewPaint)
        dataViewPaint->DrawForeground(canvas);
    DrawOutSideObjects(canvas);
    for (int i = 0; i < DataCursorCount(); ++i)
        GetDataCursor(i)->Draw(canvas, dataViewBackColor);
    for (int i = 0; i < LegendCount(); ++i)
        GetLegend(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < TableCount(); ++i)
        GetTable(i)->Draw(canvas, BackGroundColor());
    DrawHint(canvas);
    OnAfterPaint(this);
}

void TiPlotComponent::ShowHint(const std::string& text, int left, int top)
{
    m_hintText = text;
    m_hintLeft = left;
    m_hintTop = top;
    m_hintShowing = true;
    InvalidateChange();
}

void TiPlotComponent::DrawHint(TCanvas& canvas)
{
    m_hintPainted = m_hintShowing;
    if (!m_hintShowing)
        return;
    canvas.Font().Assign(*m_hintsFont);
    canvas.Brush().SetColor(clInfoBk);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Font().SetColor(clInfoText);
    const TRect box{m_hintLeft, m_hintTop, m_hintLeft + canvas.TextWidth(m_hintText) + 4,
                    m_hintTop + canvas.TextHeight(m_hintText) + 4};
    canvas.TextRect(box, m_hintLeft + 2, m_hintTop + 2, m_hintText);
}

void TiPlotComponent::DrawOutSideObjects(TCanvas& canvas)
{
    canvas.Brush().SetColor(BackGroundColor());
    canvas.Brush().SetStyle(bsSolid);
    DrawBorder(canvas);
    for (int i = 0; i < XAxisCount(); ++i)
        if (GetXAxis(i)->CartesianStyle() == ipcsNone)
            GetXAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < YAxisCount(); ++i)
        if (GetYAxis(i)->CartesianStyle() == ipcsNone)
            GetYAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < LabelCount(); ++i)
        GetLabel(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < ToolBarCount(); ++i)
        GetToolBarObject(i)->Draw(canvas, BackGroundColor());
}

PRAVIX_PUBLISH(
    TiPlotComponent, Prop("DataViewZHorz", &TiPlotComponent::DataViewZHorz, &TiPlotComponent::SetDataViewZHorz),
    Prop("DataViewZVert", &TiPlotComponent::DataViewZVert, &TiPlotComponent::SetDataViewZVert),
    Prop("XYAxesReverse", &TiPlotComponent::XYAxesReverse, &TiPlotComponent::SetXYAxesReverse).Default(false),
    Prop("UserCanEditObjects", &TiPlotComponent::UserCanEditObjects, &TiPlotComponent::SetUserCanEditObjects)
        .Default(true),
    Prop("UserCanAddRemoveChannels", &TiPlotComponent::UserCanAddRemoveChannels,
         &TiPlotComponent::SetUserCanAddRemoveChannels)
        .Default(false),
    Prop("OuterMarginLeft", &TiPlotComponent::OuterMarginLeft, &TiPlotComponent::SetOuterMarginLeft).Default(5),
    Prop("OuterMarginTop", &TiPlotComponent::OuterMarginTop, &TiPlotComponent::SetOuterMarginTop).Default(5),
    Prop("OuterMarginRight", &TiPlotComponent::OuterMarginRight, &TiPlotComponent::SetOuterMarginRight).Default(5),
    Prop("OuterMarginBottom", &TiPlotComponent::OuterMarginBottom, &TiPlotComponent::SetOuterMarginBottom).Default(5),
    Prop("PrintOrientation", &TiPlotComponent::PrintOrientation, &TiPlotComponent::SetPrintOrientation)
        .Default(poLandscape),
    Prop("PrintMarginLeft", &TiPlotComponent::PrintMarginLeft, &TiPlotComponent::SetPrintMarginLeft),
    Prop("PrintMarginTop", &TiPlotComponent::PrintMarginTop, &TiPlotComponent::SetPrintMarginTop),
    Prop("PrintMarginRight", &TiPlotComponent::PrintMarginRight, &TiPlotComponent::SetPrintMarginRight),
    Prop("PrintMarginBottom", &TiPlotComponent::PrintMarginBottom, &TiPlotComponent::SetPrintMarginBottom),
    Prop("PrintShowDialog", &TiPlotComponent::PrintShowDialog, &TiPlotComponent::SetPrintShowDialog).Default(true),
    Prop("PrintDocumentName", &TiPlotComponent::PrintDocumentName, &TiPlotComponent::SetPrintDocumentName),
    Prop("PrinterName", &TiPlotComponent::PrinterName, &TiPlotComponent::SetPrinterName),
    Prop("HintsPause", &TiPlotComponent::HintsPause, &TiPlotComponent::SetHintsPause).Default(500),
    Prop("HintsHidePause", &TiPlotComponent::HintsHidePause, &TiPlotComponent::SetHintsHidePause).Default(2500),
    Prop("HintsShow", &TiPlotComponent::HintsShow, &TiPlotComponent::SetHintsShow).Default(true),
    Prop("HintsFont", &TiPlotComponent::HintsFont, &TiPlotComponent::SetHintsFont).Owned(),
    Prop("EditorFormStyle", &TiPlotComponent::EditorFormStyle, &TiPlotComponent::SetEditorFormStyle),
    Prop("CopyToClipBoardFormat", &TiPlotComponent::CopyToClipBoardFormat, &TiPlotComponent::SetCopyToClipBoardFormat),
    Prop("TitleVisible", &TiPlotComponent::TitleVisible, &TiPlotComponent::SetTitleVisible).Default(true),
    Prop("TitleText", &TiPlotComponent::TitleText, &TiPlotComponent::SetTitleText),
    Prop("TitleFont", &TiPlotComponent::TitleFont, &TiPlotComponent::SetTitleFont).Owned(),
    Prop("TitleMargin", &TiPlotComponent::TitleMargin, &TiPlotComponent::SetTitleMargin),
    Prop("LogFileName", &TiPlotComponent::LogFileName, &TiPlotComponent::SetLogFileName),
    Prop("LogBufferSize", &TiPlotComponent::LogBufferSize, &TiPlotComponent::SetLogBufferSize).Default(0),
    Prop("LoggingActive", &TiPlotComponent::LoggingActive),
    Prop("AnnotationDefaultFont", &TiPlotComponent::AnnotationDefaultFont, &TiPlotComponent::SetAnnotationDefaultFont)
        .Owned(),
    Prop("AnnotationDefaultBrushStlye", &TiPlotComponent::AnnotationDefaultBrushStlye,
         &TiPlotComponent::SetAnnotationDefaultBrushStlye),
    Prop("AnnotationDefaultBrushColor", &TiPlotComponent::AnnotationDefaultBrushColor,
         &TiPlotComponent::SetAnnotationDefaultBrushColor)
        .AsColor(),
    Prop("AnnotationDefaultPenStlye", &TiPlotComponent::AnnotationDefaultPenStlye,
         &TiPlotComponent::SetAnnotationDefaultPenStlye),
    Prop("AnnotationDefaultPenColor", &TiPlotComponent::AnnotationDefaultPenColor,
         &TiPlotComponent::SetAnnotationDefaultPenColor)
        .AsColor(),
    Prop("AnnotationDefaultPenWidth", &TiPlotComponent::AnnotationDefaultPenWidth,
         &TiPlotComponent::SetAnnotationDefaultPenWidth),
    Prop("AnnotationDefaultReference", &TiPlotComponent::AnnotationDefaultReference,
         &TiPlotComponent::SetAnnotationDefaultReference),
    Prop("AnnotationDefaultReferencePositionX", &TiPlotComponent::AnnotationDefaultReferencePositionX,
         &TiPlotComponent::SetAnnotationDefaultReferencePositionX),
    Prop("AnnotationDefaultReferencePositionY", &TiPlotComponent::AnnotationDefaultReferencePositionY,
         &TiPlotComponent::SetAnnotationDefaultReferencePositionY),
    Prop("AnnotationDefaultReferenceSizeX", &TiPlotComponent::AnnotationDefaultReferenceSizeX,
         &TiPlotComponent::SetAnnotationDefaultReferenceSizeX),
    Prop("AnnotationDefaultReferenceSizeY", &TiPlotComponent::AnnotationDefaultReferenceSizeY,
         &TiPlotComponent::SetAnnotationDefaultReferenceSizeY),
    Prop("ClipAnnotationsToAxes", &TiPlotComponent::ClipAnnotationsToAxes, &TiPlotComponent::SetClipAnnotationsToAxes),
    Prop("BackGroundGradientEnabled", &TiPlotComponent::BackGroundGradientEnabled,
         &TiPlotComponent::SetBackGroundGradientEnabled),
    Prop("BackGroundGradientDirection", &TiPlotComponent::BackGroundGradientDirection,
         &TiPlotComponent::SetBackGroundGradientDirection),
    Prop("BackGroundGradientStartColor", &TiPlotComponent::BackGroundGradientStartColor,
         &TiPlotComponent::SetBackGroundGradientStartColor)
        .AsColor(),
    Prop("BackGroundGradientStopColor", &TiPlotComponent::BackGroundGradientStopColor,
         &TiPlotComponent::SetBackGroundGradientStopColor)
        .AsColor(),
    Prop("DataFileColumnSeparator", &TiPlotComponent::DataFileColumnSeparator,
         &TiPlotComponent::SetDataFileColumnSeparator),
    Prop("DataFileFormat", &TiPlotComponent::DataFileFormat, &TiPlotComponent::SetDataFileFormat),
    Prop("BackGroundColor", &TiComponent::BackGroundColor, &TiComponent::SetBackGroundColor).AsColor().Default(0),
    Prop("BorderStyle", &TiComponent::BorderStyle, &TiComponent::SetBorderStyle).Default(ibsLowered),
    Prop("AutoFrameRate", &TiComponent::AutoFrameRate, &TiComponent::SetAutoFrameRate).Default(true),
    Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1),
    Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false))
