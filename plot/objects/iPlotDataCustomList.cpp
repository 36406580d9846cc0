#include "plot/objects/iPlotDataCustomList.h"

#include "platform/core/Assert.h"
#include "platform/core/Exceptions.h"
#include "plot/objects/iPlotPointSummary.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

PRAVIX_PUBLISH(TiPlotDataCustomList)

namespace {

// Blocks of this size and more are mapped from the system directly and grown by remapping
// their pages, so that growing a large list neither copies its points nor faults its memory
// in a second time. Through the C library a block below its mapping threshold (which it
// raises, up to 32 MiB, whenever the program frees a large block) that cannot grow in place
// is copied into fresh memory at every step.
constexpr std::size_t kMappedBlockBytes = std::size_t(1) << 20;

// Points are written front to back, once each: with large pages the kernel faults a growing
// list in 2 MiB at a time instead of 4 KiB, and those faults are most of what growing costs.
// Advice only: where the system keeps no large pages nothing changes.
void* WithLargePages(void* block, std::size_t bytes)
{
    if (block != MAP_FAILED)
        madvise(block, bytes, MADV_HUGEPAGE);
    return block == MAP_FAILED ? nullptr : block;
}

void* MapBlock(std::size_t bytes)
{
    return WithLargePages(mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0), bytes);
}

void ReleaseBlock(void* block, std::size_t bytes)
{
    if (bytes >= kMappedBlockBytes)
        munmap(block, bytes);
    else
        std::free(block);
}

// The block of oldBytes resized to newBytes (above 0), its leading bytes kept; null when the
// memory cannot be had, the block then as it was.
void* ResizeBlockBytes(void* block, std::size_t oldBytes, std::size_t newBytes)
{
    const bool wasMapped = oldBytes >= kMappedBlockBytes;
    const bool mapped = newBytes >= kMappedBlockBytes;
    if (wasMapped && mapped) {
        return WithLargePages(mremap(block, oldBytes, newBytes, MREMAP_MAYMOVE), newBytes);
    }
    if (!wasMapped && !mapped)
        return std::realloc(block, newBytes);
    void* other = mapped ? MapBlock(newBytes) : std::malloc(newBytes);
    if (!other)
        return nullptr;
    if (block)
        std::memcpy(other, block, std::min(oldBytes, newBytes));
    ReleaseBlock(block, oldBytes);
    return other;
}

}  // namespace

TiPlotDataCustomList::TiPlotDataCustomList()
{
    static std::atomic<unsigned long long> lists{0};
    m_serial = ++lists;
}

TiPlotDataCustomList::~TiPlotDataCustomList() { ReleaseBlock(m_block, m_blockBytes); }

TiPlotPointSummary& TiPlotDataCustomList::Summary()
{
    if (!m_summary)
        m_summary = std::make_unique<TiPlotPointSummary>();
    return *m_summary;
}

void TiPlotDataCustomList::CopyListWideAttributes(const TiPlotDataCustomList& Source)
{
    TraceLineColor = Source.TraceLineColor;
    TraceLineWidth = Source.TraceLineWidth;
    TraceLineStyle = Source.TraceLineStyle;
    MarkerVisible = Source.MarkerVisible;
    MarkerSize = Source.MarkerSize;
    MarkerStyle = Source.MarkerStyle;
    MarkerPenColor = Source.MarkerPenColor;
    MarkerPenWidth = Source.MarkerPenWidth;
    MarkerPenStyle = Source.MarkerPenStyle;
    MarkerBrushColor = Source.MarkerBrushColor;
    MarkerBrushStyle = Source.MarkerBrushStyle;
    BarVisible = Source.BarVisible;
    BarReference = Source.BarReference;
    BarWidth = Source.BarWidth;
    BarPenColor = Source.BarPenColor;
    BarPenWidth = Source.BarPenWidth;
    BarPenStyle = Source.BarPenStyle;
    BarBrushColor = Source.BarBrushColor;
    BarBrushStyle = Source.BarBrushStyle;
}

void TiPlotDataCustomList::SetDataPointSize(int Size)
{
    m_dataPointSize = Size;
    m_maximumCount = INT_MAX / Size;
}

// Base point values: no flags, no high/low data.
bool TiPlotDataCustomList::GetEmpty(int) const { return false; }
bool TiPlotDataCustomList::GetNull(int) const { return false; }
double TiPlotDataCustomList::GetHigh(int) const { return 0.0; }
double TiPlotDataCustomList::GetLow(int) const { return 0.0; }
double TiPlotDataCustomList::GetOpen(int) const { return 0.0; }
double TiPlotDataCustomList::GetClose(int) const { return 0.0; }
void TiPlotDataCustomList::SetEmpty(int, bool) {}
void TiPlotDataCustomList::SetNull(int, bool) {}
void TiPlotDataCustomList::SetHigh(int, double) {}
void TiPlotDataCustomList::SetLow(int, double) {}
void TiPlotDataCustomList::SetOpen(int, double) {}
void TiPlotDataCustomList::SetClose(int, double) {}

// Base per-point attributes: the list-wide values; per-point changes are not kept.
TColor TiPlotDataCustomList::GetTraceLineColor(int) const { return TraceLineColor; }
int TiPlotDataCustomList::GetTraceLineWidth(int) const { return TraceLineWidth; }
TiPlotLineStyle TiPlotDataCustomList::GetTraceLineStyle(int) const { return TraceLineStyle; }
bool TiPlotDataCustomList::GetMarkerVisible(int) const { return MarkerVisible; }
int TiPlotDataCustomList::GetMarkerSize(int) const { return MarkerSize; }
TiPlotMarkerStyle TiPlotDataCustomList::GetMarkerStyle(int) const { return MarkerStyle; }
TColor TiPlotDataCustomList::GetMarkerPenColor(int) const { return MarkerPenColor; }
int TiPlotDataCustomList::GetMarkerPenWidth(int) const { return MarkerPenWidth; }
TPenStyle TiPlotDataCustomList::GetMarkerPenStyle(int) const { return MarkerPenStyle; }
TColor TiPlotDataCustomList::GetMarkerBrushColor(int) const { return MarkerBrushColor; }
TBrushStyle TiPlotDataCustomList::GetMarkerBrushStyle(int) const { return MarkerBrushStyle; }
char TiPlotDataCustomList::GetMarkerCharacter(int) const { return MarkerCharacter; }
bool TiPlotDataCustomList::GetBarVisible(int) const { return BarVisible; }
double TiPlotDataCustomList::GetBarReference(int) const { return BarReference; }
double TiPlotDataCustomList::GetBarWidth(int) const { return BarWidth; }
TColor TiPlotDataCustomList::GetBarPenColor(int) const { return BarPenColor; }
int TiPlotDataCustomList::GetBarPenWidth(int) const { return BarPenWidth; }
TPenStyle TiPlotDataCustomList::GetBarPenStyle(int) const { return BarPenStyle; }
TColor TiPlotDataCustomList::GetBarBrushColor(int) const { return BarBrushColor; }
TBrushStyle TiPlotDataCustomList::GetBarBrushStyle(int) const { return BarBrushStyle; }
void TiPlotDataCustomList::SetTraceLineColor(int, TColor) {}
void TiPlotDataCustomList::SetTraceLineWidth(int, int) {}
void TiPlotDataCustomList::SetTraceLineStyle(int, TiPlotLineStyle) {}
void TiPlotDataCustomList::SetMarkerVisible(int, bool) {}
void TiPlotDataCustomList::SetMarkerSize(int, int) {}
void TiPlotDataCustomList::SetMarkerStyle(int, TiPlotMarkerStyle) {}
void TiPlotDataCustomList::SetMarkerPenColor(int, TColor) {}
void TiPlotDataCustomList::SetMarkerPenWidth(int, int) {}
void TiPlotDataCustomList::SetMarkerPenStyle(int, TPenStyle) {}
void TiPlotDataCustomList::SetMarkerBrushColor(int, TColor) {}
void TiPlotDataCustomList::SetMarkerBrushStyle(int, TBrushStyle) {}
void TiPlotDataCustomList::SetMarkerCharacter(int, char) {}
void TiPlotDataCustomList::SetBarVisible(int, bool) {}
void TiPlotDataCustomList::SetBarReference(int, double) {}
void TiPlotDataCustomList::SetBarWidth(int, double) {}
void TiPlotDataCustomList::SetBarPenColor(int, TColor) {}
void TiPlotDataCustomList::SetBarPenWidth(int, int) {}
void TiPlotDataCustomList::SetBarPenStyle(int, TPenStyle) {}
void TiPlotDataCustomList::SetBarBrushColor(int, TColor) {}
void TiPlotDataCustomList::SetBarBrushStyle(int, TBrushStyle) {}

void TiPlotDataCustomList::FreeMemory()
{
    NoteChange();
    ReleaseBlock(m_block, m_blockBytes);
    m_block = nullptr;
    m_blockBytes = 0;
    m_count = 0;
    m_capacity = 0;
    m_ringStart = 0;
    m_ringBuffer = false;
}

void TiPlotDataCustomList::Prefetch(int First, int Count) const
{
    const int first = std::max(First, 0), end = std::min(First + Count, m_count);
    if (first >= end)
        return;
    // The slots up to the end of the block; a range that wraps round a ring is fetched in
    // part, which a hint may be.
    const char* const block = static_cast<const char*>(m_block);
    const int slot = SlotOf(first);
    const std::size_t from = std::size_t(slot) * std::size_t(m_dataPointSize);
    const std::size_t to = std::size_t(std::min(slot + (end - first), m_count)) * std::size_t(m_dataPointSize);
    constexpr std::size_t kCacheLine = 64;
    for (std::size_t offset = from; offset < to; offset += kCacheLine)
        __builtin_prefetch(block + offset);
    __builtin_prefetch(block + to - 1);
}

void TiPlotDataCustomList::ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const
{
    for (int i = 0; i < Count; ++i)
        GetXYEmptyNull(First + i, X[i], Y[i], Empty[i], Null[i]);
}

int TiPlotDataCustomList::GetActualIndex(int Index) const
{
    if (Index < 0 || Index >= m_count)
        throw Exception("Index out of Bounds");
    PRAVIX_ASSERT(m_ringStart == 0 || (IsWrapping() && m_ringStart < m_count),
                  "only a full ring buffer keeps its oldest point past slot 0, and inside the block");
    return SlotOf(Index);
}

void TiPlotDataCustomList::ReadOrderX(double& First, double& Second, double& Newest) const
{
    First = GetX(0);
    Second = GetX(1);
    Newest = GetX(m_count - 1);
}

void TiPlotDataCustomList::Clear()
{
    NoteChange();
    m_count = 0;
    m_ringStart = 0;
    if (!m_ringBuffer)
        SetCapacity(0);
}

int TiPlotDataCustomList::NextCapacity(int Capacity, int Maximum)
{
    long long next;
    if (Capacity <= 8)
        next = Capacity + 4LL;
    else if (Capacity <= 64)
        next = Capacity + 16LL;
    else
        next = Capacity + Capacity / 4LL;
    return int(std::min<long long>(next, Maximum));
}

void TiPlotDataCustomList::Grow()
{
    if (m_capacity >= m_maximumCount)
        RaiseExceedMaximum();
    SetCapacity(NextCapacity(m_capacity, m_maximumCount));
}

void TiPlotDataCustomList::RaiseExceedMaximum() { throw Exception("Exceed Maximum List Size"); }

void TiPlotDataCustomList::CheckCapacity(int NewCapacity) const
{
    if (NewCapacity < 0 || NewCapacity > m_maximumCount)
        RaiseExceedMaximum();
}

void TiPlotDataCustomList::SetCapacity(int NewCapacity)
{
    CheckCapacity(NewCapacity);
    if (NewCapacity == m_capacity)
        return;
    // A list cut short loses its newest points, whose numbers the next points added take.
    if (NewCapacity < m_count)
        NoteChange();
    if (NewCapacity == 0) {
        // An empty block cannot hold a ring.
        m_ringBuffer = false;
    } else if (m_ringBuffer && NewCapacity < m_count) {
        // A ring keeps its newest points.
        DeletePoints(m_count - NewCapacity);
    }
    Unwrap();
    ResizeBlock(NewCapacity);
    m_count = std::min(m_count, NewCapacity);
    PRAVIX_ASSERT(m_count <= m_capacity && m_ringStart == 0, "a resized block holds every point, oldest first");
}

void TiPlotDataCustomList::ResizeBlock(int NewCapacity)
{
    if (NewCapacity == 0) {
        ReleaseBlock(m_block, m_blockBytes);
        m_block = nullptr;
        m_blockBytes = 0;
    } else {
        const size_t bytes = size_t(NewCapacity) * size_t(m_dataPointSize);
        void* block = ResizeBlockBytes(m_block, m_blockBytes, bytes);
        if (!block) {
            // A failed shrink leaves the larger block, which still serves.
            if (NewCapacity > m_capacity)
                throw EOutOfMemory("Out of memory");
        } else {
            m_block = block;
            m_blockBytes = bytes;
        }
    }
    m_capacity = NewCapacity;
}

// Moves the points of a wrapped ring so that the oldest sits in slot 0 again.
void TiPlotDataCustomList::Unwrap()
{
    if (m_ringStart == 0)
        return;
    PRAVIX_ASSERT(m_ringStart < m_count, "the oldest point of a wrapped ring lies among the stored points");
    auto* bytes = static_cast<char*>(m_block);
    const size_t size = size_t(m_dataPointSize);
    std::rotate(bytes, bytes + size_t(m_ringStart) * size, bytes + size_t(m_count) * size);
    m_ringStart = 0;
}

const char* TiPlotDataCustomList::DeleteRangeMessage() const { return "Delete size out of Range"; }

void TiPlotDataCustomList::DeletePoints(int N)
{
    if (N < 0 || N >= m_count)
        throw Exception(DeleteRangeMessage());
    Unwrap();
    if (N == 0)
        return;
    auto* bytes = static_cast<char*>(m_block);
    const size_t size = size_t(m_dataPointSize);
    std::memmove(bytes, bytes + size_t(N) * size, size_t(m_count - N) * size);
    m_count -= N;
    m_dropped += N;
}

void TiPlotDataCustomList::SetRingBufferSize(int Size)
{
    CheckCapacity(Size);
    if (Size == 0) {
        if (!m_ringBuffer)
            return;
        m_ringBuffer = false;
        if (m_ringStart != 0)
            Clear();
        return;
    }
    m_ringBuffer = true;
    if (Size == m_capacity)
        return;
    if (m_ringStart != 0)
        Clear();
    if (Size < m_count)
        DeletePoints(m_count - Size);
    SetCapacity(Size);
}
