// A manager whose DirectInput set-up failed reads nothing and keeps every
// state at 0, however much input comes.

#include "InputManagerFixture.h"

namespace
{
class cInputManagerFailureTest : public cInputManagerFixture
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

TEST_F(cInputManagerFailureTest, EveryPollAfterAFailedInitLeavesAllStatesZero)
{
	// An application without a window: no device can cooperate with it.
	Singletone<cWin32Application>::Create();
	EXPECT_FALSE(m_input->Init(false));

	Send({Key(DIK_A, true), Typed(L'a'), Key(DIK_NUMPADENTER, true), Mouse(MOUSEEVENTF_MOVE, 5, 5),
		Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA)});
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
