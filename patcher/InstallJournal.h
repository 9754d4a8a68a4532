#pragma once
// The journal of one install: written into the installed folder before the
// first swap and removed after the last, so that a run that was ended half-way
// can be finished or undone by the next. One line per file: whether its target
// existed before, the size of the new file, and the target's, the staged
// file's and the backup's names in that folder.
#include <cstdint>
#include <string>
#include <vector>

struct JournalEntry {
  bool existed = false;
  int64_t size = 0;
  std::string target;
  std::string staged;
  std::string backup;
  bool operator==(const JournalEntry&) const = default;
};

namespace installjournal {

std::string Encode(const std::vector<JournalEntry>& entries);
// False (logged) for any text Encode does not write, or a name that is not a
// plain file name of the folder.
bool Decode(const std::string& text, std::vector<JournalEntry>* entries);

}  // namespace installjournal
