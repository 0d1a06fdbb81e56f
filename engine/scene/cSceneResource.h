#pragma once
// Type "scene_resource": one tree of object descriptions, given to whoever
// builds a scene by name. Declared in a resource list, it reads its tree
// from its element and keeps it for the whole run; as a file of its own (a
// pack entry, for instance) it decodes the binary form on the first
// reference and frees it on the last. Packing stores every tree in the
// binary form. A damaged file is logged and leaves the resource without a
// tree, which users treat like a missing scene.

#include "engine/resources/cIndexedResource.h"

class cSceneObject;
struct sObjectDesc;

class cSceneResource : public cIndexedResource<cSceneResource>
{
public:
	static constexpr const char* LookupName = "scene_resource";

	cSceneResource(const std::string& name, const sResourceSource& source);
	// Frees the tree.
	~cSceneResource() override;
	static cResource* Create(const std::string& name, const sResourceSource& source);

	// Without bytes the tree stays as it is. Otherwise a new tree replaces
	// the old; damaged bytes leave none and give false.
	bool Load() override;
	// Keeps the tree of a resource without a source stream or path.
	bool Unload() override;
	// The tree in the binary form; without a tree the source's bytes.
	void Save(cStream& out) override;
	// Builds the tree from the XML form: a root named after the resource,
	// a plain "object" with the identity placement, visible and enabled,
	// whose children are the element's child elements.
	void ReadDescription(const cXmlNode& element) override;
	const char* GetTypeName() override { return "scene_resource"; }

	// Null before reading, after unloading and when the file was damaged.
	const sObjectDesc* GetRoot() const { return m_root; }

	// Looks the scene up and builds its tree into the object; false, and
	// nothing built, when the scene is missing or has no tree.
	static bool BuildInto(const std::string& name, cSceneObject& object);

private:
	sObjectDesc* m_root = nullptr;
};
