#pragma once
// TiPlotPointSummary: the lowest and highest Y of each block of consecutive points of a point
// list, kept between frames so that a frame of a million points reads a pixel column's
// extremes from a few blocks instead of from every point. Blocks are aligned to a point's
// number counted over every point the list ever held, so a ring dropping its oldest points
// keeps the blocks of the points it still holds. A block takes two values of the list's own
// precision: 16 bytes, or 8 for a list of singles, whose points take 8 or 4. Blocks holding a
// Null or Empty point, rare in most lists, are listed apart.
//
//     TiPlotPointSummary& summary = list.Summary();
//     summary.Update(list);                       // extends over points added since
//     if (summary.XOrdered(a, b) && !summary.HasGaps(a, b))
//         summary.YRange(list, a, b, low, high);  // as a pass over points a .. b finds them

#include "plot/objects/iPlotObjectsLayer.h"

#include <cstddef>
#include <deque>
#include <limits>
#include <type_traits>

class TiPlotDataCustomList;

class TiPlotPointSummary {
public:
    // Larger blocks cost less memory and make a frame read more points one by one at each
    // pixel column's ends, where a live chart of many channels spends its time.
    static constexpr int kBlockSize = 16;

    // Brings the summary up to the list's points: extends it over the points added since the
    // last call and starts over after any other change to the points.
    void Update(const TiPlotDataCustomList& List);
    // Whether the X values of points First .. Last (indexes of the list as last updated)
    // never decrease. Conservative: a decrease after Last also answers false.
    bool XOrdered(int First, int Last) const;
    // Whether any point of First .. Last, or another point of the blocks holding them, is
    // Null or Empty.
    bool HasGaps(int First, int Last) const;
    // The lowest and highest Y of points First .. Last, none of them Null or Empty, as a pass
    // that starts from Min = 1e301 and Max = -1e301 and skips NaN finds them.
    void YRange(const TiPlotDataCustomList& List, int First, int Last, double& Min, double& Max) const;

private:
    // A block's extremes start where a pass starts. Singles never reach 1e301, so for them an
    // infinite start, which a single holds, compares as 1e301 does.
    template <typename Value>
    struct TBlock {
        static constexpr Value kNone = std::is_same_v<Value, float> ? std::numeric_limits<float>::infinity() : 1e301;
        Value Min = kNone;
        Value Max = -kNone;
    };
    template <typename Value>
    using TBlocks = std::deque<TBlock<Value>>;

    void Restart(const TiPlotDataCustomList& list, long long firstNumber);
    void Extend(const TiPlotDataCustomList& list, long long firstNumber, long long endNumber);
    // Extend for the blocks of the list's precision; the blocks run from m_firstBlock on.
    template <typename Value>
    void ExtendBlocks(TBlocks<Value>& blocks, const TiPlotDataCustomList& list, long long firstNumber,
                      long long endNumber);
    template <typename Value>
    void FoldBlocks(const TBlocks<Value>& blocks, long long first, long long end, double& min, double& max) const;
    std::size_t BlockCount() const { return m_singles ? m_singleBlocks.size() : m_blocks.size(); }
    // Records a Null or Empty point; points are noted in the order of their numbers.
    void NoteGap(long long number);
    // Extremes of the points of one block's part First .. Last, read from the list.
    void ScanY(const TiPlotDataCustomList& list, int first, int last, double& min, double& max) const;

    // One of the two holds the blocks, as the list's values are doubles or singles.
    bool m_singles = false;
    TBlocks<double> m_blocks;
    TBlocks<float> m_singleBlocks;
    long long m_firstBlock = 0;
    // The number of the list's point 0 and one past its last point, as last updated.
    long long m_firstNumber = 0;
    long long m_endNumber = 0;
    // The latest point whose X is below (or not comparable with) the X before it.
    long long m_lastDisorder = -1;
    // The latest Null or Empty point, and the numbers of the blocks that hold one, ascending.
    long long m_lastGap = -1;
    std::deque<long long> m_gapBlocks;
    unsigned long long m_changes = ~0ULL;
};
