#include <gtest/gtest.h>

#include "ExcelServer.h"

// Texts here are in the program's code page (GBK), as the reader returns them.
namespace {
const CString kDir = "workbooks\\";

typedef HRESULT(WINAPI* ServerEntry)();

// Registers (or unregisters) our automation server as "Excel.Application" in the prefix.
bool CallServerEntry(const char* entry)
{
    HMODULE server = ::LoadLibraryA("TolvanExcel.dll");
    if (server == NULL)
        return false;
    ServerEntry call = reinterpret_cast<ServerEntry>(::GetProcAddress(server, entry));
    bool ok = call != NULL && SUCCEEDED(call());
    ::FreeLibrary(server);
    return ok;
}

class ExcelServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CallServerEntry("DllRegisterServer")); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ExcelServerEnvironment);

std::vector<CString> Row(std::initializer_list<const char*> texts)
{
    std::vector<CString> row(texts.begin(), texts.end());
    row.resize(12);
    return row;
}
}  // namespace

TEST(ReadExcelSheetTest, FirstSheetIsReadAsDisplayedInTwelveColumns)
{
    CString sheet;
    std::vector<std::vector<CString>> rows;
    ASSERT_EQ(0, ReadExcelSheet(kDir + "shared.xlsx", sheet, rows));
    EXPECT_EQ(CString("策略表"), sheet);  // the first sheet's name is given back
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(Row({"序号", "有效", "状态", "名称", "策略"}), rows[0]);
    EXPECT_EQ(Row({"1", "行内 字", "开启", "跟单一", "A|B|C"}), rows[1]);
    // Column M lies past L and is not read.
    EXPECT_EQ(Row({"2.5", "0.333333333", "1.23457E+11", "0.3", "-1.5", "1E-10", "1E+11", "-1234567.89",
                   "12345678901", "TRUE", "0", "1E+15"}),
              rows[2]);
    EXPECT_EQ(Row({"2024-01-05 13:07:09", "2023-12-31", "2024年2月29日", "2024/3/9", "9:30 AM", "45000.75"}),
              rows[3]);
}

TEST(ReadExcelSheetTest, NamedSheetIsSelected)
{
    CString sheet = "Offset";
    std::vector<std::vector<CString>> rows;
    ASSERT_EQ(0, ReadExcelSheet(kDir + "strategies.xlsx", sheet, rows));
    EXPECT_EQ(CString("Offset"), sheet);
    ASSERT_EQ(4u, rows.size());  // the used range B2:D5 has four rows; cells are read from A1
    EXPECT_EQ(Row({"", "x"}), rows[1]);
}

TEST(ReadExcelSheetTest, FailuresGiveTheirResultAndNoRows)
{
    struct Case {
        const char* file;
        const char* sheet;
        int result;
    } cases[] = {
        {"missing.xlsx", "", 1},
        {"legacy.xls", "", 3},  // needs a real Excel
        {"notzip.xlsx", "", 3},
        {"strategies.xlsx", "NoSuchSheet", 4},
        // damaged or hostile workbooks are refused, not read as empty or as other texts
        {"bomb.xlsx", "", 3},
        {"pastxfd.xlsx", "", 3},
        {"badindex.xlsx", "", 3},
        {"pastindex.xlsx", "", 3},
        {"badrow.xlsx", "", 3},
        {"wholesheet.xlsx", "", 3},  // a million rows is no strategy sheet
    };
    for (const Case& c : cases) {
        CString sheet = c.sheet;
        std::vector<std::vector<CString>> rows(1, Row({"stale"}));
        EXPECT_EQ(c.result, ReadExcelSheet(kDir + c.file, sheet, rows)) << c.file;
        EXPECT_TRUE(rows.empty()) << c.file;
    }
}

// Opening a workbook of 64 sheets that each name one part of 16 MiB reads no sheet: the list
// of names and the sheet asked for are all that is read.
TEST(ReadExcelSheetTest, OnlyTheSheetAskedForIsRead)
{
    for (const char* name : {"", "S40"}) {
        CString sheet = name;
        std::vector<std::vector<CString>> rows;
        ASSERT_EQ(0, ReadExcelSheet(kDir + "onepart.xlsx", sheet, rows)) << name;
        EXPECT_EQ(CString(*name ? name : "S0"), sheet);
        EXPECT_EQ(std::vector<std::vector<CString>>{Row({"first"})}, rows) << name;
    }
}

namespace {
// Invokes a member by name; the object it returns (or VT_EMPTY), and the dispatch error's
// code in *error when the server raised one.
COleVariant CallByName(COleDispatchDriver& object, LPCWSTR member, const VARIANT* argument = NULL,
                       SCODE* error = NULL)
{
    DISPID id;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    COleVariant result;
    if (object.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id) != S_OK)
        return result;
    try {
        if (argument != NULL)
            object.InvokeHelper(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, VT_VARIANT, &result,
                                reinterpret_cast<const BYTE*>(VTS_VARIANT), argument);
        else
            object.InvokeHelper(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, VT_VARIANT, &result, NULL);
    } catch (COleDispatchException* e) {
        if (error != NULL)
            *error = COleException::Process(e);
        e->Delete();
    }
    return result;
}

// The object a call returned, with its reference handed to the caller.
LPDISPATCH ObjectOf(COleVariant value)
{
    if (value.vt != VT_DISPATCH)
        return NULL;
    LPDISPATCH object = value.pdispVal;
    value.vt = VT_EMPTY;
    return object;
}
}  // namespace

// The cells of the whole sheet do not fit a count: the server raises an error rather than
// answer a count that wrapped to 0.
TEST(ReadExcelSheetTest, ACountPastThirtyOneBitsIsAnError)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(NULL)));
    {
        COleDispatchDriver app;
        ASSERT_TRUE(app.CreateDispatch("Excel.Application"));
        COleDispatchDriver books(ObjectOf(CallByName(app, L"Workbooks")), TRUE);
        COleVariant path(kDir + "wholesheet.xlsx");
        COleDispatchDriver book(ObjectOf(CallByName(books, L"Open", &path)), TRUE);
        ASSERT_NE(LPDISPATCH(NULL), book.m_lpDispatch);
        COleDispatchDriver sheets(ObjectOf(CallByName(book, L"Worksheets")), TRUE);
        COleVariant first((long)1);
        COleDispatchDriver sheet(ObjectOf(CallByName(sheets, L"Item", &first)), TRUE);
        COleDispatchDriver used(ObjectOf(CallByName(sheet, L"UsedRange")), TRUE);
        ASSERT_NE(LPDISPATCH(NULL), used.m_lpDispatch);
        COleDispatchDriver rows(ObjectOf(CallByName(used, L"Rows")), TRUE);
        EXPECT_EQ(1048576, CallByName(rows, L"Count").lVal);
        SCODE error = S_OK;
        const COleVariant count = CallByName(used, L"Count", NULL, &error);
        EXPECT_EQ(DISP_E_EXCEPTION, error) << "a count of " << count.lVal;
    }
    ::CoUninitialize();
}

TEST(ReadExcelSheetTest, WithoutExcelTheReaderSaysItCannotStart)
{
    ASSERT_TRUE(CallServerEntry("DllUnregisterServer"));
    CString sheet;
    std::vector<std::vector<CString>> rows;
    int result = ReadExcelSheet(kDir + "strategies.xlsx", sheet, rows);
    ASSERT_TRUE(CallServerEntry("DllRegisterServer"));
    EXPECT_EQ(2, result);
}

// The server's own error reaches the caller as a COleDispatchException with its description.
TEST(ReadExcelSheetTest, ServerErrorsArriveAsDispatchExceptions)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(NULL)));
    {
        COleDispatchDriver app;
        ASSERT_TRUE(app.CreateDispatch("Excel.Application"));
        LPDISPATCH books = NULL;
        DISPID id;
        LPOLESTR name = const_cast<LPOLESTR>(L"Workbooks");
        ASSERT_EQ(S_OK, app.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
        app.GetProperty(id, VT_DISPATCH, &books);
        COleDispatchDriver workbooks(books);
        name = const_cast<LPOLESTR>(L"open");  // names resolve case-insensitively
        ASSERT_EQ(S_OK, workbooks.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
        LPDISPATCH book = NULL;
        CString description;
        try {
            workbooks.InvokeHelper(id, DISPATCH_METHOD, VT_DISPATCH, &book, reinterpret_cast<const BYTE*>(VTS_BSTR),
                                   static_cast<LPCSTR>(kDir + "legacy.xls"));
        } catch (COleDispatchException* e) {
            description = e->m_strDescription;
            EXPECT_EQ(DISP_E_EXCEPTION, COleException::Process(e));
            e->Delete();
        }
        EXPECT_EQ(NULL, book);
        EXPECT_NE(-1, description.Find("legacy.xls")) << static_cast<LPCSTR>(description);
        name = const_cast<LPOLESTR>(L"NoSuchMember");
        EXPECT_EQ(DISP_E_UNKNOWNNAME, workbooks.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    }
    ::CoUninitialize();
}

namespace {

// HKEY_CLASSES_ROOT of this process redirected to a scratch key while it lives, so the
// server's registration can be watched without touching the prefix's classes.
class ScratchClassesRoot {
public:
    ScratchClassesRoot()
    {
        m_path.Format("Software\\TolvanTest\\Classes-%lu", ::GetCurrentProcessId());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
        m_overridden = m_key != NULL && ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_key) == ERROR_SUCCESS;
    }
    ~ScratchClassesRoot()
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        if (m_key != NULL)
            ::RegCloseKey(m_key);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
    }
    bool Ready() const { return m_overridden; }

private:
    CString m_path;
    HKEY m_key = NULL;
    bool m_overridden = false;
};

// The default value of a key of the classes root; "(none)" when the key is missing.
CString ClassesValue(const char* path)
{
    char value[256] = {0};
    DWORD size = sizeof(value);
    if (::RegGetValueA(HKEY_CLASSES_ROOT, path, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "(none)";
    return value;
}

}  // namespace

// On a PC with Excel, "Excel.Application" is Excel's: registering and unregistering our server
// leave it alone. Where nobody holds the name, ours takes it and gives it back.
TEST(ExcelServerRegistrationTest, TheNameIsTakenOnlyWhereNoOtherServerHoldsIt)
{
    ScratchClassesRoot classes;
    ASSERT_TRUE(classes.Ready());
    const char kExcel[] = "{00024500-0000-0000-C000-000000000046}";
    const char kOurs[] = "{6C1B4F0E-3A7D-4E52-9B8A-2F5D7C1E9A43}";
    ::RegSetValueA(HKEY_CLASSES_ROOT, "Excel.Application", REG_SZ, "Microsoft Excel Application", 0);
    ::RegSetValueA(HKEY_CLASSES_ROOT, "Excel.Application\\CLSID", REG_SZ, kExcel, 0);

    ASSERT_TRUE(CallServerEntry("DllRegisterServer"));
    EXPECT_EQ(CString(kExcel), ClassesValue("Excel.Application\\CLSID"));
    EXPECT_EQ(CString("Microsoft Excel Application"), ClassesValue("Excel.Application"));
    EXPECT_NE(CString("(none)"), ClassesValue(CString("CLSID\\") + kOurs + "\\InprocServer32"));
    ASSERT_TRUE(CallServerEntry("DllUnregisterServer"));
    EXPECT_EQ(CString(kExcel), ClassesValue("Excel.Application\\CLSID"));
    EXPECT_EQ(CString("(none)"), ClassesValue(CString("CLSID\\") + kOurs));

    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Excel.Application");
    ASSERT_TRUE(CallServerEntry("DllRegisterServer"));
    EXPECT_EQ(CString(kOurs), ClassesValue("Excel.Application\\CLSID"));
    ASSERT_TRUE(CallServerEntry("DllUnregisterServer"));
    EXPECT_EQ(CString("(none)"), ClassesValue("Excel.Application"));
}

