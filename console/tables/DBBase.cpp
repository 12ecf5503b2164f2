#include "DBBase.h"

#include <winsock2.h>
#include <windows.h>

#include <sqlcipher/sqlite3.h>
#include <stdexcept>

#include "DamagedFile.h"
#include "TableSql.h"

namespace {

const char kInvalidUtf8[] = "Invalid UTF-8 sequence.";
const char kConversionError[] = "Error in conversion.";
const char kLengthMismatch[] = "La falla!";

// Another program (or a second table object) may hold the file's lock for a moment.
const int kBusyTimeoutMs = 5000;

CDBBase::WritePointProbe g_writePointProbe = nullptr;

bool FileExists(const CString& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A lead byte whose second byte is missing or cannot follow it is converted by the system
// together with that byte: "\x81'" would lose its quote. Such a lead byte alone becomes "?".
std::string WithoutStrayLeadBytes(UINT codePage, const char* text)
{
    std::string bytes(text);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!IsDBCSLeadByteEx(codePage, (BYTE)bytes[i]))
            continue;
        const BYTE next = i + 1 < bytes.size() ? (BYTE)bytes[i + 1] : 0;
        const bool trail = next >= 0x40 && next <= 0xFE && next != 0x7F;
        if (trail)
            ++i;
        else
            bytes[i] = '?';
    }
    return bytes;
}

std::wstring MultiByteToWide(UINT codePage, const char* text)
{
    std::string checked;
    if (codePage != CP_UTF8) {
        checked = WithoutStrayLeadBytes(codePage == CP_ACP ? GetACP() : codePage, text);
        text = checked.c_str();
    }
    const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (length == 0)
        throw std::runtime_error(GetLastError() == ERROR_NO_UNICODE_TRANSLATION ? kInvalidUtf8
                                                                                : kConversionError);
    std::wstring wide((size_t)length, L'\0');
    if (MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length) != length)
        throw std::runtime_error(kLengthMismatch);
    wide.resize((size_t)length - 1);
    return wide;
}

std::string WideToMultiByte(UINT codePage, const wchar_t* text)
{
    const int length = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length == 0)
        throw std::runtime_error(codePage != CP_UTF8 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION
                                     ? kInvalidUtf8
                                     : kConversionError);
    std::string bytes((size_t)length, '\0');
    if (WideCharToMultiByte(codePage, 0, text, -1, &bytes[0], length, nullptr, nullptr) != length)
        throw std::runtime_error(kLengthMismatch);
    bytes.resize((size_t)length - 1);
    return bytes;
}

// Copies every table of a plain database into a new file encrypted with the key.
bool CopyIntoEncrypted(sqlite3* plain, const std::string& utf8Target, const std::string& key)
{
    if (sqlite3_exec(plain, "select count(*) from sqlite_master;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt* attach = nullptr;
    if (sqlite3_prepare_v2(plain, "attach database ? as encrypted key ?", -1, &attach, nullptr) != SQLITE_OK) {
        sqlite3_finalize(attach);
        return false;
    }
    sqlite3_bind_text(attach, 1, utf8Target.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(attach, 2, key.c_str(), -1, SQLITE_TRANSIENT);
    const bool attached = sqlite3_step(attach) == SQLITE_DONE;
    sqlite3_finalize(attach);
    if (!attached)
        return false;
    const bool exported =
        sqlite3_exec(plain, "select sqlcipher_export('encrypted');", nullptr, nullptr, nullptr) == SQLITE_OK;
    const bool detached = sqlite3_exec(plain, "detach database encrypted;", nullptr, nullptr, nullptr) == SQLITE_OK;
    return exported && detached;
}

}  // namespace

CDBBase::CDBBase(const CString& path, const DatabaseKey& key)
    : m_db(nullptr), m_path(path), m_keys(key.keys), m_startedEmpty(false), m_lastResult(SQLITE_OK)
{
    if (m_keys.empty())
        m_keys.push_back(CString());
    OpenDatabase();
}

CDBBase::~CDBBase()
{
    CloseDatabase();
}

void CDBBase::CloseDatabase()
{
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool CDBBase::OpenDatabase()
{
    if (m_path.IsEmpty())
        return false;
    CloseDatabase();
    if (!KeyAndCheck())
        return false;
    if (m_lastResult != SQLITE_NOTADB)
        return true;
    CloseDatabase();
    return RecoverUnreadableFile() && m_lastResult == SQLITE_OK;
}

// The key does not open the file. A plain database (earlier versions left new files
// unencrypted) is encrypted with the key; anything else is kept aside for the user and a new
// database takes its place. Either way the original file stays, renamed.
bool CDBBase::RecoverUnreadableFile()
{
    if (!EncryptPlainFile()) {
        if (!SetUnreadableFileAside())
            return false;
        m_startedEmpty = !m_setAsidePath.IsEmpty();
    }
    return KeyAndCheck();
}

bool CDBBase::EncryptPlainFile()
{
    std::string utf8Path, utf8Encrypted;
    const CString encryptedPath = m_path + ".encrypting";
    try {
        utf8Path = AnsiToUtf8(m_path);
        utf8Encrypted = AnsiToUtf8(encryptedPath);
    } catch (const std::exception&) {
        return false;
    }
    sqlite3* plain = nullptr;
    // An attached database opens with the flags of this connection: it must be allowed to create.
    if (sqlite3_open_v2(utf8Path.c_str(), &plain, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close_v2(plain);
        return false;
    }
    sqlite3_busy_timeout(plain, kBusyTimeoutMs);
    DeleteFileA(encryptedPath);
    const bool copied = CopyIntoEncrypted(plain, utf8Encrypted, std::string((const char*)m_keys.front()));
    sqlite3_close_v2(plain);
    if (!copied) {
        DeleteFileA(encryptedPath);
        return false;
    }
    if (!SetUnreadableFileAside())
        return false;
    if (!MoveFileA(encryptedPath, m_path)) {
        MoveFileA(m_setAsidePath, m_path);  // put the original back rather than lose it
        return false;
    }
    OutputDebugStringA("Tolvan: " + m_path + " was not encrypted; it is now, the plain file kept as "
                       + m_setAsidePath + "\n");
    return true;
}

// Opens the file with each key in turn until one reads it. A new database gets the first key
// with sqlite3_key before its first page is written: a rekey of a keyless database does
// nothing and would leave the file in plain text. SQLITE_NOTADB in m_lastResult says that no
// key fits.
bool CDBBase::KeyAndCheck()
{
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (i > 0)
            CloseDatabase();
        if (!OpenWithKey(m_keys[i]))
            return false;
        if (m_lastResult != SQLITE_NOTADB)
            return true;
    }
    return true;
}

// Opens the file and keys it; the first read tells whether the key fits.
bool CDBBase::OpenWithKey(const CString& key)
{
    std::string utf8Path;
    try {
        utf8Path = AnsiToUtf8(m_path);
    } catch (const std::exception&) {
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(utf8Path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    if (sqlite3_key(m_db, (const char*)key, key.GetLength()) != SQLITE_OK) {
        CloseDatabase();
        return false;
    }
    m_lastResult = RunOnce("select count(*) from sqlite_master;", nullptr, nullptr);
    return true;
}

bool CDBBase::SetUnreadableFileAside()
{
    if (!FileExists(m_path)) {
        m_setAsidePath.Empty();
        return true;
    }
    const CString keptAs = SetDamagedFileAside(m_path);
    if (keptAs.IsEmpty())
        return false;
    m_setAsidePath = keptAs;
    // Its journal belongs to the old file: the new database must not roll it back into itself.
    static const char* const kCompanions[] = {"-journal", "-wal", "-shm"};
    for (const char* suffix : kCompanions) {
        const CString companion = m_path + suffix;
        if (FileExists(companion) && SetDamagedFileAside(companion).IsEmpty())
            return false;
    }
    return true;
}

int CDBBase::RunOnce(const std::string& utf8Sql, SqlRowCallback callback, void* argument)
{
    char* error = nullptr;
    const int result = sqlite3_exec(m_db, utf8Sql.c_str(), callback, argument, &error);
    sqlite3_free(error);
    return result;
}

int CDBBase::RunBoundOnce(const std::string& utf8Sql, const std::vector<std::string>& utf8Values,
                          SqlRowCallback callback, void* argument)
{
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(m_db, utf8Sql.c_str(), -1, &statement, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_finalize(statement);
        return result;
    }
    for (size_t i = 0; i < utf8Values.size() && result == SQLITE_OK; ++i)
        result = sqlite3_bind_text(statement, (int)i + 1, utf8Values[i].c_str(), -1, SQLITE_TRANSIENT);
    std::vector<char*> values, names;
    while (result == SQLITE_OK) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE)
            break;
        if (step != SQLITE_ROW) {
            result = step;
            break;
        }
        if (callback == nullptr)
            continue;
        const int columns = sqlite3_column_count(statement);
        values.assign((size_t)columns, nullptr);
        names.assign((size_t)columns, nullptr);
        for (int column = 0; column < columns; ++column) {
            values[column] = (char*)sqlite3_column_text(statement, column);
            names[column] = (char*)sqlite3_column_name(statement, column);
        }
        if (callback(argument, columns, values.data(), names.data()) != 0)
            result = SQLITE_ABORT;
    }
    // A failed step is reported again (with its extended code) by the finalize.
    const int finalized = sqlite3_finalize(statement);
    return result != SQLITE_OK ? (finalized != SQLITE_OK ? finalized : result) : SQLITE_OK;
}

bool CDBBase::RunWithRecovery(const std::function<int()>& run)
{
    m_lastResult = run();
    if (m_lastResult == SQLITE_NOTADB) {
        CloseDatabase();
        if (!RecoverUnreadableFile()) {
            m_lastResult = SQLITE_CANTOPEN;
            return false;
        }
        m_lastResult = run();
    }
    return m_lastResult == SQLITE_OK;
}

bool CDBBase::ExecSql(const CString& sql, SqlRowCallback callback, void* argument)
{
    m_lastResult = SQLITE_MISUSE;
    if (m_db == nullptr)
        return false;
    std::string utf8Sql;
    try {
        utf8Sql = AnsiToUtf8(sql);
    } catch (const std::exception&) {
        return false;
    }
    return RunWithRecovery([&] { return RunOnce(utf8Sql, callback, argument); });
}

bool CDBBase::ExecBound(const CString& sql, const std::vector<CString>& values, SqlRowCallback callback,
                        void* argument)
{
    m_lastResult = SQLITE_MISUSE;
    if (m_db == nullptr)
        return false;
    for (const CString& value : values) {
        if (HoldsNulByte(value))
            return RefuseRow();
    }
    std::string utf8Sql;
    std::vector<std::string> utf8Values;
    try {
        utf8Sql = AnsiToUtf8(sql);
        for (const CString& value : values)
            utf8Values.push_back(AnsiToUtf8(value));
    } catch (const std::exception&) {
        return false;
    }
    return RunWithRecovery([&] { return RunBoundOnce(utf8Sql, utf8Values, callback, argument); });
}

bool CDBBase::RefuseRow()
{
    m_lastResult = SQLITE_CONSTRAINT_CHECK;
    return false;
}

bool CDBBase::RunInTransaction(const std::function<bool()>& work)
{
    if (!ExecSql("begin immediate;", nullptr, nullptr))
        return false;
    bool done = false;
    try {
        done = work();
    } catch (...) {
        done = false;
    }
    if (done && ExecSql("commit;", nullptr, nullptr))
        return true;
    ExecSql("rollback;", nullptr, nullptr);
    return false;
}

bool CDBBase::DeleteAll()
{
    return ExecSql("delete from " + m_table, nullptr, nullptr);
}

int CDBBase::GuardedRow(const std::function<void()>& read)
{
    try {
        read();
        return 0;
    } catch (...) {
        return 1;  // ends the select with SQLITE_ABORT: the load reports failure
    }
}

std::wstring CDBBase::AnsiToWide(const char* text)
{
    return MultiByteToWide(CP_ACP, text);
}

std::wstring CDBBase::Utf8ToWide(const char* text)
{
    return MultiByteToWide(CP_UTF8, text);
}

std::string CDBBase::WideToUtf8(const wchar_t* text)
{
    return WideToMultiByte(CP_UTF8, text);
}

std::string CDBBase::WideToAnsi(const wchar_t* text)
{
    return WideToMultiByte(CP_ACP, text);
}

std::string CDBBase::AnsiToUtf8(const char* text)
{
    return WideToUtf8(AnsiToWide(text).c_str());
}

std::string CDBBase::Utf8ToAnsi(const char* text)
{
    return WideToAnsi(Utf8ToWide(text == nullptr ? "" : text).c_str());
}

void CDBBase::SetWritePointProbe(WritePointProbe probe)
{
    g_writePointProbe = probe;
}

bool CDBBase::ReplaceRows(size_t count, const std::function<bool(size_t)>& insertRow)
{
    bool allStored = true;
    const bool committed = RunInTransaction([&] {
        if (!DeleteAll())
            return false;
        if (g_writePointProbe != nullptr)
            g_writePointProbe(*this, "deleted", 0);
        for (size_t i = 0; i < count; ++i) {
            const bool stored = insertRow(i);
            if (g_writePointProbe != nullptr)
                g_writePointProbe(*this, "inserted", i);
            if (stored)
                continue;
            if (!IsRefusedRow(GetLastResult()))
                return false;
            allStored = false;
        }
        return true;
    });
    return committed && allStored;
}
