// Shared set-up of the fuzz targets: a quiet headless platform with the log open.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "board/state.h"
#include "cli/headless_platform.h"

inline HeadlessPlatform& FuzzPlatform() {
  static HeadlessPlatform* platform = [] {
    auto* p = new HeadlessPlatform();
    p->record = false;
    p->logOpen = true;
    SetPlatform(p);
    return p;
  }();
  return *platform;
}

inline void FuzzFreshState(uint32_t displayMode) {
  FuzzPlatform();
  ApplyDefaultSettings(g.settings);
  g.settings.candErase = static_cast<int32_t>(displayMode % 3);
  ResetStartupState();
}

#define FUZZ_CHECK(cond, what)                                   \
  do {                                                           \
    if (!(cond)) {                                               \
      std::fprintf(stderr, "invariant broken: %s\n", what);      \
      std::abort();                                              \
    }                                                            \
  } while (0)

inline void FuzzCheckBoardSane() {
  for (uint32_t c = 0; c < 81; ++c) {
    FUZZ_CHECK(g.board.value[c] <= 9, "cell value out of range");
    const uint32_t k = g.board.kind[c];
    FUZZ_CHECK(k <= 10 && k != 2 && k != 7, "cell kind out of range");
  }
}
