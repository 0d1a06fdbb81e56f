#include "engine/foundation/StreamSerialization.h"
#include "engine/scene/cSceneManager.h"
#include "game/play/cPlayerProgress.h"
#include "game/scenario/ScenarioTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
class ScenarioTest : public testing::Test
{
protected:
	void SetUp() override
	{
		RegisterTestCommands();
		Trace().clear();
	}
};

// One state after another: "startup" switches at once to "hall", which
// waits two frames on "b", then chooses its branch by "c"'s outcome and
// switches to "yard", which waits.
const char* const HallScenario = R"(<scenario>
	<state name="startup">
		<step><item name="a" goto="hall" ready="3"/></step>
	</state>
	<state name="hall">
		<step><item name="b" wait="2"/>
			<step><item name="c" outcome="left"/>
				<step result="right"><item name="r"/></step>
				<step result="left"><item name="l" goto="yard" ready="3"/></step>
			</step>
		</step>
	</state>
	<state name="yard">
		<step><item name="y" wait="1000"/></step>
	</state>
</scenario>)";

std::string TickFrame(cTestLocation& location)
{
	location.scenario.Tick();
	return TakeTrace();
}

// Asks from a third thread whether the scene lock is free while it runs.
struct cLockProbe : cScenarioCommand
{
	using cScenarioCommand::cScenarioCommand;
	void Execute() override
	{
		std::recursive_mutex* lock = Singletone<cSceneManager>::GetInstance()->GetLock()->mutex;
		std::thread([lock] {
			if (lock->try_lock())
				lock->unlock();
			else
				++held;
		}).join();
		++ran;
	}
	int IsReady() override { return kFinished; }
	std::string GetName() const override { return "lock_probe"; }
	static inline std::atomic<int> ran = 0;
	static inline std::atomic<int> held = 0;
};

int ErrorLines(const std::string& logged)
{
	int count = 0;
	for (size_t at = logged.find("Error:"); at != std::string::npos; at = logged.find("Error:", at + 1))
		++count;
	return count;
}
}

TEST_F(ScenarioTest, StatesAreEnteredAndLeftInOrderOneStepPerFrame)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(HallScenario));
	location.scenario.Reset();
	EXPECT_EQ(TakeTrace(), "a! a?");
	EXPECT_EQ(location.scenario.GetStateName(), "hall");
	EXPECT_EQ(location.GetRunningCommand(), location.scenario.GetStates().at("hall").get());

	// The waiting command alone is ticked, once per frame, without its ancestors.
	EXPECT_EQ(TickFrame(location), "b! b?");
	EXPECT_EQ(Label(location.GetRunningCommand()), "b");
	EXPECT_EQ(TickFrame(location), "b?");
	// Its children run when it finishes; only the branch of the outcome "left".
	EXPECT_EQ(TickFrame(location), "b? c! c? l! l?");
	EXPECT_EQ(location.scenario.GetStateName(), "yard");
	EXPECT_EQ(location.GetRunningCommand(), location.scenario.GetStates().at("yard").get());
	EXPECT_EQ(TickFrame(location), "y! y?");
	EXPECT_EQ(TickFrame(location), "y?");
	EXPECT_EQ(Label(location.GetRunningCommand()), "y");
}

TEST_F(ScenarioTest, OutcomesAndCodesChooseTheBranch)
{
	struct sCase
	{
		const char* what;
		const char* startup;
		const char* trace;
		const char* running;
	};
	const sCase cases[] = {
		{"children without result run after the outcome \"\"",
			R"(<step><item name="a"/><step><item name="b"/></step></step><step><item name="z"/></step>)", "a! a? b! b?",
			"state_declaration"},
		{"a child of another result never runs; no match lets the next sibling try",
			R"(<step><item name="a" outcome="x"/><step result="y"><item name="b"/></step></step><step><item name="z"/></step>)",
			"a! a? z! z?", "state_declaration"},
		{"a finished branch ends the step although later siblings match",
			R"(<step><item name="a" ready="3"/></step><step><item name="z"/></step>)", "a! a?", "state_declaration"},
		{"a child reporting 2 lets the next matching sibling run",
			R"(<step><item name="a"/><step><item name="b" ready="2"/></step><step><item name="c"/></step></step>)",
			"a! a? b! b? c! c?", "state_declaration"},
		{"another code lets the next sibling try",
			R"(<step><item name="a" ready="7"/></step><step><item name="z"/></step>)", "a! a? z! z?", "state_declaration"},
		{"a waiting child keeps the later siblings from running",
			R"(<step><item name="a" wait="1"/></step><step><item name="z"/></step>)", "a! a?", "a"},
		{"results compare case-sensitively",
			R"(<step><item name="a" outcome="Win"/><step result="win"><item name="b"/></step><step result="Win"><item name="c"/></step></step>)",
			"a! a? c! c?", "state_declaration"},
	};
	for (const sCase& c : cases)
	{
		cTestLocation location;
		ASSERT_TRUE(location.LoadText(std::string("<s><state name=\"startup\">") + c.startup + "</state></s>")) << c.what;
		location.scenario.Reset();
		EXPECT_EQ(TakeTrace(), c.trace) << c.what;
		EXPECT_EQ(Label(location.GetRunningCommand()), c.running) << c.what;
	}
}

TEST_F(ScenarioTest, ResetStartsFromStartupWhateverWasCurrent)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(R"(<s>
		<state name="startup"><step><item name="a"/></step></state>
		<state name="other"><step><item name="o" wait="5"/></step></state>
		<state name="waiting"><step><item name="w" wait="5"/></step></state>
	</s>)"));
	cScenarioCommand* startup = location.scenario.GetStates().at("startup").get();

	// A startup branch that ends at once leaves "startup" current and running.
	location.scenario.Reset();
	EXPECT_EQ(location.GetState(""), startup);
	EXPECT_EQ(location.GetRunningCommand(), startup);

	// So does a reset after another state became current (a failed restore).
	location.SetState("other");
	location.scenario.Tick();
	location.scenario.Reset();
	EXPECT_EQ(location.GetState(""), startup);
	EXPECT_EQ(location.GetRunningCommand(), startup);
	TakeTrace();

	// Every command executes afresh after a reset.
	location.scenario.Tick();
	location.scenario.Tick();
	EXPECT_EQ(TakeTrace(), "a! a? a! a?");
}

TEST_F(ScenarioTest, ResetWaitingInStartupRunsTheWaitingCommand)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(R"(<s><state name="startup"><step><item name="w" wait="1"/><step><item name="n"/></step></step></state></s>)"));
	location.scenario.Reset();
	EXPECT_EQ(Label(location.GetRunningCommand()), "w");
	EXPECT_EQ(location.GetState(""), location.GetRunningCommand());
	TakeTrace();
	// The reset cleared its started flag: it executes again in the next frame.
	EXPECT_EQ(TickFrame(location), "w! w?");
	EXPECT_EQ(TickFrame(location), "w? n! n?");
}

TEST_F(ScenarioTest, SaveWritesTheShapeAndTheRunningCommand)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(HallScenario));
	location.scenario.Reset();
	location.scenario.Tick();
	cPlayerProgress progress;
	location.scenario.SaveTo(progress);

	cMemoryStream expected;
	const std::pair<const char*, bool> records[] = {
		{"state_declaration", false}, {"step", true}, {"step", false}, {"step", false}, {"step", false}};
	for (const auto& [keyword, current] : records)
	{
		StreamWriteString(expected, keyword);
		StreamWriteBool(expected, current);
	}
	const sLocationSave& save = progress.locationSaves.at("location1");
	EXPECT_EQ(save.stateName, "hall");
	ASSERT_EQ(const_cast<cMemoryStream&>(save.scenarioData).GetSize(), expected.GetSize());
	EXPECT_EQ(0, memcmp(save.scenarioData.GetData(), expected.GetData(), expected.GetSize()));
}

TEST_F(ScenarioTest, RestoredScenarioGoesOnLikeTheSavedOne)
{
	cTestLocation saved;
	ASSERT_TRUE(saved.LoadText(HallScenario));
	saved.scenario.Reset();
	saved.scenario.Tick();
	saved.scenario.Tick();
	ASSERT_EQ(Label(saved.GetRunningCommand()), "b");

	// Through the profile file's body, as a later run reads it.
	cPlayerProgress progress;
	saved.scenario.SaveTo(progress);
	cMemoryStream body;
	progress.WriteBody(body);
	body.Seek(0, cStream::FromStart);
	cPlayerProgress read;
	ASSERT_TRUE(read.ReadBody(body));

	cTestLocation restored;
	ASSERT_TRUE(restored.LoadText(HallScenario));
	TakeTrace();
	ASSERT_TRUE(restored.scenario.RestoreFrom(read));
	EXPECT_EQ(restored.scenario.GetStateName(), "hall");
	EXPECT_EQ(Label(restored.GetRunningCommand()), "b");
	// The restored command starts again from its Execute.
	EXPECT_EQ(TickFrame(restored), "b! b?");
	EXPECT_EQ(TickFrame(restored), "b?");
	EXPECT_EQ(TickFrame(restored), "b? c! c? l! l?");
	EXPECT_EQ(restored.scenario.GetStateName(), "yard");

	// The saved one reaches the same place.
	saved.scenario.Tick();
	EXPECT_EQ(saved.scenario.GetStateName(), restored.scenario.GetStateName());
	EXPECT_EQ(Label(saved.GetRunningCommand()), Label(restored.GetRunningCommand()));
}

TEST_F(ScenarioTest, RecordsThatDoNotFitFailAndTheLocationStartsOver)
{
	cTestLocation saved;
	ASSERT_TRUE(saved.LoadText(HallScenario));
	saved.scenario.Reset();
	saved.scenario.Tick();
	cPlayerProgress progress;
	saved.scenario.SaveTo(progress);
	cMemoryStream& data = progress.locationSaves.at("location1").scenarioData;
	const std::string whole(reinterpret_cast<const char*>(data.GetData()), data.GetSize());

	auto restoreWith = [&](const std::string& state, const std::string& bytes) {
		cPlayerProgress stored;
		sLocationSave& save = stored.locationSaves["location1"];
		save.stateName = state;
		save.scenarioData.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
		cTestLocation location;
		EXPECT_TRUE(location.LoadText(HallScenario));
		const bool restored = location.scenario.RestoreFrom(stored);
		if (!restored)
			location.scenario.Reset();
		TakeTrace();
		return std::make_pair(restored, location.scenario.GetStateName());
	};
	ASSERT_EQ(restoreWith("hall", whole), std::make_pair(true, std::string("hall")));

	// A record cut anywhere, to the last byte of the last flag.
	for (size_t length = 0; length < whole.size(); ++length)
		EXPECT_FALSE(restoreWith("hall", whole.substr(0, length)).first) << "cut at " << length;

	std::string otherKeyword = whole;
	otherKeyword.replace(otherKeyword.find("step"), 4, "stop");
	std::string noneCurrent = whole;
	noneCurrent[4 + 17 + 1 + 4 + 4] = 0;
	std::string hugeLength = whole;
	hugeLength[3] = char(0x7f);
	const std::pair<const char*, std::pair<std::string, std::string>> unfit[] = {
		{"a keyword differs", {"hall", otherKeyword}},
		{"no command is marked running", {"hall", noneCurrent}},
		{"a length beyond the data", {"hall", hugeLength}},
		{"a state that no longer exists", {"cellar", whole}},
		{"no state stored", {"", whole}},
	};
	for (const auto& [what, stored] : unfit)
	{
		const auto [restored, state] = restoreWith(stored.first, stored.second);
		EXPECT_FALSE(restored) << what;
		// The reset went through "startup" to "hall".
		EXPECT_EQ(state, "hall") << what;
	}
}

TEST_F(ScenarioTest, MissingStateStopsTheScenarioWithoutHarm)
{
	const char* const text = R"(<s>
		<state name="startup"><step><item name="a" event="6"/><step><item name="go" goto="nosuch" ready="3"/></step></step></state>
	</s>)";
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(text));
	location.scenario.Reset();
	EXPECT_EQ(location.GetState(""), nullptr);
	EXPECT_EQ(location.GetRunningCommand(), nullptr);
	TakeTrace();

	cPlayerProgress progress;
	struct sAction
	{
		const char* what;
		std::function<void()> act;
	};
	std::vector<cScenarioEvent> events(1);
	const sAction actions[] = {
		{"hover an object", [&] { location.scenario.CollectEvents(events, "door", cScenarioEvent::kSubLocation); }},
		{"press the hint button", [&] { location.scenario.CollectEvents(events, "", 0); }},
		{"show the location again", [&] { location.scenario.Tick(); }},
		{"hide the location", [&] { location.scenario.SaveTo(progress); }},
	};
	for (const sAction& action : actions)
	{
		action.act();
		EXPECT_TRUE(events.empty()) << action.what;
		EXPECT_EQ(TakeTrace(), "") << action.what;
	}
	EXPECT_EQ(progress.locationSaves.at("location1").scenarioData.GetSize(), 0u);

	// Built again from the profile: it starts over from "startup".
	cTestLocation rebuilt;
	ASSERT_TRUE(rebuilt.LoadText(text));
	EXPECT_FALSE(rebuilt.scenario.RestoreFrom(progress));
	rebuilt.scenario.Reset();
	EXPECT_EQ(TakeTrace(), "a! a? go! go?");
}

TEST_F(ScenarioTest, MissingStartupLeavesTheScenarioStill)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(R"(<s><state name="hall"><step><item name="a"/></step></state></s>)"));
	testing::internal::CaptureStderr();
	location.scenario.Reset();
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_NE(logged.find("Location 'location1' error. State 'startup' not found."), std::string::npos) << logged;
	EXPECT_EQ(location.GetRunningCommand(), nullptr);
	location.scenario.Tick();
	EXPECT_EQ(TakeTrace(), "");
}

TEST_F(ScenarioTest, UnknownKeywordsAreSkippedSilently)
{
	cTestLocation location;
	testing::internal::CaptureStderr();
	ASSERT_TRUE(location.LoadText(R"(<s><state name="startup">
		<Step><item name="capital"/></Step>
		<state_declaration><item name="declaration"/></state_declaration>
		<nosuch><step><item name="inner"/></step></nosuch>
		<step><item name="a"/></step>
	</state><state name="startup"><step><item name="later"/></step></state></s>)"));
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_EQ(ErrorLines(logged), 0) << logged;
	// A later state of the same name replaced the first one.
	location.scenario.Reset();
	EXPECT_EQ(TakeTrace(), "later! later?");
	ASSERT_TRUE(location.LoadText(R"(<s><state name="startup">
		<Step/><state_declaration/><nosuch><step/></nosuch><step><item name="a"/></step></state></s>)"));
	const auto& children = location.scenario.GetStates().at("startup")->GetChildren();
	ASSERT_EQ(children.size(), 1u);
	EXPECT_EQ(Label(children[0].get()), "a");
}

TEST_F(ScenarioTest, CommandThatFailsToLoadIsLoggedAndDropped)
{
	cTestLocation location;
	testing::internal::CaptureStderr();
	EXPECT_FALSE(location.LoadText(R"(<s>
		<state name="startup"><step><item name="a"/></step><broken/><step><item name="after"/></step></state>
		<state name="hall"><step><item name="h"/></step></state></s>)"));
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_NE(logged.find("State 'startup' could not be read whole"), std::string::npos) << logged;
	// The part read before the failure stays; the other states load.
	ASSERT_EQ(location.scenario.GetStates().at("startup")->GetChildren().size(), 1u);
	ASSERT_EQ(location.scenario.GetStates().at("hall")->GetChildren().size(), 1u);
	location.scenario.Reset();
	EXPECT_EQ(TakeTrace(), "a! a?");
}

TEST_F(ScenarioTest, StateThatNamesItselfRunsOnceAFrame)
{
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(R"(<s><state name="startup"><step><item name="a" goto="startup" ready="3"/></step></state></s>)"));
	location.scenario.Reset();
	for (int frame = 0; frame < 1000; ++frame)
		location.scenario.Tick();
	EXPECT_EQ(Trace().size(), 2u * 1001);
	EXPECT_EQ(location.GetRunningCommand(), location.scenario.GetStates().at("startup").get());
}

TEST_F(ScenarioTest, DeepNestingLoadsUpToTheLimitAndFailsBeyond)
{
	// As deep as the XML reader reads: the whole chain runs in one tick and
	// its position survives a save.
	const int depth = 990;
	std::string text = "<s><state name=\"startup\">";
	for (int level = 0; level < depth; ++level)
		text += "<step><item name=\"" + std::to_string(level) + "\"" + (level == depth - 1 ? " wait=\"3\"" : "") + "/>";
	for (int level = 0; level < depth; ++level)
		text += "</step>";
	text += "</state></s>";
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(text));
	location.scenario.Reset();
	EXPECT_EQ(Trace().size(), 2u * depth);
	EXPECT_EQ(Label(location.GetRunningCommand()), std::to_string(depth - 1));
	cPlayerProgress progress;
	location.SetState("startup");
	location.scenario.SaveTo(progress);
	cTestLocation restored;
	ASSERT_TRUE(restored.LoadText(text));
	ASSERT_TRUE(restored.scenario.RestoreFrom(progress));
	EXPECT_EQ(Label(restored.GetRunningCommand()), std::to_string(depth - 1));

	// Built in memory deeper than any file can be: refused with a log line.
	cXmlNode root("s");
	cXmlNode* node = root.AddChildByPath("state");
	for (int level = 0; level < 5000; ++level)
		node = node->AddChildByPath("step");
	cScenario deep("deep");
	testing::internal::CaptureStderr();
	EXPECT_FALSE(deep.Load(root, &location));
	const std::string logged = testing::internal::GetCapturedStderr();
	EXPECT_NE(logged.find("nested deeper than 1000 levels"), std::string::npos) << logged;
}

TEST_F(ScenarioTest, HundredThousandCommandsLoadRunAndSave)
{
	std::string text = "<s><state name=\"startup\">";
	for (int chain = 0; chain < 1000; ++chain)
	{
		for (int level = 0; level < 100; ++level)
			text += "<hide>";
		text += "<step result=\"never\"/>";
		for (int level = 0; level < 100; ++level)
			text += "</hide>";
	}
	text += "<step><item name=\"end\" wait=\"1\"/></step></state></s>";
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(text));
	// Every chain ends without a matching branch, so one tick walks them all.
	location.scenario.Reset();
	EXPECT_EQ(TakeTrace(), "end! end?");
	cPlayerProgress progress;
	location.SetState("startup");
	location.scenario.SaveTo(progress);
	cTestLocation restored;
	ASSERT_TRUE(restored.LoadText(text));
	ASSERT_TRUE(restored.scenario.RestoreFrom(progress));
	EXPECT_EQ(Label(restored.GetRunningCommand()), "end");
}

TEST_F(ScenarioTest, CollectionSortsStablyAndFiltersByKind)
{
	// 40 events of kinds 6, 2 and 1 in turn, spread over nested commands.
	const int kinds[] = {6, 2, 1};
	std::string text = "<s><state name=\"startup\">";
	for (int i = 0; i < 40; ++i)
		text += "<step><item name=\"e" + std::to_string(i) + "\" event=\"" + std::to_string(kinds[i % 3]) + "\"/>" +
			(i % 2 ? "<step result=\"x\"/>" : "") + "</step>";
	text += "</state></s>";
	cTestLocation location;
	ASSERT_TRUE(location.LoadText(text));
	location.SetState("startup");

	std::vector<cScenarioEvent> events;
	location.scenario.CollectEvents(events, "", 0);
	ASSERT_EQ(events.size(), 40u);
	std::vector<std::string> order;
	for (int kind : {1, 2, 6})
		for (int i = 0; i < 40; ++i)
			if (kinds[i % 3] == kind)
				order.push_back("e" + std::to_string(i));
	for (size_t i = 0; i < events.size(); ++i)
	{
		EXPECT_EQ(events[i].object, order[i]) << i;
		EXPECT_EQ(events[i].item, "") << i;
	}

	location.scenario.CollectEvents(events, "door", 2);
	ASSERT_EQ(events.size(), 13u);
	for (size_t i = 0; i < events.size(); ++i)
	{
		EXPECT_EQ(events[i].object, "e" + std::to_string(1 + 3 * i));
		EXPECT_EQ(events[i].item, "door");
	}
	// The walk leaves no command marked as being walked.
	EXPECT_FALSE(location.GetState("")->IsCollecting());
}

TEST_F(ScenarioTest, FirstTickOfAResetOnALoaderThreadHoldsTheSceneLock)
{
	Singletone<cCommandFactory>::GetInstance()->Register("lock_probe", &CreateCommand<cLockProbe>);
	Singletone<cSceneManager>::GetInstance();
	cLockProbe::ran = 0;
	cLockProbe::held = 0;

	cTestLocation location;
	ASSERT_TRUE(location.LoadText(R"(<s><state name="startup"><lock_probe/></state></s>)"));
	std::thread loader([&] { location.scenario.Reset(); });
	loader.join();
	EXPECT_EQ(cLockProbe::ran, 1);
	EXPECT_EQ(cLockProbe::held, 1);
	// And lets it go afterwards.
	std::recursive_mutex* lock = Singletone<cSceneManager>::GetInstance()->GetLock()->mutex;
	std::thread([lock] {
		ASSERT_TRUE(lock->try_lock());
		lock->unlock();
	}).join();
}
