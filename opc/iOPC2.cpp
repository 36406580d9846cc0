// The stand-in OPC client library: the exported functions of iOPC2Abi.h over the simulated
// world of iOPC2Model, a worker thread that delivers changed values at each signal's (or
// group's) update rate through the callback tables, and the test control exports.
//
// One mutex guards all state. It is never held while a callback runs, so a callback may call
// back into the library; removing a signal or group waits until callbacks for it that run on
// other threads have returned, so after SignalRemove/GroupDelete its callback is never entered.

#include "opc/iOPC2Abi.h"
#include "opc/iOPC2Model.h"
#include "opc/iOPC2Test.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

#define IOPC2_EXPORT extern "C" __attribute__((visibility("default")))

namespace iopc2 {

void WorkerLoop();

namespace {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

double Seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct Signal {
    int32_t Handle = 0;
    Item* Source = nullptr;
    std::string Connection;
    int32_t GroupHandle = 0;
    int32_t Rate = 0;
    bool Suspended = false;
    VARTYPE Requested = 0;
    IOPCSignalUpdate* Callback = nullptr;
    uint64_t DeliveredVersion = 0;
    Value Data;
    double TimeStamp = 0;
    uint16_t Quality = 0;
    double NextDue = 0;
};

struct Group {
    int32_t Handle = 0;
    std::string Name, ComputerName, ServerName;
    std::string Connection;
    int32_t Rate = 0;
    bool Suspended = false;
    IOPCGroupUpdate* Callback = nullptr;
    double NextDue = 0;
};

struct NetOut {
    int Kind;
    std::string Local, Remote, Comment, Provider;  // 8-bit
};

struct Session {
    std::vector<NetOut> Level;
    std::vector<Server*> Servers;
    Server* Browse = nullptr;
    std::vector<std::string> Path;  // root first
};

struct State {
    std::mutex Mutex;
    std::condition_variable Wake;
    std::condition_variable CallbackDone;
    std::unique_ptr<World> Sim = std::make_unique<World>();
    std::map<int32_t, Signal> Signals;
    std::vector<Group> Groups;  // in creation order
    std::vector<std::string> Connections;
    std::map<int32_t, Session> Sessions;
    int32_t NextHandle = 1;
    int32_t NextSession = 1;
    int32_t ManagerSerial = 0;
    int32_t Managers = 0;
    std::vector<std::pair<std::string, Value>> Writes;
    std::map<std::string, std::string> Failures;
    std::vector<std::pair<int32_t, std::thread::id>> InCallback;
    // Each thread's last error. A map rather than thread-local storage: the library may be
    // unloaded while threads that called it live on.
    std::mutex ErrorMutex;
    std::map<std::thread::id, std::string> LastErrors;
    std::thread Worker;
    bool Stop = false;
    bool StopsAtExit = false;
    bool Paused = false;

    ~State()
    {
        {
            std::lock_guard lock(Mutex);
            Stop = true;
        }
        Wake.notify_all();
        if (Worker.joinable())
            Worker.join();
    }
};

State& S()
{
    static State state;
    return state;
}

// The state is made when the library is loaded, not at its first call. Statics are destroyed
// in the reverse order of their making, so a program's static component that made its items
// before that first call would free them into a state already destroyed. Made at load, the
// state lives until the library is unloaded, which its user does last.
[[maybe_unused]] const bool g_stateMadeAtLoad = (S(), true);

using Lock = std::unique_lock<std::mutex>;

void SetLastError(std::string text)
{
    std::lock_guard lock(S().ErrorMutex);
    S().LastErrors[std::this_thread::get_id()] = std::move(text);
}

std::string LastError()
{
    std::lock_guard lock(S().ErrorMutex);
    auto it = S().LastErrors.find(std::this_thread::get_id());
    return it == S().LastErrors.end() ? std::string() : it->second;
}

// Runs one library call: clears the calling thread's last error, honours an injected failure
// and turns an exception into the last error. Answers failValue when the call fails.
template <class R, class Body>
R Call(const char* name, R failValue, Body&& body)
{
    std::string error;
    try {
        Lock lock(S().Mutex);
        auto failure = S().Failures.find(name);
        if (failure == S().Failures.end()) {
            R result = body(lock);
            lock.unlock();
            SetLastError({});
            return result;
        }
        error = failure->second;
        S().Failures.erase(failure);
    } catch (const std::exception& e) {
        error = e.what();
    }
    SetLastError(std::move(error));
    return failValue;
}

template <class Body>
void CallVoid(const char* name, Body&& body)
{
    Call(name, 0, [&](Lock& lock) {
        body(lock);
        return 0;
    });
}

// ---- look-ups -----------------------------------------------------------------------------

Signal& SignalOf(int32_t handle)
{
    auto it = S().Signals.find(handle);
    if (it == S().Signals.end())
        throw Error("Invalid signal handle " + std::to_string(handle) + ".");
    return it->second;
}

Group* FindGroup(int32_t handle)
{
    for (Group& g : S().Groups)
        if (g.Handle == handle)
            return &g;
    return nullptr;
}

Group& GroupOf(int32_t handle)
{
    Group* g = FindGroup(handle);
    if (!g)
        throw Error("Invalid group handle " + std::to_string(handle) + ".");
    return *g;
}

Session& SessionOf(int32_t session)
{
    auto it = S().Sessions.find(session);
    if (it == S().Sessions.end())
        throw Error("Invalid browse session " + std::to_string(session) + ".");
    return it->second;
}

Server& ServerOf(const std::string& computer, const std::string& server)
{
    Computer* c = S().Sim->FindComputer(computer);
    if (!c)
        throw Error("Computer " + Quoted(computer) + " not found.");
    Server* s = c->FindServer(server);
    if (!s)
        throw Error("OPC server " + Quoted(server) + " not found on " + Quoted(c->Name) + ".");
    return *s;
}

std::string ConnectionName(const std::string& computer, const Server& server)
{
    return S().Sim->FindComputer(computer)->Name + "\\" + server.Name;
}

bool ConnectionOpen(const std::string& name)
{
    const auto& c = S().Connections;
    return std::find(c.begin(), c.end(), name) != c.end();
}

void OpenConnection(const std::string& name)
{
    if (!ConnectionOpen(name))
        S().Connections.push_back(name);
}

bool SignalWorking(const Signal& s)
{
    if (!ConnectionOpen(s.Connection))
        return false;
    return s.GroupHandle == 0 || FindGroup(s.GroupHandle) != nullptr;
}

// Once the program has begun to exit, nothing is delivered any more: the callbacks would run
// into objects that the exit is destroying. Signals can still be removed after that.
void StopWorkerAtExit()
{
    Lock lock(S().Mutex);
    S().Stop = true;
    lock.unlock();
    S().Wake.notify_all();
    if (S().Worker.joinable())
        S().Worker.join();
}

void StartWorker()
{
    if (S().Stop)
        return;
    if (!S().Worker.joinable()) {
        // Exit handlers run in the reverse order of registration: registered with the first
        // worker, the stop runs before the exit destroys anything made before it.
        if (!S().StopsAtExit)
            S().StopsAtExit = std::atexit(StopWorkerAtExit) == 0;
        S().Worker = std::thread(WorkerLoop);
    }
    S().Wake.notify_all();
}

// Waits until no thread but this one runs a callback for the handle.
void WaitForCallbacks(Lock& lock, int32_t handle)
{
    const auto self = std::this_thread::get_id();
    S().CallbackDone.wait(lock, [&] {
        return std::none_of(S().InCallback.begin(), S().InCallback.end(),
                            [&](const auto& entry) { return entry.first == handle && entry.second != self; });
    });
}

// ---- delivery -----------------------------------------------------------------------------

void Invoke(Lock& lock, int32_t handle, const std::function<void()>& callback)
{
    auto& calls = S().InCallback;
    const std::pair<int32_t, std::thread::id> entry{handle, std::this_thread::get_id()};
    calls.push_back(entry);
    lock.unlock();
    callback();
    lock.lock();
    calls.erase(std::find(calls.begin(), calls.end(), entry));
    S().CallbackDone.notify_all();
}

void Snapshot(Signal& s)
{
    s.Source->Refresh(S().Sim->SecondsSinceStart(), NowAsDateTime());
    s.Data = s.Source->Current.ConvertedTo(s.Requested);
    s.TimeStamp = s.Source->TimeStamp;
    s.Quality = s.Source->Quality;
}

// True when the signal may receive data and its item changed since the last delivery.
bool HasNews(Signal& s)
{
    if (s.Suspended || !SignalWorking(s))
        return false;
    s.Source->Refresh(S().Sim->SecondsSinceStart(), NowAsDateTime());
    return s.Source->Version != s.DeliveredVersion;
}

// Delivers one signal's news; answers whether NewData was called.
bool DeliverSignal(Lock& lock, int32_t handle)
{
    auto it = S().Signals.find(handle);
    if (it == S().Signals.end() || !HasNews(it->second))
        return false;
    Signal& s = it->second;
    Snapshot(s);
    s.DeliveredVersion = s.Source->Version;
    IOPCSignalUpdate* callback = s.Callback;
    Invoke(lock, handle, [=] { callback->lpVtbl->NewData(callback, handle); });
    return true;
}

// Delivers a group's news framed by BeforeUpdate and AfterUpdate; answers the NewData calls.
int DeliverGroup(Lock& lock, int32_t groupHandle)
{
    Group* group = FindGroup(groupHandle);
    if (!group || group->Suspended || !ConnectionOpen(group->Connection))
        return 0;
    std::vector<int32_t> changed;
    for (auto& [handle, s] : S().Signals)
        if (s.GroupHandle == groupHandle && HasNews(s))
            changed.push_back(handle);
    if (changed.empty())
        return 0;
    IOPCGroupUpdate* callback = group->Callback;
    Invoke(lock, groupHandle, [=] { callback->lpVtbl->BeforeUpdate(callback, groupHandle); });
    int delivered = 0;
    for (int32_t handle : changed)
        delivered += DeliverSignal(lock, handle) ? 1 : 0;
    if (FindGroup(groupHandle))
        Invoke(lock, groupHandle, [=] { callback->lpVtbl->AfterUpdate(callback, groupHandle); });
    return delivered;
}

double RateSeconds(int32_t rateMs)
{
    return std::max(rateMs, 10) / 1000.0;  // rate 0 means as fast as the worker goes
}

// Delivers every signal and group that is due; answers when the next one falls due.
double DeliverDue(Lock& lock)
{
    const double now = Seconds();
    double next = now + 0.05;
    std::vector<int32_t> dueGroups, dueSignals;
    for (Group& g : S().Groups) {
        if (g.NextDue <= now) {
            dueGroups.push_back(g.Handle);
            g.NextDue = now + RateSeconds(g.Rate);
        }
        next = std::min(next, g.NextDue);
    }
    for (auto& [handle, s] : S().Signals) {
        if (s.GroupHandle != 0)
            continue;
        if (s.NextDue <= now) {
            dueSignals.push_back(handle);
            s.NextDue = now + RateSeconds(s.Rate);
        }
        next = std::min(next, s.NextDue);
    }
    for (int32_t g : dueGroups)
        DeliverGroup(lock, g);
    for (int32_t s : dueSignals)
        DeliverSignal(lock, s);
    return next;
}

}  // namespace

void WorkerLoop()
{
    State& s = S();
    Lock lock(s.Mutex);
    while (!s.Stop) {
        double next = Seconds() + 0.05;
        if (!s.Paused)
            next = DeliverDue(lock);
        if (s.Stop)
            break;
        const auto wait = std::chrono::duration<double>(std::max(0.0, next - Seconds()));
        s.Wake.wait_for(lock, std::chrono::duration_cast<std::chrono::microseconds>(wait));
    }
}

namespace {

// ---- browsing helpers ---------------------------------------------------------------------

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::string JoinLines(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& n : names)
        text += (text.empty() ? "" : "\r\n") + n;
    return text;
}

const NetEntry* FindNetEntry(const NetEntry& at, const std::string& remoteName)
{
    for (const NetEntry& child : at.Children) {
        if (child.Kind != IOPC2_NET_COMPUTER && SameName(child.RemoteName, remoteName))
            return &child;
        if (const NetEntry* found = FindNetEntry(child, remoteName))
            return found;
    }
    return nullptr;
}

void CollectIds(const Server& server, std::vector<std::string>& ids)
{
    for (const auto& item : server.Items)
        ids.push_back(item->Id);
}

void SetOut(BSTR* out, const std::string& text)
{
    if (out)
        *out = ToBstr(text);
}

}  // namespace
}  // namespace iopc2

using namespace iopc2;

// ---- signals ------------------------------------------------------------------------------

IOPC2_EXPORT void SignalAdd(int32_t* Handle, BSTR ComputerName, BSTR ServerName, BSTR ItemName, BSTR GroupName,
                            int32_t UpdateRate, uint8_t Suspended, VARTYPE RequestedType, IOPCSignalUpdate* Callback)
{
    if (Handle)
        *Handle = 0;
    CallVoid("SignalAdd", [&](Lock&) {
        if (!Handle || !Callback)
            throw Error("SignalAdd needs a handle and a callback.");
        if (UpdateRate < 0)
            throw Error("Invalid update rate " + std::to_string(UpdateRate) + ".");
        const std::string group = FromBstr(GroupName), computer = FromBstr(ComputerName);
        const std::string serverName = FromBstr(ServerName), itemId = FromBstr(ItemName);
        Signal s;
        Server* server = nullptr;
        if (!group.empty()) {
            auto g = std::find_if(S().Groups.begin(), S().Groups.end(),
                                  [&](const Group& x) { return SameName(x.Name, group); });
            if (g == S().Groups.end())
                throw Error("Group " + Quoted(group) + " not found.");
            server = &ServerOf(g->ComputerName, g->ServerName);
            s.GroupHandle = g->Handle;
            s.Connection = g->Connection;
        } else {
            if (serverName.empty())
                throw Error("Neither an OPC server nor a group given.");
            server = &ServerOf(computer, serverName);
            s.Connection = ConnectionName(computer, *server);
            OpenConnection(s.Connection);
        }
        s.Source = server->FindItem(itemId);
        if (!s.Source)
            throw Error("Item " + Quoted(itemId) + " not found on " + Quoted(server->Name) + ".");
        s.Handle = S().NextHandle++;
        s.Rate = UpdateRate;
        s.Suspended = Suspended != 0;
        s.Requested = RequestedType;
        s.Callback = Callback;
        S().Signals.emplace(s.Handle, s);
        *Handle = s.Handle;
        StartWorker();
    });
}

IOPC2_EXPORT void SignalRemove(int32_t Handle)
{
    CallVoid("SignalRemove", [&](Lock& lock) {
        SignalOf(Handle);
        S().Signals.erase(Handle);
        WaitForCallbacks(lock, Handle);
    });
}

static void SetSuspended(const char* name, int32_t handle, bool suspended)
{
    CallVoid(name, [&](Lock&) {
        SignalOf(handle).Suspended = suspended;
        S().Wake.notify_all();
    });
}

IOPC2_EXPORT void SignalSuspend(int32_t Handle) { SetSuspended("SignalSuspend", Handle, true); }

IOPC2_EXPORT void SignalResume(int32_t Handle) { SetSuspended("SignalResume", Handle, false); }

IOPC2_EXPORT void SignalGetActive(int32_t Handle, uint8_t* Active)
{
    if (Active)
        *Active = 0;
    CallVoid("SignalGetActive", [&](Lock&) {
        if (Handle == 0 || !Active)
            return;  // an unregistered signal is simply not active
        *Active = SignalWorking(SignalOf(Handle)) ? 1 : 0;
    });
}

IOPC2_EXPORT void SignalGetUpdateSuspended(int32_t Handle, uint8_t* Suspended)
{
    CallVoid("SignalGetUpdateSuspended", [&](Lock&) {
        const bool suspended = SignalOf(Handle).Suspended;
        if (Suspended)
            *Suspended = suspended ? 1 : 0;
    });
}

IOPC2_EXPORT void SignalGetGroupHandle(int32_t Handle, int32_t* GroupHandle)
{
    CallVoid("SignalGetGroupHandle", [&](Lock&) {
        const int32_t group = SignalOf(Handle).GroupHandle;
        if (GroupHandle)
            *GroupHandle = group;
    });
}

IOPC2_EXPORT void SignalSendData(int32_t Handle, VARIANT* Data)
{
    CallVoid("SignalSendData", [&](Lock&) {
        Signal& s = SignalOf(Handle);
        if (!Data)
            throw Error("No value given.");
        if (!s.Source->Writable)
            throw Error("Item " + Quoted(s.Source->Id) + " is read-only.");
        const Value written(*Data);
        S().Writes.emplace_back(s.Source->Id, written);
        s.Source->Set(written.ConvertedTo(s.Source->Type), 0xC0, NowAsDateTime());
    });
}

IOPC2_EXPORT void SignalGetDataNow(int32_t Handle)
{
    CallVoid("SignalGetDataNow", [&](Lock&) { Snapshot(SignalOf(Handle)); });
}

// Out values are overwritten, never freed: the caller passes an empty VARIANT.
IOPC2_EXPORT void SignalGetData(int32_t Handle, VARIANT* Data)
{
    CallVoid("SignalGetData", [&](Lock&) {
        const Signal& s = SignalOf(Handle);
        if (Data) {
            VariantInit(Data);
            s.Data.CopyTo(Data);
        }
    });
}

IOPC2_EXPORT void SignalGetTimeStamp(int32_t Handle, double* TimeStamp)
{
    CallVoid("SignalGetTimeStamp", [&](Lock&) {
        const double t = SignalOf(Handle).TimeStamp;
        if (TimeStamp)
            *TimeStamp = t;
    });
}

IOPC2_EXPORT void SignalGetQuality(int32_t Handle, uint16_t* Quality)
{
    CallVoid("SignalGetQuality", [&](Lock&) {
        const uint16_t q = SignalOf(Handle).Quality;
        if (Quality)
            *Quality = q;
    });
}

// ---- browsing -----------------------------------------------------------------------------

IOPC2_EXPORT int32_t EditorSessionStart(void)
{
    return Call("EditorSessionStart", -1, [](Lock&) {
        const int32_t id = S().NextSession++;
        S().Sessions[id];
        return id;
    });
}

IOPC2_EXPORT void EditorSessionStop(int32_t Session)
{
    CallVoid("EditorSessionStop", [&](Lock&) {
        SessionOf(Session);
        S().Sessions.erase(Session);
    });
}

IOPC2_EXPORT void EditorComputerBranchOpen(int32_t Session, TiNetData NetData)
{
    CallVoid("EditorComputerBranchOpen", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        session.Level.clear();
        const NetEntry* level = &S().Sim->Network();
        if (NetData.Valid) {
            const std::string name = From8Bit(NetData.RemoteName);
            level = FindNetEntry(*level, name);
            if (!level)
                throw Error("Network resource " + Quoted(name) + " not found.");
        }
        for (const NetEntry& e : level->Children)
            session.Level.push_back(NetOut{e.Kind, "", To8Bit(e.RemoteName), To8Bit(e.Comment), "Pravix Network"});
    });
}

IOPC2_EXPORT void EditorComputerBranchClose(int32_t Session)
{
    CallVoid("EditorComputerBranchClose", [&](Lock&) { SessionOf(Session).Level.clear(); });
}

IOPC2_EXPORT int32_t EditorComputerBranchGetItemCount(int32_t Session)
{
    return Call("EditorComputerBranchGetItemCount", 0, [&](Lock&) { return int32_t(SessionOf(Session).Level.size()); });
}

IOPC2_EXPORT void EditorComputerBranchGetItemData(TiNetData* NetData, int32_t Session, int32_t Index)
{
    CallVoid("EditorComputerBranchGetItemData", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        if (Index < 0 || size_t(Index) >= session.Level.size())
            throw Error("Network entry index " + std::to_string(Index) + " out of range.");
        if (!NetData)
            return;
        NetOut& e = session.Level[size_t(Index)];
        *NetData = TiNetData{};
        NetData->Valid = 1;
        NetData->Kind = uint8_t(e.Kind);
        NetData->Scope = 2;  // a globally visible resource
        NetData->Type = e.Kind == IOPC2_NET_COMPUTER ? 0 : 1;
        NetData->DisplayType = e.Kind == IOPC2_NET_NETWORK ? 6 : e.Kind == IOPC2_NET_DOMAIN ? 1 : 2;
        NetData->Usage = e.Kind == IOPC2_NET_COMPUTER ? 1 : 2;
        NetData->LocalName = e.Local.data();
        NetData->RemoteName = e.Remote.data();
        NetData->Comment = e.Comment.data();
        NetData->Provider = e.Provider.data();
    });
}

IOPC2_EXPORT void EditorServerSetup(int32_t Session, BSTR ComputerName)
{
    CallVoid("EditorServerSetup", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        session.Servers.clear();
        const std::string name = FromBstr(ComputerName);
        Computer* computer = S().Sim->FindComputer(name);
        if (!computer)
            throw Error("Computer " + Quoted(name) + " not found.");
        for (auto& server : computer->Servers)
            session.Servers.push_back(server.get());
    });
}

IOPC2_EXPORT int32_t EditorServerGetCount(int32_t Session)
{
    return Call("EditorServerGetCount", 0, [&](Lock&) { return int32_t(SessionOf(Session).Servers.size()); });
}

IOPC2_EXPORT void EditorServerGetData(TiServerData* ServerData, int32_t Session, int32_t Index)
{
    CallVoid("EditorServerGetData", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        if (Index < 0 || size_t(Index) >= session.Servers.size())
            throw Error("Server index " + std::to_string(Index) + " out of range.");
        if (!ServerData)
            return;
        const Server* server = session.Servers[size_t(Index)];
        ServerData->Name = strdup(To8Bit(server->Name).c_str());
        ServerData->IconIndex = server->IconIndex;
    });
}

IOPC2_EXPORT void EditorItemSetup(int32_t Session, BSTR ComputerName, BSTR ServerName)
{
    CallVoid("EditorItemSetup", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        session.Browse = nullptr;
        session.Path.clear();
        session.Browse = &ServerOf(FromBstr(ComputerName), FromBstr(ServerName));
    });
}

IOPC2_EXPORT int32_t EditorItemGetBrowseType(int32_t Session)
{
    return Call("EditorItemGetBrowseType", 0, [&](Lock&) {
        const Server* server = SessionOf(Session).Browse;
        return server && server->Hierarchical ? 1 : 0;
    });
}

static Server& BrowsedServer(struct Session& session)
{
    if (!session.Browse)
        throw Error("No OPC server set up for browsing.");
    return *session.Browse;
}

// Paths come leaf first, one branch name per line.
static std::vector<std::string> RootFirst(BSTR path)
{
    std::vector<std::string> names = SplitLines(FromBstr(path));
    std::reverse(names.begin(), names.end());
    return names;
}

IOPC2_EXPORT void EditorItemSetPath(int32_t Session, BSTR Path)
{
    CallVoid("EditorItemSetPath", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        std::vector<std::string> path = RootFirst(Path);
        if (!BrowsedServer(session).FindBranch(path))
            throw Error("Branch " + Quoted(JoinLines(path)) + " not found.");
        session.Path = std::move(path);
    });
}

IOPC2_EXPORT void EditorItemGetBranchItems(BSTR* Items, int32_t Session, int32_t BrowseType)
{
    if (Items)
        *Items = nullptr;
    CallVoid("EditorItemGetBranchItems", [&](Lock&) {
        struct Session& session = SessionOf(Session);
        const Server& server = BrowsedServer(session);
        const Branch* at = server.FindBranch(session.Path);
        std::vector<std::string> names;
        switch (BrowseType) {
        case IOPC2_BROWSE_BRANCH:
            for (const Branch& b : at->Branches)
                names.push_back(b.Name);
            break;
        case IOPC2_BROWSE_LEAF: names = at->Leaves; break;
        case IOPC2_BROWSE_FLAT: CollectIds(server, names); break;
        default: throw Error("Invalid browse type " + std::to_string(BrowseType) + ".");
        }
        SetOut(Items, JoinLines(names));
    });
}

IOPC2_EXPORT void EditorItemGetQualifiedName(BSTR* Name, int32_t Session, BSTR Path, BSTR ItemName)
{
    if (Name)
        *Name = nullptr;
    CallVoid("EditorItemGetQualifiedName", [&](Lock&) {
        Server& server = BrowsedServer(SessionOf(Session));
        const std::vector<std::string> path = RootFirst(Path);
        const std::string leaf = FromBstr(ItemName);
        const Branch* branch = server.FindBranch(path);
        std::string id;
        for (const std::string& p : path)
            id += p + ".";
        id += leaf;
        if (!branch || !server.FindItem(id))
            throw Error("Item " + Quoted(id) + " not found.");
        SetOut(Name, server.FindItem(id)->Id);
    });
}

// ---- groups -------------------------------------------------------------------------------

IOPC2_EXPORT void GroupAdd(int32_t* Handle, BSTR Name, BSTR ComputerName, BSTR OPCServerName, int32_t UpdateRate,
                           IOPCGroupUpdate* Callback)
{
    if (Handle)
        *Handle = 0;
    CallVoid("GroupAdd", [&](Lock&) {
        if (!Handle || !Callback)
            throw Error("GroupAdd needs a handle and a callback.");
        if (UpdateRate < 0)
            throw Error("Invalid update rate " + std::to_string(UpdateRate) + ".");
        Group g;
        g.Name = FromBstr(Name);
        if (g.Name.empty())
            throw Error("A group needs a name.");
        g.ComputerName = FromBstr(ComputerName);
        g.ServerName = FromBstr(OPCServerName);
        g.Connection = ConnectionName(g.ComputerName, ServerOf(g.ComputerName, g.ServerName));
        g.Handle = S().NextHandle++;
        g.Rate = UpdateRate;
        g.Callback = Callback;
        OpenConnection(g.Connection);
        S().Groups.push_back(g);
        *Handle = g.Handle;
        StartWorker();
    });
}

IOPC2_EXPORT void GroupDelete(int32_t Handle)
{
    CallVoid("GroupDelete", [&](Lock& lock) {
        const Group* g = &GroupOf(Handle);
        S().Groups.erase(S().Groups.begin() + (g - S().Groups.data()));
        WaitForCallbacks(lock, Handle);
    });
}

IOPC2_EXPORT void GroupResume(int32_t Handle)
{
    CallVoid("GroupResume", [&](Lock&) { GroupOf(Handle).Suspended = false; });
}

IOPC2_EXPORT void GroupSuspend(int32_t Handle)
{
    CallVoid("GroupSuspend", [&](Lock&) { GroupOf(Handle).Suspended = true; });
}

#ifndef IOPC2_WITHOUT_GROUPGETCOUNT
IOPC2_EXPORT void GroupGetCount(int32_t* Count)
{
    CallVoid("GroupGetCount", [&](Lock&) {
        if (Count)
            *Count = int32_t(S().Groups.size());
    });
}
#endif

IOPC2_EXPORT void GroupGetHandleByName(BSTR Name, int32_t* Handle)
{
    if (Handle)
        *Handle = 0;
    CallVoid("GroupGetHandleByName", [&](Lock&) {
        const std::string name = FromBstr(Name);
        for (const Group& g : S().Groups)
            if (SameName(g.Name, name)) {
                if (Handle)
                    *Handle = g.Handle;
                return;
            }
    });
}

static void GroupText(const char* function, int32_t handle, BSTR* out, std::string Group::*field)
{
    if (out)
        *out = nullptr;
    CallVoid(function, [&](Lock&) { SetOut(out, GroupOf(handle).*field); });
}

IOPC2_EXPORT void GroupGetName(int32_t Handle, BSTR* Name) { GroupText("GroupGetName", Handle, Name, &Group::Name); }

IOPC2_EXPORT void GroupGetComputerName(int32_t Handle, BSTR* Name)
{
    GroupText("GroupGetComputerName", Handle, Name, &Group::ComputerName);
}

IOPC2_EXPORT void GroupGetOPCServerName(int32_t Handle, BSTR* Name)
{
    GroupText("GroupGetOPCServerName", Handle, Name, &Group::ServerName);
}

IOPC2_EXPORT void GroupGetUpdateRate(int32_t Handle, int32_t* Rate)
{
    CallVoid("GroupGetUpdateRate", [&](Lock&) {
        const int32_t rate = GroupOf(Handle).Rate;
        if (Rate)
            *Rate = rate;
    });
}

IOPC2_EXPORT void GroupSetUpdateRate(int32_t Handle, int32_t Rate)
{
    CallVoid("GroupSetUpdateRate", [&](Lock&) {
        if (Rate < 0)
            throw Error("Invalid update rate " + std::to_string(Rate) + ".");
        Group& g = GroupOf(Handle);
        g.Rate = Rate;
        g.NextDue = 0;
        S().Wake.notify_all();
    });
}

IOPC2_EXPORT void GroupGetHandle(int32_t Index, int32_t* Handle)
{
    CallVoid("GroupGetHandle", [&](Lock&) {
        if (Index < 0 || size_t(Index) >= S().Groups.size())
            throw Error("Group index " + std::to_string(Index) + " out of range.");
        if (Handle)
            *Handle = S().Groups[size_t(Index)].Handle;
    });
}

// ---- server connections -------------------------------------------------------------------

IOPC2_EXPORT void CloseAllServerConnections(void)
{
    CallVoid("CloseAllServerConnections", [](Lock&) { S().Connections.clear(); });
}

IOPC2_EXPORT int32_t ServerConnectionGetCount(void)
{
    return Call("ServerConnectionGetCount", 0, [](Lock&) { return int32_t(S().Connections.size()); });
}

IOPC2_EXPORT void ServerConnectionGetName(BSTR* Name, int32_t Index)
{
    if (Name)
        *Name = nullptr;
    CallVoid("ServerConnectionGetName", [&](Lock&) {
        if (Index < 0 || size_t(Index) >= S().Connections.size())
            throw Error("Connection index " + std::to_string(Index) + " out of range.");
        SetOut(Name, S().Connections[size_t(Index)]);
    });
}

IOPC2_EXPORT int32_t ServerConnectionGetGroupCount(void)
{
    return Call("ServerConnectionGetGroupCount", 0, [](Lock&) { return int32_t(S().Groups.size()); });
}

IOPC2_EXPORT void ServerConnectionGetGroupName(BSTR* Name, int32_t Index)
{
    if (Name)
        *Name = nullptr;
    CallVoid("ServerConnectionGetGroupName", [&](Lock&) {
        if (Index < 0 || size_t(Index) >= S().Groups.size())
            throw Error("Group index " + std::to_string(Index) + " out of range.");
        SetOut(Name, S().Groups[size_t(Index)].Name);
    });
}

// A connection is named "<computer>\<server>".
IOPC2_EXPORT void ServerConnectionReconnect(BSTR Name)
{
    CallVoid("ServerConnectionReconnect", [&](Lock&) {
        const std::string name = FromBstr(Name);
        const size_t slash = name.find('\\');
        if (slash == std::string::npos)
            throw Error("Server connection " + Quoted(name) + " not found.");
        const std::string computer = name.substr(0, slash);
        OpenConnection(ConnectionName(computer, ServerOf(computer, name.substr(slash + 1))));
        S().Wake.notify_all();
    });
}

IOPC2_EXPORT void ServerConnectionDisconnect(BSTR Name)
{
    CallVoid("ServerConnectionDisconnect", [&](Lock&) {
        const std::string name = FromBstr(Name);
        auto& c = S().Connections;
        auto it = std::find_if(c.begin(), c.end(), [&](const std::string& x) { return SameName(x, name); });
        if (it == c.end())
            throw Error("Server connection " + Quoted(name) + " not found.");
        c.erase(it);
    });
}

// ---- group holders ------------------------------------------------------------------------

IOPC2_EXPORT int32_t ManagerCreated(void)
{
    return Call("ManagerCreated", 0, [](Lock&) {
        ++S().Managers;
        return ++S().ManagerSerial;
    });
}

IOPC2_EXPORT void ManagerAddItem(BSTR Name, int32_t Value)
{
    CallVoid("ManagerAddItem", [&](Lock&) {
        (void)Name;  // the simulation keeps no per-holder item list
        (void)Value;
    });
}

IOPC2_EXPORT void ManagerDestroyed(void)
{
    CallVoid("ManagerDestroyed", [](Lock&) {
        if (S().Managers == 0)
            throw Error("No group holder was created.");
        --S().Managers;
    });
}

IOPC2_EXPORT void GetLastCallErrorString(BSTR* Text)
{
    const std::string error = LastError();
    if (Text)
        *Text = error.empty() ? nullptr : ToBstr(error);
}

// ---- test control -------------------------------------------------------------------------

IOPC2_EXPORT void iOPC2Test_Reset(void)
{
    Lock lock(S().Mutex);
    S().CallbackDone.wait(lock, [] { return S().InCallback.empty(); });
    S().Signals.clear();
    S().Groups.clear();
    S().Connections.clear();
    S().Sessions.clear();
    S().Writes.clear();
    S().Failures.clear();
    S().Managers = 0;
    S().Sim = std::make_unique<World>();
}

IOPC2_EXPORT void iOPC2Test_SetWorkerPaused(uint8_t paused)
{
    Lock lock(S().Mutex);
    S().Paused = paused != 0;
    S().Wake.notify_all();
}

IOPC2_EXPORT uint8_t iOPC2Test_SetItemValue(const char* computerName, const char* serverName, const char* itemId,
                                            const VARIANT* value, uint16_t quality, double timeStamp)
{
    Lock lock(S().Mutex);
    Server* server = S().Sim->FindServer(From8Bit(computerName), From8Bit(serverName));
    Item* item = server && value ? server->FindItem(From8Bit(itemId)) : nullptr;
    if (!item)
        return 0;
    item->Set(Value(*value), quality, timeStamp != 0 ? timeStamp : NowAsDateTime());
    S().Wake.notify_all();
    return 1;
}

IOPC2_EXPORT int32_t iOPC2Test_DeliverNow(void)
{
    Lock lock(S().Mutex);
    int32_t delivered = 0;
    std::vector<int32_t> groups, signals;
    for (const Group& g : S().Groups)
        groups.push_back(g.Handle);
    for (const auto& [handle, s] : S().Signals)
        if (s.GroupHandle == 0)
            signals.push_back(handle);
    for (int32_t g : groups)
        delivered += DeliverGroup(lock, g);
    for (int32_t s : signals)
        delivered += DeliverSignal(lock, s) ? 1 : 0;
    return delivered;
}

IOPC2_EXPORT int32_t iOPC2Test_GetWriteCount(void)
{
    Lock lock(S().Mutex);
    return int32_t(S().Writes.size());
}

IOPC2_EXPORT uint8_t iOPC2Test_GetWrite(int32_t index, BSTR* itemId, VARIANT* value)
{
    Lock lock(S().Mutex);
    if (index < 0 || size_t(index) >= S().Writes.size())
        return 0;
    const auto& [id, written] = S().Writes[size_t(index)];
    if (itemId)
        *itemId = ToBstr(id);
    if (value) {
        VariantInit(value);
        written.CopyTo(value);
    }
    return 1;
}

IOPC2_EXPORT void iOPC2Test_FailNextCall(const char* functionName, const char* errorText)
{
    Lock lock(S().Mutex);
    S().Failures[functionName ? functionName : ""] = From8Bit(errorText);
}

IOPC2_EXPORT int32_t iOPC2Test_GetSignalCount(void)
{
    Lock lock(S().Mutex);
    return int32_t(S().Signals.size());
}

IOPC2_EXPORT int32_t iOPC2Test_GetManagerCount(void)
{
    Lock lock(S().Mutex);
    return S().Managers;
}
