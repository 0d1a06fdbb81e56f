#pragma once
// Scene descriptions for the scene-building tests: an object type with a
// probe visual, a text form of a built tree that shows everything building
// sets, and scene resources read from resource-list text.

#include "SceneTestSupport.h"

#include "engine/foundation/cXmlDocument.h"
#include "engine/scene/cMotionPlayer.h"
#include "engine/scene/cSceneResource.h"
#include "engine/scene/sObjectDesc.h"

#include <cstdio>

// Type "probe": a probe visual that records models and animator speeds,
// and the count of children that existed when OnLoaded ran.
class cProbeObject : public cSceneObject
{
public:
	cProbeObject(const std::string& name, cSceneObject* parent) : cSceneObject(name, parent)
	{
		SetVisual(new cProbeVisual(this));
	}
	static cSceneObject* Create(const std::string& name, cSceneObject* parent) { return new cProbeObject(name, parent); }
	void OnLoaded() override { childrenWhenLoaded = int(GetChildList().GetChildren().size()); }
	std::string GetTypeName() const override { return "probe"; }

	int childrenWhenLoaded = -1;
};

inline void RegisterProbeType()
{
	Singletone<cSceneManager>::GetInstance()->RegisterObjectType("probe", &cProbeObject::Create);
}

// One line per object, children indented below their parent: type, name,
// flags, local matrix, colour, properties, motion clips and what the
// visual was told.
inline void DescribeTree(cSceneObject* object, std::string& out, int depth = 0)
{
	char text[512];
	const cMatrix& m = object->GetTransform().GetLocalMatrix();
	const sColor& c = object->GetTransform().GetLocalColor();
	std::snprintf(text, sizeof text,
		"%*s%s '%s' visible %d enabled %d local %g %g %g %g %g %g %g %g %g %g %g %g colour %g %g %g %g", depth * 2, "",
		object->GetTypeName().c_str(), object->GetName().c_str(), object->IsVisible(), object->IsEnabled(), m._11,
		m._12, m._13, m._21, m._22, m._23, m._31, m._32, m._33, m._41, m._42, m._43, c.r, c.g, c.b, c.a);
	out += text;
	for (const auto& entry : object->GetProperties().GetMap())
		out += " " + entry.first + "=" + object->GetProperties().GetProperty(entry.first);
	if (cMotionPlayer* player = object->GetMotions().GetPlayer())
	{
		cResource* motion = player->GetMotion().Get();
		out += " motion " + (motion ? motion->GetName() : std::string("(none)"));
		for (const auto& [name, clip] : player->GetClips())
		{
			std::snprintf(text, sizeof text, " clip %s %g %g %g %d", name.c_str(), clip.first, clip.last, clip.length,
				clip.loop);
			out += text;
		}
	}
	if (auto* probe = dynamic_cast<cProbeVisual*>(object->GetVisual()))
	{
		out += " model " + probe->model;
		for (const std::string& param : probe->animatorParams)
			out += " speed " + param;
	}
	out += "\n";
	for (cSceneObject* child : object->GetChildList().GetChildren())
		DescribeTree(child, out, depth + 1);
}

inline std::string DescribeTree(cSceneObject* object)
{
	std::string out;
	DescribeTree(object, out);
	return out;
}

// A scene resource named name, read from a resource list's text whose
// first element declares it.
inline cSceneResource* SceneFromXml(const std::string& name, const std::string& listText)
{
	cMemoryStream stream;
	stream.Write(listText.data(), uint32_t(listText.size()));
	stream.Seek(0, cStream::FromStart);
	cXmlDocument document(stream);
	auto* scene = new cSceneResource(name, sResourceSource());
	scene->ReadDescription(*document.GetRoot().GetFirstChild());
	return scene;
}

inline std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

// A scene with every kind of content: placements, colours, flags, models,
// motions and clips, animation speeds, properties and nesting.
inline sObjectDesc SampleScene()
{
	const int probe = Singletone<cSceneManager>::GetInstance()->GetObjectTypeId("probe");
	sObjectDesc root;
	root.name = "sample";
	sObjectDesc bg;
	bg.name = "bg";
	bg.type = probe;
	bg.model = "back_tex";
	bg.motion = "walk";
	bg.local = Translation(1.5f, -2.25f, 300);
	bg.local._11 = 0.3f;
	bg.colour = sColor(0.2f, 0.4f, 0.6f, 0.8f);
	bg.properties = { { "sort", "5" }, { "text_id", " menu\\start " }, { "light_rec", "true" } };
	bg.animations = { { "idle", 2.5f }, { "blink", 0.125f } };
	bg.motions = { { "appear", 0, 30, 1.5f, "", true }, { "disappear", 30, 60, 0.75f, "bg", false } };
	sObjectDesc hidden;
	hidden.name = "hidden";
	hidden.visible = false;
	hidden.enabled = false;
	hidden.properties = { { "unknown", "kept as text" } };
	sObjectDesc leaf;
	leaf.name = "leaf";
	leaf.type = probe;
	leaf.motion = "walk";
	leaf.motions = { { "appear", 0, 10, 0.5f, "", false } };
	hidden.children.push_back(leaf);
	bg.children.push_back(hidden);
	root.children.push_back(bg);
	sObjectDesc second;
	second.name = "second";
	second.shaderRequirement = kShaderMustNotBe;
	second.local = Translation(0, 0, -10);
	root.children.push_back(second);
	return root;
}
