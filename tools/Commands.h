// The commands of the nereku tool. Each returns the program's exit code and
// writes its results to stdout, its one-line complaints to stderr.
#pragma once

#include "CommandLine.h"

// Prints every solution of the level, up to the limit, one line of 81 digits
// each, in the order the search finds them.
int SolveCommand(const CommandLine& line);

// Prints the level as a picture of digits and signs.
int ShowCommand(const CommandLine& line);

// Makes a random plain sudoku with the requested number of givens and writes
// it as a level file.
int GenerateCommand(const CommandLine& line);

// Makes a level with signs and exactly one solution, within the bounds and of
// the grade asked for, and writes it.
int MakeCommand(const CommandLine& line);

// Prints how hard a level with one solution is and which techniques it
// needs; for any other level, how many solutions it has.
int GradeCommand(const CommandLine& line);

// Prints the game's hint, in English, for the board in the file as it stands,
// and the square it names.
int HintCommand(const CommandLine& line);
