#include "engine/RmaRes.h"

#include "engine/ResMgr.h"
#include "engine/TextStream.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

SLV_REGISTER_RES(CRmaRes, "rma", "model\\");

bool CRmaRes::Load(const std::string& name) {
  Reset();
  m_name = name;
  m_interiorZoom = 1.0f;
  m_shadowZoom = 1.0f;
  m_interiorOffsetX = 0;
  m_interiorOffsetY = 0;
  m_interiorFrames[0] = m_interiorFrames[1] = 0;
  CTextStream stream;
  if (!stream.Open(name)) {
    DebugLog("CRmaRes :: Cannot open File : " + name);
    return false;
  }
  CTokenizer tokens;
  while (tokens.ReadLine(stream)) {
    if (tokens.GetCount() > 0) ApplyLine(tokens);
  }
  return true;
}

void CRmaRes::ApplyLine(const CTokenizer& tokens) {
  const std::string& keyword = tokens[0];
  if (keyword == "#rsxname") {
    ReadModelName(tokens);
  } else if (keyword == "#action") {
    ReadAction(tokens);
  } else if (keyword == "#interiorzoom") {
    m_interiorZoom = tokens.GetFloat(1);
  } else if (keyword == "#shadowzoom") {
    m_shadowZoom = tokens.GetFloat(1);
  } else if (keyword == "#interioroffsetx") {
    m_interiorOffsetX = tokens.GetInt(1);
  } else if (keyword == "#interioroffsety") {
    m_interiorOffsetY = tokens.GetInt(1);
  } else if (keyword == "#interiorframes") {
    m_interiorFrames[0] = tokens.GetInt(1);
    m_interiorFrames[1] = tokens.GetInt(2);
  } else {
    DebugLogf("CRmaRes :: unknown keyword \"%s\" in %s", keyword.c_str(), m_name.c_str());
  }
}

void CRmaRes::ReadModelName(const CTokenizer& tokens) {
  ++m_currentModel;
  m_modelNames.resize(static_cast<size_t>(m_currentModel) + 1);
  m_modelNames.back() = tokens[1];
}

void CRmaRes::ReadAction(const CTokenizer& tokens) {
  const int32_t n = tokens.GetInt(1);
  if (n < 0 || n >= kMaxActions) {
    DebugLogf("CRmaRes :: action number %d out of range in %s", n, m_name.c_str());
    return;
  }
  const size_t index = static_cast<size_t>(n);
  if (index >= m_actions.size()) {
    m_actions.resize(index + 1);
    m_actionModels.resize(index + 1, -1);
  }
  RmaAction& action = m_actions[index];
  if (action.startFrame != -1) DebugLogf("CRmaRes :: action %d redefined in %s", n, m_name.c_str());
  action.startFrame = tokens.GetInt(2);
  action.endFrame = tokens.GetInt(3);
  action.eventFrames.clear();
  for (int i = 4; i < tokens.GetCount(); ++i) action.eventFrames.push_back(tokens.GetInt(i));
  m_actionModels[index] = m_currentModel;
}

void CRmaRes::Reset() {
  m_modelNames.clear();
  m_actions.clear();
  m_actionModels.clear();
  m_currentModel = -1;
}

const RmaAction* CRmaRes::Find(int i) const {
  return i >= 0 && i < GetActionCount() ? &m_actions[static_cast<size_t>(i)] : nullptr;
}

const std::string& CRmaRes::GetActionModelName(int i) const {
  static const std::string kNone;
  if (Find(i) == nullptr) return kNone;
  const int32_t model = m_actionModels[static_cast<size_t>(i)];
  return model >= 0 && model < static_cast<int32_t>(m_modelNames.size()) ? m_modelNames[static_cast<size_t>(model)]
                                                                           : kNone;
}

int32_t CRmaRes::GetActionStartFrame(int i) const {
  const RmaAction* action = Find(i);
  return action != nullptr ? action->startFrame : -1;
}

int32_t CRmaRes::GetActionEndFrame(int i) const {
  const RmaAction* action = Find(i);
  return action != nullptr ? action->endFrame : -1;
}

bool CRmaRes::IsActionEventFrame(int i, int32_t frame, int* position) const {
  if (position != nullptr) *position = -1;
  const RmaAction* action = Find(i);
  if (action == nullptr) return false;
  for (size_t k = 0; k < action->eventFrames.size(); ++k) {
    if (action->eventFrames[k] != frame) continue;
    if (position != nullptr) *position = static_cast<int>(k);
    return true;
  }
  return false;
}

bool CRmaRes::HasAction(int i) const {
  const RmaAction* action = Find(i);
  return action != nullptr && action->startFrame != -1;
}
