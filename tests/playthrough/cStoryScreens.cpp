#include "cStoryScreens.h"

#include "cGameRun.h"

#include <cstdlib>

cStoryScreens::cStoryScreens()
	: m_comparer(ZV2_PLAYTHROUGH_APPROVED, OutputFolder(), getenv("ZV2_PLAYTHROUGH_APPROVE") != nullptr)
{
}

std::string cStoryScreens::OutputFolder()
{
	return std::string(ZV2_BUILD_FOLDER) + "/playthrough";
}

std::string cStoryScreens::Check(const cGameRun& run, const std::string& name)
{
	const sScreenshot shot = Take(run, name);
	m_sheet.Add(name, shot);
	return m_comparer.Check(name, shot);
}

std::string cStoryScreens::Await(const cGameRun& run, const std::string& name)
{
	return m_comparer.IsApproving() ? "" : m_comparer.Check(name, Take(run, name));
}

sScreenshot cStoryScreens::Take(const cGameRun& run, const std::string& name) const
{
	sScreenshot shot;
	if (m_comparer.IsApproving())
		shot = run.CaptureStill(std::chrono::milliseconds(2500), std::chrono::seconds(30));
	else
	{
		// Animations and loading take their time: the screen is awaited.
		const sScreenshot approved = m_comparer.Approved(name);
		Eventually([&] { return cScreenComparer::Matches(shot = run.Capture(), approved); },
			std::chrono::seconds(40));
	}
	return shot;
}

std::string cStoryScreens::WriteContactSheet(const std::string& runName) const
{
	const std::string path = OutputFolder() + "/" + runName + "-contact-sheet.png";
	return m_sheet.Write(path, "/usr/share/fonts/truetype/dejavu") ? path : "";
}
