#include "engine/graphics/sEmitterSet.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/graphics/sEmitterDesc.h"

namespace
{
// The smallest description: two empty track lists.
constexpr uint64_t kSmallestDescription = 8;
}

sEmitterSet::~sEmitterSet()
{
	Clear();
	cResourceManager::ReleaseResource(texture);
}

void sEmitterSet::Clear()
{
	for (sEmitterDesc* description : descriptions)
		delete description;
	descriptions.clear();
}

bool sEmitterSet::Read(cStream& stream)
{
	Clear();
	uint32_t count = 0;
	if (!StreamReadCount(stream, count, kSmallestDescription))
		return false;
	descriptions.reserve(count);
	for (uint32_t i = 0; i < count; ++i)
	{
		descriptions.push_back(new sEmitterDesc);
		if (!descriptions.back()->Read(stream))
			return false;
	}
	uint8_t loopByte = 0;
	if (!StreamReadString(stream, textureName) || !StreamReadString(stream, name) || stream.Read(&loopByte, 1) != 1)
		return false;
	loop = loopByte != 0;
	cTextureResource* found = cResourceManager::GetResourceByName<cTextureResource>(textureName);
	cResourceManager::ReleaseResource(texture);
	texture = found;
	return true;
}

void sEmitterSet::Write(cStream& stream) const
{
	StreamWriteU32(stream, uint32_t(descriptions.size()));
	for (const sEmitterDesc* description : descriptions)
		description->Write(stream);
	StreamWriteString(stream, textureName);
	StreamWriteString(stream, name);
	const uint8_t loopByte = loop ? 1 : 0;
	stream.Write(&loopByte, 1);
}

cTextureResource* sEmitterSet::GetTexture() const
{
	if (texture)
		texture->AddRef();
	return texture;
}
