#include "DamagedFile.h"

#include "FileCrypt.h"

namespace {

// Enough for any number of damaged copies a user would keep; past it the file stays put.
const int kMaxAsideNames = 100;

} // namespace

CString SetDamagedFileAside(LPCSTR path)
{
    CString keptAs;
    if (path != NULL && *path != '\0')
    {
        for (int n = 1; n <= kMaxAsideNames && keptAs.IsEmpty(); ++n)
        {
            CString candidate(path);
            candidate += ".damaged";
            if (n > 1)
                candidate.AppendFormat("%d", n);
            // No replacing: an earlier damaged copy is kept too.
            if (MoveFileExA(path, candidate, MOVEFILE_WRITE_THROUGH))
                keptAs = candidate;
            else if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
    }
    ::OutputDebugStringA("Tolvan - " + DescribeDamagedFile(path, keptAs) + "\r\n");
    return keptAs;
}

CString DescribeDamagedFile(LPCSTR path, const CString& keptAs)
{
    CString text(path != NULL ? path : "");
    text += " is damaged; ";
    if (keptAs.IsEmpty())
        text += "could not be moved";
    else
        text += "kept as " + keptAs;
    return text;
}

bool ReadCheckedEncryptedFile(LPCSTR path, const std::function<bool(const CString&)>& accept,
                              CString* pDamageReport)
{
    CFileCrypt crypt;
    CString text;
    const CFileCrypt::ReadResult read = crypt.DecryptFile(path, text);
    if (read == CFileCrypt::Read && accept(text))
        return true;
    if (read != CFileCrypt::NotOpened)
    {
        const CString keptAs = SetDamagedFileAside(path);
        if (pDamageReport != nullptr)
            *pDamageReport = DescribeDamagedFile(path, keptAs);
    }
    return false;
}
