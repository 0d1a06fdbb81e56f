#include "engine/graphics/cModelWriter.h"

#include "engine/foundation/StreamSerialization.h"

void cModelWriter::Write(const cModel& model)
{
	Bytes(&model.boundsMin, 12);
	Bytes(&model.boundsMax, 12);
	StreamWriteString(m_stream, model.name);
	Bytes(&model.vertexFormat, 4);
	if (model.vertexFormat == -1)
		List(model.declaration);
	List(model.vertexBytes);
	List(model.indices);

	StreamWriteU32(m_stream, uint32_t(model.materials.size()));
	for (const sModelMaterial& material : model.materials)
		Material(material);

	const sSkeleton& skeleton = model.skeleton;
	StreamWriteStringList(m_stream, skeleton.boneNames);
	StreamWriteU32(m_stream, uint32_t(skeleton.bones.size()));
	for (const sModelBone& bone : skeleton.bones)
	{
		StreamWriteString(m_stream, bone.name);
		List(bone.weights);
		StreamWriteMatrix(m_stream, bone.offset);
	}
	StreamWriteU32(m_stream, uint32_t(skeleton.frames.size()));
	for (const sModelFrame& frame : skeleton.frames)
		Frame(frame);

	StreamWriteU32(m_stream, uint32_t(model.animationSets.size()));
	for (const auto& [name, set] : model.animationSets)
	{
		StreamWriteString(m_stream, name);
		StreamWriteString(m_stream, set.setName);
		Bytes(&set.beginTime, 4);
		Bytes(&set.endTime, 4);
	}
	List(model.boneKeys.keyTimes);
	StreamWriteU32(m_stream, uint32_t(model.boneKeys.tracks.size()));
	for (const sBoneTrack& track : model.boneKeys.tracks)
	{
		StreamWriteString(m_stream, track.frameName);
		List(track.scaleKeys);
		List(track.rotationKeys);
		List(track.translationKeys);
	}

	StreamWriteU32(m_stream, uint32_t(model.morph.channels.size()));
	for (const sMorphChannel& channel : model.morph.channels)
	{
		Bytes(&channel.component, 4);
		StreamWriteU32(m_stream, uint32_t(channel.frames.size()));
		for (const std::vector<cVector3d>& frame : channel.frames)
			List(frame);
	}
	List(model.morph.keyTimes);
	Ranges(model.morph.animations);

	const sTextureAnimation& atlas = model.textureAnimation;
	Bytes(&atlas.uStep, 4);
	Bytes(&atlas.vStep, 4);
	Bytes(&atlas.frameCount, 4);
	Bytes(&atlas.framesPerRow, 4);
	Ranges(atlas.animations);
}

void cModelWriter::Bytes(const void* source, size_t size)
{
	if (size)
		m_stream.Write(source, uint32_t(size));
}

template <class T>
void cModelWriter::List(const std::vector<T>& list)
{
	StreamWriteU32(m_stream, uint32_t(list.size()));
	Bytes(list.data(), list.size() * sizeof(T));
}

void cModelWriter::Material(const sModelMaterial& material)
{
	Bytes(&material.startIndex, 4);
	Bytes(&material.triangleCount, 4);
	StreamWriteU32(m_stream, uint32_t(material.keySets.size()));
	for (const sMaterialKeySet& set : material.keySets)
		for (const std::vector<sMaterialKey>& keys : set.keys)
			List(keys);
	List(material.values);
	StreamWriteU32(m_stream, uint32_t(material.textureMatrices.size()));
	for (const cMatrix& matrix : material.textureMatrices)
		StreamWriteMatrix(m_stream, matrix);
	StreamWriteStringList(m_stream, material.textureNames);
}

// The children come before the frame's own matrix.
void cModelWriter::Frame(const sModelFrame& frame)
{
	StreamWriteString(m_stream, frame.name);
	Bytes(&frame.bone, 4);
	StreamWriteU32(m_stream, uint32_t(frame.children.size()));
	for (const sModelFrame& child : frame.children)
		Frame(child);
	StreamWriteMatrix(m_stream, frame.local);
}

void cModelWriter::Ranges(const std::map<std::string, sAnimationRange>& ranges)
{
	StreamWriteU32(m_stream, uint32_t(ranges.size()));
	for (const auto& [name, range] : ranges)
	{
		StreamWriteString(m_stream, name);
		Bytes(&range.start, 4);
		Bytes(&range.end, 4);
		Bytes(&range.length, 4);
		const uint8_t loop = range.loop ? 1 : 0;
		Bytes(&loop, 1);
	}
}
