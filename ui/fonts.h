// The board's fonts and colours, built from the settings.
#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>

enum FontRole : uint32_t { FontDigit = 0, FontCandidate = 1, FontThird = 2 };

// The three fonts of the window: the digit font for cell values, the candidate font for small
// digits and the third font. Built on first use and again by RebuildFonts.
const QFont& VorelFont(uint32_t role);
void RebuildFonts();
// The installed face for a face name from the settings: the name itself when the machine has
// it, else a Japanese face of the same style ("ＭＳ 明朝" and other serif names map to Noto
// Serif CJK JP, everything else to Noto Sans CJK JP). The settings keep the name as it was.
QString InstalledFace(const std::string& name);
// A font from the settings' description: height as stored (negative = character height,
// positive = cell height, in pixels), weight 0 or 1..1000, italic flag.
QFont FontFromSettings(const std::string& face, int32_t height, int32_t weight, int32_t italic);

// Palette entry i (0..15) of the settings; stored as blue << 16 | green << 8 | red.
QColor PaletteColour(int32_t index);

QString Utf8(const std::string& text);
std::string ToUtf8(const QString& text);
