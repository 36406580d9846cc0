#pragma once
// A canvas that draws nothing and keeps every primitive with its arguments and the pen,
// brush, font, background and clip it was drawn with: the geometry of a paint, for tests.

#include "platform/canvas/CanvasRecord.h"
#include "platform/canvas/VisualLayer.h"

#include <memory>
#include <string>
#include <vector>

class TRecordingCanvas : public TCanvas {
public:
    TRecordingCanvas();

    const std::vector<TCanvasRecord>& Records() const { return *m_records; }
    void Clear() { m_records->clear(); }
    // One readable line per record, e.g.
    // "Rectangle (1,2,30,40) pen=$000000/1/psSolid brush=$FFFFFF/bsSolid bk=$FFFFFF/opaque"
    std::vector<std::string> Log() const;

private:
    explicit TRecordingCanvas(std::shared_ptr<std::vector<TCanvasRecord>> records);
    std::shared_ptr<std::vector<TCanvasRecord>> m_records;
};

std::string DescribeRecord(const TCanvasRecord& record);
