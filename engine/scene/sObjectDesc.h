#pragma once
// The description of one scene object and, nested, of its whole subtree:
// what cSceneObject::LoadFromDesc builds. Scene resources hold one tree of
// these, read from a resource list (XML) or from their binary form.

#include "engine/foundation/cMatrix.h"
#include "engine/foundation/sColor.h"
#include "engine/scene/sAnimationDesc.h"
#include "engine/scene/sMotionDesc.h"

#include <string>
#include <utility>
#include <vector>

// What a description asks of the graphics layer's shader support.
enum eShaderRequirement
{
	kShaderAny = 0,
	kShaderMustBe = 1,
	kShaderMustNotBe = 2,
};

struct sObjectDesc
{
	typedef std::pair<std::string, std::string> tProperty;

	std::string name;
	// Id in the scene manager's object-type registry; -1 when the type name
	// is not registered (building then makes a plain object).
	int type = 0;
	// Handed to cSceneObject::SetModel; empty for none.
	std::string model;
	// Motion resource name, lower case; empty for none.
	std::string motion;
	// Column 3 is always 0, 0, 0, 1.
	cMatrix local;
	bool visible = true;
	bool enabled = true;
	int shaderRequirement = kShaderAny;
	sColor colour { 1, 1, 1, 1 };
	std::vector<sObjectDesc> children;
	std::vector<sAnimationDesc> animations;
	// Set in order on the built object; the values stay text.
	std::vector<tProperty> properties;
	std::vector<sMotionDesc> motions;

	// Field by field, the whole subtree included.
	bool operator==(const sObjectDesc& other) const;
};
