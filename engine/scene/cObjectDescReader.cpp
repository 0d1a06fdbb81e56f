#include "engine/scene/cObjectDescReader.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/scene/cSceneManager.h"

namespace
{
// The smallest stored sizes, as bounds for the counts: a description with
// empty strings and lists, an animation, a property and a motion clip.
constexpr uint64_t kObjectDescSize = 4 * 4 + 48 + 2 + 4 * 4 + 4 + 16;
constexpr uint64_t kAnimationSize = 4 + 4;
constexpr uint64_t kPropertySize = 4 + 4;
constexpr uint64_t kMotionSize = 1 + 3 * 4 + 4 + 4;
}

bool cObjectDescReader::Fail(const char* what)
{
	if (m_error.empty())
		m_error = what;
	return false;
}

bool cObjectDescReader::Count(uint32_t& count, uint64_t smallestElement, const char* what)
{
	return StreamReadCount(m_stream, count, smallestElement) || Fail(what);
}

bool cObjectDescReader::String(std::string& value, const char* what)
{
	return StreamReadString(m_stream, value) || Fail(what);
}

bool cObjectDescReader::ReadObjectDesc(sObjectDesc& desc, int depth)
{
	if (depth > kMaxDepth)
		return Fail("children nested too deep");
	std::string type;
	if (!String(desc.name, "name") || !String(type, "type name") || !String(desc.model, "model")
		|| !String(desc.motion, "motion"))
		return false;
	desc.type = Singletone<cSceneManager>::GetInstance()->GetObjectTypeId(type);
	if (!StreamReadMatrix(m_stream, desc.local) || !StreamReadBool(m_stream, desc.visible)
		|| !StreamReadBool(m_stream, desc.enabled))
		return Fail("placement");
	if (!ReadObjectDescList(desc.children, depth) || !ReadAnimationDescList(desc.animations)
		|| !ReadPropertyList(desc.properties) || !ReadMotionDescList(desc.motions))
		return false;
	sColor& colour = desc.colour;
	if (!StreamReadInt(m_stream, desc.shaderRequirement) || !StreamReadFloat(m_stream, colour.a)
		|| !StreamReadFloat(m_stream, colour.r) || !StreamReadFloat(m_stream, colour.g)
		|| !StreamReadFloat(m_stream, colour.b))
		return Fail("colour");
	return true;
}

bool cObjectDescReader::ReadObjectDescList(std::vector<sObjectDesc>& list, int depth)
{
	uint32_t count;
	if (!Count(count, kObjectDescSize, "children"))
		return false;
	list.resize(count);
	for (sObjectDesc& child : list)
		if (!ReadObjectDesc(child, depth + 1))
			return false;
	return true;
}

bool cObjectDescReader::ReadAnimationDescList(std::vector<sAnimationDesc>& list)
{
	uint32_t count;
	if (!Count(count, kAnimationSize, "animations"))
		return false;
	list.resize(count);
	for (sAnimationDesc& animation : list)
		if (!String(animation.name, "animations") || !StreamReadFloat(m_stream, animation.speed))
			return Fail("animations");
	return true;
}

bool cObjectDescReader::ReadPropertyList(std::vector<sObjectDesc::tProperty>& list)
{
	uint32_t count;
	if (!Count(count, kPropertySize, "properties"))
		return false;
	list.resize(count);
	for (sObjectDesc::tProperty& property : list)
		if (!String(property.first, "properties") || !String(property.second, "properties"))
			return false;
	return true;
}

bool cObjectDescReader::ReadMotionDescList(std::vector<sMotionDesc>& list)
{
	uint32_t count;
	if (!Count(count, kMotionSize, "motions"))
		return false;
	list.resize(count);
	for (sMotionDesc& motion : list)
		if (!ReadMotionDesc(motion))
			return false;
	return true;
}

bool cObjectDescReader::ReadMotionDesc(sMotionDesc& motion)
{
	if (!StreamReadBool(m_stream, motion.loop) || !StreamReadFloat(m_stream, motion.first)
		|| !StreamReadFloat(m_stream, motion.last) || !StreamReadFloat(m_stream, motion.length))
		return Fail("motions");
	return String(motion.target, "motions") && String(motion.name, "motions");
}
