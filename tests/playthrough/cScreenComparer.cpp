#include "cScreenComparer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
std::string ReadFile(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
	std::filesystem::create_directories(std::filesystem::path(path).parent_path());
	std::ofstream file(path, std::ios::binary);
	file << bytes;
	return bool(file);
}

bool PixelsDiffer(unsigned a, unsigned b)
{
	for (int shift : {0, 8, 16})
		if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > cScreenComparer::kPixelThreshold)
			return true;
	return false;
}
}

cScreenComparer::cScreenComparer(const std::string& approvedFolder, const std::string& outputFolder, bool approving)
	: m_approvedFolder(approvedFolder), m_outputFolder(outputFolder), m_approving(approving)
{
}

double cScreenComparer::DifferingShare(const sScreenshot& a, const sScreenshot& b)
{
	if (a.width != b.width || a.height != b.height || a.pixels.empty())
		return 1;
	size_t differing = 0;
	for (size_t i = 0; i < a.pixels.size(); ++i)
		differing += PixelsDiffer(a.pixels[i], b.pixels[i]) ? 1 : 0;
	return double(differing) / double(a.pixels.size());
}

sScreenshot cScreenComparer::Approved(const std::string& name) const
{
	return DecodeScreenshot(ReadFile(m_approvedFolder + "/" + name + ".png"));
}

std::string cScreenComparer::Check(const std::string& name, const sScreenshot& shot) const
{
	const std::string approvedPath = m_approvedFolder + "/" + name + ".png";
	if (m_approving)
		return WriteFile(approvedPath, EncodeScreenshot(shot)) ? "" : "cannot write " + approvedPath;
	const sScreenshot approved = Approved(name);
	if (approved.IsEmpty())
	{
		WriteFile(m_outputFolder + "/" + name + ".png", EncodeScreenshot(shot));
		return "no approved picture " + approvedPath + " (scripts/approve-playthrough.sh writes it)";
	}
	if (Matches(shot, approved))
		return "";
	const double share = DifferingShare(shot, approved);
	WriteDifference(name, shot, approved);
	return name + ": " + std::to_string(share * 100) + "% of the pixels differ (at most " +
		std::to_string(kDifferingShare * 100) + "% may); see " + m_outputFolder + "/" + name + "-difference.png";
}

void cScreenComparer::WriteDifference(const std::string& name, const sScreenshot& shot,
	const sScreenshot& approved) const
{
	// Screenshot | approved | differing pixels in red over a dimmed screenshot.
	sScreenshot sheet;
	sheet.width = shot.width * 3;
	sheet.height = std::max(shot.height, approved.height);
	sheet.pixels.assign(size_t(sheet.width) * size_t(sheet.height), 0);
	auto put = [&](int x, int y, unsigned colour) { sheet.pixels[size_t(y) * size_t(sheet.width) + size_t(x)] = colour; };
	for (int y = 0; y < shot.height; ++y)
		for (int x = 0; x < shot.width; ++x)
		{
			const unsigned pixel = shot.At(x, y);
			put(x, y, pixel);
			const bool inside = x < approved.width && y < approved.height;
			if (inside)
				put(shot.width + x, y, approved.At(x, y));
			const bool differs = !inside || PixelsDiffer(pixel, approved.At(x, y));
			put(2 * shot.width + x, y, differs ? 0xFF0000 : (pixel >> 2) & 0x3F3F3F);
		}
	WriteFile(m_outputFolder + "/" + name + "-difference.png", EncodeScreenshot(sheet));
}
