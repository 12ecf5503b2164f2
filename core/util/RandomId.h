// The client reference of a new order.
#pragma once
#include <afx.h>

// The decimal text of a random number below 10000 followed by that of the tick count. No
// reference is handed out twice in one process, whichever thread asks: the C run-time
// generator is per thread (unseeded threads repeat the same numbers) and two calls may share
// a tick.
CString MakeRandomId();
