// The program's folder under the user's application-data folder.
#pragma once
#include <afx.h>

// The application-data folder, "\" and "Tolvan证券" (no trailing "\"); the folder is created
// when missing. Empty when the system has no application-data folder.
CString GetAppDataFolder();
