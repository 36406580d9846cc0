#include "plot/core/iPlotManagers.h"

#include "platform/core/Assert.h"
#include "platform/core/Conversions.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Reflection.h"
#include "platform/core/StrUtils.h"

#include <algorithm>
#include <array>
#include <utility>

// ---------------------------------------------------------------------------------------------
// The registry of kinds

namespace {

std::array<std::shared_ptr<TiPlotKindClass>, kPlotObjectKindCount>& KindClasses()
{
    static std::array<std::shared_ptr<TiPlotKindClass>, kPlotObjectKindCount> classes;
    return classes;
}

std::shared_ptr<TiPlotKindClass>& KindSlot(TiPlotObjectKind kind) { return KindClasses().at(std::size_t(kind)); }

constexpr std::array<const char*, kPlotObjectKindCount> kKindNames = {
    "Toolbar", "Legend", "Table", "X-Axis", "Y-Axis", "Channel", "Data View", "Cursor", "Limit", "Label", "Annotation",
};

}  // namespace

TiPlotKindRegistration::TiPlotKindRegistration(TiPlotObjectKind kind, TiPlotKindClass kindClass)
    : m_kind(kind), m_previous(std::exchange(KindSlot(kind), std::make_shared<TiPlotKindClass>(std::move(kindClass))))
{
}

TiPlotKindRegistration::TiPlotKindRegistration(TiPlotKindRegistration&& other) noexcept
    : m_kind(other.m_kind), m_previous(std::move(other.m_previous))
{
    other.m_active = false;
}

TiPlotKindRegistration::~TiPlotKindRegistration()
{
    if (m_active)
        KindSlot(m_kind) = std::move(m_previous);
}

const TiPlotKindClass* FindPlotKindClass(TiPlotObjectKind kind) { return KindSlot(kind).get(); }

bool GetPlotObjectKind(const TObject* object, TiPlotObjectKind& kind)
{
    for (int i = 0; i < kPlotObjectKindCount; ++i) {
        const TiPlotKindClass* kindClass = KindClasses()[std::size_t(i)].get();
        if (kindClass && kindClass->IsKind && kindClass->IsKind(object)) {
            kind = TiPlotObjectKind(i);
            return true;
        }
    }
    return false;
}

const char* PlotObjectKindName(TiPlotObjectKind kind) { return kKindNames.at(std::size_t(kind)); }

// ---------------------------------------------------------------------------------------------
// TiPlotObjectManagerCustom

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                                     TNotifyEvent onRemove, TNotifyEvent onRename)
    // Copies, not moves: the arguments of one call are evaluated in no fixed order.
    : OnChange(onChange),
      OnRemove(onRemove),
      OnInsert(onInsert),
      OnRename(onRename),
      m_owner(CheckedPlotCallbacks(owner, "Owner must be Assigned", onChange, onInsert, onRemove, onRename))
{
}

TiPlotObjectManagerCustom::~TiPlotObjectManagerCustom() = default;

void ReleasePlotManager(TiPlotObjectManagerCustom* manager)
{
    if (!manager)
        return;
    manager->Clear();
    manager->OnRemove(manager);
    delete manager;
}

void TiPlotObjectManagerCustom::RemovingObject(TiPlotObject*) {}

bool TiPlotObjectManagerCustom::RemoveEntry(const TObject* object)
{
    if (!m_nameNumbers.contains(object))
        return false;
    // From the last entry backwards: the object most recently added is the likeliest to go.
    const auto entry = std::find(m_items.rbegin(), m_items.rend(), object);
    PRAVIX_ASSERT(entry != m_items.rend(), "an object whose name is counted is in the list");
    m_items.erase(std::next(entry).base());
    UncountName(object);
    PRAVIX_ASSERT(m_items.size() == m_nameNumbers.size(), "every listed object has its name counted once");
    return true;
}

void TiPlotObjectManagerCustom::NotificationRemove(TObject* sender)
{
    if (!RemoveEntry(sender))
        return;
    RemovingObject(static_cast<TiPlotObject*>(sender));
    DoChange();
}

void TiPlotObjectManagerCustom::NameChanged(TObject* sender)
{
    if (!m_nameNumbers.contains(sender))
        return;
    UncountName(sender);
    CountName(sender, NameNumber(static_cast<TiPlotObject*>(sender)->Name()));
}

void TiPlotObjectManagerCustom::NotificationRename(TObject* sender)
{
    NameChanged(sender);
    for (TiPlotObject* object : Snapshot())
        object->NotificationRename(sender);
}

void TiPlotObjectManagerCustom::NotificationSetFocus(TObject* sender)
{
    for (TiPlotObject* object : Snapshot())
        object->NotificationSetFocus(sender);
}

void TiPlotObjectManagerCustom::Clear() {}

void TiPlotObjectManagerCustom::Delete(int index)
{
    UncountName(GetObject(index));  // the index error first
    m_items.erase(m_items.begin() + index);
    PRAVIX_ASSERT(m_items.size() == m_nameNumbers.size(), "every listed object has its name counted once");
}

TiPlotObject* TiPlotObjectManagerCustom::GetObject(int index) const
{
    if (index < 0 || index >= GetCount())
        RaiseListIndexError(index);
    return m_items[std::size_t(index)];
}

int TiPlotObjectManagerCustom::GetIndex(const TObject* object) const
{
    if (!m_nameNumbers.contains(object))
        return -1;
    // An object is listed once; the newest, the likeliest to be asked for, is found first.
    return int(std::find(m_items.rbegin(), m_items.rend(), object).base() - m_items.begin()) - 1;
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const std::string& name) const
{
    const int index = GetIndexByName(name);
    return index < 0 ? nullptr : m_items[std::size_t(index)];
}

int TiPlotObjectManagerCustom::GetIndexByName(const std::string& name) const
{
    const std::string wanted = UpperCase(name);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (UpperCase(m_items[i]->Name()) == wanted)
            return int(i);
    }
    return -1;
}

void TiPlotObjectManagerCustom::InsertObject(TiPlotObject* object)
{
    if (m_nameNumbers.contains(object))
        return;
    m_items.push_back(object);
    CountName(object, NameNumber(object->Name()));
    PRAVIX_ASSERT(m_items.size() == m_nameNumbers.size(), "every listed object has its name counted once");
}

void TiPlotObjectManagerCustom::DoChange() { OnChange(this); }

int TiPlotObjectManagerCustom::NameNumber(const std::string& name) const
{
    const std::string base = GetName();
    if (UpperCase(name.substr(0, base.size())) != UpperCase(base))
        return 0;
    int number = 0;
    return TryStrToInt(std::string_view(name).substr(std::min(base.size(), name.size())), number) ? std::max(number, 0)
                                                                                                  : 0;
}

void TiPlotObjectManagerCustom::CountName(const TObject* object, int number)
{
    m_nameNumbers[object] = number;
    if (number > 0)
        m_numbers.insert(number);
}

void TiPlotObjectManagerCustom::UncountName(const TObject* object)
{
    const auto found = m_nameNumbers.find(object);
    if (found == m_nameNumbers.end())
        return;
    if (found->second > 0)
        m_numbers.erase(m_numbers.find(found->second));
    m_nameNumbers.erase(found);
}

std::string TiPlotObjectManagerCustom::GetNextName() const
{
    // The highest number is at most the largest 32-bit integer, so one more never wraps.
    const long long highest = m_numbers.empty() ? 0 : *m_numbers.rbegin();
    return GetName() + " " + IntToStr(highest + 1);
}

void TiPlotObjectManagerCustom::WriteToStream(TWriter& writer)
{
    writer.WriteCollectionBegin();
    for (TiPlotObject* object : m_items)
        writer.WriteItem(*object);
    writer.WriteCollectionEnd();
}

void TiPlotObjectManagerCustom::ReadFromStream(TReader& reader)
{
    Clear();
    if (!reader.NextIsCollection())
        return;
    reader.ReadCollectionBegin();
    while (!reader.EndOfCollection()) {
        TiPlotObjectPtr<TiPlotObject> object = CreateObject();
        reader.ReadItem(*object);
        object->Loaded();
        // Registered: this manager owns it now. An object no manager took in (a plot without
        // a master manager) is released by its pointer instead of being leaked.
        if (GetIndex(object.get()) >= 0)
            object.release();
    }
    reader.ReadCollectionEnd();
}

void TiPlotObjectManagerCustom::RaiseInvalidCast() { throw EConvertError("Invalid class typecast"); }

PRAVIX_PUBLISH(TiPlotObjectManagerCustom)

// ---------------------------------------------------------------------------------------------
// TiPlotObjectOwnedManager

TiPlotObjectOwnedManager::TiPlotObjectOwnedManager(TiPlotObjectKind kind, IPlotHost* owner, TNotifyEvent onChange,
                                                   TNotifyEvent onInsert, TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotObjectManagerCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                                std::move(onRename)),
      m_kind(kind)
{
}

TiPlotObjectPtr<TiPlotObject> TiPlotObjectOwnedManager::CreateObject()
{
    const TiPlotKindClass* kindClass = FindPlotKindClass(m_kind);
    if (!kindClass || !kindClass->Create)
        throw Exception(std::string("No class is registered for ") + PlotObjectKindName(m_kind));
    return kindClass->Create(Owner(), OnChange, OnInsert, OnRemove, OnRename);
}

std::string TiPlotObjectOwnedManager::GetName() const { return PlotObjectKindName(m_kind); }

void TiPlotObjectOwnedManager::NotificationRemove(TObject* sender)
{
    if (sender != this) {
        for (TiPlotObject* object : Snapshot()) {
            if (object != sender)
                object->NotificationRemove(sender);
        }
    }
    TiPlotObjectManagerCustom::NotificationRemove(sender);
}

void TiPlotObjectOwnedManager::NotificationInsert(TObject* sender)
{
    const TiPlotKindClass* kindClass = FindPlotKindClass(m_kind);
    if (!kindClass || !kindClass->IsKind || !kindClass->IsKind(sender))
        return;
    auto* object = static_cast<TiPlotObject*>(sender);
    InsertObject(object);
    if (object->Name().empty())
        FirstSettings(*object);
}

void TiPlotObjectOwnedManager::Clear()
{
    for (TiPlotObject* object : Snapshot()) {
        ReleasePlotObject(object);
        // Routed through a master manager the release has taken the entry out already; a
        // manager used on its own, or objects whose callbacks were cut at shut-down, leave
        // it to be dropped here.
        RemoveEntry(object);
    }
    PRAVIX_ASSERT(GetCount() == 0, "a cleared manager holds no object");
}

void TiPlotObjectOwnedManager::FirstSettings(TiPlotObject& object) { object.SetName(GetNextName()); }

std::string TiPlotObjectOwnedManager::FirstName(const TiPlotObjectManagerCustom* manager)
{
    return manager && manager->GetCount() > 0 ? manager->GetObject(0)->Name() : std::string();
}

void TiPlotObjectOwnedManager::SetPublishedString(TiPlotObject& object, const char* property, const std::string& value)
{
    if (const TPropertyRef ref = FindProperty(object, property))
        ref.SetString(value);
}

PRAVIX_PUBLISH(TiPlotObjectOwnedManager)

// ---------------------------------------------------------------------------------------------
// The typed managers

#define PRAVIX_TYPED_MANAGER_CONSTRUCTOR(Class, Kind)                                                             \
    Class::Class(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,           \
                 TNotifyEvent onRename)                                                                           \
        : inherited(TiPlotObjectKind::Kind, owner, std::move(onChange), std::move(onInsert), std::move(onRemove), \
                    std::move(onRename))                                                                          \
    {                                                                                                             \
    }                                                                                                             \
    PRAVIX_PUBLISH(Class)

PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotToolBarManager, ToolBar)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotLegendManager, Legend)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotTableManager, Table)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotXAxisManager, XAxis)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotYAxisManager, YAxis)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotChannelManager, Channel)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotDataViewManager, DataView)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotLimitManager, Limit)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotDataCursorManager, DataCursor)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotLabelManager, Label)
PRAVIX_TYPED_MANAGER_CONSTRUCTOR(TiPlotAnnotationManager, Annotation)

#undef PRAVIX_TYPED_MANAGER_CONSTRUCTOR

void TiPlotXAxisManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    SetPublishedString(object, "Title", object.Name());
}

void TiPlotYAxisManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    SetPublishedString(object, "Title", object.Name());
}

void TiPlotAxisLinkedManager::NotificationRemove(TObject* sender)
{
    TiPlotObjectOwnedManager::NotificationRemove(sender);
    if (sender == m_xAxisManager)
        m_xAxisManager = nullptr;
    if (sender == m_yAxisManager)
        m_yAxisManager = nullptr;
}

PRAVIX_PUBLISH(TiPlotAxisLinkedManager)

namespace {

// Axis 0 of each orientation, when there is one, through the named properties of a new object.
void PointAtFirstAxes(TiPlotObject& object, const TiPlotAxisLinkedManager& manager, const char* xProperty,
                      const char* yProperty, void (*set)(TiPlotObject&, const char*, const std::string&))
{
    if (manager.XAxisManager() && manager.XAxisManager()->GetCount() > 0)
        set(object, xProperty, manager.XAxisManager()->GetObject(0)->Name());
    if (manager.YAxisManager() && manager.YAxisManager()->GetCount() > 0)
        set(object, yProperty, manager.YAxisManager()->GetObject(0)->Name());
}

// The channel palette, 0x00BBGGRR.
constexpr std::array<TColor, 30> kChannelPalette = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
    0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
    0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80,
};
constexpr TColor kFirstChannelColor = 0x0000FF;  // red

}  // namespace

TiPlotObjectPtr<TiPlotObject> TiPlotChannelManager::CreateObject()
{
    if (m_channelClass)
        return m_channelClass(Owner(), OnChange, OnInsert, OnRemove, OnRename);
    return TiPlotObjectOwnedManager::CreateObject();
}

void TiPlotChannelColorCount::Add(TColor color, int delta)
{
    for (std::size_t entry = 0; entry < kChannelPalette.size(); ++entry) {
        if (color == kChannelPalette[entry])
            m_counts[entry] += delta;
    }
}

void TiPlotChannelColorCount::Move(TiPlotChannelColorCount*& held, TiPlotChannelColorCount* count, TColor color)
{
    if (count == held)
        return;
    if (held)
        held->Add(color, -1);
    held = count;
    if (held)
        held->Add(color, 1);
}

void TiPlotChannelColorCount::Recolor(TColor from, TColor to)
{
    Add(from, -1);
    Add(to, 1);
}

TColor TiPlotChannelColorCount::Fewest() const
{
    return kChannelPalette[std::size_t(std::min_element(m_counts.begin(), m_counts.end()) - m_counts.begin())];
}

void TiPlotChannelManager::CountColor(TObject* channel)
{
    if (auto* counted = dynamic_cast<IPlotColorCounted*>(channel))
        counted->SetColorCount(&m_colorCount);
}

void TiPlotChannelManager::NotificationInsert(TObject* sender)
{
    TiPlotObjectOwnedManager::NotificationInsert(sender);
    // An unnamed channel was counted by its first settings already.
    if (GetIndex(sender) >= 0)
        CountColor(sender);
}

void TiPlotChannelManager::RemovingObject(TiPlotObject* object)
{
    if (auto* counted = dynamic_cast<IPlotColorCounted*>(object))
        counted->SetColorCount(nullptr);
    TiPlotAxisLinkedManager::RemovingObject(object);
}

TColor TiPlotChannelManager::GetNextChannelColor() const
{
    return GetCount() < 2 ? kFirstChannelColor : m_colorCount.Fewest();
}

void TiPlotChannelManager::FirstSettings(TiPlotObject& object)
{
    // The new channel's own colour counts in the choice of its colour.
    CountColor(&object);
    TiPlotObjectOwnedManager::FirstSettings(object);
    SetPublishedString(object, "TitleText", object.Name());
    if (const TPropertyRef color = FindProperty(object, "Color"))
        color.SetOrd(GetNextChannelColor());
    PointAtFirstAxes(object, *this, "XAxisName", "YAxisName", &SetPublishedString);
}

void TiPlotDataViewManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    PointAtFirstAxes(object, *this, "GridXAxisName", "GridYAxisName", &SetPublishedString);
}

void TiPlotLimitManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    PointAtFirstAxes(object, *this, "XAxisName", "YAxisName", &SetPublishedString);
}

void TiPlotDataCursorManager::NotificationRemove(TObject* sender)
{
    TiPlotObjectOwnedManager::NotificationRemove(sender);
    if (sender == m_channelManager)
        m_channelManager = nullptr;
    if (sender == m_dataViewManager)
        m_dataViewManager = nullptr;
}

void TiPlotDataCursorManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    const TiPlotKindClass* kindClass = FindPlotKindClass(Kind());
    if (m_dataViewManager && m_dataViewManager->GetCount() > 0 && kindClass && kindClass->AssignDataView)
        kindClass->AssignDataView(object, m_dataViewManager->GetObject(0));
    if (m_channelManager && m_channelManager->GetCount() > 0)
        SetPublishedString(object, "ChannelName", m_channelManager->GetObject(0)->Name());
}

void TiPlotLabelManager::FirstSettings(TiPlotObject& object)
{
    TiPlotObjectOwnedManager::FirstSettings(object);
    SetPublishedString(object, "Caption", object.Name());
}

void TiPlotAnnotationManager::FirstSettings(TiPlotObject&) {}

// ---------------------------------------------------------------------------------------------
// TiPlotObjectManager

TiPlotObjectPtr<TiPlotObject> TiPlotObjectManager::CreateObject()
{
    throw Exception("Object Manager does not support creation of objects");
}

void TiPlotObjectManager::NotificationInsert(TObject* sender)
{
    if (auto* object = dynamic_cast<TiPlotObject*>(sender))
        InsertObject(object);
}

std::vector<TiPlotObject*> TiPlotObjectManager::SelectedObjects() const
{
    std::vector<TiPlotObject*> selected = Snapshot();
    std::erase_if(selected, [](const TiPlotObject* object) { return !object->UserSelected(); });
    return selected;
}

template <class Call>
void TiPlotObjectManager::ForEachSelected(Call call)
{
    // An object that a call before it took out of the plot gets no input any more.
    for (TiPlotObject* object : SelectedObjects())
        if (GetIndex(object) >= 0)
            call(*object);
}

void TiPlotObjectManager::ClearAllUserSelections()
{
    for (TiPlotObject* object : SelectedObjects())
        object->SetUserSelected(false);
}

void TiPlotObjectManager::SetShiftState(TShiftState shift)
{
    for (TiPlotObject* object : Snapshot())
        object->SetShiftState(shift);
}

void TiPlotObjectManager::MouseDownFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                                                int screenY, TPopupMenu* popupMenu)
{
    ForEachSelected([&](TiPlotObject& object) { object.iMouseDown(button, shift, x, y, screenX, screenY, popupMenu); });
}

void TiPlotObjectManager::MouseUpFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                                              int screenY, bool doubleClick, TPopupMenu* popupMenu)
{
    ForEachSelected(
        [&](TiPlotObject& object) { object.iMouseUp(button, shift, x, y, screenX, screenY, doubleClick, popupMenu); });
}

void TiPlotObjectManager::KeyDownFocusObjects(int& key, TShiftState shift, TPopupMenu* popupMenu)
{
    ForEachSelected([&](TiPlotObject& object) { object.iKeyDown(key, shift, popupMenu); });
}

void TiPlotObjectManager::MouseMoveFocusObjects(const TiHintData& hintData, TShiftState shift, int x, int y,
                                                int screenX, int screenY, bool doubleClick)
{
    ForEachSelected([&](TiPlotObject& object) {
        TiHintData scratch = hintData;
        object.iMouseMove(scratch, shift, x, y, screenX, screenY, doubleClick);
    });
}

bool TiPlotObjectManager::MouseWheelFocusObjects(int wheelDelta, TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    ForEachSelected(
        [&](TiPlotObject& object) { handled = object.iMouseWheel(wheelDelta, shift, mousePos) || handled; });
    return handled;
}

void TiPlotObjectManager::ShutDownSetup()
{
    for (TiPlotObject* object : Snapshot()) {
        object->OnRemove = nullptr;
        object->OnLayoutChange = nullptr;
        object->OnChange = nullptr;
    }
}

PRAVIX_PUBLISH(TiPlotObjectManager)
