#pragma once
// Where a generated scene's objects are on the window: the scene is built
// by the engine itself from the generated content, in a child process with
// a hidden window of its own, and every named object's box on the logical
// 1024 by 768 screen is handed back. Boxes are in window pixels with y
// down, for a window of the logical size.

#include <map>
#include <string>
#include <vector>

// The logical screen that boxes, points and input are given on.
inline constexpr int kLogicalWidth = 1024;
inline constexpr int kLogicalHeight = 768;

struct sScreenBox
{
	int left = 0, top = 0, right = 0, bottom = 0;
	int CentreX() const { return (left + right) / 2; }
	int CentreY() const { return (top + bottom) / 2; }
};

class cScreenLayout
{
public:
	// Builds the scene of the content folder; the boxes by slash path below
	// the scene ("board/button"). Empty when the scene could not be built.
	static cScreenLayout Read(const std::string& contentFolder, const std::string& scene);

	bool Has(const std::string& path) const { return m_boxes.count(path) != 0; }
	// The object's box; an empty box at the origin when there is none.
	sScreenBox Box(const std::string& path) const;
	bool IsEmpty() const { return m_boxes.empty(); }
	// The paths of the object's named children.
	std::vector<std::string> ChildrenOf(const std::string& path) const;

private:
	std::map<std::string, sScreenBox> m_boxes;
};
