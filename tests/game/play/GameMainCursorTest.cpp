// The cursor the game starts with: the system cursor in the 800 by 600
// low-quality mode, a model cursor in every other. Each run is a child
// process, as each start of the game is.

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/foundation/TempFolder.h"

#include "app/GameMain.h"
#include "engine/foundation/cWin32Application.h"
#include "engine/input/cCursorManager.h"
#include "platform/win32/Win32.h"

#include <chrono>
#include <thread>

TEST(GameMainCursors, OnlyEightHundredBySixHundredUsesTheSystemCursor)
{
	const struct
	{
		int width;
		int height;
		bool hardware;
	} cases[] = { { 800, 600, true }, { 801, 600, false } };
	for (const auto& entry : cases)
	{
		cTempFolder folder;
		cTempFolder::WriteFile(folder.Root() + "/appdata/Druvel's games/zv2/zv2.xml",
			"<config><config><item id=\"video.window\" value=\"true\"/><item id=\"video.width\" value=\""
				+ std::to_string(entry.width) + "\"/><item id=\"video.height\" value=\"" + std::to_string(entry.height)
				+ "\"/></config></config>");
		RunInChild([&] {
			setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
			cWin32Application* application = Singletone<cWin32Application>::GetInstance();
			// Closes the window once it shows the game at its size.
			std::thread closer([&] {
				auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
				RECT client {};
				while (std::chrono::steady_clock::now() < deadline)
				{
					HWND window = application->GetWindowHandle();
					if (window && GetClientRect(window, &client) && client.right == entry.width)
					{
						PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
						return;
					}
					std::this_thread::sleep_for(std::chrono::milliseconds(5));
				}
			});
			sStartupParams params { nullptr, SW_SHOWDEFAULT, nullptr, "", true };
			EXPECT_EQ(GameMain(&params), 0);
			closer.join();
			cCursorManager* cursors = cCursorManager::GetInstance();
			EXPECT_EQ(cursors->IsHardware(), entry.hardware) << entry.width;
			EXPECT_TRUE(cursors->IsVisible());
			EXPECT_EQ(cursors->GetCursorName(), "cursor");
			for (const char* name : { "cursor", "dialog", "hours", "lens" })
				EXPECT_NE(cursors->GetHardwareCursor(name), nullptr) << name;
			// The system cursor shows only in the system cursor mode.
			const int count = ShowCursor(TRUE) - 1;
			ShowCursor(FALSE);
			EXPECT_EQ(count >= 0, entry.hardware) << entry.width;
		});
	}
}
