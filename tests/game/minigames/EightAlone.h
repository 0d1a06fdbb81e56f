#pragma once
// Eight heads on the faces board placed so that none sees another.

#include <array>
#include <cstdlib>
#include <functional>

// A placement of eight heads on the board where none sees another: the
// column of each row's head.
inline std::array<int, 8> EightAlone()
{
	std::array<int, 8> columns {};
	std::function<bool(int)> place = [&](int row) {
		if (row == 8)
			return true;
		for (int column = 0; column < 8; ++column)
		{
			bool free = true;
			for (int before = 0; before < row; ++before)
				free = free && columns[before] != column && std::abs(columns[before] - column) != row - before;
			columns[row] = column;
			if (free && place(row + 1))
				return true;
		}
		return false;
	};
	place(0);
	return columns;
}
