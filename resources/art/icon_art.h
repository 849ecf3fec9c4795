// The program's icon: a little table radio with a lit dial, a green speaker
// grille and an aerial, in a 32 × 32 and a 16 × 16 picture.
#pragma once
#include <vector>

#include "resources/art/bmp_encode.h"

std::vector<IconImage> DrawIcon();
