// CGdiObject: ownership of a GDI object handle and the handle maps behind FromHandle.
#include "gdihandlemaps.h"

using afxcore::HandleKind;

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::CGdiObject() : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* self = afxcore::Opaque(this);
    return self == NULL ? NULL : self->m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return afxcore::WrapperFor<CGdiObject>(
        HandleKind::GdiObject, hObject,
        [](CGdiObject* wrapper, void* h) {
            return wrapper->m_hObject == h &&
                   wrapper->GetRuntimeClass() == afxcore::ClassForObjectType(::GetObjectType(h));
        },
        [](void* h) {
            CRuntimeClass* wrapperClass = afxcore::ClassForObjectType(::GetObjectType(h));
            CGdiObject* wrapper;
            if (wrapperClass == RUNTIME_CLASS(CPen))
                wrapper = new CPen;
            else if (wrapperClass == RUNTIME_CLASS(CBrush))
                wrapper = new CBrush;
            else if (wrapperClass == RUNTIME_CLASS(CFont))
                wrapper = new CFont;
            else if (wrapperClass == RUNTIME_CLASS(CBitmap))
                wrapper = new CBitmap;
            else if (wrapperClass == RUNTIME_CLASS(CPalette))
                wrapper = new CPalette;
            else if (wrapperClass == RUNTIME_CLASS(CRgn))
                wrapper = new CRgn;
            else
                wrapper = new CGdiObject;
            wrapper->m_hObject = (HGDIOBJ)h;
            return wrapper;
        });
}

void PASCAL CGdiObject::DeleteTempMap()
{
    afxcore::DeleteTemporaries(HandleKind::GdiObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    if (m_hObject == hObject)
        return TRUE;
    // Attaching over an owned object is a programming slip; free the old one rather than
    // leak it and leave it registered to this wrapper.
    DeleteObject();
    m_hObject = hObject;
    afxcore::AddPermanent(HandleKind::GdiObject, hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        afxcore::RemovePermanent(HandleKind::GdiObject, hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
