#include "GetWickplotDataInterfaceXX.h"

IMPLEMENT_DYNAMIC(GetWickplotDataInterfaceXX, CWnd)
