#pragma once
// The system's text log: four levels (0 information, 1 warning, 2 error,
// 3 fatal), every message to the debugger output and, with "log" on, to the
// log file. A fatal message ends the process.

#include "engine/foundation/Singletone.h"
#include "platform/win32/Win32Sync.h"

#include <string>

class cStream;

class cLog : public Singletone<cLog>
{
public:
	cLog();
	~cLog() override;

	// Reads "short_name", "log", "hard_log" and "log_directory" and starts the file.
	void Init();

	// Takes the log's lock and sets the level, source and line of the next
	// message; the following Printf writes it and releases the lock.
	cLog* Begin(int level, const char* source, int line);
	void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

	void Write(const std::string& message);
	void WriteToFile(const std::string& text);

private:
	std::string m_name;
	bool m_fileOutput = false;
	bool m_reopenPerMessage = false;
	std::string m_filePath;
	cStream* m_file = nullptr;
	int m_level = 0;
	const char* m_source = "";
	int m_line = 0;
	CRITICAL_SECTION m_lock;
};

// The log call used by all engine and game code.
#define LOG(level, ...) Singletone<cLog>::GetInstance()->Begin((level), __FILE__, __LINE__)->Printf(__VA_ARGS__)
