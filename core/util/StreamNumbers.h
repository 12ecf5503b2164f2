// Numbers of the quote and depth streams, read from and written to the bytes in place, so a
// tick costs no heap string for its value. Every function gives exactly what the C run-time
// gives for the same text (atof, atoi, _atoi64 of the bytes as if they ended at `length`;
// "%f" and "%I64d" for output): the plain decimal forms that the servers send take a short
// exact route, anything else is handed to the run-time itself.
#pragma once

// atof of the bytes [text, text + length).
double ReadStreamReal(const char* text, int length);

// atoi of the bytes [text, text + length).
int ReadStreamInt(const char* text, int length);

// _atoi64 of the bytes [text, text + length).
long long ReadStreamInt64(const char* text, int length);

enum { STREAM_NUMBER_TEXT_SIZE = 400 };   // "%f" of any double fits

// "%f" of value into out (STREAM_NUMBER_TEXT_SIZE bytes); returns the length.
int FormatStreamReal(double value, char* out);

// "%I64d" of value into out (at least 21 bytes); returns the length.
int FormatStreamInt64(long long value, char* out);
