#pragma once
// TiPlotChannelOPCSource: the OPC items behind a plot channel. Two items are bound to the
// channel's "Data": item 0 (the channel's OPCItemName) and item 1 (its OPCItem2Name). When
// the two deliver X and Y as a pair they are registered together in a private group of the
// source's own holder, so that the library updates them at once and reports the update as
// one group event.
//
//     m_opc.ItemManager().OnNewData = ...;       // one item's new value
//     m_opc.Manager().OnAfterGroupUpdate = ...;  // the pair's new values
//     m_opc.ActivatePair(this);
//
// The OPC binding applies library callbacks on the GUI thread, so the channel's handlers may
// add points as any other caller does.

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/core/Component.h"

#include <functional>
#include <memory>

class TiOPCItem;
class TiOPCItemManager;
class TiOPCManager;

class TiPlotChannelOPCSource {
public:
    // `designing` tells whether the plot is being designed: nothing registers then.
    explicit TiPlotChannelOPCSource(std::function<bool()> designing);
    ~TiPlotChannelOPCSource();
    TiPlotChannelOPCSource(const TiPlotChannelOPCSource&) = delete;
    TiPlotChannelOPCSource& operator=(const TiPlotChannelOPCSource&) = delete;

    TiOPCItem& Item(int Index) const;
    TiOPCItemManager& ItemManager() const { return *m_itemManager; }
    TiOPCManager& Manager() const { return *m_manager; }
    // The item's latest value (scaled by the item) as a number.
    double Value(int Index) const;

    void DeactivateBoth();
    // Registers both items anew in a fresh private group named after `channel` (unique per
    // channel object) on item 0's computer and server, item 0 first. Without a server name
    // no group is made and the items keep item 0's group name.
    void ActivatePair(const void* channel);

private:
    std::unique_ptr<TiOPCManager> m_manager;
    std::unique_ptr<TiOPCItemManager> m_itemManager;
};
