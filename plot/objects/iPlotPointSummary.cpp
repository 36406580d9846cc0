#include "plot/objects/iPlotPointSummary.h"

#include "platform/core/Assert.h"
#include "plot/objects/iPlotDataCustomList.h"

#include <algorithm>

namespace {

// Block numbers of point numbers, never negative.
long long BlockNumber(long long pointNumber) { return pointNumber / TiPlotPointSummary::kBlockSize; }

// The same comparisons as the column accumulator's, so that NaN is skipped and of equal
// extremes the first one seen stays.
void Fold(double y, double& min, double& max)
{
    if (y > max)
        max = y;
    if (y < min)
        min = y;
}

}  // namespace

void TiPlotPointSummary::Update(const TiPlotDataCustomList& List)
{
    const long long first = List.FirstPointNumber();
    const long long end = first + List.Count();
    if (List.Changes() != m_changes || first > m_endNumber || end < m_endNumber) {
        m_changes = List.Changes();
        Restart(List, first);
    }
    for (; BlockCount() > 0 && m_firstBlock < BlockNumber(first); ++m_firstBlock) {
        if (m_singles)
            m_singleBlocks.pop_front();
        else
            m_blocks.pop_front();
    }
    while (!m_gapBlocks.empty() && m_gapBlocks.front() < m_firstBlock)
        m_gapBlocks.pop_front();
    Extend(List, first, end);
    m_firstNumber = first;
    PRAVIX_ASSERT(m_endNumber == end, "the kept extremes cover every point of the list");
}

void TiPlotPointSummary::Restart(const TiPlotDataCustomList& list, long long firstNumber)
{
    m_singles = list.HoldsSingleY();
    m_blocks.clear();
    m_singleBlocks.clear();
    m_firstBlock = BlockNumber(firstNumber);
    m_endNumber = firstNumber;
    m_lastDisorder = -1;
    m_lastGap = -1;
    m_gapBlocks.clear();
}

void TiPlotPointSummary::Extend(const TiPlotDataCustomList& list, long long firstNumber, long long endNumber)
{
    if (m_singles)
        ExtendBlocks(m_singleBlocks, list, firstNumber, endNumber);
    else
        ExtendBlocks(m_blocks, list, firstNumber, endNumber);
}

template <typename Value>
void TiPlotPointSummary::ExtendBlocks(TBlocks<Value>& blocks, const TiPlotDataCustomList& list, long long firstNumber,
                                      long long endNumber)
{
    if (m_endNumber >= endNumber)
        return;
    bool havePrevious = m_endNumber > firstNumber;
    double previousX = havePrevious ? list.GetX(int(m_endNumber - 1 - firstNumber)) : 0;
    constexpr int kChunk = 512;
    double xs[kChunk], ys[kChunk];
    bool empties[kChunk], nulls[kChunk];
    while (m_endNumber < endNumber) {
        const int count = int(std::min<long long>(kChunk, endNumber - m_endNumber));
        list.ReadXYEmptyNull(int(m_endNumber - firstNumber), count, xs, ys, empties, nulls);
        for (int k = 0; k < count;) {
            const long long number = m_endNumber + k;
            const std::size_t index = std::size_t(BlockNumber(number) - m_firstBlock);
            if (index >= blocks.size())
                blocks.resize(index + 1);
            TBlock<Value>& block = blocks[index];
            const int blockEnd = int(std::min<long long>(count, k + kBlockSize - number % kBlockSize));
            // Folded in locals: the compiler cannot keep the block's fields in registers.
            double min = block.Min, max = block.Max;
            for (; k < blockEnd; ++k) {
                if (empties[k] || nulls[k]) {
                    NoteGap(m_endNumber + k);
                } else {
                    Fold(ys[k], min, max);
                }
                if (havePrevious && !(xs[k] >= previousX))
                    m_lastDisorder = m_endNumber + k;
                previousX = xs[k];
                havePrevious = true;
            }
            // A list of singles gives singles: the narrowing is exact.
            block = {Value(min), Value(max)};
        }
        m_endNumber += count;
    }
}

bool TiPlotPointSummary::XOrdered(int First, int Last) const
{
    // A decrease at a point breaks the order between it and the point before it.
    return Last <= First || m_lastDisorder <= m_firstNumber + First;
}

bool TiPlotPointSummary::HasGaps(int First, int Last) const
{
    const long long first = BlockNumber(m_firstNumber + First);
    // Most lists hold no gap at all, or none lately.
    if (m_lastGap < first * kBlockSize)
        return false;
    const auto gap = std::lower_bound(m_gapBlocks.begin(), m_gapBlocks.end(), first);
    return gap != m_gapBlocks.end() && *gap <= BlockNumber(m_firstNumber + Last);
}

void TiPlotPointSummary::NoteGap(long long number)
{
    m_lastGap = number;
    const long long block = BlockNumber(number);
    if (m_gapBlocks.empty() || m_gapBlocks.back() != block)
        m_gapBlocks.push_back(block);
}

void TiPlotPointSummary::YRange(const TiPlotDataCustomList& List, int First, int Last, double& Min, double& Max) const
{
    PRAVIX_ASSERT(First >= 0 && m_firstNumber + Last < m_endNumber,
                  "extremes are read only for points the summary was brought up to");
    Min = 1e301;
    Max = -1e301;
    // Blocks wholly inside the range are read whole; the points of the blocks at its ends
    // one by one.
    const long long firstWhole = BlockNumber(m_firstNumber + First + kBlockSize - 1);
    const long long endWhole = BlockNumber(m_firstNumber + Last + 1);
    if (firstWhole >= endWhole) {
        ScanY(List, First, Last, Min, Max);
        return;
    }
    const int wholeFirst = int(firstWhole * kBlockSize - m_firstNumber);
    const int wholeEnd = int(endWhole * kBlockSize - m_firstNumber);
    ScanY(List, First, wholeFirst - 1, Min, Max);
    if (m_singles)
        FoldBlocks(m_singleBlocks, firstWhole, endWhole, Min, Max);
    else
        FoldBlocks(m_blocks, firstWhole, endWhole, Min, Max);
    ScanY(List, wholeEnd, Last, Min, Max);
}

template <typename Value>
void TiPlotPointSummary::FoldBlocks(const TBlocks<Value>& blocks, long long first, long long end, double& min,
                                    double& max) const
{
    for (long long block = first; block < end; ++block) {
        const TBlock<Value>& b = blocks[std::size_t(block - m_firstBlock)];
        if (b.Max > max)
            max = b.Max;
        if (b.Min < min)
            min = b.Min;
    }
}

void TiPlotPointSummary::ScanY(const TiPlotDataCustomList& list, int first, int last, double& min, double& max) const
{
    double xs[kBlockSize], ys[kBlockSize];
    bool empties[kBlockSize], nulls[kBlockSize];
    for (int from = first; from <= last; from += kBlockSize) {
        const int count = std::min(kBlockSize, last - from + 1);
        list.ReadXYEmptyNull(from, count, xs, ys, empties, nulls);
        for (int k = 0; k < count; ++k)
            Fold(ys[k], min, max);
    }
}
