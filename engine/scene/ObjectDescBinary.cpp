#include "engine/scene/ObjectDescBinary.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/scene/cSceneManager.h"

void WriteObjectDesc(cStream& out, const sObjectDesc& desc)
{
	StreamWriteString(out, desc.name);
	StreamWriteString(out, Singletone<cSceneManager>::GetInstance()->GetObjectTypeName(desc.type));
	StreamWriteString(out, desc.model);
	StreamWriteString(out, desc.motion);
	StreamWriteMatrix(out, desc.local);
	StreamWriteBool(out, desc.visible);
	StreamWriteBool(out, desc.enabled);
	WriteObjectDescList(out, desc.children);
	WriteAnimationDescList(out, desc.animations);
	WritePropertyList(out, desc.properties);
	WriteMotionDescList(out, desc.motions);
	StreamWriteInt(out, desc.shaderRequirement);
	for (float channel : { desc.colour.a, desc.colour.r, desc.colour.g, desc.colour.b })
		StreamWriteFloat(out, channel);
}

void WriteObjectDescList(cStream& out, const std::vector<sObjectDesc>& list)
{
	StreamWriteU32(out, static_cast<uint32_t>(list.size()));
	for (const sObjectDesc& desc : list)
		WriteObjectDesc(out, desc);
}

void WriteAnimationDescList(cStream& out, const std::vector<sAnimationDesc>& list)
{
	StreamWriteU32(out, static_cast<uint32_t>(list.size()));
	for (const sAnimationDesc& animation : list)
	{
		StreamWriteString(out, animation.name);
		StreamWriteFloat(out, animation.speed);
	}
}

void WritePropertyList(cStream& out, const std::vector<sObjectDesc::tProperty>& list)
{
	StreamWriteU32(out, static_cast<uint32_t>(list.size()));
	for (const sObjectDesc::tProperty& property : list)
		WritePropertyPair(out, property);
}

void WritePropertyPair(cStream& out, const sObjectDesc::tProperty& property)
{
	StreamWriteString(out, property.first);
	StreamWriteString(out, property.second);
}

void WriteMotionDescList(cStream& out, const std::vector<sMotionDesc>& list)
{
	StreamWriteU32(out, static_cast<uint32_t>(list.size()));
	for (const sMotionDesc& motion : list)
		WriteMotionDesc(out, motion);
}

void WriteMotionDesc(cStream& out, const sMotionDesc& motion)
{
	StreamWriteBool(out, motion.loop);
	StreamWriteFloat(out, motion.first);
	StreamWriteFloat(out, motion.last);
	StreamWriteFloat(out, motion.length);
	StreamWriteString(out, motion.target);
	StreamWriteString(out, motion.name);
}
