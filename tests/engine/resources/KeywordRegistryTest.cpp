#include "engine/resources/cKeywordRegistry.h"

#include <gtest/gtest.h>

namespace
{
struct sMade
{
	std::string by;
	std::string name;
	int parent;
};

sMade* MakeShow(const std::string& name, int parent)
{
	return new sMade{"show", name, parent};
}

sMade* MakeOtherShow(const std::string& name, int parent)
{
	return new sMade{"other", name, parent};
}

typedef cKeywordRegistry<sMade, const std::string&, int> cRegistry;
}

TEST(KeywordRegistry, FirstRegistrationWinsAndARepeatStillTakesAnIndex)
{
	cRegistry registry;
	registry.Register("show", MakeShow);
	registry.Register("show", MakeOtherShow);
	registry.Register("hide", MakeOtherShow);
	EXPECT_EQ(registry.GetIndex("show"), 0);
	EXPECT_EQ(registry.GetIndex("hide"), 2) << "the repeated name took index 1";
	EXPECT_EQ(registry.GetIndex("Show"), -1);
	EXPECT_EQ(registry.GetName(0), "show");
	EXPECT_EQ(registry.GetName(1), "") << "no name maps to the repeat's index";
	EXPECT_EQ(registry.GetName(2), "hide");
	EXPECT_EQ(registry.GetName(3), "");
	EXPECT_EQ(registry.GetName(-1), "");
	EXPECT_EQ(registry.GetCreator(1), &MakeOtherShow);

	std::unique_ptr<sMade> made(registry.Create("show", "door", 7));
	ASSERT_NE(made, nullptr);
	EXPECT_EQ(made->by, "show");
	EXPECT_EQ(made->name, "door");
	EXPECT_EQ(made->parent, 7);
	EXPECT_EQ(registry.Create("unknown", "door", 7), nullptr);
}
