#pragma once
// Sodipodi's shape parameters (Inkscape's circles, stars, spirals), which
// Inkscape would use to redraw a shape over the path data the morph wrote.

#include "XMLDom.h"

// Removes sodipodi:ry, sodipodi:rx, sodipodi:cy, sodipodi:cx and sodipodi:type.
void RemoveSodipodi(TXMLNode element);
