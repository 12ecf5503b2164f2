#include "ExcelServer.h"

namespace {
// An optional argument left out.
const COleVariant& Omitted()
{
    static const COleVariant omitted(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
    return omitted;
}
}  // namespace

CExcelServer::CExcelServer() : m_bComInitialized(FALSE) {}

CExcelServer::~CExcelServer()
{
    // The drivers release their objects on their own; COM stays initialised until then.
    m_range.ReleaseDispatch();
    m_sheet.ReleaseDispatch();
    m_sheets.ReleaseDispatch();
    m_book.ReleaseDispatch();
    m_books.ReleaseDispatch();
    m_app.ReleaseDispatch();
    if (m_bComInitialized)
        ::CoUninitialize();
}

DISPID CExcelServer::MemberId(COleDispatchDriver& object, LPCWSTR name)
{
    if (object.m_lpDispatch == NULL)
        AfxThrowOleException(E_POINTER);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object.m_lpDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return id;
}

LPDISPATCH CExcelServer::GetObject(COleDispatchDriver& object, LPCWSTR name)
{
    LPDISPATCH result = NULL;
    object.InvokeHelper(MemberId(object, name), DISPATCH_PROPERTYGET, VT_DISPATCH, &result,
                        reinterpret_cast<const BYTE*>(VTS_NONE));
    if (result == NULL)
        AfxThrowOleException(E_POINTER);
    return result;
}

long CExcelServer::GetLong(COleDispatchDriver& object, LPCWSTR name)
{
    long value = 0;
    object.GetProperty(MemberId(object, name), VT_I4, &value);
    return value;
}

CString CExcelServer::GetText(COleDispatchDriver& object, LPCWSTR name)
{
    // Text is Null for a range whose cells differ; only single cells are read here.
    VARIANT value;
    ::VariantInit(&value);
    object.GetProperty(MemberId(object, name), VT_VARIANT, &value);
    CString text;
    if (value.vt != VT_NULL && value.vt != VT_EMPTY) {
        COleVariant converted(value);
        converted.ChangeType(VT_BSTR);
        int n = ::WideCharToMultiByte(CP_ACP, 0, converted.bstrVal, ::SysStringLen(converted.bstrVal), NULL, 0,
                                      NULL, NULL);
        if (n > 0) {
            ::WideCharToMultiByte(CP_ACP, 0, converted.bstrVal, ::SysStringLen(converted.bstrVal),
                                  text.GetBuffer(n), n, NULL, NULL);
            text.ReleaseBuffer(n);
        }
    }
    ::VariantClear(&value);
    return text;
}

BOOL CExcelServer::StartExcel()
{
    HRESULT hr = ::CoInitialize(NULL);
    if (SUCCEEDED(hr) && !m_bComInitialized)
        m_bComInitialized = TRUE;
    else if (SUCCEEDED(hr))
        ::CoUninitialize();  // one balance per server object
    if (!m_app.CreateDispatch("Excel.Application"))
        return FALSE;
    try {
        m_app.SetProperty(MemberId(m_app, L"Visible"), VT_BOOL, FALSE);
    } catch (CException* e) {
        e->Delete();
        m_app.ReleaseDispatch();
        return FALSE;
    }
    return TRUE;
}

void CExcelServer::QuitExcel()
{
    if (m_app.m_lpDispatch == NULL)
        return;
    try {
        m_app.InvokeHelper(MemberId(m_app, L"Quit"), DISPATCH_METHOD, VT_EMPTY, NULL,
                           reinterpret_cast<const BYTE*>(VTS_NONE));
    } catch (CException* e) {
        e->Delete();
    }
    m_app.ReleaseDispatch();
}

BOOL CExcelServer::OpenWorkbook(const CString& fileName)
{
    CloseWorkbook();
    try {
        m_books.AttachDispatch(GetObject(m_app, L"Workbooks"));
        LPDISPATCH book = NULL;
        const VARIANT* o = Omitted();
        m_books.InvokeHelper(MemberId(m_books, L"Open"), DISPATCH_METHOD, VT_DISPATCH, &book,
                             reinterpret_cast<const BYTE*>(VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
                                                               VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
                                                                   VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
                                                                       VTS_VARIANT VTS_VARIANT),
                             static_cast<LPCSTR>(fileName), o, o, o, o, o, o, o, o, o, o, o, o, o, o);
        if (book == NULL)
            AfxThrowOleException(E_POINTER);
        m_book.AttachDispatch(book);
    } catch (CException* e) {
        e->Delete();
        m_books.ReleaseDispatch();
        return FALSE;
    }
    m_strFileName = fileName;
    return TRUE;
}

void CExcelServer::CloseWorkbook()
{
    if (!m_strFileName.IsEmpty()) {
        try {
            m_book.SetProperty(MemberId(m_book, L"Saved"), VT_BOOL, TRUE);
            COleVariant name(m_strFileName);
            const VARIANT* o = Omitted();
            m_book.InvokeHelper(MemberId(m_book, L"Close"), DISPATCH_METHOD, VT_EMPTY, NULL,
                                reinterpret_cast<const BYTE*>(VTS_VARIANT VTS_VARIANT VTS_VARIANT), o,
                                static_cast<const VARIANT*>(name), o);
            m_books.InvokeHelper(MemberId(m_books, L"Close"), DISPATCH_METHOD, VT_EMPTY, NULL,
                                 reinterpret_cast<const BYTE*>(VTS_NONE));
        } catch (CException* e) {
            e->Delete();
        }
        m_book.ReleaseDispatch();
        m_books.ReleaseDispatch();
        m_strFileName.Empty();
    }
    // The sheet objects go too, even when no sheet was selected, so none outlives its book.
    ReleaseSheetObjects();
}

void CExcelServer::ReleaseSheetObjects()
{
    m_range.ReleaseDispatch();
    m_sheet.ReleaseDispatch();
    m_sheets.ReleaseDispatch();
    m_strSheetName.Empty();
}

BOOL CExcelServer::ListSheetNames(std::vector<CString>& names)
{
    names.clear();
    if (m_strFileName.IsEmpty())
        return FALSE;
    ReleaseSheetObjects();
    try {
        m_sheets.AttachDispatch(GetObject(m_book, L"Worksheets"));
        long count = GetLong(m_sheets, L"Count");
        DISPID item = MemberId(m_sheets, L"Item");
        for (long i = 1; i <= count; ++i) {
            LPDISPATCH sheet = NULL;
            m_sheets.InvokeHelper(item, DISPATCH_PROPERTYGET | DISPATCH_METHOD, VT_DISPATCH, &sheet,
                                  reinterpret_cast<const BYTE*>(VTS_I4), i);
            COleDispatchDriver driver(sheet, TRUE);
            names.push_back(GetSheetName(driver));
        }
    } catch (CException* e) {
        e->Delete();
        names.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CExcelServer::SelectSheet(const CString& name)
{
    ReleaseSheetObjects();
    if (m_strFileName.IsEmpty())
        return FALSE;
    try {
        m_sheets.AttachDispatch(GetObject(m_book, L"Worksheets"));
        long count = GetLong(m_sheets, L"Count");
        DISPID item = MemberId(m_sheets, L"Item");
        for (long i = 1; i <= count; ++i) {
            LPDISPATCH sheet = NULL;
            m_sheets.InvokeHelper(item, DISPATCH_PROPERTYGET | DISPATCH_METHOD, VT_DISPATCH, &sheet,
                                  reinterpret_cast<const BYTE*>(VTS_I4), i);
            m_sheet.AttachDispatch(sheet);
            if (GetSheetName(m_sheet) == name) {
                m_strSheetName = name;
                return TRUE;
            }
        }
    } catch (CException* e) {
        e->Delete();
    }
    m_sheet.ReleaseDispatch();
    return FALSE;
}

CString CExcelServer::GetSheetName(COleDispatchDriver& sheet) { return GetText(sheet, L"Name"); }

long CExcelServer::UsedRangeCount(LPCWSTR rowsOrColumns)
{
    try {
        m_range.AttachDispatch(GetObject(m_sheet, L"UsedRange"));
        COleDispatchDriver part(GetObject(m_range, rowsOrColumns), TRUE);
        return GetLong(part, L"Count");
    } catch (CException* e) {
        // A sheet the server cannot read is not an empty one.
        e->Delete();
        return -1;
    }
}

long CExcelServer::GetRowCount() { return UsedRangeCount(L"Rows"); }

long CExcelServer::GetColumnCount() { return UsedRangeCount(L"Columns"); }

CString CExcelServer::ColumnName(long column)
{
    CString name;
    for (; column > 0; column = (column - 1) / 26)
        name.Insert(0, static_cast<char>('A' + (column - 1) % 26));
    return name;
}

BOOL CExcelServer::ReadRow(long row, std::vector<CString>& texts, long columns)
{
    texts.clear();
    if (columns < 0)
        columns = GetColumnCount();
    try {
        DISPID range = columns > 0 && row > 0 ? MemberId(m_sheet, L"Range") : DISPID_UNKNOWN;
        for (long c = 1; c <= columns; ++c) {
            if (row == 0) {
                texts.push_back(CString());
                continue;
            }
            CString cellName;
            cellName.Format("%s%ld", static_cast<LPCSTR>(ColumnName(c)), row);
            COleVariant cell(cellName);
            LPDISPATCH cellRange = NULL;
            m_sheet.InvokeHelper(range, DISPATCH_PROPERTYGET | DISPATCH_METHOD, VT_DISPATCH, &cellRange,
                                 reinterpret_cast<const BYTE*>(VTS_VARIANT VTS_VARIANT),
                                 static_cast<const VARIANT*>(cell), static_cast<const VARIANT*>(cell));
            m_range.AttachDispatch(cellRange);
            texts.push_back(GetText(m_range, L"Text"));
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
