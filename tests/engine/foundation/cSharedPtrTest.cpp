#include "engine/foundation/cDelegate.h"
#include "engine/foundation/cSharedPtr.h"

#include <gtest/gtest.h>

namespace
{
struct cCounted
{
	explicit cCounted(int* deaths) : m_deaths(deaths) {}
	virtual ~cCounted() { ++*m_deaths; }
	int* m_deaths;
	cSharedPtr<cCounted> m_next;
};
}

TEST(cSharedPtr, NullHoldsNoCount)
{
	cSharedPtr<cCounted> empty(nullptr);
	EXPECT_EQ(empty.UseCount(), 0);
	EXPECT_EQ(empty.Reset(nullptr), nullptr);
}

TEST(cSharedPtr, LastOfThreeCopiesDeletesOnce)
{
	int deaths = 0;
	auto* first = new cSharedPtr<cCounted>(new cCounted(&deaths));
	auto* second = new cSharedPtr<cCounted>(*first);
	auto* third = new cSharedPtr<cCounted>(*second);
	EXPECT_EQ(first->UseCount(), 3);
	delete first;
	delete second;
	EXPECT_EQ(deaths, 0);
	delete third;
	EXPECT_EQ(deaths, 1);
}

TEST(cSharedPtr, SelfAssignmentKeepsTheObject)
{
	int deaths = 0;
	cSharedPtr<cCounted> p(new cCounted(&deaths));
	cSharedPtr<cCounted>& alias = p;
	p = alias;
	EXPECT_EQ(deaths, 0);
	EXPECT_EQ(p.UseCount(), 1);
	EXPECT_EQ(p->m_deaths, &deaths);
}

TEST(cSharedPtr, ResetToTheHeldObjectKeepsIt)
{
	int deaths = 0;
	cSharedPtr<cCounted> p(new cCounted(&deaths));
	int* count = p.Reset(p.Get());
	EXPECT_EQ(deaths, 0);
	EXPECT_EQ(*count, 1);
	EXPECT_EQ(p->m_deaths, &deaths);
}

TEST(cSharedPtr, AssignmentFromAnObjectOnlyTheOldOneKeepsAlive)
{
	int deaths = 0;
	cSharedPtr<cCounted> head(new cCounted(&deaths));
	head->m_next = cSharedPtr<cCounted>(new cCounted(&deaths));
	cCounted* second = head->m_next.Get();
	head = head->m_next;
	EXPECT_EQ(deaths, 1);
	EXPECT_EQ(head.Get(), second);
	EXPECT_EQ(head.UseCount(), 1);
}

namespace
{
struct cTarget
{
	void Add(int value) { total += value; }
	void Subtract(int value) { total -= value; }
	int total = 0;
};

int g_functionTotal = 0;
void AddToFunctionTotal(int value)
{
	g_functionTotal += value;
}
void Ignore(int)
{
}
}

TEST(cDelegate, EqualityComparesObjectAndFunction)
{
	cTarget a, b;
	cDelegatePtr<int> aAdd(MakeMemberDelegate(&a, &cTarget::Add));
	EXPECT_TRUE(aAdd == cDelegatePtr<int>(MakeMemberDelegate(&a, &cTarget::Add)));
	EXPECT_FALSE(aAdd == cDelegatePtr<int>(MakeMemberDelegate(&b, &cTarget::Add)));
	EXPECT_FALSE(aAdd == cDelegatePtr<int>(MakeMemberDelegate(&a, &cTarget::Subtract)));
	EXPECT_FALSE(aAdd == cDelegatePtr<int>());
	EXPECT_TRUE(cDelegatePtr<int>() == cDelegatePtr<int>());

	cDelegatePtr<int> function(MakeFunctionDelegate(&AddToFunctionTotal));
	EXPECT_TRUE(function == cDelegatePtr<int>(MakeFunctionDelegate(&AddToFunctionTotal)));
	EXPECT_FALSE(function == cDelegatePtr<int>(MakeFunctionDelegate(&Ignore)));
}

TEST(cDelegate, InvokesTheBoundTarget)
{
	cTarget target;
	cDelegatePtr<int> member(MakeMemberDelegate(&target, &cTarget::Add));
	member.Invoke(5);
	EXPECT_EQ(target.total, 5);

	g_functionTotal = 0;
	cDelegatePtr<int> function(MakeFunctionDelegate(&AddToFunctionTotal));
	function.Invoke(3);
	EXPECT_EQ(g_functionTotal, 3);

	cDelegatePtr<int>().Invoke(1); // empty: nothing happens
}

TEST(cDelegate, AssigningAStoredDelegateToItselfKeepsIt)
{
	cTarget target;
	cDelegatePtr<int> stored(MakeMemberDelegate(&target, &cTarget::Add));
	stored.Assign(stored);
	stored.Invoke(2);
	EXPECT_EQ(target.total, 2);
	EXPECT_EQ(stored.UseCount(), 1);
}
