#pragma once
// The names shown for places: a save slot keeps its map frame's short name,
// and "Name.txt" gives the text the save and load screens show for it.
#include <map>
#include <string>

class CPlaceNameTable {
 public:
  CPlaceNameTable() = default;
  ~CPlaceNameTable() = default;

  // Adds the entries of "Name.txt" at the data folder's root; false
  // (logged, nothing added) when the file cannot be opened.
  bool Load();
  // The text for the key; empty when the key is absent.
  std::string Lookup(const std::string& key) const;
  const std::map<std::string, std::string>& Entries() const { return m_names; }

 private:
  // A line of a key and one or more words; the first line of a key stays.
  void AddLine(const std::string& line);

  std::map<std::string, std::string> m_names;
};
