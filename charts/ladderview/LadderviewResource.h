#pragma once

// The depth window's template; the program has a template of its own under the same id.
#define IDD_LADDERVIEW 1000
