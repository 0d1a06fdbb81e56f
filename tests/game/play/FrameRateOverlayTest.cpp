// The frame-rate overlay of the game's frame: F1, pressed on the real
// keyboard path, shows it only in cheat mode; the line is read back from
// the back buffer. The font knows only 'F', 'P', 'S' and '=' as blocks of
// distinct widths, so the start of the line shows "FPS=" as a pattern.

#include "../../engine/foundation/TempFolder.h"
#include "../../engine/input/InputManagerFixture.h"

#include "engine/graphics/cFontResource.h"
#include "engine/graphics/cGraphics.h"
#include "engine/graphics/cGraphicsText.h"
#include "engine/resources/cResourceManager.h"
#include "engine/sound/cSoundManager.h"
#include "game/play/cGameApplication.h"
#include "game/play/cProfileManager.h"

#include <cstring>

namespace
{
const D3DCOLOR kWhite = 0xFFFFFF;

// 'F' 8 wide, 'P' 4, 'S' 2, '=' 6, each followed by 2 blank columns.
std::string FontAtlasTga()
{
	const int width = 32, height = 16;
	std::string bytes(18, '\0');
	bytes[2] = 2;
	bytes[12] = char(width);
	bytes[14] = char(height);
	bytes[16] = 32;
	bytes[17] = 0x28;
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
			bytes.append(4, x < 20 ? '\xFF' : '\0');
	return bytes;
}

class cFrameRateOverlayTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		cTempFolder::WriteFile(m_folder.Work() + "/data/atlas.tga", FontAtlasTga());
		cTempFolder::WriteFile(m_folder.Work() + "/data/fonts.resource",
			"<resources><resource name=\"overlay\" type=\"font\"><texture name=\"atlas\"/>"
			"<symbol char=\"70\" rect=\"0 0 8 16\" right=\"2\"/><symbol char=\"80\" rect=\"0 0 4 16\" right=\"2\"/>"
			"<symbol char=\"83\" rect=\"0 0 2 16\" right=\"2\"/><symbol char=\"61\" rect=\"0 0 6 16\" right=\"2\"/>"
			"</resource></resources>");
		m_graphics = Singletone<cGraphics>::GetInstance();
		sDisplaySettings settings;
		settings.windowed = true;
		ASSERT_TRUE(m_graphics->CreateDevice(settings));
		ASSERT_TRUE(Activate(true));
		// By its full path: an earlier test of the program may have mounted
		// a "data" of its own folder, and a path is mounted once.
		cResourceManager::GetInstance()->AddSource(m_folder.Work() + "/data");
		cGraphicsText* text = cGraphicsText::GetInstance();
		cFontResource* font = cResourceManager::GetResourceByName<cFontResource>("overlay");
		ASSERT_TRUE(font);
		text->RegisterFont(0, font);
		font->Release();
		text->GetTextRect() = RECT { 0, 0, 1024, 768 };
		Singletone<cSoundManager>::GetInstance();
		StartInput();
	}

	// Presses and releases F1 between frames; true when the overlay shows
	// after the frame that saw the key go down. Other test programs on the
	// display may take the focus away: the press is repeated until the
	// input manager has seen it.
	bool PressF1(cGameApplication& game)
	{
		bool arrived = false;
		bool shown = false;
		for (int attempt = 0; attempt < 5 && !arrived; ++attempt)
		{
			Activate(true); // a lost focus shows as a press that did not arrive
			Send({ Key(DIK_F1, true) });
			Pump();
			game.Update(0.016f);
			arrived = m_input->IsPressed(cInputManager::kKeyboardSlot, DIK_F1);
			shown = game.IsOverlayShown();
			Send({ Key(DIK_F1, false) });
			Pump();
			game.Update(0.016f);
		}
		EXPECT_TRUE(arrived) << "the key never reached the input manager";
		return shown;
	}

	// Renders a frame and reports whether the top-left corner holds the
	// "FPS=" blocks: columns 0-7, 10-13, 16-17 and 20-25 white, the gaps
	// and what follows black (no other character has a glyph).
	bool FrameShowsFpsLine(cGameApplication& game)
	{
		game.Render();
		IDirect3DSurface9* surface = m_graphics->GetBackBuffer();
		D3DLOCKED_RECT locked;
		EXPECT_EQ(D3D_OK, surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
		const auto* row = reinterpret_cast<const D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + 8 * locked.Pitch);
		// Glyph edges may be blended by the filter: only their insides count.
		bool pattern = true;
		for (int x : { 3, 5, 11, 12, 17, 22, 24 })
			pattern = pattern && (row[x] & 0xFFFFFF) == kWhite;
		for (int x : { 8, 9, 14, 15, 18, 19, 26, 27, 40 })
			pattern = pattern && (row[x] & 0xFFFFFF) == 0;
		surface->UnlockRect();
		return pattern;
	}

	// The mount and the registered font are this test's: the text and
	// resource managers go with them, so that later tests start without.
	// The sound manager goes too: the one made next registers the sound
	// type with the next resource manager again.
	void TearDown() override
	{
		delete Singletone<cSoundManager>::GetInstance();
		delete cGraphicsText::GetInstance();
		delete cResourceManager::GetInstance();
		cInputManagerFixture::TearDown();
	}

	cTempFolder m_folder;
	cGraphics* m_graphics = nullptr;
};
}

TEST_F(cFrameRateOverlayTest, F1ShowsTheLineOnlyInCheatMode)
{
	cGameApplication game;
	EXPECT_FALSE(FrameShowsFpsLine(game));
	EXPECT_FALSE(PressF1(game)) << "cheat mode is off";
	EXPECT_FALSE(FrameShowsFpsLine(game));

	Singletone<cProfileManager>::GetInstance()->SetCheatMode(true);
	EXPECT_TRUE(PressF1(game));
	EXPECT_TRUE(FrameShowsFpsLine(game));
	EXPECT_TRUE(game.IsOverlayShown()) << "holding and releasing the key changes nothing";

	EXPECT_FALSE(PressF1(game)) << "the second press hides it";
	EXPECT_FALSE(FrameShowsFpsLine(game));
	Singletone<cProfileManager>::GetInstance()->SetCheatMode(false);
}
