#pragma once
#include <string>

// The zip container of a workbook: whole entries read by name.
class XlsxArchive {
public:
    XlsxArchive() = default;
    ~XlsxArchive();
    XlsxArchive(const XlsxArchive&) = delete;
    XlsxArchive& operator=(const XlsxArchive&) = delete;

    // Path in UTF-8. False when the file is missing or not a zip archive.
    bool Open(const std::string& path);
    void Close();
    // False when the entry does not exist or cannot be inflated; out is emptied then.
    bool ReadEntry(const std::string& name, std::string& out);

private:
    void* zip_ = nullptr;
};
