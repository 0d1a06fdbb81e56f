// Setting the manager up: a failed set-up reads nothing and keeps every
// state at 0, however much input comes; an embedded window reads the mouse
// in the background.

#include "InputManagerFixture.h"

namespace
{
class cInputManagerInitTest : public cInputManagerFixture
{
protected:
	void ExpectAllStatesZero()
	{
		for (int slot = 0; slot < cInputManager::kSlotCount; ++slot)
		{
			const sButtonStates& states = m_input->GetStates(slot);
			for (int index = 0; index < 256; ++index)
				ASSERT_TRUE(states.current[index] == 0 && states.previous[index] == 0) << slot << " " << index;
			EXPECT_FALSE(states.changed);
			const cVector3d& motion = m_input->GetMotion(slot);
			const cVector3d& position = m_input->GetPosition(slot);
			EXPECT_TRUE(motion.x == 0 && motion.y == 0 && motion.z == 0) << slot;
			EXPECT_TRUE(position.x == 0 && position.y == 0 && position.z == 0) << slot;
		}
		EXPECT_FALSE(m_input->IsAnyChanged());
		std::wstring text;
		EXPECT_FALSE(m_input->ReadText(text));
	}
};
}

TEST_F(cInputManagerInitTest, EveryPollAfterAFailedInitLeavesAllStatesZero)
{
	// An application without a window: no device can cooperate with it.
	Singletone<cWin32Application>::Create();
	EXPECT_FALSE(m_input->Init(false));

	Send({Key(DIK_A, true), Typed(L'a'), Key(DIK_NUMPADENTER, true), MouseInput(MOUSEEVENTF_MOVE, 5, 5),
		MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP), MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA)});
	for (int frame = 0; frame < 3; ++frame)
	{
		Pump();
		EXPECT_TRUE(m_input->Update(0.016f));
		ExpectAllStatesZero();
	}
	m_input->OnActivate(false);
	m_input->OnActivate(true);
	Send({Key(DIK_A, false), Key(DIK_NUMPADENTER, false)});
	Pump();
}

TEST_F(cInputManagerInitTest, AnEmbeddedWindowReadsTheMouseInTheBackground)
{
	// The game's window as a child of the fixture's window.
	cWin32Application* embedded = Singletone<cWin32Application>::Create();
	sStartupParams params{nullptr, SW_HIDE, m_window, "", false};
	ASSERT_TRUE(embedded->CreateMainWindow(params, UniqueName("Embedded").c_str(), "embedded"));
	ASSERT_TRUE(m_input->Init(false));
	Frame();

	ASSERT_TRUE(Activate(false));
	Send({Key(DIK_F4, true), MouseInput(MOUSEEVENTF_MOVE, 6, 2)});
	Frame();
	// The keyboard cooperates in the foreground only.
	EXPECT_FALSE(m_input->IsDown(cInputManager::kKeyboardSlot, DIK_F4));
	EXPECT_EQ(m_input->GetMotion(cInputManager::kMouseSlot).x, 6.0f);
	EXPECT_EQ(m_input->GetMotion(cInputManager::kMouseSlot).y, 2.0f);
	Send({Key(DIK_F4, false)});
	Pump();
	DestroyWindow(embedded->GetWindowHandle());
}
