#include "plot/objects/iPlotChannelOPCSource.h"

#include "components/iOPCItem.h"
#include "components/iOPCManager.h"
#include "platform/core/StrUtils.h"

#include <cstdio>
#include <utility>

TiPlotChannelOPCSource::TiPlotChannelOPCSource(std::function<bool()> designing)
    : m_manager(std::make_unique<TiOPCManager>(nullptr)), m_itemManager(std::make_unique<TiOPCItemManager>())
{
    m_itemManager->OnGetDesigning = [designing = std::move(designing)](TObject*, bool& result) {
        result = designing();
    };
    for (int i = 0; i < 2; ++i)
        m_itemManager->GetItem(m_itemManager->Add())->SetPropertyName("Data");
}

TiPlotChannelOPCSource::~TiPlotChannelOPCSource()
{
    // The items unregister before the group that holds them goes.
    m_itemManager.reset();
    m_manager.reset();
}

TiOPCItem& TiPlotChannelOPCSource::Item(int Index) const { return *m_itemManager->GetItem(Index); }

double TiPlotChannelOPCSource::Value(int Index) const { return Item(Index).Data().AsDouble(); }

void TiPlotChannelOPCSource::DeactivateBoth()
{
    Item(0).Deactivate();
    Item(1).Deactivate();
}

void TiPlotChannelOPCSource::ActivatePair(const void* channel)
{
    m_manager->GroupClear();
    // A group on no server would only make the library raise.
    if (!Trim(Item(0).ServerName()).empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "%p", channel);
        m_manager->GroupAdd(name, Item(0).ComputerName(), Item(0).ServerName(), Item(0).UpdateRate());
        Item(0).SetGroupName(name);
    }
    Item(1).SetGroupName(Item(0).GroupName());
    Item(0).Activate();
    Item(1).Activate();
}
