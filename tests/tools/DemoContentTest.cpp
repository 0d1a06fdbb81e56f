// The demo-content generator: the same bytes on every run, content that
// the engine's readers load and draw, and packs that give the same
// resources as the folders.

#include "../engine/foundation/ChildProcess.h"
#include "../engine/foundation/TempFolder.h"
#include "../engine/graphics/GraphicsTestSupport.h"
#include "../engine/graphics/ScreenshotSupport.h"

#include "app/GameMain.h"
#include "engine/foundation/SettingsStartup.h"
#include "engine/foundation/cLog.h"
#include "engine/graphics/GraphicsResourceTypes.h"
#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/graphics/cModelController.h"
#include "engine/graphics/cModelResource.h"
#include "engine/graphics/cTextureResource.h"
#include "engine/input/cCursorManager.h"
#include "engine/resources/cResourceHandle.h"
#include "engine/resources/cResourceManager.h"
#include "engine/resources/cResourceMount.h"
#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/graphics/cParticleSystem.h"
#include "engine/scene/cCameraObject.h"
#include "engine/scene/cSceneManager.h"
#include "engine/scene/cTextVisual.h"
#include "engine/sound/cSoundResource.h"
#include "engine/sound/cSoundStream.h"
#include "engine/sound/sSoundCursor.h"
#include "game/panel/cGamePanel.h"
#include "game/play/GameObjectTypes.h"
#include "game/play/cDialogManager.h"
#include "game/play/cPlayerProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{
// Runs the generator into the folder; true when it succeeded.
bool Generate(const std::string& folder)
{
	const std::string command = std::string("'") + ZV2_CONTENT_PROGRAM + "' '" + folder + "'";
	const int status = std::system(command.c_str());
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Every file and folder below root by its relative path: a file's bytes,
// "<folder>" for a folder.
std::map<std::string, std::string> Tree(const fs::path& root)
{
	std::map<std::string, std::string> tree;
	for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
		tree[entry.path().lexically_relative(root).string()] =
			entry.is_directory() ? "<folder>" : cTempFolder::ReadFile(entry.path().string());
	return tree;
}

// What "game_config" lists, read as the game's start-up reads it.
struct sGameConfig
{
	std::vector<std::string> texts;
	std::map<int, std::string> fonts;
	struct sCursor
	{
		std::string model;
		cVector3d offset;
	};
	std::map<std::string, sCursor> cursors;
};

sGameConfig ReadGameConfig()
{
	sGameConfig config;
	cResourceHandle handle(cResourceManager::GetResourceByName<cXmlResource>("game_config"));
	auto* resource = handle.Get<cXmlResource>();
	if (!resource)
		return config;
	auto attribute = [](const cXmlNode* node, const char* name) { return GetXmlAttribute(node, name, ""); };
	for (cXmlNode* group = resource->GetDocument().GetRoot().GetFirstChild(); group; group = group->GetNextSibling())
		for (cXmlNode* item = group->GetFirstChild(); item; item = item->GetNextSibling())
		{
			if (group->GetName() == "texts" && item->GetName() == "text")
				config.texts.push_back(attribute(item, "name"));
			else if (group->GetName() == "fonts" && item->GetName() == "font")
				config.fonts[atoi(attribute(item, "id").c_str())] = attribute(item, "name");
			else if (group->GetName() == "cursors" && item->GetName() == "cursor")
			{
				sGameConfig::sCursor& cursor = config.cursors[attribute(item, "name")];
				cursor.model = attribute(item, "model");
				sscanf(attribute(item, "offset").c_str(), "%f %f %f", &cursor.offset.x, &cursor.offset.y,
					&cursor.offset.z);
			}
		}
	return config;
}

// The types the game registers before it mounts its folders.
void RegisterContentTypes()
{
	cTextManager::GetInstance();
	// The scene manager registers the scene and motion resource types.
	cSceneManager::GetInstance();
	RegisterGraphicsResourceTypes();
	cSoundResource::RegisterType(*cResourceManager::GetInstance());
	RegisterLightType();
	RegisterInventoryType();
	RegisterCharacterType();
}

// A pixel in screen coordinates with y growing upward.
D3DCOLOR At(const sPixels& pixels, int x, int y)
{
	return pixels.At(UINT(x), pixels.height - 1 - UINT(y)) & 0xFFFFFF;
}

// The box of the pixels that are not black, y growing upward: left,
// bottom, right, top (inclusive); all -1 when none is lit.
std::array<int, 4> LitBox(const sPixels& pixels)
{
	std::array<int, 4> box{-1, -1, -1, -1};
	for (int y = 0; y < int(pixels.height); ++y)
		for (int x = 0; x < int(pixels.width); ++x)
			if (At(pixels, x, y))
			{
				if (box[0] < 0)
					box = {x, y, x, y};
				box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
			}
	return box;
}

// Draws the model with its origin at the point under the mouse plus the
// offset, through a camera like the cursor's, and reads the screen back.
sPixels DrawCursor(cModelController& model, const cVector3d& mouse, const cVector3d& offset)
{
	cGraphics* graphics = cGraphics::GetInstance();
	cCamera camera;
	SetScreenCamera(camera);
	graphics->BeginScene();
	camera.Apply();
	cMatrix world;
	world.MakeTranslation(cVector3d(mouse.x + offset.x, mouse.y + offset.y, 0));
	graphics->SetWorldMatrix(world);
	graphics->SetDepthTest(false);
	model.Draw(sColor(1, 1, 1, 1));
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}

// Lays one line of text out at the origin in the font and draws it white.
sPixels DrawText(int fontId, const wchar_t* characters, sTextLayout& layout)
{
	cGraphics* graphics = cGraphics::GetInstance();
	cGraphicsText* text = cGraphicsText::GetInstance();
	std::vector<sTextVertex> vertices(64);
	layout.vertices = vertices.data();
	layout.vertexCapacity = uint32_t(vertices.size());
	cCamera camera;
	SetScreenCamera(camera);
	graphics->BeginScene();
	camera.Apply();
	graphics->SetWorldMatrix(cMatrix::Identity());
	text->LayoutText(fontId, RECT{0, 0, 1024, 768}, layout, characters, TextSingleLine);
	text->DrawLayout(layout, sColor(1, 1, 1, 1));
	sPixels pixels = ReadBackBuffer();
	graphics->EndScene();
	return pixels;
}
}

TEST(DemoContent, WritesTheSameBytesOnEveryRunAndNothingOfAnEarlierRun)
{
	cTempFolder folder;
	const std::string first = folder.Root() + "/first";
	const std::string second = folder.Root() + "/second";
	ASSERT_TRUE(Generate(first));
	ASSERT_TRUE(Generate(second));
	// An earlier run's leftover goes; what the generator does not own stays.
	cTempFolder::WriteFile(second + "/data/stale.png", "old");
	cTempFolder::WriteFile(second + "/my_data", "a pack");
	ASSERT_TRUE(Generate(second));

	std::map<std::string, std::string> written = Tree(first);
	std::map<std::string, std::string> again = Tree(second);
	EXPECT_EQ(again["my_data"], "a pack");
	again.erase("my_data");
	EXPECT_TRUE(written == again) << "the two runs differ";

	std::vector<std::string> top;
	for (const fs::directory_entry& entry : fs::directory_iterator(first))
		top.push_back(entry.path().filename().string());
	std::sort(top.begin(), top.end());
	EXPECT_EQ(top, (std::vector<std::string>{"data", "localization", "splash", "startup.txt"}));
	EXPECT_EQ(written["startup.txt"], "location1");
}

TEST(DemoContent, LoadsAndDrawsThroughTheEngineReaders)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		StartSettingsAndLog("zv2");
		StartGraphics(1024, 768);
		RegisterContentTypes();
		for (const char* source : {"data", "localization", "splash"})
			cResourceManager::GetInstance()->AddSource(source);

		const sGameConfig config = ReadGameConfig();
		ASSERT_FALSE(config.texts.empty());
		for (const std::string& name : config.texts)
			cTextManager::GetInstance()->LoadFromXml(
				cResourceHandle(cResourceManager::GetResourceByName<cXmlResource>(name)));
		EXPECT_FALSE(cTextManager::GetInstance()->GetText("game_title").empty());

		// The ids the game's screens draw with, each a font with its atlas
		// and glyphs for Latin and Cyrillic letters inside the atlas.
		std::vector<int> ids;
		for (const auto& [id, name] : config.fonts)
			ids.push_back(id);
		EXPECT_EQ(ids, (std::vector<int>{0, 6, 22}));
		cGraphicsText* text = cGraphicsText::GetInstance();
		for (const auto& [id, name] : config.fonts)
		{
			cFontResource* font = cResourceManager::GetResourceByName<cFontResource>(name);
			ASSERT_NE(font, nullptr) << name;
			ASSERT_NE(font->GetTextureResource(), nullptr) << name;
			const cTexture* atlas = font->GetTextureResource()->GetTexture();
			const std::vector<sGlyph>& glyphs = font->GetData().glyphs;
			ASSERT_GT(glyphs.size(), size_t(0x44F)) << name;
			for (wchar_t code : {L'A', L'z', L'é', L'Ж', L'я'})
				EXPECT_GT(glyphs[code].right, glyphs[code].left) << name << " " << int(code);
			for (const sGlyph& glyph : glyphs)
				EXPECT_TRUE(glyph.left >= 0 && glyph.right <= int(atlas->GetWidth()) && glyph.top >= 0 &&
					glyph.bottom < int(atlas->GetHeight()))
					<< name;
			text->RegisterFont(id, font);
			font->Release();
		}

		// Every glyph stands on one baseline: a full stop lies in the lower
		// half of the line, an apostrophe in the upper half, a capital
		// reaches from near the bottom to near the top.
		for (int id : ids)
		{
			sTextLayout layout;
			std::array<int, 4> box = LitBox(DrawText(id, L"Ж", layout));
			const float lineHeight = layout.bounds.max.y;
			EXPECT_TRUE(box[0] >= 0 && box[1] < lineHeight / 3 && box[3] > lineHeight / 2 && box[3] < lineHeight)
				<< "font " << id;
			box = LitBox(DrawText(id, L".", layout));
			EXPECT_TRUE(box[0] >= 0 && box[3] < lineHeight / 2) << "font " << id;
			box = LitBox(DrawText(id, L"'", layout));
			EXPECT_TRUE(box[0] >= 0 && box[1] > lineHeight / 2) << "font " << id;
		}

		// Each cursor model puts its hot spot's pixel at the point under the
		// mouse and draws within its 48 pixels from there.
		EXPECT_EQ(config.cursors.size(), 4u);
		for (const char* name : {"cursor", "dialog", "lens", "hours"})
		{
			ASSERT_EQ(config.cursors.count(name), 1u) << name;
			const sGameConfig::sCursor& cursor = config.cursors.at(name);
			cModelController model{cModelHandle(cursor.model)};
			ASSERT_NE(model.GetModel(), nullptr) << name;
			ASSERT_EQ(model.GetMaterials().size(), 1u);
			EXPECT_EQ(model.GetMaterials()[0].GetTextureName(0), "cursors");
			const cVector3d mouse(500, 400, 0);
			const sPixels pixels = DrawCursor(model, mouse, cursor.offset);
			EXPECT_NE(At(pixels, 500, 399), 0u) << name << " leaves the point under the mouse empty";
			const std::array<int, 4> box = LitBox(pixels);
			const int left = int(mouse.x + cursor.offset.x);
			const int top = int(mouse.y + cursor.offset.y);
			EXPECT_TRUE(box[0] >= left && box[2] < left + 48 && box[3] < top && box[1] >= top - 48) << name;
			EXPECT_GT((box[2] - box[0]) * (box[3] - box[1]), 20 * 20) << name;
			if (std::string(name) == "cursor")
			{
				EXPECT_TRUE(ColorNear(At(pixels, 503, 391), 0xFAFAF4)) << "the arrow is white inside";
			}
		}

		// The inventory item: a textured model that draws a stone of about
		// 48 by 48 pixels at its origin.
		cModelController gem{cModelHandle("gem")};
		ASSERT_NE(gem.GetModel(), nullptr);
		EXPECT_EQ(gem.GetMaterials()[0].GetTextureName(0), "items");
		const std::array<int, 4> gemBox = LitBox(DrawCursor(gem, cVector3d(500, 400, 0), cVector3d(0, 0, 0)));
		EXPECT_TRUE(gemBox[0] >= 500 && gemBox[2] < 548 && gemBox[1] >= 400 && gemBox[3] < 448);
		EXPECT_GT((gemBox[2] - gemBox[0]) * (gemBox[3] - gemBox[1]), 30 * 30);

		// The cursor manager, given the configured models and offsets, draws
		// each cursor over the frame at the mouse, which has not moved from
		// the window's top-left corner.
		cCursorManager* cursors = cCursorManager::GetInstance();
		for (const auto& [name, cursor] : config.cursors)
		{
			cursors->SetCursorModel(name, cursor.model);
			cursors->SetCursorOffset(name, cursor.offset);
		}
		cursors->ShowCursor(true);
		cursors->InitCamera();
		for (const auto& [name, cursor] : config.cursors)
		{
			cursors->SetCursor(name);
			cGraphics::GetInstance()->BeginScene();
			cursors->Render();
			const sPixels pixels = ReadBackBuffer();
			cGraphics::GetInstance()->EndScene();
			const std::array<int, 4> box = LitBox(pixels);
			EXPECT_EQ(box[0], 0) << name;
			EXPECT_EQ(box[3], 767) << name;
			EXPECT_TRUE(box[2] < 48 + int(cursor.offset.x) && box[1] > 767 - 48 + int(cursor.offset.y)) << name;
		}

		// The menu music: stereo Ogg Vorbis that plays several seconds of sound.
		cResourceHandle music(cResourceManager::GetResourceByName<cSoundResource>("track00menu"));
		ASSERT_NE(music.Get(), nullptr);
		cSoundStream* stream = music.Get<cSoundResource>()->GetSoundStream();
		ASSERT_NE(stream, nullptr);
		EXPECT_EQ(stream->GetFormat()->nChannels, 2);
		EXPECT_GT(stream->GetLength(), 5.0f);
		std::vector<int16_t> samples(44100 * 2);
		sSoundCursor position;
		const uint32_t read = stream->Read(position, samples.data(), uint32_t(samples.size() * 2));
		EXPECT_EQ(read, samples.size() * 2);
		int loudest = 0;
		for (int16_t sample : samples)
			loudest = std::max(loudest, std::abs(int(sample)));
		EXPECT_GT(loudest, 4000);

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("not found"), std::string::npos) << log;
	});
}

TEST(DemoContent, TheOpeningDialogueShowsInTheCloudsOfItsTwoCharacters)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		StartSettingsAndLog("zv2");
		StartGraphics(1024, 768);
		RegisterContentTypes();
		cSceneManager* scene = cSceneManager::GetInstance();
		for (const char* source : {"data", "localization"})
			cResourceManager::GetInstance()->AddSource(source);

		cTextManager::GetInstance()->LoadFromXml(
			cResourceHandle(cResourceManager::GetResourceByName<cXmlResource>("strings")));

		cModelController cloudModel{cModelHandle("cloud")};
		ASSERT_NE(cloudModel.GetModel(), nullptr);
		ASSERT_EQ(cloudModel.GetMaterials().size(), 1u);
		EXPECT_NE(cloudModel.GetMaterials()[0].GetStageTexture(0), nullptr);

		auto* manager = new cDialogManager(nullptr);
		const std::vector<sDialogLine>* intro = manager->FindPart("location1", "intro");
		ASSERT_NE(intro, nullptr);
		ASSERT_EQ(intro->size(), 3u);
		// A held item used where it does nothing: fifteen remarks of one line.
		for (int i = 1; i <= 15; ++i)
		{
			const std::vector<sDialogLine>* remark = manager->FindPart("special", "wrong" + std::to_string(i));
			ASSERT_NE(remark, nullptr) << i;
			EXPECT_EQ(remark->size(), 1u) << i;
		}
		EXPECT_NE(manager->GetSkipButton()->GetChildList().FindChild("skip"), nullptr);
		for (const char* character : {"detective", "assistant"})
		{
			cGameWindow* cloud = manager->GetCloud(character);
			ASSERT_NE(cloud, nullptr) << character;
			cSceneObject* picture = cloud->GetChildList().FindChild("cloud");
			ASSERT_NE(picture, nullptr) << character;
			EXPECT_GT(picture->GetMotions().GetLengthByName("move_in"), 0) << character;
			EXPECT_NE(cloud->GetChildList().FindByPath("cloud/text"), nullptr) << character;
		}

		// The first line shows in the detective's cloud once the clouds are in.
		manager->Show();
		manager->StartDialog("location1", "intro");
		EXPECT_TRUE(manager->IsActive());
		for (int i = 0; i < 20; ++i)
			scene->Update(0.05f);
		auto* text = static_cast<cTextVisual*>(
			manager->GetCloud("detective")->GetChildList().FindByPath("cloud/text")->GetVisual());
		EXPECT_EQ((*intro)[0].character, "detective");
		EXPECT_EQ(text->GetText(), L"Something is hidden in this room.");

		// Three lines: the skip button shows, with a picture to click on and
		// its label.
		EXPECT_TRUE(manager->GetSkipButton()->IsVisible());
		cSceneObject* skip = manager->GetSkipButton()->GetChildList().FindChild("skip");
		EXPECT_EQ(skip->GetTypeName(), "button");
		ASSERT_NE(skip->GetVisual(), nullptr);
		EXPECT_NE(skip->GetVisual()->GetModelController()->GetModel(), nullptr);
		cSceneObject* label = skip->GetChildList().FindChild("label");
		ASSERT_NE(label, nullptr);
		EXPECT_EQ(static_cast<cTextVisual*>(label->GetVisual())->GetText(), L"Skip");
		// The inventory slots' tooltips.
		EXPECT_EQ(cTextManager::GetInstance()->FindText("default", "inventory", "gem"), L"Blue gem");

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("not found"), std::string::npos) << log;
	});
}

TEST(DemoContent, PacksGiveTheSameResourcesAsTheFolders)
{
	cTempFolder folder;
	const std::string work = folder.Work();
	ASSERT_TRUE(Generate(work));
	RunInChild([&] {
		// The single-instance lock of this run only.
		setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
		sStartupParams params{nullptr, SW_SHOWDEFAULT, nullptr, "-window -pack", true};
		EXPECT_EQ(GameMain(&params), 0);
	});
	// The packs take the folders' places; the folders stay for comparison.
	for (const std::string name : {"data", "localization"})
	{
		fs::rename(work + "/" + name, work + "/" + name + "_folder");
		fs::rename(work + "/my_" + name, work + "/" + name);
	}

	RunInChild([] {
		// Fonts are compared loaded, with their atlases.
		StartGraphics(1024, 768);
		RegisterContentTypes();
		cResourceManager* manager = cResourceManager::GetInstance();
		for (const std::string name : {"data", "localization"})
		{
			manager->AddSource(name + "_folder");
			manager->AddSource(name);
			const std::vector<cResource*>& packed = manager->GetMount(name)->GetResources();
			const std::vector<cResource*>& original = manager->GetMount(name + "_folder")->GetResources();
			ASSERT_EQ(packed.size(), original.size()) << name;
			for (size_t i = 0; i < packed.size(); ++i)
			{
				const std::string what = std::string(original[i]->GetTypeName()) + " " + original[i]->GetName();
				EXPECT_EQ(std::string(packed[i]->GetTypeName()) + " " + packed[i]->GetName(), what);
				EXPECT_EQ(packed[i]->GetSource().path, "") << what << " is read from the pack";
				cMemoryStream packedBytes, originalBytes;
				packed[i]->AddRef();
				original[i]->AddRef();
				packed[i]->Save(packedBytes);
				original[i]->Save(originalBytes);
				packed[i]->Release();
				original[i]->Release();
				EXPECT_EQ(std::string(reinterpret_cast<const char*>(packedBytes.GetData()), packedBytes.GetSize()),
					std::string(reinterpret_cast<const char*>(originalBytes.GetData()), originalBytes.GetSize()))
					<< what;
			}
		}
		// The packs were mounted last: lookups find their resources.
		const sGameConfig config = ReadGameConfig();
		ASSERT_EQ(config.texts.size(), 1u);
		cTextManager::GetInstance()->LoadFromXml(
			cResourceHandle(cResourceManager::GetResourceByName<cXmlResource>(config.texts[0])));
		EXPECT_FALSE(cTextManager::GetInstance()->GetText("game_title").empty());
		EXPECT_EQ(config.fonts.size(), 3u);
		for (const auto& [id, name] : config.fonts)
		{
			cResourceHandle font(cResourceManager::GetResourceByName<cFontResource>(name));
			ASSERT_NE(font.Get(), nullptr) << name;
			EXPECT_GT(font.Get<cFontResource>()->GetData().glyphs.size(), size_t(0x44F)) << name;
		}
	});
}

TEST(DemoContent, TheGamePanelIsBuiltFromItsSceneAndDrawnAlongTheBottom)
{
	cTempFolder folder;
	ASSERT_TRUE(Generate(folder.Work()));
	RunInChild([] {
		StartSettingsAndLog("zv2");
		StartGraphics(1024, 768);
		RegisterContentTypes();
		for (const char* source : {"data", "localization"})
			cResourceManager::GetInstance()->AddSource(source);
		const sGameConfig config = ReadGameConfig();
		for (const std::string& name : config.texts)
			cTextManager::GetInstance()->LoadFromXml(
				cResourceHandle(cResourceManager::GetResourceByName<cXmlResource>(name)));
		for (const auto& [id, name] : config.fonts)
		{
			cFontResource* font = cResourceManager::GetResourceByName<cFontResource>(name);
			ASSERT_NE(font, nullptr) << name;
			cGraphicsText::GetInstance()->RegisterFont(id, font);
			font->Release();
		}

		// The screen camera with the effect window's target under it, as the game hangs its windows.
		cSceneManager* scene = cSceneManager::GetInstance();
		cCameraObject* screen = scene->GetDefaultCamera();
		screen->SetVisible(true);
		SetScreenCamera(screen->GetCamera());
		screen->GetCamera().SetDepthTest(false);
		auto* effect = new cSceneObject("effect", screen);
		new cSceneObject("target", new cSceneObject("rt", effect));
		cPlayerProgress progress;
		g_currentProgress = &progress;
		auto* panel = new cGamePanel(effect);
		for (const char* path : {"menu_button", "room_button", "hint_button", "button_aims_back/aims", "hint_fx",
				 "hint_fx_2", "text_aim", "pellith_get_aim", "pellith_solve_aim", "slots_parent/inventory_5",
				 "diary/lines_parent/text_items_5", "objectives/objectives_04/text_aim_4"})
			EXPECT_NE(panel->GetChildList().FindByPath(path), nullptr) << path;
		for (const char* name : {"fly_effect", "ispy", "diary_enable"})
			EXPECT_NE(std::unique_ptr<cParticleSystem>(panel->CreateEffect(name, cVector3d(0, 0, 0), nullptr)), nullptr)
				<< name;

		auto frame = [&](float dt) {
			scene->Update(dt);
			cGraphics::GetInstance()->BeginScene();
			scene->Render();
			sPixels pixels = ReadBackBuffer();
			cGraphics::GetInstance()->EndScene();
			return pixels;
		};
		panel->Show();
		frame(0.1f);
		sPixels pixels = frame(0.1f);
		// The bar across the bottom, nothing above it; the hint button shows
		// its disabled look while it charges.
		EXPECT_TRUE(ColorNear(At(pixels, 700, 20), 0x5C3A22));
		EXPECT_TRUE(ColorNear(At(pixels, 5, 125), 0x96683C)) << "the bar's light top edge";
		EXPECT_EQ(At(pixels, 512, 400), 0u);
		EXPECT_TRUE(ColorNear(At(pixels, 923, 64), 0x6E6E6E));
		// The names under the menu and room buttons are written in white,
		// below the buttons' discs.
		const auto whiteBelow = [&](int left) {
			int count = 0;
			for (int y = 0; y < 30; ++y)
				for (int x = left; x < left + 64; ++x)
				{
					const D3DCOLOR c = At(pixels, x, y);
					count += (c & 0xFF) > 170 && (c >> 8 & 0xFF) > 170 && (c >> 16 & 0xFF) > 170;
				}
			return count;
		};
		EXPECT_GT(whiteBelow(16), 20) << "\"Menu\"";
		EXPECT_GT(whiteBelow(944), 15) << "\"Map\"";
		EXPECT_TRUE(WriteScreenshot("demo_game_panel", pixels));

		// An aim opens the objectives sheet in the middle of the screen.
		panel->AddAim("search", cTextManager::GetInstance()->GetText("aim_search_room"), 0);
		panel->GetChildList().FindByPath("button_aims_back/aims")->FireEvent("on_click");
		frame(0.1f);
		pixels = frame(0.1f);
		EXPECT_TRUE(ColorNear(At(pixels, 512, 360), 0xF0E2BE));
		delete panel;
		g_currentProgress = nullptr;

		const std::string log = cTempFolder::ReadFile(cLog::GetInstance()->GetFilePath());
		EXPECT_EQ(log.find("not found"), std::string::npos) << log;
		EXPECT_EQ(log.find("game panel"), std::string::npos) << log;
	});
}
