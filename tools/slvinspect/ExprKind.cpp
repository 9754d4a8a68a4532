// `expr TEXT --vars FILE`: a script condition or value, evaluated by the
// event scripts' own evaluator against a session filled from a small JSON
// file:
//   {"gold": 120, "scriptVariables": {"quest": 2},
//    "inventory": {"12": 3}, "party": [{"engname": "kyle", "lvl": 5}]}
// Inventory keys are item numbers, as the session keeps them.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "platform/DebugLog.h"
#include "platform/TextEncoding.h"
#include "script/ScriptExpression.h"
#include "session/Session.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonReader.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {
namespace {

bool ReadWhole(const std::string& resName, std::string* text) {
  CFileStream file;
  if (!file.Open(resName, CFileStream::kRead)) {
    DebugLogf("%s not found", resName.c_str());
    return false;
  }
  text->resize(static_cast<size_t>(std::max(file.GetSize(), 0)));
  const int32_t read = text->empty() ? 0 : file.Read(text->data(), static_cast<int32_t>(text->size()));
  text->resize(static_cast<size_t>(std::max(read, 0)));
  return true;
}

bool Invalid(const std::string& where, const char* what) {
  DebugLogf("--vars: %s %s", where.c_str(), what);
  return false;
}

bool ToInt32(const JsonValue& value, const std::string& where, int32_t* out) {
  if (value.kind != JsonValue::Kind::kInteger) return Invalid(where, "is not an integer");
  if (value.integer < INT32_MIN || value.integer > INT32_MAX) return Invalid(where, "is out of range");
  *out = static_cast<int32_t>(value.integer);
  return true;
}

// Script names are code page 949 bytes, as the scripts hold them.
bool ToCp949(const std::string& utf8, const std::string& where, std::string* out) {
  return platform::Utf8ToCp949(utf8, out) || Invalid(where, "has no code page 949 form");
}

bool FillVariables(const JsonValue& value, CSession& session) {
  if (value.kind != JsonValue::Kind::kObject) return Invalid("scriptVariables", "is not an object");
  for (const auto& [name, number] : value.members) {
    std::string cp949;
    int32_t n = 0;
    if (!ToCp949(name, "scriptVariables." + name, &cp949) || !ToInt32(number, "scriptVariables." + name, &n)) {
      return false;
    }
    session.scriptVariables.Set(cp949, n);
  }
  return true;
}

bool FillInventory(const JsonValue& value, CSession& session) {
  if (value.kind != JsonValue::Kind::kObject) return Invalid("inventory", "is not an object");
  for (const auto& [key, count] : value.members) {
    const std::string where = "inventory." + key;
    if (key.empty() || key.size() > 4 || key.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(key) >= CSession::kItemSlots) {
      return Invalid(where, "is not an item number (0-999)");
    }
    if (!ToInt32(count, where, &session.inventory[static_cast<size_t>(std::stoi(key))])) return false;
  }
  return true;
}

// Party members take the player records from id 0 in party order.
bool FillParty(const JsonValue& value, CSession& session) {
  if (value.kind != JsonValue::Kind::kArray) return Invalid("party", "is not an array");
  if (value.items.size() > CSession::kMaxParty) return Invalid("party", "has more than 6 members");
  for (size_t p = 0; p < value.items.size(); ++p) {
    const JsonValue& member = value.items[p];
    const std::string where = "party[" + std::to_string(p) + "]";
    if (member.kind != JsonValue::Kind::kObject) return Invalid(where, "is not an object");
    PlayerData& player = session.players[p];
    for (const auto& [key, field] : member.members) {
      if (key == "engname") {
        if (field.kind != JsonValue::Kind::kString) return Invalid(where + ".engname", "is not a string");
        if (!ToCp949(field.text, where + ".engname", &player.engname)) return false;
      } else if (key == "lvl") {
        if (!ToInt32(field, where + ".lvl", &player.lvl)) return false;
      } else {
        return Invalid(where + "." + key, "is not a member field (engname, lvl)");
      }
    }
    session.partyIds[p] = static_cast<int32_t>(p);
  }
  session.partyCount = static_cast<int32_t>(value.items.size());
  return true;
}

bool FillSession(const JsonValue& vars, CSession& session) {
  if (vars.kind != JsonValue::Kind::kObject) return Invalid("the file", "is not an object");
  for (const auto& [key, value] : vars.members) {
    bool filled = false;
    if (key == "gold") {
      filled = ToInt32(value, key, &session.gold);
    } else if (key == "scriptVariables") {
      filled = FillVariables(value, session);
    } else if (key == "inventory") {
      filled = FillInventory(value, session);
    } else if (key == "party") {
      filled = FillParty(value, session);
    } else {
      filled = Invalid(key, "is not a session field (gold, scriptVariables, inventory, party)");
    }
    if (!filled) return false;
  }
  return true;
}

// An "if" or "elseif" line is a condition, anything else a value.
bool IsConditionLine(const std::string& text) {
  size_t position = 0;
  const int first = ReadExprToken(text.c_str(), position);
  return first == kExprIf || first == kExprElseIf;
}

}  // namespace

bool InspectExpr(const InspectSource& source, const InspectOptions& options, JsonWriter& out) {
  std::string json, error;
  JsonValue vars;
  if (!ReadWhole(source.ResName(), &json)) return false;
  if (!ParseJson(json, &vars, &error)) {
    DebugLogf("--vars: %s", error.c_str());
    return false;
  }
  if (!FillSession(vars, CSession::GetInstance())) return false;

  // The shell gives UTF-8; bytes that are not are taken as code page 949.
  std::string text;
  if (!platform::Utf8ToCp949(options.text, &text)) text = options.text;
  const bool condition = IsConditionLine(text);
  const size_t logged = LoggedTextCount();
  size_t position = 0;
  const int32_t value = condition ? EvalCondition(text.c_str()) : EvalExpression(text.c_str(), position);

  out.BeginObject();
  out.Field("text", text);
  out.Field("condition", condition);
  out.Field("value", value);
  out.Key("errors").BeginArray();
  for (size_t i = logged; i < LoggedTextCount(); ++i) out.Text(LoggedText(i));
  out.EndArray();
  out.EndObject();
  return true;
}

}  // namespace slvinspect
