#include "plot/control/iPlotComponent.h"

#include "components/iGPFunctions.h"
#include "platform/canvas/Bitmap.h"
#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/MathSupport.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Variant.h"
#include "platform/gui/Menus.h"
#include "plot/objects/iPlotChannel.h"
#include "plot/objects/iPlotObjectKinds.h"
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

    LinkPlotObjectKinds();
    RegisterLayoutManagerWithMasterManagers();
    m_master = std::make_unique<TiPlotMasterManager>(static_cast<IPlotHost*>(this));
    m_changeRoute.ObjectPath = TNotifyEvent::Bind(m_master.get(), &TiPlotMasterManager::NotificationChange);
    m_changeRoute.MasterPath = TNotifyEvent::Bind(this, &TiPlotComponent::MasterChange);
    m_changeRoute.MasterOnChange = &m_master->OnChange;
    m_master->OnChange = m_changeRoute.MasterPath;
    m_changeRoute.Absorbed = &ChangeAbsorbed();
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
    m_changeRoute.MasterOnChange = &m_changeRoute.MasterPath;
    // The objects' cached route checks looked at the master manager's event.
    EventAssignments::Note();
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
            GetLayoutObject(kind, index)->SetZOrder(z);
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
        TiPlotLayoutObject* label = GetLayoutObject(TiPlotObjectKind::Label, title);
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

TiPlotLayoutObject* TiPlotComponent::GetLayoutObject(TiPlotObjectKind kind, int index) const
{
    return Manager(kind).GetItemAs<TiPlotLayoutObject>(index);
}

int TiPlotComponent::AddObject(TiPlotObjectKind kind)
{
    const int index = m_master->AddObject(kind);
    if (kind == TiPlotObjectKind::Annotation)
        ApplyAnnotationDefaults(*GetObject(kind, index));
    return index;
}

void TiPlotComponent::DeleteObject(TiPlotObjectKind kind, int index)
{
    if (kind == TiPlotObjectKind::Label && index == 0)
        throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    ReleasePlotObject(Manager(kind).GetObject(index));
    // A label's removal asks for the ordinary repaint.
    if (kind != TiPlotObjectKind::Label)
        InvalidateNow();
}

void TiPlotComponent::RemoveAll(TiPlotObjectKind kind)
{
    TiPlotObjectOwnedManager& manager = Manager(kind);
    if (kind != TiPlotObjectKind::Label) {
        manager.Clear();
        InvalidateNow();
        return;
    }
    while (manager.GetCount() > 1)
        ReleasePlotObject(manager.GetObject(1));
}

void TiPlotComponent::ApplyAnnotationDefaults(TiPlotObject& annotation) const
{
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
}

int TiPlotComponent::AddTranslation(const std::string& originalString, const std::string& replacementString)
{
    const int index = m_master->AddTranslation();
    TiPlotTranslationObject* entry = GetTranslationManager()->GetItem(index);
    entry->SetOriginalString(originalString);
    entry->SetReplacementString(replacementString);
    return index;
}

void TiPlotComponent::DeleteTranslation(int index)
{
    GetTranslationManager()->Delete(index);
    InvalidateNow();
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

TiPlotChannelCustom* TiPlotComponent::GetChannel(int index)
{
    if (index < 0 || index >= ChannelCount())
        return nullptr;
    return GetChannelCustom(index);
}

TiPlotTranslationObject* TiPlotComponent::GetTranslation(int index) const
{
    return GetTranslationManager()->GetItem(index);
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
    return dynamic_cast<TiPlotToolBar*>(GetObject(TiPlotObjectKind::ToolBar, index));
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
    return LabelCount() > 0 ? GetLayoutObject(TiPlotObjectKind::Label, 0) : nullptr;
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

TRect TiPlotComponent::GetDataViewRect()
{
    return DataViewCount() > 0 ? GetLayoutObject(TiPlotObjectKind::DataView, 0)->GetDrawRect() : TRect{};
}

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
        auto* other = static_cast<TiPlotAxis*>(GetObject(kind, i));
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
        TiPlotLayoutObject* title = GetLayoutObject(TiPlotObjectKind::Label, 0);
        if (toolBar->Horizontal() == title->Horizontal() && toolBar->ZOrder() == title->ZOrder())
            toolBar->SetZOrder(toolBar->ZOrder() + 1);
    }
    if (m_readingForm) {
        m_readingForm = false;
        GetLayoutManager()->SetEnabled(true);
        EndUpdate();
    }
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
