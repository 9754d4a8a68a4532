#pragma once
// The event scripts' variables, kept in the session and saved with it, and
// the operations the variable commands and the conditions use on them.
#include <cstdint>
#include <string>

#include "session/NameValueMap.h"

using ScriptVariables = NameValueMap;

// Stores the value under the name, creating the entry.
void SetScriptVariable(int32_t value, const std::string& name);
// The value of a condition word: "#gold", "#" and an item name (copies
// owned, worn ones too), "@" with "partynumber" (the party's size), "@" and an
// English name (1 when in the party), "%" and an English name (the level),
// else the variable; 0 for what is unknown or never set.
int32_t GetFieldScriptValue(const std::string& name);
// These read through GetFieldScriptValue and store under the literal name.
// Sums wrap as 32-bit values.
void IncScriptVariable(const std::string& name);
void DecScriptVariable(const std::string& name);
void AddScriptVariable(int32_t amount, const std::string& name);
void SubScriptVariable(int32_t amount, const std::string& name);

// a + b and a - b wrapped to 32 bits, never overflowing.
int32_t WrappedSum(int32_t a, int32_t b);
int32_t WrappedDifference(int32_t a, int32_t b);
