#include "ChildProcess.h"
#include "TempFolder.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace
{
const char* const HeaderPattern = "======== zv2 Log: [A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d:\\d\\d \\d{4} ========\n\n";
const char* const TrailerPattern = "\n======== zv2 Log end: [A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d:\\d\\d \\d{4} ========\n";

void StartLog(const char* log, const char* hardLog)
{
	cConfig* config = Singletone<cConfig>::GetInstance();
	config->SetValue("short_name", "zv2");
	config->SetValue("log", log);
	config->SetValue("hard_log", hardLog);
	config->SetValue("log_directory", "logs");
	Singletone<cLog>::GetInstance()->Init();
}

bool Matches(const std::string& text, const std::string& pattern)
{
	return std::regex_match(text, std::regex(pattern));
}
}

TEST(Log, WritesTheFourFormatsToFileAndDebuggerOutput)
{
	for (const char* hardLog : {"true", "false"})
	{
		cTempFolder folder;
		RunInChild([&] {
			StartLog("true", hardLog);
			testing::internal::CaptureStderr();
			LOG(0, "plain %d", 1);
			LOG(1, "careful");
			int line = __LINE__ + 1;
			LOG(2, "broken %s", "thing");
			std::string debug = testing::internal::GetCapturedStderr();
			// The source is named from the project's root, wherever it was built.
			std::string where = "tests/engine/foundation/LogTest.cpp(" + std::to_string(line) + "): ";
			EXPECT_EQ(debug, "plain 1\nWarning: careful\n" + where + "Error: broken thing\n");
			std::string file = cTempFolder::ReadFile("zv2.txt");
			std::string header = file.substr(0, file.find("\n\n") + 2);
			EXPECT_TRUE(Matches(header, HeaderPattern)) << header;
			EXPECT_EQ(file.substr(header.size()),
				"plain 1\n\nWarning: careful!\n\n\n" + where + "Error: broken thing!\n\n");
		});
		// A child that is the test program started again for the second
		// step runs this check in a folder without a log: no trailer there.
		std::string file = cTempFolder::ReadFile("zv2.txt");
		const size_t end = file.rfind("\n=");
		std::string trailer = end == std::string::npos ? file : file.substr(end);
		EXPECT_TRUE(Matches(trailer, TrailerPattern)) << hardLog << ": " << trailer;
	}
}

TEST(Log, OffKeepsNoFileButStillReachesTheDebugger)
{
	cTempFolder folder;
	RunInChild([] {
		StartLog("false", "true");
		testing::internal::CaptureStderr();
		LOG(1, "quiet");
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warning: quiet\n");
	});
	EXPECT_FALSE(fs::exists("zv2.txt"));
}

TEST(Log, FallsBackToTheLogFolder)
{
	cTempFolder folder;
	fs::create_directory("zv2.txt"); // the working folder's log cannot be opened
	RunInChild([] {
		testing::internal::CaptureStderr();
		StartLog("true", "true");
		LOG(0, "moved");
		testing::internal::GetCapturedStderr();
	});
	std::string file = cTempFolder::ReadFile("logs/zv2.txt");
	EXPECT_NE(file.find("\nmoved\n"), std::string::npos) << file;
}

TEST(Log, StaysInTheWorkingFolderWhenTheCurrentFolderChanges)
{
	cTempFolder folder;
	fs::create_directories("data/sub");
	RunInChild([] {
		StartLog("true", "true");
		PushCurrentFolder("data\\sub");
		testing::internal::CaptureStderr();
		LOG(2, "while scanning");
		testing::internal::GetCapturedStderr();
		PopCurrentFolder();
	});
	EXPECT_NE(cTempFolder::ReadFile("zv2.txt").find("Error: while scanning!"), std::string::npos);
	EXPECT_TRUE(fs::is_empty("data/sub"));
}

TEST(Log, CutsLongMessagesAt999Characters)
{
	cTempFolder folder;
	RunInChild([] {
		StartLog("true", "true");
		std::string longText(5000, 'x');
		testing::internal::CaptureStderr();
		LOG(0, "%s", longText.c_str());
		EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(999, 'x') + "\n");
	});
	EXPECT_NE(cTempFolder::ReadFile("zv2.txt").find("\n" + std::string(999, 'x') + "\n\n======== zv2 Log end"),
		std::string::npos);
}

TEST(Log, ThreadsLoggingAtOnceKeepEveryLineWhole)
{
	cTempFolder folder;
	const int count = 10000;
	RunInChild([&] {
		StartLog("true", "true");
		FILE* quiet = freopen("/dev/null", "w", stderr);
		(void)quiet;
		std::thread plain([&] {
			for (int i = 0; i < count; ++i)
				LOG(0, "plain %d", i);
		});
		std::thread warnings([&] {
			for (int i = 0; i < count; ++i)
				LOG(1, "warn %d", i);
		});
		plain.join();
		warnings.join();
	});
	std::istringstream file(cTempFolder::ReadFile("zv2.txt"));
	std::set<std::string> plain, warnings;
	std::string line;
	int other = 0;
	while (std::getline(file, line))
	{
		if (line.rfind("plain ", 0) == 0)
			EXPECT_TRUE(plain.insert(line).second) << line;
		else if (line.rfind("Warning: warn ", 0) == 0 && line.back() == '!')
			EXPECT_TRUE(warnings.insert(line).second) << line;
		else if (!line.empty() && line.rfind("========", 0) != 0)
			++other;
	}
	EXPECT_EQ(plain.size(), static_cast<size_t>(count));
	EXPECT_EQ(warnings.size(), static_cast<size_t>(count));
	EXPECT_EQ(other, 0);
}

TEST(Log, FatalMessageEndsWithExitCodeOneAfterTheTrailer)
{
	cTempFolder folder;
	// The dying copy exits through the program's exit handlers: it must not
	// be a copy of a program holding the display (it would close the
	// display's connection under the program), so it is made in a child.
	RunInChild([] {
		EXPECT_EXIT(
			{
				StartLog("true", "false");
				LOG(3, "cannot go on");
			},
			testing::ExitedWithCode(1), "PROGRAM ABORTING! cannot go on");
		std::string file = cTempFolder::ReadFile("zv2.txt");
		size_t line = file.find("): PROGRAM ABORTING! cannot go on\n");
		ASSERT_NE(line, std::string::npos) << file;
		EXPECT_TRUE(Matches(file.substr(file.find('\n', line) + 1), TrailerPattern)) << file;
	});
}
