// The search written square by square with the engine's member rules and
// checks, exactly in their prescribed order: the yardstick that the engine's
// fast search is held against, byte for byte.
#pragma once

#include "CNerekuEngine.h"

// The four rules in passes until a pass changes nothing; the sign rule only
// when the level has signs.
void PlainPropagate(CNerekuEngine& engine);

// One search step: propagate, store a correct board, else branch on the
// lowest square with the digits in increasing order, restoring the squares
// after each branch. The top level's propagation stays on the board.
void PlainSearch(CNerekuEngine& engine, unsigned char depth, int maxSolutions);
