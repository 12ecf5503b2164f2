// CString: reference-counted, copy-on-write multi-byte string.
#include "afx.h"
#include "mbcs.h"

#include <oleauto.h>
#include <limits.h>
#include <utility>

using namespace afxcore;

// Every empty string points here; it is never written to nor freed.
CStringNil afxNilString = {{2, 0, 0}, {0, 0, 0, 0}};

namespace {

inline CStringData* Nil() { return &afxNilString.header; }

CStringData* AllocData(int nAllocLength)
{
    if (nAllocLength < 0 || nAllocLength > INT_MAX - (int)sizeof(CStringData) - 1)
        AfxThrowMemoryException();
    CStringData* data = static_cast<CStringData*>(malloc(sizeof(CStringData) + (size_t)nAllocLength + 1));
    if (data == NULL)
        AfxThrowMemoryException();
    data->nRefs = 1;
    data->nDataLength = 0;
    data->nAllocLength = nAllocLength;
    data->data()[0] = '\0';
    return data;
}

inline int SafeLength(LPCSTR psz)
{
    return psz ? (int)strlen(psz) : 0;
}

inline bool IsAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

// A string id (MAKEINTRESOURCE style) in place of text is loaded from the resources.
inline bool IsResourceId(LPCSTR psz)
{
    return psz != NULL && IS_INTRESOURCE(psz);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Buffer management

void CString::FreeData(CStringData* data)
{
    free(data);
}

// A buffer handed out by GetBuffer/LockBuffer is never shared: the copy takes its own.
void CString::CopyLocked(const CString& other)
{
    AssignCopy(other.m_pszData, other.GetData()->nDataLength);
}

// Makes the buffer this string's own, with room for at least nLength characters, keeping
// the current text (cut to nLength).
void CString::PrepareWrite(int nLength)
{
    CStringData* data = GetData();
    bool shared = data == Nil() || data->nRefs > 1;
    if (shared)
        Fork(nLength);
    else if (data->nAllocLength < nLength)
        Reallocate(nLength);
}

void CString::Fork(int nLength)
{
    CStringData* old = GetData();
    int nKeep = old->nDataLength < nLength ? old->nDataLength : nLength;
    int nAlloc = nLength > old->nDataLength ? nLength : old->nDataLength;
    CStringData* data = AllocData(nAlloc);
    memcpy(data->data(), old->data(), (size_t)nKeep);
    data->nDataLength = nKeep;
    data->data()[nKeep] = '\0';
    Release();
    AttachData(data);
}

void CString::Reallocate(int nLength)
{
    CStringData* old = GetData();
    // Grow geometrically so repeated appends stay linear.
    int nAlloc = old->nAllocLength + old->nAllocLength / 2;
    if (nAlloc < nLength || nAlloc < 0)
        nAlloc = nLength;
    if (nAlloc > INT_MAX - (int)sizeof(CStringData) - 1)
        AfxThrowMemoryException();
    CStringData* data = static_cast<CStringData*>(realloc(old, sizeof(CStringData) + (size_t)nAlloc + 1));
    if (data == NULL)
        AfxThrowMemoryException();
    data->nAllocLength = nAlloc;
    AttachData(data);
}

void CString::SetLength(int nLength)
{
    CStringData* data = GetData();
    data->nDataLength = nLength;
    m_pszData[nLength] = '\0';
}

void CString::AssignCopy(LPCSTR pch, int nLength)
{
    if (nLength <= 0) {
        Empty();
        return;
    }
    // pch may point into this string's own buffer.
    CStringData* old = GetData();
    if (old != Nil() && pch >= m_pszData && pch <= m_pszData + old->nDataLength) {
        CString copy(pch, nLength);
        *this = std::move(copy);
        return;
    }
    if (old == Nil() || old->nRefs > 1 || old->nAllocLength < nLength) {
        CStringData* data = AllocData(nLength);
        Release();
        AttachData(data);
    }
    memcpy(m_pszData, pch, (size_t)nLength);
    SetLength(nLength);
}

void CString::ConcatInPlace(LPCSTR pch, int nLength)
{
    if (nLength <= 0)
        return;
    int nOldLength = GetLength();
    if (nLength > INT_MAX - nOldLength - 64)
        AfxThrowMemoryException();
    CStringData* old = GetData();
    if (old != Nil() && pch >= m_pszData && pch <= m_pszData + old->nDataLength) {
        CString copy(pch, nLength);   // appending a part of itself
        ConcatInPlace(copy.m_pszData, nLength);
        return;
    }
    PrepareWrite(nOldLength + nLength);
    memcpy(m_pszData + nOldLength, pch, (size_t)nLength);
    SetLength(nOldLength + nLength);
}

// ---------------------------------------------------------------------------------------
// Construction and assignment

CString::CString(LPCSTR psz)
{
    AttachData(Nil());
    if (IsResourceId(psz))
        LoadString((UINT)LOWORD((DWORD_PTR)psz));
    else
        AssignCopy(psz, SafeLength(psz));
}

CString::CString(LPCSTR pch, int nLength)
{
    AttachData(Nil());
    if (pch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    AssignCopy(pch, nLength);
}

CString::CString(LPCWSTR pwsz)
{
    AttachData(Nil());
    *this = pwsz;
}

CString::CString(LPCWSTR pwch, int nLength)
{
    AttachData(Nil());
    if (pwch == NULL || nLength <= 0)
        return;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pwch, nLength, NULL, 0, NULL, NULL);
    if (nBytes > 0) {
        LPSTR buffer = GetBuffer(nBytes);
        ::WideCharToMultiByte(CP_ACP, 0, pwch, nLength, buffer, nBytes, NULL, NULL);
        ReleaseBufferSetLength(nBytes);
    }
}

CString::CString(const unsigned char* psz)
{
    AttachData(Nil());
    AssignCopy(reinterpret_cast<LPCSTR>(psz), SafeLength(reinterpret_cast<LPCSTR>(psz)));
}

CString::CString(char ch, int nRepeat)
{
    AttachData(Nil());
    if (nRepeat > 0) {
        LPSTR buffer = GetBuffer(nRepeat);
        memset(buffer, ch, (size_t)nRepeat);
        ReleaseBufferSetLength(nRepeat);
    }
}

CString& CString::operator=(LPCSTR psz)
{
    AssignCopy(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator=(LPCWSTR pwsz)
{
    CString converted(pwsz, pwsz ? (int)wcslen(pwsz) : 0);
    *this = std::move(converted);
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    if (IsEmpty() && other.GetData()->nRefs >= 0)
        return *this = other;
    ConcatInPlace(other.m_pszData, other.GetLength());
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    ConcatInPlace(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator+=(LPCWSTR pwsz)
{
    return *this += CString(pwsz);
}

CString& CString::operator+=(char ch)
{
    ConcatInPlace(&ch, 1);
    return *this;
}

CString& CString::operator+=(unsigned char ch)
{
    return *this += (char)ch;
}

AFX_API CString AFXAPI operator+(const CString& str1, const CString& str2)
{
    CString result;
    result.Preallocate(str1.GetLength() + str2.GetLength());
    result.Append(str1);
    result.Append(str2);
    return result;
}

namespace {

// A copy of the left operand with the right one appended: every mixed concatenation.
template <class TLeft, class TRight>
CString Joined(const TLeft& left, const TRight& right)
{
    CString result(left);
    result += right;
    return result;
}

}  // namespace

AFX_API CString AFXAPI operator+(const CString& str1, LPCSTR psz2) { return Joined(str1, psz2); }
AFX_API CString AFXAPI operator+(LPCSTR psz1, const CString& str2) { return Joined(psz1, str2); }
AFX_API CString AFXAPI operator+(const CString& str1, char ch2) { return Joined(str1, ch2); }
AFX_API CString AFXAPI operator+(char ch1, const CString& str2) { return Joined(ch1, str2); }

// ---------------------------------------------------------------------------------------
// Length and access

char CString::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[iChar];
}

char CString::operator[](int iChar) const
{
    return GetAt(iChar);
}

void CString::SetAt(int iChar, char ch)
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    PrepareWrite(GetLength());
    m_pszData[iChar] = ch;
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException();
    int nLength = GetLength();
    PrepareWrite(nMinBufferLength > nLength ? nMinBufferLength : nLength);
    if (GetData() == Nil()) {   // GetBuffer(0) of an empty string: still a private buffer
        CStringData* data = AllocData(0);
        AttachData(data);
    }
    GetData()->nRefs = -1;
    return m_pszData;
}

LPSTR CString::GetBufferSetLength(int nLength)
{
    LPSTR buffer = GetBuffer(nLength);
    SetLength(nLength);
    return buffer;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CStringData* data = GetData();
    if (data == Nil())
        return;
    if (nNewLength < 0) {
        // The caller wrote a terminated string; never read past the buffer.
        const void* zero = memchr(m_pszData, 0, (size_t)data->nAllocLength + 1);
        nNewLength = zero ? (int)(static_cast<const char*>(zero) - m_pszData) : data->nAllocLength;
    }
    if (nNewLength > data->nAllocLength)
        nNewLength = data->nAllocLength;
    SetLength(nNewLength);
    data->nRefs = 1;
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    ReleaseBuffer(nNewLength);
}

LPSTR CString::LockBuffer()
{
    return GetBuffer(0);
}

void CString::UnlockBuffer()
{
    CStringData* data = GetData();
    if (data != Nil() && data->nRefs < 0)
        data->nRefs = 1;
}

void CString::FreeExtra()
{
    CStringData* data = GetData();
    if (data == Nil() || data->nAllocLength == data->nDataLength)
        return;
    CString copy(m_pszData, data->nDataLength);
    bool locked = data->nRefs < 0;
    *this = std::move(copy);
    if (locked)
        GetData()->nRefs = -1;
}

void CString::Preallocate(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength > GetData()->nAllocLength || GetData()->nRefs > 1)
        PrepareWrite(nLength > GetLength() ? nLength : GetLength());
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    if (nNewLength == GetLength())
        return;
    if (nNewLength == 0) {
        Empty();
        return;
    }
    PrepareWrite(nNewLength);
    SetLength(nNewLength);
}

int CString::GetAllocLength() const
{
    return GetData()->nAllocLength;
}

void CString::SetString(LPCSTR psz)
{
    AssignCopy(psz, SafeLength(psz));
}

void CString::SetString(LPCSTR pch, int nLength)
{
    if (pch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    AssignCopy(pch, nLength);
}

void CString::Append(LPCSTR psz)
{
    ConcatInPlace(psz, SafeLength(psz));
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (pch == NULL && nLength > 0)
        AfxThrowInvalidArgException();
    // Never copy past the terminator of pch.
    if (pch != NULL && nLength > 0) {
        const void* zero = memchr(pch, 0, (size_t)nLength);
        if (zero)
            nLength = (int)(static_cast<const char*>(zero) - pch);
    }
    ConcatInPlace(pch, nLength);
}

void CString::Append(const CString& other)
{
    *this += other;
}

void CString::AppendChar(char ch)
{
    ConcatInPlace(&ch, 1);
}

// ---------------------------------------------------------------------------------------
// Comparison

int CString::Compare(LPCSTR psz) const
{
    return strcmp(m_pszData, psz ? psz : "");
}

// ASCII letters compare without case; double-byte characters compare by their bytes.
int CString::CompareNoCase(LPCSTR psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_pszData);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    for (;;) {
        unsigned char ca = *a, cb = *b;
        bool leadA = IsLeadByte(ca) && a[1] != 0;
        bool leadB = IsLeadByte(cb) && b[1] != 0;
        if (!leadA)
            ca = (unsigned char)AsciiLower((char)ca);
        if (!leadB)
            cb = (unsigned char)AsciiLower((char)cb);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        if (leadA && leadB) {
            if (a[1] != b[1])
                return a[1] < b[1] ? -1 : 1;
            a += 2;
            b += 2;
        } else {
            ++a;
            ++b;
        }
    }
}

int CString::Collate(LPCSTR psz) const
{
    int result = ::CompareStringA(LOCALE_USER_DEFAULT, 0, m_pszData, -1, psz ? psz : "", -1);
    return result == 0 ? Compare(psz) : result - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCSTR psz) const
{
    int result = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pszData, -1,
                                  psz ? psz : "", -1);
    return result == 0 ? CompareNoCase(psz) : result - CSTR_EQUAL;
}

// ---------------------------------------------------------------------------------------
// Extraction

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - (iFirst < 0 ? 0 : iFirst));
}

CString CString::Mid(int iFirst, int nCount) const
{
    int nLength = GetLength();
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > nLength)
        iFirst = nLength;
    if (nCount > nLength - iFirst)
        nCount = nLength - iFirst;
    if (iFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pszData + iFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return Mid(nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const
{
    const char* end = m_pszData + GetLength();
    const char* p = m_pszData;
    while (p < end) {
        int n = CharSize(p, end);
        if (!CharInSet(p, n, pszCharSet ? pszCharSet : ""))
            break;
        p += n;
    }
    return Left((int)(p - m_pszData));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const
{
    const char* end = m_pszData + GetLength();
    const char* p = m_pszData;
    while (p < end) {
        int n = CharSize(p, end);
        if (CharInSet(p, n, pszCharSet ? pszCharSet : ""))
            break;
        p += n;
    }
    return Left((int)(p - m_pszData));
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    int nLength = GetLength();
    if (iStart < 0 || iStart > nLength) {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == '\0') {
        if (iStart < nLength) {
            CString rest = Mid(iStart);
            iStart = nLength;
            return rest;
        }
        iStart = -1;
        return CString();
    }
    const char* end = m_pszData + nLength;
    const char* p = m_pszData + AlignToCharStart(m_pszData, nLength, iStart);
    // Skip the delimiters before the token.
    while (p < end) {
        int n = CharSize(p, end);
        if (!CharInSet(p, n, pszTokens))
            break;
        p += n;
    }
    if (p >= end) {
        iStart = -1;
        return CString();
    }
    const char* tokenStart = p;
    int nDelimiter = 0;
    while (p < end) {
        int n = CharSize(p, end);
        if (CharInSet(p, n, pszTokens)) {
            nDelimiter = n;
            break;
        }
        p += n;
    }
    iStart = (int)(p - m_pszData) + nDelimiter;
    return CString(tokenStart, (int)(p - tokenStart));
}

// ---------------------------------------------------------------------------------------
// Changes in place

CString& CString::MakeUpper()
{
    int nLength = GetLength();
    if (nLength == 0)
        return *this;
    PrepareWrite(nLength);
    char* end = m_pszData + nLength;
    for (char* p = m_pszData; p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p >= 'a' && *p <= 'z')
            *p = (char)(*p - 'a' + 'A');
        p += n;
    }
    return *this;
}

CString& CString::MakeLower()
{
    int nLength = GetLength();
    if (nLength == 0)
        return *this;
    PrepareWrite(nLength);
    char* end = m_pszData + nLength;
    for (char* p = m_pszData; p < end;) {
        int n = CharSize(p, end);
        if (n == 1)
            *p = AsciiLower(*p);
        p += n;
    }
    return *this;
}

// Reverses the order of characters; a double-byte character keeps its byte order.
CString& CString::MakeReverse()
{
    int nLength = GetLength();
    if (nLength < 2)
        return *this;
    CString source(*this);
    PrepareWrite(nLength);
    const char* src = source.m_pszData;
    const char* end = src + nLength;
    char* dst = m_pszData + nLength;
    for (const char* p = src; p < end;) {
        int n = CharSize(p, end);
        dst -= n;
        memcpy(dst, p, (size_t)n);
        p += n;
    }
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int nLength = GetLength();
    int nCount = 0;
    for (const char* p = m_pszData, *end = m_pszData + nLength; p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p == chOld)
            ++nCount;
        p += n;
    }
    if (nCount == 0 || chOld == chNew)
        return nCount;
    PrepareWrite(nLength);
    for (char *p = m_pszData, *end = m_pszData + nLength; p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p == chOld)
            *p = chNew;
        p += n;
    }
    return nCount;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    int nOldLength = SafeLength(pszOld);
    if (nOldLength == 0)
        return 0;
    int nNewLength = SafeLength(pszNew);
    int nLength = GetLength();
    CString result;
    int nCount = 0;
    const char* end = m_pszData + nLength;
    const char* copiedUpTo = m_pszData;
    for (const char* p = m_pszData; p < end;) {
        if (end - p >= nOldLength && memcmp(p, pszOld, (size_t)nOldLength) == 0) {
            result.Append(copiedUpTo, (int)(p - copiedUpTo));
            result.ConcatInPlace(pszNew, nNewLength);
            p += nOldLength;
            copiedUpTo = p;
            ++nCount;
        } else {
            p += CharSize(p, end);
        }
    }
    if (nCount > 0) {
        result.ConcatInPlace(copiedUpTo, (int)(end - copiedUpTo));
        *this = std::move(result);
    }
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLength = GetLength();
    int nCount = 0;
    for (const char* p = m_pszData, *end = m_pszData + nLength; p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p == chRemove)
            ++nCount;
        p += n;
    }
    if (nCount == 0)
        return 0;
    PrepareWrite(nLength);
    char* end = m_pszData + nLength;
    char* dst = m_pszData;
    for (char* p = m_pszData; p < end;) {
        int n = CharSize(p, end);
        if (!(n == 1 && *p == chRemove)) {
            memmove(dst, p, (size_t)n);
            dst += n;
        }
        p += n;
    }
    SetLength((int)(dst - m_pszData));
    return nCount;
}

int CString::Insert(int iIndex, char ch)
{
    return Insert(iIndex, CString(ch));
}

int CString::Insert(int iIndex, LPCSTR psz)
{
    int nLength = GetLength();
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > nLength)
        iIndex = nLength;
    int nInsert = SafeLength(psz);
    if (nInsert == 0)
        return nLength;
    CString inserted(psz, nInsert);   // psz may point into this string
    PrepareWrite(nLength + nInsert);
    memmove(m_pszData + iIndex + nInsert, m_pszData + iIndex, (size_t)(nLength - iIndex));
    memcpy(m_pszData + iIndex, inserted.m_pszData, (size_t)nInsert);
    SetLength(nLength + nInsert);
    return nLength + nInsert;
}

int CString::Delete(int iIndex, int nCount)
{
    int nLength = GetLength();
    if (iIndex < 0)
        iIndex = 0;
    if (nCount <= 0 || iIndex >= nLength)
        return nLength;
    if (nCount > nLength - iIndex)
        nCount = nLength - iIndex;
    PrepareWrite(nLength);
    memmove(m_pszData + iIndex, m_pszData + iIndex + nCount, (size_t)(nLength - iIndex - nCount));
    SetLength(nLength - nCount);
    return nLength - nCount;
}

// ---------------------------------------------------------------------------------------
// Trimming: whole characters only

namespace {

typedef bool (*TrimTest)(const char* p, int n, const void* context);

bool IsSpaceChar(const char* p, int n, const void*)
{
    return n == 1 && IsAsciiSpace(*p);
}

bool IsTargetChar(const char* p, int n, const void* context)
{
    return n == 1 && *p == *static_cast<const char*>(context);
}

bool IsInTargets(const char* p, int n, const void* context)
{
    return CharInSet(p, n, static_cast<const char*>(context));
}

// Byte length of the leading run of trimmed characters.
int LeadingRun(const char* text, int nLength, TrimTest test, const void* context)
{
    const char* end = text + nLength;
    const char* p = text;
    while (p < end) {
        int n = CharSize(p, end);
        if (!test(p, n, context))
            break;
        p += n;
    }
    return (int)(p - text);
}

// Byte index just after the last character that is not trimmed.
int EndOfKept(const char* text, int nLength, TrimTest test, const void* context)
{
    const char* end = text + nLength;
    const char* keptEnd = text;
    for (const char* p = text; p < end;) {
        int n = CharSize(p, end);
        if (!test(p, n, context))
            keptEnd = p + n;
        p += n;
    }
    return (int)(keptEnd - text);
}

}  // namespace

CString& CString::TrimLeft()
{
    int nRun = LeadingRun(m_pszData, GetLength(), IsSpaceChar, NULL);
    if (nRun > 0)
        Delete(0, nRun);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int nRun = LeadingRun(m_pszData, GetLength(), IsTargetChar, &chTarget);
    if (nRun > 0)
        Delete(0, nRun);
    return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    if (pszTargets == NULL || *pszTargets == '\0')
        return *this;
    int nRun = LeadingRun(m_pszData, GetLength(), IsInTargets, pszTargets);
    if (nRun > 0)
        Delete(0, nRun);
    return *this;
}

CString& CString::TrimRight()
{
    int nKeep = EndOfKept(m_pszData, GetLength(), IsSpaceChar, NULL);
    if (nKeep < GetLength())
        Truncate(nKeep);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int nKeep = EndOfKept(m_pszData, GetLength(), IsTargetChar, &chTarget);
    if (nKeep < GetLength())
        Truncate(nKeep);
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    if (pszTargets == NULL || *pszTargets == '\0')
        return *this;
    int nKeep = EndOfKept(m_pszData, GetLength(), IsInTargets, pszTargets);
    if (nKeep < GetLength())
        Truncate(nKeep);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

// ---------------------------------------------------------------------------------------
// Searching: matches start on character boundaries only

int CString::Find(char ch, int iStart) const
{
    int nLength = GetLength();
    if (iStart < 0)
        iStart = 0;
    if (iStart >= nLength)
        return -1;
    const char* end = m_pszData + nLength;
    for (const char* p = m_pszData + AlignToCharStart(m_pszData, nLength, iStart); p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p == ch)
            return (int)(p - m_pszData);
        p += n;
    }
    return -1;
}

int CString::Find(LPCSTR pszSub, int iStart) const
{
    int nLength = GetLength();
    if (pszSub == NULL)
        return -1;
    if (iStart < 0)
        iStart = 0;
    if (iStart > nLength)
        return -1;
    int nSubLength = (int)strlen(pszSub);
    const char* end = m_pszData + nLength;
    for (const char* p = m_pszData + AlignToCharStart(m_pszData, nLength, iStart); p <= end;) {
        if (end - p < nSubLength)
            break;
        if (memcmp(p, pszSub, (size_t)nSubLength) == 0)
            return (int)(p - m_pszData);
        if (p == end)
            break;
        p += CharSize(p, end);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int nFound = -1;
    const char* end = m_pszData + GetLength();
    for (const char* p = m_pszData; p < end;) {
        int n = CharSize(p, end);
        if (n == 1 && *p == ch)
            nFound = (int)(p - m_pszData);
        p += n;
    }
    return nFound;
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    if (pszCharSet == NULL)
        return -1;
    const char* end = m_pszData + GetLength();
    for (const char* p = m_pszData; p < end;) {
        int n = CharSize(p, end);
        if (CharInSet(p, n, pszCharSet))
            return (int)(p - m_pszData);
        p += n;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------
// Formatting

void CString::AppendFormatV(LPCSTR pszFormat, va_list args)
{
    if (pszFormat == NULL)
        AfxThrowInvalidArgException();
    // Format into a separate buffer first: the arguments may point into this string.
    char stackBuffer[1024];
    va_list copy;
    va_copy(copy, args);
    int nNeeded = __mingw_vsnprintf(stackBuffer, sizeof(stackBuffer), pszFormat, copy);
    va_end(copy);
    if (nNeeded < 0)
        AfxThrowInvalidArgException();   // an argument could not be converted
    if (nNeeded < (int)sizeof(stackBuffer)) {
        ConcatInPlace(stackBuffer, nNeeded);
        return;
    }
    CString formatted;
    LPSTR buffer = formatted.GetBuffer(nNeeded);
    va_copy(copy, args);
    __mingw_vsnprintf(buffer, (size_t)nNeeded + 1, pszFormat, copy);
    va_end(copy);
    formatted.ReleaseBufferSetLength(nNeeded);
    ConcatInPlace(formatted.m_pszData, nNeeded);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    CString formatted;
    formatted.AppendFormatV(pszFormat, args);
    *this = std::move(formatted);
}

void AFX_CDECL CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormat(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormat(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        AfxThrowInvalidArgException();
    va_list args;
    va_start(args, nFormatID);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatMessageV(LPCSTR pszFormat, va_list* pArgList)
{
    LPSTR buffer = NULL;
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                     pszFormat, 0, 0, reinterpret_cast<LPSTR>(&buffer), 0, pArgList);
    if (buffer == NULL)
        AfxThrowMemoryException();
    SetString(buffer, (int)nLength);
    ::LocalFree(buffer);
}

void AFX_CDECL CString::FormatMessage(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatMessageV(pszFormat, &args);
    va_end(args);
}

// ---------------------------------------------------------------------------------------
// Resources and system

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size LoadStringW hands out the resource text itself (UTF-16, not
    // terminated) and its length, so a long text is never cut and no character is split.
    LPCWSTR resourceText = NULL;
    int nChars = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&resourceText), 0);
    if (nChars <= 0 || resourceText == NULL) {
        Empty();
        return FALSE;
    }
    CString loaded(resourceText, nChars);
    *this = std::move(loaded);
    return TRUE;
}

BSTR CString::AllocSysString() const
{
    int nLength = GetLength();
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, m_pszData, nLength, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, (UINT)nChars);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nChars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, m_pszData, nLength, bstr, nChars);
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    BSTR bstr = AllocSysString();
    ::SysFreeString(*pbstr);
    *pbstr = bstr;
    return bstr;
}

BOOL CString::GetEnvironmentVariable(LPCSTR pszVar)
{
    DWORD nLength = ::GetEnvironmentVariableA(pszVar, NULL, 0);
    if (nLength == 0) {
        Empty();
        return FALSE;
    }
    CString value;
    LPSTR buffer = value.GetBuffer((int)nLength);
    DWORD nCopied = ::GetEnvironmentVariableA(pszVar, buffer, nLength + 1);
    value.ReleaseBufferSetLength(nCopied <= nLength ? (int)nCopied : 0);
    *this = std::move(value);
    return TRUE;
}

void CString::AnsiToOem()
{
    int nLength = GetLength();
    if (nLength == 0)
        return;
    PrepareWrite(nLength);
    ::CharToOemBuffA(m_pszData, m_pszData, (DWORD)nLength);
}

void CString::OemToAnsi()
{
    int nLength = GetLength();
    if (nLength == 0)
        return;
    PrepareWrite(nLength);
    ::OemToCharBuffA(m_pszData, m_pszData, (DWORD)nLength);
}
