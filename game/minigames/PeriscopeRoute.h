#pragma once
// The periscope's route: the cells the view must visit in order, from the
// start. The chart in the periscope's scene marks these cells, so the
// scene's art is drawn from this table too.

struct sPeriscopeCell
{
	// Up and right from the start.
	int u;
	int r;
	bool operator==(const sPeriscopeCell&) const = default;
};

// The view moves within u 0 to 7 and r 0 to 5.
inline constexpr int kPeriscopeMaxU = 7;
inline constexpr int kPeriscopeMaxR = 5;

inline constexpr sPeriscopeCell kPeriscopeRoute[] = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 2, 2 }, { 2, 3 },
	{ 1, 3 }, { 2, 3 }, { 3, 3 }, { 4, 3 }, { 4, 4 }, { 4, 5 }, { 3, 5 }, { 2, 5 }, { 2, 4 }, { 2, 3 }, { 2, 2 },
	{ 3, 2 }, { 4, 2 }, { 5, 2 }, { 5, 1 }, { 5, 0 }, { 6, 0 }, { 7, 0 }, { 7, 1 }, { 7, 2 }, { 7, 3 }, { 7, 4 },
	{ 6, 4 }, { 5, 4 } };
