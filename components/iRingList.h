#pragma once
// TiRingList<T>: the growable list behind TiDataNullList and TiDoubleList, with an
// optional ring mode.
//
// Not in ring mode the list grows without limit (Capacity +4 below 9, +16 below 65, else
// +Capacity / 4). In ring mode it keeps at most Capacity records and a new record replaces
// the oldest; the ring start is the storage slot of logical record 0. A ring without
// storage (Capacity 0) cannot replace anything, so it is no ring: the flag is dropped and
// the list grows. The owner sets the ring flag directly (RingBuffer).
//
// Operations that work on storage (DeleteRange, SetCapacity) first move a wrapped ring back
// into logical order (oldest in slot 0). Shrinking a ring keeps its newest records,
// shrinking a plain list its leading ones; Count never exceeds Capacity.

#include "platform/core/Assert.h"
#include "platform/core/Exceptions.h"

#include <algorithm>
#include <memory>
#include <new>

template <typename T>
class TiRingList {
public:
    static constexpr int MaximumCapacity = 134217727;  // 2^27 - 1 records

    TiRingList() = default;
    TiRingList(const TiRingList&) = delete;
    TiRingList& operator=(const TiRingList&) = delete;

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }
    int RingStart() const { return m_ringStart; }
    bool RingBuffer = false;

    // An index outside 0 .. Count - 1 raises "Index out of Bounds".
    T GetItem(int index) const { return m_block[Slot(index)]; }
    void SetItem(int index, const T& item) { m_block[Slot(index)] = item; }

    // Count and the ring start become 0; a plain list keeps a Capacity of 4.
    void Clear()
    {
        m_count = 0;
        m_ringStart = 0;
        if (!RingBuffer)
            SetCapacity(4);
    }

    // Above 134,217,727 or below 0 raises "Exceed Maximum List Size" and changes nothing.
    void SetCapacity(int newCapacity)
    {
        if (newCapacity < 0 || newCapacity > MaximumCapacity)
            throw Exception("Exceed Maximum List Size");
        if (newCapacity == m_capacity)
            return;
        std::unique_ptr<T[]> block(new (std::nothrow) T[size_t(newCapacity)]());
        if (!block && newCapacity != 0)
            throw Exception("Memory could not be allocated");
        const int kept = std::min(m_count, newCapacity);
        // A shrunk ring loses its oldest records, a plain list its last ones.
        const int first = RingBuffer ? m_count - kept : 0;
        for (int i = 0; i < kept; ++i)
            block[size_t(i)] = m_block[Slot(first + i)];
        m_block = std::move(block);
        m_capacity = newCapacity;
        m_count = kept;
        m_ringStart = 0;
        if (newCapacity == 0)
            RingBuffer = false;
    }

    void Grow()
    {
        const int delta = m_capacity < 9 ? 4 : m_capacity < 65 ? 16 : m_capacity / 4;
        SetCapacity(int(std::min<long long>(MaximumCapacity + 1LL, (long long)m_capacity + delta)));
    }

    // Removes the Size oldest records; Size must lie in 0 .. Count - 1, else "Delete size
    // out of Range" (removing every record at once is refused).
    void DeleteRange(int size)
    {
        if (size < 0 || size >= m_count)
            throw Exception("Delete size out of Range");
        Unwrap();
        std::move(m_block.get() + size, m_block.get() + m_count, m_block.get());
        m_count -= size;
    }

protected:
    // True when the record replaced the oldest one of a full ring.
    bool Append(const T& item)
    {
        if (RingBuffer && m_capacity == 0)
            RingBuffer = false;
        if (RingBuffer && m_count >= m_capacity) {
            const int slot = m_ringStart;  // the oldest record's slot
            m_block[size_t(slot)] = item;
            m_ringStart = (m_ringStart + 1) % m_count;
            return true;
        }
        if (!RingBuffer && m_count == m_capacity)
            Grow();
        m_block[size_t(m_count)] = item;
        ++m_count;
        return false;
    }

private:
    size_t Slot(int index) const
    {
        if (index < 0 || index >= m_count)
            throw Exception("Index out of Bounds");
        PRAVIX_ASSERT(m_count <= m_capacity, "every record lies in the block");
        PRAVIX_ASSERT(m_ringStart == 0 || m_count == m_capacity, "only a full ring wraps");
        const int slot = index + m_ringStart;
        return size_t(slot > m_count - 1 ? slot - m_count : slot);
    }

    void Unwrap()
    {
        if (m_ringStart == 0)
            return;
        std::rotate(m_block.get(), m_block.get() + m_ringStart, m_block.get() + m_count);
        m_ringStart = 0;
    }

    std::unique_ptr<T[]> m_block;
    int m_count = 0;
    int m_capacity = 0;
    int m_ringStart = 0;
};
