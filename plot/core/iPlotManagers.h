#pragma once
// The lists a plot keeps its objects in: one list of every object and one manager per kind
// (toolbars, legends, tables, X axes, Y axes, channels, data views, data cursors, limits,
// labels, annotations). A manager's order is the order an object index means everywhere
// (events, editor lists, the plot's Get and Delete operations, plot files).
//
// Objects enter a manager only through NotificationInsert (started by the object's Loaded,
// routed by the master manager) and leave through NotificationRemove (started by the
// object's release). A typed manager owns its objects: Clear releases them.
//
// The classes of the kinds plug in from their own units: each registers the factory that
// makes it and the test that recognises it, once, next to its published properties:
//
//     // iPlotLegend.cpp
//     static const TiPlotKindRegistration legendKind =
//         TiPlotKindRegistration::Of<TiPlotLegend>(TiPlotObjectKind::Legend);
//
// Channels are recognised by their base and made as strip-chart channels unless the plot
// hands another class to SetChannelClass (an XY plot):
//
//     static const TiPlotKindRegistration channelKind =
//         TiPlotKindRegistration::Of<TiPlotChannel, TiPlotChannelCustom>(TiPlotObjectKind::Channel);
//
// The first settings of an unnamed new object (title, caption, colour, axis and channel
// names) go through the kind's published properties ("Title", "TitleText", "Color",
// "XAxisName", "YAxisName", "GridXAxisName", "GridYAxisName", "ChannelName", "Caption"),
// so a kind needs nothing more than its published properties to receive them. A data
// cursor's data view is no published property: its kind registers AssignDataView. The
// colours a channel manager chooses from are counted by the channels themselves
// (IPlotColorCounted): a channel class that does not count its colour counts for none.

#include "plot/core/iPlotObjects.h"

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

class TReader;
class TWriter;

// The kinds of objects the typed managers keep, in the order the master manager offers a
// new object to them.
enum class TiPlotObjectKind {
    ToolBar,
    Legend,
    Table,
    XAxis,
    YAxis,
    Channel,
    DataView,
    DataCursor,
    Limit,
    Label,
    Annotation,
};
constexpr int kPlotObjectKindCount = 11;

// How a kind's class plugs into the managers.
struct TiPlotKindClass {
    // The class a manager's CreateObject makes (for channels: the default channel class).
    TiPlotObjectFactory Create = nullptr;
    // Whether an object is of the kind (its class or a descendant).
    std::function<bool(const TObject*)> IsKind;
    // Data cursors only: points a new cursor at a data view (nullptr: none).
    std::function<void(TiPlotObject& cursor, TiPlotObject* dataView)> AssignDataView;
    // Channels and axes: what the plot's "clear all data" does to one object (a channel
    // empties its points, an axis forgets its first alignment).
    std::function<void(TiPlotObject& object)> ClearData;
};

// Registers the class of a kind for as long as the registration lives; the registration
// it replaced comes back when it ends (tests register kinds of their own this way).
class TiPlotKindRegistration {
public:
    TiPlotKindRegistration(TiPlotObjectKind kind, TiPlotKindClass kindClass);
    ~TiPlotKindRegistration();
    TiPlotKindRegistration(TiPlotKindRegistration&& other) noexcept;
    TiPlotKindRegistration(const TiPlotKindRegistration&) = delete;
    TiPlotKindRegistration& operator=(const TiPlotKindRegistration&) = delete;
    TiPlotKindRegistration& operator=(TiPlotKindRegistration&&) = delete;

    // The registration of class T as the kind: its factory, and a test that takes every
    // object of class KindBase (T itself unless given) or a descendant.
    template <class T, class KindBase = T>
    static TiPlotKindRegistration Of(TiPlotObjectKind kind)
    {
        static_assert(std::is_base_of_v<KindBase, T>, "the class made must be of the kind it registers");
        TiPlotKindClass kindClass;
        kindClass.Create = &CreatePlotObject<T>;
        kindClass.IsKind = [](const TObject* object) { return dynamic_cast<const KindBase*>(object) != nullptr; };
        return TiPlotKindRegistration(kind, std::move(kindClass));
    }

private:
    TiPlotObjectKind m_kind;
    std::shared_ptr<TiPlotKindClass> m_previous;
    bool m_active = true;
};

// The registered class of a kind; nullptr while none is registered.
const TiPlotKindClass* FindPlotKindClass(TiPlotObjectKind kind);
// The kind of an object; false when it is of no registered kind.
bool GetPlotObjectKind(const TObject* object, TiPlotObjectKind& kind);
// The base of the kind's default names ("Channel", "X-Axis", ...).
const char* PlotObjectKindName(TiPlotObjectKind kind);

class TiPlotObjectManagerCustom;

// What stands in for a manager's virtual constructor: the owner and the four callbacks.
using TiPlotManagerFactory = std::function<TiPlotObjectManagerCustom*(
    IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove, TNotifyEvent onRename)>;

// The base of every manager: an ordered list of plot objects with look-up by index and name.
class TiPlotObjectManagerCustom : public TObject {
    PRAVIX_CLASS(TiPlotObjectManagerCustom, TObject)
public:
    // Refuses a missing owner or callback ("Owner must be Assigned", "OnChange event handler
    // can not be null", ...).
    TiPlotObjectManagerCustom(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                              TNotifyEvent onRename);
    // Frees the list only: the removal was announced by ReleasePlotManager.
    ~TiPlotObjectManagerCustom() override;
    TiPlotObjectManagerCustom(const TiPlotObjectManagerCustom&) = delete;
    TiPlotObjectManagerCustom& operator=(const TiPlotObjectManagerCustom&) = delete;

    TNotifyEvent OnChange;
    TNotifyEvent OnRemove;
    TNotifyEvent OnInsert;
    TNotifyEvent OnRename;

    IPlotHost* Owner() const { return m_owner; }

    // --- Virtual operations, in slot order --------------------------------------------------
    // A new object of the manager's kind, made with the manager's owner and callbacks and
    // not yet registered.
    virtual TiPlotObjectPtr<TiPlotObject> CreateObject() = 0;
    // The base of default names.
    virtual std::string GetName() const = 0;
    // Called after an object left the list.
    virtual void RemovingObject(TiPlotObject* object);
    // Drops the entry of `sender` (not freeing it); nothing when it is not in the list.
    virtual void NotificationRemove(TObject* sender);
    // Takes in a new object when it is of the manager's kind.
    virtual void NotificationInsert(TObject* sender) = 0;
    // Pass the news to every object, in list order (after NameChanged).
    virtual void NotificationRename(TObject* sender);
    virtual void NotificationSetFocus(TObject* sender);
    virtual void Clear();
    // Removes the entry at `index` without freeing the object.
    virtual void Delete(int index);

    // --- Look-ups -----------------------------------------------------------------------------
    int GetCount() const { return int(m_items.size()); }
    // Index errors raise "List index out of bounds (%d)".
    TiPlotObject* GetObject(int index) const;
    TiPlotObject* GetItem(int index) const { return GetObject(index); }
    // The object at `index` as class T; "Invalid class typecast" when it is of another class.
    template <class T>
    T* GetItemAs(int index) const
    {
        return CheckedCast<T>(GetObject(index));
    }
    int GetIndex(const TObject* object) const;
    // The first object whose name equals `name`, ignoring ASCII letter case.
    TiPlotObject* GetObjectByName(const std::string& name) const;
    int GetIndexByName(const std::string& name) const;

    // Appends the object unless it is already in the list.
    void InsertObject(TiPlotObject* object);
    // Brings the book of names up to date with the new name of `sender`, one of the list's
    // objects (nothing for others), without telling the objects.
    void NameChanged(TObject* sender);
    void DoChange();
    // GetName, a blank, and one more than the highest number that follows GetName in the
    // names of the manager's objects ("Channel 1" for the first channel). The numbers are
    // kept as objects come, go and are renamed (NotificationRename), so a plot of thousands
    // of objects names a new one without a pass over them.
    std::string GetNextName() const;

    // --- Form stream -----------------------------------------------------------------------
    // True when there is anything to write.
    bool DoWriteToStream() const { return !m_items.empty(); }
    // The objects' published properties as one collection item per object.
    void WriteToStream(TWriter& writer);
    // Clears the manager, then creates one object per collection item, reads its properties
    // and registers it (Loaded); an item keeps its stored name and gets no first settings.
    void ReadFromStream(TReader& reader);

protected:
    // The list as it is now, for fan-outs that may change it.
    std::vector<TiPlotObject*> Snapshot() const { return m_items; }
    // Takes the entry of `object` out of the list, comparing addresses only (the object may
    // be gone); false when it was not there.
    bool RemoveEntry(const TObject* object);
    [[noreturn]] static void RaiseInvalidCast();
    template <class T>
    static T* CheckedCast(TiPlotObject* object)
    {
        T* typed = dynamic_cast<T*>(object);
        if (!typed)
            RaiseInvalidCast();
        return typed;
    }

private:
    // The number a name gives GetNextName: what follows GetName, when it is an integer above 0.
    int NameNumber(const std::string& name) const;
    void CountName(const TObject* object, int number);
    void UncountName(const TObject* object);

    IPlotHost* m_owner;
    std::vector<TiPlotObject*> m_items;
    // Every object of the list with its name's number, and the numbers above 0 in use.
    std::unordered_map<const TObject*, int> m_nameNumbers;
    std::multiset<int> m_numbers;
};

// The one way a manager leaves: clears it (a typed manager releases its objects), announces
// the removal (OnRemove) while it is whole so that the master manager and the other managers
// drop their links to it, then frees it. Nothing for nullptr.
void ReleasePlotManager(TiPlotObjectManagerCustom* manager);

struct TiPlotManagerReleaser {
    void operator()(TiPlotObjectManagerCustom* manager) const { ReleasePlotManager(manager); }
};
template <class T>
using TiPlotManagerPtr = std::unique_ptr<T, TiPlotManagerReleaser>;

// The base of the typed managers: keeps the objects of one kind and owns them.
class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
    PRAVIX_CLASS(TiPlotObjectOwnedManager, TiPlotObjectManagerCustom)
public:
    TiPlotObjectOwnedManager(TiPlotObjectKind kind, IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                             TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotObjectKind Kind() const { return m_kind; }

    // Raises "No class is registered for <kind>" while the kind's class has not landed.
    TiPlotObjectPtr<TiPlotObject> CreateObject() override;
    std::string GetName() const override;
    // Every other object of the list hears of the removal first, then the entry goes.
    void NotificationRemove(TObject* sender) override;
    // Appends an object of the kind; an unnamed one gets its first settings.
    void NotificationInsert(TObject* sender) override;
    // Releases the objects from the first to the last.
    void Clear() override;

protected:
    // What an unnamed new object gets: its name (GetNextName).
    virtual void FirstSettings(TiPlotObject& object);
    // The name of the first object of `manager`; empty when there is none.
    static std::string FirstName(const TiPlotObjectManagerCustom* manager);
    // Sets a published string property of a new object; passed over when it has none.
    static void SetPublishedString(TiPlotObject& object, const char* property, const std::string& value);

private:
    TiPlotObjectKind m_kind;
};

class TiPlotToolBarManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotToolBarManager, TiPlotObjectOwnedManager)
public:
    TiPlotToolBarManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename);
};

class TiPlotLegendManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotLegendManager, TiPlotObjectOwnedManager)
public:
    TiPlotLegendManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                        TNotifyEvent onRename);
};

class TiPlotTableManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotTableManager, TiPlotObjectOwnedManager)
public:
    TiPlotTableManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);
};

// Axes are titled with their new name.
class TiPlotXAxisManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotXAxisManager, TiPlotObjectOwnedManager)
public:
    TiPlotXAxisManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

class TiPlotYAxisManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotYAxisManager, TiPlotObjectOwnedManager)
public:
    TiPlotYAxisManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

// A manager that knows the axis managers, to point new objects at axis 0.
class TiPlotAxisLinkedManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotAxisLinkedManager, TiPlotObjectOwnedManager)
public:
    using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;

    TiPlotObjectManagerCustom* XAxisManager() const { return m_xAxisManager; }
    TiPlotObjectManagerCustom* YAxisManager() const { return m_yAxisManager; }
    void SetXAxisManager(TiPlotObjectManagerCustom* value) { m_xAxisManager = value; }
    void SetYAxisManager(TiPlotObjectManagerCustom* value) { m_yAxisManager = value; }

    // A linked manager that is going away is forgotten.
    void NotificationRemove(TObject* sender) override;

private:
    TiPlotObjectManagerCustom* m_xAxisManager = nullptr;
    TiPlotObjectManagerCustom* m_yAxisManager = nullptr;
};

// How many of a manager's channels wear each colour of the channel palette; colours outside
// the palette count nowhere.
class TiPlotChannelColorCount {
public:
    // A channel wearing `color` leaves the count `held` points at (if any) for `count` (if
    // any); `held` then points at `count`.
    static void Move(TiPlotChannelColorCount*& held, TiPlotChannelColorCount* count, TColor color);
    // A counted channel changes its colour.
    void Recolor(TColor from, TColor to);
    // The first palette colour the fewest channels wear.
    TColor Fewest() const;

private:
    void Add(TColor color, int delta);

    std::array<int, 30> m_counts{};
};

// A channel whose colour the channel manager counts. While filed with a manager it is given
// the manager's count and keeps it true: it counts its colour when given a count, moves its
// count along with each change of its colour, and takes it back when it leaves (nullptr) or
// goes. So the colour of a new channel costs no pass over the others.
class IPlotColorCounted {
public:
    // Giving the count it already reports to changes nothing.
    virtual void SetColorCount(TiPlotChannelColorCount* count) = 0;

protected:
    ~IPlotColorCounted() = default;
};

// Channels are titled with their new name, coloured from a palette of 30 colours and
// pointed at axis 0. New channels are made from the plot's channel class.
class TiPlotChannelManager : public TiPlotAxisLinkedManager {
    PRAVIX_CLASS(TiPlotChannelManager, TiPlotAxisLinkedManager)
public:
    TiPlotChannelManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                         TNotifyEvent onRename);

    // The class CreateObject makes; nullptr: the registered default channel class.
    TiPlotObjectFactory ChannelClass() const { return m_channelClass; }
    void SetChannelClass(TiPlotObjectFactory value) { m_channelClass = value; }

    TiPlotObjectPtr<TiPlotObject> CreateObject() override;
    // Red while fewer than 2 channels exist; otherwise the first palette colour that the
    // fewest channels (the newest included) wear.
    TColor GetNextChannelColor() const;
    // A channel is counted from its filing on (IPlotColorCounted).
    void NotificationInsert(TObject* sender) override;

protected:
    void FirstSettings(TiPlotObject& object) override;
    void RemovingObject(TiPlotObject* object) override;

private:
    void CountColor(TObject* channel);

    TiPlotObjectFactory m_channelClass = nullptr;
    TiPlotChannelColorCount m_colorCount;
};

class TiPlotDataViewManager : public TiPlotAxisLinkedManager {
    PRAVIX_CLASS(TiPlotDataViewManager, TiPlotAxisLinkedManager)
public:
    TiPlotDataViewManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                          TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

class TiPlotLimitManager : public TiPlotAxisLinkedManager {
    PRAVIX_CLASS(TiPlotLimitManager, TiPlotAxisLinkedManager)
public:
    TiPlotLimitManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

// Data cursors start on data view 0 and channel 0.
class TiPlotDataCursorManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotDataCursorManager, TiPlotObjectOwnedManager)
public:
    TiPlotDataCursorManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                            TNotifyEvent onRename);

    TiPlotObjectManagerCustom* ChannelManager() const { return m_channelManager; }
    TiPlotObjectManagerCustom* DataViewManager() const { return m_dataViewManager; }
    void SetChannelManager(TiPlotObjectManagerCustom* value) { m_channelManager = value; }
    void SetDataViewManager(TiPlotObjectManagerCustom* value) { m_dataViewManager = value; }

    void NotificationRemove(TObject* sender) override;

protected:
    void FirstSettings(TiPlotObject& object) override;

private:
    TiPlotObjectManagerCustom* m_channelManager = nullptr;
    TiPlotObjectManagerCustom* m_dataViewManager = nullptr;
};

class TiPlotLabelManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotLabelManager, TiPlotObjectOwnedManager)
public:
    TiPlotLabelManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                       TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

// Annotations keep the empty name they are made with.
class TiPlotAnnotationManager : public TiPlotObjectOwnedManager {
    PRAVIX_CLASS(TiPlotAnnotationManager, TiPlotObjectOwnedManager)
public:
    TiPlotAnnotationManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                            TNotifyEvent onRename);

protected:
    void FirstSettings(TiPlotObject& object) override;
};

// Every plot object of the plot, in registration order; it owns none of them. The input
// dispatch acts through it on the objects the user selected.
class TiPlotObjectManager : public TiPlotObjectManagerCustom {
    PRAVIX_CLASS(TiPlotObjectManager, TiPlotObjectManagerCustom)
public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;

    // Raises "Object Manager does not support creation of objects".
    TiPlotObjectPtr<TiPlotObject> CreateObject() override;
    std::string GetName() const override { return "n/a"; }
    void NotificationInsert(TObject* sender) override;

    void ClearAllUserSelections();
    // Every object, selected or not.
    void SetShiftState(TShiftState shift);
    // The same input call on every selected object, in list order.
    void MouseDownFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX, int screenY,
                               TPopupMenu* popupMenu);
    void MouseUpFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX, int screenY,
                             bool doubleClick, TPopupMenu* popupMenu);
    void KeyDownFocusObjects(int& key, TShiftState shift, TPopupMenu* popupMenu);
    // Each object writes into a scratch copy of the hint, which is discarded.
    void MouseMoveFocusObjects(const TiHintData& hintData, TShiftState shift, int x, int y, int screenX, int screenY,
                               bool doubleClick);
    // True when any selected object handled the wheel.
    bool MouseWheelFocusObjects(int wheelDelta, TShiftState shift, TPoint mousePos);
    // Cuts every object's remove, layout-change and change callbacks, so the objects can be
    // freed while the plot is being destroyed without calling back into it.
    void ShutDownSetup();

private:
    // The selected objects now; a call may change the selection.
    std::vector<TiPlotObject*> SelectedObjects() const;
    template <class Call>
    void ForEachSelected(Call call);
};
