// Reading a list window from outside as a person would see it: the texts of the real list
// control, its cells' places, and counts of red and green text pixels.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <testsupport/Screenshot.h>

#include <string>
#include <vector>

int RowCount(HWND list);
int ColumnCount(HWND list);
std::string CellText(HWND list, int row, int column);
// Every row's cells joined by "|", rows joined by "\n" (no line end after the last).
std::string ListContents(HWND list);
// The cell's rectangle in the list's client area.
RECT CellRect(HWND list, int row, int column);
// Pixels of text drawn in the list's red (0x0000FF) or green (0x008000) in a rectangle.
size_t CountRed(const tolvan::test::Screenshot& shot, const RECT& rect);
size_t CountGreen(const tolvan::test::Screenshot& shot, const RECT& rect);
// A scratch folder of its own for this test program, emptied.
std::string ScratchFolder(const char* name);
// Temporary files are compared byte for byte.
std::string ReadWholeFile(const std::string& path);
