// Answers every file dialog while it lives, the way MessageBoxScript answers message boxes:
// no dialog is shown; each is recorded (flags, default name, extension, filter) and answered
// with the next queued path, or cancelled when none is queued. The previous hook comes back
// on destruction.
#pragma once
#include <afxdlgs.h>

#include <deque>
#include <string>
#include <vector>

struct FileDialogRecord
{
    bool open = false;
    DWORD flags = 0;
    std::string fileName;   // the default name the dialog was given
    std::string extension;  // the default extension
    std::vector<std::string> filter;  // the filter's parts
    HWND owner = NULL;
};

class FileDialogScript
{
public:
    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    // The next dialog is confirmed with this path.
    void Choose(const std::string& path) { m_answers.push_back(path); }
    const std::vector<FileDialogRecord>& Dialogs() const { return m_dialogs; }

private:
    static INT_PTR CALLBACK Hook(OPENFILENAME* ofn, BOOL open);

    AFX_FILEDIALOG_HOOK m_previous = nullptr;
    FileDialogScript* m_previousScript = nullptr;
    std::deque<std::string> m_answers;
    std::vector<FileDialogRecord> m_dialogs;
};
