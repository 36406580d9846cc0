#pragma once
// TiPlotDataCustomList: the base of a channel's point lists. It keeps the count, the
// capacity and the ring-buffer state, maps a logical index (0 = oldest point) to its storage
// slot, manages the one contiguous storage block of the concrete list (a large block is
// mapped from the system and grows without being copied), and holds the channel's list-wide
// drawing attributes, which the per-point attribute getters answer unless a concrete list
// stores that attribute per point.

#include "plot/objects/iPlotObjectsLayer.h"

#include "components/iTypes.h"
#include "platform/core/Assert.h"
#include "platform/core/Component.h"
#include "platform/core/Types.h"

#include <cstddef>
#include <memory>
#include <type_traits>

class TiPlotPointSummary;

// The list-wide attributes: the channel's Color, trace, marker and bar appearance. The
// channel reads and writes them directly; MarkerCharacter stays 0. One plain block, so that a
// list can tell with one comparison whether any of them changed.
struct TiPlotListWideAttributes {
    TColor TraceLineColor = 0;
    int TraceLineWidth = 0;
    TiPlotLineStyle TraceLineStyle = iplsSolid;
    bool MarkerVisible = false;
    int MarkerSize = 0;
    TiPlotMarkerStyle MarkerStyle = ipmsCircle;
    TColor MarkerPenColor = 0;
    int MarkerPenWidth = 0;
    TPenStyle MarkerPenStyle = psSolid;
    TColor MarkerBrushColor = 0;
    TBrushStyle MarkerBrushStyle = bsSolid;
    char MarkerCharacter = 0;
    bool BarVisible = true;
    double BarReference = 0;
    double BarWidth = 0;
    TColor BarPenColor = 0;
    int BarPenWidth = 0;
    TPenStyle BarPenStyle = psSolid;
    TColor BarBrushColor = 0;
    TBrushStyle BarBrushStyle = bsSolid;
};

class TiPlotDataCustomList : public TObject, public TiPlotListWideAttributes {
    PRAVIX_CLASS(TiPlotDataCustomList, TObject)
public:
    ~TiPlotDataCustomList() override;

    // Copies every list-wide attribute except MarkerCharacter (used when a channel
    // replaces its list by one of another data style).
    void CopyListWideAttributes(const TiPlotDataCustomList& Source);

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }
    int DataPointSize() const { return m_dataPointSize; }
    // The largest capacity: 2147483647 div DataPointSize.
    int MaximumCount() const { return m_maximumCount; }
    // Bytes held by the storage block.
    int GetMemoryUsed() const { return m_capacity * m_dataPointSize; }

    // Point values by logical index. An index outside 0 .. Count - 1 raises
    // "Index out of Bounds" wherever a stored point is read or written.
    virtual double GetX(int Index) const = 0;
    virtual double GetY(int Index) const = 0;
    virtual bool GetEmpty(int Index) const;
    virtual bool GetNull(int Index) const;
    virtual double GetHigh(int Index) const;
    virtual double GetLow(int Index) const;
    virtual double GetOpen(int Index) const;
    virtual double GetClose(int Index) const;
    virtual void SetX(int Index, double Value) = 0;
    virtual void SetY(int Index, double Value) = 0;
    // The base keeps no flags and no high/low values: these setters do nothing.
    virtual void SetEmpty(int Index, bool Value);
    virtual void SetNull(int Index, bool Value);
    virtual void SetHigh(int Index, double Value);
    virtual void SetLow(int Index, double Value);
    virtual void SetOpen(int Index, double Value);
    virtual void SetClose(int Index, double Value);

    // Per-point attributes. The base answers the list-wide value for any Index and
    // ignores the setters.
    virtual TColor GetTraceLineColor(int Index) const;
    virtual int GetTraceLineWidth(int Index) const;
    virtual TiPlotLineStyle GetTraceLineStyle(int Index) const;
    virtual bool GetMarkerVisible(int Index) const;
    virtual int GetMarkerSize(int Index) const;
    virtual TiPlotMarkerStyle GetMarkerStyle(int Index) const;
    virtual TColor GetMarkerPenColor(int Index) const;
    virtual int GetMarkerPenWidth(int Index) const;
    virtual TPenStyle GetMarkerPenStyle(int Index) const;
    virtual TColor GetMarkerBrushColor(int Index) const;
    virtual TBrushStyle GetMarkerBrushStyle(int Index) const;
    virtual char GetMarkerCharacter(int Index) const;
    virtual bool GetBarVisible(int Index) const;
    virtual double GetBarReference(int Index) const;
    virtual double GetBarWidth(int Index) const;
    virtual TColor GetBarPenColor(int Index) const;
    virtual int GetBarPenWidth(int Index) const;
    virtual TPenStyle GetBarPenStyle(int Index) const;
    virtual TColor GetBarBrushColor(int Index) const;
    virtual TBrushStyle GetBarBrushStyle(int Index) const;
    virtual void SetTraceLineColor(int Index, TColor Value);
    virtual void SetTraceLineWidth(int Index, int Value);
    virtual void SetTraceLineStyle(int Index, TiPlotLineStyle Value);
    virtual void SetMarkerVisible(int Index, bool Value);
    virtual void SetMarkerSize(int Index, int Value);
    virtual void SetMarkerStyle(int Index, TiPlotMarkerStyle Value);
    virtual void SetMarkerPenColor(int Index, TColor Value);
    virtual void SetMarkerPenWidth(int Index, int Value);
    virtual void SetMarkerPenStyle(int Index, TPenStyle Value);
    virtual void SetMarkerBrushColor(int Index, TColor Value);
    virtual void SetMarkerBrushStyle(int Index, TBrushStyle Value);
    virtual void SetMarkerCharacter(int Index, char Value);
    virtual void SetBarVisible(int Index, bool Value);
    virtual void SetBarReference(int Index, double Value);
    virtual void SetBarWidth(int Index, double Value);
    virtual void SetBarPenColor(int Index, TColor Value);
    virtual void SetBarPenWidth(int Index, int Value);
    virtual void SetBarPenStyle(int Index, TPenStyle Value);
    virtual void SetBarBrushColor(int Index, TColor Value);
    virtual void SetBarBrushStyle(int Index, TBrushStyle Value);

    // Releases the storage block; the list is then empty with capacity 0.
    virtual void FreeMemory();

    // Appends a point and returns its storage slot: the new point's index, except on a
    // full ring buffer, where the oldest point is overwritten and the slot it occupied is
    // returned. Callers that need the point's index use Count() - 1.
    virtual int Add(double X, double Y, bool Null, bool Empty) = 0;
    // Removes every point. A linear list releases its storage; a ring buffer keeps it.
    virtual void Clear();
    // Resizes the storage to room for NewCapacity points. Raises "Exceed Maximum List
    // Size" for a negative size or one above MaximumCount(), changing nothing. A linear
    // list cut below Count keeps its oldest points, a ring buffer its newest; a capacity
    // of 0 ends ring-buffer mode.
    virtual void SetCapacity(int NewCapacity);
    // Removes the N oldest points; N must lie in 0 .. Count - 1.
    virtual void DeletePoints(int N);
    // Everything about one point in one call.
    virtual void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const = 0;
    // The X values that decide whether a new point's X is in order: the first two points' and
    // the newest's, in one call. The list holds at least two points.
    virtual void ReadOrderX(double& First, double& Second, double& Newest) const;
    // The X of the newest point Add stored, as the list keeps it: the newest point's X as long
    // as Changes() has not moved since that Add.
    double NewestAddedX() const { return m_newestAddedX; }
    // What a reader who kept something about the points compares to see whether it still
    // holds: moves with every change other than an add at the end (Changes) and with every
    // drop from the front (FirstPointNumber). Both only grow, so their sum moves with either.
    unsigned long long OrderEpoch() const { return m_changes + static_cast<unsigned long long>(m_dropped); }
    // GetXYEmptyNull of the Count points from logical index First on, into the arrays: what
    // drawing reads of every point, without a call per point.
    virtual void ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const;
    // Asks the processor to start fetching the storage of points First .. First + Count - 1
    // (clipped to the list), so that reading them later does not wait on memory. Only a hint.
    void Prefetch(int First, int Count) const;

    // The storage slot of a logical index.
    int GetActualIndex(int Index) const;
    // Enlarges the capacity by the growth rule; raises "Exceed Maximum List Size" when the
    // list already holds MaximumCount() slots.
    void Grow();
    // The capacity that Grow moves to from Capacity: +4 up to 8, +16 up to 64, then a
    // quarter more, never beyond Maximum.
    static int NextCapacity(int Capacity, int Maximum);
    // Capacity while in ring-buffer mode, else 0.
    int GetRingBufferSize() const { return m_ringBuffer ? m_capacity : 0; }
    // Size 0 returns to a growing list (emptied when the ring had wrapped); any other size
    // makes the list a ring buffer of that many points. A wrapped ring that changes size is
    // emptied; one that shrinks below Count keeps its newest points. A negative size or one
    // above MaximumCount() raises "Exceed Maximum List Size" before anything changes.
    void SetRingBufferSize(int Size);

    // The number of the oldest point counted over every point ever added: a point keeps its
    // number while older ones are dropped from the front.
    long long FirstPointNumber() const { return m_dropped; }
    // Counts every change to the points other than adding at the end and dropping from the
    // front.
    unsigned long long Changes() const { return m_changes; }
    // Differs between any two lists of the program, so that a reader who kept something of a
    // list tells it from one made later at the same address.
    unsigned long long Serial() const { return m_serial; }
    // Whether the list keeps Y as singles (floats), which doubles hold exactly.
    virtual bool HoldsSingleY() const { return false; }
    // The extremes of the points kept for drawing (see TiPlotPointSummary), made when first
    // asked for.
    TiPlotPointSummary& Summary();

protected:
    TiPlotDataCustomList();
    // Makes room for a new point, growing a linear list that is full, and answers the storage
    // slot its record goes to: the next free one, or on a full ring buffer the oldest point's,
    // which the point then replaces. The caller writes the record at once. Inline, so that a
    // list's Add stores its point with no further call.
    int ClaimSlot()
    {
        if (m_count == m_capacity) {
            if (m_ringBuffer) {
                PRAVIX_ASSERT(m_capacity > 0, "a ring buffer always has storage: capacity 0 ends ring mode");
                const int slot = m_ringStart;
                if (++m_ringStart == m_count)
                    m_ringStart = 0;
                ++m_dropped;
                return slot;
            }
            Grow();
        }
        return m_count++;
    }
    // Stores Record as the newest point; answers its storage slot, as Add does.
    template <typename T>
    int AddRecord(const T& Record)
    {
        const int slot = ClaimSlot();
        AtSlot<T>(slot) = Record;
        if constexpr (std::is_class_v<T>)
            m_newestAddedX = Record.X;
        return slot;
    }
    // For lists whose records do not hold X as a field: states the X their Add stored.
    void SetNewestAddedX(double X) { m_newestAddedX = X; }

    // Each concrete list states its bytes per point once, in its constructor.
    void SetDataPointSize(int Size);

    // The text DeletePoints raises for a count out of range.
    virtual const char* DeleteRangeMessage() const;

    // The stored point of a logical index, as the concrete list's point type.
    // The writable form counts as a change to the points.
    template <typename T>
    T& Point(int Index)
    {
        NoteChange();
        return static_cast<T*>(m_block)[GetActualIndex(Index)];
    }
    template <typename T>
    const T& Point(int Index) const
    {
        return static_cast<const T*>(m_block)[GetActualIndex(Index)];
    }
    // ReadOrderX for a list whose records hold X as a field.
    template <typename T>
    void ReadOrderXOf(double& First, double& Second, double& Newest) const
    {
        const T* block = static_cast<const T*>(m_block);
        First = block[SlotOf(0)].X;
        Second = block[SlotOf(1)].X;
        Newest = block[SlotOf(m_count - 1)].X;
    }
    template <typename T>
    T& AtSlot(int Slot)
    {
        return static_cast<T*>(m_block)[Slot];
    }
    // Calls Visit with each stored point of logical indexes First .. First + Count - 1, oldest
    // first; both ends of the range are checked as GetActualIndex checks an index.
    template <typename T, typename F>
    void VisitPoints(int First, int Count, F&& Visit) const
    {
        if (Count <= 0)
            return;
        GetActualIndex(First + Count - 1);
        const T* block = static_cast<const T*>(m_block);
        int slot = GetActualIndex(First);
        for (int i = 0; i < Count; ++i) {
            Visit(block[slot]);
            if (++slot == m_count)
                slot = 0;
        }
    }

    void NoteChange() { ++m_changes; }
    // The storage slot of a logical index known to be in range.
    int SlotOf(int Index) const
    {
        const int slot = Index + m_ringStart;
        return slot >= m_count ? slot - m_count : slot;
    }
    bool IsWrapping() const { return m_ringBuffer && m_count == m_capacity && m_capacity > 0; }

private:
    [[noreturn]] static void RaiseExceedMaximum();
    void CheckCapacity(int NewCapacity) const;
    void Unwrap();
    void ResizeBlock(int NewCapacity);

    int m_count = 0;
    int m_capacity = 0;
    int m_ringStart = 0;
    bool m_ringBuffer = false;
    int m_dataPointSize = 0;
    int m_maximumCount = 0;
    void* m_block = nullptr;
    // The bytes the block was made with: a failed shrink leaves it larger than the capacity.
    std::size_t m_blockBytes = 0;
    long long m_dropped = 0;
    unsigned long long m_changes = 0;
    unsigned long long m_serial;
    double m_newestAddedX = 0;
    std::unique_ptr<TiPlotPointSummary> m_summary;
};
