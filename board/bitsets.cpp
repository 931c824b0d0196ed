#include "board/bitsets.h"

#include "board/state.h"

namespace {
CellGeometry MakeGeometry() {
  CellGeometry geo{};
  for (uint32_t u = 0; u < 27; ++u)
    for (uint32_t k = 0; k < 9; ++k) geo.unit[u].Set(kUnitCells.cell[u][k]);
  for (uint32_t c = 0; c < 81; ++c) {
    geo.unitsOf[c][0] = static_cast<uint8_t>(RowOf(c));
    geo.unitsOf[c][1] = static_cast<uint8_t>(9 + ColumnOf(c));
    geo.unitsOf[c][2] = static_cast<uint8_t>(18 + BlockOf(c));
    for (uint32_t i = 0; i < 3; ++i) geo.peers[c] |= geo.unit[geo.unitsOf[c][i]];
    geo.peers[c].Clear(c);
  }
  return geo;
}
}  // namespace

const CellGeometry& Geometry() {
  static const CellGeometry geo = MakeGeometry();
  return geo;
}
