#include "XlsxArchive.h"

#include <windows.h>

#include <unzip.h>
#include <iowin32.h>

namespace {
std::wstring Widen(const std::string& utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}
}  // namespace

XlsxArchive::~XlsxArchive() { Close(); }

bool XlsxArchive::Open(const std::string& path)
{
    Close();
    inflated_ = 0;
    // The wide file functions, so that paths outside the ANSI code page open too.
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    std::wstring wide = Widen(path);
    zip_ = unzOpen2_64(wide.c_str(), &io);
    return zip_ != nullptr;
}

void XlsxArchive::Close()
{
    if (zip_)
        unzClose(static_cast<unzFile>(zip_));
    zip_ = nullptr;
}

bool XlsxArchive::ReadEntry(const std::string& name, std::string& out)
{
    out.clear();
    unzFile zip = static_cast<unzFile>(zip_);
    if (!zip || unzLocateFile(zip, name.c_str(), 0) != UNZ_OK)
        return false;
    unz_file_info64 info;
    // The stated size is checked before anything is allocated, and the read never goes past
    // it (a size field that lies small fails the CRC check at the end).
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.uncompressed_size > kMaxInflatedBytes - inflated_)
        return false;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return false;
    out.resize(static_cast<size_t>(info.uncompressed_size));
    size_t done = 0;
    bool ok = true;
    while (done < out.size()) {
        int got = unzReadCurrentFile(zip, &out[done], static_cast<unsigned>(out.size() - done));
        if (got <= 0) {
            ok = false;
            break;
        }
        done += got;
    }
    // The CRC is checked when the entry is closed after a full read.
    if (unzCloseCurrentFile(zip) != UNZ_OK)
        ok = false;
    inflated_ += done;
    if (!ok)
        out.clear();
    return ok;
}
