#include "ui/fonts.h"

#include <QFontDatabase>
#include <cstdlib>

#include "board/state.h"

namespace {

QFont g_fonts[3];
bool g_built = false;

bool LooksSerif(const QString& name) {
  return name.contains(QStringLiteral("明朝")) || name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
         name.contains(QStringLiteral("Serif"), Qt::CaseInsensitive);
}

}  // namespace

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString InstalledFace(const std::string& name) {
  const QString face = Utf8(name);
  if (!face.isEmpty() && QFontDatabase::hasFamily(face)) return face;
  const QString japanese = LooksSerif(face) ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP");
  if (QFontDatabase::hasFamily(japanese)) return japanese;
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont FontFromSettings(const std::string& face, int32_t height, int32_t weight, int32_t italic) {
  QFont font(InstalledFace(face));
  // A positive height is the cell height, of which the character takes about seven eighths.
  int pixels = height < 0 ? -height : height * 7 / 8;
  if (pixels < 6) pixels = 6;
  font.setPixelSize(pixels);
  if (weight > 0) font.setWeight(static_cast<QFont::Weight>(weight < 100 ? 100 : weight > 900 ? 900 : weight));
  font.setItalic(italic != 0);
  font.setStyleStrategy(QFont::PreferQuality);
  return font;
}

void RebuildFonts() {
  const Settings& s = g.settings;
  g_fonts[FontDigit] = FontFromSettings(s.fontName, s.fontSize, s.fontWeight, s.fontItalic);
  g_fonts[FontCandidate] = FontFromSettings(s.fontName2, s.fontSize2, s.fontWeight2, s.fontItalic2);
  g_fonts[FontThird] = FontFromSettings(s.fontName, s.fontSize3, s.fontWeight3, 0);
  g_built = true;
}

const QFont& VorelFont(uint32_t role) {
  if (!g_built) RebuildFonts();
  return g_fonts[role < 3 ? role : 0];
}

QColor PaletteColour(int32_t index) {
  // Roles may name index 16, one past the palette: it shows the window's own background
  // colour, white, as an unset role would.
  if (index < 0 || index > 15) return QColor(255, 255, 255);
  const uint32_t rgb = g.settings.baseColor[index];
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}
