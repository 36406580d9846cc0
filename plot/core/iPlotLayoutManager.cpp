#include "plot/core/iPlotLayoutManager.h"

#include "platform/core/Assert.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Scoped.h"
#include "plot/core/iPlotMasterManager.h"

#include <algorithm>
#include <cctype>
#include <map>

// ---------------------------------------------------------------------------------------------
// TiPlotLayoutManager

namespace {

template <class Placeholder>
Placeholder* MakePlaceholder(TiPlotLayoutManager& manager, bool horizontal)
{
    auto* placeholder =
        new Placeholder(manager.Owner(), manager.OnChange, manager.OnInsert, manager.OnRemove, manager.OnRename);
    placeholder->SetHorizontal(horizontal);
    placeholder->SetZOrder(1);
    placeholder->SetName("Data View");
    // Registers it with the plot's object list; this manager takes it in itself, for the
    // master manager does not know it yet.
    placeholder->Loaded();
    manager.InsertObject(placeholder);
    placeholder->OnLayoutChange = TNotifyEvent::Bind(&manager, &TiPlotLayoutManager::DoLayoutChange);
    return placeholder;
}

bool IsKind(const TObject* object, TiPlotObjectKind kind)
{
    TiPlotObjectKind found;
    return GetPlotObjectKind(object, found) && found == kind;
}

}  // namespace

TiPlotLayoutManager::TiPlotLayoutManager(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotObjectManagerCustom(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                                std::move(onRename))
{
    m_dataViewHorz = MakePlaceholder<TiPlotDataViewHorz>(*this, true);
    m_dataViewVert = MakePlaceholder<TiPlotDataViewVert>(*this, false);
    m_enabled = true;
}

TiPlotLayoutManager::~TiPlotLayoutManager()
{
    m_enabled = false;
    ReleasePlotObject(std::exchange(m_dataViewHorz, nullptr));
    ReleasePlotObject(std::exchange(m_dataViewVert, nullptr));
}

TiPlotObjectPtr<TiPlotObject> TiPlotLayoutManager::CreateObject()
{
    throw Exception("Layout Manager does not support creation of objects");
}

bool TiPlotLayoutManager::IsDataView(const TObject* object) { return IsKind(object, TiPlotObjectKind::DataView); }

bool TiPlotLayoutManager::IsPlaceholder(const TObject* object)
{
    return dynamic_cast<const TiPlotDataViewLayout*>(object) != nullptr;
}

void TiPlotLayoutManager::NotificationInsert(TObject* sender)
{
    auto* object = dynamic_cast<TiPlotLayoutObject*>(sender);
    if (!object)
        return;
    InsertObject(object);
    object->OnLayoutChange = TNotifyEvent::Bind(this, &TiPlotLayoutManager::DoLayoutChange);
    if (IsKind(object, TiPlotObjectKind::XAxis))
        object->SetHorizontal(!m_xyAxesReverse);
    else if (IsKind(object, TiPlotObjectKind::YAxis))
        object->SetHorizontal(m_xyAxesReverse);
    if (m_enabled)
        InsertZOrder(object, 0, iidMerge);
}

void TiPlotLayoutManager::RemovingObject(TiPlotObject* object)
{
    auto* layoutObject = static_cast<TiPlotLayoutObject*>(object);
    for (TiPlotLayoutList* list : {&m_top, &m_bottom, &m_left, &m_right})
        list->Remove(layoutObject);
    if (m_enabled)
        RemoveZOrder(layoutObject);
}

void TiPlotLayoutManager::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    if (m_enabled) {
        PartCollidingLevels();
        DoLayoutChange(this);
    }
}

bool TiPlotLayoutManager::SpansCollide(const TiPlotLayoutObject* a, const TiPlotLayoutObject* b)
{
    const bool overlap = a->StartPercent() < b->StopPercent() && a->StopPercent() > b->StartPercent();
    const bool same = a->StartPercent() == b->StartPercent() && a->StopPercent() == b->StopPercent();
    return overlap || same;
}

// While the manager was off, levels were set as they came (a form or a property file read, a
// damaged one among them): two objects of one side may hold one level over the same stretch of
// it, and the layout would give them one band, one drawn over the other. Each object that
// collides with one before it in manager order is put back on its level as an insertion puts
// it, which moves the level's others, and those beyond, one level further in.
void TiPlotLayoutManager::PartCollidingLevels()
{
    const TScopedFlag moving(m_movingLevels);
    // The kinds are looked up once: a file may hold thousands of objects.
    std::vector<TiPlotLayoutObject*> objects;
    for (TiPlotObject* item : Snapshot())
        if (!IsDataView(item) && !IsPlaceholder(item))
            objects.push_back(static_cast<TiPlotLayoutObject*>(item));
    for (std::size_t i = 0; i < objects.size(); ++i) {
        TiPlotLayoutObject* object = objects[i];
        const bool collides = std::any_of(
            objects.begin(), objects.begin() + std::ptrdiff_t(i), [object](const TiPlotLayoutObject* earlier) {
                return earlier->GetIsHorz() == object->GetIsHorz() && earlier->ZOrder() == object->ZOrder() &&
                       SpansCollide(earlier, object);
            });
        if (collides)
            InsertZOrder(object, object->ZOrder(), iidMerge);
    }
}

void TiPlotLayoutManager::SetXYAxesReverse(bool value)
{
    if (value == m_xyAxesReverse)
        return;
    m_xyAxesReverse = value;
    if (!m_enabled)
        return;
    // Lowest level first, so that each axis merges back where the ones before it went.
    std::multimap<std::string, TiPlotLayoutObject*> axes;
    for (TiPlotObject* item : Snapshot()) {
        const bool xAxis = IsKind(item, TiPlotObjectKind::XAxis);
        if (xAxis || IsKind(item, TiPlotObjectKind::YAxis)) {
            auto* axis = static_cast<TiPlotLayoutObject*>(item);
            // Keys compare as text, as the side lists do: "10" sorts before "9".
            axes.emplace_hint(axes.lower_bound(std::to_string(axis->ZOrder())), std::to_string(axis->ZOrder()), axis);
        }
    }
    {
        const TScopedFlag moving(m_movingLevels);
        for (auto& [key, axis] : axes) {
            RemoveZOrder(axis);
            axis->SetHorizontal(IsKind(axis, TiPlotObjectKind::XAxis) ? !m_xyAxesReverse : m_xyAxesReverse);
            InsertZOrder(axis, 0, iidMerge);
        }
    }
    DoLayoutChange(this);
}

std::vector<TiPlotLayoutObject*> TiPlotLayoutManager::OthersOfOrientation(const TiPlotLayoutObject* object,
                                                                          bool withDataViews) const
{
    std::vector<TiPlotLayoutObject*> others;
    for (TiPlotObject* item : Snapshot()) {
        auto* other = static_cast<TiPlotLayoutObject*>(item);
        if (other == object || other->GetIsHorz() != object->GetIsHorz())
            continue;
        if (!withDataViews && IsDataView(other))
            continue;
        others.push_back(other);
    }
    return others;
}

bool TiPlotLayoutManager::CollidesOnItsLevel(const TiPlotLayoutObject* object,
                                             const std::vector<TiPlotLayoutObject*>& others)
{
    return std::any_of(others.begin(), others.end(), [object](const TiPlotLayoutObject* other) {
        return !IsPlaceholder(other) && other->ZOrder() == object->ZOrder() && SpansCollide(other, object);
    });
}

void TiPlotLayoutManager::InsertZOrder(TiPlotLayoutObject* object, int z, TiInsertDirection direction)
{
    const std::vector<TiPlotLayoutObject*> others = OthersOfOrientation(object, false);
    bool openLevel = direction != iidMerge;
    if (!openLevel) {
        openLevel = std::any_of(others.begin(), others.end(), [&](const TiPlotLayoutObject* other) {
            return other->ZOrder() == z && SpansCollide(other, object);
        });
    }
    {
        const TScopedFlag moving(m_movingLevels);
        if (openLevel) {
            const int firstMoved = direction == iidAbove ? z + 1 : z;
            for (TiPlotLayoutObject* other : others) {
                if (other->ZOrder() >= firstMoved)
                    other->SetZOrder(other->ZOrder() + 1);
            }
            object->SetZOrder(firstMoved);
        } else {
            object->SetZOrder(z);
        }
    }
    PRAVIX_ASSERT(!CollidesOnItsLevel(object, others), "an object put on a level has its stretch of it to itself");
    DoLayoutChange(this);
}

void TiPlotLayoutManager::RemoveZOrder(TiPlotLayoutObject* object)
{
    const std::vector<TiPlotLayoutObject*> others = OthersOfOrientation(object, false);
    const bool levelShared = std::any_of(others.begin(), others.end(), [object](const TiPlotLayoutObject* other) {
        return other->ZOrder() == object->ZOrder();
    });
    if (!levelShared) {
        const TScopedFlag moving(m_movingLevels);
        for (TiPlotLayoutObject* other : OthersOfOrientation(object, true)) {
            if (other->ZOrder() > object->ZOrder())
                other->SetZOrder(other->ZOrder() - 1);
        }
    }
    DoLayoutChange(this);
}

void TiPlotLayoutManager::DoLayoutChange(TObject*)
{
    if (!m_enabled || m_movingLevels)
        return;
    for (TiPlotLayoutList* list : {&m_top, &m_bottom, &m_left, &m_right})
        list->Clear();
    for (TiPlotObject* item : Snapshot()) {
        if (IsDataView(item) || IsPlaceholder(item))
            continue;
        auto* object = static_cast<TiPlotLayoutObject*>(item);
        std::string key = object->GetZOrderString() + object->GetStartPercentString();
        const TiPlotLayoutObject* placeholder = object->GetIsHorz() ? static_cast<TiPlotLayoutObject*>(m_dataViewHorz)
                                                                    : static_cast<TiPlotLayoutObject*>(m_dataViewVert);
        const bool beyond = object->ZOrder() > placeholder->ZOrder();
        object->SetReverseSide(beyond);
        if (object->GetIsHorz())
            (beyond ? m_top : m_bottom).Add(std::move(key), object);
        else
            (beyond ? m_right : m_left).Add(std::move(key), object);
    }
    m_leftCount = GetUniqueCount(m_left);
    m_rightCount = GetUniqueCount(m_right);
    m_topCount = GetUniqueCount(m_top);
    m_bottomCount = GetUniqueCount(m_bottom);
}

const TiPlotLayoutList& TiPlotLayoutManager::SideList(TiPlotLayoutSide side) const
{
    switch (side) {
    case TiPlotLayoutSide::Top: return m_top;
    case TiPlotLayoutSide::Bottom: return m_bottom;
    case TiPlotLayoutSide::Left: return m_left;
    case TiPlotLayoutSide::Right: break;
    }
    return m_right;
}

int TiPlotLayoutManager::GetUniqueCount(const TiPlotLayoutList& list)
{
    // The level is the number the key starts with; a key that starts with no number (a
    // negative level) counts as a level of its own and resets the highest seen.
    int count = 0;
    long long highest = 0;
    bool first = true;
    for (const auto& [key, object] : list.Entries()) {
        std::size_t digits = 0;
        while (digits < key.size() && digits < 3 && std::isdigit(static_cast<unsigned char>(key[digits])))
            ++digits;
        if (digits == 0) {
            ++count;
            first = true;
            continue;
        }
        const long long level = std::stoll(key.substr(0, digits));
        if (first || level > highest) {
            ++count;
            highest = level;
            first = false;
        }
    }
    return count;
}

// ---------------------------------------------------------------------------------------------
// Plugging in

void RegisterLayoutManagerWithMasterManagers()
{
    TiPlotLayoutManagerClass layoutClass;
    layoutClass.Create = [](IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                            TNotifyEvent onRename) -> TiPlotObjectManagerCustom* {
        return new TiPlotLayoutManager(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                                       std::move(onRename));
    };
    layoutClass.SetXYAxesReverse = [](TiPlotObjectManagerCustom& manager, bool value) {
        static_cast<TiPlotLayoutManager&>(manager).SetXYAxesReverse(value);
    };
    RegisterPlotLayoutManager(std::move(layoutClass));
}

PRAVIX_PUBLISH(TiPlotDataViewLayout)
PRAVIX_PUBLISH(TiPlotDataViewHorz)
PRAVIX_PUBLISH(TiPlotDataViewVert)
PRAVIX_PUBLISH(TiPlotLayoutManager)
