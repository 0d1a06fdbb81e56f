#pragma once
// The plain records a model file holds besides its geometry: materials,
// the skeleton with its frame hierarchy, the bone key tracks and animation
// sets, the morph frames and the texture-atlas animation. All are copied
// by value; the animators read them through pointers into the model.

#include "engine/foundation/cMatrix.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A key of a material key list: three floats and a fourth one.
struct sMaterialKey
{
	cVector3d value;
	float extra = 0;
};

// Four key lists per set. Stored and written back, read by nothing else.
struct sMaterialKeySet
{
	std::vector<sMaterialKey> keys[4];
};

struct sModelMaterial
{
	// First index of the material's range in the index list.
	uint32_t startIndex = 0;
	uint32_t triangleCount = 0;
	std::vector<sMaterialKeySet> keySets;
	std::vector<uint32_t> values;
	std::vector<cMatrix> textureMatrices;
	// One per texture stage.
	std::vector<std::string> textureNames;
};

struct sBoneWeight
{
	uint32_t vertex = 0;
	float weight = 0;
};

struct sModelBone
{
	std::string name;
	std::vector<sBoneWeight> weights;
	// The bind-pose inverse: from model space into the bone's space.
	cMatrix offset;
};

// A node of the frame hierarchy. The combined matrix and the changed flag
// are live only in the copies that skeletal animators keep.
struct sModelFrame
{
	std::string name;
	// The bone this frame drives; a value not below the bone count drives none.
	uint32_t bone = 0;
	cMatrix local;
	cMatrix combined;
	bool changed = false;
	std::vector<sModelFrame> children;
};

struct sSkeleton
{
	// Entry i names bone i for lookups by name.
	std::vector<std::string> boneNames;
	std::vector<sModelBone> bones;
	// The root frames.
	std::vector<sModelFrame> frames;
};

// A skeletal animation set: a range on the shared key timeline. Length
// overrides are looked up under the set name.
struct sAnimationSetDesc
{
	std::string setName;
	float beginTime = 0;
	float endTime = 0;
};

// Key k of every non-empty list belongs to key time k.
struct sBoneTrack
{
	std::string frameName;
	std::vector<cVector3d> scaleKeys;
	std::vector<cQuaternion> rotationKeys;
	std::vector<cVector3d> translationKeys;
};

struct sBoneKeys
{
	// Ascending; one timeline for all tracks.
	std::vector<float> keyTimes;
	std::vector<sBoneTrack> tracks;
};

// A named range: morph ranges are times on the morph key timeline, texture
// ranges atlas frame numbers.
struct sAnimationRange
{
	float start = 0;
	float end = 0;
	// Seconds.
	float length = 0;
	bool loop = false;
};

// What a morph channel blends: 0 position, 1 normal, 2 diffuse colour
// (never blended), 3 to 10 texture coordinate sets 0 to 7.
struct sMorphChannel
{
	uint32_t component = 0;
	// Per key frame, one value per vertex; texture coordinates use x and y.
	std::vector<std::vector<cVector3d>> frames;
};

struct sMorphData
{
	std::vector<sMorphChannel> channels;
	// Ascending; frame k of every channel belongs to key time k.
	std::vector<float> keyTimes;
	std::map<std::string, sAnimationRange> animations;
};

struct sTextureAnimation
{
	float uStep = 0;
	float vStep = 0;
	// Non-zero makes the model texture-animated.
	int32_t frameCount = 0;
	int32_t framesPerRow = 0;
	std::map<std::string, sAnimationRange> animations;
};
