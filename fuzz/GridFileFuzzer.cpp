// Feeds arbitrary bytes to the level file decoder, and lets every operation
// that a loaded level reaches (the checks, the rules, a short search, the
// text view) work on whatever it accepted. Sanitizers report any read or
// write outside the grid.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "BoardText.h"
#include "CNerekuEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CNerekuEngine engine;
    engine.ResetGrid();
    if (!engine.LoadGridImage(data, size)) {
        return 0;
    }
    unsigned char image[kGridFileSize];
    engine.StoreGridImage(image);
    if (std::memcmp(image + kMaskImageSize, data + kMaskImageSize, kSquareImageSize) != 0) {
        __builtin_trap(); // an accepted file keeps its squares byte for byte
    }
    engine.CheckSolution_IsCorrect();
    engine.CheckSolution_IsPossible();
    engine.SolveLevel_MarkOffEdgeLimitedNumbers();
    engine.solutions.DeleteRow(-1);
    engine.SolveLevel_Iter(3, 5);
    (void)RenderBoard(engine);
    return 0;
}
