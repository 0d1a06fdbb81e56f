#pragma once
// PNG files of pictures, 8 bits a channel with alpha, without time stamps
// or other chunks that would change from one run to the next.

#include "cImage.h"

#include <string>

// The whole file; empty when libpng fails.
std::string EncodePng(const cImage& image);
