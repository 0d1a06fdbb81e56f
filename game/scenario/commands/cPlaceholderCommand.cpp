#include "game/scenario/commands/cPlaceholderCommand.h"

#include "engine/foundation/cLog.h"

#include <mutex>
#include <set>

namespace
{
// True the first time a keyword is seen in the process.
bool FirstOfKeyword(const std::string& keyword)
{
	static std::mutex lock;
	static std::set<std::string> logged;
	std::lock_guard<std::mutex> guard(lock);
	return logged.insert(keyword).second;
}
}

cPlaceholderCommand::cPlaceholderCommand(const std::string& keyword, cScenarioOwner* location)
	: cScenarioCommand(keyword, location), m_keyword(keyword)
{
}

void cPlaceholderCommand::Execute()
{
	if (m_logged)
		return;
	m_logged = true;
	if (FirstOfKeyword(m_keyword))
		LOG(1, "Scenario command '%s' does nothing yet; it finishes at once", m_keyword.c_str());
}
