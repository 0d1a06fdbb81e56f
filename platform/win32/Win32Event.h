#pragma once
// Events: signalled by SetEvent, waited for with WaitForSingleObject. An
// auto-reset event lets one successful wait through and clears itself
// (a wait of 0 ms tests and clears it); a manual-reset event stays set
// until ResetEvent.

#include "platform/win32/Win32Handle.h"

// The name is ignored: events are private to the process.
HANDLE CreateEventA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, BOOL initialState, const char* name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
