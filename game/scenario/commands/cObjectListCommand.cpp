#include "game/scenario/commands/cObjectListCommand.h"

#include "engine/foundation/cLog.h"
#include "engine/foundation/cXmlNode.h"
#include "game/location/cLocationForm.h"

#include <algorithm>

cLocationForm* GetLocationForm(cScenarioOwner* owner)
{
	return dynamic_cast<cLocationForm*>(owner);
}

void cObjectListCommand::ParseItem(const cXmlNode& item)
{
	m_names.push_back(GetXmlAttribute(&item, "name", ""));
}

bool cObjectListCommand::VisitNamedObjects(const std::function<bool(cSceneObject&)>& visit, const char* file, int line) const
{
	cLocationForm* form = GetForm();
	if (!form)
		return true;
	for (const std::string& name : m_names)
	{
		cSceneObject* object = form->FindObject(name);
		if (!object)
			LogMissingObject(name, file, line);
		else if (!visit(*object))
			return false;
	}
	return true;
}

std::vector<cSceneObject*> cObjectListCommand::GetPickableObjectsNotNamed() const
{
	std::vector<cSceneObject*> objects;
	if (cLocationForm* form = GetForm())
		for (cSceneObject* object : form->GetPickableObjects())
			if (std::find(m_names.begin(), m_names.end(), object->GetName()) == m_names.end())
				objects.push_back(object);
	return objects;
}

void cObjectListCommand::LogMissingObject(const std::string& name, const char* file, int line) const
{
	const cLocationForm* form = GetForm();
	Singletone<cLog>::GetInstance()->Begin(2, file, line)->Printf("Location '%s' error. Object '%s' not found\n",
		form ? form->GetName().c_str() : "", name.c_str());
}
