// Text layouts of the board shared by the writers and the command-line printer.
#pragma once
#include <string>
#include <vector>

// The nine lines of the plain layout (UTF-8, without line ends): three groups of three
// cells per row. In the candidate screen layout, input and assumed digits are written as
// digits, automatic digits as "(d)" and every other cell as "(candidates)"; otherwise only
// givens are written and every other cell is "0".
std::vector<std::string> PlainLayoutLines(bool candidateScreen);
// 81 characters: the values row by row, 0 for an empty cell.
std::string LineLayout();
