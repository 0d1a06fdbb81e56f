#include "engine/foundation/cLog.h"

#include "engine/foundation/Folders.h"
#include "engine/foundation/PropertyValue.h"
#include "engine/foundation/cAutoLock.h"
#include "engine/foundation/cConfig.h"
#include "engine/foundation/cCrashHandler.h"
#include "engine/foundation/cFileStream.h"
#include "platform/win32/Win32Debug.h"
#include "platform/win32/Win32Path.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{
// The local time as "Wed Jan 02 02:03:55 1980".
std::string LocalTimeText()
{
	time_t now = time(nullptr);
	tm local{};
	localtime_r(&now, &local);
	char buffer[64];
	strftime(buffer, sizeof(buffer), "%a %b %d %H:%M:%S %Y", &local);
	return buffer;
}

bool IsAbsolute(const std::string& path)
{
	return !path.empty() && (path[0] == '\\' || path[0] == '/');
}
}

cLog::cLog()
{
	InitializeCriticalSection(&m_lock);
}

cLog::~cLog()
{
	EnterCriticalSection(&m_lock);
	if (m_fileOutput)
	{
		if (!m_file)
			m_file = OpenFile(m_filePath);
		WriteToFile("\n======== " + m_name + " Log end: " + LocalTimeText() + " ========\n");
		CloseFile();
	}
	LeaveCriticalSection(&m_lock);
	// A fatal message ends the process while it holds the lock.
	if (!m_aborting)
		DeleteCriticalSection(&m_lock);
}

cStream* cLog::OpenFile(const std::string& path)
{
	m_opening = true;
	cFileStream* file = new cFileStream(path, 2, 6, 2);
	m_opening = false;
	if (!file->IsOpen())
	{
		delete file;
		return nullptr;
	}
	file->Seek(0, cStream::FromEnd);
	return file;
}

void cLog::CloseFile()
{
	delete m_file;
	m_file = nullptr;
}

void cLog::Init()
{
	cAutoLock lock(&m_lock);
	CloseFile();
	cConfig* config = Singletone<cConfig>::GetInstance();
	m_name = config->GetValue("short_name");
	m_fileOutput = TextToBool(config->GetValue("log"));
	m_reopenPerMessage = TextToBool(config->GetValue("hard_log"));
	std::string folder = config->GetValue("log_directory");
	CreateFolderRecursive(folder);

	// The path is made absolute once: later changes of the current folder
	// (the resource scan enters sub-folders) must not move the log.
	m_filePath = GetCurrentFolder() + "\\" + m_name + ".txt";
	const std::string absoluteFolder = IsAbsolute(folder) ? folder : GetCurrentFolder() + "\\" + folder;
	// The crash report goes where the messages go, the dump into the log folder.
	cCrashHandler::SetReportFiles("", ToHostPath(absoluteFolder));
	if (!m_fileOutput)
		return;
	m_file = OpenFile(m_filePath);
	if (!m_file)
	{
		m_filePath = absoluteFolder + "\\" + m_name + ".txt";
		m_file = OpenFile(m_filePath);
	}
	if (!m_file)
	{
		// No file can be had: messages still reach the debugger output.
		m_fileOutput = false;
		return;
	}
	cCrashHandler::SetReportFiles(ToHostPath(m_filePath), ToHostPath(absoluteFolder));
	m_file->SetSize(0);
	WriteToFile("======== " + m_name + " Log: " + LocalTimeText() + " ========\n\n");
	if (m_reopenPerMessage)
		CloseFile();
}

cLog* cLog::Begin(int level, const char* source, int line)
{
	EnterCriticalSection(&m_lock);
	m_level = level;
	m_source = source;
	m_line = line;
	return this;
}

void cLog::Printf(const char* format, ...)
{
	char buffer[1000];
	va_list args;
	va_start(args, format);
	vsnprintf(buffer, sizeof(buffer), format, args);
	va_end(args);
	buffer[sizeof(buffer) - 1] = '\0';
	Write(buffer);
	LeaveCriticalSection(&m_lock);
}

void cLog::Write(const std::string& message)
{
	cAutoLock lock(&m_lock);
	// Taken now: reporting a failure while writing may log again.
	const int level = m_level;
	const std::string where = std::string(m_source) + "(" + std::to_string(m_line) + "): ";
	std::string fileText;
	std::string debugText;
	switch (level)
	{
	case 0:
		fileText = debugText = message + "\n";
		break;
	case 1:
		fileText = "\nWarning: " + message + "!\n\n";
		debugText = "Warning: " + message + "\n";
		break;
	case 2:
		fileText = "\n" + where + "Error: " + message + "!\n\n";
		debugText = where + "Error: " + message + "\n";
		break;
	default:
		fileText = debugText = where + "PROGRAM ABORTING! " + message + "\n";
		break;
	}
	WriteToFile(fileText);
	OutputDebugStringA(debugText.c_str());
	if (level >= 3)
	{
		// The normal exit path runs: the singletons go and the trailer is written.
		m_aborting = true;
		exit(1);
	}
}

void cLog::WriteToFile(const std::string& text)
{
	cAutoLock lock(&m_lock);
	if (!m_fileOutput || m_opening)
		return;
	if (m_reopenPerMessage && !m_file)
		m_file = OpenFile(m_filePath);
	if (m_file && !text.empty())
		m_file->Write(text.data(), static_cast<uint32_t>(text.size()));
	if (m_reopenPerMessage)
		CloseFile();
}
