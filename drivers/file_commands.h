// The file commands: the dialogs, titles, status texts and messages around reading and
// writing puzzles. The parsers and byte layouts they use are in io/read.h and io/write.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An existing regular file (or a link to one) this process may open for reading. Every
// reader of a named puzzle file refuses anything else with one message and leaves the board.
bool ReadableFile(const std::string& path);
// Command 200: choose a file through the platform, read it.
void ReadPuzzleFile();
// Read a named file as command 200 would (the file dialog answered with path).
uint32_t ReadPuzzleFromPath(const std::string& path);
// Load one puzzle held in memory as if read from a file called name.
uint32_t LoadPuzzleBytes(const std::vector<uint8_t>& bytes, const std::string& name);
void PageProblem(uint32_t next);  // 1020 next (1), 1010 previous (0)
void ReadDroppedFile(const std::vector<std::string>& paths);
// Command 960/990. Returns 1 on success.
uint32_t ReadClipboard();
// After a successful clipboard read: Copy&Save modes 1 and 2 append the puzzle to the
// collection file (mode 2 converts block order first); every mode empties the UndoLog.
void AppendToCollection();

void SavePuzzle();                 // 210
void SaveBinaryBoard();            // 225
void SaveCreationState();          // 220
void CopyToClipboard();            // 962
void AppendGivensToCollection();   // 2670 (Home)
// 1240: read a candidate file, the inverse of the plain layout in the candidate screen.
void ReadCandidateFile();
