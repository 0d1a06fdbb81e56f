#pragma once
// A command whose "item" children name things, in document order and with
// duplicates kept: objects of the location, aims or dialogue parts. It
// finds the named objects on the location form that owns the scenario.

#include "game/scenario/cScenarioCommand.h"

#include <functional>
#include <string>
#include <vector>

class cLocationForm;
class cSceneObject;

// The location form that owns the scenario, or null when the owner is none.
cLocationForm* GetLocationForm(cScenarioOwner* owner);

class cObjectListCommand : public cScenarioCommand
{
public:
	using cScenarioCommand::cScenarioCommand;

	// Appends the item's "name" ("" when absent).
	void ParseItem(const cXmlNode& item) override;

	const std::vector<std::string>& GetNames() const { return m_names; }

protected:
	cLocationForm* GetForm() const { return GetLocationForm(m_location); }
	// Visits the objects of the names in order (paths as the form resolves
	// them) until a visit returns false. A missing name gets one level-2
	// line, reported at the caller's file and line, and the walk goes on.
	// False when a visit stopped it.
	bool VisitNamedObjects(const std::function<bool(cSceneObject&)>& visit, const char* file, int line) const;
	// The form's pickable objects, in their order, whose names are not
	// among the names.
	std::vector<cSceneObject*> GetPickableObjectsNotNamed() const;
	// Logs at level 2, at the caller's file and line, that the location
	// lacks the object of the name.
	void LogMissingObject(const std::string& name, const char* file, int line) const;

	std::vector<std::string> m_names;
};
