#include "engine/scene/ObjectDescXml.h"

#include "engine/resources/ResourceUtils.h"
#include "engine/scene/cSceneManager.h"

#include <cstdio>
#include <cstdlib>

namespace
{
bool IsTrue(const std::string& value)
{
	return value == "1" || value == "true";
}

float FloatAttribute(const cXmlNode& element, const char* name, const char* fallback)
{
	return std::strtof(GetXmlAttribute(&element, name, fallback).c_str(), nullptr);
}

// Exact round trip of a float through text.
std::string FloatText(float value)
{
	char text[32];
	std::snprintf(text, sizeof text, "%.9g", value);
	return text;
}

std::string FloatsText(std::initializer_list<float> values)
{
	std::string text;
	for (float value : values)
		text += (text.empty() ? "" : " ") + FloatText(value);
	return text;
}

void SetAttribute(cXmlNode& element, const char* name, const std::string& value)
{
	element.AddAttribute(name)->SetValue(value);
}

cXmlNode& AppendElement(cXmlNode& parent, const std::string& name)
{
	auto* element = new cXmlNode(name);
	parent.AppendChild(element);
	return *element;
}

void ReadAttribute(const cXmlNode& attribute, sObjectDesc& desc)
{
	const std::string& name = attribute.GetName();
	const std::string& value = attribute.GetValue();
	if (name == "name")
		desc.name = value;
	else if (name == "shader_req")
		desc.shaderRequirement = value == "must_be" ? kShaderMustBe : value == "must_not_be" ? kShaderMustNotBe : kShaderAny;
	else if (name == "local")
		ParseMatrix(value, desc.local);
	else if (name == "model")
		desc.model = value;
	else if (name == "motion")
		desc.motion = ToLowerCase(value);
	else if (name == "enable")
		desc.enabled = IsTrue(value);
	else if (name == "visible")
		desc.visible = IsTrue(value);
	else if (name == "color")
		ParseColorText(value, desc.colour);
	else
		desc.properties.emplace_back(name, value);
}
}

void ParseObjectElement(const cXmlNode& element, sObjectDesc& parent)
{
	parent.children.emplace_back();
	sObjectDesc& desc = parent.children.back();
	const cSceneManager* scene = Singletone<cSceneManager>::GetInstance();
	desc.type = scene->GetObjectTypeId(element.GetName());
	if (desc.type < 0)
		desc.type = scene->GetObjectTypeId("object");
	for (const cXmlNode* attribute = element.GetFirstAttribute(); attribute; attribute = attribute->GetNextSibling())
		ReadAttribute(*attribute, desc);
	for (const cXmlNode* child = element.GetFirstChild(); child; child = child->GetNextSibling())
	{
		if (child->GetName() == "add_motion")
			ParseMotionElement(*child, desc);
		else if (child->GetName() == "animation")
			desc.animations.push_back({ GetXmlAttribute(child, "name", ""), FloatAttribute(*child, "speed", "1") });
		else
			ParseObjectElement(*child, desc);
	}
}

void ParseMotionElement(const cXmlNode& element, sObjectDesc& desc)
{
	sMotionDesc motion;
	motion.name = GetXmlAttribute(&element, "name", "");
	motion.first = FloatAttribute(element, "first", "0");
	motion.last = FloatAttribute(element, "last", "0");
	motion.length = FloatAttribute(element, "length", "0");
	motion.target = GetXmlAttribute(&element, "target", "");
	motion.loop = IsTrue(GetXmlAttribute(&element, "loop", ""));
	desc.motions.push_back(motion);
}

void ParseColorText(const std::string& text, sColor& colour)
{
	std::sscanf(text.c_str(), "%f %f %f %f", &colour.a, &colour.r, &colour.g, &colour.b);
}

void WriteObjectElement(const sObjectDesc& desc, cXmlNode& parent)
{
	std::string type = Singletone<cSceneManager>::GetInstance()->GetObjectTypeName(desc.type);
	cXmlNode& element = AppendElement(parent, type.empty() ? "object" : type);
	SetAttribute(element, "name", desc.name);
	if (desc.shaderRequirement != kShaderAny)
		SetAttribute(element, "shader_req", desc.shaderRequirement == kShaderMustBe ? "must_be" : "must_not_be");
	const cMatrix& m = desc.local;
	SetAttribute(element, "local",
		FloatsText({ m._11, m._12, m._13, m._21, m._22, m._23, m._31, m._32, m._33, m._41, m._42, m._43 }));
	if (!desc.model.empty())
		SetAttribute(element, "model", desc.model);
	if (!desc.motion.empty())
		SetAttribute(element, "motion", desc.motion);
	SetAttribute(element, "enable", desc.enabled ? "true" : "false");
	SetAttribute(element, "visible", desc.visible ? "true" : "false");
	const sColor& c = desc.colour;
	SetAttribute(element, "color", FloatsText({ c.a, c.r, c.g, c.b }));
	for (const auto& [key, value] : desc.properties)
		SetAttribute(element, key.c_str(), value);
	for (const sMotionDesc& motion : desc.motions)
	{
		cXmlNode& clip = AppendElement(element, "add_motion");
		SetAttribute(clip, "name", motion.name);
		SetAttribute(clip, "first", FloatText(motion.first));
		SetAttribute(clip, "last", FloatText(motion.last));
		SetAttribute(clip, "length", FloatText(motion.length));
		SetAttribute(clip, "target", motion.target);
		SetAttribute(clip, "loop", motion.loop ? "true" : "false");
	}
	for (const sAnimationDesc& animation : desc.animations)
	{
		cXmlNode& entry = AppendElement(element, "animation");
		SetAttribute(entry, "name", animation.name);
		SetAttribute(entry, "speed", FloatText(animation.speed));
	}
	for (const sObjectDesc& child : desc.children)
		WriteObjectElement(child, element);
}

void WriteSceneResourceElement(const std::string& name, const sObjectDesc& root, cXmlNode& list)
{
	cXmlNode& element = AppendElement(list, "resource");
	SetAttribute(element, "name", name);
	SetAttribute(element, "type", "scene_resource");
	for (const sObjectDesc& child : root.children)
		WriteObjectElement(child, element);
}
