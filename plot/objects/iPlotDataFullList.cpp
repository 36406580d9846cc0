#include "plot/objects/iPlotDataFullList.h"

#include <cstring>

PRAVIX_PUBLISH(TiPlotDataFullList)

TiPlotDataFullList::TiPlotDataFullList() { SetDataPointSize(sizeof(TPoint136)); }

// A new point takes the list-wide attributes; its marker character starts empty.
int TiPlotDataFullList::Add(double X, double Y, bool Null, bool Empty)
{
    const TPoint136& recordTemplate = RecordTemplate();
    const int slot = ClaimSlot();
    TPoint136& point = AtSlot<TPoint136>(slot);
    point = recordTemplate;
    point.X = X;
    point.Y = Y;
    point.Null = Null;
    point.Empty = Empty;
    SetNewestAddedX(X);
    return slot;
}

const TiPlotDataFullList::TPoint136& TiPlotDataFullList::RecordTemplate()
{
    // Byte-wise, so that the copy below and this comparison agree on every byte, padding
    // included; a difference that is no change (0 and -0) only costs a rebuild.
    const auto& current = static_cast<const TiPlotListWideAttributes&>(*this);
    if (!m_templateBuilt || std::memcmp(&m_templateSource, &current, sizeof current) != 0)
        RebuildRecordTemplate();
    return m_template;
}

void TiPlotDataFullList::RebuildRecordTemplate()
{
    std::memcpy(&m_templateSource, static_cast<const TiPlotListWideAttributes*>(this), sizeof m_templateSource);
    m_templateBuilt = true;
    TPoint136& point = m_template;
    point = TPoint136{};
    point.TraceLineColor = TraceLineColor;
    point.TraceLineWidth = TraceLineWidth;
    point.TraceLineStyle = std::uint8_t(TraceLineStyle);
    point.MarkerVisible = MarkerVisible;
    point.MarkerSize = MarkerSize;
    point.MarkerStyle = std::uint8_t(MarkerStyle);
    point.MarkerPenColor = MarkerPenColor;
    point.MarkerPenWidth = MarkerPenWidth;
    point.MarkerPenStyle = std::uint8_t(MarkerPenStyle);
    point.MarkerBrushColor = MarkerBrushColor;
    point.MarkerBrushStyle = std::uint8_t(MarkerBrushStyle);
    point.BarVisible = BarVisible;
    point.BarReference = BarReference;
    point.BarWidth = BarWidth;
    point.BarPenColor = BarPenColor;
    point.BarPenWidth = BarPenWidth;
    point.BarPenStyle = std::uint8_t(BarPenStyle);
    point.BarBrushColor = BarBrushColor;
    point.BarBrushStyle = std::uint8_t(BarBrushStyle);
}

const char* TiPlotDataFullList::DeleteRangeMessage() const { return "Delete Size Out Of Range"; }

void TiPlotDataFullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const TPoint136& point = Point<TPoint136>(Index);
    X = point.X;
    Y = point.Y;
    Empty = point.Empty;
    Null = point.Null;
}

// One getter and setter pair per record field, each through the logical index.
#define FULL_LIST_FIELD(Name, Type)                                                                    \
    Type TiPlotDataFullList::Get##Name(int Index) const { return Type(Point<TPoint136>(Index).Name); } \
    void TiPlotDataFullList::Set##Name(int Index, Type Value)                                          \
    {                                                                                                  \
        auto& field = Point<TPoint136>(Index).Name;                                                    \
        field = std::remove_reference_t<decltype(field)>(Value);                                       \
    }

FULL_LIST_FIELD(X, double)
FULL_LIST_FIELD(Y, double)
FULL_LIST_FIELD(Null, bool)
FULL_LIST_FIELD(Empty, bool)
FULL_LIST_FIELD(High, double)
FULL_LIST_FIELD(Low, double)
FULL_LIST_FIELD(Open, double)
FULL_LIST_FIELD(Close, double)
FULL_LIST_FIELD(TraceLineColor, TColor)
FULL_LIST_FIELD(TraceLineWidth, int)
FULL_LIST_FIELD(TraceLineStyle, TiPlotLineStyle)
FULL_LIST_FIELD(MarkerVisible, bool)
FULL_LIST_FIELD(MarkerSize, int)
FULL_LIST_FIELD(MarkerStyle, TiPlotMarkerStyle)
FULL_LIST_FIELD(MarkerPenColor, TColor)
FULL_LIST_FIELD(MarkerPenWidth, int)
FULL_LIST_FIELD(MarkerPenStyle, TPenStyle)
FULL_LIST_FIELD(MarkerBrushColor, TColor)
FULL_LIST_FIELD(MarkerBrushStyle, TBrushStyle)
FULL_LIST_FIELD(MarkerCharacter, char)
FULL_LIST_FIELD(BarVisible, bool)
FULL_LIST_FIELD(BarReference, double)
FULL_LIST_FIELD(BarWidth, double)
FULL_LIST_FIELD(BarPenColor, TColor)
FULL_LIST_FIELD(BarPenWidth, int)
FULL_LIST_FIELD(BarPenStyle, TPenStyle)
FULL_LIST_FIELD(BarBrushColor, TColor)
FULL_LIST_FIELD(BarBrushStyle, TBrushStyle)

#undef FULL_LIST_FIELD

void TiPlotDataFullList::ReadOrderX(double& First, double& Second, double& Newest) const
{
    ReadOrderXOf<TPoint136>(First, Second, Newest);
}
