// Modal dialogs: from showing to the start of hiding, only the top dialog's
// subtree takes input; the rest of the tree is still visited.

#include "WindowTestSupport.h"

#include "engine/windows/cGameDialog.h"
#include "engine/windows/cGameWaitDialog.h"

namespace
{
class GameDialogTest : public SceneTest
{
protected:
	// A window of the kind under the root with a recorder in it, shown and working.
	template <class Window, class... Args>
	Window* Open(const std::string& name, Args... args)
	{
		auto* window = new Window(name, args...);
		recorders[name] = new cInputRecorder("recorder", window);
		window->Show();
		scene->Update(0.1f);
		return window;
	}

	// Which recorders took the input of one pass, and which were visited.
	std::string Dispatch()
	{
		std::map<std::string, std::pair<int, int>> before;
		for (auto& [name, recorder] : recorders)
			before[name] = { recorder->handled, recorder->visited };
		scene->DispatchInput();
		std::string out;
		for (auto& [name, recorder] : recorders)
			out += name + (recorder->handled > before[name].first ? "+" : "-") +
				(recorder->visited > before[name].second ? "v " : "_ ");
		return out;
	}

	std::map<std::string, cInputRecorder*> recorders;
};
}

TEST_F(GameDialogTest, TheLastShownDialogTakesTheInputUntilItStartsToHide)
{
	Open<cGameWindow>("a_menu", root(), false);
	EXPECT_EQ(Dispatch(), "a_menu+v ");

	auto* ask = Open<cGameDialog>("b_ask", root(), false);
	EXPECT_EQ(scene->GetTopModal(), ask);
	EXPECT_EQ(Dispatch(), "a_menu-v b_ask+v ");

	// The wait dialog hangs under the default camera object and is shown last.
	scene->GetDefaultCamera()->SetVisible(true);
	auto* wait = Open<cGameWaitDialog>("c_wait", nullptr);
	EXPECT_EQ(wait->GetParent(), scene->GetDefaultCamera());
	EXPECT_TRUE(wait->IsWaiting());
	EXPECT_EQ(Dispatch(), "a_menu-v b_ask-v c_wait+v ");

	// Hiding leaves the modal list as the disappear starts; the dialog is
	// still visible and, no longer modal, takes input with the rest.
	wait->Hide();
	EXPECT_EQ(wait->GetState(), cGameWindow::kDisappear);
	EXPECT_EQ(Dispatch(), "a_menu-v b_ask+v c_wait-v ");
	ask->Hide();
	EXPECT_EQ(scene->GetTopModal(), nullptr);
	EXPECT_EQ(Dispatch(), "a_menu+v b_ask+v c_wait+v ");
	scene->Update(0.1f);
	EXPECT_EQ(Dispatch(), "a_menu+v b_ask-_ c_wait-_ ");
}
