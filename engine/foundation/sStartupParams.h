#pragma once
// The start-up record that the entry point hands to the game.

#include "platform/win32/Win32Window.h"

struct sStartupParams
{
	HINSTANCE instance;
	int showCommand;
	HWND parentWindow;
	const char* commandLine;
	bool singleInstance;
};
