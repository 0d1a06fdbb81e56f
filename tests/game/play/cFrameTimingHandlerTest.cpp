// The timed frame handler: frames are measured from their update to the end
// of their drawing on the given clock, the longest outside loading is kept,
// and every call reaches the game's handler.

#include "app/cFrameTimingHandler.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A game whose update and drawing each take the time they are given on a
// clock of the test's own.
class cStubGame : public cApplicationHandler
{
public:
	explicit cStubGame(double& clock) : m_clock(clock) {}
	bool CanRun() override { return true; }
	bool Update(float) override
	{
		m_clock += updateTime;
		++updates;
		return keepRunning;
	}
	void Idle() override { ++idles; }
	void Render() override
	{
		m_clock += renderTime;
		++renders;
	}

	double updateTime = 0;
	double renderTime = 0;
	bool keepRunning = true;
	int updates = 0;
	int renders = 0;
	int idles = 0;

private:
	double& m_clock;
};

struct sFrame
{
	double update;
	double render;
	// Loading at the frame's start and at its end.
	bool loadingBefore;
	bool loadingAfter;
};

// A stub game timed on the test's clock.
struct sTimedGame
{
	// Runs the frames one after another; the longest the handler kept.
	double Longest(const std::vector<sFrame>& frames)
	{
		for (const sFrame& frame : frames)
		{
			game.updateTime = frame.update;
			game.renderTime = frame.render;
			loading = frame.loadingBefore;
			timed.Update(0.01f);
			loading = frame.loadingAfter;
			timed.Render();
		}
		return timed.GetLongest();
	}

	double clock = 100;
	bool loading = false;
	cStubGame game{clock};
	cFrameTimingHandler timed{game, [this] { return clock; }, [this] { return loading; }};
};
}

TEST(cFrameTimingHandler, KeepsTheLongestFrameThatSawNoLoading)
{
	const struct
	{
		const char* what;
		std::vector<sFrame> frames;
		double longest;
	} cases[] = {
		{"no frame yet", {}, 0},
		{"update and drawing both count", {{0.25, 0.5, false, false}, {0.125, 0.125, false, false}}, 0.75},
		{"a long loading frame is left out",
			{{0.25, 0, false, false}, {3, 0, true, true}, {0.5, 0, false, false}}, 0.5},
		{"loading that starts within the frame", {{0.125, 0, false, false}, {2, 0, false, true}}, 0.125},
		{"loading that ends within the frame", {{2, 0, true, false}, {0.25, 0, false, false}}, 0.25},
	};
	for (const auto& test : cases)
	{
		sTimedGame run;
		EXPECT_DOUBLE_EQ(run.Longest(test.frames), test.longest) << test.what;
	}
}

TEST(cFrameTimingHandler, PassesEveryCallOnAndTimesNoDrawingWithoutUpdate)
{
	sTimedGame run;
	run.game.keepRunning = false;
	EXPECT_TRUE(run.timed.CanRun());
	EXPECT_FALSE(run.timed.Update(0.01f));
	run.timed.Render();
	// While the application is inactive it idles and draws without updates.
	run.game.renderTime = 5;
	run.timed.Idle();
	run.timed.Render();
	EXPECT_EQ(run.game.updates, 1);
	EXPECT_EQ(run.game.renders, 2);
	EXPECT_EQ(run.game.idles, 1);
	EXPECT_DOUBLE_EQ(run.timed.GetLongest(), 0);
}
