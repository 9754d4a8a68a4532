#include "battle/BattleItem.h"

#include <algorithm>
#include <string>

#include "battle/HitCarrier.h"
#include "engine/Wave.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {
namespace battleitem {

constexpr const char* kFlySound = "던지는아이템날아가는소리.wav";
constexpr const char* kHitSound = "던지는아이템맞았을때소리.wav";
constexpr float kLobRise = -2.3f;
constexpr float kBounce = -0.5f;
constexpr float kLobGravity = 0.55f;
constexpr float kArrivalSteps = 5.0f;

// The names that choose the flight codes, in code order. The table's own
// labels differ at a few codes and are never matched.
constexpr std::array<const char*, CBattleItem::kFlightCount> kFlightNames{{
    "돌멩이", "아크리스", "축제용폭죽", "부메랑", "다트", "우치네", "프란시스카", "챠크람", "수리검", "헐뱃", "키라수", "몽왕가", "울라스", "철구", "성수",
    "목탁", "화염병", "최루탄", "독버섯", "몽기유", "십자석", "뮬라스", "훈제연어", "수박", "감", "레몬", "레모네이드", "멜론", "바나나", "사과", "빵",
    "슈비카의열매", "체리", "배", "그레이프후르츠", "양다래", "망고", "파인애플", "복숭아", "딸기", "토마토", "포도", "오렌지", "땅콩", "치즈", "고우다치즈",
    "카망베르", "파마산치즈", "건포도", "곶감", "마르멜로", "바쿠스", "홍차", "녹차", "딸기쨈", "마멀레이드", "초코렛", "감자깡", "레이션", "샌드위치",
    "캬라멜", "건빵", "뉴란스", "진통제", "칼루아", "소주", "맥주", "포도주", "럼", "호박씨", "해바라기씨", "쿠키", "젤리", "애플파이", "치즈머핀",
    "초코칩쿠키", "샤브레", "아프리께느", "엿", "붕어빵", "막대사탕", "버섯", "무", "케이준후라이드", "로스트치킨", "멘딩툴", "리페어키트", "54호해독제",
    "땅의비약", "물의비약", "바람의비약", "엘레멘탈챠저", "헬리오트로프", "힘의씨앗", "불의비약", "라벤더", "리바이브스톤", "모래시계", "비조어", "섬소", "세이지",
    "에릭서",
}};

}  // namespace battleitem
}  // namespace

const std::array<CBattleItem::FlightRow, CBattleItem::kFlightCount> CBattleItem::kFlights{{
    {"돌멩이", 64, 1, 43.0f},  // 0
    {"아크리스", 65, 0, 2.5f},  // 1
    {"축제용_폭죽", 66, 1, 43.0f},  // 2
    {"부메랑", 67, 0, 2.5f},  // 3
    {"다트", 68, 0, 2.5f},  // 4
    {"우치네", 69, 0, 2.5f},  // 5
    {"프란시스카", 70, 0, 2.5f},  // 6
    {"챠크람", 71, 0, 2.5f},  // 7
    {"수리검", 72, 0, 2.5f},  // 8
    {"헐뱃", 73, 0, 2.5f},  // 9
    {"키라수", 74, 0, 2.5f},  // 10
    {"몽왕가", 75, 0, 2.5f},  // 11
    {"울라스", 76, 0, 2.5f},  // 12
    {"철구", 77, 1, 43.0f},  // 13
    {"성수", 78, 1, 43.0f},  // 14
    {"목탁", 79, 1, 43.0f},  // 15
    {"화염병", 80, 1, 43.0f},  // 16
    {"최루탄", 81, 1, 43.0f},  // 17
    {"독버섯", 82, 0, 2.5f},  // 18
    {"몽기유", 83, 1, 43.0f},  // 19
    {"십자석", 84, 0, 2.5f},  // 20
    {"뮬라스", 0, 0, 2.5f},  // 21
    {"훈제연어", 1, 1, 43.0f},  // 22
    {"수박", 2, 1, 43.0f},  // 23
    {"감", 3, 1, 43.0f},  // 24
    {"레몬", 4, 1, 43.0f},  // 25
    {"레모네이드", 5, 1, 43.0f},  // 26
    {"멜론", 6, 1, 43.0f},  // 27
    {"바나나", 7, 1, 43.0f},  // 28
    {"사과", 8, 1, 43.0f},  // 29
    {"빵", 9, 1, 43.0f},  // 30
    {"슈비카의열매", 10, 1, 43.0f},  // 31
    {"체리", 11, 1, 43.0f},  // 32
    {"배", 12, 1, 43.0f},  // 33
    {"그레이프후르츠", 13, 1, 43.0f},  // 34
    {"양다래", 14, 1, 43.0f},  // 35
    {"망고", 15, 1, 43.0f},  // 36
    {"파인애플", 16, 1, 43.0f},  // 37
    {"복숭아", 17, 1, 43.0f},  // 38
    {"딸기", 18, 1, 43.0f},  // 39
    {"토마토", 19, 1, 43.0f},  // 40
    {"포도", 20, 1, 43.0f},  // 41
    {"오렌지", 21, 1, 43.0f},  // 42
    {"땅콩", 22, 1, 43.0f},  // 43
    {"치즈", 23, 1, 43.0f},  // 44
    {"고우다치즈", 24, 1, 43.0f},  // 45
    {"카망베르", 25, 1, 43.0f},  // 46
    {"파마산치즈", 26, 1, 43.0f},  // 47
    {"건포도", 27, 1, 43.0f},  // 48
    {"곶감", 28, 1, 43.0f},  // 49
    {"마르멜로", 29, 1, 43.0f},  // 50
    {"바쿠스", 30, 1, 43.0f},  // 51
    {"홍차", 31, 1, 43.0f},  // 52
    {"녹차", 32, 1, 43.0f},  // 53
    {"딸기쨈", 33, 1, 43.0f},  // 54
    {"마멀레이드", 34, 1, 43.0f},  // 55
    {"초코렛", 35, 1, 43.0f},  // 56
    {"감자깡", 36, 1, 43.0f},  // 57
    {"레이션", 37, 1, 43.0f},  // 58
    {"샌드위치", 38, 1, 43.0f},  // 59
    {"캬라멜", 39, 1, 43.0f},  // 60
    {"건빵", 40, 1, 43.0f},  // 61
    {"뉴란스", 41, 1, 43.0f},  // 62
    {"진통제", 42, 1, 43.0f},  // 63
    {"칼루아", 43, 1, 43.0f},  // 64
    {"소주", 44, 1, 43.0f},  // 65
    {"맥주", 45, 1, 43.0f},  // 66
    {"포도주", 46, 1, 43.0f},  // 67
    {"럼", 47, 1, 43.0f},  // 68
    {"호박씨", 48, 1, 43.0f},  // 69
    {"해바라기씨", 49, 1, 43.0f},  // 70
    {"쿠키", 50, 1, 43.0f},  // 71
    {"젤리", 51, 1, 43.0f},  // 72
    {"애플파이", 52, 1, 43.0f},  // 73
    {"치즈머핀", 53, 1, 43.0f},  // 74
    {"쵸코칩쿠키", 54, 1, 43.0f},  // 75
    {"사브레", 55, 1, 43.0f},  // 76
    {"아프리께느", 56, 1, 43.0f},  // 77
    {"엿", 57, 1, 43.0f},  // 78
    {"붕어빵", 58, 1, 43.0f},  // 79
    {"막대사탕", 59, 1, 43.0f},  // 80
    {"버섯", 60, 1, 43.0f},  // 81
    {"무", 61, 1, 43.0f},  // 82
    {"케이준후라이드", 62, 1, 43.0f},  // 83
    {"로스트치킨", 63, 1, 43.0f},  // 84
    {"멘딩툴", 85, 1, 43.0f},  // 85
    {"리페어키트", 86, 1, 43.0f},  // 86
    {"54호해독제", 87, 1, 43.0f},  // 87
    {"땅의비약", 88, 1, 43.0f},  // 88
    {"물의비약", 89, 1, 43.0f},  // 89
    {"바람의비약", 90, 1, 43.0f},  // 90
    {"엘레멘탈챠저", 92, 1, 43.0f},  // 91
    {"헬리오트로프", 93, 1, 43.0f},  // 92
    {"힘의씨앗", 94, 1, 43.0f},  // 93
    {"불의비약", 91, 1, 43.0f},  // 94
    {"라벤더", 95, 1, 43.0f},  // 95
    {"리바이브스톤", 96, 1, 43.0f},  // 96
    {"모래시계", 97, 1, 43.0f},  // 97
    {"비조어", 98, 1, 43.0f},  // 98
    {"섬소", 99, 1, 43.0f},  // 99
    {"세이지", 100, 1, 43.0f},  // 100
    {"에릭서", 101, 1, 43.0f},  // 101
}};

int32_t CBattleItem::FlightCodeOf(const std::string& name) {
  const auto found = std::find_if(battleitem::kFlightNames.begin(), battleitem::kFlightNames.end(), [&](const char* n) { return name == n; });
  return found != battleitem::kFlightNames.end() ? static_cast<int32_t>(found - battleitem::kFlightNames.begin()) : kUnknownFlight;
}

CBattleItem::CBattleItem() {
  m_screenX = 320;
  m_screenY = 240;
}

void CBattleItem::Init(CSelvarinActor* user, CSelvarinActor* target, int32_t item) {
  BindCarrier(*this, user, target);
  m_itemIndex = item;
  const CItemMgr& items = CItemMgr::GetInstance();
  m_flightCode = item >= 0 && item < items.GetCount() ? FlightCodeOf(items.GetItem(item)->name) : kUnknownFlight;
}

void CBattleItem::TakeOff(const CSelvarinActor& target, const FlightRow& row) {
  PlayWave(battleitem::kFlySound);
  SpawnEffect(row.effect);
  if (row.lobbed == 0) {
    m_speed = row.value;
    return;
  }
  m_speed = target.DistanceXZ(m_pos.x, m_pos.z) / row.value;
  m_velocity.y = battleitem::kLobRise;
  m_inAir = 1;
}

bool CBattleItem::OnProcess() {
  CSession& session = CSession::GetInstance();
  const CSelvarinActor* user = session.GetBattleActor(m_userId, m_userIsParty == 1);
  const CSelvarinActor* target = FindCarrierTarget(m_targetId, m_targetIsParty, m_viaDecoy);
  if (user == nullptr || target == nullptr) return false;
  m_screenX = user->m_screenX;
  m_screenY = user->m_screenY;
  const FlightRow& row = kFlights[static_cast<size_t>(std::clamp(m_flightCode, 0, kFlightCount - 1))];
  if (m_tickCount == 0) TakeOff(*target, row);
  if (row.lobbed != 0 && m_inAir == 0) {
    m_inAir = 1;
    m_velocity.y *= battleitem::kBounce;
  }
  StepCarrierToward(*this, *target);
  if (row.lobbed != 0) ApplyGravity(battleitem::kLobGravity);
  const float d = target->Distance3d(m_pos.x, m_pos.y, m_pos.z);
  if (d <= battleitem::kArrivalSteps * m_speed || m_tickCount >= kLastTick) {
    PlayWave(battleitem::kHitSound);
    // An item that flew at a decoy is spent on it.
    session.ResolveItemUse(m_userId, m_userIsParty == 1, m_targetId, m_targetIsParty == 1, m_itemIndex, this, m_viaDecoy);
    return false;
  }
  ++m_tickCount;
  return true;
}

void CBattleItem::OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) {
  AnswerCarrierMessage(*this, sender, code, value0, value1, value2);
}
