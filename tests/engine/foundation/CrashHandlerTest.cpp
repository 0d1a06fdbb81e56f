// The crash handler: a probe program fails on purpose in a fresh working
// folder; its log must end with the crash report, the dump must lie in the
// log folder, and the process must end non-zero. The text helpers of the
// report are checked in place.

#include "TempFolder.h"

#include "engine/foundation/cCrashHandler.h"
#include "platform/crash/cCrashText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
struct sProbeRun
{
	int exitCode = -1;
	std::string log;
	std::string errors;
	std::vector<fs::path> dumps;
	time_t started = 0;
	time_t ended = 0;
};

// Runs the probe in the current folder with its standard error in a file.
sProbeRun RunProbe(const char* mode, bool early = false)
{
	sProbeRun run;
	run.started = time(nullptr);
	fflush(stdout);
	fflush(stderr);
	pid_t pid = fork();
	if (pid == 0)
	{
		int errors = open("errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
		dup2(errors, STDERR_FILENO);
		if (early)
			setenv("CRASH_PROBE_EARLY", "1", 1);
		execl(CRASH_PROBE, CRASH_PROBE, mode, nullptr);
		_exit(99);
	}
	int status = 0;
	waitpid(pid, &status, 0);
	run.ended = time(nullptr);
	run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
	run.log = cTempFolder::ReadFile("zv2.txt");
	run.errors = cTempFolder::ReadFile("errors.txt");
	for (const char* folder : { ".", "logs" })
		if (fs::exists(folder))
			for (const auto& entry : fs::directory_iterator(folder))
				if (entry.path().extension() == ".dmp")
					run.dumps.push_back(entry.path());
	return run;
}

// The local time of a dump's name lies within the run.
bool NamedWithinRun(const fs::path& dump, const sProbeRun& run)
{
	tm local {};
	if (!strptime(dump.filename().c_str(), "crash_log_%Y%m%d-%H%M%S.dmp", &local))
		return false;
	local.tm_isdst = -1;
	const time_t named = mktime(&local);
	return named >= run.started - 1 && named <= run.ended + 1;
}

size_t Count(const std::string& text, const std::string& piece)
{
	size_t count = 0;
	for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
		++count;
	return count;
}
}

TEST(CrashHandler, FaultsEndInTheReportTheDumpAndANonZeroExit)
{
	const struct
	{
		const char* mode;
		int signal;
		const char* description;
		// A function the stack must name (exported from the probe), or null.
		const char* function;
	} cases[] = {
		{ "null", SIGSEGV, "caused an EXCEPTION_ACCESS_VIOLATION in module CrashProbe at 0033:", "ProbeNullWrite" },
		{ "divide", SIGFPE, "caused an EXCEPTION_INT_DIVIDE_BY_ZERO in module CrashProbe at 0033:", "ProbeDivide" },
		{ "abort", SIGABRT, "caused an {Application Exit} The program ended itself (abort) in module ", "abort" },
		{ "pure", SIGABRT, "caused an {C++ Exception} An exception was thrown that nothing caught", "__cxa_pure_virtual" },
		{ "throw", SIGABRT, "caused an {C++ Exception} An exception was thrown that nothing caught", nullptr },
		{ "recurse", SIGSEGV, "caused an EXCEPTION_STACK_OVERFLOW in module CrashProbe", "ProbeRecurse" },
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.mode);
		cTempFolder folder;
		const sProbeRun run = RunProbe(c.mode);
		EXPECT_EQ(run.exitCode, 128 + c.signal) << run.errors;

		const size_t crash = run.log.find("before the crash\n==========CRASH==========\nDate: ");
		ASSERT_NE(crash, std::string::npos) << run.log;
		const std::string report = run.log.substr(crash);
		EXPECT_TRUE(std::regex_search(report, std::regex("\nDate: \\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\n"
															  "   0x[0-9A-F]{8,} - /[^\n]*/CrashProbe\n")));
		EXPECT_NE(report.find("   0x"), std::string::npos);
		EXPECT_NE(report.find(" - /"), std::string::npos);
		EXPECT_NE(report.find("\n\nCrashProbe " + std::string(c.description)), std::string::npos) << report;
		EXPECT_TRUE(std::regex_search(report, std::regex("\nRAX=[0-9A-F]{16}  RBX=[0-9A-F]{16}.*\n.*\n.*\n.*\n"
															  "RIP=[0-9A-F]{16}  FLG=[0-9A-F]{8}\nCS=0033   DS=")))
			<< report;
		const size_t stack = report.find("\nStack trace (DBGHELP.dll):\n");
		ASSERT_NE(stack, std::string::npos);
		EXPECT_TRUE(std::regex_search(report.substr(stack),
			std::regex("^\nStack trace \\(DBGHELP.dll\\):\n0033:[0-9A-F]{8,} \\(0x[0-9A-F]{8,} 0x[0-9A-F]{8,} "
					   "0x[0-9A-F]{8,} 0x[0-9A-F]{8,}\\) [^\n]+\n")))
			<< report.substr(stack);
		if (c.function)
		{
			EXPECT_NE(report.find(c.function, stack), std::string::npos) << report.substr(stack);
		}
		EXPECT_EQ(report.find("Log end"), std::string::npos) << "no teardown after a crash";
		EXPECT_NE(run.errors.find("==========CRASH=========="), std::string::npos) << "the debugger output has it too";

		ASSERT_EQ(run.dumps.size(), 1u);
		EXPECT_EQ(run.dumps[0].parent_path().filename(), "logs");
		EXPECT_TRUE(NamedWithinRun(run.dumps[0], run)) << run.dumps[0];
		const std::string dump = cTempFolder::ReadFile(run.dumps[0]);
		EXPECT_EQ(dump.rfind("zv2 crash dump 1\nprocess ", 0), 0u);
		EXPECT_NE(dump.find("signal " + std::to_string(c.signal) + " code 0x"), std::string::npos);
		for (const char* section : { "\n[registers x86-64]\nrax 0x", "\n[stack]\n", "\n[backtrace]\n0x", "\n[maps]\n",
				 "CrashProbe\n", "\n[end]\n" })
			EXPECT_NE(dump.find(section), std::string::npos) << section;
	}
}

TEST(CrashHandler, StackOverflowSendsTheBannerToTheDebuggerOutput)
{
	cTempFolder folder;
	const sProbeRun run = RunProbe("recurse");
	const std::string bang(33, '!');
	EXPECT_NE(run.errors.find(bang + "\nEXCEPTION_STACK_OVERFLOW occurred\n" + bang + "\n"), std::string::npos)
		<< run.errors.substr(0, 400);
	EXPECT_EQ(Count(run.log, bang), 0u) << "the banner is not logged";
}

TEST(CrashHandler, CoversStaticInitialisersBeforeTheLogStarts)
{
	cTempFolder folder;
	const sProbeRun run = RunProbe("", true);
	EXPECT_EQ(run.exitCode, 128 + SIGSEGV);
	EXPECT_FALSE(fs::exists("zv2.txt"));
	EXPECT_NE(run.errors.find("==========CRASH==========\n"), std::string::npos);
	EXPECT_NE(run.errors.find("caused an EXCEPTION_ACCESS_VIOLATION"), std::string::npos) << run.errors;
	ASSERT_EQ(run.dumps.size(), 1u) << "the dump lands in the working folder";
	EXPECT_EQ(run.dumps[0].parent_path(), ".");
}

TEST(CrashHandler, StartsTheCrashReportProgramOnlyWhenItExists)
{
	cTempFolder folder;
	cTempFolder::WriteFile("bin/mb.dll", "#!/bin/sh\necho started > reporter.txt\n");
	fs::permissions("bin/mb.dll", fs::perms::owner_all);
	const sProbeRun run = RunProbe("null", false);
	EXPECT_EQ(run.exitCode, 128 + SIGSEGV);
	for (int wait = 0; wait < 200 && cTempFolder::ReadFile("reporter.txt").empty(); ++wait)
		std::this_thread::sleep_for(std::chrono::milliseconds(10));
	EXPECT_EQ(cTempFolder::ReadFile("reporter.txt"), "started\n");

	fs::remove("bin/mb.dll");
	fs::remove("reporter.txt");
	EXPECT_EQ(RunProbe("null", false).exitCode, 128 + SIGSEGV) << "a missing program changes nothing";
}

TEST(CrashHandler, SymbolSearchPathAppendsDbgOnlyWhenItFits)
{
	const struct
	{
		std::string folder;
		std::string expected;
	} cases[] = {
		{ "\\home\\player\\game", "\\home\\player\\game\\dbg" },
		{ "C:\\", "C:\\dbg" },
		{ std::string(255, 'a'), std::string(255, 'a') + "\\dbg" },
		// One character more and the suffix would end past the buffer.
		{ std::string(256, 'a'), std::string(256, 'a') },
		{ std::string(259, 'a'), std::string(259, 'a') },
	};
	for (const auto& c : cases)
	{
		char path[261];
		memset(path, 'X', sizeof(path));
		cCrashHandler::MakeSymbolSearchPath(c.folder.c_str(), path, 260);
		EXPECT_EQ(std::string(path), c.expected) << c.folder.size();
		EXPECT_EQ(path[260], 'X') << "nothing written past the buffer";
	}
}

TEST(CrashHandler, ReportTextIsCutAtTheBufferNeverPastIt)
{
	char buffer[17];
	memset(buffer, 'X', sizeof(buffer));
	cCrashText text(buffer, 16);
	text.Append("at ").AppendHex(0xBEEF, 8).Append(':').AppendDecimal(42, 4);
	EXPECT_STREQ(text.Get(), "at 0000BEEF:004");
	EXPECT_EQ(text.Length(), 15u) << "the last digit is cut";
	EXPECT_EQ(text.Room(), 0u);
	text.Append(std::string(3000, 'n').c_str()).AppendHex(~0ull, 16);
	EXPECT_EQ(text.Length(), 15u);
	EXPECT_EQ(buffer[15], '\0');
	EXPECT_EQ(buffer[16], 'X');

	text.Clear().AppendDecimal(-7, 3).Append(' ').AppendHex(0xA1, 1);
	EXPECT_STREQ(text.Get(), "-007 A1");
}

TEST(CrashHandler, DescriptionsOfPointersAndRegisters)
{
	EXPECT_EQ(cCrashHandler::DescribeFault(nullptr), nullptr);
	EXPECT_EQ(cCrashHandler::DescribeRegisters(nullptr), nullptr);
	EXPECT_EQ(cCrashHandler::FirstStackLine(15, nullptr), nullptr);

	EXCEPTION_RECORD record {};
	CONTEXT context {};
	EXCEPTION_POINTERS pointers { &record, &context };
	context.Rax = 0x1;
	context.R15 = 0xFEDCBA9876543210;
	context.Rip = 0x401000;
	context.EFlags = 0x246;
	context.SegCs = 0x33;
	context.SegSs = 0x2B;
	EXPECT_STREQ(cCrashHandler::DescribeRegisters(&pointers),
		"RAX=0000000000000001  RBX=0000000000000000  RCX=0000000000000000  RDX=0000000000000000\n"
		"RSI=0000000000000000  RDI=0000000000000000  RBP=0000000000000000  RSP=0000000000000000\n"
		"R8= 0000000000000000  R9= 0000000000000000  R10=0000000000000000  R11=0000000000000000\n"
		"R12=0000000000000000  R13=0000000000000000  R14=0000000000000000  R15=FEDCBA9876543210\n"
		"RIP=0000000000401000  FLG=00000246\n"
		"CS=0033   DS=0000  SS=002B  ES=0000   FS=0000  GS=0000");

	EXPECT_STREQ(cCrashHandler::ExceptionName(EXCEPTION_FLT_STACK_CHECK), "EXCEPTION_FLT_STACK_CHECK");
	EXPECT_STREQ(cCrashHandler::ExceptionName(EXCEPTION_GUARD_PAGE), "EXCEPTION_GUARD_PAGE");
	EXPECT_EQ(cCrashHandler::ExceptionName(STATUS_FATAL_APP_EXIT), nullptr);
	// An address outside every module.
	record.ExceptionCode = 0x12345678;
	record.ExceptionAddress = reinterpret_cast<void*>(0x10);
	const std::string fault = cCrashHandler::DescribeFault(&pointers);
	EXPECT_NE(fault.find(" caused an {Exception} Unknown exception code in module <UNKNOWN> at 0033:00000010"),
		std::string::npos)
		<< fault;
}
