#include "platform/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/DebugLog.h"
#include "platform/FileOperations.h"

namespace platform {
namespace {
namespace settingsstore {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unquote(const std::string& s) {
  if (s.size() < 2 || s.front() != '"' || s.back() != '"') return std::nullopt;
  std::string out;
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return std::nullopt;
    const char e = s[++i];
    if (e == 'x') {
      if (i + 3 >= s.size()) return std::nullopt;
      const int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else {
      out += e;
    }
  }
  return out;
}

std::optional<std::vector<uint8_t>> ParseHex(const std::string& s) {
  std::vector<uint8_t> bytes;
  std::istringstream in(s);
  for (std::string word; in >> word;) {
    if (word.size() != 2 || HexDigit(word[0]) < 0 || HexDigit(word[1]) < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(HexDigit(word[0]) * 16 + HexDigit(word[1])));
  }
  return bytes;
}

std::optional<SettingsStore::Value> ParseValue(const std::string& text) {
  SettingsStore::Value v;
  if (text.rfind("dword:", 0) == 0) {
    const std::string digits = Trim(text.substr(6));
    char* end = nullptr;
    const unsigned long long n = std::strtoull(digits.c_str(), &end, 0);
    if (digits.empty() || *end != '\0' || n > 0xFFFFFFFFull) return std::nullopt;
    v.type = SettingsStore::Type::Dword;
    v.dword = static_cast<uint32_t>(n);
  } else if (text.rfind("str:", 0) == 0) {
    auto s = Unquote(Trim(text.substr(4)));
    if (!s) return std::nullopt;
    v.type = SettingsStore::Type::String;
    v.text = *s;
  } else if (text.rfind("hex:", 0) == 0) {
    auto b = ParseHex(text.substr(4));
    if (!b) return std::nullopt;
    v.type = SettingsStore::Type::Binary;
    v.bytes = *b;
  } else {
    return std::nullopt;
  }
  return v;
}

std::string FormatValue(const SettingsStore::Value& v) {
  switch (v.type) {
    case SettingsStore::Type::Dword:
      return "dword:" + std::to_string(v.dword);
    case SettingsStore::Type::String:
      return "str:" + Quote(v.text);
    case SettingsStore::Type::Binary: {
      std::string out = "hex:";
      for (const uint8_t b : v.bytes) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", b);
        if (out.size() > 4) out += ' ';
        out += buf;
      }
      return out;
    }
  }
  return {};
}

}  // namespace settingsstore
}  // namespace

bool SettingsStore::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char x = settingsstore::LowerAscii(a[i]), y = settingsstore::LowerAscii(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  return a.size() < b.size();
}

std::string SettingsStore::DefaultPath() {
  if (const char* env = std::getenv("SLV_REGISTRY"); env != nullptr && *env != '\0') return env;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0') return std::string(xdg) + "/selvarin/registry.ini";
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return std::string(home) + "/.config/selvarin/registry.ini";
  return std::string("selvarin/registry.ini");
}

SettingsStore::Key* SettingsStore::FindKey(const std::string& key) {
  const auto it = m_keys.find(key);
  return it != m_keys.end() ? &it->second : nullptr;
}

const SettingsStore::Key* SettingsStore::FindKey(const std::string& key) const {
  const auto it = m_keys.find(key);
  return it != m_keys.end() ? &it->second : nullptr;
}

bool SettingsStore::HasKey(const std::string& key) const { return FindKey(key) != nullptr; }

void SettingsStore::CreateKey(const std::string& key) {
  if (FindKey(key) == nullptr) m_keys[key].name = key;
}

void SettingsStore::DeleteKey(const std::string& key) { m_keys.erase(key); }

const SettingsStore::Value* SettingsStore::Find(const std::string& key, const std::string& name) const {
  const Key* k = FindKey(key);
  if (k == nullptr) return nullptr;
  const auto it = k->values.find(name);
  return it != k->values.end() ? &it->second : nullptr;
}

std::optional<uint32_t> SettingsStore::GetDword(const std::string& key, const std::string& name) const {
  const Value* v = Find(key, name);
  if (v == nullptr || v->type != Type::Dword) return std::nullopt;
  return v->dword;
}

std::optional<std::string> SettingsStore::GetString(const std::string& key, const std::string& name) const {
  const Value* v = Find(key, name);
  if (v == nullptr || v->type != Type::String) return std::nullopt;
  return v->text;
}

std::optional<std::vector<uint8_t>> SettingsStore::GetBinary(const std::string& key,
                                                             const std::string& name) const {
  const Value* v = Find(key, name);
  if (v == nullptr || v->type != Type::Binary) return std::nullopt;
  return v->bytes;
}

SettingsStore::Value& SettingsStore::Slot(const std::string& key, const std::string& name) {
  CreateKey(key);
  Key& k = *FindKey(key);
  if (k.values.find(name) == k.values.end()) k.order.push_back(name);
  return k.values[name];
}

void SettingsStore::SetDword(const std::string& key, const std::string& name, uint32_t value) {
  Value& v = Slot(key, name);
  v = Value{};
  v.type = Type::Dword;
  v.dword = value;
}

void SettingsStore::SetString(const std::string& key, const std::string& name, const std::string& value) {
  Value& v = Slot(key, name);
  v = Value{};
  v.type = Type::String;
  v.text = value;
}

void SettingsStore::SetBinary(const std::string& key, const std::string& name,
                              const std::vector<uint8_t>& value) {
  Value& v = Slot(key, name);
  v = Value{};
  v.type = Type::Binary;
  v.bytes = value;
}

std::string SettingsStore::Serialize() const {
  std::string out;
  for (const auto& [_, key] : m_keys) {
    if (!out.empty()) out += '\n';
    out += "[" + key.name + "]\n";
    for (const std::string& name : key.order) {
      out += name + " = " + settingsstore::FormatValue(key.values.at(name)) + "\n";
    }
  }
  return out;
}

bool SettingsStore::Parse(const std::string& text) {
  m_keys.clear();
  std::istringstream lines(text);
  std::string line;
  std::string current;
  bool inKey = false;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    const std::string t = settingsstore::Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      current = t.substr(1, t.size() - 2);
      CreateKey(current);
      inKey = true;
      continue;
    }
    const size_t eq = t.find('=');
    std::optional<Value> value;
    if (inKey && eq != std::string::npos) value = settingsstore::ParseValue(settingsstore::Trim(t.substr(eq + 1)));
    if (!value) {
      DebugLogf("settings store line %d is malformed", lineNo);
      continue;
    }
    Slot(current, settingsstore::Trim(t.substr(0, eq))) = *value;
  }
  return true;
}

bool SettingsStore::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    DebugLogf("settings store %s cannot be read", path.c_str());
    m_keys.clear();
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

bool SettingsStore::Save(const std::string& path) const {
  std::error_code ec;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
  const std::string text = Serialize();
  // Whole or not at all: a crash or a full disk keeps the previous settings.
  if (!FileOperations().WriteAtomic(path, text.data(), text.size())) {
    DebugLogf("settings store %s cannot be written", path.c_str());
    return false;
  }
  return true;
}

}  // namespace platform
