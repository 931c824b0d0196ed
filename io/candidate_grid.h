// Candidate grids: a position mid-solve as other tools and players hand it over. Three
// forms are read:
//  - 729 characters, cell by cell, digit d of a cell at its d-th place, "." or "0" where the
//    digit is gone;
//  - the pencil-mark grid: 81 fields of candidate digits separated by blanks, with or
//    without frame characters ("|", "+", "-", ".---" and the like);
//  - the layout `-p candidates` prints: "(45)" an open cell with its candidates, "(4)" an
//    open cell with one candidate, "4" a filled cell.
// In the first two forms a cell with a single digit is filled with it (a given).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CandidateGrid {
  uint32_t value[81];  // the filled cells' digits, 0 for an open cell
  uint32_t mask[81];   // an open cell's candidates (bit d for digit d + 1), 0 for a filled one
};

// The positions of a file: blocks separated by blank lines; a block of 729-character lines
// holds one position per line.
std::vector<std::string> SplitCandidateGrids(std::string_view text);
// Reads one position. Returns 1, or 0 with the reason in error (naming the cell or unit).
uint32_t ParseCandidateGrid(std::string_view text, CandidateGrid& grid, std::string& error);

// The writers of the first two forms (the third is the plain layout of the candidate screen).
std::string CandidateGrid729(const CandidateGrid& grid);
std::vector<std::string> PencilMarkLines(const CandidateGrid& grid, bool frame);

// The board's values and candidate table as a grid, and a grid put onto them: filled cells
// become givens without candidates, open cells empty cells holding their candidates.
void CandidateGridFromBoard(CandidateGrid& grid);
void InstallCandidateGrid(const CandidateGrid& grid);
