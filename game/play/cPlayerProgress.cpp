#include "game/play/cPlayerProgress.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/scene/cSceneObject.h"
#include "game/scenario/cScenarioCommand.h"

#include <algorithm>

cPlayerProgress* g_currentProgress = nullptr;

namespace
{
// The smallest encoded inventory item and location save.
constexpr uint64_t SmallestItem = 4 + 4;
constexpr uint64_t SmallestLocationSave = 4 + 4 + 4 + 18;

// The entry of the name in a (const or not) inventory, or its end.
template <class Inventory>
auto FindItem(Inventory& inventory, const std::string& name)
{
	return std::find_if(inventory.begin(), inventory.end(), [&](const sInventoryItem& held) { return held.name == name; });
}

void WriteInventory(cStream& stream, const std::vector<sInventoryItem>& inventory)
{
	StreamWriteU32(stream, static_cast<uint32_t>(inventory.size()));
	for (const sInventoryItem& item : inventory)
	{
		StreamWriteString(stream, item.name);
		StreamWriteInt(stream, item.count);
	}
}

bool ReadInventory(cStream& stream, std::vector<sInventoryItem>& inventory)
{
	uint32_t count;
	if (!StreamReadCount(stream, count, SmallestItem))
		return false;
	inventory.resize(count);
	for (sInventoryItem& item : inventory)
		if (!StreamReadString(stream, item.name) || !StreamReadInt(stream, item.count))
			return false;
	return true;
}

void WriteLocationSaves(cStream& stream, std::map<std::string, sLocationSave>& saves)
{
	StreamWriteU32(stream, static_cast<uint32_t>(saves.size()));
	for (auto& [location, save] : saves)
	{
		StreamWriteString(stream, location);
		StreamWriteString(stream, save.stateName);
		const uint32_t size = save.scenarioData.GetSize();
		StreamWriteU32(stream, size);
		stream.Write(save.scenarioData.GetData(), size);
		save.objects.Write(stream);
	}
}

bool ReadScenarioData(cStream& stream, cMemoryStream& data)
{
	uint32_t size;
	if (!StreamReadCount(stream, size, 1))
		return false;
	data.CopyFrom(stream, size);
	data.Seek(0, cStream::FromStart);
	return data.GetSize() == size;
}

bool ReadLocationSaves(cStream& stream, std::map<std::string, sLocationSave>& saves)
{
	uint32_t count;
	if (!StreamReadCount(stream, count, SmallestLocationSave))
		return false;
	for (uint32_t i = 0; i < count; ++i)
	{
		std::string location;
		sLocationSave save;
		if (!StreamReadString(stream, location) || !StreamReadString(stream, save.stateName) ||
			!ReadScenarioData(stream, save.scenarioData) || !save.objects.Read(stream))
			return false;
		saves.emplace(location, std::move(save));
	}
	return true;
}

void WriteIntList(cStream& stream, const std::vector<int>& list)
{
	StreamWriteU32(stream, static_cast<uint32_t>(list.size()));
	for (int value : list)
		StreamWriteInt(stream, value);
}

bool ReadIntList(cStream& stream, std::vector<int>& list)
{
	uint32_t count;
	if (!StreamReadCount(stream, count, 4))
		return false;
	list.resize(count);
	for (int& value : list)
		if (!StreamReadInt(stream, value))
			return false;
	return true;
}
}

cPlayerProgress::~cPlayerProgress()
{
	if (g_currentProgress == this)
		g_currentProgress = nullptr;
}

void cPlayerProgress::Activate()
{
	cProfile::Activate();
	g_currentProgress = this;
}

void cPlayerProgress::WriteBody(cStream& stream)
{
	StreamWriteString(stream, currentLocation);
	WriteInventory(stream, inventory);
	WriteLocationSaves(stream, locationSaves);
	WriteIntList(stream, mapPlaces);
	StreamWriteBool(stream, panelShown);
	StreamWriteInt(stream, ispyFoundCount);
	StreamWriteInt(stream, ispyTargetCount);
	StreamWriteBool(stream, ispyMode);
	StreamWriteBool(stream, ispyCollecting);
	StreamWriteStringList(stream, ispyObjects);
	StreamWriteString(stream, ispyListName);
	StreamWriteString(stream, music);
	StreamWriteStringIntMap(stream, aimStates);
	StreamWriteStringWideMap(stream, aimTexts);
	StreamWriteFloat(stream, hintCharge);
	StreamWriteStringBoolMap(stream, hintsShown);
	StreamWriteStringList(stream, cursorObjects);
	StreamWriteInt(stream, gameCounter);
	StreamWriteBool(stream, restartPending);
	StreamWriteBool(stream, introHintShown);
	StreamWriteStringList(stream, loopingSounds);
}

bool cPlayerProgress::ReadFields(cStream& stream)
{
	return StreamReadString(stream, currentLocation) && ReadInventory(stream, inventory) &&
		ReadLocationSaves(stream, locationSaves) && ReadIntList(stream, mapPlaces) &&
		StreamReadBool(stream, panelShown) && StreamReadInt(stream, ispyFoundCount) &&
		StreamReadInt(stream, ispyTargetCount) && StreamReadBool(stream, ispyMode) &&
		StreamReadBool(stream, ispyCollecting) && StreamReadStringList(stream, ispyObjects) &&
		StreamReadString(stream, ispyListName) && StreamReadString(stream, music) &&
		StreamReadStringIntMap(stream, aimStates) && StreamReadStringWideMap(stream, aimTexts) &&
		StreamReadFloat(stream, hintCharge) && StreamReadStringBoolMap(stream, hintsShown) &&
		StreamReadStringList(stream, cursorObjects) && StreamReadInt(stream, gameCounter) &&
		StreamReadBool(stream, restartPending) && StreamReadBool(stream, introHintShown) &&
		StreamReadStringList(stream, loopingSounds);
}

bool cPlayerProgress::ReadBody(cStream& stream)
{
	if (stream.GetRemaining() == 0)
		return true;
	cPlayerProgress fresh;
	if (!fresh.ReadFields(stream))
		return false;
	fresh.SetName(GetName());
	fresh.secondName = secondName;
	*this = std::move(fresh);
	return true;
}

void cPlayerProgress::AddItemCount(const std::string& name, int delta)
{
	auto item = FindItem(inventory, name);
	if (item == inventory.end())
		inventory.push_back({name, delta});
	else if ((item->count += delta) == 0)
		inventory.erase(item);
}

int cPlayerProgress::GetItemCount(const std::string& name) const
{
	auto item = FindItem(inventory, name);
	return item == inventory.end() ? 0 : item->count;
}

void cPlayerProgress::Restart()
{
	cPlayerProgress fresh;
	fresh.SetName(GetName());
	fresh.gameCounter = gameCounter + 1;
	*this = std::move(fresh);
}

const std::string& cPlayerProgress::GetLocationStateName(const std::string& location) const
{
	static const std::string none;
	auto save = locationSaves.find(location);
	return save == locationSaves.end() ? none : save->second.stateName;
}

void cPlayerProgress::SetLocationStateName(const std::string& location, const std::string& state)
{
	locationSaves[location].stateName = state;
}

void cPlayerProgress::SaveScenario(const std::string& location, cScenarioCommand* command)
{
	cMemoryStream& data = locationSaves[location].scenarioData;
	data.SetSize(0);
	data.Seek(0, cStream::FromStart);
	if (command)
		command->Save(data);
}

bool cPlayerProgress::RestoreScenario(const std::string& location, cScenarioCommand* command)
{
	auto save = locationSaves.find(location);
	if (save == locationSaves.end() || !command)
		return false;
	cMemoryStream& data = save->second.scenarioData;
	data.Seek(0, cStream::FromStart);
	return command->Restore(data);
}

namespace
{
// Applies the first of the records named like the object to it and its
// children; false when a record is missing at any depth.
bool ApplyObjectState(const std::vector<cSavedObjectState>& records, cSceneObject& object)
{
	auto record = std::find_if(records.begin(), records.end(),
		[&](const cSavedObjectState& saved) { return saved.name == object.GetName(); });
	if (record == records.end())
		return false;
	object.SetEnabled(record->enabled);
	object.SetVisible(record->visible);
	if (!record->motion.empty())
		object.GetMotions().PlayByName(record->motion);
	if (!record->animation.empty())
		object.GetAnimations().PlayByName(record->animation);
	for (cSceneObject* child : object.GetChildList().GetChildren())
		if (!ApplyObjectState(record->children, *child))
			return false;
	return true;
}
}

bool cPlayerProgress::ApplyObjectStates(const std::string& location, const std::vector<cSceneObject*>& objects)
{
	auto save = locationSaves.find(location);
	if (save == locationSaves.end())
		return false;
	for (cSceneObject* object : objects)
		if (!ApplyObjectState(save->second.objects.children, *object))
			return false;
	return true;
}

cProfile* CreatePlayerProgress()
{
	return new cPlayerProgress;
}
