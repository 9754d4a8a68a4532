#pragma once
// A command line's arguments as the command words read them: an absent
// token is 0 or empty without a report, as most arguments are optional.
#include <cstdint>
#include <string>

#include "engine/Tokenizer.h"

inline bool Has(const CTokenizer& tokens, int i) { return i >= 0 && i < tokens.GetCount(); }
inline int32_t IntAt(const CTokenizer& tokens, int i) { return Has(tokens, i) ? tokens.GetInt(i) : 0; }
inline const std::string& TextAt(const CTokenizer& tokens, int i) {
  static const std::string kEmpty;
  return Has(tokens, i) ? tokens[i] : kEmpty;
}
