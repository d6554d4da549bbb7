// The search: propagation by the elimination rules, then depth-first
// branching on the square with the fewest candidates. It serves the Solve
// command, the random level generator and the tool, and finds the solutions
// in a fixed order: at each branch the digits are tried in increasing order.
#include <cstring>
#include <memory>

#include "CNerekuEngine.h"
#include "Guarded.h"
#include "solver/BoardSearch.h"

int CNerekuEngine::SolveLevel_FindSolutions(int maxSolutions) {
    Square saved[kSquareCount];
    std::memcpy(saved, squares, kSquareImageSize);
    solutions.DeleteRow(-1);
    SolveLevel_Iter(255, maxSolutions);
    std::memcpy(squares, saved, kSquareImageSize);
    return solutions.GetRowCount();
}

// The search runs on the search board (solver/BoardSearch.h), which holds
// the same numbers and candidates and gives the same results as the member
// rules and checks on the squares.
void CNerekuEngine::SolveLevel_Iter(unsigned char depth, int maxSolutions) {
    NEREKU_GUARDED([&] {
        if (!FitsSearchBoard(squares)) {
            return;
        }
        unsigned char fixed[kSquareCount];
        for (int i = 0; i < kSquareCount; ++i) {
            fixed[i] = squares[i].fixed;
        }
        SearchBoard board;
        LoadSearchBoard(squares, board);
        auto search = std::make_unique<BoardSearch>(edgeMasks, levelHasEdges);
        search->Search(board, depth, maxSolutions, fixed, solutions);
        StoreSearchBoard(board, squares);
    });
}
