// The update check before login: compares the local update list with the published one,
// downloads what is new or newer, and starts the updater.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

class ILogin;

// Versions of the lists and their files, read like atoi but in 64 bits.
typedef long long UpdateVersion;

// The number after the first "=" of the first line holding "Version"; 0 when the file cannot
// be opened for reading and writing or has no such line.
UpdateVersion ReadVersionFromFile(const CString& path);
// Appends every line holding "update\" and not "updatelist.ini" (both compared in lower
// case, byte by byte), in file order. Lines end at a line feed; the file is read as bytes,
// whatever it holds. False when the file cannot be opened or is larger than any list.
bool ReadUpdateList(const CString& path, std::vector<CString>& entries);

// A file name from a downloaded list stays below the root and names a plain file: no "..",
// no drive or stream ":", no leading "\" or "/", not empty, no device name ("CON", "NUL",
// "COM1", "aux.dll" ...) in any part, no part ending in "." or a blank, no control or
// wildcard characters.
bool IsSafeUpdateName(const CString& name);

typedef std::function<bool(const CString& address, const CString& target)> UpdateDownloader;

// Downloads each remote entry that is missing locally (names compared ignoring case) or has a
// higher version, from [Config] Url of listPath + the name with "/" for "\", to rootDir + "\" +
// the name. False at the first failed download or refused name; earlier downloads stay.
bool CompareUpdateLists(const CString& listPath, const std::vector<CString>& local,
                        const std::vector<CString>& remote, const CString& rootDir,
                        const UpdateDownloader& download);

struct UpdateCheckContext
{
    CString localListPath;     // <update dir>"UpdateList.ini"
    CString updateListUrl;     // [Update] UpdateListUrl of "Config.ini"
    CString downloadedListPath; // <temp dir>"TolvanUpdate.ini"
    CString rootDir;
    CString updaterCommandLine; // "\"<update dir>update.exe\""
    UpdateDownloader download;  // DownloadFile unless a test replaces it
    std::function<bool(const CString& commandLine)> launchUpdater;
    DWORD launchPauseMs = 1000;
    // Set when the login window has gone: the updater is not started then. Optional.
    HANDLE stopEvent = NULL;
};

// Runs the check and reports it in the login window. True when the updater was started
// (the window then stays disabled).
bool RunUpdateCheck(ILogin& window, const UpdateCheckContext& context);
