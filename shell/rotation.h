#pragma once
#include <cstdint>

#include "rt/surface.h"

namespace shell {

// Draws src turned by angle degrees (clockwise on screen) centred on (centreX, centreY) of dest,
// leaving out pixels of transparentColour when bit 0 of transparency is set.
void RotatePicture(rt::Surface& dest, int32_t centreX, int32_t centreY, const rt::Surface& src,
                   rt::Color transparentColour, double angle, uint8_t transparency);

}  // namespace shell
