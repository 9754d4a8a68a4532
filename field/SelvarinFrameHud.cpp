// The message window, the HUD and the weather as the field tick calls them.
// Their steps and drawing are still to come; until then a message stays as
// the scripts leave it and nothing is drawn over the scene.
#include "field/SelvarinFrame.h"

void CSelvarinFrame::UpdateFieldMessage() {}
void CSelvarinFrame::TickCaptionTimer() {}
int CSelvarinFrame::TickHudTimers() { return m_overlayState; }
void CSelvarinFrame::UpdateWeather() {}
void CSelvarinFrame::DrawWeather(CRC&) {}
void CSelvarinFrame::DrawDebugOverlay() {}
void CSelvarinFrame::DrawScreenOverlay() {}
void CSelvarinFrame::DrawFieldHud() {}
void CSelvarinFrame::DrawHudCaptions() {}
void CSelvarinFrame::DrawLcdHud() {}

bool CSelvarinFrame::IsHudActive() const {
  if (m_overlayState > 0 || m_captionTimer > 0 || !m_speechCaptions.empty() || m_messagePending != 0) return true;
  for (const int32_t timer : m_captionTimers) {
    if (timer > 0) return true;
  }
  return (m_messageState >= 2 && m_messageState != 4) || m_choiceCount > 0 || m_compassOn != 0;
}
