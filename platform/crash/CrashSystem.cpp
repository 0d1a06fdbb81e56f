#include "platform/crash/CrashInternal.h"
#include "platform/crash/cCrashText.h"

#include <ctime>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <sched.h>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

extern char** environ;

namespace
{
// Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
void CivilFromDays(long days, int& year, int& month, int& day)
{
	days += 719468;
	const long era = (days >= 0 ? days : days - 146096) / 146097;
	const long dayOfEra = days - era * 146097;
	const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
	const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
	const long monthIndex = (5 * dayOfYear + 2) / 153;
	day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
	month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
	year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

const char* ModulePath(const char* path, uintptr_t base)
{
	const sCrashState& state = CrashState();
	return base == state.programBase || !path || !*path ? state.programPath : path;
}
}

sCrashState& CrashState()
{
	static sCrashState state;
	return state;
}

void PrepareCrashState()
{
	sCrashState& state = CrashState();
	const ssize_t length = readlink("/proc/self/exe", state.programPath, sizeof(state.programPath) - 1);
	state.programPath[length > 0 ? length : 0] = '\0';
	Dl_info info;
	if (dladdr(reinterpret_cast<void*>(&PrepareCrashState), &info))
		state.programBase = reinterpret_cast<uintptr_t>(info.dli_fbase);
	time_t now = time(nullptr);
	tm local {};
	localtime_r(&now, &local);
	state.utcOffset = local.tm_gmtoff;
	// The first walk loads the unwinder; after a fault nothing may be loaded.
	void* frames[2];
	backtrace(frames, 2);
}

void CaptureCrashStack(uintptr_t faultAddress)
{
	sCrashState& state = CrashState();
	state.frameCount = backtrace(state.frames, sCrashState::kMaxFrames);
	for (int index = 0; index < state.frameCount; ++index)
	{
		if (reinterpret_cast<uintptr_t>(state.frames[index]) != faultAddress)
			continue;
		for (int next = index; next < state.frameCount; ++next)
			state.frames[next - index] = state.frames[next];
		state.frameCount -= index;
		return;
	}
}

void GetLocalTime(SYSTEMTIME* time)
{
	timespec now {};
	clock_gettime(CLOCK_REALTIME, &now);
	const long long seconds = now.tv_sec + CrashState().utcOffset;
	long days = long(seconds / 86400);
	long rest = long(seconds % 86400);
	if (rest < 0)
	{
		rest += 86400;
		--days;
	}
	int year, month, day;
	CivilFromDays(days, year, month, day);
	time->wYear = WORD(year);
	time->wMonth = WORD(month);
	time->wDay = WORD(day);
	// 1970-01-01 was a Thursday.
	time->wDayOfWeek = WORD(((days % 7) + 11) % 7);
	time->wHour = WORD(rest / 3600);
	time->wMinute = WORD(rest / 60 % 60);
	time->wSecond = WORD(rest % 60);
	time->wMilliseconds = WORD(now.tv_nsec / 1000000);
}

void CrashDebugOutput(const char* text)
{
	CrashWriteFile(STDERR_FILENO, text, CrashTextLength(text));
}

int CrashOpenFile(const char* hostPath, bool append)
{
	return open(hostPath, O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0644);
}

void CrashWriteFile(int file, const char* text, size_t length)
{
	while (file >= 0 && length > 0)
	{
		const ssize_t written = write(file, text, length);
		if (written <= 0)
			return;
		text += written;
		length -= size_t(written);
	}
}

void CrashCloseFile(int file)
{
	if (file >= 0)
		close(file);
}

bool CrashEnumerateModules(bool (*visit)(const sCrashModule& module, void* context), void* context)
{
	struct sVisit
	{
		bool (*visit)(const sCrashModule&, void*);
		void* context;
	} walk { visit, context };
	dl_iterate_phdr(
		[](dl_phdr_info* info, size_t, void* data) -> int {
			auto* walk = static_cast<sVisit*>(data);
			const sCrashModule module { uintptr_t(info->dlpi_addr), ModulePath(info->dlpi_name, info->dlpi_addr) };
			return walk->visit(module, walk->context) ? 0 : 1;
		},
		&walk);
	return true;
}

bool CrashFindModule(uintptr_t address, sCrashModule* module)
{
	Dl_info info;
	if (!dladdr(reinterpret_cast<void*>(address), &info) || !info.dli_fbase)
		return false;
	module->base = reinterpret_cast<uintptr_t>(info.dli_fbase);
	module->path = ModulePath(info.dli_fname, module->base);
	return true;
}

bool CrashFindSymbol(uintptr_t address, const char** name, uintptr_t* displacement)
{
	Dl_info info;
	if (!dladdr(reinterpret_cast<void*>(address), &info) || !info.dli_sname || !info.dli_saddr)
		return false;
	*name = info.dli_sname;
	*displacement = address - reinterpret_cast<uintptr_t>(info.dli_saddr);
	return true;
}

BOOL IsBadCodePtr(const void* code)
{
	sCrashModule module;
	return !code || !CrashFindModule(reinterpret_cast<uintptr_t>(code), &module);
}

BOOL StackWalk(STACKFRAME* frame, const CONTEXT* context)
{
	const sCrashState& state = CrashState();
	if (frame->Index >= state.frameCount)
		return FALSE;
	frame->AddrPC = reinterpret_cast<uintptr_t>(state.frames[frame->Index]);
	if (frame->Index == 0)
	{
		frame->AddrFrame = context->Rbp;
		frame->AddrStack = context->Rsp;
		frame->Params[0] = context->Rdi;
		frame->Params[1] = context->Rsi;
		frame->Params[2] = context->Rdx;
		frame->Params[3] = context->Rcx;
	}
	else
	{
		// Only the return addresses are known past the first frame.
		frame->Params[0] = frame->Params[1] = frame->Params[2] = frame->Params[3] = 0;
	}
	++frame->Index;
	return TRUE;
}

BOOL CrashStartProcess(const char* commandLine)
{
	char path[PATH_MAX];
	size_t length = 0;
	for (; commandLine[length] && length + 1 < sizeof(path); ++length)
		path[length] = commandLine[length] == '\\' ? '/' : commandLine[length];
	path[length] = '\0';
	if (access(path, X_OK) != 0)
		return FALSE;
	// A plain clone: fork's handlers are not for a crashed process.
	const long child = syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0);
	if (child == 0)
	{
		char* const arguments[] = { path, nullptr };
		execve(path, arguments, environ);
		_exit(127);
	}
	return child > 0;
}

const char* CrashCodeMessage(DWORD code)
{
	switch (code)
	{
	case STATUS_FATAL_APP_EXIT: return "{Application Exit} The program ended itself (abort)";
	case EXCEPTION_CPP_UNHANDLED: return "{C++ Exception} An exception was thrown that nothing caught";
	default: return "{Exception} Unknown exception code";
	}
}
