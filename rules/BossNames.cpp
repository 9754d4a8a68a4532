// The enemies that instant death, level drain, area clouds and the ordinary
// enemies' tactics leave alone.
#include <array>
#include <string_view>

#include "session/Session.h"

namespace {

constexpr std::array<std::string_view, 48> kBossNames = {
    "베루낙",        "오브렐_팀베인", "그랑데",        "브레단_홀로우", "아비터스_헤리티지_두목",
    "톨미르_베스카로", "울름가드",      "펠리온_드렉",   "코렌_몰트비",   "쿠오라_벨링",
    "아론_에밀",     "쿠스코_에밀",   "이르사_볼메이", "베어먼",        "도른_케시_아탈",
    "노인1",         "노인2",         "노인3",         "노인4",         "노인5",
    "노인6",         "레이그란츠",    "윈드엘레멘탈",  "워터엘레멘탈",  "어스엘레멘탈",
    "화이어엘레멘탈", "고문관1",       "고문관2",       "고문관3",       "고문관4",
    "늑대인간",      "괴물거북",      "가디안",        "메시아",        "비요른1",
    "비요른2",       "비요른3",       "비홀더",        "가고일",        "스핑크스",
    "지네",          "황충",          "티아마스",      "사도_칼",       "사도_창",
    "유령기사_창",   "유령기사_칼",   "제노사",
};

}  // namespace

bool CSession::IsBossEnemy(int slot) const {
  if (slot < 0 || slot >= kMaxEnemies) return false;
  const std::string& name = enemies[static_cast<size_t>(slot)].name;
  for (std::string_view boss : kBossNames) {
    if (name == boss) return true;
  }
  return false;
}
