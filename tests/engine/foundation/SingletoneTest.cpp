#include "engine/foundation/Singletone.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string g_order;

template <char Name>
struct cNamedManager : Singletone<cNamedManager<Name>>
{
	~cNamedManager() override { g_order += Name; }
};
}

TEST(Singletone, DestroysNewestFirst)
{
	g_order.clear();
	cNamedManager<'A'>::GetInstance();
	cNamedManager<'B'>::GetInstance();
	cNamedManager<'C'>::GetInstance();
	EXPECT_EQ(cNamedManager<'B'>::GetInstance(), cNamedManager<'B'>::GetInstance());
	DestroyAllSingletons();
	EXPECT_EQ(g_order, "CBA");
}

TEST(Singletone, ADestroyedManagerIsNoLongerTheInstance)
{
	cNamedManager<'D'>::GetInstance();
	DestroyAllSingletons();
	// A later destructor that asks for it must not reach the freed object.
	EXPECT_FALSE(cNamedManager<'D'>::Exists());
	cNamedManager<'D'>* again = cNamedManager<'D'>::GetInstance();
	EXPECT_TRUE(cNamedManager<'D'>::Exists());
	EXPECT_EQ(cNamedManager<'D'>::GetInstance(), again);
	DestroyAllSingletons();
}
