#pragma once
// The program's only binding to the OPC client library "iOPC2.dll". The library is loaded
// once when the program starts (from the folder named by IOPC2_DIR, the executable's folder,
// then the system's search) and freed when the program ends, after every component is gone.
//
// Each library function has one wrapper, OPCDLL + the function's name. Raising wrappers raise
// "Pravix OPC DLL Not Found." without the library, the function-not-found message without the
// function, and the library's own error text when a call fails. Quiet wrappers answer their
// default without the library or the function. Text is 8-bit (Windows-1252) on this side;
// values cross as VARIANTs (arrays are not exchanged: sending one raises EConvertError).
//
// The library may call back on its own thread. TOPCSignalUpdate and TOPCGroupUpdate present a
// C++ handler to the library; on that thread they only fetch from the library and package the
// result, which the callback dispatcher carries to the thread that applies it.

#include "components/iTypes.h"
#include "opc/iOPC2Abi.h"
#include "platform/core/DynamicLibrary.h"
#include "platform/core/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One OPC server of a computer, as the server list of a browse session gives it.
struct TOPCServerData {
    std::string Name;
    int IconIndex = 0;
};

// ---- state of the binding ---------------------------------------------------------------

bool OPCDLLNotLoaded();
HMODULE OPCDLLModule();  // the loaded library (for its extra exports), nullptr without it

// ---- raising wrappers -------------------------------------------------------------------

int OPCDLLSignalAdd(const std::string& ComputerName, const std::string& ServerName, const std::string& ItemName,
                    const std::string& GroupName, int UpdateRate, bool Suspended, uint16_t RequestedType,
                    IOPCSignalUpdate* Callback);
void OPCDLLSignalRemove(int Handle);
void OPCDLLSignalSuspend(int Handle);
void OPCDLLSignalResume(int Handle);
bool OPCDLLSignalGetActive(int Handle);
bool OPCDLLSignalGetUpdateSuspended(int Handle);
int OPCDLLSignalGetGroupHandle(int Handle);
void OPCDLLSignalSendData(int Handle, const TVariant& Data);
void OPCDLLSignalGetDataNow(int Handle);
TVariant OPCDLLSignalGetData(int Handle);
TDateTime OPCDLLSignalGetTimeStamp(int Handle);
uint16_t OPCDLLSignalGetQuality(int Handle);

int OPCDLLGroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                   int UpdateRate, IOPCGroupUpdate* Callback);
void OPCDLLGroupDelete(int Handle);
void OPCDLLGroupResume(int Handle);
void OPCDLLGroupSuspend(int Handle);
int OPCDLLGroupGetHandleByName(const std::string& Name);  // 0 when no group has the name
int OPCDLLGroupGetCount();
int OPCDLLGroupGetHandle(int Index);
std::string OPCDLLGroupGetName(int Handle);
std::string OPCDLLGroupGetComputerName(int Handle);
std::string OPCDLLGroupGetOPCServerName(int Handle);
int OPCDLLGroupGetUpdateRate(int Handle);
void OPCDLLGroupSetUpdateRate(int Handle, int Rate);

void OPCDLLCloseAllServerConnections();
int OPCDLLServerConnectionGetCount();
std::string OPCDLLServerConnectionGetName(int Index);
int OPCDLLServerConnectionGetGroupCount();
std::string OPCDLLServerConnectionGetGroupName(int Index);
void OPCDLLServerConnectionReconnect(const std::string& Name);
void OPCDLLServerConnectionDisconnect(const std::string& Name);

// ---- quiet wrappers ---------------------------------------------------------------------

int OPCDLLEditorSessionStart();  // -1 without the library
void OPCDLLEditorSessionStop(int Session);
void OPCDLLEditorComputerBranchOpen(int Session, const TiNetData& NetData);
void OPCDLLEditorComputerBranchClose(int Session);
int OPCDLLEditorComputerBranchGetItemCount(int Session);
// Fills NetData (its texts belong to the library and stay valid until the branch is closed
// or another is opened); leaves it untouched without the library.
void OPCDLLEditorComputerBranchGetItemData(int Session, int Index, TiNetData& NetData);
void OPCDLLEditorServerSetup(int Session, const std::string& ComputerName);
int OPCDLLEditorServerGetCount(int Session);
void OPCDLLEditorServerGetData(int Session, int Index, TOPCServerData& ServerData);  // untouched without
void OPCDLLEditorItemSetup(int Session, const std::string& ComputerName, const std::string& ServerName);
int OPCDLLEditorItemGetBrowseType(int Session);
void OPCDLLEditorItemSetPath(int Session, const std::string& Path);
std::string OPCDLLEditorItemGetBranchItems(int Session, TiBrowseType BrowseType);
std::string OPCDLLEditorItemGetQualifiedName(int Session, const std::string& Path, const std::string& ItemName);
int OPCDLLManagerCreated();  // 0 without the library
void OPCDLLManagerAddItem(const std::string& Name, int Value);
void OPCDLLManagerDestroyed();
std::string OPCDLLLastCallErrorString();  // never raises

// ---- callbacks --------------------------------------------------------------------------

// How packaged callbacks reach the thread that applies them. By default a callback that comes
// on the GUI thread is applied at once and one from another thread is posted to the GUI
// thread (PostToGui, in arrival order); without an application object nothing is applied.
// Tests may install their own hand-over; nullptr restores the default.
using TOPCCallbackDispatcher = std::function<void(std::function<void()>)>;
void SetOPCCallbackDispatcher(TOPCCallbackDispatcher dispatcher);

// What the library gave for one signal when it reported new data. Error holds the text of a
// failed fetch (the other fields are then unset).
struct TOPCSignalSample {
    int Handle = 0;
    TVariant Data;
    TDateTime TimeStamp = 0;
    uint16_t Quality = 0;
    std::string Error;
};

// An IOPCSignalUpdate for the library. Its handler runs through the dispatcher, never after
// this object is destroyed. Destroy it only after the signal is removed from the library.
class TOPCSignalUpdate {
public:
    using THandler = std::function<void(const TOPCSignalSample&)>;
    explicit TOPCSignalUpdate(THandler handler);
    ~TOPCSignalUpdate();
    TOPCSignalUpdate(const TOPCSignalUpdate&) = delete;
    TOPCSignalUpdate& operator=(const TOPCSignalUpdate&) = delete;
    IOPCSignalUpdate* Interface() { return &m_interface.Base; }

private:
    struct TState;
    struct TInterface {
        IOPCSignalUpdate Base;  // first: the library's pointer is this record's address
        TOPCSignalUpdate* Owner;
    };
    static void NewData(IOPCSignalUpdate* self, int32_t handle);
    TInterface m_interface;
    std::shared_ptr<TState> m_state;
};

// An IOPCGroupUpdate for the library; the handler learns which of the two calls came.
class TOPCGroupUpdate {
public:
    enum class TKind { BeforeUpdate, AfterUpdate };
    using THandler = std::function<void(TKind kind, int handle)>;
    explicit TOPCGroupUpdate(THandler handler);
    ~TOPCGroupUpdate();
    TOPCGroupUpdate(const TOPCGroupUpdate&) = delete;
    TOPCGroupUpdate& operator=(const TOPCGroupUpdate&) = delete;
    IOPCGroupUpdate* Interface() { return &m_interface.Base; }

private:
    struct TState;
    struct TInterface {
        IOPCGroupUpdate Base;
        TOPCGroupUpdate* Owner;
    };
    static void BeforeUpdate(IOPCGroupUpdate* self, int32_t handle);
    static void AfterUpdate(IOPCGroupUpdate* self, int32_t handle);
    static void Dispatch(IOPCGroupUpdate* self, TKind kind, int32_t handle);
    TInterface m_interface;
    std::shared_ptr<TState> m_state;
};
