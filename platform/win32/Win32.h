#pragma once
// Everything the Win32 stand-in offers to engine code. The layer-private
// headers (Win32Internal.h, Win32EventObservers.h) are for platform code only.

#include "platform/win32/Win32Types.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32Debug.h"
#include "platform/win32/Win32Module.h"
#include "platform/win32/Win32Sync.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Thread.h"
#include "platform/win32/Win32Event.h"
#include "platform/win32/Win32Mutex.h"
#include "platform/win32/Win32Time.h"
#include "platform/win32/Win32Message.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32Path.h"
#include "platform/win32/Win32File.h"
#include "platform/win32/Win32Folder.h"
