// The login window's control ids and shown texts, fixed so that tools and tests can find them.
#pragma once

enum
{
    IDC_LOGIN_USER = 1001,
    IDC_LOGIN_PASSWORD = 1002,
    IDC_LOGIN_SERVERS = 1003,
    IDC_LOGIN_KIND = 1004,
    IDC_LOGIN_SPEEDTEST = 1005,
    IDC_LOGIN_PROGRESS = 1006,
    IDC_LOGIN_PROGRESS_TEXT = 1007,
    IDC_LOGIN_STATUS = 1008,
    IDC_LOGIN_RESULT = 1009,
};

// Texts of GetShownText.
enum { LOGIN_TEXT_STATUS = 0, LOGIN_TEXT_RESULT = 1, LOGIN_TEXT_PROGRESS = 2, LOGIN_TEXT_ENTRIES = 3 };

