#pragma once
// The holder of named OPC groups, a small 28 x 28 control that a form carries (hidden while
// the program runs): registers each group with the OPC library, fires the before- and
// after-update events of the library's group deliveries, and streams its groups as "Groups".
// Group updates reach the events through the callback hand-over of iOPCDLLLoader.h; an update
// for a group deleted in the meantime is dropped there.

#include "components/iOPCDLLLoader.h"
#include "platform/canvas/ImageList.h"
#include "platform/gui/Controls.h"

#include <memory>
#include <string>
#include <vector>

using TGroupUpdateEvent = Event<TObject*, const std::string&>;

class TiOPCManager;

class TiOPCGroupObject : public TPersistent {
    PRAVIX_CLASS(TiOPCGroupObject, TPersistent)
public:
    TiOPCGroupObject() = default;
    const std::string& Name() const { return m_name; }
    const std::string& ComputerName() const { return m_computerName; }
    const std::string& OPCServerName() const { return m_opcServerName; }
    int UpdateRate() const { return m_updateRate; }
    void SetUpdateRate(int Value);
    int Handle() const { return m_handle; }

    void Resume();
    void Suspend();

private:
    friend class TiOPCManager;
    std::string m_name;
    std::string m_computerName;
    std::string m_opcServerName;
    int m_updateRate = 0;
    int m_handle = 0;
};

// A group's description as the "Groups" stream holds it.
class TiOPCGroupStream : public TPersistent {
    PRAVIX_CLASS(TiOPCGroupStream, TPersistent)
public:
    TiOPCGroupStream() = default;
    std::string Name;
    std::string ComputerName;
    std::string OPCServerName;
    int UpdateRate = 0;
};

class TiOPCManager : public TCustomControl {
    PRAVIX_CLASS(TiOPCManager, TCustomControl)
public:
    explicit TiOPCManager(TComponent* owner);
    ~TiOPCManager() override;

    // Appends a group (equal names are accepted) and registers it when the library is there.
    int GroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                 int UpdateRate);
    void GroupDelete(int Index);
    void GroupClear();
    TiOPCGroupObject* GetGroup(int Index) const;  // a bad index raises the list-index error
    int GetGroupCount() const { return int(m_groups.size()); }
    TiOPCGroupObject* GetGroupByHandle(int Handle) const;  // nullptr when none
    int GetGroupIndex(const std::string& Name) const;      // ignoring case; -1 when none

    void DefineProperties(TFiler& filer) override;
    // Keeps Left and Top; the holder is always 28 x 28.
    void SetBounds(int left, int top, int width, int height) override;
    void CloseAllServerConnections();
    // Creates the program's explorer window when there is none, lists the connections anew
    // and shows it (not modally).
    void ExplorerShow();

    // The library's group callbacks: the events with the group's name ("" for an unknown handle).
    void BeforeUpdate(int Handle);
    void AfterUpdate(int Handle);
    IOPCGroupUpdate* GroupUpdate() { return m_callback.Interface(); }

    TGroupUpdateEvent OnBeforeGroupUpdate;
    TGroupUpdateEvent OnAfterGroupUpdate;

protected:
    void Paint() override;

private:
    void GroupUpdated(TOPCGroupUpdate::TKind kind, int handle);
    void WriteGroups(TWriter& writer);
    void ReadGroups(TReader& reader);
    void FireUpdate(const TGroupUpdateEvent& event, int handle);

    std::unique_ptr<TImageList> m_images;
    int m_managerCreated = 0;
    std::vector<std::unique_ptr<TiOPCGroupObject>> m_groups;
    TOPCGroupUpdate m_callback;
};
