#include "platform/crash/CrashInternal.h"
#include "platform/crash/cCrashText.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

namespace
{
// Stack bytes dumped from the stack pointer up.
constexpr size_t kStackBytes = 4096;
constexpr size_t kBytesPerLine = 16;

char s_line[512];

void WriteLine(int file, cCrashText& line)
{
	line.Append('\n');
	CrashWriteFile(file, line.Get(), line.Length());
	line.Clear();
}

void WriteRegisters(int file, const CONTEXT& c)
{
	const struct
	{
		const char* name;
		uint64_t value;
	} registers[] = { { "rax", c.Rax }, { "rbx", c.Rbx }, { "rcx", c.Rcx }, { "rdx", c.Rdx }, { "rsi", c.Rsi },
		{ "rdi", c.Rdi }, { "rbp", c.Rbp }, { "rsp", c.Rsp }, { "rip", c.Rip }, { "r8", c.R8 }, { "r9", c.R9 },
		{ "r10", c.R10 }, { "r11", c.R11 }, { "r12", c.R12 }, { "r13", c.R13 }, { "r14", c.R14 }, { "r15", c.R15 },
		{ "eflags", c.EFlags }, { "cs", c.SegCs }, { "ss", c.SegSs }, { "fs", c.SegFs }, { "gs", c.SegGs } };
	cCrashText line(s_line, sizeof(s_line));
	for (const auto& reg : registers)
	{
		line.Append(reg.name).Append(" 0x").AppendHex(reg.value, 16);
		WriteLine(file, line);
	}
}

// The stack memory read through the kernel, which reports unreadable
// memory instead of faulting.
void WriteStack(int file, uint64_t stackPointer)
{
	cCrashText line(s_line, sizeof(s_line));
	const pid_t self = pid_t(syscall(SYS_getpid));
	for (size_t offset = 0; offset < kStackBytes; offset += kBytesPerLine)
	{
		unsigned char bytes[kBytesPerLine];
		iovec local { bytes, sizeof(bytes) };
		iovec remote { reinterpret_cast<void*>(stackPointer + offset), sizeof(bytes) };
		if (process_vm_readv(self, &local, 1, &remote, 1, 0) != ssize_t(sizeof(bytes)))
			break;
		line.Append("0x").AppendHex(stackPointer + offset, 16).Append(':');
		for (unsigned char byte : bytes)
			line.Append(' ').AppendHex(byte, 2);
		WriteLine(file, line);
	}
}

void CopyFile(int file, const char* hostPath)
{
	const int source = open(hostPath, O_RDONLY | O_CLOEXEC);
	if (source < 0)
		return;
	char buffer[4096];
	ssize_t count;
	while ((count = read(source, buffer, sizeof(buffer))) > 0)
		CrashWriteFile(file, buffer, size_t(count));
	close(source);
}
}

BOOL MiniDumpWriteDump(int file, const EXCEPTION_POINTERS* pointers)
{
	if (file < 0 || !pointers || !pointers->ExceptionRecord || !pointers->ContextRecord)
		return FALSE;
	const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
	const CONTEXT& context = *pointers->ContextRecord;
	cCrashText line(s_line, sizeof(s_line));
	WriteLine(file, line.Append("zv2 crash dump 1"));
	line.Append("process ").AppendDecimal(syscall(SYS_getpid)).Append(" thread ").AppendDecimal(syscall(SYS_gettid));
	WriteLine(file, line);
	line.Append("signal ").AppendDecimal(record.Signal).Append(" code 0x").AppendHex(record.ExceptionCode, 8);
	line.Append(" address 0x").AppendHex(uintptr_t(record.ExceptionAddress), 16);
	if (record.NumberParameters >= 2)
		line.Append(" accessed 0x").AppendHex(record.ExceptionInformation[1], 16);
	WriteLine(file, line);
	WriteLine(file, line.Append("program ").Append(CrashState().programPath));

	WriteLine(file, line.Append("[registers x86-64]"));
	WriteRegisters(file, context);
	WriteLine(file, line.Append("[stack]"));
	WriteStack(file, context.Rsp);
	WriteLine(file, line.Append("[backtrace]"));
	const sCrashState& state = CrashState();
	for (int index = 0; index < state.frameCount; ++index)
	{
		line.Append("0x").AppendHex(reinterpret_cast<uintptr_t>(state.frames[index]), 16);
		WriteLine(file, line);
	}
	WriteLine(file, line.Append("[maps]"));
	CopyFile(file, "/proc/self/maps");
	WriteLine(file, line.Append("[end]"));
	return TRUE;
}
