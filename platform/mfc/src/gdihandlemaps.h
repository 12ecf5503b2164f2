// Handle maps behind FromHandle of the drawing classes (GDI objects, DCs, menus, image
// lists). Permanent wrappers (objects the program made and attached) are registered process
// wide; temporary wrappers live per thread until AfxDeleteTempGdiObjects.
#pragma once

#include <afxgdi.h>

namespace afxcore {

enum class HandleKind { GdiObject, Dc, Menu, ImageList, Count };

void AddPermanent(HandleKind kind, void* handle, CObject* wrapper);
// Removes the registration only when it still names wrapper (another wrapper may have been
// attached to the same handle since).
void RemovePermanent(HandleKind kind, void* handle, CObject* wrapper);
CObject* FindPermanent(HandleKind kind, void* handle);

CObject* FindTemporary(HandleKind kind, void* handle);
// Registers a new temporary wrapper; one it replaces stays alive until the map is cleared,
// since callers may still hold it.
void AddTemporary(HandleKind kind, void* handle, CObject* wrapper);
// Deletes the calling thread's temporary wrappers of one kind, detached from their handles.
void DeleteTemporaries(HandleKind kind);

// What FromHandle returns: the permanent wrapper of handle when it is a T, else the thread's
// temporary T while isCurrent accepts it, else a new temporary one from make.
template <class T>
T* WrapperFor(HandleKind kind, void* handle, bool (*isCurrent)(T* wrapper, void* handle),
              T* (*make)(void* handle))
{
    if (handle == NULL)
        return NULL;
    if (T* permanent = dynamic_cast<T*>(FindPermanent(kind, handle)))
        return permanent;
    if (T* temporary = dynamic_cast<T*>(FindTemporary(kind, handle))) {
        if (isCurrent(temporary, handle))
            return temporary;
    }
    T* made = make(handle);
    AddTemporary(kind, handle, made);
    return made;
}

// The GDI object wrapper class matching an object type (OBJ_PEN -> CPen...).
CRuntimeClass* ClassForObjectType(DWORD objectType);

// FromHandle of the typed GDI wrappers.
template <class T>
T* GdiWrapperFor(HGDIOBJ handle)
{
    return WrapperFor<T>(
        HandleKind::GdiObject, handle,
        [](T* wrapper, void* h) {
            return wrapper->m_hObject == h &&
                   wrapper->GetRuntimeClass() == ClassForObjectType(::GetObjectType(h));
        },
        [](void* h) {
            T* wrapper = new T;
            wrapper->m_hObject = (HGDIOBJ)h;
            return wrapper;
        });
}

// A pointer the compiler may not assume to be non-NULL: MFC code calls GetSafeHandle and
// friends through NULL pointers and expects NULL back.
template <class T>
inline const T* Opaque(const T* p)
{
    asm("" : "+r"(p));
    return p;
}

}  // namespace afxcore
