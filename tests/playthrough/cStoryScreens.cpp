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
	const sScreenshot shot = run.CaptureStill();
	m_sheet.Add(name, shot);
	return m_comparer.Check(name, shot);
}

std::string cStoryScreens::WriteContactSheet(const std::string& runName) const
{
	const std::string path = OutputFolder() + "/" + runName + "-contact-sheet.png";
	return m_sheet.Write(path, "/usr/share/fonts/truetype/dejavu") ? path : "";
}
