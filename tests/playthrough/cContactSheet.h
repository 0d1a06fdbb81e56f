#pragma once
// One picture of every screen of a run: small copies in rows of four, each
// labelled with its step's name, for a person to look the run over.

#include "sScreenshot.h"

#include <string>
#include <utility>
#include <vector>

class cContactSheet
{
public:
	void Add(const std::string& label, const sScreenshot& shot) { m_shots.emplace_back(label, shot); }
	// Writes the sheet as a PNG file, the labels in the folder's DejaVu face;
	// false when it could not.
	bool Write(const std::string& path, const std::string& fontFolder) const;

private:
	std::vector<std::pair<std::string, sScreenshot>> m_shots;
};
