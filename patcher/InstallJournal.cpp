#include "patcher/InstallJournal.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/DebugLog.h"

namespace installjournal {
namespace {

constexpr std::string_view kHeader = "selvarin update journal 1\n";
constexpr size_t kFields = 5;

// A name inside the folder: no separator, not "." or "..", no control byte.
bool PlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

bool ParseLine(std::string_view line, JournalEntry* entry) {
  std::string_view fields[kFields];
  for (size_t i = 0; i < kFields; ++i) {
    const size_t tab = i + 1 < kFields ? line.find('\t') : line.size();
    if (tab == std::string_view::npos) return false;
    fields[i] = line.substr(0, tab);
    line.remove_prefix(std::min(line.size(), tab + 1));
  }
  if (fields[0] != "0" && fields[0] != "1") return false;
  entry->existed = fields[0] == "1";
  const char* end = fields[1].data() + fields[1].size();
  const auto [at, error] = std::from_chars(fields[1].data(), end, entry->size);
  if (error != std::errc() || at != end || entry->size < 0) return false;
  entry->target = fields[2];
  entry->staged = fields[3];
  entry->backup = fields[4];
  return PlainName(entry->target) && PlainName(entry->staged) && PlainName(entry->backup);
}

}  // namespace

std::string Encode(const std::vector<JournalEntry>& entries) {
  std::string text(kHeader);
  for (const JournalEntry& e : entries) {
    text += std::string(e.existed ? "1" : "0") + "\t" + std::to_string(e.size) + "\t" + e.target + "\t" + e.staged +
            "\t" + e.backup + "\n";
  }
  return text;
}

bool Decode(const std::string& text, std::vector<JournalEntry>* entries) {
  entries->clear();
  std::string_view rest = text;
  if (rest.substr(0, kHeader.size()) != kHeader) {
    DebugLog("update journal: not a journal");
    return false;
  }
  rest.remove_prefix(kHeader.size());
  while (!rest.empty()) {
    const size_t newline = rest.find('\n');
    JournalEntry entry;
    if (newline == std::string_view::npos || !ParseLine(rest.substr(0, newline), &entry)) {
      DebugLogf("update journal: line %zu is damaged", entries->size() + 2);
      entries->clear();
      return false;
    }
    entries->push_back(std::move(entry));
    rest.remove_prefix(newline + 1);
  }
  return true;
}

}  // namespace installjournal
