// Collection templates: CArray (growable array), CList (doubly linked list, walked with
// POSITION), CMap (hash table) and the typed-pointer wrappers. Header-only, so each module
// instantiates what it uses; elements are real C++ objects (constructed, copied, destroyed).
#pragma once

#include "afxdefs.h"
#include "afxobj.h"
#include "afxstr.h"
#include <new>
#include <utility>
#include <type_traits>

#ifndef _AFX_POSITION_DEFINED
#define _AFX_POSITION_DEFINED
struct __POSITION {};
typedef __POSITION* POSITION;
#endif

#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION ((POSITION)-1L)
#endif

// ---------------------------------------------------------------------------------------
// Element helpers (may be specialised by users, as in MFC)

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    typedef typename std::decay<ARG_KEY>::type K;
    if constexpr (std::is_pointer<K>::value) {
        return (UINT)(((DWORD_PTR)key) >> 4);
    } else if constexpr (std::is_integral<K>::value || std::is_enum<K>::value) {
        unsigned long long value = (unsigned long long)key;
        return (UINT)(value ^ (value >> 32));
    } else {
        return (UINT)(DWORD_PTR)key;
    }
}

// Strings hash by their bytes.
inline UINT AfxHashStringKey(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL) {
        while (*key)
            nHash = (nHash << 5) + nHash + (BYTE)*key++;
    }
    return nHash;
}
template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) { return AfxHashStringKey(key); }
template <> inline UINT AFXAPI HashKey<LPSTR>(LPSTR key) { return AfxHashStringKey(key); }
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return AfxHashStringKey(key); }
template <> inline UINT AFXAPI HashKey<CString>(CString key) { return AfxHashStringKey(key); }

// ---------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(-1) {}
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // Elements beyond a shrinking size are destroyed, new ones value-initialised.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nNewSize > m_nMaxSize)
            Grow(nNewSize);
        for (INT_PTR i = m_nSize; i < nNewSize; ++i)
            ::new ((void*)(m_pData + i)) TYPE();
        for (INT_PTR i = nNewSize; i < m_nSize; ++i)
            (m_pData + i)->~TYPE();
        m_nSize = nNewSize;
    }
    void RemoveAll()
    {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            (m_pData + i)->~TYPE();
        ::operator delete((void*)m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
    }
    void FreeExtra()
    {
        if (m_nSize != m_nMaxSize)
            Reallocate(m_nSize);
    }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= m_nSize) {
            TYPE copy(newElement);   // newElement may live in this array
            SetSize(nIndex + 1);
            m_pData[nIndex] = std::move(copy);
        } else {
            m_pData[nIndex] = newElement;
        }
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = m_nSize;
        INT_PTR nCount = src.m_nSize;
        SetSize(m_nSize + nCount);
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nOldSize + i] = src.m_pData[i];   // src may be *this: its first part is stable
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (nIndex >= m_nSize) {
            SetSize(nIndex + nCount);
        } else {
            INT_PTR nOldSize = m_nSize;
            SetSize(m_nSize + nCount);
            for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = copy;
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == NULL || pNewArray->GetSize() == 0)
            return;
        CArray copy;
        copy.Copy(*pNewArray);
        InsertAt(nStartIndex, copy.GetAt(0), copy.GetSize());
        for (INT_PTR i = 0; i < copy.GetSize(); ++i)
            SetAt(nStartIndex + i, copy.GetAt(i));
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
            AfxThrowInvalidArgException();
        for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
            m_pData[i - nCount] = std::move(m_pData[i]);
        SetSize(m_nSize - nCount);
    }

    virtual void Serialize(CArchive&) {}

protected:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Grow(INT_PTR nMinSize)
    {
        // Grow by at least an eighth of the size (and at least 4 elements), whatever step was
        // asked for: a fixed step makes filling an array element by element quadratic, and
        // every reader that splits a text from outside would inherit that.
        INT_PTR nGrowBy = m_nSize / 8;
        if (nGrowBy < 4)
            nGrowBy = 4;
        if (m_nGrowBy > nGrowBy)
            nGrowBy = m_nGrowBy;
        INT_PTR nNewMax = m_nMaxSize + nGrowBy;
        Reallocate(nMinSize > nNewMax ? nMinSize : nNewMax);
    }
    void Reallocate(INT_PTR nNewMax)
    {
        TYPE* pNewData = nNewMax > 0 ? (TYPE*)::operator new(sizeof(TYPE) * (size_t)nNewMax) : NULL;
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new ((void*)(pNewData + i)) TYPE(std::move(m_pData[i]));
            (m_pData + i)->~TYPE();
        }
        ::operator delete((void*)m_pData);
        m_pData = pNewData;
        m_nMaxSize = nNewMax;
    }

    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;
};

// ---------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode : public __POSITION
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
        explicit CNode(ARG_TYPE value) : pNext(NULL), pPrev(NULL), data(value) {}
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0)
    {
        (void)nBlockSize;
    }
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { CheckNotEmpty(); return m_pNodeHead->data; }
    const TYPE& GetHead() const { CheckNotEmpty(); return m_pNodeHead->data; }
    TYPE& GetTail() { CheckNotEmpty(); return m_pNodeTail->data; }
    const TYPE& GetTail() const { CheckNotEmpty(); return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CheckNotEmpty();
        TYPE value = m_pNodeHead->data;
        FreeNode(m_pNodeHead);
        return value;
    }
    TYPE RemoveTail()
    {
        CheckNotEmpty();
        TYPE value = m_pNodeTail->data;
        FreeNode(m_pNodeTail);
        return value;
    }
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(NULL, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(NULL, newElement); }
    void AddHead(CList* pNewList)
    {
        CList copy;
        for (CNode* p = pNewList->m_pNodeHead; p != NULL; p = p->pNext)
            copy.AddTail(p->data);
        for (CNode* p = copy.m_pNodeTail; p != NULL; p = p->pPrev)
            AddHead(p->data);
    }
    void AddTail(CList* pNewList)
    {
        CList copy;
        for (CNode* p = pNewList->m_pNodeHead; p != NULL; p = p->pNext)
            copy.AddTail(p->data);
        for (CNode* p = copy.m_pNodeHead; p != NULL; p = p->pNext)
            AddTail(p->data);
    }
    void RemoveAll()
    {
        CNode* p = m_pNodeHead;
        while (p != NULL) {
            CNode* pNext = p->pNext;
            delete p;
            p = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return m_pNodeHead; }
    POSITION GetTailPosition() const { return m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = p->pNext;
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = p->pNext;
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = p->pPrev;
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = p->pPrev;
        return p->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode(Node(position)); }

    // position NULL: at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNew = new CNode(newElement);
        CNode* pOld = position ? Node(position) : m_pNodeHead;
        if (pOld == NULL) {
            m_pNodeHead = m_pNodeTail = pNew;
        } else {
            pNew->pPrev = pOld->pPrev;
            pNew->pNext = pOld;
            if (pOld->pPrev)
                pOld->pPrev->pNext = pNew;
            else
                m_pNodeHead = pNew;
            pOld->pPrev = pNew;
        }
        ++m_nCount;
        return pNew;
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pNew = new CNode(newElement);
        CNode* pOld = position ? Node(position) : m_pNodeTail;
        if (pOld == NULL) {
            m_pNodeHead = m_pNodeTail = pNew;
        } else {
            pNew->pNext = pOld->pNext;
            pNew->pPrev = pOld;
            if (pOld->pNext)
                pOld->pNext->pPrev = pNew;
            else
                m_pNodeTail = pNew;
            pOld->pNext = pNew;
        }
        ++m_nCount;
        return pNew;
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
        for (; p != NULL; p = p->pNext) {
            if (CompareElements<TYPE>(&p->data, &searchValue))
                return p;
        }
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex-- > 0)
            p = p->pNext;
        return p;
    }

    virtual void Serialize(CArchive&) {}

protected:
    static CNode* Node(POSITION position)
    {
        if (position == NULL)
            AfxThrowInvalidArgException();
        return static_cast<CNode*>(position);
    }
    void CheckNotEmpty() const
    {
        if (m_pNodeHead == NULL)
            AfxThrowInvalidArgException();
    }
    void FreeNode(CNode* p)
    {
        if (p->pPrev)
            p->pPrev->pNext = p->pNext;
        else
            m_pNodeHead = p->pNext;
        if (p->pNext)
            p->pNext->pPrev = p->pPrev;
        else
            m_pNodeTail = p->pPrev;
        delete p;
        --m_nCount;
    }

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
};

// ---------------------------------------------------------------------------------------

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;
    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair, public __POSITION
    {
    public:
        CAssoc* pNext;
        UINT nHashValue;
        CAssoc(ARG_KEY keyval, UINT hash) : CPair(keyval), pNext(NULL), nHashValue(hash) {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0)
    {
        (void)nBlockSize;
    }
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = FindAssoc(key);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return FindAssoc(key); }
    CPair* PLookup(ARG_KEY key) { return FindAssoc(key); }

    VALUE& operator[](ARG_KEY key)
    {
        CAssoc* pAssoc = FindAssoc(key);
        if (pAssoc == NULL)
            pAssoc = NewAssoc(key);
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == NULL)
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** ppPrev = &m_pHashTable[nHash % m_nHashTableSize];
        for (CAssoc* p = *ppPrev; p != NULL; ppPrev = &p->pNext, p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements(&p->key, &key)) {
                *ppPrev = p->pNext;
                delete p;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable != NULL) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                CAssoc* p = m_pHashTable[i];
                while (p != NULL) {
                    CAssoc* pNext = p->pNext;
                    delete p;
                    p = pNext;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
    }

    // Positions walk the table bucket by bucket; the order is unspecified.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc = AssocAt(rNextPosition);
        rKey = pAssoc->key;
        rValue = pAssoc->value;
        rNextPosition = NextAfter(pAssoc);
    }
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return FirstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const
    {
        return pAssocRet ? NextAfter(static_cast<const CAssoc*>(pAssocRet)) : NULL;
    }
    CPair* PGetNextAssoc(const CPair* pAssocRet)
    {
        return pAssocRet ? NextAfter(static_cast<const CAssoc*>(pAssocRet)) : NULL;
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; only takes effect while the map is empty (as in MFC).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || hashSize == 0)
            return;
        delete[] m_pHashTable;
        m_pHashTable = NULL;
        m_nHashTableSize = hashSize;
        if (bAllocNow)
            AllocTable();
    }

    virtual void Serialize(CArchive&) {}

protected:
    void AllocTable()
    {
        m_pHashTable = new CAssoc*[m_nHashTableSize];
        for (UINT i = 0; i < m_nHashTableSize; ++i)
            m_pHashTable[i] = NULL;
    }
    CAssoc* FindAssoc(ARG_KEY key) const
    {
        if (m_pHashTable == NULL)
            return NULL;
        UINT nHash = HashKey<ARG_KEY>(key);
        for (CAssoc* p = m_pHashTable[nHash % m_nHashTableSize]; p != NULL; p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements(&p->key, &key))
                return p;
        }
        return NULL;
    }
    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (m_pHashTable == NULL)
            AllocTable();
        UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc* pAssoc = new CAssoc(key, nHash);
        CAssoc*& bucket = m_pHashTable[nHash % m_nHashTableSize];
        pAssoc->pNext = bucket;
        bucket = pAssoc;
        ++m_nCount;
        return pAssoc;
    }
    CAssoc* FirstAssoc() const
    {
        if (m_pHashTable == NULL)
            return NULL;
        for (UINT i = 0; i < m_nHashTableSize; ++i) {
            if (m_pHashTable[i] != NULL)
                return m_pHashTable[i];
        }
        return NULL;
    }
    CAssoc* NextAfter(const CAssoc* pAssoc) const
    {
        if (pAssoc->pNext != NULL)
            return pAssoc->pNext;
        for (UINT i = pAssoc->nHashValue % m_nHashTableSize + 1; i < m_nHashTableSize; ++i) {
            if (m_pHashTable[i] != NULL)
                return m_pHashTable[i];
        }
        return NULL;
    }
    CAssoc* AssocAt(POSITION position) const
    {
        if (position == NULL)
            AfxThrowInvalidArgException();
        CAssoc* pAssoc = position == BEFORE_START_POSITION ? FirstAssoc() : static_cast<CAssoc*>(position);
        if (pAssoc == NULL)
            AfxThrowInvalidArgException();
        return pAssoc;
    }

    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
};

// ---------------------------------------------------------------------------------------
// Typed wrappers over the pointer collections (CPtrArray, CObList, CMapStringToPtr...)

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray<BASE_CLASS, TYPE>* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value;
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key;
        typename BASE_CLASS::BASE_VALUE value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};
