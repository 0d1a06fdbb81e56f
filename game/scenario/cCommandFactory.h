#pragma once
// Makes scenario commands by keyword: the element names of a location's
// scenario XML. Every keyword of the game's table is known; keywords
// compare exactly.

#include "engine/foundation/Singletone.h"
#include "engine/resources/cKeywordRegistry.h"

#include <new>
#include <string>

class cScenarioCommand;
class cScenarioOwner;

class cCommandFactory : public Singletone<cCommandFactory>
{
public:
	typedef cKeywordRegistry<cScenarioCommand, const std::string&, cScenarioOwner*> tRegistry;
	typedef tRegistry::Creator tCreator;

	// Registers the keyword table in its order.
	cCommandFactory();

	// A new command of the keyword for the location, or null for a keyword
	// that is not registered.
	cScenarioCommand* Create(const std::string& keyword, cScenarioOwner* location) const
	{
		return m_registry.Create(keyword, keyword, location);
	}
	// A keyword already registered keeps its first creator.
	void Register(const std::string& keyword, tCreator creator) { m_registry.Register(keyword, creator); }
	const tRegistry& GetRegistry() const { return m_registry; }

private:
	tRegistry m_registry;
};

// The creator of a command kind, for the table and for Register.
template <class Command>
cScenarioCommand* CreateCommand(const std::string& keyword, cScenarioOwner* location)
{
	return new (std::nothrow) Command(keyword, location);
}
