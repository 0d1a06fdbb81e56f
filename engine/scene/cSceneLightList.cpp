#include "engine/scene/cSceneLightList.h"

#include "engine/graphics/sGraphicsDeviceState.h"
#include "engine/scene/cSceneManager.h"

namespace
{
// Holds the scene manager's lock while one exists; lights outliving the
// scene (destroyed at exit) have nothing to race with.
class cSceneLock : public NoCopy
{
public:
	cSceneLock() : m_section(cSceneManager::GetLiveLock())
	{
		if (m_section)
			EnterCriticalSection(m_section);
	}
	~cSceneLock()
	{
		if (m_section)
			LeaveCriticalSection(m_section);
	}

private:
	CRITICAL_SECTION* m_section;
};
}

std::list<cSceneLightList::sEntry>& cSceneLightList::Entries()
{
	// Never destroyed: objects deleted at exit may still take their entries out.
	static std::list<sEntry>* entries = new std::list<sEntry>;
	return *entries;
}

cSceneLightList::sEntry* cSceneLightList::Add()
{
	cSceneLock lock;
	return &Entries().emplace_back();
}

void cSceneLightList::Remove(sEntry* entry)
{
	cSceneLock lock;
	std::list<sEntry>& entries = Entries();
	for (auto it = entries.begin(); it != entries.end(); ++it)
		if (&*it == entry)
		{
			entries.erase(it);
			return;
		}
}

void cSceneLightList::ClearLightMarks()
{
	cSceneLock lock;
	for (sEntry& entry : Entries())
		entry.used = false;
}

void cSceneLightList::CommitLights()
{
	if (!GraphicsDevice())
		return;
	cSceneLock lock;
	for (sEntry& entry : Entries())
	{
		if (entry.used)
			entry.light.Enable();
		else if (entry.light.GetSlot() >= 0)
			entry.light.Disable();
	}
}

size_t cSceneLightList::GetCount()
{
	cSceneLock lock;
	return Entries().size();
}
