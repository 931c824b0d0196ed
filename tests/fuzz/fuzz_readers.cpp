// Every puzzle reader over arbitrary bytes: the four encodings, the paging reader over a whole
// buffer, the clipboard layouts, the mask and the creation-state parsers. The first byte picks
// the reader; nothing may be read past the data and the board must stay a valid board.
#include <vector>

#include "drivers/file_commands.h"
#include "io/read.h"
#include "tests/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  FuzzFreshState(1);
  const uint8_t selector = data[0];
  // Copy the rest into an exactly sized buffer so that any over-read is caught.
  std::vector<uint8_t> body(data + 1, data + size);
  const uint8_t* b = body.empty() ? nullptr : body.data();
  const size_t n = body.size();
  switch (selector % 8) {
    case 0: ParsePuzzleText(b, n, ChooseEncoding(b, n, true)); break;
    case 1: ParsePuzzleText(b, n, selector / 8 % 5); break;
    case 2: {
      // Paging through the whole buffer as the new-problem mode does.
      g.screenMode = ModeNewCreation;
      ProblemFileBuffer& pf = g.problemFile;
      pf.data = body;
      pf.active = 1;
      pf.number = 1;
      pf.fileName = "fuzz.txt";
      g.textEncoding = (selector & 0x80) ? EncodingUtf16 : EncodingBytes;
      pf.position[1] = static_cast<uint32_t>(ParsePuzzleText(pf.data.data(), pf.data.size(), g.textEncoding));
      for (uint32_t step = 0; step < 130; ++step) PageProblem((step * 7 + selector) % 5 != 0);
      break;
    }
    case 3: ScanClipboardBytes(b, n, selector / 8 % 3); break;
    case 4: ScanClipboardUnicode(b, n); break;
    case 5: {
      const uint32_t k = ParseMaskText(b, n, ChooseEncoding(b, n, false));
      FUZZ_CHECK(k <= 81, "mask longer than the board");
      break;
    }
    case 6: {
      const uint32_t k = ParseCreationState(b, n);
      FUZZ_CHECK(k <= 243, "creation state longer than three grids");
      break;
    }
    default: {
      // The clipboard command with a mix of formats.
      g.screenMode = ModeEdit;
      HeadlessPlatform& p = FuzzPlatform();
      p.clipboard.clear();
      p.clipboard.push_back({static_cast<uint32_t>(selector / 8 % 14), body});
      g.settings.clipboardPattern = selector % 3;
      ReadClipboard();
      break;
    }
  }
  FuzzCheckBoardSane();
  return 0;
}
