#include "engine/scene/cSceneResource.h"

#include "engine/foundation/cLog.h"
#include "engine/scene/ObjectDescBinary.h"
#include "engine/scene/ObjectDescXml.h"
#include "engine/scene/cObjectDescReader.h"
#include "engine/scene/cSceneObject.h"

cSceneResource::cSceneResource(const std::string& name, const sResourceSource& source)
	: cIndexedResource(name, source)
{
}

cSceneResource::~cSceneResource()
{
	delete m_root;
}

cResource* cSceneResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cSceneResource(name, source);
}

bool cSceneResource::Load()
{
	cMemoryStream bytes;
	if (!GetSource().Read(bytes))
		return m_root != nullptr;
	delete m_root;
	m_root = new sObjectDesc;
	cObjectDescReader reader(bytes);
	if (reader.ReadObjectDesc(*m_root))
		return true;
	LOG(2, "scene_resource[%s] damaged scene (%s)", GetName().c_str(), reader.GetError().c_str());
	delete m_root;
	m_root = nullptr;
	return false;
}

bool cSceneResource::Unload()
{
	if (!GetSource().stream && GetSource().path.empty())
		return true;
	delete m_root;
	m_root = nullptr;
	return true;
}

void cSceneResource::Save(cStream& out)
{
	if (m_root)
		WriteObjectDesc(out, *m_root);
	else
		cResource::Save(out);
}

void cSceneResource::ReadDescription(const cXmlNode& element)
{
	delete m_root;
	m_root = new sObjectDesc;
	m_root->name = GetName();
	for (const cXmlNode* child = element.GetFirstChild(); child; child = child->GetNextSibling())
		ParseObjectElement(*child, *m_root);
}

bool cSceneResource::BuildInto(const std::string& name, cSceneObject& object)
{
	cSceneResource* scene = cResourceManager::GetResourceByName<cSceneResource>(name);
	const bool built = scene && scene->GetRoot();
	if (built)
		object.LoadFromDesc(*scene->GetRoot());
	if (scene)
		scene->Release();
	return built;
}
