#pragma once
// A reference model of the growable ring-capable lists (TiDataNullList, TiDoubleList) and a
// seeded random walk that checks a list against it after every step: adds, deletes,
// capacity changes, clears, writes and switches of the ring flag, with the exceptions each
// one raises.

#include "components/iRingList.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>

template <typename T>
struct TRingListModel {
    std::deque<T> Items;  // oldest first
    int Capacity = 0;
    bool Ring = false;

    int Count() const { return int(Items.size()); }

    // The result Add reports: true when the oldest record of a full ring was replaced.
    bool Add(const T& item)
    {
        if (Ring && Capacity == 0)
            Ring = false;  // no storage to replace into: an ordinary list
        if (Ring && Count() >= Capacity) {
            Items.pop_front();
            Items.push_back(item);
            return true;
        }
        if (Count() == Capacity)
            Capacity += Capacity < 9 ? 4 : Capacity < 65 ? 16 : Capacity / 4;
        Items.push_back(item);
        return false;
    }

    std::string SetCapacity(int n)
    {
        if (n < 0 || n > TiRingList<T>::MaximumCapacity)
            return "Exceed Maximum List Size";
        if (n == Capacity)
            return "";
        while (Count() > n) {
            if (Ring)
                Items.pop_front();  // a ring keeps its newest records
            else
                Items.pop_back();  // a plain list its leading ones
        }
        Capacity = n;
        if (n == 0)
            Ring = false;
        return "";
    }

    std::string DeleteRange(int n)
    {
        if (n < 0 || n >= Count())
            return "Delete size out of Range";
        Items.erase(Items.begin(), Items.begin() + n);
        return "";
    }

    void Clear()
    {
        Items.clear();
        if (!Ring)
            Capacity = 4;
    }
};

inline std::string RaisedBy(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

template <typename List, typename T>
void ExpectSameAsModel(const List& list, const TRingListModel<T>& model, const std::string& where)
{
    ASSERT_EQ(list.Count(), model.Count()) << where;
    ASSERT_EQ(list.Capacity(), model.Capacity) << where;
    ASSERT_LE(list.Count(), list.Capacity()) << where;
    ASSERT_EQ(list.RingBuffer, model.Ring) << where;
    for (int i = 0; i < model.Count(); ++i)
        ASSERT_EQ(list.GetItem(i), model.Items[size_t(i)]) << where << ", index " << i;
    ASSERT_EQ(RaisedBy([&] { list.GetItem(-1); }), "Index out of Bounds") << where;
    ASSERT_EQ(RaisedBy([&] { list.GetItem(model.Count()); }), "Index out of Bounds") << where;
}

// `add` appends to the list and answers what its Add reported (nullopt when it reports
// nothing); `make` makes a new item from a running number.
template <typename List, typename T>
void RandomWalk(unsigned seed, int steps, const std::function<std::optional<bool>(List&, const T&)>& add,
                const std::function<T(int)>& make)
{
    std::mt19937 random(seed);
    const auto below = [&](int n) { return int(random() % unsigned(n)); };
    List list;
    TRingListModel<T> model;
    int made = 0;
    for (int step = 0; step < steps; ++step) {
        std::string what;
        const int choice = below(100);
        if (choice < 55) {
            const T item = make(made++);
            what = "Add";
            const bool replaced = model.Add(item);
            const std::optional<bool> reported = add(list, item);
            if (reported) {
                ASSERT_EQ(*reported, replaced) << "seed " << seed << " step " << step;
            }
        } else if (choice < 65) {
            const int n = below(model.Count() + 2) - 1;  // -1 .. Count: both ends refused
            what = "DeleteRange(" + std::to_string(n) + ")";
            const std::string expected = model.DeleteRange(n);
            ASSERT_EQ(RaisedBy([&] { list.DeleteRange(n); }), expected) << "seed " << seed << " step " << step;
        } else if (choice < 78) {
            int n = below(24) - 2;  // mostly small, sometimes negative
            if (below(40) == 0)
                n = TiRingList<T>::MaximumCapacity + 1;
            what = "SetCapacity(" + std::to_string(n) + ")";
            const std::string expected = model.SetCapacity(n);
            ASSERT_EQ(RaisedBy([&] { list.SetCapacity(n); }), expected) << "seed " << seed << " step " << step;
        } else if (choice < 86) {
            what = "RingBuffer flip";
            model.Ring = !model.Ring;
            list.RingBuffer = model.Ring;
        } else if (choice < 96) {
            if (model.Count() == 0)
                continue;
            const int i = below(model.Count());
            const T item = make(made++);
            what = "SetItem(" + std::to_string(i) + ")";
            model.Items[size_t(i)] = item;
            list.SetItem(i, item);
        } else {
            what = "Clear";
            model.Clear();
            list.Clear();
        }
        ExpectSameAsModel(list, model, "seed " + std::to_string(seed) + " step " + std::to_string(step) + " " + what);
        if (testing::Test::HasFatalFailure())
            return;
    }
}
