#include "plot/objects/iPlotDataNullList.h"

PRAVIX_PUBLISH(TiPlotDataNullList)

namespace {

std::uint16_t Bit(bool on, std::uint16_t bit) { return std::uint16_t(on * bit); }

std::uint16_t MarkerStyleBits(TiPlotMarkerStyle style)
{
    return std::uint16_t((unsigned(style) & 0xF) << TiPlotDataNullList::MarkerStyleShift);
}

}  // namespace

TiPlotDataNullList::TiPlotDataNullList() { SetDataPointSize(sizeof(TPoint24)); }

int TiPlotDataNullList::Add(double X, double Y, bool Null, bool Empty)
{
    const std::uint16_t status =
        Bit(Null, NullBit) | Bit(Empty, EmptyBit) | Bit(MarkerVisible, MarkerVisibleBit) | MarkerStyleBits(MarkerStyle);
    return AddRecord(TPoint24{X, Y, status});
}

double TiPlotDataNullList::GetX(int Index) const { return Point<TPoint24>(Index).X; }
double TiPlotDataNullList::GetY(int Index) const { return Point<TPoint24>(Index).Y; }
void TiPlotDataNullList::SetX(int Index, double Value) { Point<TPoint24>(Index).X = Value; }
void TiPlotDataNullList::SetY(int Index, double Value) { Point<TPoint24>(Index).Y = Value; }
std::uint16_t TiPlotDataNullList::GetStatus(int Index) const { return Point<TPoint24>(Index).Status; }

void TiPlotDataNullList::SetStatusBits(int Index, std::uint16_t Mask, std::uint16_t Bits)
{
    std::uint16_t& status = Point<TPoint24>(Index).Status;
    status = std::uint16_t((status & ~Mask) | (Bits & Mask));
}

bool TiPlotDataNullList::GetNull(int Index) const { return GetStatus(Index) & NullBit; }
bool TiPlotDataNullList::GetEmpty(int Index) const { return GetStatus(Index) & EmptyBit; }
bool TiPlotDataNullList::GetMarkerVisible(int Index) const { return GetStatus(Index) & MarkerVisibleBit; }

TiPlotMarkerStyle TiPlotDataNullList::GetMarkerStyle(int Index) const
{
    return TiPlotMarkerStyle((GetStatus(Index) & MarkerStyleMask) >> MarkerStyleShift);
}

void TiPlotDataNullList::SetNull(int Index, bool Value) { SetStatusBits(Index, NullBit, Bit(Value, NullBit)); }
void TiPlotDataNullList::SetEmpty(int Index, bool Value) { SetStatusBits(Index, EmptyBit, Bit(Value, EmptyBit)); }

void TiPlotDataNullList::SetMarkerVisible(int Index, bool Value)
{
    SetStatusBits(Index, MarkerVisibleBit, Bit(Value, MarkerVisibleBit));
}

void TiPlotDataNullList::SetMarkerStyle(int Index, TiPlotMarkerStyle Value)
{
    SetStatusBits(Index, MarkerStyleMask, MarkerStyleBits(Value));
}

void TiPlotDataNullList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const TPoint24& point = Point<TPoint24>(Index);
    X = point.X;
    Y = point.Y;
    Empty = point.Status & EmptyBit;
    Null = point.Status & NullBit;
}

void TiPlotDataNullList::ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const
{
    VisitPoints<TPoint24>(First, Count, [&](const TPoint24& point) {
        *X++ = point.X;
        *Y++ = point.Y;
        *Empty++ = point.Status & EmptyBit;
        *Null++ = point.Status & NullBit;
    });
}

void TiPlotDataNullList::ReadOrderX(double& First, double& Second, double& Newest) const
{
    ReadOrderXOf<TPoint24>(First, Second, Newest);
}
