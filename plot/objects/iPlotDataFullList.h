#pragma once
// The full-feature point list: a 136-byte record per point with X and Y, the Null and
// Empty flags, high/low/open/close values and every drawing attribute of its own.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotDataCustomList.h"

#include <cstdint>

class TiPlotDataFullList : public TiPlotDataCustomList {
    PRAVIX_CLASS(TiPlotDataFullList, TiPlotDataCustomList)
public:
    TiPlotDataFullList();

    double GetX(int Index) const override;
    double GetY(int Index) const override;
    bool GetEmpty(int Index) const override;
    bool GetNull(int Index) const override;
    double GetHigh(int Index) const override;
    double GetLow(int Index) const override;
    double GetOpen(int Index) const override;
    double GetClose(int Index) const override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void SetEmpty(int Index, bool Value) override;
    void SetNull(int Index, bool Value) override;
    void SetHigh(int Index, double Value) override;
    void SetLow(int Index, double Value) override;
    void SetOpen(int Index, double Value) override;
    void SetClose(int Index, double Value) override;

    TColor GetTraceLineColor(int Index) const override;
    int GetTraceLineWidth(int Index) const override;
    TiPlotLineStyle GetTraceLineStyle(int Index) const override;
    bool GetMarkerVisible(int Index) const override;
    int GetMarkerSize(int Index) const override;
    TiPlotMarkerStyle GetMarkerStyle(int Index) const override;
    TColor GetMarkerPenColor(int Index) const override;
    int GetMarkerPenWidth(int Index) const override;
    TPenStyle GetMarkerPenStyle(int Index) const override;
    TColor GetMarkerBrushColor(int Index) const override;
    TBrushStyle GetMarkerBrushStyle(int Index) const override;
    char GetMarkerCharacter(int Index) const override;
    bool GetBarVisible(int Index) const override;
    double GetBarReference(int Index) const override;
    double GetBarWidth(int Index) const override;
    TColor GetBarPenColor(int Index) const override;
    int GetBarPenWidth(int Index) const override;
    TPenStyle GetBarPenStyle(int Index) const override;
    TColor GetBarBrushColor(int Index) const override;
    TBrushStyle GetBarBrushStyle(int Index) const override;
    void SetTraceLineColor(int Index, TColor Value) override;
    void SetTraceLineWidth(int Index, int Value) override;
    void SetTraceLineStyle(int Index, TiPlotLineStyle Value) override;
    void SetMarkerVisible(int Index, bool Value) override;
    void SetMarkerSize(int Index, int Value) override;
    void SetMarkerStyle(int Index, TiPlotMarkerStyle Value) override;
    void SetMarkerPenColor(int Index, TColor Value) override;
    void SetMarkerPenWidth(int Index, int Value) override;
    void SetMarkerPenStyle(int Index, TPenStyle Value) override;
    void SetMarkerBrushColor(int Index, TColor Value) override;
    void SetMarkerBrushStyle(int Index, TBrushStyle Value) override;
    void SetMarkerCharacter(int Index, char Value) override;
    void SetBarVisible(int Index, bool Value) override;
    void SetBarReference(int Index, double Value) override;
    void SetBarWidth(int Index, double Value) override;
    void SetBarPenColor(int Index, TColor Value) override;
    void SetBarPenWidth(int Index, int Value) override;
    void SetBarPenStyle(int Index, TPenStyle Value) override;
    void SetBarBrushColor(int Index, TColor Value) override;
    void SetBarBrushStyle(int Index, TBrushStyle Value) override;

    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void ReadOrderX(double& First, double& Second, double& Newest) const override;

protected:
    const char* DeleteRangeMessage() const override;

private:
    // Enumerations are held in one byte each, which makes the record 136 bytes.
    struct TPoint136 {
        double X;
        double Y;
        bool Null;
        bool Empty;
        double High;
        double Low;
        double Open;
        double Close;
        TColor TraceLineColor;
        std::int32_t TraceLineWidth;
        std::uint8_t TraceLineStyle;
        bool MarkerVisible;
        std::int32_t MarkerSize;
        std::uint8_t MarkerStyle;
        TColor MarkerPenColor;
        std::int32_t MarkerPenWidth;
        std::uint8_t MarkerPenStyle;
        TColor MarkerBrushColor;
        std::uint8_t MarkerBrushStyle;
        char MarkerCharacter;
        bool BarVisible;
        double BarReference;
        double BarWidth;
        TColor BarPenColor;
        std::int32_t BarPenWidth;
        std::uint8_t BarPenStyle;
        TColor BarBrushColor;
        std::uint8_t BarBrushStyle;
    };
    static_assert(sizeof(TPoint136) == 136);

    // The record a new point starts from: the list-wide attributes as they stand, its values
    // and marker character zero. Rebuilt when any list-wide attribute differs from the ones
    // it was built from, which one block comparison tells.
    const TPoint136& RecordTemplate();
    void RebuildRecordTemplate();

    TPoint136 m_template{};
    TiPlotListWideAttributes m_templateSource{};
    bool m_templateBuilt = false;
};
