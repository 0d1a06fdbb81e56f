#include "engine/foundation/cCrashHandler.h"

#include "engine/foundation/Folders.h"
#include "platform/crash/cCrashText.h"
#include "platform/win32/Win32.h"

#include <climits>

namespace
{
constexpr size_t kSymbolPathSize = 260;
constexpr size_t kReportSize = 1024;
constexpr int kMaxModules = 250;
const char* const kCrashReportProgram = "bin\\mb.dll";

LPTOP_LEVEL_EXCEPTION_FILTER s_callback = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER s_previousFilter = nullptr;
bool s_filterInstalled = false;

char s_symbolSearchPath[kSymbolPathSize];
// Shared by the description, the registers and each stack line.
char s_reportBuffer[kReportSize];
STACKFRAME s_frame;

char s_programName[PATH_MAX];
char s_logFile[PATH_MAX];
char s_dumpFolder[PATH_MAX];
int s_logHandle = -1;

const struct
{
	DWORD code;
	const char* name;
} kExceptionNames[] = {
	{ EXCEPTION_GUARD_PAGE, "EXCEPTION_GUARD_PAGE" },
	{ EXCEPTION_DATATYPE_MISALIGNMENT, "EXCEPTION_DATATYPE_MISALIGNMENT" },
	{ EXCEPTION_BREAKPOINT, "EXCEPTION_BREAKPOINT" },
	{ EXCEPTION_SINGLE_STEP, "EXCEPTION_SINGLE_STEP" },
	{ EXCEPTION_ACCESS_VIOLATION, "EXCEPTION_ACCESS_VIOLATION" },
	{ EXCEPTION_IN_PAGE_ERROR, "EXCEPTION_IN_PAGE_ERROR" },
	{ EXCEPTION_INVALID_HANDLE, "EXCEPTION_INVALID_HANDLE" },
	{ EXCEPTION_ILLEGAL_INSTRUCTION, "EXCEPTION_ILLEGAL_INSTRUCTION" },
	{ EXCEPTION_NONCONTINUABLE_EXCEPTION, "EXCEPTION_NONCONTINUABLE_EXCEPTION" },
	{ EXCEPTION_INVALID_DISPOSITION, "EXCEPTION_INVALID_DISPOSITION" },
	{ EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED" },
	{ EXCEPTION_FLT_DENORMAL_OPERAND, "EXCEPTION_FLT_DENORMAL_OPERAND" },
	{ EXCEPTION_FLT_DIVIDE_BY_ZERO, "EXCEPTION_FLT_DIVIDE_BY_ZERO" },
	{ EXCEPTION_FLT_INEXACT_RESULT, "EXCEPTION_FLT_INEXACT_RESULT" },
	{ EXCEPTION_FLT_INVALID_OPERATION, "EXCEPTION_FLT_INVALID_OPERATION" },
	{ EXCEPTION_FLT_OVERFLOW, "EXCEPTION_FLT_OVERFLOW" },
	{ EXCEPTION_FLT_STACK_CHECK, "EXCEPTION_FLT_STACK_CHECK" },
	{ EXCEPTION_FLT_UNDERFLOW, "EXCEPTION_FLT_UNDERFLOW" },
	{ EXCEPTION_INT_DIVIDE_BY_ZERO, "EXCEPTION_INT_DIVIDE_BY_ZERO" },
	{ EXCEPTION_INT_OVERFLOW, "EXCEPTION_INT_OVERFLOW" },
	{ EXCEPTION_PRIV_INSTRUCTION, "EXCEPTION_PRIV_INSTRUCTION" },
	{ EXCEPTION_STACK_OVERFLOW, "EXCEPTION_STACK_OVERFLOW" },
};

// Copies at most size - 1 bytes and terminates.
void CopyBounded(char* target, size_t size, const char* text)
{
	cCrashText(target, size).Append(text);
}

const char* AfterLast(const char* path, char separator)
{
	const char* name = path;
	for (const char* c = path; *c; ++c)
		if (*c == separator)
			name = c + 1;
	return name;
}

bool PointersReadable(const EXCEPTION_POINTERS* pointers)
{
	return pointers && pointers->ExceptionRecord && pointers->ContextRecord;
}

// ", name()+0012 byte(s)", or ", name" + ending when the symbol starts at
// the address.
void AppendSymbol(cCrashText& text, uintptr_t address, uintptr_t lookupAddress, const char* exactEnding)
{
	const char* name = nullptr;
	uintptr_t displacement = 0;
	if (!CrashFindSymbol(lookupAddress, &name, &displacement))
		return;
	displacement += address - lookupAddress;
	text.Append(", ").Append(name);
	if (displacement != 0)
		text.Append("()+").AppendDecimal(int64_t(displacement), 4).Append(" byte(s)");
	else
		text.Append(exactEnding);
}

void AppendTwoDigits(cCrashText& text, int value, char after)
{
	text.AppendDecimal(value, 2).Append(after);
}

bool CollectModule(const sCrashModule& module, void* context)
{
	auto* list = static_cast<std::pair<sCrashModule*, int>*>(context);
	if (list->second > kMaxModules)
		return false;
	list->first[list->second++] = module;
	return true;
}
}

bool InstallCrashHandler()
{
	return cCrashHandler::Install();
}

bool cCrashHandler::Install()
{
	_set_purecall_handler(PureVirtualFunctionCallHandler);
	SetCrashCallback(CrashReportFilter);
	char folder[kSymbolPathSize];
	const DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
	MakeSymbolSearchPath(length > 0 && length < sizeof(folder) ? folder : "", s_symbolSearchPath,
		sizeof(s_symbolSearchPath));

	char program[PATH_MAX];
	if (GetModuleFileNameA(nullptr, program, sizeof(program)) == 0)
		program[0] = '\0';
	CopyBounded(s_programName, sizeof(s_programName), AfterLast(program, '\\'));
	// Until the log names its folder, dumps go to the working folder.
	CopyBounded(s_dumpFolder, sizeof(s_dumpFolder), ToHostPath(GetCurrentFolder()).c_str());
	return true;
}

bool cCrashHandler::SetCrashCallback(LPTOP_LEVEL_EXCEPTION_FILTER callback)
{
	if (callback)
	{
		if (IsBadCodePtr(reinterpret_cast<const void*>(callback)))
			return false;
		s_callback = callback;
		if (!s_filterInstalled)
		{
			s_previousFilter = SetUnhandledExceptionFilter(UnhandledExceptionHandler);
			s_filterInstalled = true;
		}
	}
	else if (s_filterInstalled)
	{
		SetUnhandledExceptionFilter(s_previousFilter);
		s_previousFilter = nullptr;
		s_filterInstalled = false;
		s_callback = nullptr;
	}
	return true;
}

void cCrashHandler::MakeSymbolSearchPath(const char* folder, char* path, size_t size)
{
	cCrashText text(path, size);
	text.Append(folder);
	const size_t length = text.Length();
	const char* suffix = length > 0 && path[length - 1] == '\\' ? "dbg" : "\\dbg";
	if (CrashTextLength(suffix) <= text.Room())
		text.Append(suffix);
}

const char* cCrashHandler::GetSymbolSearchPath()
{
	return s_symbolSearchPath;
}

void cCrashHandler::SetReportFiles(const std::string& logFile, const std::string& dumpFolder)
{
	CopyBounded(s_logFile, sizeof(s_logFile), logFile.c_str());
	CopyBounded(s_dumpFolder, sizeof(s_dumpFolder), dumpFolder.c_str());
}

const char* cCrashHandler::ExceptionName(DWORD code)
{
	for (const auto& entry : kExceptionNames)
		if (entry.code == code)
			return entry.name;
	return nullptr;
}

void cCrashHandler::PureVirtualFunctionCallHandler()
{
	// Thrown through the call: where nothing catches it, the report follows.
	class LocalClass
	{
	};
	throw LocalClass();
}

LONG cCrashHandler::UnhandledExceptionHandler(EXCEPTION_POINTERS* pointers)
{
	if (PointersReadable(pointers) && pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
	{
		const char* banner = "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\n";
		CrashDebugOutput(banner);
		CrashDebugOutput("EXCEPTION_STACK_OVERFLOW occurred\n");
		CrashDebugOutput(banner);
	}
	if (!s_callback || IsBadCodePtr(reinterpret_cast<const void*>(s_callback)))
		return EXCEPTION_CONTINUE_SEARCH;
	// Symbols need no preparation here: the loader's tables serve.
	return s_callback(pointers);
}

void cCrashHandler::WriteLogLine(const char* text)
{
	const size_t length = CrashTextLength(text);
	CrashWriteFile(s_logHandle, text, length);
	CrashWriteFile(s_logHandle, "\n", 1);
	CrashDebugOutput(text);
	CrashDebugOutput("\n");
}

LONG cCrashHandler::CrashReportFilter(EXCEPTION_POINTERS* pointers)
{
	SYSTEMTIME time;
	GetLocalTime(&time);
	char dumpPath[PATH_MAX + 64];
	cCrashText path(dumpPath, sizeof(dumpPath));
	path.Append(s_dumpFolder).Append("/crash_log_").AppendDecimal(time.wYear, 4).AppendDecimal(time.wMonth, 2);
	path.AppendDecimal(time.wDay, 2).Append('-').AppendDecimal(time.wHour, 2).AppendDecimal(time.wMinute, 2);
	path.AppendDecimal(time.wSecond, 2).Append(".dmp");
	// A dump that cannot be written is skipped silently; the file stays open.
	MiniDumpWriteDump(CrashOpenFile(dumpPath, false), pointers);

	GetLocalTime(&time);
	s_logHandle = s_logFile[0] ? CrashOpenFile(s_logFile, true) : -1;
	WriteLogLine("==========CRASH==========");
	char dateBuffer[64];
	cCrashText date(dateBuffer, sizeof(dateBuffer));
	date.Append("Date: ");
	AppendTwoDigits(date, time.wMonth, '-');
	AppendTwoDigits(date, time.wDay, '-');
	AppendTwoDigits(date, time.wYear % 100, ' ');
	AppendTwoDigits(date, time.wHour, ':');
	AppendTwoDigits(date, time.wMinute, ':');
	date.AppendDecimal(time.wSecond, 2);
	WriteLogLine(date.Get());
	LogLoadedModules();
	if (const char* fault = DescribeFault(pointers))
		WriteLogLine(fault);
	if (const char* registers = DescribeRegisters(pointers))
		WriteLogLine(registers);
	WriteLogLine("Stack trace (DBGHELP.dll):");
	const int options = kStackParameters | kStackModule | kStackSymbol | kStackLine;
	for (const char* line = FirstStackLine(options, pointers); line; line = NextStackLine(options, pointers))
		WriteLogLine(line);
	CrashCloseFile(s_logHandle);
	s_logHandle = -1;

	CrashStartProcess(kCrashReportProgram);
	return EXCEPTION_EXECUTE_HANDLER;
}

void cCrashHandler::LogLoadedModules()
{
	cCrashText report(s_reportBuffer, sizeof(s_reportBuffer));
	static sCrashModule modules[kMaxModules + 1];
	std::pair<sCrashModule*, int> list { modules, 0 };
	if (!CrashEnumerateModules(CollectModule, &list) || list.second > kMaxModules)
	{
		WriteLogLine("Failed getting loaded modules for this process!");
	}
	else
	{
		for (int index = 0; index < list.second; ++index)
		{
			report.Clear().Append("   0x").AppendHex(modules[index].base, 8).Append(" - ").Append(modules[index].path);
			WriteLogLine(report.Get());
		}
	}
	WriteLogLine("");
}

const char* cCrashHandler::DescribeFault(EXCEPTION_POINTERS* pointers)
{
	cCrashText report(s_reportBuffer, sizeof(s_reportBuffer));
	if (!PointersReadable(pointers))
		return nullptr;
	const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
	const char* name = ExceptionName(record.ExceptionCode);
	report.Clear().Append(s_programName).Append(" caused an ");
	report.Append(name ? name : CrashCodeMessage(record.ExceptionCode)).Append(" in module ");
	const uintptr_t address = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
	sCrashModule module;
	report.Append(CrashFindModule(address, &module) ? AfterLast(module.path, '/') : "<UNKNOWN>");
	report.Append(" at ").AppendHex(pointers->ContextRecord->SegCs, 4).Append(':').AppendHex(address, 8);
	AppendSymbol(report, address, address, " ");
	return report.Get();
}

const char* cCrashHandler::DescribeRegisters(EXCEPTION_POINTERS* pointers)
{
	cCrashText report(s_reportBuffer, sizeof(s_reportBuffer));
	if (!PointersReadable(pointers))
		return nullptr;
	const CONTEXT& c = *pointers->ContextRecord;
	const struct
	{
		const char* label;
		uint64_t value;
	} registers[] = { { "RAX=", c.Rax }, { "  RBX=", c.Rbx }, { "  RCX=", c.Rcx }, { "  RDX=", c.Rdx },
		{ "\nRSI=", c.Rsi }, { "  RDI=", c.Rdi }, { "  RBP=", c.Rbp }, { "  RSP=", c.Rsp }, { "\nR8= ", c.R8 },
		{ "  R9= ", c.R9 }, { "  R10=", c.R10 }, { "  R11=", c.R11 }, { "\nR12=", c.R12 }, { "  R13=", c.R13 },
		{ "  R14=", c.R14 }, { "  R15=", c.R15 }, { "\nRIP=", c.Rip } };
	report.Clear();
	for (const auto& reg : registers)
		report.Append(reg.label).AppendHex(reg.value, 16);
	report.Append("  FLG=").AppendHex(c.EFlags, 8);
	const struct
	{
		const char* label;
		WORD value;
	} segments[] = { { "\nCS=", c.SegCs }, { "   DS=", c.SegDs }, { "  SS=", c.SegSs }, { "  ES=", c.SegEs },
		{ "   FS=", c.SegFs }, { "  GS=", c.SegGs } };
	for (const auto& segment : segments)
		report.Append(segment.label).AppendHex(segment.value, 4);
	return report.Get();
}

const char* cCrashHandler::FirstStackLine(int options, EXCEPTION_POINTERS* pointers)
{
	s_frame = {};
	return BuildStackLine(options, pointers);
}

const char* cCrashHandler::NextStackLine(int options, EXCEPTION_POINTERS* pointers)
{
	return BuildStackLine(options, pointers);
}

const char* cCrashHandler::BuildStackLine(int options, EXCEPTION_POINTERS* pointers)
{
	cCrashText report(s_reportBuffer, sizeof(s_reportBuffer));
	if (!PointersReadable(pointers) || !StackWalk(&s_frame, pointers->ContextRecord))
		return nullptr;
	const uintptr_t pc = uintptr_t(s_frame.AddrPC);
	sCrashModule module;
	if (pc == 0 || !CrashFindModule(pc, &module))
		return nullptr;
	report.Clear().AppendHex(pointers->ContextRecord->SegCs, 4).Append(':').AppendHex(pc, 8);
	if (options & kStackParameters)
	{
		report.Append(" (");
		for (int index = 0; index < 4; ++index)
			report.Append(index ? " 0x" : "0x").AppendHex(s_frame.Params[index], 8);
		report.Append(')');
	}
	if (options & kStackModule)
		report.Append(' ').Append(AfterLast(module.path, '/'));
	// Outer frames hold return addresses: the call itself lies just before.
	if (options & kStackSymbol)
		AppendSymbol(report, pc, s_frame.Index > 1 ? pc - 1 : pc, "");
	return report.Get();
}
