// The squares that share a unit with each square, computed once at compile
// time, in the order the rules visit them.
#pragma once

#include "Grid.h"

struct PeerTable {
    // For each square: its row's eight other squares (left to right), its
    // column's eight other squares (top to bottom), then the four squares of
    // its block in neither its row nor its column (block scan order).
    unsigned char peers[kSquareCount][20];
};

constexpr PeerTable MakePeerTable() {
    PeerTable table{};
    for (int i = 0; i < kSquareCount; ++i) {
        const int row = RowOf(i);
        const int column = ColumnOf(i);
        int n = 0;
        for (int c = 0; c < 9; ++c) {
            if (c != column) {
                table.peers[i][n++] = static_cast<unsigned char>(SquareIndex(row, c));
            }
        }
        for (int r = 0; r < 9; ++r) {
            if (r != row) {
                table.peers[i][n++] = static_cast<unsigned char>(SquareIndex(r, column));
            }
        }
        const int block = BlockOf(row, column);
        for (int k = 0; k < 9; ++k) {
            const int other = BlockSquare(block, k);
            if (RowOf(other) != row && ColumnOf(other) != column) {
                table.peers[i][n++] = static_cast<unsigned char>(other);
            }
        }
    }
    return table;
}

inline constexpr PeerTable kPeerTable = MakePeerTable();
