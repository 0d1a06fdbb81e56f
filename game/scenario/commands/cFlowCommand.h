#pragma once
// The keyword "command": the scenario's requests to the rest of the game.
// Its item's "name" is the sub-command (showing and hiding the game panel,
// back to the main menu, comics, movies, the map, cursor objects, combining
// items, help arrows, hidden-object mode, switches); the item's further
// attributes are its arguments, read by position. A missing argument reads
// as the empty text. Comics, movies and the map wait for their window,
// "help" for the help window, "ispy" "collect" and "stop" for the search
// and the panel; the others finish at once.

#include "game/scenario/cScenarioCommand.h"

#include <string>
#include <utility>
#include <vector>

class cGameWaitDialog;
class cLocationForm;
class cSceneObject;

class cFlowCommand : public cScenarioCommand
{
public:
	cFlowCommand(const std::string& keyword, cScenarioOwner* location);
	// Releases the items list scene a "ispy" "start" preloaded.
	~cFlowCommand() override;

	// Reads the sub-command and its arguments (the last item counts) and
	// preloads the comics, movie or items list scene it names.
	void ParseItem(const cXmlNode& item) override;
	void Execute() override;
	int IsReady() override;
	std::string GetName() const override { return "command"; }
	// A "hint" marks the clicked object as a hint target without an item.
	void CollectEvents(std::vector<cScenarioEvent>& events, bool filtered) override;

	// "loc:path" (or a path without prefix) names an object of the location,
	// "gpanel:path" one of the game panel, with "/" or "\" between its parts.
	// Null for an empty path, a missing object or another prefix.
	cSceneObject* ResolveObject(const std::string& path) const;

	const std::string& GetSubCommand() const { return m_subCommand; }
	cGameWaitDialog* GetWaitWindow() const { return m_waitWindow; }

private:
	// The value of the argument at the position (from 1), "" past the end.
	const std::string& Value(size_t position) const;
	int Number(size_t position) const;
	cLocationForm* Location() const;
	void OpenMap();
	void RunIspy();

	std::string m_subCommand;
	std::vector<std::pair<std::string, std::string>> m_arguments;
	bool m_hintMarker = false;
	cGameWaitDialog* m_waitWindow = nullptr;
	// The items list scene preloaded for "ispy" "start"; "" for none.
	std::string m_preloadedList;
};
