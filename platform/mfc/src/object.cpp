// CObject and CRuntimeClass.
#include "afxobj.h"

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL, NULL};

CObject::CObject()
{
}

CObject::~CObject()
{
}

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return _RUNTIME_CLASS(CObject);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return _RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext&) const
{
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->GetBaseClass()) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}
