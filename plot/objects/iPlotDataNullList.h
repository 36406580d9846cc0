#pragma once
// The standard point list: X and Y in double precision and one 16-bit status word per
// point holding the Null and Empty flags and the point's marker visibility and style.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotDataCustomList.h"

#include <cstdint>

class TiPlotDataNullList : public TiPlotDataCustomList {
    PRAVIX_CLASS(TiPlotDataNullList, TiPlotDataCustomList)
public:
    // Status word bits; the bits above MarkerStyleMask stay 0.
    static constexpr std::uint16_t NullBit = 0x0001;
    static constexpr std::uint16_t EmptyBit = 0x0002;
    static constexpr std::uint16_t MarkerVisibleBit = 0x0004;
    static constexpr int MarkerStyleShift = 3;
    static constexpr std::uint16_t MarkerStyleMask = 0x0078;  // four bits of the style's ordinal

    TiPlotDataNullList();

    double GetX(int Index) const override;
    double GetY(int Index) const override;
    bool GetEmpty(int Index) const override;
    bool GetNull(int Index) const override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void SetEmpty(int Index, bool Value) override;
    void SetNull(int Index, bool Value) override;
    bool GetMarkerVisible(int Index) const override;
    TiPlotMarkerStyle GetMarkerStyle(int Index) const override;
    void SetMarkerVisible(int Index, bool Value) override;
    // Keeps the low four bits of the style's ordinal.
    void SetMarkerStyle(int Index, TiPlotMarkerStyle Value) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void ReadOrderX(double& First, double& Second, double& Newest) const override;
    void ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const override;

    // The raw status word of a point.
    std::uint16_t GetStatus(int Index) const;

private:
    struct TPoint24 {
        double X;
        double Y;
        std::uint16_t Status;
    };
    static_assert(sizeof(TPoint24) == 24);

    void SetStatusBits(int Index, std::uint16_t Mask, std::uint16_t Bits);
};
