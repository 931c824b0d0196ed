// Puzzle readers: text in byte, UTF-16 and UTF-8 encodings, the binary board, clipboard
// layouts, masks, the creation state and the candidate file. Plain parsers over bytes: no
// dialogs, titles or messages (those belong to the file commands).
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
// Clipboard scanners for one layout over byte data (0 plain, 1 block order, 2 tab separated)
// and for Unicode (UTF-16LE) data in the plain layout.
void ScanClipboardBytes(const uint8_t* data, size_t length, uint32_t layout);
void ScanClipboardUnicode(const uint8_t* data, size_t length);
// Mask file parser: fills g.maskTable; returns the number of entries read.
uint32_t ParseMaskText(const uint8_t* data, size_t length, uint32_t encoding);
// Creation-state parser: values, kinds and the solution grid; returns digits read.
uint32_t ParseCreationState(const uint8_t* data, size_t length);
// Candidate file, the inverse of the plain layout written in the candidate screen: fills the
// board and the candidate table. Returns the number of cells read.
uint32_t ParseCandidateText(const uint8_t* data, size_t length);
// Read at most `limit` bytes of a file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>& out, bool& openFailed);
