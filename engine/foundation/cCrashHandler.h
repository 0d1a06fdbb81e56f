#pragma once
// The crash handler: installed before main by a static initialiser
// (CrashHandlerInstall.h), it catches faults that nothing handles, writes a
// dump file into the log folder and a crash report into the log (fault,
// loaded modules, registers, stack), starts the crash-report program
// "bin\mb.dll" when there is one, and ends the process without tearing the
// singletons down.
//
// Everything after a fault runs in a signal handler: the texts are built in
// static buffers by bounded appends, the files are written directly, and
// the paths are prepared beforehand (the log hands over its paths when it
// starts).

#include "platform/crash/Crash.h"

#include <cstddef>
#include <string>

class cCrashHandler
{
public:
	// Stack line options: the frame's parameters, the module name, the
	// symbol, the source line.
	static constexpr int kStackParameters = 1;
	static constexpr int kStackModule = 2;
	static constexpr int kStackSymbol = 4;
	static constexpr int kStackLine = 8;

	// Installs the pure-call handler and the report as the crash callback,
	// and makes the symbol search path. Always true.
	static bool Install();
	// Stores a runnable callback and installs the top-level filter (once);
	// null reinstalls the filter found before and forgets the callback.
	// False only for a callback that cannot be run.
	static bool SetCrashCallback(LPTOP_LEVEL_EXCEPTION_FILTER callback);

	// The crash callback: dump, report, crash-report program; returns
	// EXCEPTION_EXECUTE_HANDLER.
	static LONG CrashReportFilter(EXCEPTION_POINTERS* pointers);
	// "<program> caused an <name> in module <module> at <cs>:<address>"
	// with the symbol when one is known; null without pointers.
	static const char* DescribeFault(EXCEPTION_POINTERS* pointers);
	// The register block (x86-64 registers); null without pointers.
	static const char* DescribeRegisters(EXCEPTION_POINTERS* pointers);
	// One line per stack frame, from the faulting one outward; null when
	// the walk ends.
	static const char* FirstStackLine(int options, EXCEPTION_POINTERS* pointers);
	static const char* NextStackLine(int options, EXCEPTION_POINTERS* pointers);
	// Writes the loaded modules (at most 250) and an empty line to the log.
	static void LogLoadedModules();

	// Where the report goes: the log file (empty: no file, the report goes
	// to the debugger output only) and the folder of the dump, host paths.
	static void SetReportFiles(const std::string& logFile, const std::string& dumpFolder);
	// The working folder followed by "\dbg" (or "dbg" after a "\"); the
	// folder alone when the suffix does not fit the 260-character buffer.
	static const char* GetSymbolSearchPath();
	static void MakeSymbolSearchPath(const char* folder, char* path, size_t size);
	// The name of an exception code, or null for codes without one.
	static const char* ExceptionName(DWORD code);

private:
	static LONG UnhandledExceptionHandler(EXCEPTION_POINTERS* pointers);
	static void PureVirtualFunctionCallHandler();
	static const char* BuildStackLine(int options, EXCEPTION_POINTERS* pointers);
	static void WriteLogLine(const char* text);
};

// The static initialiser's call.
bool InstallCrashHandler();
