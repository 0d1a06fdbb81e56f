#pragma once
// The system's text log: four levels (0 information, 1 warning, 2 error,
// 3 fatal), every message to the debugger output and, with "log" on, to the
// log file "<short_name>.txt" in the working folder (else in the log
// folder). A fatal message ends the process with exit code 1 once its line
// and the trailer are written. One lock is held from Begin until the
// message is written, so threads may log at the same time.

#include "engine/foundation/Singletone.h"
#include "platform/win32/Win32Sync.h"

#include <string>

class cStream;

class cLog : public Singletone<cLog>
{
public:
	cLog();
	// Writes the trailer line when the file is on.
	~cLog() override;

	// Reads "short_name", "log", "hard_log" and "log_directory" and starts
	// a new file with the header line. May be called again to restart.
	void Init();

	// Takes the log's lock and sets the level, source and line of the next
	// message; the following Printf writes it and releases the lock.
	cLog* Begin(int level, const char* source, int line);
	// Formats at most 999 characters (longer messages are cut) and writes them.
	void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

	// Writes one message at the current level to the file and the debugger output.
	void Write(const std::string& message);
	void WriteToFile(const std::string& text);

	const std::string& GetFilePath() const { return m_filePath; }

private:
	// Opens the log file for appending (null when it cannot be opened).
	cStream* OpenFile(const std::string& path);
	void CloseFile();

	std::string m_name;
	bool m_fileOutput = false;
	bool m_reopenPerMessage = false;
	std::string m_filePath;
	cStream* m_file = nullptr;
	int m_level = 0;
	const char* m_source = "";
	int m_line = 0;
	CRITICAL_SECTION m_lock;
	// Set while the log opens its own file: a failure reported then must
	// not open the file again.
	bool m_opening = false;
	// Set once a fatal message is ending the process.
	bool m_aborting = false;
};

// The log call used by all engine and game code.
#define LOG(level, ...) Singletone<cLog>::GetInstance()->Begin((level), __FILE__, __LINE__)->Printf(__VA_ARGS__)
