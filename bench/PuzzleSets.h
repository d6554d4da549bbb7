// The sudoku collections the benchmarks solve: one puzzle a line, 81
// characters ('1'-'9' a given, '.' or '0' empty), with '#' comment lines,
// empty lines and CRLF endings allowed. A line may carry other words around
// its puzzle ("hash puzzle rating"); its first word of 81 puzzle characters
// is taken.
#pragma once

#include <string>
#include <vector>

// The folder of the collections: NEREKU_SUDOKU_DATA when set, else the
// folder the build was configured with.
std::string SudokuDataFolder();

// The puzzles of one file, at most `limit` of them (0: all), in file order.
// False when the file cannot be opened.
bool ReadPuzzleFile(const std::string& path, size_t limit, std::vector<std::string>& puzzles);

// The boards of one of our sets (bench/data): one BoardLine a line, '#'
// comment lines, and a comment after two spaces and a '#' on a board's line.
// At most `limit` of them (0: all); false when the file cannot be opened.
bool ReadBoardFile(const std::string& path, size_t limit, std::vector<std::string>& boards);
