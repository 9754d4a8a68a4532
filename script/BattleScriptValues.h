#pragma once
// The words of battle-script expressions and variable commands: money,
// items, levels, the participants' hit and barrier points, the enemies'
// count and fate, the story variables behind "@static", and the battle's
// own variables. Their evaluator is the field's, read in the battle's way.
#include <cstdint>
#include <string>

#include "script/ScriptExpression.h"

// The battle's copy of the evaluator: no "_" in words, GetBattleScriptValue,
// and a value cell of its own.
extern const ExprDialect kBattleExpr;

// What the word is worth now. Reading a battle variable or an "@static"
// entry that is not there creates it with 0; an unknown item or character
// reads 0, an unknown participant -1 (logged).
int32_t GetBattleScriptValue(const std::string& word);
// Stores the value where the word points; words that name no store only log.
void SetBattleScriptValue(const std::string& word, int32_t value);
// The step operations: the word's value and the step stored back, sums
// wrapping at 32 bits.
void IncBattleScriptValue(const std::string& word);
void DecBattleScriptValue(const std::string& word);
void AddBattleScriptValue(int32_t value, const std::string& word);
void SubBattleScriptValue(int32_t value, const std::string& word);

// The condition of a battle "if" or "elseif" line.
int32_t EvalBattleCondition(const std::string& line);
