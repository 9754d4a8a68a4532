#pragma once
// A small ordered map from a case-sensitive name to a 32-bit integer: the
// script variables, the battle variables and the event hooks. A name never
// set reads 0; Get does not create it, GetCreated does.
#include <cstdint>
#include <map>
#include <string>

class NameValueMap {
 public:
  int32_t Get(const std::string& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? 0 : it->second;
  }
  int32_t GetCreated(const std::string& name) { return m_values[name]; }
  void Set(const std::string& name, int32_t value) { m_values[name] = value; }
  bool Contains(const std::string& name) const { return m_values.count(name) != 0; }
  void Clear() { m_values.clear(); }
  size_t Size() const { return m_values.size(); }
  const std::map<std::string, int32_t>& Entries() const { return m_values; }

 private:
  std::map<std::string, int32_t> m_values;
};

// The battle scripts' variables of one battle; not saved.
using BattleVariables = NameValueMap;
// Named event hooks that the rules raise and the battle scripts consume.
using HookTable = NameValueMap;
