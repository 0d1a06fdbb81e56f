#pragma once
// Where the safe's symbols lie on its dial, as stretches of the handle's
// turn (0 to 1). The first symbol's stretch spans the wrap; turns between
// the stretches belong to no symbol. The dial in the safe's scene is drawn
// from this table too.

struct sSafeSector
{
	float from;
	float to;
	int symbol;
};

inline constexpr sSafeSector kSafeSectors[] = {
	{ 0.96844536f, 1.0f, 0 },
	{ 0.0f, 0.026828464f, 0 },
	{ 0.089345105f, 0.13944317f, 1 },
	{ 0.20806266f, 0.26357138f, 2 },
	{ 0.32633254f, 0.36976045f, 3 },
	{ 0.46713898f, 0.5241042f, 4 },
	{ 0.61988884f, 0.6757309f, 5 },
	{ 0.73392385f, 0.7912069f, 6 },
	{ 0.8613229f, 0.9055443f, 7 },
};

// The symbol (0 to 7) of the first stretch that holds the turn, or -1.
inline int SafeSymbolAt(float position)
{
	for (const sSafeSector& sector : kSafeSectors)
		if (sector.from <= position && position <= sector.to)
			return sector.symbol;
	return -1;
}
