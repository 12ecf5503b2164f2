// One table in an SQLite file of its own, encrypted page by page with the user's key. The base
// owns the connection, opens or creates the file, runs SQL texts with a row callback and
// converts texts between the program's code page and UTF-8 at the database edge; the derived
// tables build their SQL texts and read their rows. Values never stand in an SQL text: they
// are bound as parameters, each converted on its own.
//
// A file that no key of the user opens (another user's key, a damaged or foreign file) is
// never deleted: it is renamed aside with its journal, reported through GetSetAsidePath() and
// StartedEmptyAfterSetAside() (the console tells the user), and a new empty database takes
// its place. A plain database without encryption (earlier versions wrote new files so) is
// encrypted with the key instead, its rows kept, the plain file set aside the same way.
#pragma once
#include <afx.h>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;

// The keys a table file may be encrypted with, the one new files get first. A file written
// under an earlier key of the same account (the login name in another letter case) is opened
// with that key rather than set aside.
struct DatabaseKey
{
    DatabaseKey(const CString& key) : keys{key} {}
    DatabaseKey(const char* key) : keys{CString(key)} {}
    explicit DatabaseKey(const std::vector<CString>& candidates) : keys(candidates) {}

    std::vector<CString> keys;
};

// The row callback of sqlite3_exec: argument, column count, values, column names; 0 goes on.
typedef int (*SqlRowCallback)(void* argument, int columns, char** values, char** names);

class CDBBase
{
public:
    CDBBase(const CString& path, const DatabaseKey& key);
    virtual ~CDBBase();
    CDBBase(const CDBBase&) = delete;
    CDBBase& operator=(const CDBBase&) = delete;

    // "delete from " and the table name.
    virtual bool DeleteAll();
    virtual bool CreateTable() = 0;

    // (Re)opens the file with the key; true when a readable database is open afterwards.
    bool OpenDatabase();
    // Runs an SQL text that carries no value (program code page); true when it ran without
    // error.
    bool ExecSql(const CString& sql, SqlRowCallback callback, void* argument);
    // Runs one statement whose values stand in it as "?" and are bound in order, each
    // converted to UTF-8 on its own: no value can end its place in the statement, whatever
    // bytes it holds. Rows reach the callback as with ExecSql. A value holding a NUL byte is
    // refused as a row the table does not take (SQLITE_CONSTRAINT_CHECK) and nothing runs.
    bool ExecBound(const CString& sql, const std::vector<CString>& values, SqlRowCallback callback,
                   void* argument);
    // The SQLite result of the last run of ExecSql (SQLITE_OK, SQLITE_CONSTRAINT ...).
    int GetLastResult() const { return m_lastResult; }
    // Runs work inside one transaction, committed when work returns true and rolled back
    // otherwise, so that a kill or a failure in the middle leaves the old rows.
    bool RunInTransaction(const std::function<bool()>& work);
    // Replaces every row by `count` new ones in one transaction; insertRow(i) stores row i. A
    // row the table refuses (a duplicate key) is skipped and makes the result false; any other
    // failure rolls back to the old rows.
    bool ReplaceRows(size_t count, const std::function<bool(size_t)>& insertRow);

    // Tests stop a writer at chosen points inside ReplaceRows's transaction: "deleted" (row 0)
    // once the old rows are gone, "inserted" after each new row. Null in the program.
    typedef void (*WritePointProbe)(const CDBBase& table, const char* point, size_t row);
    static void SetWritePointProbe(WritePointProbe probe);

    bool IsOpen() const { return m_db != nullptr; }
    const CString& GetPath() const { return m_path; }
    const CString& GetTableName() const { return m_table; }
    // Where the last unreadable file was moved to; empty when none was.
    const CString& GetSetAsidePath() const { return m_setAsidePath; }
    // True when no key opened the file: it was set aside and the table started empty (a
    // plain file that was encrypted keeps its rows and does not count).
    bool StartedEmptyAfterSetAside() const { return m_startedEmpty; }

    // Code-page conversions through UTF-16; each throws std::runtime_error with "Invalid
    // UTF-8 sequence.", "Error in conversion." or "La falla!" when the system refuses. A lead
    // byte of the program's code page without its second byte becomes "?" on its own, so it
    // never takes the character after it along (a quote, a separator).
    static std::string AnsiToUtf8(const char* text);
    static std::string Utf8ToAnsi(const char* text);
    static std::wstring AnsiToWide(const char* text);
    static std::wstring Utf8ToWide(const char* text);
    static std::string WideToUtf8(const wchar_t* text);
    static std::string WideToAnsi(const wchar_t* text);

protected:
    // Refuses a row whose values cannot be stored whole, as ExecBound does: false, with
    // SQLITE_CONSTRAINT_CHECK as the last result.
    bool RefuseRow();
    // Runs a row reader of a derived table and keeps every exception out of SQLite.
    static int GuardedRow(const std::function<void()>& read);

    CString m_table;

private:
    void CloseDatabase();
    bool KeyAndCheck();
    bool OpenWithKey(const CString& key);
    bool RecoverUnreadableFile();
    bool EncryptPlainFile();
    bool SetUnreadableFileAside();
    int RunOnce(const std::string& utf8Sql, SqlRowCallback callback, void* argument);
    int RunBoundOnce(const std::string& utf8Sql, const std::vector<std::string>& utf8Values,
                     SqlRowCallback callback, void* argument);
    // Runs `run` on the connection; a file the key does not open is recovered once and the
    // statement run again.
    bool RunWithRecovery(const std::function<int()>& run);

    sqlite3* m_db;
    CString m_path;
    std::vector<CString> m_keys;
    bool m_startedEmpty;
    CString m_setAsidePath;
    int m_lastResult;
};
