#include "platform/crash/CrashInternal.h"

#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace
{
const int kSignals[] = { SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP };
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);
// A fault this close to the stack pointer is taken for a stack overflow.
constexpr uintptr_t kStackOverflowReach = 64 * 1024;

LPTOP_LEVEL_EXCEPTION_FILTER s_filter = nullptr;
_purecall_handler s_purecallHandler = nullptr;
struct sigaction s_previousActions[kSignalCount];
std::terminate_handler s_previousTerminate = nullptr;
bool s_installed = false;
char s_alternateStack[256 * 1024];

// The thread running the filter (0: none), and where a fault inside the
// filter returns to.
std::atomic<long> s_reportThread { 0 };
sigjmp_buf s_reportJump;
// Set by the terminate handler for the SIGABRT it raises.
std::atomic<DWORD> s_pendingCode { 0 };

EXCEPTION_RECORD s_record;
CONTEXT s_context;
EXCEPTION_POINTERS s_pointers { &s_record, &s_context };

DWORD CodeForSignal(int signal, const siginfo_t* info, uintptr_t stackPointer)
{
	switch (signal)
	{
	case SIGSEGV:
	{
		const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
		const uintptr_t distance = address > stackPointer ? address - stackPointer : stackPointer - address;
		return distance < kStackOverflowReach ? EXCEPTION_STACK_OVERFLOW : EXCEPTION_ACCESS_VIOLATION;
	}
	case SIGBUS:
		return info->si_code == BUS_ADRALN ? EXCEPTION_DATATYPE_MISALIGNMENT : EXCEPTION_IN_PAGE_ERROR;
	case SIGILL:
		return info->si_code == ILL_PRVOPC || info->si_code == ILL_PRVREG ? EXCEPTION_PRIV_INSTRUCTION
																		  : EXCEPTION_ILLEGAL_INSTRUCTION;
	case SIGFPE:
		switch (info->si_code)
		{
		case FPE_INTDIV: return EXCEPTION_INT_DIVIDE_BY_ZERO;
		case FPE_INTOVF: return EXCEPTION_INT_OVERFLOW;
		case FPE_FLTDIV: return EXCEPTION_FLT_DIVIDE_BY_ZERO;
		case FPE_FLTOVF: return EXCEPTION_FLT_OVERFLOW;
		case FPE_FLTUND: return EXCEPTION_FLT_UNDERFLOW;
		case FPE_FLTRES: return EXCEPTION_FLT_INEXACT_RESULT;
		case FPE_FLTSUB: return EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
		default: return EXCEPTION_FLT_INVALID_OPERATION;
		}
	case SIGTRAP:
		return info->si_code == TRAP_TRACE ? EXCEPTION_SINGLE_STEP : EXCEPTION_BREAKPOINT;
	default:
		return STATUS_FATAL_APP_EXIT;
	}
}

void FillContext(const ucontext_t* machine)
{
	s_context = {};
#if defined(__x86_64__)
	const greg_t* r = machine->uc_mcontext.gregs;
	s_context.Rax = uint64_t(r[REG_RAX]);
	s_context.Rbx = uint64_t(r[REG_RBX]);
	s_context.Rcx = uint64_t(r[REG_RCX]);
	s_context.Rdx = uint64_t(r[REG_RDX]);
	s_context.Rsi = uint64_t(r[REG_RSI]);
	s_context.Rdi = uint64_t(r[REG_RDI]);
	s_context.Rbp = uint64_t(r[REG_RBP]);
	s_context.Rsp = uint64_t(r[REG_RSP]);
	s_context.Rip = uint64_t(r[REG_RIP]);
	s_context.R8 = uint64_t(r[REG_R8]);
	s_context.R9 = uint64_t(r[REG_R9]);
	s_context.R10 = uint64_t(r[REG_R10]);
	s_context.R11 = uint64_t(r[REG_R11]);
	s_context.R12 = uint64_t(r[REG_R12]);
	s_context.R13 = uint64_t(r[REG_R13]);
	s_context.R14 = uint64_t(r[REG_R14]);
	s_context.R15 = uint64_t(r[REG_R15]);
	s_context.EFlags = DWORD(r[REG_EFL]);
	// CS, GS, FS and SS share one register slot, 16 bits each.
	const uint64_t segments = uint64_t(r[REG_CSGSFS]);
	s_context.SegCs = WORD(segments);
	s_context.SegGs = WORD(segments >> 16);
	s_context.SegFs = WORD(segments >> 32);
	s_context.SegSs = WORD(segments >> 48);
#else
	(void)machine;
#endif
}

// Hands the signal to the system's default handling.
[[noreturn]] void DefaultHandling(int signal)
{
	::signal(signal, SIG_DFL);
	sigset_t set;
	sigemptyset(&set);
	sigaddset(&set, signal);
	sigprocmask(SIG_UNBLOCK, &set, nullptr);
	raise(signal);
	_exit(128 + signal);
}

void OnSignal(int signal, siginfo_t* info, void* machine)
{
	const long thread = syscall(SYS_gettid);
	long idle = 0;
	if (!s_reportThread.compare_exchange_strong(idle, thread))
	{
		// A fault inside the filter ends it; another thread's fault waits
		// for the report to end the process.
		if (idle == thread)
			siglongjmp(s_reportJump, 1);
		for (;;)
			pause();
	}

	FillContext(static_cast<const ucontext_t*>(machine));
	s_record = {};
	s_record.Signal = signal;
	s_record.ExceptionAddress = reinterpret_cast<void*>(s_context.Rip);
	const DWORD pending = s_pendingCode.exchange(0);
	s_record.ExceptionCode = signal == SIGABRT && pending ? pending : CodeForSignal(signal, info, s_context.Rsp);
	if (signal == SIGSEGV || signal == SIGBUS)
	{
		s_record.NumberParameters = 2;
		s_record.ExceptionInformation[1] = reinterpret_cast<uintptr_t>(info->si_addr);
	}
	CaptureCrashStack(s_context.Rip);

	LONG result = EXCEPTION_CONTINUE_SEARCH;
	if (sigsetjmp(s_reportJump, 1) == 0 && s_filter)
		result = s_filter(&s_pointers);
	if (result == EXCEPTION_EXECUTE_HANDLER)
		_exit(128 + signal);
	DefaultHandling(signal);
}

[[noreturn]] void OnTerminate()
{
	s_pendingCode = EXCEPTION_CPP_UNHANDLED;
	raise(SIGABRT);
	_exit(128 + SIGABRT);
}

void Install()
{
	PrepareCrashState();
	stack_t stack {};
	stack.ss_sp = s_alternateStack;
	stack.ss_size = sizeof(s_alternateStack);
	sigaltstack(&stack, nullptr);
	struct sigaction action {};
	action.sa_sigaction = OnSignal;
	// No deferring: a fault inside the filter must reach OnSignal again.
	action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
	sigemptyset(&action.sa_mask);
	for (int index = 0; index < kSignalCount; ++index)
		sigaction(kSignals[index], &action, &s_previousActions[index]);
	s_previousTerminate = std::set_terminate(OnTerminate);
	s_installed = true;
}

void Uninstall()
{
	for (int index = 0; index < kSignalCount; ++index)
		sigaction(kSignals[index], &s_previousActions[index], nullptr);
	std::set_terminate(s_previousTerminate);
	s_installed = false;
}
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter)
{
	LPTOP_LEVEL_EXCEPTION_FILTER previous = s_filter;
	s_filter = filter;
	if (filter && !s_installed)
		Install();
	else if (!filter && s_installed)
		Uninstall();
	return previous;
}

_purecall_handler _set_purecall_handler(_purecall_handler handler)
{
	_purecall_handler previous = s_purecallHandler;
	s_purecallHandler = handler;
	return previous;
}

// The C++ runtime calls this for a pure virtual function.
extern "C" void __cxa_pure_virtual()
{
	if (s_purecallHandler)
		s_purecallHandler();
	std::terminate();
}
