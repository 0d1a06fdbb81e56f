#pragma once
// Debugger output: goes to the process's standard error.

void OutputDebugStringA(const char* text);
