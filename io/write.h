// Puzzle writers: the plain, print, candidate print and HTML layouts, the binary board, the
// creation state, the clipboard text and the collection file. Files are created only when
// new; the collection file alone is appended to. Plain bytes and files: the save commands
// around them are file commands.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// File contents, byte for byte.
std::vector<uint8_t> PlainLayoutBytes(bool candidateScreen);  // BOM, CR LF
std::vector<uint8_t> PrintLayoutBytes();                      // no BOM, CR LF
std::vector<uint8_t> CandidatePrintLayoutBytes();             // no BOM, CR LF
std::vector<uint8_t> HtmlLayoutBytes(bool candidateScreen);   // BOM, LF
std::vector<uint8_t> BinaryBoardBytes();                      // "VorlBD" + 81 value/kind pairs
std::vector<uint8_t> CreationStateBytes();                    // no BOM, CR LF
std::vector<uint8_t> CollectionBytes();                       // givens, blank line; no BOM
std::vector<uint8_t> ClipboardBytes();                        // 81 digits and a zero byte

enum WriteResult : uint32_t { WriteOk = 1, WriteCreateFailed = 2, WriteFailed = 3 };
// Create a new file (never replacing one) and write the bytes.
uint32_t WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Open or create and append.
uint32_t AppendToFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The path of the next automatically named file: start folder + "/" + base name + the
// count zero-padded to AutoSaveDigit + ".txt" (the current folder when no start folder).
std::string AutoNameFile();
