// The outcome of probing the pixel under the head.
#pragma once

enum HitResult : int {
    HIT_NONE = 0,  // black: keep moving
    HIT_GOAL = 1,  // pure blue: stage cleared
    HIT_CRASH = 2, // any other colour, or a point outside the surface: game over
};
