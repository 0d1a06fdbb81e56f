#pragma once
// The safe's combination: the symbols to set in order, as indices 0 to 7
// of "symbol_1_active" to "symbol_8_active". The clue in the safe's scene
// shows these symbols, so the scene's art is drawn from this table too.

inline constexpr int kSafeCombination[4] = { 2, 5, 0, 6 };
