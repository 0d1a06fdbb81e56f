#pragma once
// Numbers the runs of tests in the program: every start of a test counts,
// a test run again under --gtest_repeat too. Helpers that keep something
// for the length of one test compare the number.

#include <gtest/gtest.h>

class cTestRunCounter : public testing::EmptyTestEventListener
{
public:
	static int& Runs()
	{
		static int runs = 0;
		return runs;
	}

	void OnTestStart(const testing::TestInfo&) override { ++Runs(); }
};

inline const bool kTestRunsCounted = (testing::UnitTest::GetInstance()->listeners().Append(new cTestRunCounter), true);

// The number of the running test's run, from 1.
inline int CurrentTestRun()
{
	return cTestRunCounter::Runs();
}
