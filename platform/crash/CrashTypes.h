#pragma once
// The records of the crash-reporting stand-in: an exception (code, address,
// the fault's details), the processor context at the fault, and the two
// together as the unhandled-exception filter receives them.
//
// The context holds the x86-64 registers, the machine this layer is built
// for; DS and ES are not saved by Linux on x86-64 and read 0.

#include "platform/win32/Win32Types.h"

#include <cstdint>

#define EXCEPTION_EXECUTE_HANDLER 1
#define EXCEPTION_CONTINUE_SEARCH 0

// Exception codes (those of the platform this stands in for).
constexpr DWORD EXCEPTION_ACCESS_VIOLATION = 0xC0000005;
constexpr DWORD EXCEPTION_DATATYPE_MISALIGNMENT = 0x80000002;
constexpr DWORD EXCEPTION_BREAKPOINT = 0x80000003;
constexpr DWORD EXCEPTION_SINGLE_STEP = 0x80000004;
constexpr DWORD EXCEPTION_ARRAY_BOUNDS_EXCEEDED = 0xC000008C;
constexpr DWORD EXCEPTION_FLT_DENORMAL_OPERAND = 0xC000008D;
constexpr DWORD EXCEPTION_FLT_DIVIDE_BY_ZERO = 0xC000008E;
constexpr DWORD EXCEPTION_FLT_INEXACT_RESULT = 0xC000008F;
constexpr DWORD EXCEPTION_FLT_INVALID_OPERATION = 0xC0000090;
constexpr DWORD EXCEPTION_FLT_OVERFLOW = 0xC0000091;
constexpr DWORD EXCEPTION_FLT_STACK_CHECK = 0xC0000092;
constexpr DWORD EXCEPTION_FLT_UNDERFLOW = 0xC0000093;
constexpr DWORD EXCEPTION_INT_DIVIDE_BY_ZERO = 0xC0000094;
constexpr DWORD EXCEPTION_INT_OVERFLOW = 0xC0000095;
constexpr DWORD EXCEPTION_PRIV_INSTRUCTION = 0xC0000096;
constexpr DWORD EXCEPTION_IN_PAGE_ERROR = 0xC0000006;
constexpr DWORD EXCEPTION_ILLEGAL_INSTRUCTION = 0xC000001D;
constexpr DWORD EXCEPTION_NONCONTINUABLE_EXCEPTION = 0xC0000025;
constexpr DWORD EXCEPTION_STACK_OVERFLOW = 0xC00000FD;
constexpr DWORD EXCEPTION_INVALID_DISPOSITION = 0xC0000026;
constexpr DWORD EXCEPTION_GUARD_PAGE = 0x80000001;
constexpr DWORD EXCEPTION_INVALID_HANDLE = 0xC0000008;
// The program ended itself (abort).
constexpr DWORD STATUS_FATAL_APP_EXIT = 0x40000015;
// A C++ exception that nothing caught.
constexpr DWORD EXCEPTION_CPP_UNHANDLED = 0xE06D7363;

constexpr int EXCEPTION_MAXIMUM_PARAMETERS = 15;

struct EXCEPTION_RECORD
{
	DWORD ExceptionCode;
	DWORD ExceptionFlags;
	EXCEPTION_RECORD* ExceptionRecord;
	void* ExceptionAddress;
	DWORD NumberParameters;
	// Access violations: [0] 1 for a write (not known here: 0), [1] the
	// address that was accessed.
	uintptr_t ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
	// The Linux signal behind the exception.
	int Signal;
};

struct CONTEXT
{
	uint64_t Rax, Rbx, Rcx, Rdx, Rsi, Rdi, Rbp, Rsp, Rip;
	uint64_t R8, R9, R10, R11, R12, R13, R14, R15;
	DWORD EFlags;
	WORD SegCs, SegDs, SegSs, SegEs, SegFs, SegGs;
};

struct EXCEPTION_POINTERS
{
	EXCEPTION_RECORD* ExceptionRecord;
	CONTEXT* ContextRecord;
};

typedef LONG (*LPTOP_LEVEL_EXCEPTION_FILTER)(EXCEPTION_POINTERS* pointers);
typedef void (*_purecall_handler)();

struct SYSTEMTIME
{
	WORD wYear;
	WORD wMonth;
	WORD wDayOfWeek;
	WORD wDay;
	WORD wHour;
	WORD wMinute;
	WORD wSecond;
	WORD wMilliseconds;
};
