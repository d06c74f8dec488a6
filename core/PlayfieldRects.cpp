// The fixed rectangles of the playfield.
#include "PlayfieldRects.h"

#include "GameConstants.h"

const RECT rcScreen = {0, 0, nFieldWidth, nFieldHeight};
const RECT rcFrame = {10, 20, 629, 379};
const RECT rcSafeLeft = {12, 169, 17, 229};
const RECT rcSafeRight = {622, 169, 627, 229};
const RECT rcGateLeft = {10, 179, 11, 219};
const RECT rcGateRight = {628, 179, 629, 219};
