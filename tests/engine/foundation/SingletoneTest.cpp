// Destroying every manager would take the other tests' devices with them:
// each test runs in a child process of its own.

#include "ChildProcess.h"

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
	RunInChild([] {
		g_order.clear();
		cNamedManager<'A'>::GetInstance();
		cNamedManager<'B'>::GetInstance();
		cNamedManager<'C'>::GetInstance();
		EXPECT_EQ(cNamedManager<'B'>::GetInstance(), cNamedManager<'B'>::GetInstance());
		DestroyAllSingletons();
		EXPECT_EQ(g_order, "CBA");
	});
}

TEST(Singletone, ADestroyedManagerIsNoLongerTheInstance)
{
	RunInChild([] {
		cNamedManager<'D'>::GetInstance();
		DestroyAllSingletons();
		// A later destructor that asks for it must not reach the freed object.
		EXPECT_FALSE(cNamedManager<'D'>::Exists());
		cNamedManager<'D'>* again = cNamedManager<'D'>::GetInstance();
		EXPECT_TRUE(cNamedManager<'D'>::Exists());
		EXPECT_EQ(cNamedManager<'D'>::GetInstance(), again);
	});
}

TEST(Singletone, AForgottenManagerIsMadeAnewAndLeftAlone)
{
	RunInChild([] {
		g_order.clear();
		cNamedManager<'E'>* first = cNamedManager<'E'>::GetInstance();
		ForgetAllSingletons();
		EXPECT_FALSE(cNamedManager<'E'>::Exists());
		EXPECT_NE(cNamedManager<'E'>::GetInstance(), first);
		DestroyAllSingletons();
		EXPECT_EQ(g_order, "E") << "only the new one";
		delete first;
	});
}
