#pragma once
// What the detective says when the player uses a held item where it does
// nothing: the parts "wrong1" to "wrong15" of the dialogue "special", one
// line each, one of them picked at random.

#include <cstddef>

constexpr size_t kWrongRemarkCount = 15;
extern const char* const kWrongRemarks[kWrongRemarkCount];
