// Grows pixel art by 2 or 3 the way Scale2x / Scale3x do: every pixel
// becomes a block whose corners follow the diagonals of its neighbours. No
// colour is invented, so palette and one-bit art stay exact and crisp at
// 200 % and 300 %, with smooth edges instead of square steps.
#pragma once
#include <string>
#include <vector>

// rows: one letter per pixel, all rows of one width. factor 1, 2 or 3.
std::vector<std::string> ScalePixelMap(const std::vector<std::string>& rows, int factor);
