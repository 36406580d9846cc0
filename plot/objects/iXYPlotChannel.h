#pragma once
// TiXYPlotChannel: the channel of the XY plot, a series of (X, Y) points in any X order, such
// as one measured quantity against another. With no order to search, drawing and the
// extremes for zoom-to-fit visit every point held; the trace runs in the order the points
// were added and is clipped to the axes segment by segment.
//
//     channel->AddXY(std::cos(t), std::sin(t));   // no X-order check
//     channel->AddNull();                         // breaks the trace
//     channel->SetOPCServerName("Pravix.Simulation.1");
//     channel->SetOPCItemName("Ship.Engine.Speed");        // gives X
//     channel->SetOPCItem2Name("Ship.Engine.Temperature"); // gives Y
//     channel->OPCActivate();                     // one point per update of the pair
//
// A data cursor on an XY plot is a crosshair: pointer 1 reads X, pointer 2 reads Y.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotChannelOPCSource.h"

#include <string>

class TiPlotAxis;

class TiXYPlotChannel : public TiPlotChannelCustom {
    PRAVIX_CLASS(TiXYPlotChannel, TiPlotChannelCustom)
public:
    TiXYPlotChannel(IPlotHost* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                    TNotifyEvent onRename);
    ~TiXYPlotChannel() override;

    // --- Published properties: the OPC pair ----------------------------------------------------
    // Item 0 (OPCItemName) gives X and item 1 (OPCItem2Name) gives Y; the connection
    // settings are item 0's and serve both.
    std::string OPCComputerName() const;
    void SetOPCComputerName(const std::string& value);
    std::string OPCServerName() const;
    void SetOPCServerName(const std::string& value);
    std::string OPCItemName() const;
    void SetOPCItemName(const std::string& value);
    int OPCUpdateRate() const;
    void SetOPCUpdateRate(int value);
    double OPCScalar() const;
    void SetOPCScalar(double value);
    double OPCOffset() const;
    void SetOPCOffset(double value);
    double OPCScalar2() const;
    void SetOPCScalar2(double value);
    double OPCOffset2() const;
    void SetOPCOffset2(double value);
    bool OPCAutoConnect() const;
    void SetOPCAutoConnect(bool value);
    std::string OPCItem2Name() const;
    void SetOPCItem2Name(const std::string& value);

    // --- Adding points ------------------------------------------------------------------------
    // A point without coordinates: Null breaks the trace, Empty is passed over. Neither
    // counts in the running statistics, moves the axes or is logged. Each returns its index.
    int AddNull();
    int AddEmpty();

    // --- OPC ------------------------------------------------------------------------------------
    // Registers both items anew in the channel's private group; nothing while designing.
    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate();
    // Suspend and resume the private group; before any OPCActivate there is none and they
    // raise the group list's index error.
    void OPCUpdateSuspend();
    void OPCUpdateResume();
    bool GetOPCActive() const;
    bool GetOPCQualityGood() const;
    TiOPCItemManager& OPCItemManager() const { return m_opc.ItemManager(); }
    TiOPCManager& OPCManager() const { return m_opc.Manager(); }

    // --- Data cursor ----------------------------------------------------------------------------
    std::string GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y, TiPlotDataPointStatus Status);

    // --- Virtual operations -------------------------------------------------------------------
    // ReadyToDraw when both axes are bound, the channel is visible and holds points.
    void DrawSetup(TCanvas& canvas) override;
    // Trace, then markers. A drawing error ends this channel's drawing only.
    void Draw(TCanvas& canvas, TColor backGroundColor) override;
    void Loaded() override;
    // The draw range is every point held.
    void CalcStartXIndex() override;
    void CalcStopXIndex() override;
    double GetVisibleMaxX() override;
    double GetVisibleMinX() override;
    double GetVisibleMaxY() override;
    double GetVisibleMinY() override;
    void DataCursorUpate(TObject* cursor) override;

private:
    // The largest (or smallest) drawn extent in X (or Y) over the valid points; -1e300 for a
    // maximum and 1e300 for a minimum when there is none.
    double VisibleExtreme(double (TiPlotChannelCustom::*extent)(int), bool maximum);
    // The axis values under the two pointers, read through the data view's pixels when the
    // axis covers only part of its side.
    void PointerValues(TiPlotAxis& axis, TObject* cursor, double p1, double p2, double& v1, double& v2);
    void AfterGroupUpdate();
    TiOPCItem& Item(int Index) const { return m_opc.Item(Index); }

    TiPlotChannelOPCSource m_opc;
};
