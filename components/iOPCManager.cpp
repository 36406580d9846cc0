#include "components/iOPCManager.h"

#include "components/iOPCExplorer.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Resources.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Menus.h"

PRAVIX_PUBLISH(TiOPCGroupObject, Prop("Name", &TiOPCGroupObject::Name),
               Prop("ComputerName", &TiOPCGroupObject::ComputerName),
               Prop("OPCServerName", &TiOPCGroupObject::OPCServerName),
               Prop("UpdateRate", &TiOPCGroupObject::UpdateRate, &TiOPCGroupObject::SetUpdateRate))

PRAVIX_PUBLISH(TiOPCGroupStream, Field("Name", &TiOPCGroupStream::Name),
               Field("ComputerName", &TiOPCGroupStream::ComputerName),
               Field("OPCServerName", &TiOPCGroupStream::OPCServerName),
               Field("UpdateRate", &TiOPCGroupStream::UpdateRate))

PRAVIX_PUBLISH(TiOPCManager, Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(false),
               Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu), Redeclare("Width").Default(28),
               Redeclare("Height").Default(28), Field("OnBeforeGroupUpdate", &TiOPCManager::OnBeforeGroupUpdate),
               Field("OnAfterGroupUpdate", &TiOPCManager::OnAfterGroupUpdate))

// ---- TiOPCGroupObject ---------------------------------------------------------------------

// Only a registered group has a rate at the library to change.
void TiOPCGroupObject::SetUpdateRate(int Value)
{
    if (Value == m_updateRate)
        return;
    m_updateRate = Value;
    if (m_handle != 0)
        OPCDLLGroupSetUpdateRate(m_handle, Value);
}

void TiOPCGroupObject::Resume() { OPCDLLGroupResume(m_handle); }

void TiOPCGroupObject::Suspend() { OPCDLLGroupSuspend(m_handle); }

// ---- TiOPCManager -------------------------------------------------------------------------

namespace {

const int kSize = 28;

}  // namespace

TiOPCManager::TiOPCManager(TComponent* owner)
    : TCustomControl(owner),
      m_images(std::make_unique<TImageList>(24, 24)),
      m_managerCreated(OPCDLLManagerCreated()),
      m_callback([this](TOPCGroupUpdate::TKind kind, int handle) { GroupUpdated(kind, handle); })
{
    TCustomControl::SetBounds(Left(), Top(), kSize, kSize);
    SetVisible(false);
    // A window shown by an earlier holder stays open but is no longer the shared one.
    iOPCExplorerForm = nullptr;
}

TiOPCManager::~TiOPCManager()
{
    Destroying();
    delete iOPCExplorerForm;  // clears the shared reference itself
    try {
        GroupClear();
        if (m_managerCreated != 0)
            OPCDLLManagerDestroyed();
    } catch (const std::exception&) {
        // A failing library must not stop the holder from going away.
    }
}

int TiOPCManager::GroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                           int UpdateRate)
{
    auto group = std::make_unique<TiOPCGroupObject>();
    group->m_name = Name;
    group->m_computerName = ComputerName;
    group->m_opcServerName = OPCServerName;
    group->m_updateRate = UpdateRate;
    TiOPCGroupObject* added = group.get();
    m_groups.push_back(std::move(group));
    if (!OPCDLLNotLoaded())
        added->m_handle = OPCDLLGroupAdd(Name, ComputerName, OPCServerName, UpdateRate, m_callback.Interface());
    return GetGroupCount() - 1;
}

void TiOPCManager::GroupDelete(int Index)
{
    TiOPCGroupObject* group = GetGroup(Index);
    if (group->m_handle != 0)
        OPCDLLGroupDelete(group->m_handle);
    m_groups.erase(m_groups.begin() + Index);
}

void TiOPCManager::GroupClear()
{
    while (!m_groups.empty())
        GroupDelete(0);
}

TiOPCGroupObject* TiOPCManager::GetGroup(int Index) const
{
    if (Index < 0 || Index >= GetGroupCount())
        RaiseListIndexError(Index);
    return m_groups[size_t(Index)].get();
}

TiOPCGroupObject* TiOPCManager::GetGroupByHandle(int Handle) const
{
    for (const auto& group : m_groups)
        if (group->m_handle == Handle)
            return group.get();
    return nullptr;
}

int TiOPCManager::GetGroupIndex(const std::string& Name) const
{
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (SameText(m_groups[i]->m_name, Name))
            return int(i);
    return -1;
}

void TiOPCManager::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "Groups", [this](TReader& r) { ReadGroups(r); }, [this](TWriter& w) { WriteGroups(w); }, !m_groups.empty());
}

void TiOPCManager::WriteGroups(TWriter& writer)
{
    writer.WriteCollectionBegin();
    for (const auto& group : m_groups) {
        TiOPCGroupStream entry;
        entry.Name = group->m_name;
        entry.ComputerName = group->m_computerName;
        entry.OPCServerName = group->m_opcServerName;
        entry.UpdateRate = group->m_updateRate;
        writer.WriteItem(entry);
    }
    writer.WriteCollectionEnd();
}

// Groups register as they are read.
void TiOPCManager::ReadGroups(TReader& reader)
{
    GroupClear();
    if (!reader.NextIsCollection())
        return;
    reader.ReadCollectionBegin();
    while (!reader.EndOfCollection()) {
        TiOPCGroupStream entry;
        reader.ReadItem(entry);
        GroupAdd(entry.Name, entry.ComputerName, entry.OPCServerName, entry.UpdateRate);
    }
    reader.ReadCollectionEnd();
}

void TiOPCManager::SetBounds(int left, int top, int, int) { TCustomControl::SetBounds(left, top, kSize, kSize); }

// A raised one-pixel frame around the holder's picture.
void TiOPCManager::Paint()
{
    TCanvas& canvas = *Canvas();
    const int w = Width(), h = Height();
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(0, h - 1);
    canvas.LineTo(0, 0);
    canvas.LineTo(w - 1, 0);
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(w - 1, 1);
    canvas.LineTo(w - 1, h - 1);
    canvas.LineTo(0, h - 1);
    // The picture is decoded when first shown: every plot channel holds a holder that is
    // never shown, and a settings file may make thousands of channels.
    if (m_images->Count() == 0) {
        std::string bytes;
        if (ReadResource("OPCMANAGER", bytes)) {
            TBitmap picture;
            picture.LoadFromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
            m_images->Add(picture, clWhite);
        }
    }
    m_images->Draw(canvas, 2, 2, 0, Enabled());
}

void TiOPCManager::CloseAllServerConnections() { OPCDLLCloseAllServerConnections(); }

void TiOPCManager::ExplorerShow()
{
    if (!iOPCExplorerForm) {
        iOPCExplorerForm = new TiOPCExplorerForm(nullptr);
        Application->KeepForm(iOPCExplorerForm);
    }
    iOPCExplorerForm->Refresh();
    iOPCExplorerForm->Show();
}

void TiOPCManager::FireUpdate(const TGroupUpdateEvent& event, int handle)
{
    const TiOPCGroupObject* group = GetGroupByHandle(handle);
    event(this, group ? group->m_name : std::string());
}

void TiOPCManager::BeforeUpdate(int Handle) { FireUpdate(OnBeforeGroupUpdate, Handle); }

void TiOPCManager::AfterUpdate(int Handle) { FireUpdate(OnAfterGroupUpdate, Handle); }

// A handed-over update for a group that is gone by now is dropped.
void TiOPCManager::GroupUpdated(TOPCGroupUpdate::TKind kind, int handle)
{
    if (handle == 0 || !GetGroupByHandle(handle))
        return;
    if (kind == TOPCGroupUpdate::TKind::BeforeUpdate)
        BeforeUpdate(handle);
    else
        AfterUpdate(handle);
}
