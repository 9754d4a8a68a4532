#pragma once
// Every screen a player meets, and where its texts are checked: a headless
// run's "textcheck" or an in-process drawing names its screen here. A
// screen passes when each of its texts keeps at least 90 % of its pixels;
// a text the screen itself draws under something else is an exception,
// with the reason.
#include <string>
#include <vector>

#include "tests/support/TextVisibility.h"

namespace testsupport {

struct CoveredText {
  const char* text;    // a text containing this is not held to the rule
  const char* reason;  // what lies over it, and why that is the screen's own
};

struct ScreenTexts {
  const char* check;   // the name of the run's "textcheck", or of the drawing
  const char* screen;  // as a player knows it
  const char* where;   // the run or test that checks it
  bool drawsText;      // false: a screen of pictures only, whose check finds no text
  std::vector<CoveredText> covered;
  // A box that covers the screen on purpose: only its own texts (those
  // containing one of `held`) are held to the rule; `box` says what covers
  // the rest.
  std::vector<const char*> held = {};
  const char* box = nullptr;
};

const std::vector<ScreenTexts>& ScreenTextTable();

// The table's exceptions for `check`.
TextExceptions CoveredTexts(const std::string& check);

// What `texts`, the texts of the table's screen `check`, fail of the rule;
// empty when the screen passes. A check the table does not hold fails.
std::string UnreadTexts(const std::string& check, const std::vector<TextKept>& texts);

}  // namespace testsupport
