// CString: the multi-byte (code page of the process, GBK here) string of the class layer.
// Reference counted with copy-on-write; the counter is atomic, so copies may travel between
// threads. Every byte of a string is allocated and freed inside tolvanafx.dll, so a string
// made in one module can be released in another. Searching, trimming and case changes step
// over double-byte characters as a whole: a trail byte is never taken for an ASCII one.
#pragma once

#include "afxdefs.h"
#include <stdarg.h>

// A CString handed to Format or another variadic function is passed by hidden reference in
// this compiler, not as its character pointer: make that an error instead of garbage output.
// Pass (LPCTSTR)str or str.GetString() instead.
#pragma GCC diagnostic error "-Wconditionally-supported"

// The buffer header; the characters follow it. nRefs is -1 while the buffer is handed out
// by GetBuffer/LockBuffer: such a buffer is never shared, copies take their own.
struct CStringData
{
    volatile LONG nRefs;
    int nDataLength;
    int nAllocLength;
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

// The one buffer of every empty string: never written to nor freed, so making, copying and
// dropping an empty string needs no call into the layer. Copies and releases of other
// strings only touch the counter here too; allocating and freeing stay inside the DLL.
struct CStringNil
{
    CStringData header;
    char text[4];
};
extern AFX_API CStringNil afxNilString;

class AFX_API CString
{
public:
    typedef char XCHAR;
    typedef char* PXSTR;
    typedef const char* PCXSTR;

    CString() : m_pszData(afxNilString.text) {}
    inline CString(const CString& other);
    CString(CString&& other) noexcept : m_pszData(other.m_pszData) { other.m_pszData = afxNilString.text; }
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(LPCWSTR pwsz);
    CString(LPCWSTR pwch, int nLength);
    CString(const unsigned char* psz);
    explicit CString(char ch, int nRepeat = 1);
    ~CString() { Release(); }

    inline CString& operator=(const CString& other);
    inline CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator=(LPCWSTR pwsz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(LPCWSTR pwsz);
    CString& operator+=(char ch);
    CString& operator+=(unsigned char ch);

    // Length and access (indexes count bytes, as in the multi-byte MFC)
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty() { Release(); }
    char GetAt(int iChar) const;
    void SetAt(int iChar, char ch);
    char operator[](int iChar) const;
    operator LPCSTR() const { return m_pszData; }
    LPCSTR GetString() const { return m_pszData; }

    // Direct buffer access
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufferLength);
    LPSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    LPSTR LockBuffer();
    void UnlockBuffer();
    void FreeExtra();
    void Preallocate(int nLength);
    void Truncate(int nNewLength);
    int GetAllocLength() const;

    void SetString(LPCSTR psz);
    void SetString(LPCSTR pch, int nLength);
    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void Append(const CString& other);
    void AppendChar(char ch);

    // Comparison
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;
    int CollateNoCase(LPCSTR psz) const;

    // Extraction
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Changes in place
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char chRemove);
    int Insert(int iIndex, char ch);
    int Insert(int iIndex, LPCSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);

    // Searching (result is a byte index or -1)
    int Find(char ch, int iStart = 0) const;
    int Find(LPCSTR pszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    // Formatting
    void AFX_CDECL Format(LPCSTR pszFormat, ...);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void AFX_CDECL AppendFormat(LPCSTR pszFormat, ...);
    void AFX_CDECL AppendFormat(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormatV(LPCSTR pszFormat, va_list args);
    void AFX_CDECL FormatMessage(LPCSTR pszFormat, ...);
    void FormatMessageV(LPCSTR pszFormat, va_list* pArgList);

    // Resources and system
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;
    BOOL GetEnvironmentVariable(LPCSTR pszVar);
    void AnsiToOem();
    void OemToAnsi();

    // Concatenation
    friend AFX_API CString AFXAPI operator+(const CString& str1, const CString& str2);
    friend AFX_API CString AFXAPI operator+(const CString& str1, LPCSTR psz2);
    friend AFX_API CString AFXAPI operator+(LPCSTR psz1, const CString& str2);
    friend AFX_API CString AFXAPI operator+(const CString& str1, char ch2);
    friend AFX_API CString AFXAPI operator+(char ch1, const CString& str2);

private:
    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pszData) - 1; }
    bool IsNil() const { return m_pszData == afxNilString.text; }
    inline void Release();
    static void FreeData(CStringData* data);
    void CopyLocked(const CString& other);
    void AttachData(CStringData* data) { m_pszData = data->data(); }
    void PrepareWrite(int nLength);
    void Reallocate(int nLength);
    void SetLength(int nLength);
    void Fork(int nLength);
    void AssignCopy(LPCSTR pch, int nLength);
    void ConcatInPlace(LPCSTR pch, int nLength);

    LPSTR m_pszData;
};

typedef CString CStringA;

inline CString::CString(const CString& other)
{
    CStringData* data = other.GetData();
    if (other.IsNil() || data->nRefs < 0) {
        m_pszData = afxNilString.text;
        if (!other.IsNil())
            CopyLocked(other);
    } else {
        InterlockedIncrement(&data->nRefs);
        m_pszData = other.m_pszData;
    }
}

inline CString& CString::operator=(const CString& other)
{
    if (m_pszData == other.m_pszData)
        return *this;
    CStringData* data = other.GetData();
    if (other.IsNil()) {
        Release();
    } else if (data->nRefs < 0) {
        CopyLocked(other);
    } else {
        InterlockedIncrement(&data->nRefs);
        Release();
        m_pszData = other.m_pszData;
    }
    return *this;
}

inline CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pszData = other.m_pszData;
        other.m_pszData = afxNilString.text;
    }
    return *this;
}

inline void CString::Release()
{
    if (IsNil())
        return;
    CStringData* data = GetData();
    if (data->nRefs < 0 || InterlockedDecrement(&data->nRefs) == 0)
        FreeData(data);
    m_pszData = afxNilString.text;
}

// Comparisons: by bytes, as strcmp
inline bool operator==(const CString& s1, const CString& s2) { return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator==(const CString& s1, char ch) { return s1.GetLength() == 1 && s1[0] == ch; }
inline bool operator==(char ch, const CString& s2) { return s2.GetLength() == 1 && s2[0] == ch; }
inline bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
inline bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator!=(const CString& s1, char ch) { return !(s1 == ch); }
inline bool operator!=(char ch, const CString& s2) { return !(s2 == ch); }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// Field iSubString of lpszFullString, fields separated by chSep (counted from 0). FALSE and
// an empty string when there are fewer fields. A separator byte inside a double-byte
// character does not split.
AFX_API BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString,
                                        int iSubString, TCHAR chSep = '\n');

// TRUE when byte ch starts a double-byte character in the process code page.
AFX_API BOOL AFXAPI AfxIsDBCSLeadByte(BYTE ch);

