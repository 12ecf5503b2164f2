// The fixed-type collections (CStringArray, CPtrArray, CMapStringToString, ...), built on the
// templates of afxtempl.h so they behave exactly like them.
#pragma once

#include "afxtempl.h"

class CStringArray : public CArray<CString, LPCTSTR>
{
public:
    INT_PTR Add(LPCTSTR newElement) { return CArray<CString, LPCTSTR>::Add(newElement); }
    INT_PTR Add(const CString& newElement)
    {
        // Shares the buffer instead of copying the characters; the copy is taken first
        // because newElement may be an element of this array.
        CString copy(newElement);
        INT_PTR nIndex = GetSize();
        SetSize(nIndex + 1);
        m_pData[nIndex] = std::move(copy);
        return nIndex;
    }
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};

class CStringList : public CList<CString, LPCTSTR>
{
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
};
class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};
class CObList : public CList<CObject*, CObject*>
{
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

// The maps name their key and value types so CTypedPtrMap can convert.
#define TOLVAN_DECLARE_MAP(name, key, arg_key, value, arg_value) \
    class name : public CMap<key, arg_key, value, arg_value> \
    { \
    public: \
        typedef key BASE_KEY; \
        typedef arg_key BASE_ARG_KEY; \
        typedef value BASE_VALUE; \
        typedef arg_value BASE_ARG_VALUE; \
        explicit name(INT_PTR nBlockSize = 10) : CMap<key, arg_key, value, arg_value>(nBlockSize) {} \
    };

TOLVAN_DECLARE_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR)
TOLVAN_DECLARE_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*)
TOLVAN_DECLARE_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*)
TOLVAN_DECLARE_MAP(CMapPtrToPtr, void*, void*, void*, void*)
TOLVAN_DECLARE_MAP(CMapPtrToWord, void*, void*, WORD, WORD)
TOLVAN_DECLARE_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
TOLVAN_DECLARE_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)

#undef TOLVAN_DECLARE_MAP
