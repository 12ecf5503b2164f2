// How the market-data code reads the web services' JSON: every value is taken as text by one
// rule, and texts of the servers (UTF-8, sometimes URL-escaped) become ANSI (GBK) texts.
#pragma once
#include <afx.h>
#include <string>
#include <jansson.h>

// A JSON string as it stands, an integer in decimal (all 64 bits: day volumes pass 2^31), a
// real "%f"; anything else, and a null value, gives an empty text.
CString JsonValueToText(const json_t* value);
// The member of an object by the same rule (empty when the object or member is missing).
CString JsonMemberText(const json_t* object, const char* key);

// URL-unescapes a UTF-8 text and converts it to the ANSI code page.
CString UnescapedUtf8ToAnsi(const std::string& text);
// Converts a UTF-8 text to the ANSI code page.
CString Utf8ToAnsi(const std::string& text);

// Converts an ANSI (GBK) text to UTF-8 for a JSON value or a request to the services.
std::string AnsiToUtf8(const CString& text);

// Parses a whole text as JSON (any value at the top); null when it does not parse. The caller
// releases the result with json_decref. pError, when given, receives the reader's error.
json_t* ParseJsonText(const std::string& text, json_error_t* pError = nullptr);
