// A small ini reader and writer: "[section]" headers and "key=value" lines. Sections and
// keys match without regard to ASCII case, integers are decimal, and every line the program
// does not know (other keys, other sections, comments) is kept as it was when saving.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct IniLine {
  std::string text;   // the line as read (without its line end); rebuilt when a value is set
  std::string key;    // empty for comments, blank lines and malformed lines
  std::string value;  // trimmed value of a key line
};

struct IniSection {
  std::string name;  // empty for the lines before the first header
  std::string header;  // the header line as read ("" for the leading part)
  std::vector<IniLine> lines;
};

struct IniFile {
  std::vector<IniSection> sections;
};

// Parse text (UTF-8, or UTF-16 little-endian with its byte-order mark; a UTF-8 byte-order
// mark is skipped). Line ends may be CR LF or LF.
void IniParse(IniFile& ini, const std::string& bytes);
// Read a file; false (and an empty ini) when it cannot be read.
bool IniLoad(IniFile& ini, const std::string& path);
// The file text: UTF-8, CR LF line ends.
std::string IniText(const IniFile& ini);

// Lookups: the first matching section and key; nullptr when absent.
const std::string* IniFind(const IniFile& ini, const std::string& section, const std::string& key);
std::string IniGetString(const IniFile& ini, const std::string& section, const std::string& key,
                         const std::string& fallback);
// A decimal integer with an optional sign; the fallback when the key is absent or holds no
// number. Values beyond the 32-bit range are clamped.
int32_t IniGetInt(const IniFile& ini, const std::string& section, const std::string& key,
                  int32_t fallback);
// Set a key: the existing line is rewritten in place (keeping the key's spelling), else the
// key is added at the end of its section, else a new section is added at the end.
void IniSetString(IniFile& ini, const std::string& section, const std::string& key,
                  const std::string& value);
void IniSetInt(IniFile& ini, const std::string& section, const std::string& key, int32_t value);

// Saving in two steps so that a crash never leaves a half-written file: the whole text goes
// to a temporary file beside the target, which then replaces the target by a rename.
std::string IniTempPath(const std::string& path);
bool IniWriteTemp(const IniFile& ini, const std::string& path);  // writes IniTempPath(path)
bool IniCommit(const std::string& path);                          // renames it into place
// Both steps, on the file path leads to: a symbolic link is followed and stays a link, and a
// file that may not be replaced (read-only, not a regular file) is left alone (false).
bool IniSave(const IniFile& ini, const std::string& path);
std::string IniSaveTarget(const std::string& path);  // path with its symbolic links followed
bool IniMayReplace(const std::string& target);       // true also when target does not exist
