// Puzzle reading in every encoding and layout, including hostile input.
#include "drivers/commands.h"
#include "drivers/file_commands.h"
#include "io/layout.h"
#include "io/read.h"
#include "tests/support.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> Utf16(const std::string& ascii, bool bom) {
  std::vector<uint8_t> out = Utf16le(ascii);
  if (bom) out.insert(out.begin(), {0xFF, 0xFE});
  return out;
}

class Readers : public EngineTest {
 protected:
  void Parse(const std::vector<uint8_t>& b, bool allowBinary = true) {
    ParsePuzzleText(b.data(), b.size(), ChooseEncoding(b.data(), b.size(), allowBinary));
  }
};

// Text in every encoding: the bytes read and the 81 values they give.
TEST_F(Readers, TextInEveryEncodingGivesTheExpectedCells) {
  std::string dotted = kHardPuzzle;
  for (char& ch : dotted)
    if (ch == '0') ch = '.';
  auto oddUtf16 = Utf16(kHardPuzzle, true);
  oddUtf16.pop_back();
  const std::string cut80 = kHardPuzzle.substr(0, 80);
  const std::string empty(81, '0'), cut40 = kHardPuzzle.substr(0, 40) + std::string(41, '0');
  // A NUL ends the text in every encoding; the control character before it is no digit.
  const std::string nul =
      kHardPuzzle.substr(0, 20) + "\x01" + kHardPuzzle.substr(20, 20) + '\0' + kHardPuzzle;
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    std::string values;
  } cases[] = {
      {"UTF-16 without a mark", Utf16(kHardPuzzle, false), kHardPuzzle},
      {"UTF-16 comments hold cells", Utf16("<7>" + kHardPuzzle, true), "7" + kHardPuzzle.substr(0, 80)},
      {"dots after a title line", Bytes("Puzzle: a hard one\r\n" + dotted + "\r\n"), kHardPuzzle},
      {"comment and candidate list", Bytes("<comment 123>(123)" + kHardPuzzle.substr(1)),
       "0" + kHardPuzzle.substr(1)},
      {"an unclosed ( swallows the rest",
       Bytes(kHardPuzzle.substr(0, 40) + "(" + kHardPuzzle.substr(40)), cut40},
      {"80 bytes are too short", Bytes(cut80), empty},
      {"81 bytes of UTF-8 are read", Bytes("\xEF\xBB\xBF" + kHardPuzzle.substr(0, 78)),
       kHardPuzzle.substr(0, 78) + "000"},
      {"79 UTF-16 units are too short", Utf16(kHardPuzzle.substr(0, 79), true), empty},
      {"a lead byte at the end", Bytes(cut80 + "\x82"), cut80 + "0"},
      {"cut UTF-8 sequences", Bytes("\xEF\xBB" + cut80 + "\xEF\xBC"), cut80 + "0"},
      {"a cut sequence keeps the digit after it",
       Bytes("\xEF\xBB\xBF\xC3" + cut80.substr(0, 40) + "\xE3\x81" + cut80.substr(40)), cut80 + "0"},
      {"an odd UTF-16 length", oddUtf16, cut80 + "0"},
      {"UTF-16 ends at a NUL unit", Utf16(nul, true), cut40},
      {"bytes end at a NUL byte", Bytes(nul), cut40},
      {"UTF-8 ends at a NUL byte", Bytes("\xEF\xBB\xBF" + nul), cut40},
  };
  for (const auto& c : cases) {
    Parse(c.bytes);
    EXPECT_EQ(BoardValues(), c.values) << c.what;
  }
  Parse(Bytes(kHardPuzzle));
  EXPECT_EQ((std::vector<uint32_t>{g.board.kind[0], g.board.kind[1]}),
            (std::vector<uint32_t>{KindGiven, KindEmpty}));
}

// Digit glyphs of every encoding between the characters just outside their ranges; kind bytes.
TEST_F(Readers, EveryDigitGlyphAndKindByteAtTheEdgesOfTheirRanges) {
  std::string digits;  // the 81 values: 0..9 over and over
  for (uint32_t c = 0; c < 81; ++c) digits += static_cast<char>('0' + c % 10);
  std::string ascii, sjis, utf8 = "\xEF\xBB\xBF";
  std::vector<uint8_t> utf16 = {0xFF, 0xFE};
  auto unit = [&](uint32_t u) {
    utf16.push_back(static_cast<uint8_t>(u & 0xFF));
    utf16.push_back(static_cast<uint8_t>(u >> 8));
  };
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t d = c % 10;
    ascii += std::string("/:") + static_cast<char>('0' + d);
    sjis += std::string("\x82\x4E\x82\x59\x82") + static_cast<char>(0x4F + d);
    utf8 += std::string("\xEF\xBC\x8F\xEF\xBC\x9A\xEF\xBC") + static_cast<char>(0x90 + d);
    unit(0xFF0F), unit(0xFF1A), unit(c % 2 ? 0xFF10 + d : '0' + d);
  }
  const std::pair<const char*, std::vector<uint8_t>> texts[] = {
      {"ASCII", Bytes(ascii)}, {"Shift_JIS", Bytes(sjis)}, {"UTF-8", Bytes(utf8)},
      {"UTF-16", utf16}};
  for (const auto& [what, bytes] : texts) {
    Parse(bytes);
    EXPECT_EQ(BoardValues(), digits) << what;
    // A mask file takes the same glyphs (it knows no UTF-8).
    if (std::string(what) == "UTF-8") continue;
    EXPECT_EQ(ParseMaskText(bytes.data(), bytes.size(),
                            ChooseEncoding(bytes.data(), bytes.size(), false)),
              81u)
        << what;
    std::string mask;
    for (uint32_t c = 0; c < 81; ++c) mask += static_cast<char>('0' + g.maskTable[c]);
    EXPECT_EQ(mask, digits) << what << " mask";
  }

  // A filled cell keeps a kind the program writes, else is automatic; an empty one empty or a hint.
  const uint32_t filledTo[13] = {0, 1, 4, 3, 4, 5, 6, 4, 8, 4, 4, 4, 4};
  std::vector<uint8_t> b;
  for (uint32_t kind = 0; kind < 13; ++kind) {
    b = Bytes("VorlBD");
    for (uint32_t c = 0; c < 81; ++c) {
      b.push_back(static_cast<uint8_t>(c < 40 ? 0 : 1 + c % 9));
      b.push_back(static_cast<uint8_t>(kind));
    }
    Parse(b);
    for (uint32_t c : {0u, 39u, 40u, 80u}) {
      const uint32_t want = c < 40 ? (kind == 10 ? 10 : 9) : filledTo[kind];
      EXPECT_EQ(g.board.kind[c], want) << "kind byte " << kind << " cell " << c;
      EXPECT_EQ(g.board.value[c], c < 40 ? 0 : 1 + c % 9) << "kind byte " << kind;
    }
  }
  // A value above 9 empties its cell; 167 bytes are no board, and drops never read binary.
  b[6 + 2 * 40] = 12;
  Parse(b);
  EXPECT_EQ(g.board.value[40], 0u);
  EXPECT_EQ(g.board.kind[40], static_cast<uint32_t>(KindEmpty));
  b.resize(167);
  Parse(b);
  EXPECT_EQ(CountFilled(), 0u) << "a binary board needs 168 bytes";
  b.resize(168);
  EXPECT_EQ(ChooseEncoding(b.data(), b.size(), false), static_cast<uint32_t>(EncodingBytes));
}

TEST_F(Readers, ClipboardLayouts) {
  auto scan = [](const std::string& s, uint32_t layout) {
    ScanClipboardBytes(reinterpret_cast<const uint8_t*>(s.data()), s.size(), layout);
  };
  scan("123456789" + std::string(72, '0'), 1);
  EXPECT_EQ(BoardValues().substr(0, 21), "123000000456000000789");
  scan("1\t\t3\r\n", 2);
  EXPECT_EQ(BoardValues().substr(0, 4), "1030");
  scan("1\t\t\r\n5", 2);
  EXPECT_EQ(BoardValues().substr(0, 4), "1005") << "an empty last field adds one more cell";
  // A row end after the 81st field adds nothing past the board.
  std::string tabbed = "\t";
  for (int k = 1; k < 80; ++k) tabbed += "1\t";
  scan(tabbed + "7\t\r\n", 2);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindEmpty));
  EXPECT_EQ(g.board.value[80], 7u);
  scan(".5\x81\x40\x82\x58", 0);
  EXPECT_EQ(BoardValues().substr(0, 5), "05090");
}

TEST_F(Readers, ClipboardAndFileCommandMessagesTitlesAndFormats) {
  g.screenMode = ModeNewCreation;
  platform.clipboardAvailable = false;
  RunCommand(960);
  EXPECT_EQ(platform.Lines("message"),
            std::vector<std::string>{"ClipBoard\tクリップボードが使用できません"});
  platform.clipboardAvailable = true;
  platform.Clear();
  platform.clipboard.push_back({ClipUnicodeText, Utf16(kHardPuzzle, false)});
  RunCommand(960);
  EXPECT_EQ(BoardValues(), kHardPuzzle);
  EXPECT_EQ(platform.Lines("title"), std::vector<std::string>{"《Kelmo》"});
  // Unicode text counts only for the plain layout.
  g.settings.clipboardPattern = 1;
  platform.Clear();
  RunCommand(960);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"ClipBoard\tテキストファイルはありません"});
  // A file's title drops its extension whatever its case.
  platform.Clear();
  const std::string path = WriteTempFile("Hard.TXT", kHardPuzzle);
  platform.fileChoices.push_back(path);
  RunCommand(200);
  EXPECT_EQ(platform.Lines("title"), std::vector<std::string>{"《Kelmo》 - Hard"});
  EXPECT_EQ(platform.Lines("status1"), std::vector<std::string>{"空白残り[60]"});
}

// Paging through blocks: each puzzle read from its first cell, a digit, a dot or a list.
TEST_F(Readers, PagingThroughACollection) {
  std::string text;
  for (int i = 1; i <= 3; ++i) {
    std::string p = kHardPuzzle, block;
    p[1] = static_cast<char>('0' + i);
    for (int r = 0; r < 9; ++r) block += p.substr(r * 9, 3) + " " + p.substr(r * 9 + 3, 3) + " " + p.substr(r * 9 + 6, 3) + "\r\n";
    if (i == 2) block.replace(0, 1, "(12)");
    if (i == 3) block[0] = '.';
    text += block + "\r\n";
  }
  const std::string path = WriteTempFile("many.txt", text);
  g.screenMode = ModeNewCreation;
  ReadPuzzleFromPath(path);
  EXPECT_EQ(g.board.value[1], 1u);
  PageProblem(0);  // Page Up at puzzle 1 does nothing
  EXPECT_EQ(g.problemFile.number, 1u);
  platform.Clear();
  RunCommand(1020);
  EXPECT_EQ(BoardValues(), "02" + kHardPuzzle.substr(2));
  EXPECT_EQ(platform.Lines("title"), std::vector<std::string>{"《Kelmo》 - many (2)"});
  RunCommand(1020);
  EXPECT_EQ(BoardValues(), "03" + kHardPuzzle.substr(2));
  RunCommand(1020);  // fewer than 81 bytes left: nothing
  EXPECT_EQ(g.problemFile.number, 3u);
  RunCommand(1010);
  EXPECT_EQ(BoardValues(), "02" + kHardPuzzle.substr(2));
}

TEST_F(Readers, MaskAndCreationStateParsers) {
  std::string mask = "<keep the corners>" + std::string("1") + std::string(79, '0') + "1";
  EXPECT_EQ(ParseMaskText(reinterpret_cast<const uint8_t*>(mask.data()), mask.size(), 0), 81u);
  EXPECT_EQ((std::vector<uint32_t>{g.maskTable[0], g.maskTable[40], g.maskTable[80]}),
            (std::vector<uint32_t>{1, 0, 1}));
  // A remark open at the file's end ends the text (an exact buffer: the sanitizer sees overreads).
  const std::vector<uint8_t> open = Bytes(std::string(80, '1') + "<keep");
  EXPECT_EQ(ParseMaskText(open.data(), open.size(), 0), 80u);
  std::string state = kHardPuzzle;
  for (char ch : kHardPuzzle) state += ch == '0' ? '9' : '0';
  state += std::string(81, '5');
  auto units = Utf16(state, false);
  EXPECT_EQ(ParseCreationState(units.data(), units.size()), 243u);
  EXPECT_EQ(BoardValues(), kHardPuzzle);
  EXPECT_EQ(g.board.kind[1], static_cast<uint32_t>(KindEmpty));
  EXPECT_EQ(g.solution[80], 5u);
  // A state cut short leaves the cells it does not reach empty, whatever the board held.
  units = Utf16(kHardPuzzle.substr(0, 9), false);
  EXPECT_EQ(ParseCreationState(units.data(), units.size()), 9u);
  EXPECT_EQ(BoardValues(), kHardPuzzle.substr(0, 9) + std::string(72, '0'));
}

}  // namespace
