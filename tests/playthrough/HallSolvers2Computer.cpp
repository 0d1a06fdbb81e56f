// The computer's password found as a player finds it: the words on the
// screen are read (matched with the words of the game's texts, drawn in
// the game's typeface), and each guess's count of letters shared with the
// password strikes out the words that would give another count.

#include "HallSolvers2Games.h"
#include "HallSolvers2Support.h"

#include "game/minigames/cMinigameComputer.h"
#include "tools/content/cGlyphRasterizer.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <regex>
#include <thread>

namespace
{
// The words' typeface: the game's font 0.
const char* const kWordFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const int kWordPixels = 16;
// The words stand in three columns from their text's place (y up).
const int kColumns = 3;
const int kFirstX = 220, kColumnStep = 110, kFirstY = 580, kRowStep = 52;
// The answer rows' counts "n/L" stand at this x, the rows 70 apart from here (y up).
const int kCountX = 790, kFirstCountY = 478, kCountStep = 70;
const int kScreenHeight = 768;
// The intro types the words in 2 seconds.
const auto kIntro = std::chrono::milliseconds(2600);
// A failed puzzle's "failure" runs a second before the next one starts.
const auto kFailure = std::chrono::milliseconds(1300);
const int kMostPuzzles = 6;

// Which pixels of a picture are ink, rows from the top.
struct sInk
{
	int width = 0, height = 0;
	std::vector<bool> on;

	bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && on[size_t(y * width + x)]; }
	// The ink cut to the box of its pixels; where that box lies in the original.
	sInk Trimmed(int* left = nullptr, int* top = nullptr) const
	{
		int x0 = width, y0 = height, x1 = -1, y1 = -1;
		for (int y = 0; y < height; ++y)
			for (int x = 0; x < width; ++x)
				if (At(x, y))
					x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
		sInk cut;
		if (x1 < 0)
			return cut;
		cut.width = x1 - x0 + 1;
		cut.height = y1 - y0 + 1;
		for (int y = y0; y <= y1; ++y)
			for (int x = x0; x <= x1; ++x)
				cut.on.push_back(At(x, y));
		if (left)
			*left = x0;
		if (top)
			*top = y0;
		return cut;
	}
};

// The text as the typeface draws it, its ink trimmed.
sInk Draw(const cGlyphRasterizer& face, const std::string& text)
{
	std::vector<sRasterGlyph> glyphs(text.size());
	int width = 0;
	for (size_t i = 0; i < text.size(); ++i)
		if (face.Render(uint8_t(text[i]), glyphs[i]))
			width += glyphs[i].advance;
	sInk ink;
	ink.width = width + 8;
	ink.height = face.GetAscender() + face.GetDescender() + 8;
	ink.on.assign(size_t(ink.width * ink.height), false);
	int pen = 4;
	for (const sRasterGlyph& glyph : glyphs)
	{
		for (int y = 0; y < glyph.height; ++y)
			for (int x = 0; x < glyph.width; ++x)
			{
				const int px = pen + glyph.bearingX + x, py = 4 + face.GetAscender() - glyph.bearingY + y;
				if (glyph.coverage[size_t(y * glyph.width + x)] >= 128 && px >= 0 && py >= 0 && px < ink.width &&
					py < ink.height)
					ink.on[size_t(py * ink.width + px)] = true;
			}
		pen += glyph.advance;
	}
	return ink.Trimmed();
}

// The share of pixels in which two inks differ, the best of small shifts;
// 1 when their sizes differ much.
double Mismatch(const sInk& a, const sInk& b)
{
	if (std::abs(a.width - b.width) > 3 || std::abs(a.height - b.height) > 2)
		return 1;
	double best = 1;
	for (int dy = -1; dy <= 1; ++dy)
		for (int dx = -2; dx <= 2; ++dx)
		{
			int differ = 0;
			const int width = std::max(a.width, b.width), height = std::max(a.height, b.height);
			for (int y = 0; y < height; ++y)
				for (int x = 0; x < width; ++x)
					differ += a.At(x, y) != b.At(x + dx, y + dy) ? 1 : 0;
			best = std::min(best, double(differ) / (width * height));
		}
	return best;
}

// The ink of the screen's box where the test holds, and the box's corner.
sInk InkOf(const sScreenshot& shot, const sScreenBox& box, const std::function<bool(const sRgb&)>& test)
{
	sInk ink;
	ink.width = box.right - box.left;
	ink.height = box.bottom - box.top;
	for (int y = box.top; y < box.bottom; ++y)
		for (int x = box.left; x < box.right; ++x)
			ink.on.push_back(test(ColourAt(shot, x, y)));
	return ink;
}

// The best matching text of the list for the ink, or -1 when none is close.
int Recognise(const sInk& ink, const std::vector<sInk>& drawn)
{
	int best = -1;
	double least = 0.2;
	for (size_t i = 0; i < drawn.size(); ++i)
	{
		const double mismatch = Mismatch(ink, drawn[i]);
		if (mismatch < least)
			least = mismatch, best = int(i);
	}
	return best;
}

std::wstring Wide(const std::string& text)
{
	return std::wstring(text.begin(), text.end());
}

// The word of the list a guess narrows the candidates most with: its
// largest group of candidates alike in their count is the smallest.
size_t BestGuess(const std::vector<std::string>& candidates)
{
	size_t best = 0, smallest = candidates.size() + 1;
	for (size_t guess = 0; guess < candidates.size(); ++guess)
	{
		std::vector<size_t> groups(16, 0);
		for (const std::string& candidate : candidates)
			++groups[size_t(std::min(15, cMinigameComputer::CountCommonLetters(Wide(candidates[guess]), Wide(candidate))))];
		const size_t largest = *std::max_element(groups.begin(), groups.end());
		if (largest < smallest)
			smallest = largest, best = guess;
	}
	return best;
}

struct sComputerReading
{
	// The words of the game's texts and their drawings.
	std::vector<std::string> words;
	std::vector<sInk> drawnWords;
	// "n/L" for every count n and length L, and the pairs they stand for.
	std::vector<std::pair<int, int>> counts;
	std::vector<sInk> drawnCounts;
};

// The words of the game's texts "minigame\parol_word<n>".
std::vector<std::string> ReadWords(const std::string& game)
{
	std::ifstream file(game + "/localization/strings.xml");
	const std::string xml((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	const std::regex phrase("name=\"parol_word[0-9]+\" text=\"([A-Z]+)\"");
	std::vector<std::string> words;
	for (auto match = std::sregex_iterator(xml.begin(), xml.end(), phrase); match != std::sregex_iterator(); ++match)
		words.push_back((*match)[1]);
	return words;
}

bool IsWordInk(const sRgb& colour)
{
	return colour.g >= 128 && colour.g > colour.r + 50;
}

bool IsCountInk(const sRgb& colour)
{
	return colour.r >= 128 && colour.g >= 128 && colour.b >= 128;
}

// The screen's box about a text's place (y up) wide and high as given.
sScreenBox AboutText(int x, int y, int width, int height)
{
	const int top = kScreenHeight - y;
	return {x - 6, top - height / 2, x + width, top + height / 2};
}

struct sSlot
{
	std::string word;
	sPoint centre;
};

// The words that may be the password (all but the last) and where they
// stand; empty when one cannot be read.
std::vector<sSlot> ReadSlots(const sScreenshot& shot, const sComputerReading& reading)
{
	std::vector<sSlot> slots;
	for (int slot = 0; slot + 1 < cMinigameComputer::kWords; ++slot)
	{
		const sScreenBox box =
			AboutText(kFirstX + slot % kColumns * kColumnStep, kFirstY - slot / kColumns * kRowStep, 104, 44);
		int left = 0, top = 0;
		const sInk ink = InkOf(shot, box, IsWordInk).Trimmed(&left, &top);
		const int word = Recognise(ink, reading.drawnWords);
		if (word < 0)
			return {};
		slots.push_back({reading.words[size_t(word)], {box.left + left + ink.width / 2, box.top + top + ink.height / 2}});
	}
	return slots;
}

// What a guess brings: the victory, or the count of letters in common
// and the password's length that the guess's answer row shows; neither
// when the row cannot be read.
struct sAnswer
{
	bool won = false;
	std::optional<std::pair<int, int>> count;
};

sAnswer AwaitAnswer(const cGameRun& run, const sComputerReading& reading, int guess)
{
	run.ParkPointer();
	const sScreenBox box = AboutText(kCountX, kFirstCountY - guess * kCountStep, 60, 30);
	sAnswer answer;
	Eventually(
		[&] {
			const sScreenshot shot = run.Capture();
			answer.won = ShowsVictoryStar(shot);
			const int found = Recognise(InkOf(shot, box, IsCountInk).Trimmed(), reading.drawnCounts);
			if (found >= 0 && guess + 1 < cMinigameComputer::kAttempts)
				answer.count = reading.counts[size_t(found)];
			return answer.won || answer.count;
		},
		std::chrono::seconds(4));
	return answer;
}

// Four guesses at most; true once the password is found.
bool PlayPuzzle(const cGameRun& run, const sComputerReading& reading)
{
	const std::vector<sSlot> slots = ReadSlots(run.Capture(), reading);
	std::vector<std::string> candidates;
	for (const sSlot& slot : slots)
		candidates.push_back(slot.word);
	for (int guess = 0; guess < cMinigameComputer::kAttempts && !candidates.empty(); ++guess)
	{
		const std::string word = candidates[BestGuess(candidates)];
		const auto slot = std::find_if(slots.begin(), slots.end(), [&](const sSlot& s) { return s.word == word; });
		Tap(run, slot->centre);
		const sAnswer answer = AwaitAnswer(run, reading, guess);
		if (answer.won || !answer.count)
			return answer.won;
		const std::optional<std::pair<int, int>>& count = answer.count;
		std::erase_if(candidates, [&](const std::string& candidate) {
			return candidate == word || int(candidate.size()) != count->second ||
				cMinigameComputer::CountCommonLetters(Wide(word), Wide(candidate)) != count->first;
		});
	}
	return false;
}
}

sMinigameSolver ComputerSolver()
{
	auto reading = std::make_shared<sComputerReading>();
	sMinigameSolver solver = SolverOnScene("computer", [reading](cGameRun& run, const cScreenLayout&) {
		if (reading->words.empty())
			return false;
		std::this_thread::sleep_for(kIntro);
		for (int puzzle = 0; puzzle < kMostPuzzles; ++puzzle)
		{
			if (PlayPuzzle(run, *reading))
				return true;
			std::this_thread::sleep_for(kFailure + kIntro);
		}
		return false;
	});
	const auto readLayout = solver.readLayouts;
	solver.readLayouts = [reading, readLayout](const std::string& game) {
		readLayout(game);
		cGlyphRasterizer face;
		if (!face.Open(kWordFace, kWordPixels))
			return;
		reading->words = ReadWords(game);
		for (const std::string& word : reading->words)
			reading->drawnWords.push_back(Draw(face, word));
		for (int length = 6; length <= 7; ++length)
			for (int count = 0; count <= length; ++count)
			{
				reading->counts.emplace_back(count, length);
				reading->drawnCounts.push_back(Draw(face, std::to_string(count) + "/" + std::to_string(length)));
			}
	};
	return solver;
}
