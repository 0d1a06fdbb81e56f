#include "engine/foundation/StreamSerialization.h"
#include "engine/foundation/cMemoryStream.h"
#include "game/play/cPlayerProgress.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
std::string Bytes(cMemoryStream& stream)
{
	return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

cMemoryStream FromBytes(const std::string& bytes)
{
	cMemoryStream stream;
	stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
	stream.Seek(0, cStream::FromStart);
	return stream;
}

cSavedObjectState Saved(const std::string& name, std::vector<cSavedObjectState> children = {})
{
	cSavedObjectState state;
	state.name = name;
	state.children = std::move(children);
	return state;
}

// A record with every stored field away from its default.
void Fill(cPlayerProgress& progress)
{
	progress.currentLocation = "location3";
	progress.inventory = {{"key", 2}, {"coin", -1}};
	sLocationSave& save = progress.locationSaves["location3"];
	save.stateName = "state2";
	save.scenarioData.Write("\0\1\2scenario", 11);
	cSavedObjectState door = Saved("door", {Saved("handle"), Saved("lock", {Saved("pin")})});
	door.enabled = true;
	door.visible = true;
	door.motion = "open";
	door.animation = "shine";
	save.objects = Saved("", {door, Saved("window")});
	progress.locationSaves["location1"].stateName = "start";
	progress.aimStates = {{"aim1", 1}, {"aim2", 2}};
	progress.aimTexts = {{"aim1", L"Find the key \x263A"}, {"aim2", std::wstring(1, wchar_t(0xD83D)) + wchar_t(0xDE00)}};
	progress.hintsShown = {{"hint_map", true}, {"hint_panel", false}};
	progress.cursorObjects = {"room.key"};
	progress.panelShown = true;
	progress.ispyMode = true;
	progress.ispyCollecting = true;
	progress.hintCharge = 0.625f;
	progress.ispyListName = "list4";
	progress.ispyTargetCount = 12;
	progress.ispyFoundCount = 5;
	progress.ispyObjects = {"cup", "bell"};
	progress.loopingSounds = {"rain", "wind"};
	progress.mapPlaces = {3, 0, 7};
	progress.music = "track02";
	progress.gameCounter = -3;
	progress.restartPending = true;
	progress.introHintShown = true;
}

void ExpectSameStoredFields(cPlayerProgress& a, cPlayerProgress& b)
{
	EXPECT_EQ(a.currentLocation, b.currentLocation);
	EXPECT_EQ(a.inventory, b.inventory);
	ASSERT_EQ(a.locationSaves.size(), b.locationSaves.size());
	for (auto& [name, save] : a.locationSaves)
	{
		sLocationSave& other = b.locationSaves.at(name);
		EXPECT_EQ(save.stateName, other.stateName);
		EXPECT_EQ(save.objects, other.objects);
		EXPECT_EQ(Bytes(save.scenarioData), Bytes(other.scenarioData));
	}
	EXPECT_EQ(a.aimStates, b.aimStates);
	EXPECT_EQ(a.aimTexts, b.aimTexts);
	EXPECT_EQ(a.hintsShown, b.hintsShown);
	EXPECT_EQ(a.cursorObjects, b.cursorObjects);
	EXPECT_EQ(a.panelShown, b.panelShown);
	EXPECT_EQ(a.ispyMode, b.ispyMode);
	EXPECT_EQ(a.ispyCollecting, b.ispyCollecting);
	EXPECT_EQ(a.hintCharge, b.hintCharge);
	EXPECT_EQ(a.ispyListName, b.ispyListName);
	EXPECT_EQ(a.ispyTargetCount, b.ispyTargetCount);
	EXPECT_EQ(a.ispyFoundCount, b.ispyFoundCount);
	EXPECT_EQ(a.ispyObjects, b.ispyObjects);
	EXPECT_EQ(a.loopingSounds, b.loopingSounds);
	EXPECT_EQ(a.mapPlaces, b.mapPlaces);
	EXPECT_EQ(a.music, b.music);
	EXPECT_EQ(a.gameCounter, b.gameCounter);
	EXPECT_EQ(a.restartPending, b.restartPending);
	EXPECT_EQ(a.introHintShown, b.introHintShown);
}

std::string Body(cPlayerProgress& progress)
{
	cMemoryStream stream;
	progress.WriteBody(stream);
	return Bytes(stream);
}
}

TEST(PlayerProgress, WrittenRecordReadsBackEqualExceptTheSecondName)
{
	cPlayerProgress written;
	written.SetName(L"Ann");
	written.secondName = L"not stored";
	Fill(written);
	cMemoryStream body = FromBytes(Body(written));

	cPlayerProgress read;
	read.SetName(L"Bob");
	read.secondName = L"kept";
	read.inventory = {{"stale", 9}};
	read.locationSaves["stale"].stateName = "x";
	ASSERT_TRUE(read.ReadBody(body));
	ExpectSameStoredFields(written, read);
	EXPECT_EQ(read.GetName(), L"Bob");
	EXPECT_EQ(read.secondName, L"kept");
	EXPECT_EQ(read.GetLocationStateName("location3"), "state2");
	EXPECT_EQ(read.GetLocationStateName("nowhere"), "");
	// The scenario data is ready to be read from its start.
	char first = 9;
	EXPECT_EQ(read.locationSaves["location3"].scenarioData.Read(&first, 1), 1u);
	EXPECT_EQ(first, 0);
}

TEST(PlayerProgress, BodyLayout)
{
	cPlayerProgress progress;
	progress.currentLocation = "L";
	progress.inventory = {{"k", 2}};
	progress.locationSaves["loc"].stateName = "s";
	progress.locationSaves["loc"].scenarioData.Write("AB", 2);
	progress.locationSaves["loc"].objects = Saved("", {Saved("o")});
	progress.mapPlaces = {4};
	progress.panelShown = true;
	progress.ispyFoundCount = 1;
	progress.ispyTargetCount = 2;
	progress.ispyMode = true;
	progress.ispyObjects = {"i"};
	progress.ispyListName = "n";
	progress.music = "m";
	progress.aimStates = {{"a", 1}};
	progress.aimTexts = {{"a", L"T"}};
	progress.hintCharge = 1.0f;
	progress.hintsShown = {{"h", true}};
	progress.cursorObjects = {"c"};
	progress.gameCounter = 3;
	progress.introHintShown = true;
	progress.loopingSounds = {"w"};

	const std::string expected = std::string("\1\0\0\0L", 5)    // current location
		+ std::string("\1\0\0\0\1\0\0\0k\2\0\0\0", 13)         // inventory
		+ std::string("\1\0\0\0\3\0\0\0loc\1\0\0\0s", 16)      // location save: name, state
		+ std::string("\2\0\0\0AB", 6)                          // scenario data
		+ std::string("\0\0\0\0\1\0\0\0", 8)                    // objects: root name, one child
		+ std::string("\1\0\0\0o\0\0\0\0\0\0\0\0\0\0\0\0\0", 19) // child "o": no children, flags, motion, animation
		+ std::string("\0\0\0\0\0\0\0\0\0\0", 10)               // root: flags, motion, animation
		+ std::string("\1\0\0\0\4\0\0\0", 8)                    // map places
		+ std::string("\1\1\0\0\0\2\0\0\0\1\0", 11)             // panel, found, target, mode, collecting
		+ std::string("\1\0\0\0\1\0\0\0i", 9)                   // i-spy objects
		+ std::string("\1\0\0\0n\1\0\0\0m", 10)                 // list name, music
		+ std::string("\1\0\0\0\1\0\0\0a\1\0\0\0", 13)          // aim states
		+ std::string("\1\0\0\0\1\0\0\0a\1\0\0\0T\0", 15)       // aim texts
		+ std::string("\0\0\x80\x3F", 4)                        // hint charge
		+ std::string("\1\0\0\0\1\0\0\0h\1", 10)                // hints shown
		+ std::string("\1\0\0\0\1\0\0\0c", 9)                   // cursor objects
		+ std::string("\3\0\0\0\0\1", 6)                        // game counter, restart, intro hint
		+ std::string("\1\0\0\0\1\0\0\0w", 9);                  // looping sounds
	EXPECT_EQ(Body(progress), expected);
}

TEST(PlayerProgress, EmptyBodyLeavesTheRecordUnchanged)
{
	cPlayerProgress progress;
	Fill(progress);
	cPlayerProgress before = progress;
	cMemoryStream empty;
	EXPECT_TRUE(progress.ReadBody(empty));
	ExpectSameStoredFields(before, progress);

	cPlayerProgress fresh;
	EXPECT_TRUE(fresh.ReadBody(empty));
	EXPECT_TRUE(fresh.inventory.empty());
	EXPECT_EQ(fresh.hintCharge, 0.0f);
	EXPECT_FALSE(fresh.panelShown);
}

TEST(PlayerProgress, TruncatedBodyAtEveryLengthLeavesTheRecordUnchanged)
{
	cPlayerProgress written;
	Fill(written);
	const std::string body = Body(written);

	cPlayerProgress progress;
	progress.currentLocation = "before";
	progress.inventory = {{"kept", 1}};
	for (size_t length = 1; length < body.size(); ++length)
	{
		cMemoryStream cut = FromBytes(body.substr(0, length));
		ASSERT_FALSE(progress.ReadBody(cut)) << length;
		ASSERT_EQ(progress.currentLocation, "before") << length;
		ASSERT_EQ(progress.inventory, (std::vector<sInventoryItem>{{"kept", 1}})) << length;
		ASSERT_TRUE(progress.locationSaves.empty()) << length;
	}
}

TEST(PlayerProgress, HostileCountsAndNestingAreRefused)
{
	// The start of a body up to the first location save's scenario data.
	auto locationStart = [](cMemoryStream& stream) {
		StreamWriteString(stream, "loc1");
		StreamWriteU32(stream, 0); // inventory
		StreamWriteU32(stream, 1); // one location save
		StreamWriteString(stream, "location1");
		StreamWriteString(stream, "state");
	};
	struct sCase
	{
		const char* name;
		std::function<void(cMemoryStream&)> write;
	};
	const sCase cases[] = {
		{"scenario data size 0xFFFFFFFF",
			[&](cMemoryStream& s) {
				locationStart(s);
				StreamWriteU32(s, 0xFFFFFFFF);
				s.Write("tail", 4);
			}},
		{"inventory count 0xFFFFFFFF",
			[](cMemoryStream& s) {
				StreamWriteString(s, "loc1");
				StreamWriteU32(s, 0xFFFFFFFF);
				StreamWriteString(s, "key");
				StreamWriteInt(s, 1);
			}},
		{"location count 0xFFFFFFFF",
			[](cMemoryStream& s) {
				StreamWriteString(s, "loc1");
				StreamWriteU32(s, 0);
				StreamWriteU32(s, 0xFFFFFFFF);
			}},
		{"100000 nested object records",
			[&](cMemoryStream& s) {
				locationStart(s);
				StreamWriteU32(s, 0);
				for (int i = 0; i < 100000; ++i)
				{
					StreamWriteString(s, "o");
					StreamWriteU32(s, 1);
				}
			}},
		{"object child count 0xFFFFFFFF",
			[&](cMemoryStream& s) {
				locationStart(s);
				StreamWriteU32(s, 0);
				StreamWriteString(s, "");
				StreamWriteU32(s, 0xFFFFFFFF);
				s.Write(std::string(64, '\0').data(), 64);
			}},
		{"cut inside a location save",
			[&](cMemoryStream& s) {
				locationStart(s);
				StreamWriteU32(s, 2);
				s.Write("AB", 2);
				StreamWriteString(s, "");
				StreamWriteU32(s, 3);
			}},
	};
	for (const sCase& c : cases)
	{
		cMemoryStream body;
		c.write(body);
		body.Seek(0, cStream::FromStart);
		cPlayerProgress progress;
		progress.currentLocation = "before";
		EXPECT_FALSE(progress.ReadBody(body)) << c.name;
		EXPECT_EQ(progress.currentLocation, "before") << c.name;
		EXPECT_TRUE(progress.locationSaves.empty()) << c.name;
	}
}

TEST(PlayerProgress, AddItemCount)
{
	cPlayerProgress progress;
	progress.inventory = {{"key", 2}, {"coin", 1}};
	progress.AddItemCount("key", -2);
	EXPECT_EQ(progress.inventory, (std::vector<sInventoryItem>{{"coin", 1}}));
	progress.AddItemCount("rope", -1);
	progress.AddItemCount("coin", 3);
	progress.AddItemCount("map", 0);
	EXPECT_EQ(progress.inventory, (std::vector<sInventoryItem>{{"coin", 4}, {"rope", -1}, {"map", 0}}));
}

TEST(PlayerProgress, RestartKeepsTheNameAndCountsTheGame)
{
	cPlayerProgress progress;
	progress.SetName(L"Ann");
	Fill(progress);
	progress.secondName = L"second";
	progress.Restart();
	EXPECT_EQ(progress.GetName(), L"Ann");
	EXPECT_EQ(progress.gameCounter, -2);
	EXPECT_TRUE(progress.secondName.empty());
	cPlayerProgress fresh;
	fresh.gameCounter = -2;
	ExpectSameStoredFields(fresh, progress);

	progress.SetLocationStateName("location2", "night");
	EXPECT_EQ(progress.GetLocationStateName("location2"), "night");
	EXPECT_TRUE(progress.locationSaves.at("location2").objects.children.empty());
}
