#pragma once
// A game frame that records, in place of running them, the map-script runs
// that the field's actors and boxes ask for and the messages they send it.
#include <cstdint>
#include <string>
#include <vector>

#include "field/SelvarinFrame.h"
#include "script/ScriptPosition.h"

struct ScriptRun {
  int line;
  std::string subject;
  std::string objectName;  // g_scriptObjectName as the run began
};

struct FrameMessage {
  CObject* sender;
  int code;
  intptr_t a, b, c;
};

class CRecordingFrame : public CSelvarinFrame {
 public:
  void RunEventScript(int line, const std::string& name, ScriptPosition& /*position*/) override {
    runs.push_back({line, name, g_scriptObjectName});
  }
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    messages.push_back({sender, code, a, b, c});
  }

  std::vector<int> Lines() const {
    std::vector<int> lines;
    for (const ScriptRun& run : runs) lines.push_back(run.line);
    return lines;
  }

  std::vector<ScriptRun> runs;
  std::vector<FrameMessage> messages;
};
