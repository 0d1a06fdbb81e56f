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
// A word takes clicks in a box centred on its text's place, which is the
// left end of its line: a little right of that place is on both.
const int kClickRight = 8;
// The intro types the words in 2 seconds.
const auto kIntro = std::chrono::milliseconds(2600);
// A failed puzzle's "failure" runs a second before the next one starts.
const auto kFailure = std::chrono::milliseconds(1300);
// Puzzles tried before the solver gives up, and the fewest words read
// that a puzzle is started with.
const int kMostPuzzles = 8;
const size_t kFewestRead = 8;

// Which pixels of a picture are ink, rows from the top.
struct sInk
{
	int width = 0, height = 0;
	std::vector<bool> on;

	bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && on[size_t(y * width + x)]; }
	// The ink cut to the box of its pixels.
	sInk Trimmed() const
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
		return cut;
	}
};

// The text as the typeface draws it and the game shows it, its ink
// trimmed: the game's texture filtering spreads each glyph over half a
// pixel more each way, which the ink of the screen takes in from 0.4 of
// full coverage.
sInk Draw(const cGlyphRasterizer& face, const std::string& text)
{
	std::vector<sRasterGlyph> glyphs(text.size());
	int width = 0;
	for (size_t i = 0; i < text.size(); ++i)
		if (face.Render(uint8_t(text[i]), glyphs[i]))
			width += glyphs[i].advance;
	const int margin = 4;
	const int height = face.GetAscender() + face.GetDescender() + 2 * margin;
	width += 2 * margin;
	std::vector<int> coverage(size_t(width * height), 0);
	int pen = margin;
	for (const sRasterGlyph& glyph : glyphs)
	{
		for (int y = 0; y < glyph.height; ++y)
			for (int x = 0; x < glyph.width; ++x)
			{
				const int px = pen + glyph.bearingX + x, py = margin + face.GetAscender() - glyph.bearingY + y;
				if (px >= 0 && py >= 0 && px < width && py < height)
					coverage[size_t(py * width + px)] += glyph.coverage[size_t(y * glyph.width + x)];
			}
		pen += glyph.advance;
	}
	auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height ? coverage[size_t(y * width + x)] : 0; };
	sInk ink;
	ink.width = width;
	ink.height = height;
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
			ink.on.push_back(at(x, y) + at(x - 1, y) + at(x, y - 1) + at(x - 1, y - 1) >= 4 * 255 * 4 / 10);
	return ink.Trimmed();
}

// The share of the inks' pixels that find no pixel of the other ink next
// to them, the best of small shifts; 1 when their sizes differ much. A
// neighbour counts, so that strokes a pixel thicker or half a pixel off
// still match.
double Mismatch(const sInk& a, const sInk& b)
{
	if (std::abs(a.width - b.width) > 3 || std::abs(a.height - b.height) > 3)
		return 1;
	auto near = [](const sInk& ink, int x, int y) {
		for (int dy = -1; dy <= 1; ++dy)
			for (int dx = -1; dx <= 1; ++dx)
				if (ink.At(x + dx, y + dy))
					return true;
		return false;
	};
	// The pixels of one ink without a neighbour in the other, shifted by (dx, dy).
	auto unmatched = [&](const sInk& from, const sInk& to, int dx, int dy, int& total) {
		int alone = 0;
		for (int y = 0; y < from.height; ++y)
			for (int x = 0; x < from.width; ++x)
				if (from.At(x, y))
				{
					++total;
					alone += near(to, x + dx, y + dy) ? 0 : 1;
				}
		return alone;
	};
	double best = 1;
	for (int dy = -1; dy <= 1; ++dy)
		for (int dx = -2; dx <= 2; ++dx)
		{
			int total = 0;
			const int alone = unmatched(a, b, dx, dy, total) + unmatched(b, a, -dx, -dy, total);
			if (total > 0)
				best = std::min(best, double(alone) / total);
		}
	return best;
}

// The ink of the screen's box: the text is drawn light on the screen's
// dark green, and a pixel is ink from 0.4 of the way from the background's
// green to the text's, as the drawn texts are.
sInk InkOf(const sScreenshot& shot, const sScreenBox& box)
{
	const int background = 35;
	int lightest = 0;
	for (int y = box.top; y < box.bottom; ++y)
		for (int x = box.left; x < box.right; ++x)
			lightest = std::max(lightest, ColourAt(shot, x, y).g);
	const int threshold = std::max(background + (lightest - background) * 4 / 10, 70);
	sInk ink;
	ink.width = box.right - box.left;
	ink.height = box.bottom - box.top;
	for (int y = box.top; y < box.bottom; ++y)
		for (int x = box.left; x < box.right; ++x)
			ink.on.push_back(ColourAt(shot, x, y).g >= threshold);
	return ink;
}

// The best matching text of the list for the ink, or -1 when none is
// close or another is nearly as close.
int Recognise(const sInk& ink, const std::vector<sInk>& drawn)
{
	int best = -1;
	double least = 1, second = 1;
	for (size_t i = 0; i < drawn.size(); ++i)
	{
		const double mismatch = Mismatch(ink, drawn[i]);
		if (mismatch < least)
			second = least, least = mismatch, best = int(i);
		else
			second = std::min(second, mismatch);
	}
	return least < 0.15 && least < 0.6 * second ? best : -1;
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
// stand; a word that cannot be read is left out.
std::vector<sSlot> ReadSlots(const sScreenshot& shot, const sComputerReading& reading)
{
	std::vector<sSlot> slots;
	for (int slot = 0; slot + 1 < cMinigameComputer::kWords; ++slot)
	{
		const int x = kFirstX + slot % kColumns * kColumnStep, y = kFirstY - slot / kColumns * kRowStep;
		const sInk ink = InkOf(shot, AboutText(x, y, 90, 44)).Trimmed();
		const int word = Recognise(ink, reading.drawnWords);
		if (word >= 0)
			slots.push_back({reading.words[size_t(word)], {x + kClickRight, kScreenHeight - y}});
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
			const int found = Recognise(InkOf(shot, box).Trimmed(), reading.drawnCounts);
			if (found >= 0 && guess + 1 < cMinigameComputer::kAttempts)
				answer.count = reading.counts[size_t(found)];
			return answer.won || answer.count;
		},
		std::chrono::seconds(4));
	return answer;
}

// A guessed word with the count of letters in common and the password's
// length that it brought.
struct sGuess
{
	std::string word;
	std::pair<int, int> count;
};

// The words on the screen now that agree with every guess so far.
std::vector<sSlot> Candidates(const cGameRun& run, const sComputerReading& reading, const std::vector<sGuess>& guesses)
{
	std::vector<sSlot> slots = ReadSlots(run.Capture(), reading);
	std::erase_if(slots, [&](const sSlot& slot) {
		return std::any_of(guesses.begin(), guesses.end(), [&](const sGuess& guess) {
			return slot.word == guess.word || int(slot.word.size()) != guess.count.second ||
				cMinigameComputer::CountCommonLetters(Wide(guess.word), Wide(slot.word)) != guess.count.first;
		});
	});
	return slots;
}

// Four guesses at most; true once the password is found. The words are
// read again before each guess: some are read only once the first
// guess has brought them their colour.
bool PlayPuzzle(const cGameRun& run, const sComputerReading& reading)
{
	std::vector<sGuess> guesses;
	for (int guess = 0; guess < cMinigameComputer::kAttempts; ++guess)
	{
		const std::vector<sSlot> slots = Candidates(run, reading, guesses);
		if (slots.empty() || (guess == 0 && slots.size() < kFewestRead))
			return false;
		std::vector<std::string> candidates;
		for (const sSlot& slot : slots)
			candidates.push_back(slot.word);
		const sSlot& chosen = slots[BestGuess(candidates)];
		// A word takes no click while the intro still runs.
		sAnswer answer;
		for (int tap = 0; tap < 3 && !answer.won && !answer.count; ++tap)
		{
			Tap(run, chosen.centre);
			answer = AwaitAnswer(run, reading, guess);
		}
		if (answer.won || !answer.count)
			return answer.won;
		guesses.push_back({chosen.word, *answer.count});
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
