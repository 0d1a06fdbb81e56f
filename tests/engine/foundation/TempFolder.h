#pragma once
// A temporary working folder for a test: entered on construction, with
// HOME and XDG_DATA_HOME pointing into it; everything is restored and
// removed on destruction. In the process a test starts again for one of
// its child steps (see ChildProcess.h) the folder is the parent's, which
// the child was started in; the parent removes it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// Set in a test program started again for one child step of a test: the
// number of that step within the test.
constexpr const char* kChildCallVariable = "ZV2_TEST_CHILD_CALL";

class cTempFolder
{
public:
	cTempFolder()
	{
		const std::filesystem::path current = std::filesystem::current_path();
		if (getenv(kChildCallVariable) && current.filename() == "work" &&
			current.parent_path().filename().string().rfind("zv2_test_", 0) == 0)
		{
			m_root = current.parent_path().string();
			m_adopted = true;
			return;
		}
		char pattern[] = "/tmp/zv2_test_XXXXXX";
		m_root = mkdtemp(pattern);
		m_savedFolder = std::filesystem::current_path();
		SaveVariable("HOME", m_savedHome);
		SaveVariable("XDG_DATA_HOME", m_savedXdg);
		setenv("HOME", (m_root + "/home").c_str(), 1);
		setenv("XDG_DATA_HOME", (m_root + "/appdata").c_str(), 1);
		std::filesystem::create_directories(m_root + "/work");
		std::filesystem::current_path(m_root + "/work");
	}

	~cTempFolder()
	{
		if (m_adopted)
			return;
		std::filesystem::current_path(m_savedFolder);
		RestoreVariable("HOME", m_savedHome);
		RestoreVariable("XDG_DATA_HOME", m_savedXdg);
		std::filesystem::remove_all(m_root);
	}

	const std::string& Root() const { return m_root; }
	// The working folder (host form).
	std::string Work() const { return m_root + "/work"; }
	// The engine's form of a host path.
	static std::string EnginePath(std::string path)
	{
		for (char& c : path)
			if (c == '/')
				c = '\\';
		return path;
	}

	static std::string ReadFile(const std::string& hostPath)
	{
		std::ifstream in(hostPath, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	static void WriteFile(const std::string& hostPath, const std::string& bytes)
	{
		std::filesystem::path parent = std::filesystem::path(hostPath).parent_path();
		if (!parent.empty())
			std::filesystem::create_directories(parent);
		std::ofstream(hostPath, std::ios::binary) << bytes;
	}

private:
	static void SaveVariable(const char* name, std::string& saved)
	{
		const char* value = getenv(name);
		saved = value ? value : "\x01";
	}

	static void RestoreVariable(const char* name, const std::string& saved)
	{
		if (saved == "\x01")
			unsetenv(name);
		else
			setenv(name, saved.c_str(), 1);
	}

	std::string m_root;
	bool m_adopted = false;
	std::filesystem::path m_savedFolder;
	std::string m_savedHome;
	std::string m_savedXdg;
};
