#include "HallSolvers1Games.h"

#include "HallSolvers1Screen.h"

#include "game/minigames/PeriscopeRoute.h"
#include "game/minigames/cMinigameBag.h"

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace std::chrono_literals;

std::string Numbered(const std::string& stem, int number)
{
	return stem + std::to_string(number);
}

// Clicks the object until its box changes.
bool ClickObject(const cGameRun& run, const cScreenLayout& layout, const std::string& path)
{
	const sScreenBox box = layout.Box(path);
	DebugShot(run, "before-" + path.substr(path.find('/') + 1));
	if (layout.Has(path) && ClickUntilBoxChanges(run, box.CentreX(), box.CentreY(), box))
		return DebugShot(run, "after-" + path.substr(path.find('/') + 1)), true;
	DebugShot(run, "fail-" + path.substr(path.find('/') + 1));
	return false;
}

// The hammer's needle: the middle row of the paper-coloured needle in the
// column it rises along; none when it is not found.
std::optional<double> NeedleRow(const sScreenshot& shot, const sScreenBox& needle, const sScreenBox& scale)
{
	const sRgb paper{245, 235, 210};
	int sum = 0;
	int rows = 0;
	for (int y = scale.top - needle.bottom + needle.top; y <= needle.bottom; ++y)
		if (CountNear(shot, {needle.CentreX(), y, needle.CentreX() + 1, y + 1}, paper, 20))
		{
			sum += y;
			++rows;
		}
	if (!rows)
		return std::nullopt;
	return double(sum) / rows;
}

// The middle row of the scale's green zone, where a strike is good.
double GreenZoneMiddle(const sScreenshot& shot, const sScreenBox& scale)
{
	const sRgb green{70, 190, 80};
	int sum = 0;
	int rows = 0;
	for (int y = scale.top; y < scale.bottom; ++y)
		if (CountNear(shot, {scale.left + 10, y, scale.left + 11, y + 1}, green, 20))
		{
			sum += y;
			++rows;
		}
	return rows ? double(sum) / rows : (scale.top + scale.bottom) / 2.0;
}

double Seconds(std::chrono::steady_clock::duration duration)
{
	return std::chrono::duration<double>(duration).count();
}
}

// Holds the button over the stone while the needle rises, and lets go as
// it comes to the middle of the green; seven good strikes win. The swing
// speeds up with every good strike, so the needle's speed is measured on
// the way and the release timed ahead by the game's reaction time.
bool PlayHammer(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenBox needle = layout.Box("needle");
	const sScreenBox scale = layout.Box("scale");
	const sScreenBox stone = layout.Box("bg");
	const double green = GreenZoneMiddle(run.Capture(), scale);
	const double reaction = 0.12;
	run.MoveTo(stone.CentreX(), stone.CentreY());
	for (int swing = 0; swing < 20; ++swing)
	{
		run.SetLeftButton(true);
		const auto pressed = std::chrono::steady_clock::now();
		// The first sample of the needle on its way, the speed measured from it.
		std::optional<double> firstRow;
		auto firstTime = pressed;
		std::optional<double> rest;
		while (std::chrono::steady_clock::now() - pressed < 3s)
		{
			const auto time = std::chrono::steady_clock::now();
			const std::optional<double> row = NeedleRow(run.Capture(), needle, scale);
			if (!row)
				continue;
			fprintf(stderr, "  row %g at %g\n", *row, Seconds(time - pressed));
			if (!rest)
				rest = row;
			else if (!firstRow && *row < *rest - 0.5)
			{
				firstRow = row;
				firstTime = time;
			}
			else if (firstRow && *row < *firstRow - 0.5)
			{
				const double speed = (*firstRow - *row) / Seconds(time - firstTime);
				if (*row - speed * reaction <= green)
					break;
			}
		}
		run.SetLeftButton(false);
		fprintf(stderr, "swing %d green %g t %g\n", swing, green, Seconds(std::chrono::steady_clock::now() - pressed));
		DebugShot(run, "hammer-" + std::to_string(swing));
		// The strike lands, and after the seventh good one the star shows.
		if (AwaitVictoryStar(run, 1500ms))
			return true;
	}
	return false;
}

// The five feathers, then the head, then both arms.
bool PlayStatue(cGameRun& run, const cScreenLayout& layout)
{
	std::vector<std::string> parts;
	for (int feather = 1; feather <= 5; ++feather)
		parts.push_back("body/" + std::to_string(feather) + "_pero");
	for (const char* part : {"body/head", "body/l_arm", "body/r_arm"})
		parts.push_back(part);
	for (const std::string& part : parts)
		if (!ClickObject(run, layout, part))
			return false;
	return AwaitVictoryStar(run, 8s);
}

// Each wheel, which starts at six, clicked on to the number the tag shows.
bool PlayBag(cGameRun& run, const cScreenLayout& layout)
{
	DebugShot(run, "bag-start");
	const char* const wheels[cMinigameBag::kWheels] = {"code_1", "code_2", "code_3", "code_4", "code_6", "code_7"};
	for (int wheel = 0; wheel < cMinigameBag::kWheels; ++wheel)
		for (int turn = 0; turn < cMinigameBag::kCombination[wheel]; ++turn)
			if (!ClickObject(run, layout, wheels[wheel]))
				return DebugShot(run, "bag-fail"), false;
	return AwaitVictoryStar(run, 8s);
}

// Three clicks with the pliers, each seen in their jab. The wire wins
// without the star: the solve is seen in the window closing by itself.
bool PlayWire(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenshot open = run.Capture();
	const sScreenBox pliers = layout.Box("pliers");
	for (int cut = 0; cut < 3; ++cut)
		if (!ClickUntilBoxChanges(run, pliers.CentreX(), pliers.CentreY(), pliers, 1))
			return false;
	return AwaitClosing(run, open, layout.Box("border/close"));
}

// The cloth dragged to and fro over the row of dirt until the key is clean;
// it rubs a strip just above the pointer.
bool PlayKey(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenBox cloth = layout.Box("platok");
	int left = 1024, right = 0, top = 768, bottom = 0;
	for (int piece = 1; layout.Has(Numbered("dirt_part_", piece)); ++piece)
	{
		const sScreenBox dirt = layout.Box(Numbered("dirt_part_", piece));
		left = std::min(left, dirt.left);
		right = std::max(right, dirt.right);
		top = std::min(top, dirt.top);
		bottom = std::max(bottom, dirt.bottom);
	}
	if (right <= left)
		return false;
	const int rubOffset = 16;
	const int y = (top + bottom) / 2 + rubOffset;
	run.MoveTo(cloth.CentreX(), cloth.CentreY());
	std::this_thread::sleep_for(150ms);
	run.SetLeftButton(true);
	bool solved = false;
	for (int pass = 0; pass < 16 && !solved; ++pass)
		for (int step = 0; step <= (right - left) / 8 && !solved; ++step)
		{
			const int x = pass % 2 ? right - step * 8 : left + step * 8;
			run.MoveTo(x, y);
			std::this_thread::sleep_for(30ms);
			solved = ShowsVictoryStar(run.Capture());
		}
	run.SetLeftButton(false);
	return solved || AwaitVictoryStar(run, 3s);
}

// The route the chart marks, stepped along with the arrow buttons; each
// step waits for the view to have moved.
bool PlayPeriscope(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenBox view = layout.Box("scope");
	for (size_t step = 1; step < std::size(kPeriscopeRoute); ++step)
	{
		const int up = kPeriscopeRoute[step].u - kPeriscopeRoute[step - 1].u;
		const int right = kPeriscopeRoute[step].r - kPeriscopeRoute[step - 1].r;
		const char* button = up > 0 ? "button_up" : up < 0 ? "button_down" : right > 0 ? "button_right" : "button_left";
		const sScreenBox box = layout.Box(button);
		if (!layout.Has(button) || !ClickUntilBoxChanges(run, box.CentreX(), box.CentreY(), view, 1))
			return false;
	}
	return AwaitVictoryStar(run, 8s);
}

namespace
{
// The platens' rollers: which one flashes warm as it turns.
class cRollers
{
public:
	explicit cRollers(const cScreenLayout& layout)
	{
		for (int roller = 1; layout.Has(Numbered("walik_", roller)); ++roller)
		{
			const sScreenBox box = layout.Box(Numbered("walik_", roller));
			m_boxes.push_back(box);
			// The top of the roller, clear of the pointer that clicks its middle.
			m_patches.push_back({box.left + 10, box.top + 4, box.right - 10, box.top + 34});
		}
	}

	size_t Count() const { return m_boxes.size(); }
	const sScreenBox& Box(size_t roller) const { return m_boxes[roller]; }

	// The roller flashing on the picture; -1 for none. The flash takes the
	// blue out of the wood.
	int Lit(const sScreenshot& shot) const
	{
		int lit = -1;
		double lowest = 0.25;
		for (size_t roller = 0; roller < m_patches.size(); ++roller)
		{
			const double share = BlueShare(shot, m_patches[roller]);
			if (share < lowest)
			{
				lowest = share;
				lit = int(roller);
			}
		}
		return lit;
	}

private:
	static double BlueShare(const sScreenshot& shot, const sScreenBox& patch)
	{
		double red = 0, blue = 0;
		for (int y = patch.top; y < patch.bottom; y += 2)
			for (int x = patch.left; x < patch.right; x += 2)
			{
				const sRgb pixel = PixelAt(shot, x, y);
				red += pixel.r;
				blue += pixel.b;
			}
		return red > 0 ? blue / red : 1;
	}

	std::vector<sScreenBox> m_boxes;
	std::vector<sScreenBox> m_patches;
};

// The notes the rollers play, as far as the count; empty when the melody
// does not come.
std::vector<int> Listen(const cGameRun& run, const cRollers& rollers, size_t notes)
{
	std::vector<int> melody;
	const auto start = std::chrono::steady_clock::now();
	while (melody.size() < notes && std::chrono::steady_clock::now() - start < 15s)
	{
		// No note comes twice in a row.
		const int lit = rollers.Lit(run.Capture());
		if (lit >= 0 && (melody.empty() || melody.back() != lit))
			melody.push_back(lit);
	}
	if (melody.size() < notes)
		melody.clear();
	// The last note's flash ends before the rollers take clicks.
	Eventually([&] { return rollers.Lit(run.Capture()) < 0; }, 3s);
	return melody;
}
}

// Five melodies of two to six notes, each listened to (the rollers flash
// as they play) and repeated on the rollers.
bool PlayPlatens(cGameRun& run, const cScreenLayout& layout)
{
	const cRollers rollers(layout);
	if (!rollers.Count())
		return false;
	run.ParkPointer();
	for (size_t notes = 2; notes <= 6; ++notes)
	{
		const std::vector<int> melody = Listen(run, rollers, notes);
		if (melody.empty())
			return false;
		for (int roller : melody)
		{
			const sScreenBox& box = rollers.Box(size_t(roller));
			run.ClickAt(box.CentreX(), box.bottom - 20);
			if (!Eventually([&] { return rollers.Lit(run.Capture()) == roller; }, 2s) ||
				!Eventually([&] { return rollers.Lit(run.Capture()) < 0; }, 2s))
				return false;
		}
		run.ParkPointer();
	}
	return AwaitVictoryStar(run, 8s);
}

// The pane broken ring by ring from the outside in, each break seen. The
// glass wins without the star: the solve is seen in the window closing by
// itself.
bool PlayGlass(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenshot open = run.Capture();
	for (int ring = 1; ring <= 9; ++ring)
		if (!ClickObject(run, layout, "glass_" + std::to_string(ring) + "_1"))
			return false;
	return AwaitClosing(run, open, layout.Box("border/close"));
}
