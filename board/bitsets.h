// Bit sets over the board: 81 cells in two words, the 729 candidates (cell * 9 + digit index,
// the queue's order) in twelve. Plain value types with the few operations the chain rung uses.
#pragma once
#include <bit>
#include <cstdint>

struct CellSet {
  uint64_t w[2] = {0, 0};

  void Set(uint32_t c) { w[c >> 6] |= uint64_t{1} << (c & 63); }
  void Clear(uint32_t c) { w[c >> 6] &= ~(uint64_t{1} << (c & 63)); }
  bool Has(uint32_t c) const { return (w[c >> 6] >> (c & 63) & 1) != 0; }
  bool Empty() const { return (w[0] | w[1]) == 0; }
  uint32_t Count() const {
    return static_cast<uint32_t>(std::popcount(w[0]) + std::popcount(w[1]));
  }
  // The lowest cell; 81 when empty.
  uint32_t First() const {
    if (w[0]) return static_cast<uint32_t>(std::countr_zero(w[0]));
    if (w[1]) return 64 + static_cast<uint32_t>(std::countr_zero(w[1]));
    return 81;
  }
  CellSet operator&(const CellSet& o) const { return {{w[0] & o.w[0], w[1] & o.w[1]}}; }
  CellSet operator|(const CellSet& o) const { return {{w[0] | o.w[0], w[1] | o.w[1]}}; }
  CellSet operator-(const CellSet& o) const { return {{w[0] & ~o.w[0], w[1] & ~o.w[1]}}; }
  CellSet& operator|=(const CellSet& o) {
    w[0] |= o.w[0];
    w[1] |= o.w[1];
    return *this;
  }
  CellSet& operator&=(const CellSet& o) {
    w[0] &= o.w[0];
    w[1] &= o.w[1];
    return *this;
  }
  bool operator==(const CellSet& o) const { return w[0] == o.w[0] && w[1] == o.w[1]; }
  // True when every cell of this set is in o.
  bool Within(const CellSet& o) const { return ((w[0] & ~o.w[0]) | (w[1] & ~o.w[1])) == 0; }
};

// Calls f(cell) for every cell of s, lowest first.
template <typename F>
inline void ForEachCell(const CellSet& s, F f) {
  for (uint32_t k = 0; k < 2; ++k)
    for (uint64_t m = s.w[k]; m; m &= m - 1) f(k * 64 + static_cast<uint32_t>(std::countr_zero(m)));
}

// A set of up to 64 * W indices; the candidate set is WordSet<12> (768 bits), the chain
// rung's node sets are larger (candidates first, then group nodes).
template <uint32_t W>
struct WordSet {
  static constexpr uint32_t kCandWords = W;
  uint64_t w[W] = {};

  void Set(uint32_t i) { w[i >> 6] |= uint64_t{1} << (i & 63); }
  void Clear(uint32_t i) { w[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
  bool Has(uint32_t i) const { return (w[i >> 6] >> (i & 63) & 1) != 0; }
  bool Empty() const {
    uint64_t any = 0;
    for (uint32_t k = 0; k < kCandWords; ++k) any |= w[k];
    return any == 0;
  }
  uint32_t Count() const {
    uint32_t n = 0;
    for (uint32_t k = 0; k < kCandWords; ++k) n += static_cast<uint32_t>(std::popcount(w[k]));
    return n;
  }
  uint32_t First() const {
    for (uint32_t k = 0; k < kCandWords; ++k)
      if (w[k]) return k * 64 + static_cast<uint32_t>(std::countr_zero(w[k]));
    return 64 * W;
  }
  WordSet& operator|=(const WordSet& o) {
    for (uint32_t k = 0; k < kCandWords; ++k) w[k] |= o.w[k];
    return *this;
  }
  WordSet& operator&=(const WordSet& o) {
    for (uint32_t k = 0; k < kCandWords; ++k) w[k] &= o.w[k];
    return *this;
  }
  WordSet& operator-=(const WordSet& o) {
    for (uint32_t k = 0; k < kCandWords; ++k) w[k] &= ~o.w[k];
    return *this;
  }
  WordSet operator&(const WordSet& o) const {
    WordSet r = *this;
    r &= o;
    return r;
  }
  WordSet operator|(const WordSet& o) const {
    WordSet r = *this;
    r |= o;
    return r;
  }
  WordSet operator-(const WordSet& o) const {
    WordSet r = *this;
    r -= o;
    return r;
  }
  bool Intersects(const WordSet& o) const {
    uint64_t any = 0;
    for (uint32_t k = 0; k < kCandWords; ++k) any |= w[k] & o.w[k];
    return any != 0;
  }
  bool operator==(const WordSet& o) const {
    uint64_t diff = 0;
    for (uint32_t k = 0; k < kCandWords; ++k) diff |= w[k] ^ o.w[k];
    return diff == 0;
  }
};

using CandSet = WordSet<12>;

template <uint32_t W, typename F>
inline void ForEachCand(const WordSet<W>& s, F f) {
  for (uint32_t k = 0; k < W; ++k)
    for (uint64_t m = s.w[k]; m; m &= m - 1) f(k * 64 + static_cast<uint32_t>(std::countr_zero(m)));
}

// The nine candidate bits of one cell (bit d for digit index d).
template <uint32_t W>
inline uint32_t CellBits(const WordSet<W>& s, uint32_t cell) {
  const uint32_t i = cell * 9, k = i >> 6, b = i & 63;
  uint64_t v = s.w[k] >> b;
  if (b > 55 && k + 1 < W) v |= s.w[k + 1] << (64 - b);
  return static_cast<uint32_t>(v & 0x1FF);
}

// Cell geometry as sets: the units (rows 0..8, columns 9..17, blocks 18..26) and the peers.
struct CellGeometry {
  CellSet unit[27];
  CellSet peers[81];
  uint8_t unitsOf[81][3];  // row, column, block
};
const CellGeometry& Geometry();
