#include "script/ScreenCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/CdAudio.h"
#include "engine/Tokenizer.h"
#include "engine/Wave.h"
#include "field/PlayerStart.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "script/ScriptArgs.h"
#include "session/ClockSeconds.h"

namespace {
namespace screencommands {

// The frame's pending screen actions.
enum ScreenAction : int32_t {
  kFadeIn = 3,
  kFadeOut = 4,
  kFaded = 5,
  kWhiteIn = 6,
  kWhiteOut = 7,
  kDarkScreen = 10,
  kRestoreScreen = 11,
};

constexpr int kRain = 1;
constexpr int kSnow = 2;
// More would only allocate without bound: a script's count is not trusted.
constexpr int32_t kMaxRainDrops = 1000;
constexpr int32_t kMaxSnowPerTick = 1000;
constexpr uint8_t kDefaultDarkness = 128;

// One channel of a colour: a larger number would spill into the next.
uint32_t Channel(const CTokenizer& tokens, int i) { return static_cast<uint32_t>(std::clamp(IntAt(tokens, i), 0, 255)); }

// 0xRRGGBB from three tokens starting at i.
uint32_t Colour(const CTokenizer& tokens, int i) {
  return Channel(tokens, i) << 16 | Channel(tokens, i + 1) << 8 | Channel(tokens, i + 2);
}

void StartAction(CSelvarinFrame* frame, int32_t action) {
  if (frame == nullptr) return;
  frame->m_transKind = action;
  frame->m_transStep = 0;
}

// A fade takes its colour from the line, black when it gives none.
void Fade(CSelvarinFrame* frame, const CTokenizer& tokens, int32_t action) {
  if (frame == nullptr) return;
  frame->m_transColor = tokens.GetCount() > 1 ? Colour(tokens, 1) : 0;
  StartAction(frame, action);
}

// The value of token i when the line reaches it, else the default.
int32_t IntOr(const CTokenizer& tokens, int i, int32_t fallback) { return Has(tokens, i) ? tokens.GetInt(i) : fallback; }

int32_t Capped(int32_t value, int32_t most, const char* what) {
  if (value <= most) return value;
  DebugLogf("setweather: %d %s, %d made", value, what, most);
  return most;
}

// A distance outside 0 to 100 is reported and used all the same.
void CheckFogDistance(int distance) {
  if (distance >= 0 && distance <= 100) return;
  DebugLog("거리는 0 부터 100 사이 입니다.");
  DebugLog("문법: setfog\t스위치   안개시작거리   안개끝거리\t알쥐비값");
}

}  // namespace screencommands
}  // namespace

void SetFog(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  CRC* rc = frame != nullptr ? frame->m_pRC : nullptr;
  if (IntAt(tokens, 1) == 0) {
    if (rc != nullptr) rc->SetFog(false);
    return;
  }
  screencommands::CheckFogDistance(IntAt(tokens, 2));
  screencommands::CheckFogDistance(IntAt(tokens, 3));
  FogSettings& fog = CRC::s_fogSettings;
  fog.start = static_cast<float>(IntAt(tokens, 2)) * 0.01f;
  fog.end = static_cast<float>(IntAt(tokens, 3)) * 0.01f;
  fog.density = 0.33f;
  fog.color = screencommands::Colour(tokens, 4);
  if (rc == nullptr) return;
  rc->SetFog(true);
  rc->ApplyFog();
}

// The HUD has room for so many points; the next are dropped.
void AddCompassPoint(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame == nullptr) return;
  if (frame->m_compassCount < 0 || frame->m_compassCount >= CSelvarinFrame::kCompassPoints) {
    DebugLogf("addcompasspoint: the compass holds %d points", CSelvarinFrame::kCompassPoints);
    return;
  }
  frame->m_compassPoints[static_cast<size_t>(frame->m_compassCount++)] =
      CompassPoint{IntAt(tokens, 2), IntAt(tokens, 3), TextAt(tokens, 1)};
}

void BeginTimeAttack(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  const int32_t now = GetClockSeconds();
  g_timeAttack.m_on = 1;
  g_timeAttack.m_current = now;
  g_timeAttack.m_limit = static_cast<int32_t>(
      std::clamp<int64_t>(int64_t{now} + IntAt(tokens, 1), INT32_MIN, INT32_MAX));
}

void EndTimeAttack(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { g_timeAttack = TimeAttack{}; }

void PlayAvi(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame != nullptr) frame->PlayAvi(TextAt(tokens, 1));
}

// Without the disc's drive nothing plays; the track playing now goes on
// without a restart.
void PlayCd(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  const int disc = IntAt(tokens, 1);
  if (FindGameDisc(disc)) PlayCdTrack(disc, IntAt(tokens, 2));
}

void StopCd(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { StopCdAudio(); }
void PlayWaveWord(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) { PlayWave(TextAt(tokens, 1).c_str()); }
void DisableCdReplay(CSelvarinFrame*, const CTokenizer&, CSelvarinActor*) { g_cdReplayOff = 1; }

// Only the facing the next party actors take; the player now is not turned.
void SetPlayerAngle(CSelvarinFrame*, const CTokenizer& tokens, CSelvarinActor*) {
  g_playerStart.heading = static_cast<float>(IntAt(tokens, 1));
}

// By remainder, so that a huge turn costs no more than a small one.
void AddPlayerAngle(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  const CSelvarinContext* context = frame != nullptr ? frame->GetContext() : nullptr;
  const CSelvarinActor* player = context != nullptr ? context->GetPlayer() : nullptr;
  if (player == nullptr) return;
  double heading = std::fmod(static_cast<double>(player->m_angle) + IntAt(tokens, 1), 360.0);
  if (heading < 0.0) heading += 360.0;
  if (heading >= 360.0) heading -= 360.0;
  g_playerStart.heading = static_cast<float>(heading);
}

void SetFaded(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) { screencommands::Fade(frame, tokens, screencommands::kFaded); }
void FadeOut(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) { screencommands::Fade(frame, tokens, screencommands::kFadeOut); }
void FadeIn(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) { screencommands::Fade(frame, tokens, screencommands::kFadeIn); }
void WhiteOut(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { screencommands::StartAction(frame, screencommands::kWhiteOut); }
void WhiteIn(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { screencommands::StartAction(frame, screencommands::kWhiteIn); }

// Kind 0 stops the weather and leaves the rain drops as they are.
void SetWeatherWord(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame == nullptr) return;
  const int kind = IntAt(tokens, 1);
  if (kind == screencommands::kRain) {
    frame->MakeRain(screencommands::Capped(screencommands::IntOr(tokens, 2, 50), screencommands::kMaxRainDrops, "rain drops"), screencommands::IntOr(tokens, 3, 8),
                    screencommands::IntOr(tokens, 4, 0), screencommands::IntOr(tokens, 5, 0));
  } else if (kind == screencommands::kSnow) {
    frame->m_snowAtCamera = 0;
    frame->m_snowPerTick = screencommands::Capped(screencommands::IntOr(tokens, 2, 5), screencommands::kMaxSnowPerTick, "snow flakes a tick");
    frame->m_snowSpeed = screencommands::IntOr(tokens, 3, 5);
  }
  frame->SetWeather(kind);
}

// Darkens from the level the last darkening aimed at.
void DarkScreen(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor*) {
  if (frame == nullptr) return;
  frame->m_transAlphaStart = frame->m_transAlphaTarget;
  frame->m_transAlphaTarget =
      tokens.GetCount() == 2 ? static_cast<uint8_t>(std::clamp(tokens.GetInt(1), 0, 255)) : screencommands::kDefaultDarkness;
  screencommands::StartAction(frame, screencommands::kDarkScreen);
}

void RestoreScreen(CSelvarinFrame* frame, const CTokenizer&, CSelvarinActor*) { screencommands::StartAction(frame, screencommands::kRestoreScreen); }
