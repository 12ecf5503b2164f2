// Permanent and per-thread temporary handle maps of the drawing classes.
#include "gdihandlemaps.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace afxcore {
namespace {

constexpr int kKindCount = static_cast<int>(HandleKind::Count);

typedef std::unordered_map<void*, CObject*> WrapperMap;

// Process wide and never destroyed: wrappers may unregister from static destructors or
// thread exit after this module's globals are gone.
SRWLOCK g_permanentLock = SRWLOCK_INIT;
WrapperMap& PermanentMap(HandleKind kind)
{
    static WrapperMap* maps = new WrapperMap[kKindCount];
    return maps[static_cast<int>(kind)];
}

// Detaches a temporary wrapper from its handle and deletes it; the handle stays alive.
void DeleteDetached(HandleKind kind, CObject* wrapper)
{
    switch (kind) {
    case HandleKind::GdiObject:
        static_cast<CGdiObject*>(wrapper)->m_hObject = NULL;
        break;
    case HandleKind::Dc:
        static_cast<CDC*>(wrapper)->m_hDC = NULL;
        static_cast<CDC*>(wrapper)->m_hAttribDC = NULL;
        break;
    case HandleKind::Menu:
        static_cast<CMenu*>(wrapper)->m_hMenu = NULL;
        break;
    case HandleKind::ImageList:
        static_cast<CImageList*>(wrapper)->m_hImageList = NULL;
        break;
    case HandleKind::Count:
        break;
    }
    delete wrapper;
}

struct ThreadTemporaries
{
    WrapperMap live[kKindCount];
    std::vector<CObject*> replaced[kKindCount];

    void Clear(HandleKind kind)
    {
        int index = static_cast<int>(kind);
        // Taken out first: deleting a wrapper must not meet a map being iterated.
        WrapperMap live_ = std::move(live[index]);
        std::vector<CObject*> replaced_ = std::move(replaced[index]);
        live[index].clear();
        replaced[index].clear();
        for (auto& entry : live_)
            DeleteDetached(kind, entry.second);
        for (CObject* wrapper : replaced_)
            DeleteDetached(kind, wrapper);
    }

    ~ThreadTemporaries()
    {
        for (int kind = 0; kind < kKindCount; ++kind)
            Clear(static_cast<HandleKind>(kind));
    }
};

// Per-thread storage through a fiber-local slot: its callback frees a thread's wrappers
// when the thread ends (C++ thread_local destructors in a DLL are not dependable on this
// tool chain).
void WINAPI FreeThreadTemporaries(void* temporaries)
{
    delete static_cast<ThreadTemporaries*>(temporaries);
}

ThreadTemporaries& Temporaries()
{
    static const DWORD slot = ::FlsAlloc(&FreeThreadTemporaries);
    ThreadTemporaries* temporaries = static_cast<ThreadTemporaries*>(::FlsGetValue(slot));
    if (temporaries == NULL) {
        temporaries = new ThreadTemporaries;
        ::FlsSetValue(slot, temporaries);
    }
    return *temporaries;
}

}  // namespace

void AddPermanent(HandleKind kind, void* handle, CObject* wrapper)
{
    AcquireSRWLockExclusive(&g_permanentLock);
    PermanentMap(kind)[handle] = wrapper;
    ReleaseSRWLockExclusive(&g_permanentLock);
}

void RemovePermanent(HandleKind kind, void* handle, CObject* wrapper)
{
    AcquireSRWLockExclusive(&g_permanentLock);
    WrapperMap& map = PermanentMap(kind);
    auto found = map.find(handle);
    if (found != map.end() && found->second == wrapper)
        map.erase(found);
    ReleaseSRWLockExclusive(&g_permanentLock);
}

CObject* FindPermanent(HandleKind kind, void* handle)
{
    CObject* wrapper = NULL;
    AcquireSRWLockShared(&g_permanentLock);
    WrapperMap& map = PermanentMap(kind);
    auto found = map.find(handle);
    if (found != map.end())
        wrapper = found->second;
    ReleaseSRWLockShared(&g_permanentLock);
    return wrapper;
}

CObject* FindTemporary(HandleKind kind, void* handle)
{
    WrapperMap& map = Temporaries().live[static_cast<int>(kind)];
    auto found = map.find(handle);
    return found == map.end() ? NULL : found->second;
}

void AddTemporary(HandleKind kind, void* handle, CObject* wrapper)
{
    int index = static_cast<int>(kind);
    ThreadTemporaries& temporaries = Temporaries();
    CObject*& slot = temporaries.live[index][handle];
    if (slot != NULL)
        temporaries.replaced[index].push_back(slot);
    slot = wrapper;
}

void DeleteTemporaries(HandleKind kind)
{
    Temporaries().Clear(kind);
}

CRuntimeClass* ClassForObjectType(DWORD objectType)
{
    switch (objectType) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return RUNTIME_CLASS(CPen);
    case OBJ_BRUSH:
        return RUNTIME_CLASS(CBrush);
    case OBJ_FONT:
        return RUNTIME_CLASS(CFont);
    case OBJ_BITMAP:
        return RUNTIME_CLASS(CBitmap);
    case OBJ_PAL:
        return RUNTIME_CLASS(CPalette);
    case OBJ_REGION:
        return RUNTIME_CLASS(CRgn);
    default:
        return RUNTIME_CLASS(CGdiObject);
    }
}

}  // namespace afxcore

void AFXAPI AfxDeleteTempGdiObjects()
{
    using afxcore::HandleKind;
    afxcore::DeleteTemporaries(HandleKind::GdiObject);
    afxcore::DeleteTemporaries(HandleKind::Dc);
    afxcore::DeleteTemporaries(HandleKind::Menu);
    afxcore::DeleteTemporaries(HandleKind::ImageList);
}
