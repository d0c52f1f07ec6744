#pragma once
// The repairs of a cube that cannot be solved (cube/repair.h) in the words of the box
// that Build shows: faces by letter, colours by number and by the plain name of their
// colour in FaceColors.

#include <string>
#include <vector>

#include "cube/repair.h"

// The plain colour name nearest to red, green, blue (each 0..1): white, yellow, red,
// orange, blue, green, magenta, cyan, purple, pink, brown, grey or black.
const char* NearestColourName(const double (&rgb)[3]);

// "colour 5 (magenta)", named after FaceColors; a byte that is no colour only by number.
std::string ColourWords(int colour);

// The best of the repairs (best first, not empty) as a sentence for the box, saying
// whether others as small were found.
std::string FixWords(const std::vector<CubeRepair>& repairs);
