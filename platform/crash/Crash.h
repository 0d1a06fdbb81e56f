#pragma once
// The crash-reporting stand-in: the unhandled-exception filter over POSIX
// signals, the pure-call handler, the local time, the module list, symbols
// and the stack walk, the dump file and the start of another program.
//
// Everything that runs after a fault avoids allocation and locks where
// Linux allows it: texts are built in fixed buffers, files are written with
// write(2). Module and symbol lookups go through the dynamic loader (dladdr,
// dl_iterate_phdr), which POSIX does not list as async-signal-safe; they
// are prepared at installation so that they do not need to load anything.

#include "platform/crash/CrashTypes.h"

#include <cstddef>

// Installs the filter for SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT and
// SIGTRAP on an alternate stack (of the calling thread), and for a C++
// exception that nothing catches; null restores the previous handling.
// Returns the filter installed before. When the filter returns
// EXCEPTION_EXECUTE_HANDLER the process ends at once with exit code 128 +
// the signal number, without exit handlers; otherwise the system's default
// handling follows. A fault inside the filter counts as
// EXCEPTION_CONTINUE_SEARCH.
LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);
// The handler a call of a pure virtual function runs; returns the previous one.
_purecall_handler _set_purecall_handler(_purecall_handler handler);
// Whether the address cannot be run (null or outside every loaded module).
BOOL IsBadCodePtr(const void* code);

// The local time from the clock, with the time-zone offset taken when the
// filter was installed.
void GetLocalTime(SYSTEMTIME* time);

// The debugger output (standard error).
void CrashDebugOutput(const char* text);
// Opens a host file for appending, or creates it empty; -1 on failure.
int CrashOpenFile(const char* hostPath, bool append);
void CrashWriteFile(int file, const char* text, size_t length);
void CrashCloseFile(int file);

struct sCrashModule
{
	uintptr_t base;
	// The full path of the module file.
	const char* path;
};
// Calls visit for every loaded module, the program first, while it returns
// true. False when the list cannot be had.
bool CrashEnumerateModules(bool (*visit)(const sCrashModule& module, void* context), void* context);
// The module holding the address.
bool CrashFindModule(uintptr_t address, sCrashModule* module);
// The exported symbol holding the address (names are not demangled).
bool CrashFindSymbol(uintptr_t address, const char** name, uintptr_t* displacement);

// One step of the stack walk over the frames captured at the fault.
struct STACKFRAME
{
	uint64_t AddrPC;
	uint64_t AddrFrame;
	uint64_t AddrStack;
	// The first four argument registers at the fault (first frame only).
	uint64_t Params[4];
	// Frames walked so far.
	int Index;
};
// A cleared frame starts at the faulting instruction. False when no frame is left.
BOOL StackWalk(STACKFRAME* frame, const CONTEXT* context);

// Writes the text dump of the fault into the file (see the README).
BOOL MiniDumpWriteDump(int file, const EXCEPTION_POINTERS* pointers);
// Starts the program of the command line ("\" separators allowed, no
// arguments) when it is an executable file; the result is not waited for.
BOOL CrashStartProcess(const char* commandLine);
// A description of an exception code that has no name of its own.
const char* CrashCodeMessage(DWORD code);
