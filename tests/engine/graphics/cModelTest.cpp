// Model files: writing and reading back every section, files that are
// damaged or inconsistent, and the "model" resource type.

#include "ModelTestSupport.h"

#include "../foundation/ChildProcess.h"
#include "../foundation/TempFolder.h"
#include "../resources/ResourceTestSupport.h"

#include "engine/foundation/StreamSerialization.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cModelReader.h"

#include <functional>

namespace
{
// A model with something in every section.
void FillEverySection(cModel& model)
{
	model.name = "crate";
	AddQuad(model, 0, 0, 10, 10);
	sModelMaterial material = Material(0, 2, { "Textures\\Rock.DDS", "", "moss" });
	material.keySets.resize(1);
	material.keySets[0].keys[2].push_back({ cVector3d(1, 2, 3), 4 });
	material.values = { 7, 8 };
	material.textureMatrices.resize(1);
	model.materials.push_back(material);

	sSkeleton& skeleton = model.skeleton;
	skeleton.boneNames = { "root", "arm" };
	skeleton.bones.resize(2);
	skeleton.bones[1].name = "arm";
	skeleton.bones[1].weights = { { 2, 0.5f }, { 3, 1.0f } };
	skeleton.bones[1].offset.MakeTranslation(cVector3d(-1, 0, 0));
	skeleton.frames.resize(1);
	skeleton.frames[0].name = "root";
	skeleton.frames[0].children.resize(1);
	skeleton.frames[0].children[0].name = "arm";
	skeleton.frames[0].children[0].bone = 1;
	skeleton.frames[0].children[0].local.MakeTranslation(cVector3d(1, 0, 0));
	model.animationSets["wave"] = { "wave_set", 0.0f, 1.0f };
	model.boneKeys.keyTimes = { 0, 1 };
	model.boneKeys.tracks.push_back({ "arm", { cVector3d(1, 1, 1) }, { cQuaternion(), cQuaternion(0, 0, 1, 0) }, {} });

	model.morph.channels.push_back({ 0, { std::vector<cVector3d>(4), std::vector<cVector3d>(4, cVector3d(1, 1, 1)) } });
	model.morph.keyTimes = { 0, 1 };
	model.morph.animations["grow"] = { 0, 1, 2, true };
	model.textureAnimation = { 0.5f, 0.25f, 8, 2, { { "run", { 0, 7, 1, false } } } };
}

bool IsEmpty(cModel& model)
{
	return model.vertexBytes.empty() && model.indices.empty() && model.materials.empty() && model.animationSets.empty()
		&& model.skeleton.bones.empty() && model.skeleton.frames.empty() && model.boneKeys.tracks.empty()
		&& model.morph.channels.empty() && model.textureAnimation.frameCount == 0
		&& model.GetVertexBuffer().GetCount() == 0 && model.GetIndexBuffer().GetCount() == 0;
}

size_t CountErrors(const std::string& log)
{
	size_t count = 0;
	for (size_t at = log.find("Error: "); at != std::string::npos; at = log.find("Error: ", at + 1))
		++count;
	return count;
}

// Loads the bytes; the model must come out empty with one error line.
void ExpectRejected(const tBytes& bytes, const std::string& what)
{
	cMemoryStream stream;
	LoadStream(stream, bytes);
	cModel model;
	testing::internal::CaptureStderr();
	EXPECT_FALSE(model.Load(stream)) << what;
	const std::string log = testing::internal::GetCapturedStderr();
	EXPECT_TRUE(IsEmpty(model)) << what;
	EXPECT_EQ(1u, CountErrors(log)) << what << ": " << log;
}
}

TEST(cModel, EverySectionReadsBackAsWritten)
{
	cModel model;
	FillEverySection(model);
	const tBytes bytes = ModelBytes(model);
	std::unique_ptr<cModel> loaded = ReadBack(model);
	EXPECT_EQ(bytes, ModelBytes(*loaded)) << "written again, the loaded model gives the same bytes";

	EXPECT_EQ("crate", loaded->name);
	EXPECT_EQ(20u, loaded->GetStride());
	EXPECT_EQ(4u, loaded->GetVertexCount());
	EXPECT_EQ(4u, loaded->GetVertexBuffer().GetCount());
	EXPECT_EQ(6u, loaded->GetIndexBuffer().GetCount());
	EXPECT_TRUE(loaded->declaration.empty()) << "an FVF code has no declaration section";
	EXPECT_EQ(10.0f, loaded->GetBoundingBox().max.x);
	ASSERT_EQ(1u, loaded->skeleton.frames[0].children.size());
	EXPECT_EQ(1.0f, loaded->skeleton.frames[0].children[0].local.m[3][0]);
	EXPECT_EQ(0.0f, loaded->skeleton.frames[0].children[0].local.m[0][3]);
	EXPECT_EQ(1.0f, loaded->skeleton.frames[0].children[0].local.m[3][3]);
	EXPECT_EQ("wave_set", loaded->animationSets.at("wave").setName);
	EXPECT_EQ(1.0f, loaded->boneKeys.tracks[0].rotationKeys[1].z);
	EXPECT_TRUE(loaded->morph.animations.at("grow").loop);
	EXPECT_EQ(7.0f, loaded->textureAnimation.animations.at("run").end);
	EXPECT_EQ(3u, loaded->materials[0].textureNames.size());
	EXPECT_EQ(4.0f, loaded->materials[0].keySets[0].keys[2][0].extra);
}

TEST(cModel, DeclarationLayoutReadsBack)
{
	cModel model;
	AddQuad(model, 0, 0, 1, 1);
	model.vertexFormat = -1;
	model.declaration = { { 0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0 },
		{ 0, 12, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 0 }, D3DDECL_END() };
	std::unique_ptr<cModel> loaded = ReadBack(model);
	EXPECT_EQ(3u, loaded->declaration.size());
	EXPECT_EQ(20u, loaded->GetStride());
	EXPECT_EQ(4u, loaded->GetVertexCount());
}

TEST(cModel, DamagedOrInconsistentFilesLoadEmptyWithOneErrorLine)
{
	LimitMemory(256u << 20);
	struct sCase
	{
		const char* what;
		std::function<void(cModel&)> change;
		// Applied to the written bytes.
		std::function<void(tBytes&)> damage;
	};
	// The index count lies after the bounds, the empty name, the format,
	// the vertex byte count and the 80 vertex bytes of one quad.
	const size_t indexCount = 12 + 12 + 4 + 4 + 4 + 80;
	const sCase cases[] = {
		{ "a count past the end", nullptr, [&](tBytes& bytes) { PutU32LE(&bytes[indexCount], 0x7FFFFFFF); } },
		{ "a vertex byte count past the end", nullptr, [&](tBytes& bytes) { PutU32LE(&bytes[32], 0xFFFFFFF0); } },
		{ "frames nested too deep",
			[](cModel& model) {
				model.skeleton.frames.resize(1);
				sModelFrame* frame = &model.skeleton.frames[0];
				for (int depth = 1; depth <= cModelReader::kMaxFrameDepth; ++depth)
				{
					frame->children.resize(1);
					frame = &frame->children[0];
				}
			},
			nullptr },
		{ "FVF 0: a zero stride", [](cModel& model) { model.vertexFormat = 0; }, nullptr },
		{ "a declaration of no elements", [](cModel& model) { model.vertexFormat = -1; }, nullptr },
		{ "a declaration without its end element",
			[](cModel& model) {
				model.vertexFormat = -1;
				model.declaration = { { 0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0 } };
			},
			nullptr },
		{ "a declaration with no float element",
			[](cModel& model) {
				model.vertexFormat = -1;
				model.declaration = { { 0, 0, D3DDECLTYPE_D3DCOLOR, 0, D3DDECLUSAGE_COLOR, 0 }, D3DDECL_END() };
			},
			nullptr },
		{ "an index beyond the vertices", [](cModel& model) { model.indices[5] = 4; }, nullptr },
		{ "a material past the indices", [](cModel& model) { model.materials.push_back(Material(3, 2)); }, nullptr },
	};
	for (const sCase& c : cases)
	{
		cModel model;
		AddQuad(model, 0, 0, 1, 1);
		model.materials.push_back(Material(0, 2));
		model.morph.channels.resize(1);
		if (c.change)
			c.change(model);
		tBytes bytes = ModelBytes(model);
		if (c.damage)
			c.damage(bytes);
		ExpectRejected(bytes, c.what);
	}
}

TEST(cModel, EveryTruncationLoadsEmptyWithOneErrorLine)
{
	cModel model;
	FillEverySection(model);
	const tBytes bytes = ModelBytes(model);
	for (size_t length = 0; length < bytes.size(); ++length)
		ExpectRejected(tBytes(bytes.begin(), bytes.begin() + length), "cut at " + std::to_string(length));
}

TEST(cModelResource, ModelFilesLoadOnTheFirstReferenceAndUnloadOnTheLast)
{
	cTempFolder folder;
	cModel model;
	AddQuad(model, 0, 0, 1, 1);
	const tBytes bytes = ModelBytes(model);
	cTempFolder::WriteFile(folder.Work() + "/data/Tree.model", std::string(bytes.begin(), bytes.end()));
	cTempFolder::WriteFile(folder.Work() + "/data/broken.model", std::string(bytes.begin(), bytes.begin() + 40));
	// The mount stays with the child's resource manager.
	RunInChild([] {
		RegisterGraphicsResourceTypes();
		cResourceManager::GetInstance()->AddSource("data");

		cModelResource* tree = nullptr;
		{
			cModelHandle handle("tree");
			tree = handle.GetResource().Get<cModelResource>();
			ASSERT_NE(nullptr, tree);
			EXPECT_STREQ("model", tree->GetTypeName());
			ASSERT_NE(nullptr, handle.GetModel());
			EXPECT_EQ(handle.GetModel(), tree->GetModel());
			EXPECT_EQ(4u, handle.GetModel()->GetVertexCount());
		}
		EXPECT_EQ(nullptr, tree->GetModel()) << "the last release unloads the model";

		testing::internal::CaptureStderr();
		cModelHandle broken("broken");
		cModelHandle missing("missing");
		const std::string log = testing::internal::GetCapturedStderr();
		ASSERT_NE(nullptr, broken.GetModel()) << "a damaged file gives an empty model";
		EXPECT_EQ(0u, broken.GetModel()->GetVertexCount());
		EXPECT_EQ(nullptr, missing.GetModel());
		EXPECT_NE(std::string::npos, log.find("model[missing] not found")) << log;
		EXPECT_EQ(1u, CountErrors(log)) << log;
	});
}
