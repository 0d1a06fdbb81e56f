// Keys through the input manager: down, went down, came up, key pairs, and
// nothing while the window is inactive.

#include "InputManagerFixture.h"

namespace
{
class cInputManagerKeyboardTest : public cInputManagerFixture
{
protected:
	void SetUp() override
	{
		cInputManagerFixture::SetUp();
		if (!HasFatalFailure())
			StartInput();
	}

	// Down, went down, came up: the three answers for one key.
	std::tuple<bool, bool, bool> StateOf(int slot, int index)
	{
		return {m_input->IsDown(slot, index), m_input->IsPressed(slot, index), m_input->IsReleased(slot, index)};
	}
};

const std::tuple<bool, bool, bool> kUp{false, false, false};
const std::tuple<bool, bool, bool> kWentDown{true, true, false};
const std::tuple<bool, bool, bool> kHeld{true, false, false};
const std::tuple<bool, bool, bool> kCameUp{false, false, true};
}

TEST_F(cInputManagerKeyboardTest, AKeyHeldForSeveralFrames)
{
	const int keyboard = cInputManager::kKeyboardSlot;
	Send({Key(DIK_F1, true)});
	Frame();
	EXPECT_EQ(StateOf(keyboard, DIK_F1), kWentDown);
	EXPECT_EQ(StateOf(keyboard, DIK_F2), kUp);
	EXPECT_TRUE(m_input->GetStates(keyboard).changed);
	EXPECT_TRUE(m_input->IsAnyChanged());
	EXPECT_EQ(StateOf(cInputManager::kKeyPairsSlot, cInputManager::kAnyKey), kWentDown);
	Frame();
	EXPECT_EQ(StateOf(keyboard, DIK_F1), kHeld);
	EXPECT_FALSE(m_input->GetStates(keyboard).changed);
	Frame();
	EXPECT_EQ(StateOf(keyboard, DIK_F1), kHeld);
	Send({Key(DIK_F1, false)});
	Frame();
	EXPECT_EQ(StateOf(keyboard, DIK_F1), kCameUp);
	EXPECT_EQ(StateOf(cInputManager::kKeyPairsSlot, cInputManager::kAnyKey), kCameUp);
	Frame();
	EXPECT_EQ(StateOf(keyboard, DIK_F1), kUp);
	EXPECT_FALSE(m_input->IsAnyChanged());
}

TEST_F(cInputManagerKeyboardTest, EitherKeyOfAPairSetsThePair)
{
	const struct
	{
		BYTE key;
		int pair;
	} cases[] = {
		{DIK_RETURN, cInputManager::kPairEnter},
		{DIK_NUMPADENTER, cInputManager::kPairEnter},
		{DIK_LMENU, cInputManager::kPairAlt},
		{DIK_RMENU, cInputManager::kPairAlt},
		{DIK_LCONTROL, cInputManager::kPairCtrl},
		{DIK_RCONTROL, cInputManager::kPairCtrl},
		{DIK_LSHIFT, cInputManager::kPairShift},
		{DIK_RSHIFT, cInputManager::kPairShift},
	};
	const int pairs = cInputManager::kKeyPairsSlot;
	for (const auto& entry : cases)
	{
		Send({Key(entry.key, true)});
		Frame();
		EXPECT_EQ(StateOf(pairs, entry.pair), kWentDown) << int(entry.key);
		EXPECT_EQ(m_input->GetStates(pairs).current[entry.pair], 1);
		EXPECT_TRUE(m_input->GetStates(pairs).changed);
		for (int other = 0; other < 4; ++other)
			EXPECT_EQ(m_input->IsDown(pairs, other), other == entry.pair) << int(entry.key) << " " << other;
		Send({Key(entry.key, false)});
		Frame();
		EXPECT_EQ(StateOf(pairs, entry.pair), kCameUp) << int(entry.key);
	}
}

TEST_F(cInputManagerKeyboardTest, NoInputWhileInactive)
{
	Send({Key(DIK_ESCAPE, true)});
	Frame();
	ASSERT_EQ(StateOf(cInputManager::kKeyboardSlot, DIK_ESCAPE), kWentDown);

	ASSERT_TRUE(Activate(false));
	// The state stays as it was, with no edges, frame after frame.
	Send({Key(DIK_F3, true), MouseInput(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE, 9, 9)});
	for (int frame = 0; frame < 3; ++frame)
	{
		Frame();
		EXPECT_EQ(StateOf(cInputManager::kKeyboardSlot, DIK_ESCAPE), kHeld) << frame;
		EXPECT_EQ(StateOf(cInputManager::kKeyboardSlot, DIK_F3), kUp) << frame;
		EXPECT_FALSE(m_input->IsDown(cInputManager::kMouseSlot, cInputManager::kLeftButton)) << frame;
		EXPECT_EQ(m_input->GetMotion(cInputManager::kMouseSlot).x, 0.0f) << frame;
		EXPECT_FALSE(m_input->IsAnyChanged()) << frame;
	}
	Send({Key(DIK_F3, false)});

	// In front again: the keys released meanwhile are up.
	ASSERT_TRUE(Activate(true));
	Frame();
	EXPECT_EQ(StateOf(cInputManager::kKeyboardSlot, DIK_ESCAPE), kCameUp);
	EXPECT_EQ(StateOf(cInputManager::kKeyboardSlot, DIK_F3), kUp);
}
