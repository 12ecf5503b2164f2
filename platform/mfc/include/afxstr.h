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

struct CStringData;

class AFX_API CString
{
public:
    typedef char XCHAR;
    typedef char* PXSTR;
    typedef const char* PCXSTR;

    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(LPCWSTR pwsz);
    CString(LPCWSTR pwch, int nLength);
    CString(const unsigned char* psz);
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
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
    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
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
    CStringData* GetData() const;
    void Release();
    void AttachData(CStringData* data);
    void PrepareWrite(int nLength);
    void Reallocate(int nLength);
    void SetLength(int nLength);
    void Fork(int nLength);
    void AssignCopy(LPCSTR pch, int nLength);
    void ConcatInPlace(LPCSTR pch, int nLength);

    LPSTR m_pszData;
};

typedef CString CStringA;

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

