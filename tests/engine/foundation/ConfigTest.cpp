#include "ChildProcess.h"
#include "TempFolder.h"

#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cLog.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const std::string SettingsFolder = "/appdata/Druvel's games/zv2";

cConfig* Config()
{
	return Singletone<cConfig>::GetInstance();
}

// What the graphics device and the sound manager do with their keys.
struct cOwners
{
	int width = 1024;
	int height = 768;
	bool window = true;

	void Bind()
	{
		cPropertyMap& settings = Config()->GetSettings();
		Config()->MarkSaved("video.width");
		settings.BindIntVariable("video.width", &width);
		Config()->MarkSaved("video.height");
		settings.BindIntVariable("video.height", &height);
		Config()->MarkSaved("video.window");
		settings.BindBoolVariable("video.window", &window);
		Config()->MarkSaved("video.width"); // marked once only
	}
};

// Captures standard error into a pipe: unlike a file, a pipe is not bound by
// the file size limit that simulates a full disk.
class cStderrPipe
{
public:
	cStderrPipe()
	{
		fflush(stderr);
		int ends[2];
		EXPECT_EQ(pipe(ends), 0);
		m_read = ends[0];
		m_savedStderr = dup(2);
		dup2(ends[1], 2);
		close(ends[1]);
	}

	// Restores standard error and returns what was written meanwhile.
	std::string Finish()
	{
		fflush(stderr);
		dup2(m_savedStderr, 2);
		close(m_savedStderr);
		std::string text;
		char buffer[4096];
		ssize_t length;
		while ((length = read(m_read, buffer, sizeof(buffer))) > 0)
			text.append(buffer, length);
		close(m_read);
		return text;
	}

private:
	int m_read = -1;
	int m_savedStderr = -1;
};

std::string SettingsFile(const cTempFolder& folder)
{
	return folder.Root() + SettingsFolder + "/zv2.xml";
}
}

TEST(Config, DefaultsAndFolders)
{
	cTempFolder folder;
	RunInChild([&] {
		EXPECT_EQ(Config()->GetValue("music_volume"), "1.0");
		EXPECT_EQ(Config()->GetValue("company name"), "Druvel's games");
		EXPECT_EQ(Config()->GetValue("pack_files_directory"), "Data");
		EXPECT_EQ(Config()->GetValue("log"), "true");
		EXPECT_EQ(Config()->GetValue("hard_log"), "true");
		const std::string appData = cTempFolder::EnginePath(folder.Root() + "/appdata");
		EXPECT_EQ(Config()->GetValue("user_directory"), appData);
		EXPECT_EQ(Config()->GetValue("log_directory"), appData);
		EXPECT_EQ(Config()->GetValue("engine_directory"), Config()->GetValue("exe_directory"));
		EXPECT_TRUE(Config()->GetSavedKeys().empty());

		Config()->SetValue("short_name", "zv2");
		EXPECT_FALSE(Config()->Load()); // no file yet
		const std::string settings = cTempFolder::EnginePath(folder.Root() + SettingsFolder);
		EXPECT_EQ(Config()->GetSettingsFolder(), settings);
		EXPECT_EQ(Config()->GetValue("engine_directory"), settings);
		EXPECT_EQ(Config()->GetValue("log_directory"), settings);
		EXPECT_TRUE(fs::is_directory(folder.Root() + SettingsFolder));
	});
}

TEST(Config, NewUserRunsTheGameTwice)
{
	cTempFolder folder;
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cOwners owners;
		owners.Bind();
		owners.width = 1280;
		Config()->SetValue("video.window", "false");
		LOG(0, "first run");
		FinishSettings();
	});
	EXPECT_EQ(cTempFolder::ReadFile(SettingsFile(folder)),
		"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
		"<config>\n"
		"\t<config>\n"
		"\t\t<item id=\"video.width\" value=\"1280\"/>\n"
		"\t\t<item id=\"video.height\" value=\"768\"/>\n"
		"\t\t<item id=\"video.window\" value=\"false\"/>\n"
		"\t</config>\n"
		"</config>");
	EXPECT_FALSE(fs::exists(SettingsFile(folder) + ".tmp"));
	std::string log = cTempFolder::ReadFile("zv2.txt");
	EXPECT_EQ(log.rfind("======== zv2 Log: ", 0), 0u) << log;
	EXPECT_NE(log.find("\nfirst run\n\n======== zv2 Log end: "), std::string::npos) << log;

	// A value edited by hand is read at the next start. The child edits: a
	// child that is the test program started again runs the checks above
	// once more, on the file as the first run wrote it.
	RunInChild([&] {
		std::string edited = cTempFolder::ReadFile(SettingsFile(folder));
		edited.replace(edited.find("1280"), 4, "800");
		cTempFolder::WriteFile(SettingsFile(folder), edited);
		StartSettingsAndLog("zv2");
		cOwners owners;
		owners.Bind();
		EXPECT_EQ(owners.width, 800);
		EXPECT_EQ(owners.height, 768);
		EXPECT_FALSE(owners.window);
		FinishSettings();
	});
	EXPECT_NE(cTempFolder::ReadFile(SettingsFile(folder)).find("value=\"800\""), std::string::npos);
	EXPECT_EQ(cTempFolder::ReadFile("zv2.txt").find("first run"), std::string::npos); // each run starts a new log
}

TEST(Config, RefusedStartKeepsTheStoredSettings)
{
	cTempFolder folder;
	const std::string stored = "<config><config><item id=\"video.width\" value=\"640\"/></config></config>";
	cTempFolder::WriteFile(SettingsFile(folder), stored);
	RunInChild([] {
		StartSettingsAndLog("zv2");
		EXPECT_EQ(Config()->GetValue("video.width"), "640");
		EXPECT_TRUE(Config()->Save()); // nothing bound: nothing written
	});
	EXPECT_EQ(cTempFolder::ReadFile(SettingsFile(folder)), stored);
}

TEST(Config, AnyElementWithIdAndValueIsApplied)
{
	cTempFolder folder;
	cTempFolder::WriteFile(SettingsFile(folder),
		"<config><config><setting id=\"log\" value=\"1\"/><item value=\"no id\"/><item id=\"no value\"/>"
		"<item id=\"a\" value=\"b\"/></config></config>");
	RunInChild([] {
		Config()->SetValue("short_name", "zv2");
		testing::internal::CaptureStderr();
		EXPECT_TRUE(Config()->Load());
		std::string logged = testing::internal::GetCapturedStderr();
		EXPECT_EQ(Config()->GetValue("log"), "1");
		EXPECT_EQ(Config()->GetValue("a"), "b");
		EXPECT_NE(logged.find("Warning: Settings file"), std::string::npos) << logged;
	});
}

TEST(Config, DamagedFilesLeaveTheDefaultsAndALogLine)
{
	const std::string good = "<config><config><item id=\"video.width\" value=\"800\"/><item id=\"log\" value=\"false\"/></config></config>";
	std::string noise(300, '\0');
	for (size_t i = 0; i < noise.size(); ++i)
		noise[i] = static_cast<char>(i * 131 + 7);
	const std::string damaged[] = {
		good.substr(0, good.size() / 2),
		good.substr(0, good.find("800") + 2),
		noise,
		"",
		"<config><other/></config>",
	};
	for (const std::string& bytes : damaged)
	{
		cTempFolder folder;
		cTempFolder::WriteFile(SettingsFile(folder), bytes);
		RunInChild([&] {
			testing::internal::CaptureStderr();
			StartSettingsAndLog("zv2");
			std::string logged = testing::internal::GetCapturedStderr();
			EXPECT_EQ(Config()->GetValue("video.width"), "") << bytes;
			EXPECT_EQ(Config()->GetValue("log"), "true") << bytes;
			EXPECT_NE(logged.find("Warning: Settings file"), std::string::npos) << logged;
		});
	}
}

TEST(Config, FailedSaveKeepsThePreviousFile)
{
	cTempFolder folder;
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cOwners owners;
		owners.Bind();
		owners.width = 640;
		FinishSettings();
	});
	const std::string previous = cTempFolder::ReadFile(SettingsFile(folder));
	ASSERT_NE(previous.find("640"), std::string::npos);

	// The disk fills up halfway through the next save.
	RunInChild([] {
		StartSettingsAndLog("zv2");
		cOwners owners;
		owners.Bind();
		owners.width = 1600;
		signal(SIGXFSZ, SIG_IGN);
		rlimit limit{100, 100};
		setrlimit(RLIMIT_FSIZE, &limit);
		cStderrPipe capture;
		EXPECT_FALSE(Config()->Save());
		std::string logged = capture.Finish();
		EXPECT_NE(logged.find("Error: Could not save the settings file"), std::string::npos) << logged;
		// The run ends here, as after a crash: no further save.
		_exit(testing::Test::HasFailure() ? 1 : 0);
	});
	EXPECT_EQ(cTempFolder::ReadFile(SettingsFile(folder)), previous);
	EXPECT_FALSE(fs::exists(SettingsFile(folder) + ".tmp"));

	RunInChild([] {
		StartSettingsAndLog("zv2");
		cOwners owners;
		owners.Bind();
		EXPECT_EQ(owners.width, 640);
	});
}
