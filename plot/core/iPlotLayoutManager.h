#pragma once
// The stacking order of a plot's layout objects (axes, toolbars, legends, tables, labels).
//
// Each orientation has one stack of levels (ZOrder). A placeholder named "Data View" stands
// for the data view in each stack: horizontal objects at or below the horizontal
// placeholder's level lie below the data view, the others above it; vertical objects at or
// below the vertical placeholder's level lie to its left, the others to its right. Objects
// of one side that share a level share one band, each along its own span.
//
// The manager keeps the levels consistent as objects come and go, and sorts the objects
// into four side lists keyed by level, then start percent:
//
//     layout.InsertZOrder(axis, 2, iidAbove);   // axis opens level 3, the levels above move up
//     layout.RemoveZOrder(axis);                // an emptied level closes
//     layout.SideList(TiPlotLayoutSide::Bottom);   // the side lists, rebuilt on every change
//
// While switched off (a form being read, the default objects being made) the objects keep
// the levels they are given and the side lists are not rebuilt; switching it on rebuilds
// them from the current values.

#include "plot/core/iPlotManagers.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

PRAVIX_ENUM(TiInsertDirection, iidMerge, iidBelow, iidAbove)

// The placeholders of the data view in the horizontal and in the vertical stack.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
    PRAVIX_CLASS(TiPlotDataViewLayout, TiPlotLayoutObject)
public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
};

class TiPlotDataViewHorz : public TiPlotDataViewLayout {
    PRAVIX_CLASS(TiPlotDataViewHorz, TiPlotDataViewLayout)
public:
    using TiPlotDataViewLayout::TiPlotDataViewLayout;
};

class TiPlotDataViewVert : public TiPlotDataViewLayout {
    PRAVIX_CLASS(TiPlotDataViewVert, TiPlotDataViewLayout)
public:
    using TiPlotDataViewLayout::TiPlotDataViewLayout;
};

enum class TiPlotLayoutSide { Top, Bottom, Left, Right };

// A list of objects sorted by a text key that keeps entries with equal keys, a new one
// before those already there (Add); Append keeps an order made elsewhere.
template <class T>
class TiPlotKeyedList {
public:
    using Entry = std::pair<std::string, T*>;
    void Clear() { m_entries.clear(); }
    void Add(std::string key, T* object)
    {
        auto at = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                                   [](const Entry& entry, const std::string& k) { return entry.first < k; });
        m_entries.insert(at, Entry{std::move(key), object});
    }
    void Append(std::string key, T* object) { m_entries.emplace_back(std::move(key), object); }
    void Remove(const T* object)
    {
        std::erase_if(m_entries, [object](const Entry& entry) { return entry.second == object; });
    }
    int Count() const { return int(m_entries.size()); }
    T* Object(int index) const { return m_entries.at(std::size_t(index)).second; }
    const std::string& Key(int index) const { return m_entries.at(std::size_t(index)).first; }
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
using TiPlotLayoutList = TiPlotKeyedList<TiPlotLayoutObject>;

class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
    PRAVIX_CLASS(TiPlotLayoutManager, TiPlotObjectManagerCustom)
public:
    TiPlotLayoutManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                        TNotifyEvent onRename);
    ~TiPlotLayoutManager() override;

    // The layout manager makes no objects: raises.
    TiPlotObjectPtr<TiPlotObject> CreateObject() override;
    std::string GetName() const override { return "Layout Object"; }
    void NotificationInsert(TObject* sender) override;
    void RemovingObject(TiPlotObject* object) override;

    TiPlotLayoutObject* GetItem(int index) const { return GetItemAs<TiPlotLayoutObject>(index); }

    bool Enabled() const { return m_enabled; }
    // Switching on parts objects that collide on a level (see PartCollidingLevels), then
    // rebuilds the side lists; levels are not otherwise recomputed.
    void SetEnabled(bool value);
    bool XYAxesReverse() const { return m_xyAxesReverse; }
    // Flips the axes' orientation and re-levels them (only while switched on).
    void SetXYAxesReverse(bool value);

    TiPlotDataViewHorz* DataViewHorz() const { return m_dataViewHorz; }
    TiPlotDataViewVert* DataViewVert() const { return m_dataViewVert; }

    // Puts `object` at level `z`: merged into the level when its span meets no other there,
    // else a new level is opened (at z for iidMerge and iidBelow, just above z for iidAbove).
    void InsertZOrder(TiPlotLayoutObject* object, int z, TiInsertDirection direction);
    // Closes the object's level when no other object of its orientation holds it.
    void RemoveZOrder(TiPlotLayoutObject* object);
    // Rebuilds the side lists and their level counts.
    void DoLayoutChange(TObject* sender);

    const TiPlotLayoutList& SideList(TiPlotLayoutSide side) const;
    // The number of distinct levels of a side list, read from the leading digits of its keys.
    static int GetUniqueCount(const TiPlotLayoutList& list);
    int LeftCount() const { return m_leftCount; }
    int RightCount() const { return m_rightCount; }
    int TopCount() const { return m_topCount; }
    int BottomCount() const { return m_bottomCount; }

private:
    // Layout objects of `object`'s orientation other than it, data views left out.
    std::vector<TiPlotLayoutObject*> OthersOfOrientation(const TiPlotLayoutObject* object, bool withDataViews) const;
    static bool IsDataView(const TObject* object);
    static bool IsPlaceholder(const TObject* object);
    // Two spans along a side that share some of it, or are the same.
    static bool SpansCollide(const TiPlotLayoutObject* a, const TiPlotLayoutObject* b);
    // Whether one of `others` (placeholders aside) shares `object`'s level over its stretch.
    static bool CollidesOnItsLevel(const TiPlotLayoutObject* object, const std::vector<TiPlotLayoutObject*>& others);
    void PartCollidingLevels();

    bool m_xyAxesReverse = false;
    TiPlotDataViewHorz* m_dataViewHorz = nullptr;
    TiPlotDataViewVert* m_dataViewVert = nullptr;
    bool m_enabled = false;
    // Set while levels are renumbered: each object moved announces a layout change, and
    // rebuilding the sides for every one of them would make parting n colliding objects cost
    // n^2 rebuilds. The renumbering ends with one rebuild.
    bool m_movingLevels = false;
    TiPlotLayoutList m_top;
    TiPlotLayoutList m_bottom;
    TiPlotLayoutList m_left;
    TiPlotLayoutList m_right;
    int m_leftCount = 0;
    int m_rightCount = 0;
    int m_bottomCount = 0;
    int m_topCount = 0;
};

// Plugs the layout manager into every master manager made from now on (the plot control does
// so before it makes its own); once is enough.
void RegisterLayoutManagerWithMasterManagers();
