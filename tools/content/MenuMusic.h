#pragma once
// The menu music, synthesised: a slow minor progression of soft chords
// with a plucked arpeggio over it, starting and ending in silence so that
// it loops without a click.

#include <vector>

// One vector of samples (-1 to 1) per channel: left, then right.
std::vector<std::vector<float>> ComposeMenuMusic(long rate);
