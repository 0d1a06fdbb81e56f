#include "engine/foundation/cLog.h"

#include "platform/win32/Win32Debug.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

cLog::cLog()
{
	InitializeCriticalSection(&m_lock);
}

cLog::~cLog()
{
	DeleteCriticalSection(&m_lock);
}

void cLog::Init()
{
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
	Write(buffer);
	LeaveCriticalSection(&m_lock);
}

void cLog::Write(const std::string& message)
{
	std::string text;
	switch (m_level)
	{
	case 0: text = message + "\n"; break;
	case 1: text = "Warning: " + message + "\n"; break;
	case 2: text = std::string(m_source) + "(" + std::to_string(m_line) + "): Error: " + message + "\n"; break;
	default: text = std::string(m_source) + "(" + std::to_string(m_line) + "): PROGRAM ABORTING! " + message + "\n"; break;
	}
	OutputDebugStringA(text.c_str());
	if (m_level >= 3)
		exit(1);
}

void cLog::WriteToFile(const std::string&)
{
}
