// The computer's word guessing played with the mouse: words cannot be
// chosen during the intro; a wrong guess is listed with its letters in
// common and disappears; the password wins with the victory; four wrong
// guesses play the failure and start a new puzzle; scenes short of words
// and rows, and missing word texts.

#include "PuzzleTestSupport.h"

#include "engine/resources/cTextManager.h"
#include "engine/resources/cXmlResource.h"
#include "engine/scene/cTextVisual.h"
#include "engine/widgets/cButtonText.h"
#include "game/minigames/cMinigameComputer.h"

#include <memory>

namespace
{
// Words of seven columns and three rows, 130 by 40 each.
sRect WordRect(size_t word)
{
	const float left = 80 + float(word % 3) * 150;
	const float bottom = 620 - float(word / 3) * 60;
	return { left, bottom, left + 130, bottom + 40 };
}

// Fifty different words, "ALPHA1" ... as texts, or all of them empty.
std::string WordTexts(bool empty = false)
{
	std::string phrases;
	const char* const stems[] = { "ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO" };
	for (int number = 1; number <= 50; ++number)
		phrases += "<phrase name=\"parol_word" + std::to_string(number) + "\" text=\"" + stems[number % 5] +
			std::to_string(number) + "\"/>";
	if (empty)
		for (size_t from = 0; (from = phrases.find(" text=\"", from)) != std::string::npos;)
		{
			from += 7;
			phrases.erase(from, phrases.find('"', from) - from);
		}
	return R"(<strings><group><group name="texts"><group name="default"><group name="minigame">)" + phrases +
		"</group></group></group></group></strings>";
}

class ComputerTest : public PuzzleTest
{
protected:
	void SetUp() override
	{
		PuzzleTest::SetUp();
		if (HasFatalFailure())
			return;
		AddModels({ { "word", { 0, 0, 130, 40 }, "white" }, { "row", { 0, 0, 200, 30 }, "grey" },
			{ "alarm", { 600, 100, 860, 200 }, "red" } });
		AddSound("bip", 0.1f);
		AddSound("error", 0.3f);
		AddSound("victory", 0.5f);
		LoadTexts(WordTexts());
	}

	void LoadTexts(const std::string& xml)
	{
		texts.reset(new cXmlResource("computer_texts", sResourceSource(StreamOf(xml), "")));
		texts->AddToIndex();
		cTextManager::GetInstance()->LoadFromXml(cResourceHandle::InitByName<cXmlResource>("computer_texts"));
	}

	static std::string At(float x, float y)
	{
		return "local=\"1 0 0 0 1 0 0 0 1 " + std::to_string(x) + " " + std::to_string(y) + " 0\"";
	}

	// The words (clickable texts over a white plate), the answer rows and
	// the "success" and "failure" clips (0.5 s) of an alarm lamp.
	cMinigameComputer* ShowComputer(size_t words = 21, size_t rows = 3)
	{
		std::string elements =
			PieceElement({ "alarm", {}, "" }, "fade", Clip("success", 0.5f) + Clip("failure", 0.5f), R"(color="0 1 1 1")");
		for (size_t word = 0; word < words; ++word)
			elements += "<button_text name=\"word" + std::to_string(word + 1) + "\" model=\"word_quad\" " +
				At(WordRect(word).left, WordRect(word).bottom) + R"(><geometry name="plate" model="word_quad"/></button_text>)";
		for (size_t row = 1; row <= rows; ++row)
		{
			const std::string place = At(600, 600 - float(row) * 50);
			elements += "<object name=\"symbols" + std::to_string(row) + "\"/><object name=\"word_select" +
				std::to_string(row) + "\"/><geometry name=\"symbols_text" + std::to_string(row) +
				"\" model=\"row_quad\" " + place + "/>";
		}
		elements += R"(<object name="attempts_number"/>)";
		auto* game = ShowPuzzle<cMinigameComputer>("computer", elements);
		// Without a font the words are not laid out: their boxes are the plates'.
		cBoundingBox plate;
		plate.SetFromPoints(cVector3d(0, 0, 0), cVector3d(130, 40, 0));
		for (cSceneObject* word : game->GetWords())
			word->GetTransform().SetLocalBox(plate);
		return game;
	}

	static std::string Text(cMinigame* game, const std::string& object)
	{
		return game->GetChildList().FindChild(object)->GetProperties().GetProperty("text");
	}

	// The index of a word other than the password.
	static size_t WrongWord(cMinigameComputer* game, size_t skip = 0)
	{
		for (size_t word = 0; word < game->GetCandidates().size(); ++word)
			if (game->GetCandidates()[word] != game->GetPassword() && game->GetWords()[word]->IsVisible() && skip-- == 0)
				return word;
		return 0;
	}

	static size_t PasswordWord(cMinigameComputer* game)
	{
		const auto& candidates = game->GetCandidates();
		return size_t(std::find(candidates.begin(), candidates.end(), game->GetPassword()) - candidates.begin());
	}

	std::unique_ptr<cXmlResource> texts;
};
}

TEST(cMinigameComputer, CountsEachLetterOfThePasswordOnce)
{
	const struct
	{
		const wchar_t* guess;
		const wchar_t* password;
		int common;
	} cases[] = { { L"LETTER", L"BETTER", 5 }, { L"AAB", L"ABC", 2 }, { L"ABC", L"AAB", 2 }, { L"XYZ", L"ABC", 0 },
		{ L"", L"ABC", 0 }, { L"CAB", L"ABC", 3 } };
	for (const auto& item : cases)
		EXPECT_EQ(cMinigameComputer::CountCommonLetters(item.guess, item.password), item.common) << item.guess;
}

TEST_F(ComputerTest, AWrongGuessIsListedAndThePasswordWinsAfterTheIntro)
{
	cMinigameComputer* game = ShowComputer();
	ASSERT_EQ(game->GetCandidates().size(), 21u);
	EXPECT_LT(PasswordWord(game), 20u) << "one of the first twenty";
	EXPECT_EQ(Text(game, "attempts_number"), "4");
	auto* first = dynamic_cast<cButtonText*>(game->GetWords()[0]);
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(first->GetTextVisual()->GetText(), game->GetCandidates()[0]);
	// The intro: words cannot be chosen.
	Click(WordRect(WrongWord(game)));
	EXPECT_EQ(game->GetAttempts(), 4);
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameComputer::kPlaying; }, 2));
	const sPixels start = Screenshot("computer_start");
	EXPECT_TRUE(ColorNear(ColorAt(start, 145, 640), 0xFFFFFFFF)) << "the first word";
	EXPECT_TRUE(ColorNear(ColorAt(start, 700, 565), 0xFF000000)) << "no answer yet";

	const size_t wrong = WrongWord(game);
	ForgetSounds();
	Click(WordRect(wrong));
	EXPECT_TRUE(game->IsSoundPlaying("select"));
	EXPECT_EQ(game->GetAttempts(), 3);
	EXPECT_EQ(Text(game, "attempts_number"), "3");
	const std::wstring& word = game->GetCandidates()[wrong];
	EXPECT_EQ(Text(game, "symbols1"), std::to_string(cMinigameComputer::CountCommonLetters(word, game->GetPassword())) +
			"/" + std::to_string(game->GetPassword().size()));
	EXPECT_EQ(Text(game, "word_select1"), std::string(word.begin(), word.end()));
	EXPECT_FALSE(game->GetWords()[wrong]->IsVisible());
	// A guessed word is gone: clicking its place again costs nothing.
	Click(WordRect(wrong));
	EXPECT_EQ(game->GetAttempts(), 3);

	Click(WordRect(PasswordWord(game)));
	EXPECT_EQ(game->GetPhase(), cMinigameComputer::kFound);
	EXPECT_FALSE(game->IsSolved()) << "the success plays first";
	ASSERT_TRUE(RunUntil([&] { return game->IsSolved(); }, 2));
	const sPixels solved = Screenshot("computer_solved");
	// The password is chosen at random: the first word may be either clicked one.
	EXPECT_TRUE(ColorNear(ColorAt(solved, 145, 640), 0xFFFFFFFF) || wrong == 0 || PasswordWord(game) == 0)
		<< "the first word stays unless it was clicked";
	EXPECT_TRUE(ColorNear(ColorAt(solved, 700, 565), 0xFF808080)) << "the answer row's label";
	CheckVictory(game);
}

TEST_F(ComputerTest, FourWrongGuessesPlayTheFailureAndANewPuzzleStarts)
{
	cMinigameComputer* game = ShowComputer();
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameComputer::kPlaying; }, 2));
	const std::vector<std::wstring> before = game->GetCandidates();
	for (int guess = 0; guess < 3; ++guess)
		Click(WordRect(WrongWord(game)));
	EXPECT_TRUE(game->GetChildList().FindChild("symbols_text3")->IsVisible());
	ForgetSounds();
	Click(WordRect(WrongWord(game)));
	EXPECT_EQ(game->GetPhase(), cMinigameComputer::kFailed);
	EXPECT_TRUE(game->IsSoundPlaying("failure"));
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameComputer::kIntro; }, 2));
	EXPECT_EQ(game->GetAttempts(), 4);
	EXPECT_NE(game->GetCandidates(), before);
	EXPECT_EQ(Text(game, "symbols1"), "");
	EXPECT_FALSE(game->GetChildList().FindChild("symbols_text1")->IsVisible());
	for (cSceneObject* word : game->GetWords())
		EXPECT_TRUE(word->IsVisible() && !word->IsEnabled());
	EXPECT_FALSE(IsClosing(game));
	// The last word is never the password, whatever puzzle comes.
	for (int puzzle = 0; puzzle < 40; ++puzzle)
	{
		game->Show();
		EXPECT_LT(PasswordWord(game), 20u);
	}
	RunFor(0.5f);
	CheckSkipAndClose(game);
}

TEST_F(ComputerTest, AScreenShortOfWordsAndRowsOrWithoutTextsIsLoggedAndStillPlays)
{
	testing::internal::CaptureStderr();
	cMinigameComputer* game = ShowComputer(20, 1);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has 20 of the 21 words"));
	ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == cMinigameComputer::kPlaying; }, 2));
	for (int guess = 0; guess < 3; ++guess)
		Click(WordRect(WrongWord(game)));
	EXPECT_EQ(game->GetAttempts(), 1);
	EXPECT_FALSE(game->IsSolved());
	CheckSkipAndClose(game);

	// No texts: every word is empty, and says so.
	LoadTexts(WordTexts(true));
	testing::internal::CaptureStderr();
	auto* bare = new cMinigameComputer("missing_computer", screen);
	bare->Show();
	RunFor(2.5f);
	EXPECT_TRUE(Logged(testing::internal::GetCapturedStderr(), "has no text"));
	bare->Skip();
	EXPECT_EQ(bare->GetResult(), "win");
}
