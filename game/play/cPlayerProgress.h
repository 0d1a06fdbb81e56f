#pragma once
// Everything the game remembers about one player between runs: the game's
// profile class. Its body is the content of the player's ".profile" file.
// The game parts that own a field read and write it directly.

#include "engine/foundation/cMemoryStream.h"
#include "game/play/cProfile.h"
#include "game/play/cSavedObjectState.h"

#include <map>
#include <string>
#include <vector>

class cScenarioCommand;
class cSceneObject;

struct sInventoryItem
{
	std::string name;
	int count = 0;

	bool operator==(const sInventoryItem&) const = default;
};

// The stored state of one location form.
struct sLocationSave
{
	// Its children are the records of the location's top objects.
	cSavedObjectState objects;
	// The current scenario state.
	std::string stateName;
	// What the state's command tree wrote of itself.
	cMemoryStream scenarioData;
};

class cPlayerProgress : public cProfile
{
public:
	cPlayerProgress() = default;
	cPlayerProgress(const cPlayerProgress&) = default;
	cPlayerProgress(cPlayerProgress&&) = default;
	cPlayerProgress& operator=(const cPlayerProgress&) = default;
	cPlayerProgress& operator=(cPlayerProgress&&) = default;
	// Clears the current-progress pointer when it names this record.
	~cPlayerProgress() override;

	// Activates the profile, then makes this record the current progress.
	void Activate() override;
	void WriteBody(cStream& stream) override;
	// Reads the whole body into a fresh record and takes it over only when
	// all of it was read; otherwise this record stays as it was (false). An
	// empty stream leaves it unchanged.
	bool ReadBody(cStream& stream) override;

	// Adds delta to the item's count, removing the item at 0; an item not
	// held is appended with delta as its count.
	void AddItemCount(const std::string& name, int delta);
	// The item's count; 0 when it is not held.
	int GetItemCount(const std::string& name) const;
	// Back to the constructor's values, keeping the profile name; the game
	// counter goes up by one.
	void Restart();
	// The stored scenario state of a location; empty without an entry.
	const std::string& GetLocationStateName(const std::string& location) const;
	void SetLocationStateName(const std::string& location, const std::string& state);
	// Empties the location's scenario data, creating its entry, and lets the
	// command tree write itself into it; a null command leaves it empty.
	void SaveScenario(const std::string& location, cScenarioCommand* command);
	// Lets the command tree read the location's scenario data from its
	// start; false when the location has no entry or the data does not fit.
	bool RestoreScenario(const std::string& location, cScenarioCommand* command);
	// Gives each object, and every object below it, the flags, motion and
	// animation stored for the location under its name. False when the
	// location has no entry or an object at any depth finds no record of
	// its name; objects met before the first miss keep what they got.
	bool ApplyObjectStates(const std::string& location, const std::vector<cSceneObject*>& objects);

	// Not stored in the file.
	std::wstring secondName;
	// Empty until a location has been entered.
	std::string currentLocation;
	// In order of first addition.
	std::vector<sInventoryItem> inventory;
	std::map<std::string, sLocationSave> locationSaves;
	// Per aim id: 1 given, 2 solved.
	std::map<std::string, int> aimStates;
	std::map<std::string, std::wstring> aimTexts;
	// Help hints already shown, by hint key.
	std::map<std::string, bool> hintsShown;
	// Dotted paths, relative to the main location, of the objects on the cursor.
	std::vector<std::string> cursorObjects;
	bool panelShown = false;
	bool ispyMode = false;
	bool ispyCollecting = false;
	// 0 to 1.
	float hintCharge = 0.0f;
	std::string ispyListName;
	int ispyTargetCount = 0;
	int ispyFoundCount = 0;
	// The objects still to be found.
	std::vector<std::string> ispyObjects;
	std::vector<std::string> loopingSounds;
	// Places opened on the map, from 0, in the order they were opened.
	std::vector<int> mapPlaces;
	// Empty for none.
	std::string music;
	// Counts the resets for a new game.
	int gameCounter = 0;
	// The next start of the game resets the progress.
	bool restartPending = false;
	bool introHintShown = false;

private:
	// Reads every stored field; false at the first thing that cannot be read.
	bool ReadFields(cStream& stream);
};

// The creator handed to the profile manager: a record with the constructor's values.
cProfile* CreatePlayerProgress();

// The current player's progress, or null.
extern cPlayerProgress* g_currentProgress;
