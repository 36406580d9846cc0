#include "components/iOPCDLLLoader.h"

#include "platform/core/Exceptions.h"
#include "platform/core/StrUtils.h"
#include "platform/gui/Application.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

const char* const kLibraryName = "iOPC2.dll";

// The library's functions in the order they are looked up. Left as written: clang-format lays a
// list of macro calls out differently each time it runs over it, so no layout would stay checked.
// clang-format off
#define IOPC2_FUNCTIONS(X)              \
    X(SignalAdd)                        \
    X(SignalRemove)                     \
    X(SignalSuspend)                    \
    X(SignalResume)                     \
    X(SignalGetActive)                  \
    X(SignalGetUpdateSuspended)         \
    X(SignalGetGroupHandle)             \
    X(SignalSendData)                   \
    X(SignalGetDataNow)                 \
    X(SignalGetData)                    \
    X(SignalGetTimeStamp)               \
    X(SignalGetQuality)                 \
    X(EditorSessionStart)               \
    X(EditorSessionStop)                \
    X(EditorComputerBranchOpen)         \
    X(EditorComputerBranchClose)        \
    X(EditorComputerBranchGetItemCount) \
    X(EditorComputerBranchGetItemData)  \
    X(EditorServerSetup)                \
    X(EditorServerGetCount)             \
    X(EditorServerGetData)              \
    X(EditorItemSetup)                  \
    X(EditorItemGetBrowseType)          \
    X(EditorItemSetPath)                \
    X(EditorItemGetBranchItems)         \
    X(EditorItemGetQualifiedName)       \
    X(GroupAdd)                         \
    X(GroupDelete)                      \
    X(GroupResume)                      \
    X(GroupSuspend)                     \
    X(GroupGetCount)                    \
    X(GroupGetHandleByName)             \
    X(GroupGetName)                     \
    X(GroupGetComputerName)             \
    X(GroupGetOPCServerName)            \
    X(GroupGetUpdateRate)               \
    X(GroupSetUpdateRate)               \
    X(GroupGetHandle)                   \
    X(CloseAllServerConnections)        \
    X(ServerConnectionGetCount)         \
    X(ServerConnectionGetName)          \
    X(ServerConnectionGetGroupCount)    \
    X(ServerConnectionGetGroupName)     \
    X(ServerConnectionReconnect)        \
    X(ServerConnectionDisconnect)       \
    X(ManagerCreated)                   \
    X(ManagerAddItem)                   \
    X(ManagerDestroyed)                 \
    X(GetLastCallErrorString)
// clang-format on

struct TEntries {
#define IOPC2_ENTRY(name) decltype(&::name) name = nullptr;
    IOPC2_FUNCTIONS(IOPC2_ENTRY)
#undef IOPC2_ENTRY
};

// The binding state: written when the program starts and when it ends, read in between.
class TBinding {
public:
    TBinding()
    {
        const char* folder = std::getenv("IOPC2_DIR");
        m_module = LoadLibrary(kLibraryName, {folder ? folder : "", ExecutableFolder()});
        if (!m_module)
            return;
#define IOPC2_RESOLVE(name) Entries.name = reinterpret_cast<decltype(&::name)>(GetProcAddress(m_module, #name));
        IOPC2_FUNCTIONS(IOPC2_RESOLVE)
#undef IOPC2_RESOLVE
    }

    // Runs after every component is gone: nothing may reach the library once it is freed.
    ~TBinding()
    {
        HMODULE module = std::exchange(m_module, nullptr);
        Entries = TEntries{};
        FreeLibrary(module);
    }

    bool Loaded() const { return m_module != nullptr; }
    HMODULE Module() const { return m_module; }
    TEntries Entries;

private:
    HMODULE m_module = nullptr;
};

TBinding& Binding()
{
    static TBinding binding;
    return binding;
}

// The library is loaded when the program starts, not on first use.
const bool g_loadedAtStart = Binding().Loaded();

template <class F>
F Require(F entry, const char* name)
{
    if (!Binding().Loaded())
        throw Exception("Pravix OPC DLL Not Found.");
    if (!entry)
        throw Exception(std::string("Function \"") + name + "\" not found in \"" + kLibraryName + "\".");
    return entry;
}

// The entry of a raising wrapper, or the raised message.
#define REQUIRE(name) Require(Binding().Entries.name, #name)
// The entry of a quiet wrapper: nullptr without the library or the function.
#define QUIET(name) Binding().Entries.name

void RaiseLastCallError()
{
    const std::string text = OPCDLLLastCallErrorString();
    if (!text.empty())
        throw Exception(text);
}

// A library string made from 8-bit text; owned by whoever receives it.
BSTR NewBstr(const std::string& text)
{
    const std::u16string units = Win1252ToUtf16(text);
    return BstrAllocLen(reinterpret_cast<const OLECHAR*>(units.data()), uint32_t(units.size()));
}

// An 8-bit text as a library string for the length of one call.
class TBstrIn {
public:
    explicit TBstrIn(const std::string& text) : m_bstr(NewBstr(text)) {}
    ~TBstrIn() { BstrFree(m_bstr); }
    TBstrIn(const TBstrIn&) = delete;
    TBstrIn& operator=(const TBstrIn&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr = nullptr;
};

// A string the library hands out; freed here. A null string reads as "".
class TBstrOut {
public:
    TBstrOut() = default;
    ~TBstrOut() { BstrFree(m_bstr); }
    TBstrOut(const TBstrOut&) = delete;
    TBstrOut& operator=(const TBstrOut&) = delete;
    BSTR* Receive() { return &m_bstr; }
    std::string Text() const { return BstrToWin1252(m_bstr); }

    static std::string BstrToWin1252(const OLECHAR* s)
    {
        return s ? Utf16ToWin1252(std::u16string_view(reinterpret_cast<const char16_t*>(s), BstrLen(s))) : "";
    }

private:
    BSTR m_bstr = nullptr;
};

// Calls a raising entry whose last argument receives the result, and answers it.
template <class R, class F, class... Args>
R CallOut(F entry, Args... args)
{
    R result{};
    entry(args..., &result);
    RaiseLastCallError();
    return result;
}

// A VARIANT holding a copy of the value; the caller clears it.
VARIANT ToOle(const TVariant& value)
{
    if (value.IsArray())
        throw EConvertError("Arrays cannot be passed to the OPC library");
    VARIANT v;
    VariantInit(&v);
    v.vt = value.VarType();
    switch (v.vt) {
    case varEmpty:
    case varNull: break;
    case varSingle: v.u.fltVal = float(value.AsDouble()); break;
    case varDouble:
    case varDate: v.u.dblVal = value.AsDouble(); break;
    case varCurrency: v.u.cyVal = std::llround(static_cast<long double>(value.AsDouble()) * 10000); break;
    case varOleStr: v.u.bstrVal = NewBstr(value.AsText()); break;
    case varBoolean: v.u.boolVal = value.AsDouble() != 0 ? -1 : 0; break;
    case varUInt64: v.u.ullVal = std::stoull(value.AsText()); break;
    default: {
        // Integer kinds: their decimal text is exact where a double may not be.
        const long long n = std::stoll(value.AsText());
        switch (v.vt) {
        case varShortInt: v.u.cVal = int8_t(n); break;
        case varByte: v.u.bVal = uint8_t(n); break;
        case varSmallint: v.u.iVal = int16_t(n); break;
        case varWord: v.u.uiVal = uint16_t(n); break;
        case varLongWord:
        case varUInt: v.u.ulVal = uint32_t(n); break;
        case varInt64: v.u.llVal = n; break;
        default: v.u.lVal = int32_t(n); break;
        }
    }
    }
    return v;
}

// The value a library VARIANT holds; a kind this side does not know reads as empty.
TVariant FromOle(const VARIANT& v)
{
    switch (v.vt) {
    case VT_NULL: return TVariant::Null();
    case VT_I1: return TVariant::OfInteger(varShortInt, v.u.cVal);
    case VT_UI1: return TVariant::OfInteger(varByte, v.u.bVal);
    case VT_I2: return TVariant::OfInteger(varSmallint, v.u.iVal);
    case VT_UI2: return TVariant::OfInteger(varWord, v.u.uiVal);
    case VT_I4: return TVariant::OfInteger(varInteger, v.u.lVal);
    case VT_INT: return TVariant::OfInteger(varInt, v.u.lVal);
    case VT_UI4: return TVariant::OfInteger(varLongWord, v.u.ulVal);
    case VT_UINT: return TVariant::OfInteger(varUInt, v.u.ulVal);
    case VT_I8: return TVariant::OfInteger(varInt64, v.u.llVal);
    case VT_UI8: return TVariant::OfUInt64(v.u.ullVal);
    case VT_R4: return TVariant::OfSingle(v.u.fltVal);
    case VT_R8: return TVariant(v.u.dblVal);
    case VT_DATE: return TVariant::OfDate(v.u.date);
    case VT_CY: return TVariant::OfCurrency(double(static_cast<long double>(v.u.cyVal) / 10000));
    case VT_BOOL: return TVariant(v.u.boolVal != 0);
    case VT_BSTR: return TVariant(TBstrOut::BstrToWin1252(v.u.bstrVal));
    default: return TVariant();
    }
}

std::mutex g_dispatcherMutex;
TOPCCallbackDispatcher g_dispatcher;

void DispatchCallback(std::function<void()> work)
{
    TOPCCallbackDispatcher dispatcher;
    {
        std::lock_guard lock(g_dispatcherMutex);
        dispatcher = g_dispatcher;
    }
    if (dispatcher)
        dispatcher(std::move(work));
    else if (IsGuiThread())
        work();
    else
        PostToGui(std::move(work));
}

bool SameGuid(const TGUID* a, const TGUID& b) { return a && std::memcmp(a, &b, sizeof b) == 0; }

const TGUID kIUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr int32_t kNoInterface = int32_t(0x80004002u);

// The interface look-up and the two reference counts of a callback table: the library must not
// count references, the objects live as long as their owners decide.
template <class I>
int32_t QueryInterfaceOf(I* self, const TGUID* iid, void** obj, const TGUID& own)
{
    if (!obj)
        return kNoInterface;
    *obj = SameGuid(iid, own) || SameGuid(iid, kIUnknown) ? self : nullptr;
    return *obj ? 0 : kNoInterface;
}

template <class I>
int32_t NoReferenceCount(I*)
{
    return -1;
}

}  // namespace

// ---- state --------------------------------------------------------------------------------

bool OPCDLLNotLoaded() { return !Binding().Loaded(); }

HMODULE OPCDLLModule() { return Binding().Module(); }

// ---- signals ------------------------------------------------------------------------------

int OPCDLLSignalAdd(const std::string& ComputerName, const std::string& ServerName, const std::string& ItemName,
                    const std::string& GroupName, int UpdateRate, bool Suspended, uint16_t RequestedType,
                    IOPCSignalUpdate* Callback)
{
    auto entry = REQUIRE(SignalAdd);
    int32_t handle = 0;
    entry(&handle, TBstrIn(ComputerName), TBstrIn(ServerName), TBstrIn(ItemName), TBstrIn(GroupName), UpdateRate,
          Suspended ? 1 : 0, RequestedType, Callback);
    RaiseLastCallError();
    return handle;
}

// A raising wrapper of a library function that takes only a handle (or index) and answers nothing.
#define IOPC2_HANDLE_CALL(wrapper, name) \
    void wrapper(int Handle)             \
    {                                    \
        REQUIRE(name)(Handle);           \
        RaiseLastCallError();            \
    }

IOPC2_HANDLE_CALL(OPCDLLSignalRemove, SignalRemove)
IOPC2_HANDLE_CALL(OPCDLLSignalSuspend, SignalSuspend)
IOPC2_HANDLE_CALL(OPCDLLSignalResume, SignalResume)
IOPC2_HANDLE_CALL(OPCDLLSignalGetDataNow, SignalGetDataNow)
IOPC2_HANDLE_CALL(OPCDLLGroupDelete, GroupDelete)
IOPC2_HANDLE_CALL(OPCDLLGroupResume, GroupResume)
IOPC2_HANDLE_CALL(OPCDLLGroupSuspend, GroupSuspend)

bool OPCDLLSignalGetActive(int Handle) { return CallOut<uint8_t>(REQUIRE(SignalGetActive), Handle) != 0; }

bool OPCDLLSignalGetUpdateSuspended(int Handle)
{
    return CallOut<uint8_t>(REQUIRE(SignalGetUpdateSuspended), Handle) != 0;
}

int OPCDLLSignalGetGroupHandle(int Handle) { return CallOut<int32_t>(REQUIRE(SignalGetGroupHandle), Handle); }

void OPCDLLSignalSendData(int Handle, const TVariant& Data)
{
    auto entry = REQUIRE(SignalSendData);
    VARIANT copy = ToOle(Data);  // the library gets a copy of its own
    entry(Handle, &copy);
    VariantClear(&copy);
    RaiseLastCallError();
}

TVariant OPCDLLSignalGetData(int Handle)
{
    auto entry = REQUIRE(SignalGetData);
    VARIANT data;
    VariantInit(&data);
    entry(Handle, &data);
    TVariant value = FromOle(data);
    VariantClear(&data);
    RaiseLastCallError();
    return value;
}

TDateTime OPCDLLSignalGetTimeStamp(int Handle) { return CallOut<double>(REQUIRE(SignalGetTimeStamp), Handle); }

uint16_t OPCDLLSignalGetQuality(int Handle) { return CallOut<uint16_t>(REQUIRE(SignalGetQuality), Handle); }

// ---- groups -------------------------------------------------------------------------------

int OPCDLLGroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                   int UpdateRate, IOPCGroupUpdate* Callback)
{
    auto entry = REQUIRE(GroupAdd);
    int32_t handle = 0;
    entry(&handle, TBstrIn(Name), TBstrIn(ComputerName), TBstrIn(OPCServerName), UpdateRate, Callback);
    RaiseLastCallError();
    return handle;
}

int OPCDLLGroupGetHandleByName(const std::string& Name)
{
    auto entry = REQUIRE(GroupGetHandleByName);
    int32_t handle = 0;
    entry(TBstrIn(Name), &handle);
    RaiseLastCallError();
    return handle;
}

int OPCDLLGroupGetCount()
{
    auto entry = REQUIRE(GroupGetCount);
    int32_t count = 0;
    entry(&count);
    RaiseLastCallError();
    return count;
}

int OPCDLLGroupGetHandle(int Index) { return CallOut<int32_t>(REQUIRE(GroupGetHandle), Index); }

// A raising wrapper of a library function that answers a text for a handle.
template <class F>
std::string GroupText(F entry, int Handle)
{
    TBstrOut text;
    entry(Handle, text.Receive());
    RaiseLastCallError();
    return text.Text();
}

std::string OPCDLLGroupGetName(int Handle) { return GroupText(REQUIRE(GroupGetName), Handle); }

std::string OPCDLLGroupGetComputerName(int Handle) { return GroupText(REQUIRE(GroupGetComputerName), Handle); }

std::string OPCDLLGroupGetOPCServerName(int Handle) { return GroupText(REQUIRE(GroupGetOPCServerName), Handle); }

int OPCDLLGroupGetUpdateRate(int Handle) { return CallOut<int32_t>(REQUIRE(GroupGetUpdateRate), Handle); }

void OPCDLLGroupSetUpdateRate(int Handle, int Rate)
{
    REQUIRE(GroupSetUpdateRate)(Handle, Rate);
    RaiseLastCallError();
}

// ---- server connections -------------------------------------------------------------------

void OPCDLLCloseAllServerConnections()
{
    REQUIRE(CloseAllServerConnections)();
    RaiseLastCallError();
}

int OPCDLLServerConnectionGetCount()
{
    const int count = REQUIRE(ServerConnectionGetCount)();
    RaiseLastCallError();
    return count;
}

// A raising wrapper of a library function that hands out a text for an index (text first).
template <class F>
std::string IndexedText(F entry, int Index)
{
    TBstrOut text;
    entry(text.Receive(), Index);
    RaiseLastCallError();
    return text.Text();
}

std::string OPCDLLServerConnectionGetName(int Index) { return IndexedText(REQUIRE(ServerConnectionGetName), Index); }

int OPCDLLServerConnectionGetGroupCount()
{
    const int count = REQUIRE(ServerConnectionGetGroupCount)();
    RaiseLastCallError();
    return count;
}

std::string OPCDLLServerConnectionGetGroupName(int Index)
{
    return IndexedText(REQUIRE(ServerConnectionGetGroupName), Index);
}

void OPCDLLServerConnectionReconnect(const std::string& Name)
{
    REQUIRE(ServerConnectionReconnect)(TBstrIn(Name));
    RaiseLastCallError();
}

void OPCDLLServerConnectionDisconnect(const std::string& Name)
{
    REQUIRE(ServerConnectionDisconnect)(TBstrIn(Name));
    RaiseLastCallError();
}

// ---- quiet wrappers -----------------------------------------------------------------------

int OPCDLLEditorSessionStart()
{
    auto entry = QUIET(EditorSessionStart);
    if (!entry)
        return -1;
    const int session = entry();
    RaiseLastCallError();
    return session;
}

// A quiet wrapper of a library function that takes only a session and answers nothing.
#define IOPC2_QUIET_SESSION_CALL(wrapper, name) \
    void wrapper(int Session)                   \
    {                                           \
        if (auto entry = QUIET(name)) {         \
            entry(Session);                     \
            RaiseLastCallError();               \
        }                                       \
    }

IOPC2_QUIET_SESSION_CALL(OPCDLLEditorSessionStop, EditorSessionStop)
IOPC2_QUIET_SESSION_CALL(OPCDLLEditorComputerBranchClose, EditorComputerBranchClose)

// A quiet wrapper of a library function that answers a count for a session.
#define IOPC2_QUIET_SESSION_COUNT(wrapper, name) \
    int wrapper(int Session)                     \
    {                                            \
        auto entry = QUIET(name);                \
        if (!entry)                              \
            return 0;                            \
        const int value = entry(Session);        \
        RaiseLastCallError();                    \
        return value;                            \
    }

IOPC2_QUIET_SESSION_COUNT(OPCDLLEditorComputerBranchGetItemCount, EditorComputerBranchGetItemCount)
IOPC2_QUIET_SESSION_COUNT(OPCDLLEditorServerGetCount, EditorServerGetCount)
IOPC2_QUIET_SESSION_COUNT(OPCDLLEditorItemGetBrowseType, EditorItemGetBrowseType)

void OPCDLLEditorComputerBranchOpen(int Session, const TiNetData& NetData)
{
    if (auto entry = QUIET(EditorComputerBranchOpen)) {
        entry(Session, NetData);
        RaiseLastCallError();
    }
}

void OPCDLLEditorComputerBranchGetItemData(int Session, int Index, TiNetData& NetData)
{
    auto entry = QUIET(EditorComputerBranchGetItemData);
    if (!entry)
        return;
    TiNetData received = NetData;
    entry(&received, Session, Index);
    RaiseLastCallError();
    NetData = received;
}

void OPCDLLEditorServerSetup(int Session, const std::string& ComputerName)
{
    if (auto entry = QUIET(EditorServerSetup)) {
        entry(Session, TBstrIn(ComputerName));
        RaiseLastCallError();
    }
}

void OPCDLLEditorServerGetData(int Session, int Index, TOPCServerData& ServerData)
{
    auto entry = QUIET(EditorServerGetData);
    if (!entry)
        return;
    TiServerData received{nullptr, ServerData.IconIndex};
    entry(&received, Session, Index);
    const std::string name = received.Name ? received.Name : "";
    std::free(received.Name);
    RaiseLastCallError();
    ServerData.Name = name;
    ServerData.IconIndex = received.IconIndex;
}

void OPCDLLEditorItemSetup(int Session, const std::string& ComputerName, const std::string& ServerName)
{
    if (auto entry = QUIET(EditorItemSetup)) {
        entry(Session, TBstrIn(ComputerName), TBstrIn(ServerName));
        RaiseLastCallError();
    }
}

void OPCDLLEditorItemSetPath(int Session, const std::string& Path)
{
    if (auto entry = QUIET(EditorItemSetPath)) {
        entry(Session, TBstrIn(Path));
        RaiseLastCallError();
    }
}

std::string OPCDLLEditorItemGetBranchItems(int Session, TiBrowseType BrowseType)
{
    auto entry = QUIET(EditorItemGetBranchItems);
    if (!entry)
        return "";
    TBstrOut items;
    entry(items.Receive(), Session, int32_t(BrowseType));
    RaiseLastCallError();
    return items.Text();
}

std::string OPCDLLEditorItemGetQualifiedName(int Session, const std::string& Path, const std::string& ItemName)
{
    auto entry = QUIET(EditorItemGetQualifiedName);
    if (!entry)
        return "";
    TBstrOut name;
    entry(name.Receive(), Session, TBstrIn(Path), TBstrIn(ItemName));
    RaiseLastCallError();
    return name.Text();
}

int OPCDLLManagerCreated()
{
    auto entry = QUIET(ManagerCreated);
    if (!entry)
        return 0;
    const int value = entry();
    RaiseLastCallError();
    return value;
}

void OPCDLLManagerAddItem(const std::string& Name, int Value)
{
    if (auto entry = QUIET(ManagerAddItem)) {
        entry(TBstrIn(Name), Value);
        RaiseLastCallError();
    }
}

void OPCDLLManagerDestroyed()
{
    if (auto entry = QUIET(ManagerDestroyed)) {
        entry();
        RaiseLastCallError();
    }
}

std::string OPCDLLLastCallErrorString()
{
    auto entry = QUIET(GetLastCallErrorString);
    if (!entry)
        return "";
    TBstrOut text;
    entry(text.Receive());
    return text.Text();
}

// ---- callbacks ----------------------------------------------------------------------------

void SetOPCCallbackDispatcher(TOPCCallbackDispatcher dispatcher)
{
    std::lock_guard lock(g_dispatcherMutex);
    g_dispatcher = std::move(dispatcher);
}

struct TOPCSignalUpdate::TState {
    THandler Handler;
};

TOPCSignalUpdate::TOPCSignalUpdate(THandler handler) : m_state(std::make_shared<TState>(TState{std::move(handler)}))
{
    static const IOPCSignalUpdateVtbl table = {
        [](IOPCSignalUpdate* self, const TGUID* iid, void** obj) {
            return QueryInterfaceOf(self, iid, obj, IID_IOPCSignalUpdate);
        },
        NoReferenceCount<IOPCSignalUpdate>,
        NoReferenceCount<IOPCSignalUpdate>,
        [](IOPCSignalUpdate* self, const TGUID* iid, void** obj) {
            return QueryInterfaceOf(self, iid, obj, IID_IOPCSignalUpdate);
        },
        NoReferenceCount<IOPCSignalUpdate>,
        NoReferenceCount<IOPCSignalUpdate>,
        &TOPCSignalUpdate::NewData,
    };
    m_interface.Base.lpVtbl = &table;
    m_interface.Owner = this;
}

TOPCSignalUpdate::~TOPCSignalUpdate() = default;

// Entered from the library, maybe on its own thread: fetch, package, hand over. Nothing may
// escape into the library.
void TOPCSignalUpdate::NewData(IOPCSignalUpdate* self, int32_t handle)
{
    try {
        TOPCSignalUpdate* owner = reinterpret_cast<TInterface*>(self)->Owner;
        std::weak_ptr<TState> state = owner->m_state;
        TOPCSignalSample sample;
        sample.Handle = handle;
        try {
            sample.Data = OPCDLLSignalGetData(handle);
            sample.TimeStamp = OPCDLLSignalGetTimeStamp(handle);
            sample.Quality = OPCDLLSignalGetQuality(handle);
        } catch (const std::exception& e) {
            sample.Error = e.what();
        }
        DispatchCallback([state = std::move(state), sample = std::move(sample)] {
            if (auto alive = state.lock())
                alive->Handler(sample);
        });
    } catch (...) {
        // Out of memory or a failing hand-over: the sample is lost, the library goes on.
    }
}

struct TOPCGroupUpdate::TState {
    THandler Handler;
};

TOPCGroupUpdate::TOPCGroupUpdate(THandler handler) : m_state(std::make_shared<TState>(TState{std::move(handler)}))
{
    static const IOPCGroupUpdateVtbl table = {
        [](IOPCGroupUpdate* self, const TGUID* iid, void** obj) {
            return QueryInterfaceOf(self, iid, obj, IID_IOPCGroupUpdate);
        },
        NoReferenceCount<IOPCGroupUpdate>,
        NoReferenceCount<IOPCGroupUpdate>,
        [](IOPCGroupUpdate* self, const TGUID* iid, void** obj) {
            return QueryInterfaceOf(self, iid, obj, IID_IOPCGroupUpdate);
        },
        NoReferenceCount<IOPCGroupUpdate>,
        NoReferenceCount<IOPCGroupUpdate>,
        &TOPCGroupUpdate::BeforeUpdate,
        &TOPCGroupUpdate::AfterUpdate,
    };
    m_interface.Base.lpVtbl = &table;
    m_interface.Owner = this;
}

TOPCGroupUpdate::~TOPCGroupUpdate() = default;

void TOPCGroupUpdate::BeforeUpdate(IOPCGroupUpdate* self, int32_t handle)
{
    Dispatch(self, TKind::BeforeUpdate, handle);
}

void TOPCGroupUpdate::AfterUpdate(IOPCGroupUpdate* self, int32_t handle) { Dispatch(self, TKind::AfterUpdate, handle); }

void TOPCGroupUpdate::Dispatch(IOPCGroupUpdate* self, TKind kind, int32_t handle)
{
    try {
        std::weak_ptr<TState> state = reinterpret_cast<TInterface*>(self)->Owner->m_state;
        DispatchCallback([state = std::move(state), kind, handle] {
            if (auto alive = state.lock())
                alive->Handler(kind, handle);
        });
    } catch (...) {
        // As for signals: nothing escapes into the library.
    }
}
