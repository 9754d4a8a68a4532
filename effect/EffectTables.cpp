#include "effect/EffectTables.h"

#include <array>
#include <span>

namespace effect_tables {
namespace {
namespace effecttables {

// A value shared by the numbers first to last.
template <class T>
struct Span {
  EffectId first, last;
  T value;
};

template <class T, size_t N>
const T* FindIn(const Span<T> (&table)[N], EffectId id) {
  for (const Span<T>& span : table) {
    if (id >= span.first && id <= span.last) return &span.value;
  }
  return nullptr;
}

constexpr const char* kItemNames[kItemCount] = {
    "최루탄", "훈제연어", "수박", "감", "레몬", "레모네이드", "멜론", "바나나",
    "사과", "빵", "슈비카의열매", "체리", "배", "그레이프후르츠", "양다래", "망고",
    "파인애플", "복숭아", "딸기", "토마토", "포도", "오렌지", "땅콩", "치즈",
    "고우다치즈", "카망베르", "파마산치즈", "건포도", "곶감", "마르멜로", "바쿠스", "홍차",
    "녹차", "딸기쨈", "마멀레이드", "초코렛", "감자깡", "레이션", "샌드위치", "캬라멜",
    "건빵", "뉴란스", "진통제", "칼루아", "소주", "맥주", "포도주", "럼",
    "호박씨", "해바라기씨", "쿠키", "젤리", "애플파이", "치즈머핀", "초코칩쿠키", "샤브레",
    "아프리께느", "엿", "붕어빵", "막대사탕", "버섯", "무", "케이준후라이드", "로스트치킨",
    "돌멩이", "아크리스", "축제용폭죽", "부메랑", "다트", "우치네", "프란시스카", "챠크람",
    "수리검", "헐뱃", "키라수", "몽왕가", "볼라스", "철구", "성수", "목탁",
    "화염병", "최루탄", "독버섯", "몽기유", "십자석", "멘딩툴", "리페어키트", "54호해독제",
    "땅의비약", "물의비약", "바람의비약", "불의비약", "엘레멘탈챠저", "헬리오트로프", "힘의씨앗", "라벤더",
    "리바이브스톤", "모래시계", "비조어", "섬소", "세이지", "에릭서",
};

constexpr const char* kSpellNames[] = {"Ef_Spell1", "Ef_Spell2", "Ef_Spell3", "Ef_Spell4"};
constexpr const char* kShieldNames[] = {
    "나이트쉴드", "라운드쉴드", "라지쉴드", "랜턴쉴드", "레더쉴드", "무제의방패", "버클러", "샤먼의방패",
    "소드쉴드", "스큐텀", "아이기스", "아이언쉴드", "오더쉴드", "우든쉴드", "카오스쉴드", "카이트쉴드",
    "타워쉴드", "펠타쉴드", "포이즌가드", "폭동진압용방패", "하플론", "합판",
};
constexpr const char* kBowNames[] = {
    "각궁", "강노", "고리토스", "그레이트보우", "대우전", "롱보우", "루드라의활",
    "볼로그다", "사지타", "숏보우", "유엽전", "컴포지트보우", "크레센트",
};

// The rows of the definition table that are not all zero. A range either
// shares one name or takes one name per number from `names`.
struct RowRange {
  EffectId first, last;
  EffectRow row;
  std::span<const char* const> names = {};
};

const RowRange kDefinitionRanges[] = {
    {202, 206, {"", 100, 0.0f, 0, 0.0f}},
    {210, 210, {"접시-초록.tga", 70, 0.0f, 0, 0.0f}},
    {211, 212, {"", 200, 0.0f, 0, 0.0f}},
    {213, 214, {"", 100, 0.0f, 0, 0.0f}},
    {215, 215, {"", 1000, 0.0f, 0, 0.0f}},
    {216, 216, {"", 150, 2.5f, 0, 0.0f}},
    {217, 220, {"", 1000, 0.0f, 0, 0.0f}},
    {222, 222, {"Ef_Clay", 1000, 1.0f, 0, 20.0f}},
    {223, 223, {"", 250, 0.0f, 0, 0.0f}},
    {224, 225, {"", 200, 0.0f, 0, 20.0f}},
    {226, 226, {"", 200, 0.0f, 0, 0.0f}},
    {227, 227, {"접시-빨강.tga", 70, 0.0f, 0, 0.0f}},
    {228, 229, {"", 200, 0.0f, 0, 0.0f}},
    {230, 230, {"Ef_FireBall", 1000, 1.9f, 0, 20.0f}},
    {231, 231, {"", 1000, 0.0f, 0, 0.0f}},
    {232, 232, {"", 20, 0.0f, 0, 0.0f}},
    {233, 233, {"", 150, 0.0f, 0, 0.0f}},
    {234, 234, {"Ef_FireBat", 500, 2.0f, 0, 20.0f}},
    {235, 235, {"Ef_Phoenix", 500, 3.5f, 0, 5.0f}},
    {237, 237, {"Ef_Dragon", 500, 6.0f, 0, 5.0f}},
    {239, 239, {"", 500, 0.0f, 0, 0.0f}},
    {241, 241, {"접시-파랑.tga", 70, 0.0f, 0, 0.0f}},
    {242, 244, {"", 300, 0.0f, 0, 0.0f}},
    {245, 249, {"", 200, 0.0f, 0, 0.0f}},
    {250, 251, {"", 500, 0.0f, 0, 0.0f}},
    {253, 254, {"", 150, 0.0f, 0, 0.0f}},
    {255, 257, {"", 200, 0.0f, 0, 0.0f}},
    {258, 258, {"접시-노랑.tga", 70, 0.0f, 0, 0.0f}},
    {259, 259, {"", 200, 0.0f, 0, 0.0f}},
    {260, 261, {"", 300, 0.0f, 0, 0.0f}},
    {262, 262, {"", 200, 1.0f, 0, 0.0f}},
    {263, 263, {"", 200, 0.0f, 0, 0.0f}},
    {264, 264, {"", 70, 0.0f, 0, 0.0f}},
    {266, 266, {"", 200, 0.0f, 0, 0.0f}},
    {267, 267, {"Ef_WaterBall", 500, 1.0f, 0, 20.0f}},
    {268, 270, {"", 500, 0.0f, 0, 0.0f}},
    {1000, 1000, {"", 200, 0.0f, 0, 0.0f}},
    {1001, 1002, {"", 250, 0.0f, 0, 0.0f}},
    {1003, 1003, {"DragonHead", 500, 1.0f, 1, 5.0f}},
    {1004, 1004, {"DragonBody", 500, 0.8f, 1, 5.0f}},
    {1005, 1005, {"DragonHead", 1000, 2.0f, 1, 5.0f}},
    {1006, 1006, {"DragonBody", 1000, 1.8f, 1, 5.0f}},
    {1007, 1007, {"Ef_Particle3", 200, 1.0f, 1, 0.0f}},
    {1008, 1008, {"Ef_Particle2", 200, 1.0f, 1, 0.0f}},
    {1009, 1010, {"", 100, 0.0f, 0, 0.0f}},
    {1011, 1011, {"", 50, 0.0f, 0, 0.0f}},
    {1012, 1012, {"", 120, 0.0f, 0, 0.0f}},
    {1013, 1016, {"", 1000, 0.0f, 0, 0.0f}},
    {1017, 1017, {"", 50, 0.0f, 0, 0.0f}},
    {1018, 1018, {"Ef_Fire1", 100, 0.0f, 0, 0.0f}},
    {1019, 1019, {"Ef_Raiden1", 100, 0.0f, 0, 0.0f}},
    {1020, 1020, {"먼지", 100, 0.0f, 0, 0.0f}},
    {1021, 1021, {"스톱워치", 60, 2.0f, 1, 30.0f}},
    {1022, 1022, {"스턴상태", 80, 2.0f, 1, 30.0f}},
    {1023, 1023, {"Ef_Dust1", 80, 1.0f, 1, 0.0f}},
    {1024, 1024, {"Ef_SevenStar", 60, 0.8f, 1, 30.0f}},
    {1025, 1025, {"", 100, 0.0f, 0, 0.0f}},
    {1026, 1029, {"", 45, 0.0f, 3, 0.0f}, kSpellNames},
    {1030, 1030, {"Ef_Spell5", 45, 0.0f, 5, 0.0f}},
    {1031, 1052, {"", 50, 0.0f, 0, 0.0f}, kShieldNames},
    {1053, 1053, {"Ef_Spear", 100, 1.0f, 5, 20.0f}},
    {1054, 1055, {"", 20, 0.0f, 0, 0.0f}},
    {1056, 1068, {"", 1000, 1.0f, 5, 10.0f}, kBowNames},
    {1069, 1069, {"Ef_Phoenix", 10, 3.5f, 1, 5.0f}},
    {1070, 1070, {"DragonHead", 10, 1.0f, 1, 5.0f}},
    {1071, 1071, {"DragonBody", 10, 0.8f, 1, 5.0f}},
    {1072, 1072, {"DragonHead", 10, 2.0f, 1, 5.0f}},
    {1073, 1073, {"DragonBody", 10, 1.8f, 1, 5.0f}},
};

// Rows 5 to 9 are all zero.
const std::array<EffectRow, kMonsterRows> kMonsterRowsTable = {{
    {"몬스터\\괴물형\\전투\\페인로이드_레이져", 1000, 1.25f, 10, 20.0f},
    {"몬스터\\괴물형\\전투\\리치_특수2", 1000, 0.8f, 1, 20.0f},
    {"몬스터\\괴물형\\전투\\헐크_특수2", 60, 1.0f, 1, 20.0f},
    {"몬스터\\인간형\\전투\\베일댄서_특수2", 1000, 0.8f, 1, 20.0f},
    {"몬스터\\괴물형\\전투\\일렉트릭아머_레이져", 1000, 1.25f, 10, 20.0f},
}};

constexpr EffectId kFirstRowNumber = 202;
constexpr EffectId kFirstBattleNumber = 1000;
constexpr EffectId kBattleRowOffset = 900;  // battle number n is row n - 900
constexpr EffectId kFirstMonsterNumber = 2000;

int RowIndex(EffectId id) { return id >= kFirstBattleNumber ? id - kBattleRowOffset : id - kFirstRowNumber; }

// The 200 rows, zero where the ranges name nothing.
std::array<EffectRow, kDefinitionRows> BuildDefinitionTable() {
  std::array<EffectRow, kDefinitionRows> table{};
  for (const RowRange& range : kDefinitionRanges) {
    for (EffectId id = range.first; id <= range.last; ++id) {
      EffectRow& row = table[static_cast<size_t>(RowIndex(id))];
      row = range.row;
      if (!range.names.empty()) row.name = range.names[static_cast<size_t>(id - range.first)];
    }
  }
  return table;
}

const Span<EffectColour> kColours[] = {
    {210, 210, {30, 255, 30}},    {217, 217, {30, 255, 30}},    {215, 215, {255, 30, 30}},
    {227, 227, {255, 30, 30}},    {220, 220, {30, 30, 30}},     {241, 241, {125, 219, 255}},
    {258, 258, {236, 233, 174}},  {1013, 1013, {140, 52, 158}}, {1015, 1015, {140, 52, 158}},
    {1020, 1020, {140, 52, 158}}, {1014, 1014, {90, 90, 90}},
};

const Span<int32_t> kStrengths[] = {
    {213, 213, 1}, {1054, 1054, 1}, {214, 214, 10}, {223, 223, 10}, {1017, 1017, 10}, {1055, 1055, 10},
};

const Span<int32_t> kPieceCounts[] = {
    {228, 228, 1}, {248, 248, 1}, {259, 260, 1}, {262, 262, 1},
    {229, 229, 5}, {249, 249, 5}, {261, 261, 5}, {263, 263, 5}, {264, 264, 10},
};

const Span<bool> kDirectional[] = {
    {68, 68, true},       {234, 235, true},     {237, 237, true},     {1003, 1006, true},
    {1056, 1068, true},   {1069, 1073, true},   {2000, 2000, true},   {2004, 2004, true},
};

struct RandomScale {
  int32_t modulus, base;
};
const Span<RandomScale> kRandomScales[] = {{224, 224, {100, 30}}, {225, 225, {200, 130}}};

const Span<bool> kScreenAnchored[] = {
    {205, 205, true}, {226, 226, true}, {242, 244, true}, {252, 252, true}, {256, 256, true}, {1010, 1011, true},
};

const Span<CreationWave> kWaves[] = {
    {202, 202, {"타격1.wav", nullptr}},
    {203, 203, {"타격2.wav", nullptr}},
    {204, 204, {"졸라쎄게맞는소리.wav", nullptr}},
    {205, 205, {"공격_칼_단도소리.wav", nullptr}},
    {206, 206, {"방어.wav", nullptr}},
    {210, 210, {"마법시동1.wav", nullptr}},
    {227, 227, {"마법시동1.wav", nullptr}},
    {241, 241, {"마법시동1.wav", nullptr}},
    {258, 258, {"마법시동1.wav", nullptr}},
    {211, 212, {"기모음.wav", nullptr}},
    {253, 254, {"기모음.wav", nullptr}},
    {213, 214, {"지진소리.wav", nullptr}},
    {216, 216, {"땅에서 뭔가 폭팔하는 소리1.wav", nullptr}},
    {231, 231, {"불공올라옴.wav", nullptr}},
    {232, 232, {"불떨어지는소리4.wav", nullptr}},
    {239, 239, {"불떨어지는소리5.wav", nullptr}},
    {250, 250, {"비.wav", nullptr}},
    {251, 251, {"눈보라2.wav", nullptr}},
    {252, 252, {"방어력올라가는소리.wav", nullptr}},
    {259, 259, {"플라즈마3.wav", nullptr}},
    {263, 264, {"플라즈마3.wav", nullptr}},
    {1019, 1019, {"플라즈마3.wav", nullptr}},
    {269, 270, {"심한바람.wav", nullptr}},
    {1011, 1011, {"빛이모이는소리.wav", nullptr}},
    {1012, 1012, {"마법시동2.wav", nullptr}},
    {1018, 1018, {"화염계로맞았을때2.wav", nullptr}},
    {1025, 1025, {"이동_끼에엑.wav", nullptr}},
    {1031, 1052, {"방어_단단한물건2.wav", "방어_둔탁한물건.wav"}},
};

}  // namespace effecttables
}  // namespace

const char* ItemName(EffectId id) {
  return id >= 0 && id < kItemCount ? effecttables::kItemNames[id] : nullptr;
}

const EffectRow* FindRow(EffectId id) {
  static const std::array<EffectRow, kDefinitionRows> definitions = effecttables::BuildDefinitionTable();
  if ((id >= effecttables::kFirstRowNumber && id < effecttables::kFirstRowNumber + 100) ||
      (id >= effecttables::kFirstBattleNumber && id < effecttables::kFirstBattleNumber + 100)) {
    return &definitions[static_cast<size_t>(effecttables::RowIndex(id))];
  }
  if (id >= effecttables::kFirstMonsterNumber && id < effecttables::kFirstMonsterNumber + kMonsterRows) {
    return &effecttables::kMonsterRowsTable[static_cast<size_t>(id - effecttables::kFirstMonsterNumber)];
  }
  return nullptr;
}

const EffectColour* FindColour(EffectId id) { return effecttables::FindIn(effecttables::kColours, id); }

bool FindStrength(EffectId id, int32_t* strength) {
  const int32_t* value = effecttables::FindIn(effecttables::kStrengths, id);
  if (value != nullptr) *strength = *value;
  return value != nullptr;
}

bool FindPieceCount(EffectId id, int32_t* count) {
  const int32_t* value = effecttables::FindIn(effecttables::kPieceCounts, id);
  if (value != nullptr) *count = *value;
  return value != nullptr;
}

bool IsDirectional(EffectId id) { return effecttables::FindIn(effecttables::kDirectional, id) != nullptr; }

bool IsStillSprite(EffectId id) { return id >= 1069 && id <= 1073; }

bool HasRaisedStartPoint(EffectId id) { return id == 228 || id == 229; }

bool FindRandomScale(EffectId id, int32_t* modulus, int32_t* base) {
  const effecttables::RandomScale* value = effecttables::FindIn(effecttables::kRandomScales, id);
  if (value == nullptr) return false;
  *modulus = value->modulus;
  *base = value->base;
  return true;
}

bool IsScreenAnchored(EffectId id) { return effecttables::FindIn(effecttables::kScreenAnchored, id) != nullptr; }

const CreationWave* FindCreationWave(EffectId id) { return effecttables::FindIn(effecttables::kWaves, id); }

}  // namespace effect_tables
