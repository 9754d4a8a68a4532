#include "ui/UILoadMode.h"

#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UISaveBox.h"

namespace {

constexpr int kLoadConfirmed = 25;
constexpr int kLoading = 31;

}  // namespace

void UILoadListPanel::AskFirst() {
  if (SelectedSlot() < 0) {
    ShowScreenMessage("선택된 GAME이 없습니다");
  } else {
    ShowScreenMessage("이 GAME을 읽겠습니까?", true, this, kLoadConfirmed);
  }
}

void UILoadListPanel::DoFirst(int confirmed) {
  if (confirmed != kLoadConfirmed) return;
  m_saves.Select(SelectedSlot());
  if (!m_saves.Load()) {
    ShowScreenMessage("잘못된 형식의 세이브 파일입니다");
    return;
  }
  NotifyParent(kLoading, 0, 0);
  UIDesktop::Close();
  CSession::GetInstance().EnterSavedPlace();
}

UILoadMode::UILoadMode() : UISaveMode(new UILoadInfoPanel, new UILoadListPanel) {}
