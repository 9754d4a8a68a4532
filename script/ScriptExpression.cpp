#include "script/ScriptExpression.h"

#include <climits>
#include <string>

#include "platform/DebugLog.h"
#include "script/ScriptVariables.h"

int32_t g_exprTokenValue = 0;

const ExprDialect kFieldExpr{true, GetFieldScriptValue, &g_exprTokenValue};

namespace {

// Brackets and "!" nest by recursion; deeper than this is a faulty condition
// rather than a deep stack.
constexpr int kMaxNesting = 200;

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsWordByte(unsigned char c, const ExprDialect& d) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '#' || c == '%' ||
         c == '-' || c == '@' || (c == '_' && d.underscoreInWords) || c >= 0x80;
}

bool SameIgnoringCase(const std::string& word, const char* keyword) {
  size_t i = 0;
  for (; i < word.size() && keyword[i] != '\0'; ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return i == word.size() && keyword[i] == '\0';
}

// A word of digits, saturating at the int range as the tokenizer does.
int32_t DigitsValue(const std::string& word) {
  int64_t value = 0;
  for (const char c : word) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int32_t>(value);
}

int OperatorCode(char c) {
  switch (c) {
    case '>': return kExprGreater;
    case '=': return kExprEqual;
    case '<': return kExprLess;
    case '&': return kExprAnd;
    case '|': return kExprOr;
    case '(': return kExprOpen;
    case ')': return kExprClose;
    case '+': return kExprPlus;
    case '-': return kExprMinus;
    default: return -1;
  }
}

int WordCode(const std::string& word, const ExprDialect& d) {
  if (SameIgnoringCase(word, "party")) return kExprParty;
  if (SameIgnoringCase(word, "item")) return kExprItem;
  if (SameIgnoringCase(word, "if")) return kExprIf;
  if (SameIgnoringCase(word, "elseif")) return kExprElseIf;
  if (word.find_first_not_of("0123456789") == std::string::npos) {
    *d.tokenValue = DigitsValue(word);
    return kExprNumber;
  }
  *d.tokenValue = d.valueOf(word);
  return kExprWord;
}

int32_t Expression(const char* text, size_t& position, int depth, const ExprDialect& d);

int32_t Compare(int op, int32_t left, int32_t right) {
  switch (op) {
    case kExprGreater: return left > right;
    case kExprEqual: return left == right;
    case kExprLess: return left < right;
    case kExprNotEqual: return left != right;
    case kExprAnd: return left != 0 && right != 0;
    default: return left != 0 || right != 0;
  }
}

// An operand, then a "+" or "-" with one more operand, else the look-ahead
// goes back unless it was the end.
int32_t Operand(const char* text, size_t& position, const ExprDialect& d) {
  const int32_t value = *d.tokenValue;
  const size_t before = position;
  const int next = ReadExprToken(text, position, d);
  if (next == kExprPlus || next == kExprMinus) {
    ReadExprToken(text, position, d);
    return next == kExprPlus ? WrappedSum(value, *d.tokenValue) : WrappedDifference(value, *d.tokenValue);
  }
  if (next != kExprEnd) position = before;
  return value;
}

int32_t Term(const char* text, size_t& position, int depth, const ExprDialect& d) {
  if (depth > kMaxNesting) {
    DebugLog("수식 오류");
    DebugLog(text);
    return 0;
  }
  switch (ReadExprToken(text, position, d)) {
    case kExprNot:
      return Term(text, position, depth + 1, d) == 0 ? 1 : 0;
    case kExprOpen: {
      const int32_t value = Expression(text, position, depth + 1, d);
      if (ReadExprToken(text, position, d) != kExprClose) {
        DebugLog("닫는 괄호가 빠짐");
        DebugLog(text);
        DebugLogf("%d", *d.tokenValue);
      }
      return value;
    }
    case kExprNumber:
    case kExprWord:
      return Operand(text, position, d);
    case kExprClose:
      DebugLog("수식 오류2");
      return 0;
    default:
      return 0;
  }
}

int32_t Expression(const char* text, size_t& position, int depth, const ExprDialect& d) {
  const int32_t left = Term(text, position, depth, d);
  const int op = ReadExprToken(text, position, d);
  switch (op) {
    case kExprGreater:
    case kExprEqual:
    case kExprLess:
    case kExprNotEqual:
    case kExprAnd:
    case kExprOr:
      return Compare(op, left, Term(text, position, depth, d));
    case kExprEnd:
      return left;
    default:
      DebugLog("수식 오류");
      DebugLog(text);
      return 0;
  }
}

}  // namespace

int ReadExprToken(const char* text, size_t& position, const ExprDialect& dialect) {
  while (IsSpace(static_cast<unsigned char>(text[position]))) ++position;
  const char c = text[position];
  if (c == '\0') return kExprEnd;
  if (c == '!') {
    const bool notEqual = text[position + 1] == '=';
    position += notEqual ? 2 : 1;
    return notEqual ? kExprNotEqual : kExprNot;
  }
  const int op = OperatorCode(c);
  if (op >= 0) {
    ++position;
    return op;
  }
  // A byte that starts nothing is an empty word, left unread.
  std::string word;
  while (IsWordByte(static_cast<unsigned char>(text[position]), dialect)) word += text[position++];
  if (word.empty()) {
    *dialect.tokenValue = 0;
    return kExprNumber;
  }
  return WordCode(word, dialect);
}

int32_t EvalExpression(const char* text, size_t& position, const ExprDialect& dialect) {
  return Expression(text, position, 0, dialect);
}

int32_t EvalExprTerm(const char* text, size_t& position, const ExprDialect& dialect) {
  return Term(text, position, 0, dialect);
}

int32_t EvalCondition(const char* line, const ExprDialect& dialect) {
  size_t position = 0;
  ReadExprToken(line, position, dialect);
  return EvalExpression(line, position, dialect);
}
