// Text layouts of the board shared by the writers and the command-line printer. Layout texts
// are UTF-8; the file writers turn them into UTF-16 little-endian.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The nine lines of the plain layout (UTF-8, without line ends): three groups of three
// cells per row. In the candidate screen layout, input and assumed digits are written as
// digits, automatic digits as "(d)" and every other cell as "(candidates)"; otherwise only
// givens are written and every other cell is "0".
std::vector<std::string> PlainLayoutLines(bool candidateScreen);
// 81 characters: the values row by row, 0 for an empty cell.
std::string LineLayout();
// The 19 lines of the box-drawn print layout (every digit printed full width).
std::vector<std::string> PrintLayoutLines();
// The 37 lines of the candidate print layout: a 3x3 block of characters per cell.
std::vector<std::string> CandidatePrintLayoutLines();
// The HTML table in its pieces: head (with the byte-order mark), nine rows, tail. Lines end
// with LF only. candidateScreen: empty cells list their candidates.
std::vector<std::string> HtmlLayoutPieces(bool candidateScreen);
// Glyph of digit d (0..9) in the HTML glyph table of a digit set (custom set from settings).
std::string HtmlGlyph(uint32_t glyphSet, uint32_t d);
// The 27 lines of the creation-state file (values, blank, kinds, blank, solution).
std::vector<std::string> CreationStateLines();

// UTF-8 to UTF-16 little-endian; code points above U+FFFF become surrogate pairs and invalid
// bytes U+FFFD. Appends to out.
void AppendUtf16(std::vector<uint8_t>& out, const std::string& utf8);
std::vector<uint8_t> Utf16le(const std::string& utf8);
// UTF-16 little-endian bytes to UTF-8 (unpaired surrogates become U+FFFD).
std::string Utf8FromUtf16le(const uint8_t* data, size_t length);
// Split UTF-8 into code points, each as its own UTF-8 string.
std::vector<std::string> SplitCodePoints(const std::string& utf8);
// Number of UTF-16 units the text needs.
size_t Utf16Units(const std::string& utf8);
// The longest prefix of the text that fits in `units` UTF-16 units (never splits a pair).
std::string TruncateUtf16(const std::string& utf8, size_t units);
