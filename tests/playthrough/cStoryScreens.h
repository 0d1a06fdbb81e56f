#pragma once
// The screens of a play-through: each is taken once it is still, compared
// with its approved picture and kept for the run's contact sheet.

#include "cContactSheet.h"
#include "cScreenComparer.h"

#include <string>

class cGameRun;

class cStoryScreens
{
public:
	// Approving when ZV2_PLAYTHROUGH_APPROVE is set.
	cStoryScreens();

	// Empty when the game comes to show the approved picture of the name
	// within a while; otherwise what differs from it. Approving, the screen
	// is taken once it has been still for longer than a logo holds.
	std::string Check(const cGameRun& run, const std::string& name);
	// As Check, for a screen seen before: not added to the contact sheet again.
	std::string Await(const cGameRun& run, const std::string& name);
	// The contact sheet of every screen checked, in the build folder; its path.
	std::string WriteContactSheet(const std::string& runName) const;

	static std::string OutputFolder();

private:
	// The screen once it matches the approved picture of the name, or the
	// last capture; approving, once it is still.
	sScreenshot Take(const cGameRun& run, const std::string& name) const;

	cScreenComparer m_comparer;
	cContactSheet m_sheet;
};
