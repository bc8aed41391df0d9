// How a picture is turned and mirrored before it is shown, as the orientation
// tag of a photograph says (values 1..8; any other value shows it as stored).
#pragma once

#include "core/composition/PixelSpan.h"

constexpr int kUprightOrientation = 1;

// True for the tags that swap width and height (5..8).
bool OrientationSwapsAxes(int orientation);

// The size the picture has once turned: what the resize rules are given.
void OrientedSize(int storedWidth, int storedHeight, int orientation, int& width, int& height);

// The stored pixel shown at (x, y) of the turned picture.
void StoredPixelOf(int x, int y, int storedWidth, int storedHeight, int orientation, int& storedX,
                   int& storedY);

// The stored pixels walked in the turned picture's order (no copy).
TPixelWalk OrientedWalk(const TPixelSpan& stored, int orientation);
