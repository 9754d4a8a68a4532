// The message window: the text is laid out a character a tick (all at once
// once the player confirms), wrapped at whole words, and paged two lines at
// a time; the field and the battle each step it their own way.
#include <algorithm>
#include <cstddef>
#include <string>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "field/MapEvent.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinFrame.h"
#include "render/3dActor.h"
#include "render/RC.h"

namespace {
namespace selvarinframemessage {

constexpr int kMessageClosed = 13;
constexpr int kStarting = 1;
constexpr int kLayingOut = 2;
constexpr int kPageFull = 3;
constexpr int kClosing = 4;
constexpr int kFinished = 7;
constexpr int kLastLine = CSelvarinFrame::kMessageLines - 1;

// A confirm button newly pressed or a fresh left click.
bool ConfirmPressed() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && IsNewlyPressed(g_pMainKeyPad->m_buttons[button])) return true;
  }
  return CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
}

// A byte with its top bit, or "&", starts a two-byte character.
bool StartsPair(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0 || c == '&'; }

bool IsBlank(char c) { return c == ' '; }

// The screen width of the rest of the word starting at pos.
std::string WordAt(const std::string& text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && !IsBlank(text[end])) end += StartsPair(text[end]) ? 2 : 1;
  return text.substr(pos, std::min(end, text.size()) - pos);
}

// How wide a line may grow: `alone` without a speaker; beside the speaker's
// picture, its share of the view (a 640 view without a render context)
// and `beside`.
int LineLimit(const CRC* rc, bool speaker, int alone, int beside) {
  const int screenWidth = rc != nullptr ? rc->ViewWidth() : 640;
  return speaker ? std::min(screenWidth - 320, 270) + beside : alone;
}

}  // namespace selvarinframemessage
}  // namespace

void CSelvarinFrame::ClearMessageLines() {
  for (std::string& line : m_messageLines) line.clear();
  m_messageLine = 0;
  m_messageFast = m_messageInstant == 1 ? 1 : 0;
}

void CSelvarinFrame::ScrollMessageLines() {
  for (int i = 0; i < selvarinframemessage::kLastLine; ++i) m_messageLines[static_cast<size_t>(i)] = m_messageLines[static_cast<size_t>(i + 1)];
  m_messageLines[selvarinframemessage::kLastLine].clear();
  m_messageLine = selvarinframemessage::kLastLine - 1;
}

void CSelvarinFrame::AppendMessageCharAt(size_t pos) {
  const std::string& text = m_messageText;
  std::string& line = m_messageLines[static_cast<size_t>(std::clamp(m_messageLine, 0, selvarinframemessage::kLastLine))];
  if (selvarinframemessage::StartsPair(text[pos])) {
    // A lead byte with nothing after it is dropped.
    if (pos + 1 < text.size()) line.append(text, pos, 2);
    m_messagePos = static_cast<int32_t>(pos + 2);
  } else {
    line += text[pos];
    m_messagePos = static_cast<int32_t>(pos + 1);
  }
}

void CSelvarinFrame::UpdateMessageStart() {
  if (m_messageTick < 3) return;
  m_messageState = selvarinframemessage::kLayingOut;
  m_messageTick = 0;
  m_messagePos = 0;
  ClearMessageLines();
}

void CSelvarinFrame::UpdateMessageClosing() {
  if (m_messageTick <= 2) return;
  m_messageState = 0;
  m_messageTick = 0;
}

void CSelvarinFrame::UpdateFieldMessage() {
  switch (m_messageState) {
    case selvarinframemessage::kStarting:
      UpdateMessageStart();
      break;
    case selvarinframemessage::kLayingOut: {
      const std::string& text = m_messageText;
      const int limit = selvarinframemessage::LineLimit(m_pRC, !m_messageSpeaker.empty(), 580, 310);
      while (true) {
        const size_t pos = static_cast<size_t>(std::max(m_messagePos, 0));
        if (pos >= text.size()) {
          // A page that ends on its last line is shown whole before the end.
          const bool wasLast = m_messageLine == selvarinframemessage::kLastLine;
          ++m_messageLine;
          if (wasLast) {
            m_messageState = selvarinframemessage::kPageFull;
            m_messageTick = 0;
            return;
          }
          m_messagePos = 0;
          m_messageState = selvarinframemessage::kFinished;
          TellMessageListeners();
          break;
        }
        const bool wordStart = !selvarinframemessage::IsBlank(text[pos]) && (pos == 0 || selvarinframemessage::IsBlank(text[pos - 1]));
        if (wordStart && m_pRC != nullptr) {
          const std::string probe = m_messageLines[static_cast<size_t>(m_messageLine)] + selvarinframemessage::WordAt(text, pos);
          if (m_pRC->GetTextWidth(probe.c_str()) > limit) {
            if (m_messageLine >= selvarinframemessage::kLastLine) {
              m_messageTick = 0;
              m_messageState = selvarinframemessage::kPageFull;
              return;
            }
            ++m_messageLine;
          }
        }
        AppendMessageCharAt(pos);
        if (selvarinframemessage::ConfirmPressed()) m_messageFast = 1;
        if (m_messageFast == 0) break;
      }
      break;
    }
    case selvarinframemessage::kPageFull:
      if (m_messageTick >= 19) {
        ScrollMessageLines();
        ScrollMessageLines();
        m_messageState = selvarinframemessage::kLayingOut;
        m_messageLine = 2;
        m_messageTick = 0;
      }
      break;
    case selvarinframemessage::kClosing:
      UpdateMessageClosing();
      break;
    default:
      break;
  }
  ++m_messageTick;
}

// Each listener hears once: the pointers go before anyone runs a script, so
// that no later message resumes an old talk.
void CSelvarinFrame::TellMessageListeners() {
  CSelvarinActor* villager = m_pMessageVillager;
  C3dActor* model = m_pMessage3dActor;
  MapEvent* box = m_pMessageEvent;
  m_pMessageVillager = nullptr;
  m_pMessage3dActor = nullptr;
  m_pMessageEvent = nullptr;
  if (villager != nullptr) villager->OnMessage(nullptr, selvarinframemessage::kMessageClosed, 0, 0, 0);
  if (model != nullptr) model->OnMessage(nullptr, selvarinframemessage::kMessageClosed, 0, 0, 0);
  if (box != nullptr) box->RunRequested();
}

void CSelvarinFrame::UpdateBattleMessage() {
  switch (m_messageState) {
    case selvarinframemessage::kStarting:
      UpdateMessageStart();
      break;
    case selvarinframemessage::kLayingOut: {
      const std::string& text = m_messageText;
      const int limit = selvarinframemessage::LineLimit(m_pRC, !m_messageSpeaker.empty(), 570, 300);
      while (true) {
        const size_t pos = static_cast<size_t>(std::max(m_messagePos, 0));
        if (pos >= text.size()) {
          m_messageState = selvarinframemessage::kFinished;
          m_messagePos = 0;
          RunBattleEventScript(m_battleScriptLine);
          return;
        }
        AppendMessageCharAt(pos);
        const std::string& line = m_messageLines[static_cast<size_t>(m_messageLine)];
        if (m_pRC != nullptr && m_pRC->GetTextWidth(line.c_str()) > limit) {
          if (++m_messageLine > selvarinframemessage::kLastLine) {
            m_messageLine = selvarinframemessage::kLastLine;
            m_messageState = selvarinframemessage::kPageFull;
            m_messageTick = 0;
            return;
          }
        }
        if (selvarinframemessage::ConfirmPressed()) m_messageFast = 1;
        if (m_messageFast == 0) break;
      }
      break;
    }
    case selvarinframemessage::kPageFull:
      if (m_messageTick >= 10) {
        ScrollMessageLines();
        m_messageState = selvarinframemessage::kLayingOut;
        m_messageTick = 0;
      }
      break;
    case selvarinframemessage::kClosing:
      UpdateMessageClosing();
      break;
    default:
      break;
  }
  ++m_messageTick;
}
