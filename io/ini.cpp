#include "io/ini.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "io/layout.h"

namespace {

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimView(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

IniSection* FindSection(IniFile& ini, const std::string& name) {
  for (IniSection& s : ini.sections)
    if (!s.header.empty() && SameText(s.name, name)) return &s;
  return nullptr;
}

const IniSection* FindSection(const IniFile& ini, const std::string& name) {
  for (const IniSection& s : ini.sections)
    if (!s.header.empty() && SameText(s.name, name)) return &s;
  return nullptr;
}

}  // namespace

void IniParse(IniFile& ini, const std::string& raw) {
  ini.sections.clear();
  // A settings file may be large: the text is looked at in place and each line copied once.
  std::string converted;
  std::string_view text = raw;
  if (raw.size() >= 2 && static_cast<uint8_t>(raw[0]) == 0xFF && static_cast<uint8_t>(raw[1]) == 0xFE) {
    converted = Utf8FromUtf16le(reinterpret_cast<const uint8_t*>(raw.data()) + 2, raw.size() - 2);
    text = converted;
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  // Further byte-order marks at the start (a UTF-16 file saved with a doubled mark) are no
  // text either; dropping them all keeps a written file reading back exactly as written.
  while (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  ini.sections.push_back(IniSection{});
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view t = TrimView(line);
    if (!t.empty() && t[0] == '[' && t.find(']') != std::string_view::npos) {
      IniSection s;
      s.name = Trim(t.substr(1, t.find(']') - 1));
      s.header = line;
      ini.sections.push_back(std::move(s));
      continue;
    }
    IniLine l;
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos && !t.empty() && t[0] != ';' && t[0] != '#') {
      l.key = Trim(line.substr(0, eq));
      l.value = Trim(line.substr(eq + 1));
      // Values may be quoted to keep their outer spaces.
      if (l.value.size() >= 2 && l.value.front() == '"' && l.value.back() == '"')
        l.value = l.value.substr(1, l.value.size() - 2);
    }
    l.text = line;
    ini.sections.back().lines.push_back(std::move(l));
  }
}

bool IniLoad(IniFile& ini, const std::string& path) {
  ini.sections.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // The whole file, whatever its size: a partly read file would be saved back shortened.
  std::string bytes;
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size < bytes.max_size()) bytes.reserve(static_cast<size_t>(size));
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return false;
  IniParse(ini, bytes);
  return true;
}

std::string IniText(const IniFile& ini) {
  std::string out;
  size_t size = 0;
  for (const IniSection& s : ini.sections) {
    size += s.header.size() + 2;
    for (const IniLine& l : s.lines) size += l.text.size() + 2;
  }
  out.reserve(size + 3);
  for (const IniSection& s : ini.sections) {
    if (!s.header.empty()) out.append(s.header).append("\r\n");
    for (const IniLine& l : s.lines) out.append(l.text).append("\r\n");
  }
  // Text that happens to start with the bytes of a UTF-16 mark would read back as UTF-16;
  // a UTF-8 mark in front keeps it UTF-8.
  if (out.size() >= 2 && static_cast<uint8_t>(out[0]) == 0xFF && static_cast<uint8_t>(out[1]) == 0xFE)
    out.insert(0, "\xEF\xBB\xBF");
  return out;
}

const std::string* IniFind(const IniFile& ini, const std::string& section, const std::string& key) {
  const IniSection* s = FindSection(ini, section);
  if (!s) return nullptr;
  for (const IniLine& l : s->lines)
    if (!l.key.empty() && SameText(l.key, key)) return &l.value;
  return nullptr;
}

std::string IniGetString(const IniFile& ini, const std::string& section, const std::string& key,
                         const std::string& fallback) {
  const std::string* v = IniFind(ini, section, key);
  return v ? *v : fallback;
}

int32_t IniGetInt(const IniFile& ini, const std::string& section, const std::string& key,
                  int32_t fallback) {
  const std::string* v = IniFind(ini, section, key);
  if (!v) return fallback;
  size_t i = 0;
  bool negative = false;
  if (i < v->size() && ((*v)[i] == '-' || (*v)[i] == '+')) negative = (*v)[i++] == '-';
  if (i >= v->size() || (*v)[i] < '0' || (*v)[i] > '9') return fallback;
  int64_t n = 0;
  for (; i < v->size() && (*v)[i] >= '0' && (*v)[i] <= '9'; ++i) {
    n = n * 10 + ((*v)[i] - '0');
    if (n > 0x80000000LL) n = 0x80000000LL;
  }
  if (negative) n = -n;
  if (n > INT32_MAX) n = INT32_MAX;
  return static_cast<int32_t>(n);
}

void IniSetString(IniFile& ini, const std::string& section, const std::string& key,
                  const std::string& value) {
  // Outer spaces would be trimmed on reading; quotes keep them.
  const bool quote = !value.empty() && (value.front() == ' ' || value.back() == ' ' ||
                                        value.front() == '\t' || value.back() == '\t' ||
                                        (value.size() >= 2 && value.front() == '"' &&
                                         value.back() == '"'));
  const std::string stored = quote ? "\"" + value + "\"" : value;
  IniSection* s = FindSection(ini, section);
  if (!s) {
    IniSection fresh;
    fresh.name = section;
    fresh.header = "[" + section + "]";
    ini.sections.push_back(fresh);
    s = &ini.sections.back();
  }
  for (IniLine& l : s->lines) {
    if (l.key.empty() || !SameText(l.key, key)) continue;
    l.value = value;
    l.text = l.key + "=" + stored;
    return;
  }
  IniLine l;
  l.key = key;
  l.value = value;
  l.text = key + "=" + stored;
  // New keys go after the section's last key line, before trailing blank lines.
  size_t at = s->lines.size();
  while (at > 0 && TrimView(s->lines[at - 1].text).empty()) --at;
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), l);
}

void IniSetInt(IniFile& ini, const std::string& section, const std::string& key, int32_t value) {
  IniSetString(ini, section, key, std::to_string(value));
}

std::string IniTempPath(const std::string& path) { return path + ".tmp"; }

bool IniWriteTemp(const IniFile& ini, const std::string& path) {
  const std::string temp = IniTempPath(path);
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  const std::string text = IniText(ini);
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool IniCommit(const std::string& path) {
  const std::string temp = IniTempPath(path);
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::string IniSaveTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path p = path;
  std::error_code ec;
  for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hop) {
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) break;
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return p.string();
}

bool IniMayReplace(const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::status(target, ec);
  if (st.type() == fs::file_type::not_found) return true;
  if (!fs::is_regular_file(st)) return false;
  // The owner's write bit counts even where the user could write anyway (root).
  if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
  std::FILE* f = std::fopen(target.c_str(), "r+b");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool IniSave(const IniFile& ini, const std::string& path) {
  const std::string target = IniSaveTarget(path);
  if (!IniMayReplace(target) || !IniWriteTemp(ini, target)) return false;
  // The new file keeps the old one's permissions (a private file stays private).
  std::error_code ec;
  const std::filesystem::file_status old = std::filesystem::status(target, ec);
  if (std::filesystem::exists(old))
    std::filesystem::permissions(IniTempPath(target), old.permissions(), ec);
  return IniCommit(target);
}
