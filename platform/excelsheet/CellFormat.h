#pragma once
#include <string>

// How Excel turns a stored number into the text of a cell (UTF-8 results).
namespace CellFormat {

// The General format in a column of standard width: at most eleven characters, integers in
// full below 1E+11, otherwise rounded to fit or shown in scientific form.
std::string General(double value);

// True when a number format code shows a date or a time (built-in ids 14-22 and 45-47, or a
// custom code with date or time tokens outside quoted text and brackets).
bool IsDateFormat(int numFmtId, const std::string& code);

// The code Excel uses for a built-in date id in the Chinese (PRC) locale; empty for others.
std::string BuiltinDateCode(int numFmtId);

// The serial date shown with a date/time format code. date1904 selects the 1904 date system.
// A serial outside Excel's date range gives "#######" as Excel shows it.
std::string Date(double serial, const std::string& code, bool date1904);

}  // namespace CellFormat
