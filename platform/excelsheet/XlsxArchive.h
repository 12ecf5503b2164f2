#pragma once
#include <string>

// The zip container of a workbook: whole entries read by name. What one open archive may
// inflate is bounded in total, not only per entry: a small hostile file may name the same
// large part from many places, or hold many parts that each inflate a thousandfold.
class XlsxArchive {
public:
    XlsxArchive() = default;
    ~XlsxArchive();
    XlsxArchive(const XlsxArchive&) = delete;
    XlsxArchive& operator=(const XlsxArchive&) = delete;

    // Path in UTF-8. False when the file is missing or not a zip archive.
    bool Open(const std::string& path);
    void Close();
    // False when the entry does not exist, cannot be inflated, or would take the archive past
    // kMaxInflatedBytes; out is emptied then.
    bool ReadEntry(const std::string& name, std::string& out);

    // A workbook of strategies inflates to kilobytes; this leaves room for any sound one.
    static constexpr unsigned long long kMaxInflatedBytes = 32ULL * 1024 * 1024;

private:
    void* zip_ = nullptr;
    unsigned long long inflated_ = 0;  // bytes read from the entries since Open
};
