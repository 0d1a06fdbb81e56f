#pragma once
// What the crash layer prepares at installation and captures at a fault,
// shared by its files. Platform code only.

#include "platform/crash/Crash.h"

#include <climits>

struct sCrashState
{
	static constexpr int kMaxFrames = 128;

	// The program file and the base address it is loaded at.
	char programPath[PATH_MAX] {};
	uintptr_t programBase = 0;
	// Seconds east of UTC when the filter was installed.
	long utcOffset = 0;
	// The return addresses captured at the fault, innermost first, starting
	// at the faulting instruction.
	void* frames[kMaxFrames] {};
	int frameCount = 0;
};

sCrashState& CrashState();

// Fills the program's path and base, the time-zone offset, and loads what
// the stack capture needs.
void PrepareCrashState();
// Captures the stack of the current thread, dropping the frames above the
// faulting instruction.
void CaptureCrashStack(uintptr_t faultAddress);
