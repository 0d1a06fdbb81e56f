#pragma once
// Makes minigames by their names in the location scenarios. Every name of
// the game's table is known; a name whose minigame is not built yet makes
// nothing, like an unknown name, and says so in the log. Names compare
// exactly. Each minigame is made with its registered name, which also
// names its window, its scene and its description text.

#include "engine/foundation/Singletone.h"
#include "engine/resources/cKeywordRegistry.h"

#include <new>
#include <string>
#include <type_traits>

class cMinigame;
class cSceneObject;

class cMinigameFactory : public Singletone<cMinigameFactory>
{
public:
	typedef cKeywordRegistry<cMinigame, const std::string&, cSceneObject*> tRegistry;
	typedef tRegistry::Creator tCreator;

	// Registers the minigame table in its order.
	cMinigameFactory();

	// A new minigame of the name under the parent (which owns it), or null
	// with a log line when the name is unknown or its minigame not built.
	cMinigame* Create(const std::string& name, cSceneObject* parent) const;
	// A name already registered keeps its first creator.
	void Register(const std::string& name, tCreator creator) { m_registry.Register(name, creator); }
	const tRegistry& GetRegistry() const { return m_registry; }

private:
	tRegistry m_registry;
};

// The creator of a minigame class, for the table and for Register. A class
// whose constructor takes only the parent uses its fixed name, which is
// the name it is registered under.
template <class Minigame>
cMinigame* CreateMinigame(const std::string& name, cSceneObject* parent)
{
	if constexpr (std::is_constructible_v<Minigame, cSceneObject*>)
		return new (std::nothrow) Minigame(parent);
	else
		return new (std::nothrow) Minigame(name, parent);
}
