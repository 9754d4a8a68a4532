#pragma once
// The conditions of "if" and "elseif": a lexer and a small evaluator with no
// precedence and no chains. Errors only log; a faulty condition is 0.
#include <cstddef>
#include <cstdint>
#include <string>

// The lexer's token codes.
enum ExprToken : int32_t {
  kExprGreater = 0,
  kExprEqual = 1,
  kExprLess = 2,
  kExprNot = 3,
  kExprAnd = 4,
  kExprOr = 5,
  kExprOpen = 6,
  kExprClose = 7,
  kExprPlus = 8,
  kExprMinus = 9,
  kExprParty = 10,
  kExprItem = 11,
  kExprWord = 12,  // a value word or a variable
  kExprNotEqual = 13,
  kExprNumber = 14,
  kExprIf = 15,
  kExprElseIf = 16,
  kExprEnd = 17,
};

// The value of the last number or word read, shared by the field's lexer
// and evaluator; operators leave it alone.
extern int32_t g_exprTokenValue;

// Where the copies of the evaluator differ: whether "_" belongs to a word,
// what a variable word is worth, and their own cell for the last value read.
struct ExprDialect {
  bool underscoreInWords;
  int32_t (*valueOf)(const std::string& word);
  int32_t* tokenValue;
};
// The field scripts' copy: "_" in words, GetFieldScriptValue, g_exprTokenValue.
extern const ExprDialect kFieldExpr;

// The next token of the zero-terminated text from the position, which it
// advances. At the end it stays on the terminator.
int ReadExprToken(const char* text, size_t& position, const ExprDialect& dialect = kFieldExpr);
// One condition from the position: term, one operator, term.
int32_t EvalExpression(const char* text, size_t& position, const ExprDialect& dialect = kFieldExpr);
// One term: "!" term, a bracketed expression, or an operand with at most one
// "+" or "-" and a second operand.
int32_t EvalExprTerm(const char* text, size_t& position, const ExprDialect& dialect = kFieldExpr);
// The condition of an "if" or "elseif" line: its keyword, then an expression.
int32_t EvalCondition(const char* line, const ExprDialect& dialect = kFieldExpr);
