#pragma once
// Compares the screens of a run with the approved pictures kept beside the
// tests. A pixel differs when one of its channels is further than the
// threshold from the approved one; a screen differs when more than the
// stated share of its pixels differ. A difference writes the screenshot,
// the approved picture and a picture of the differing pixels side by side
// into the output folder. In approving mode the screenshots replace the
// approved pictures instead.

#include "sScreenshot.h"

#include <string>

class cScreenComparer
{
public:
	// Channel difference a pixel may have, and the share of pixels beyond it.
	static constexpr int kPixelThreshold = 24;
	static constexpr double kDifferingShare = 0.005;

	cScreenComparer(const std::string& approvedFolder, const std::string& outputFolder, bool approving);

	// Empty when the screen matches (or was approved); otherwise what differs.
	std::string Check(const std::string& name, const sScreenshot& shot) const;
	bool IsApproving() const { return m_approving; }
	// The approved picture of the name; empty when there is none.
	sScreenshot Approved(const std::string& name) const;
	static bool Matches(const sScreenshot& shot, const sScreenshot& approved)
	{
		return DifferingShare(shot, approved) <= kDifferingShare;
	}

	// The share of pixels of a and b beyond the threshold; 1 when the sizes differ.
	static double DifferingShare(const sScreenshot& a, const sScreenshot& b);

private:
	void WriteDifference(const std::string& name, const sScreenshot& shot, const sScreenshot& approved) const;

	std::string m_approvedFolder;
	std::string m_outputFolder;
	bool m_approving;
};
