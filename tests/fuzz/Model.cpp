// A model file, read as the model resource reads it: every section, then
// the checks that the geometry and the materials agree. A model read is
// bound to an instance, whose animator plays a few of its animations,
// and picked with a ray.

#include "support/FuzzTarget.h"

#include "engine/graphics/cAnimator.h"
#include "engine/foundation/cMemoryStream.h"
#include "engine/graphics/cModelControllerBase.h"
#include "engine/graphics/cModelHandle.h"
#include "engine/graphics/cModelWriter.h"

namespace
{
// Animations played per model: enough for every animator's paths.
constexpr size_t kPlayedAnimations = 3;

void AddNames(const auto& animations, std::vector<std::string>& names)
{
	for (const auto& entry : animations)
		if (names.size() < kPlayedAnimations)
			names.push_back(entry.first);
}

void Animate(cModelControllerBase& instance)
{
	cAnimator* animator = instance.GetAnimator();
	const cModel* model = instance.GetModel();
	if (!animator || !model)
		return;
	std::vector<std::string> names;
	AddNames(model->animationSets, names);
	AddNames(model->morph.animations, names);
	AddNames(model->textureAnimation.animations, names);
	for (const std::string& name : names)
	{
		sAnimationRequest request;
		request.name = name;
		request.fadeTime = 0.25f;
		animator->Play(0, request);
		for (int frame = 0; frame < 3; ++frame)
			animator->Update(0.4f);
	}
}

void Run(const uint8_t* data, size_t size)
{
	auto* resource = new cModelResource("fuzzed", MemorySource(data, size));
	resource->AddToIndex();
	{
		cModelControllerBase instance{cModelHandle("fuzzed")};
		Animate(instance);
		instance.HitTest({cVector3d(0.5f, 0.5f, -10), cVector3d(0, 0, 20)});
	}
	resource->RemoveFromIndex();
	delete resource;
}

// A textured quad (position and one coordinate pair per vertex) in two
// materials.
void AddQuad(cModel& model)
{
	const float vertices[4][5] = {{0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 0, 0, 1, 1}, {0, 0, 0, 0, 1}};
	const auto* bytes = reinterpret_cast<const uint8_t*>(vertices);
	model.vertexBytes.assign(bytes, bytes + sizeof vertices);
	model.indices = {0, 1, 2, 0, 2, 3};
	model.boundsMax = cVector3d(1, 1, 0);
	sModelMaterial first;
	first.triangleCount = 1;
	first.keySets.resize(1);
	first.keySets[0].keys[2] = {{cVector3d(1, 0.5f, 0.25f), 1}};
	first.values = {7, 9};
	first.textureMatrices.resize(1);
	first.textureNames = {"wood", ""};
	sModelMaterial second;
	second.startIndex = 3;
	second.triangleCount = 1;
	model.materials = {first, second};
}

// Every animation section filled: a skeleton of nested frames with a key
// track, morph frames and a texture atlas.
void AddAnimations(cModel& model)
{
	sSkeleton& skeleton = model.skeleton;
	skeleton.boneNames = {"root", "arm"};
	skeleton.bones.resize(2);
	skeleton.bones[0].name = "root";
	skeleton.bones[0].weights = {{0, 1}, {1, 1}};
	skeleton.bones[1].name = "arm";
	skeleton.bones[1].weights = {{2, 0.5f}, {3, 1}};
	sModelFrame arm;
	arm.name = "arm";
	arm.bone = 1;
	sModelFrame root;
	root.name = "root";
	root.children = {arm};
	skeleton.frames = {root};
	model.animationSets["walk"] = {"walk", 0, 1};
	model.boneKeys.keyTimes = {0, 0.5f, 1};
	sBoneTrack track;
	track.frameName = "arm";
	track.scaleKeys.assign(3, cVector3d(1, 1, 1));
	track.rotationKeys.assign(3, cQuaternion());
	track.translationKeys = {cVector3d(), cVector3d(0, 1, 0), cVector3d(0, 2, 0)};
	model.boneKeys.tracks = {track};

	sMorphChannel channel;
	channel.frames.assign(2, std::vector<cVector3d>(4, cVector3d(0.5f, 0.5f, 0)));
	model.morph.channels = {channel};
	model.morph.keyTimes = {0, 1};
	model.morph.animations["bend"] = {0, 1, 2, true};

	model.textureAnimation.uStep = 0.25f;
	model.textureAnimation.vStep = 0.5f;
	model.textureAnimation.frameCount = 8;
	model.textureAnimation.framesPerRow = 4;
	model.textureAnimation.animations["blink"] = {0, 7, 1, false};
}

std::string Written(const cModel& model)
{
	cMemoryStream out;
	cModelWriter(out).Write(model);
	return StreamBytes(out);
}

std::vector<std::string> Seeds()
{
	cModel plain;
	plain.name = "plain";
	plain.vertexFormat = D3DFVF_XYZ | D3DFVF_TEX1;
	AddQuad(plain);

	// The same layout described by a declaration.
	cModel animated;
	animated.name = "animated";
	animated.vertexFormat = -1;
	animated.declaration = {{0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
		{0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0}, D3DDECL_END()};
	AddQuad(animated);
	AddAnimations(animated);
	return {Written(plain), Written(animated)};
}
}

ZV2_FUZZ_TARGET(Model, Run, Seeds)
