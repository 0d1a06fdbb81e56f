#include "engine/graphics/cModelReader.h"

#include "engine/foundation/StreamSerialization.h"

#include <type_traits>

namespace
{
// The smallest stored size of the records, as bounds for their counts.
constexpr uint64_t kMaterialSize = 6 * 4;
constexpr uint64_t kKeySetSize = 4 * 4;
constexpr uint64_t kBoneSize = 4 + 4 + 48;
constexpr uint64_t kFrameSize = 4 + 4 + 4 + 48;
constexpr uint64_t kAnimationSetSize = 4 + 4 + 4 + 4;
constexpr uint64_t kTrackSize = 4 * 4;
constexpr uint64_t kChannelSize = 4 + 4;
constexpr uint64_t kRangeSize = 4 + 3 * 4 + 1;

static_assert(sizeof(D3DVERTEXELEMENT9) == 8);
static_assert(sizeof(sBoneWeight) == 8);
static_assert(sizeof(sMaterialKey) == 16);
static_assert(sizeof(cQuaternion) == 16);
}

bool cModelReader::Read(cModel& model)
{
	if (!Bytes(&model.boundsMin, 12, "bounds") || !Bytes(&model.boundsMax, 12, "bounds") || !String(model.name, "name")
		|| !Bytes(&model.vertexFormat, 4, "vertex format"))
		return false;
	if (model.vertexFormat == -1 && !List(model.declaration, "vertex declaration"))
		return false;
	if (!List(model.vertexBytes, "vertices") || !List(model.indices, "indices"))
		return false;

	uint32_t count;
	if (!Count(count, kMaterialSize, "materials"))
		return false;
	model.materials.resize(count);
	for (sModelMaterial& material : model.materials)
		if (!Material(material))
			return false;

	sSkeleton& skeleton = model.skeleton;
	if (!Count(count, 4, "bone names"))
		return false;
	skeleton.boneNames.resize(count);
	for (std::string& name : skeleton.boneNames)
		if (!String(name, "bone names"))
			return false;
	if (!Count(count, kBoneSize, "bones"))
		return false;
	skeleton.bones.resize(count);
	for (sModelBone& bone : skeleton.bones)
		if (!Bone(bone))
			return false;
	if (!Count(count, kFrameSize, "frames"))
		return false;
	skeleton.frames.resize(count);
	for (sModelFrame& frame : skeleton.frames)
		if (!Frame(frame, 1))
			return false;

	if (!AnimationSets(model.animationSets) || !List(model.boneKeys.keyTimes, "key times")
		|| !Count(count, kTrackSize, "bone tracks"))
		return false;
	model.boneKeys.tracks.resize(count);
	for (sBoneTrack& track : model.boneKeys.tracks)
		if (!Track(track))
			return false;

	if (!Count(count, kChannelSize, "morph channels"))
		return false;
	model.morph.channels.resize(count);
	for (sMorphChannel& channel : model.morph.channels)
		if (!Channel(channel))
			return false;
	if (!List(model.morph.keyTimes, "morph key times") || !Ranges(model.morph.animations, "morph animations"))
		return false;

	sTextureAnimation& atlas = model.textureAnimation;
	return Bytes(&atlas.uStep, 4, "texture atlas") && Bytes(&atlas.vStep, 4, "texture atlas")
		&& Bytes(&atlas.frameCount, 4, "texture atlas") && Bytes(&atlas.framesPerRow, 4, "texture atlas")
		&& Ranges(atlas.animations, "texture animations");
}

bool cModelReader::Fail(const char* what)
{
	if (m_error.empty())
		m_error = what;
	return false;
}

bool cModelReader::Bytes(void* destination, uint64_t size, const char* what)
{
	if (size > m_stream.GetRemaining() || m_stream.Read(destination, uint32_t(size)) != size)
		return Fail(what);
	return true;
}

bool cModelReader::Count(uint32_t& count, uint64_t smallestElement, const char* what)
{
	return StreamReadCount(m_stream, count, smallestElement) || Fail(what);
}

bool cModelReader::String(std::string& value, const char* what)
{
	return StreamReadString(m_stream, value) || Fail(what);
}

bool cModelReader::Matrix(cMatrix& matrix, const char* what)
{
	return StreamReadMatrix(m_stream, matrix) || Fail(what);
}

template <class T>
bool cModelReader::List(std::vector<T>& list, const char* what)
{
	static_assert(std::is_trivially_copyable_v<T>);
	uint32_t count;
	if (!Count(count, sizeof(T), what))
		return false;
	list.resize(count);
	return Bytes(list.data(), uint64_t(count) * sizeof(T), what);
}

bool cModelReader::Material(sModelMaterial& material)
{
	const char* what = "materials";
	uint32_t count;
	if (!Bytes(&material.startIndex, 4, what) || !Bytes(&material.triangleCount, 4, what)
		|| !Count(count, kKeySetSize, what))
		return false;
	material.keySets.resize(count);
	for (sMaterialKeySet& set : material.keySets)
		for (std::vector<sMaterialKey>& keys : set.keys)
			if (!List(keys, what))
				return false;
	if (!List(material.values, what) || !Count(count, 48, what))
		return false;
	material.textureMatrices.resize(count);
	for (cMatrix& matrix : material.textureMatrices)
		if (!Matrix(matrix, what))
			return false;
	if (!Count(count, 4, what))
		return false;
	material.textureNames.resize(count);
	for (std::string& name : material.textureNames)
		if (!String(name, what))
			return false;
	return true;
}

bool cModelReader::Bone(sModelBone& bone)
{
	return String(bone.name, "bones") && List(bone.weights, "bones") && Matrix(bone.offset, "bones");
}

bool cModelReader::Frame(sModelFrame& frame, int depth)
{
	if (depth > kMaxFrameDepth)
		return Fail("frames nested too deep");
	uint32_t count;
	if (!String(frame.name, "frames") || !Bytes(&frame.bone, 4, "frames") || !Count(count, kFrameSize, "frames"))
		return false;
	frame.children.resize(count);
	for (sModelFrame& child : frame.children)
		if (!Frame(child, depth + 1))
			return false;
	return Matrix(frame.local, "frames");
}

bool cModelReader::AnimationSets(std::map<std::string, sAnimationSetDesc>& sets)
{
	const char* what = "animation sets";
	sets.clear();
	uint32_t count;
	if (!Count(count, kAnimationSetSize, what))
		return false;
	for (uint32_t i = 0; i < count; ++i)
	{
		std::string name;
		sAnimationSetDesc set;
		if (!String(name, what) || !String(set.setName, what) || !Bytes(&set.beginTime, 4, what)
			|| !Bytes(&set.endTime, 4, what))
			return false;
		sets.emplace(name, set);
	}
	return true;
}

bool cModelReader::Track(sBoneTrack& track)
{
	const char* what = "bone tracks";
	return String(track.frameName, what) && List(track.scaleKeys, what) && List(track.rotationKeys, what)
		&& List(track.translationKeys, what);
}

bool cModelReader::Channel(sMorphChannel& channel)
{
	const char* what = "morph channels";
	uint32_t count;
	if (!Bytes(&channel.component, 4, what) || !Count(count, 4, what))
		return false;
	channel.frames.resize(count);
	for (std::vector<cVector3d>& frame : channel.frames)
		if (!List(frame, what))
			return false;
	return true;
}

bool cModelReader::Ranges(std::map<std::string, sAnimationRange>& ranges, const char* what)
{
	ranges.clear();
	uint32_t count;
	if (!Count(count, kRangeSize, what))
		return false;
	for (uint32_t i = 0; i < count; ++i)
	{
		std::string name;
		sAnimationRange range;
		uint8_t loop = 0;
		if (!String(name, what) || !Bytes(&range.start, 4, what) || !Bytes(&range.end, 4, what)
			|| !Bytes(&range.length, 4, what) || !Bytes(&loop, 1, what))
			return false;
		range.loop = loop != 0;
		ranges.emplace(name, range);
	}
	return true;
}
