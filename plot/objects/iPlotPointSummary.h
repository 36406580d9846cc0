#pragma once
// TiPlotPointSummary: the lowest and highest Y of each block of consecutive points of a point
// list, kept between frames so that a frame of a million points reads a pixel column's
// extremes from a few blocks instead of from every point. Blocks are aligned to a point's
// number counted over every point the list ever held, so a ring dropping its oldest points
// keeps the blocks of the points it still holds. It costs 16 bytes a block, half a byte a
// point: blocks holding a Null or Empty point, rare in most lists, are kept apart.
//
//     TiPlotPointSummary& summary = list.Summary();
//     summary.Update(list);                       // extends over points added since
//     if (summary.XOrdered(a, b) && !summary.HasGaps(a, b))
//         summary.YRange(list, a, b, low, high);  // as a pass over points a .. b finds them

#include "plot/objects/iPlotObjectsLayer.h"

#include <cstddef>
#include <deque>

class TiPlotDataCustomList;

class TiPlotPointSummary {
public:
    // Larger blocks cost less memory and make a frame scan more points one by one at each
    // pixel column's ends; at 32 a compact list's extremes take a sixteenth of its points'.
    static constexpr int kBlockSize = 32;

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
    struct TBlock {
        double Min = 1e301;
        double Max = -1e301;
    };

    void Restart(long long firstNumber);
    void Extend(const TiPlotDataCustomList& list, long long firstNumber, long long endNumber);
    // The block of a point's number; the deque holds blocks from m_firstBlock on.
    TBlock& BlockOf(long long number);
    const TBlock& BlockAt(long long block) const { return m_blocks[std::size_t(block - m_firstBlock)]; }
    // Records a Null or Empty point; points are noted in the order of their numbers.
    void NoteGap(long long number);
    // Extremes of the points of one block's part First .. Last, read from the list.
    void ScanY(const TiPlotDataCustomList& list, int first, int last, double& min, double& max) const;

    std::deque<TBlock> m_blocks;
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
