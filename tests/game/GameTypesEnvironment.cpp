// Every scene manager these tests make has the widget types and the game's
// types at the ids the game's start-up gives them, whichever test makes it
// first and whatever types the tests add after them.

#include "game/play/GameObjectTypes.h"

#include <gtest/gtest.h>

namespace
{
class cGameTypesEnvironment : public ::testing::Environment
{
public:
	void SetUp() override { RegisterGameObjectTypes(); }
};

const ::testing::Environment* const kGameTypes = ::testing::AddGlobalTestEnvironment(new cGameTypesEnvironment);
}
