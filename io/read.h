// Puzzle readers: text in byte, UTF-16 and UTF-8 encodings, the binary board, clipboard
// layouts, multi-puzzle paging, masks and the creation state.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum TextEncodingValue : uint32_t {
  EncodingBytes = 0,
  EncodingUtf16 = 1,
  EncodingUtf16Bom = 2,
  EncodingUtf8 = 3,
  EncodingBinary = 4,
};

// Encoding from the first bytes (binary magic tested last, only when allowed).
uint32_t ChooseEncoding(const uint8_t* data, size_t length, bool allowBinary);
// Empty the board and scan a buffer into it. Returns the position where the next puzzle
// starts (only meaningful for the paging reader); never reads past data + length.
size_t ParsePuzzleText(const uint8_t* data, size_t length, uint32_t encoding);
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
// Clipboard scanners for one layout over byte data (0 plain, 1 block order, 2 tab separated)
// and for Unicode (UTF-16LE) data in the plain layout.
void ScanClipboardBytes(const uint8_t* data, size_t length, uint32_t layout);
void ScanClipboardUnicode(const uint8_t* data, size_t length);
// Mask file parser: fills g.maskTable; returns the number of entries read.
uint32_t ParseMaskText(const uint8_t* data, size_t length, uint32_t encoding);
// Creation-state parser: values, kinds and the solution grid; returns digits read.
uint32_t ParseCreationState(const uint8_t* data, size_t length);
// Read at most `limit` bytes of a file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>& out, bool& openFailed);
