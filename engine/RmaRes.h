#pragma once
// Model texts ("rma", folder "model\"): the animated-model files a model
// actor plays, its numbered actions (a frame range of one of those models
// and the frames that raise events), and how the model is drawn inside
// interiors and as a shadow.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Res.h"

class CTokenizer;

struct RmaAction {
  int32_t startFrame = -1;  // -1: the action is undefined
  int32_t endFrame = -1;
  std::vector<int32_t> eventFrames;  // in file order
};

class CRmaRes : public CRes {
  SLV_RES(CRmaRes)
 public:
  // Action numbers from this up are refused: the table grows to the number.
  static constexpr int32_t kMaxActions = 10000;

  // False only when the file cannot be opened; bad lines are logged and
  // skipped.
  bool Load(const std::string& name) override;
  void Reset() override;

  // For an undefined action: an empty name and frames -1.
  const std::string& GetActionModelName(int i) const;
  int32_t GetActionStartFrame(int i) const;
  int32_t GetActionEndFrame(int i) const;
  // Whether the frame is one of action i's event frames; `position` gets
  // its place in the list, or -1.
  bool IsActionEventFrame(int i, int32_t frame, int* position = nullptr) const;
  bool HasAction(int i) const;
  int GetActionCount() const { return static_cast<int>(m_actions.size()); }

  std::vector<std::string> m_modelNames;
  std::vector<RmaAction> m_actions;    // indexed by action number
  std::vector<int32_t> m_actionModels;  // the model of each action; -1 none
  float m_interiorZoom = 1.0f;
  float m_shadowZoom = 1.0f;
  int32_t m_interiorOffsetX = 0;
  int32_t m_interiorOffsetY = 0;
  int32_t m_interiorFrames[2] = {0, 0};

 private:
  void ApplyLine(const CTokenizer& tokens);
  void ReadModelName(const CTokenizer& tokens);
  void ReadAction(const CTokenizer& tokens);
  // Null for an action number outside the table.
  const RmaAction* Find(int i) const;

  std::string m_name;
  int32_t m_currentModel = -1;
};
