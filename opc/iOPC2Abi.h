#ifndef IOPC2ABI_H
#define IOPC2ABI_H
/*
 * The binary interface of the OPC client library "iOPC2.dll", shared by the library and by
 * the program's binding to it. Plain C so that any library built against it fits.
 *
 * Strings (BSTR): UTF-16 code units in a malloc'ed block that starts with a 32-bit byte
 * length; the BSTR points at the first code unit, and a NUL unit follows the text. A BSTR
 * is freed with BstrFree. A null BSTR reads as the empty text.
 *   - strings passed in belong to the caller, who frees them after the call;
 *   - strings passed out (BSTR* arguments) are allocated by the callee and owned by the caller.
 * Values (VARIANT): a 16-byte record; a VT_BSTR value owns its BSTR (VariantClear frees it).
 * Arrays are not exchanged.
 * Every function reports failure through GetLastCallErrorString, which answers the error
 * text of the calling thread's last call (empty after a successful call).
 */

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;
typedef uint16_t VARTYPE;

enum {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23
};

typedef struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        int8_t cVal;
        uint8_t bVal;
        int16_t iVal;
        uint16_t uiVal;
        int32_t lVal;
        uint32_t ulVal;
        int64_t llVal;
        uint64_t ullVal;
        float fltVal;
        double dblVal;
        double date;
        int64_t cyVal;   /* currency: value * 10000 */
        int16_t boolVal; /* -1 true, 0 false */
        BSTR bstrVal;
    } u;
} VARIANT;

/* Entry kinds of a network browse level (TiNetData.Kind). */
enum { IOPC2_NET_NETWORK = 0, IOPC2_NET_DOMAIN = 1, IOPC2_NET_COMPUTER = 2, IOPC2_NET_ROOT = 3, IOPC2_NET_IGNORE = 4 };

/* Which names a browse call returns (EditorItemGetBranchItems). */
enum { IOPC2_BROWSE_BRANCH = 0, IOPC2_BROWSE_LEAF = 1, IOPC2_BROWSE_FLAT = 2 };

/* One entry of a network browse level; the four numbers and texts of a network resource. */
/* Packed: copy its fields by value; a reference to a pointer field would be misaligned. */
#pragma pack(push, 1)
typedef struct TiNetData {
    uint8_t Valid; /* 0: the top level of the network; 1: the entry named below */
    uint8_t Kind;  /* an IOPC2_NET_ kind */
    int32_t Scope;
    int32_t Type;
    int32_t DisplayType;
    int32_t Usage;
    char* LocalName;  /* zero-terminated 8-bit texts; those the library hands out stay */
    char* RemoteName; /* valid until the session's branch is closed or opened again */
    char* Comment;
    char* Provider;
} TiNetData;
#pragma pack(pop)

/* One OPC server of a computer. Name is malloc'ed by the library and owned by the receiver. */
typedef struct TiServerData {
    char* Name;
    int32_t IconIndex;
} TiServerData;

typedef struct TGUID {
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];
} TGUID;

/* Callback tables: function pointers in slot order. The library never counts references. */
typedef struct IOPCSignalUpdate IOPCSignalUpdate;
typedef struct IOPCSignalUpdateVtbl {
    int32_t (*QueryInterface)(IOPCSignalUpdate* self, const TGUID* iid, void** obj);
    int32_t (*AddRef)(IOPCSignalUpdate* self);
    int32_t (*Release)(IOPCSignalUpdate* self);
    int32_t (*QueryInterface2)(IOPCSignalUpdate* self, const TGUID* iid, void** obj);
    int32_t (*AddRef2)(IOPCSignalUpdate* self);
    int32_t (*Release2)(IOPCSignalUpdate* self);
    void (*NewData)(IOPCSignalUpdate* self, int32_t handle);
} IOPCSignalUpdateVtbl;
struct IOPCSignalUpdate {
    const IOPCSignalUpdateVtbl* lpVtbl;
};

typedef struct IOPCGroupUpdate IOPCGroupUpdate;
typedef struct IOPCGroupUpdateVtbl {
    int32_t (*QueryInterface)(IOPCGroupUpdate* self, const TGUID* iid, void** obj);
    int32_t (*AddRef)(IOPCGroupUpdate* self);
    int32_t (*Release)(IOPCGroupUpdate* self);
    int32_t (*QueryInterface2)(IOPCGroupUpdate* self, const TGUID* iid, void** obj);
    int32_t (*AddRef2)(IOPCGroupUpdate* self);
    int32_t (*Release2)(IOPCGroupUpdate* self);
    void (*BeforeUpdate)(IOPCGroupUpdate* self, int32_t handle);
    void (*AfterUpdate)(IOPCGroupUpdate* self, int32_t handle);
} IOPCGroupUpdateVtbl;
struct IOPCGroupUpdate {
    const IOPCGroupUpdateVtbl* lpVtbl;
};

/* 7F440F9E-2014-4D28-8C84-83B938DBACC0 and A2E9253A-E335-4D6E-A298-CFA504F5B837 */
static const TGUID IID_IOPCSignalUpdate = {
    0x7F440F9Eu, 0x2014, 0x4D28, {0x8C, 0x84, 0x83, 0xB9, 0x38, 0xDB, 0xAC, 0xC0}};
static const TGUID IID_IOPCGroupUpdate = {
    0xA2E9253Au, 0xE335, 0x4D6E, {0xA2, 0x98, 0xCF, 0xA5, 0x04, 0xF5, 0xB8, 0x37}};

/* BSTR helpers (inline so both sides allocate and free alike). */
static inline BSTR BstrAllocLen(const OLECHAR* text, uint32_t length)
{
    if (length > (UINT32_MAX - 6) / 2)
        return NULL;
    char* block = (char*)malloc(4 + (size_t)length * 2 + 2);
    if (!block)
        return NULL;
    uint32_t bytes = length * 2;
    memcpy(block, &bytes, 4);
    if (length)
        memcpy(block + 4, text, (size_t)length * 2);
    memset(block + 4 + (size_t)length * 2, 0, 2);
    return (BSTR)(void*)(block + 4);
}

static inline uint32_t BstrLen(const OLECHAR* s)
{
    if (!s)
        return 0;
    uint32_t bytes;
    memcpy(&bytes, (const char*)s - 4, 4);
    return bytes / 2;
}

static inline void BstrFree(BSTR s)
{
    if (s)
        free((char*)s - 4);
}

static inline void VariantInit(VARIANT* v) { memset(v, 0, sizeof *v); }

static inline void VariantClear(VARIANT* v)
{
    if (v->vt == VT_BSTR)
        BstrFree(v->u.bstrVal);
    VariantInit(v);
}

/* Copies src into dst (cleared first); a string is duplicated. */
static inline void VariantCopy(VARIANT* dst, const VARIANT* src)
{
    VariantClear(dst);
    *dst = *src;
    if (src->vt == VT_BSTR && src->u.bstrVal)
        dst->u.bstrVal = BstrAllocLen(src->u.bstrVal, BstrLen(src->u.bstrVal));
}

/* The library's functions, as exported under these exact names. */
void SignalAdd(int32_t* Handle, BSTR ComputerName, BSTR ServerName, BSTR ItemName, BSTR GroupName, int32_t UpdateRate,
               uint8_t Suspended, VARTYPE RequestedType, IOPCSignalUpdate* Callback);
void SignalRemove(int32_t Handle);
void SignalSuspend(int32_t Handle);
void SignalResume(int32_t Handle);
void SignalGetActive(int32_t Handle, uint8_t* Active);
void SignalGetUpdateSuspended(int32_t Handle, uint8_t* Suspended);
void SignalGetGroupHandle(int32_t Handle, int32_t* GroupHandle);
void SignalSendData(int32_t Handle, VARIANT* Data);
void SignalGetDataNow(int32_t Handle);
void SignalGetData(int32_t Handle, VARIANT* Data);
void SignalGetTimeStamp(int32_t Handle, double* TimeStamp);
void SignalGetQuality(int32_t Handle, uint16_t* Quality);

int32_t EditorSessionStart(void);
void EditorSessionStop(int32_t Session);
void EditorComputerBranchOpen(int32_t Session, TiNetData NetData);
void EditorComputerBranchClose(int32_t Session);
int32_t EditorComputerBranchGetItemCount(int32_t Session);
void EditorComputerBranchGetItemData(TiNetData* NetData, int32_t Session, int32_t Index);
void EditorServerSetup(int32_t Session, BSTR ComputerName);
int32_t EditorServerGetCount(int32_t Session);
void EditorServerGetData(TiServerData* ServerData, int32_t Session, int32_t Index);
void EditorItemSetup(int32_t Session, BSTR ComputerName, BSTR ServerName);
int32_t EditorItemGetBrowseType(int32_t Session);
void EditorItemSetPath(int32_t Session, BSTR Path);
void EditorItemGetBranchItems(BSTR* Items, int32_t Session, int32_t BrowseType);
void EditorItemGetQualifiedName(BSTR* Name, int32_t Session, BSTR Path, BSTR ItemName);

void GroupAdd(int32_t* Handle, BSTR Name, BSTR ComputerName, BSTR OPCServerName, int32_t UpdateRate,
              IOPCGroupUpdate* Callback);
void GroupDelete(int32_t Handle);
void GroupResume(int32_t Handle);
void GroupSuspend(int32_t Handle);
void GroupGetCount(int32_t* Count);
void GroupGetHandleByName(BSTR Name, int32_t* Handle);
void GroupGetName(int32_t Handle, BSTR* Name);
void GroupGetComputerName(int32_t Handle, BSTR* Name);
void GroupGetOPCServerName(int32_t Handle, BSTR* Name);
void GroupGetUpdateRate(int32_t Handle, int32_t* Rate);
void GroupSetUpdateRate(int32_t Handle, int32_t Rate);
void GroupGetHandle(int32_t Index, int32_t* Handle);

void CloseAllServerConnections(void);
int32_t ServerConnectionGetCount(void);
void ServerConnectionGetName(BSTR* Name, int32_t Index);
int32_t ServerConnectionGetGroupCount(void);
void ServerConnectionGetGroupName(BSTR* Name, int32_t Index);
void ServerConnectionReconnect(BSTR Name);
void ServerConnectionDisconnect(BSTR Name);

int32_t ManagerCreated(void);
void ManagerAddItem(BSTR Name, int32_t Value);
void ManagerDestroyed(void);

void GetLastCallErrorString(BSTR* Text);

#ifdef __cplusplus
}
#endif

#endif
