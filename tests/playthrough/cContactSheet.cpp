#include "cContactSheet.h"

#include "tools/content/PngFile.h"
#include "tools/content/cLabelPainter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace
{
const int kColumns = 4;
const int kThumbWidth = 256;
const int kThumbHeight = 192;
const int kLabelHeight = 24;
const int kGap = 8;

// The average colour of the shot's pixels that fall into the thumbnail's pixel.
sRgba Sample(const sScreenshot& shot, int x, int y)
{
	const int x0 = x * shot.width / kThumbWidth, x1 = std::max(x0 + 1, (x + 1) * shot.width / kThumbWidth);
	const int y0 = y * shot.height / kThumbHeight, y1 = std::max(y0 + 1, (y + 1) * shot.height / kThumbHeight);
	unsigned sum[3] = {0, 0, 0}, count = 0;
	for (int sy = y0; sy < y1 && sy < shot.height; ++sy)
		for (int sx = x0; sx < x1 && sx < shot.width; ++sx, ++count)
			for (int c = 0; c < 3; ++c)
				sum[c] += (shot.At(sx, sy) >> (16 - 8 * c)) & 0xFF;
	if (count == 0)
		return {0, 0, 0, 255};
	return {uint8_t(sum[0] / count), uint8_t(sum[1] / count), uint8_t(sum[2] / count), 255};
}
}

bool cContactSheet::Write(const std::string& path, const std::string& fontFolder) const
{
	cLabelPainter labels;
	if (m_shots.empty() || !labels.Open(fontFolder, 14))
		return false;
	const int rows = int((m_shots.size() + kColumns - 1) / kColumns);
	const int cellWidth = kThumbWidth + kGap, cellHeight = kThumbHeight + kLabelHeight + kGap;
	cImage sheet(kColumns * cellWidth + kGap, rows * cellHeight + kGap);
	sheet.FillRect(0, 0, sheet.GetWidth(), sheet.GetHeight(), {40, 40, 48, 255});
	for (size_t i = 0; i < m_shots.size(); ++i)
	{
		const int left = kGap + int(i % kColumns) * cellWidth, top = kGap + int(i / kColumns) * cellHeight;
		const sScreenshot& shot = m_shots[i].second;
		if (!shot.IsEmpty())
			for (int y = 0; y < kThumbHeight; ++y)
				for (int x = 0; x < kThumbWidth; ++x)
					sheet.Blend(left + x, top + y, Sample(shot, x, y));
		labels.Paint(sheet, m_shots[i].first, left + kThumbWidth / 2, top + kThumbHeight + 18, {240, 240, 240, 255});
	}
	std::filesystem::create_directories(std::filesystem::path(path).parent_path());
	std::ofstream file(path, std::ios::binary);
	file << EncodePng(sheet);
	return bool(file);
}
