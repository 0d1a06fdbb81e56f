#include "HallSolvers1Games.h"

#include "HallSolvers2Support.h"

#include "game/minigames/PeriscopeRoute.h"
#include "game/minigames/cMinigameBag.h"

#include <string>
#include <vector>

namespace
{
using namespace std::chrono_literals;

// A click is taken once anything of the box changes.
const double kAnyChange = 0.01;

std::string Numbered(const std::string& stem, int number)
{
	return stem + std::to_string(number);
}

// Clicks the object until its box changes.
bool ClickObject(const cGameRun& run, const cScreenLayout& layout, const std::string& path)
{
	return run.ClickUntilBoxChanges(layout, path, kAnyChange);
}
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
	return SawVictoryStar(run, 8s);
}

// Each wheel, which starts at six, clicked on to the number the tag shows.
bool PlayBag(cGameRun& run, const cScreenLayout& layout)
{
	const char* const wheels[cMinigameBag::kWheels] = {"code_1", "code_2", "code_3", "code_4", "code_6", "code_7"};
	for (int wheel = 0; wheel < cMinigameBag::kWheels; ++wheel)
		for (int turn = 0; turn < cMinigameBag::kCombination[wheel]; ++turn)
			if (!ClickObject(run, layout, wheels[wheel]))
				return false;
	return SawVictoryStar(run, 8s);
}

// Three clicks with the pliers, each seen in their jab. The wire wins
// without the star: the solve is seen in the window closing by itself.
bool PlayWire(cGameRun& run, const cScreenLayout& layout)
{
	const sScreenshot open = run.Capture();
	const sScreenBox pliers = layout.Box("pliers");
	for (int cut = 0; cut < 3; ++cut)
		if (!run.ClickUntilBoxChanges(pliers.CentreX(), pliers.CentreY(), pliers, kAnyChange, 1))
			return false;
	return ClosesByItself(run, open, layout.Box("border/close"));
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
		if (!layout.Has(button) || !run.ClickUntilBoxChanges(box.CentreX(), box.CentreY(), view, kAnyChange, 1))
			return false;
	}
	return SawVictoryStar(run, 8s);
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
				const sRgb pixel = ColourAt(shot, x, y);
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
	return SawVictoryStar(run, 8s);
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
	return ClosesByItself(run, open, layout.Box("border/close"));
}
