#pragma once
// The stored state of one scene object and its subtree, as a location keeps
// it in the player's progress.

#include <string>
#include <vector>

class cStream;

class cSavedObjectState
{
public:
	// Records nested deeper than this are refused when read.
	static constexpr int MaxDepth = 256;

	// Name, children, enabled, visible, motion, animation.
	void Write(cStream& stream) const;
	// Replaces this record with the one in the stream; false on a short
	// read, a child count the stream cannot hold or nesting beyond MaxDepth
	// (the record is then partly read).
	bool Read(cStream& stream, int depth = 0);

	bool operator==(const cSavedObjectState&) const = default;

	std::string name;
	std::vector<cSavedObjectState> children;
	bool enabled = false;
	bool visible = false;
	// The motion and the animation playing when stored; empty for none.
	std::string motion;
	std::string animation;
};
