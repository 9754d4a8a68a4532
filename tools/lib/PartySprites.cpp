#include "tools/lib/PartySprites.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>
#include <sstream>

#include "tools/lib/SpriteSource.h"

namespace slvtools {
namespace {

constexpr int kWidth = 10;   // drawn at twice this size
constexpr int kHeight = 20;
constexpr int kScale = 2;

using Grid = std::array<std::string, kHeight>;

// The eight directions as the sprite actor counts them: from the back
// turned left (0) round the left side to the front (3), then the right
// side, mirrored, back to the back (7).
enum class View { kBack, kBackSide, kSide, kFrontSide, kFront };
struct Direction {
  View view;
  bool mirrored;
};
constexpr Direction kDirections[8] = {{View::kBackSide, false}, {View::kSide, false},      {View::kFrontSide, false},
                                      {View::kFront, false},    {View::kFrontSide, true},  {View::kSide, true},
                                      {View::kBackSide, true},  {View::kBack, false}};

// The walk cycle: how far the left leg and the right arm swing forward.
constexpr int kSwing[8] = {0, 1, 2, 1, 0, -1, -2, -1};

Grid Blank() {
  Grid g;
  g.fill(std::string(kWidth, '.'));
  return g;
}

void Put(Grid& g, int x, int y, char c) {
  if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) g[static_cast<size_t>(y)][static_cast<size_t>(x)] = c;
}

void Fill(Grid& g, int x0, int y0, int x1, int y1, char c) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) Put(g, x, y, c);
  }
}

// Hair, face and eyes as the view shows them; `shift` turns the head.
void DrawHead(Grid& g, View view, int shift) {
  const int x = 2 + shift;
  Fill(g, x + 1, 0, x + 4, 0, 'H');
  Fill(g, x, 1, x + 5, 1, 'H');
  Fill(g, x, 2, x + 5, 5, 'S');
  switch (view) {
    case View::kBack:
      Fill(g, x, 2, x + 5, 4, 'H');
      break;
    case View::kBackSide:
      Fill(g, x + 1, 2, x + 5, 4, 'H');
      break;
    case View::kSide:
      Fill(g, x + 3, 2, x + 5, 4, 'H');
      Put(g, x + 1, 3, 'E');
      break;
    case View::kFrontSide:
      Put(g, x + 5, 2, 'H');
      Put(g, x + 5, 3, 'H');
      Put(g, x + 1, 3, 'E');
      Put(g, x + 3, 3, 'E');
      break;
    case View::kFront:
      Put(g, x, 2, 'H');
      Put(g, x + 5, 2, 'H');
      Put(g, x + 1, 3, 'E');
      Put(g, x + 4, 3, 'E');
      Fill(g, x + 2, 5, x + 3, 5, 'M');
      break;
  }
}

// The tunic with its belt, the arms (hands `leftDrop` and `rightDrop`
// rows lower or higher), the legs (each raised by its lift).
void DrawBody(Grid& g, int leftArm, int rightArm, int leftLift, int rightLift, int legSpread) {
  Fill(g, 2, 6, 7, 12, 'B');
  Fill(g, 2, 10, 7, 10, 'D');
  Fill(g, 1, 6, 1, 9 + leftArm, 'B');
  Put(g, 1, 10 + leftArm, 'S');
  Fill(g, 8, 6, 8, 9 + rightArm, 'B');
  Put(g, 8, 10 + rightArm, 'S');
  Fill(g, 3 - legSpread, 13, 4 - legSpread, 17 - leftLift, 'L');
  Fill(g, 3 - legSpread, 18 - leftLift, 4 - legSpread, 18 - leftLift, 'F');
  Fill(g, 5 + legSpread, 13, 6 + legSpread, 17 - rightLift, 'L');
  Fill(g, 5 + legSpread, 18 - rightLift, 6 + legSpread, 18 - rightLift, 'F');
}

void Mirror(Grid& g) {
  for (std::string& row : g) row.assign(row.rbegin(), row.rend());
}

Grid Standing(const Direction& d, int pose) {
  constexpr int kHeadTurn[5] = {0, -1, -2, 1, 2};
  Grid g = Blank();
  DrawBody(g, 0, 0, 0, 0, 0);
  DrawHead(g, d.view, kHeadTurn[pose]);
  if (d.mirrored) Mirror(g);
  return g;
}

Grid Walking(const Direction& d, int frame, int headTurn) {
  const int swing = kSwing[frame];
  Grid g = Blank();
  DrawBody(g, -swing, swing, swing > 0 ? swing : 0, swing < 0 ? -swing : 0, 0);
  DrawHead(g, d.view, headTurn);
  if (d.mirrored) Mirror(g);
  return g;
}

Grid Falling(const Direction& d, int frame) {
  Grid g = Blank();
  if (frame == 0) {
    DrawBody(g, -3, -3, 1, 1, 0);
  } else if (frame == 1) {
    DrawBody(g, -2, -2, 0, 0, 0);
  } else {
    DrawBody(g, -4, -4, 0, 0, 1);
  }
  DrawHead(g, d.view, 0);
  if (d.mirrored) Mirror(g);
  return g;
}

// The figure on its back: the front view turned a quarter.
std::vector<std::string> Lying(const Direction& d) {
  const Grid upright = Standing(d, 0);
  std::vector<std::string> rows(kWidth, std::string(kHeight, '.'));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      rows[static_cast<size_t>(x)][static_cast<size_t>(kHeight - 1 - y)] = upright[static_cast<size_t>(y)][static_cast<size_t>(x)];
    }
  }
  return rows;
}

template <class Rows>
void WriteImage(std::ostringstream& out, const std::string& name, const Rows& g) {
  out << "image " << name << "\n";
  for (const std::string& row : g) {
    std::string wide;
    for (char c : row) wide.append(kScale, c);
    for (int k = 0; k < kScale; ++k) out << wide << "\n";
  }
  out << "end\n";
}

void WriteColour(std::ostringstream& out, char c, const int rgb[3]) {
  out << "color " << c << ' ' << rgb[0] << ' ' << rgb[1] << ' ' << rgb[2] << "\n";
}

void WriteColours(std::ostringstream& out, const PartyColours& colours) {
  WriteColour(out, 'H', colours.hair);
  const int skin[3] = {236, 196, 160}, eye[3] = {20, 20, 30}, mouth[3] = {170, 70, 60};
  WriteColour(out, 'S', skin);
  WriteColour(out, 'E', eye);
  WriteColour(out, 'M', mouth);
  WriteColour(out, 'B', colours.tunic);
  const int belt[3] = {colours.tunic[0] / 2, colours.tunic[1] / 2, colours.tunic[2] / 2};
  WriteColour(out, 'D', belt);
  const int legs[3] = {60, 50, 80}, feet[3] = {70, 50, 40};
  WriteColour(out, 'L', legs);
  WriteColour(out, 'F', feet);
}

}  // namespace

std::string PartySpriteSource(const PartyColours& colours) {
  std::ostringstream out;
  out << "# A party member drawn by program.\n";
  WriteColours(out, colours);

  // Action base + direction, one image per frame.
  struct Base {
    int first;
    int frames;
  };
  constexpr Base kBases[] = {{0, 5}, {8, 8}, {16, 8}, {24, 8}, {32, 3}};
  std::ostringstream actions;
  for (const Base& base : kBases) {
    for (int dir = 0; dir < 8; ++dir) {
      actions << "action " << base.first + dir << "\n";
      for (int f = 0; f < base.frames; ++f) {
        const Direction& d = kDirections[dir];
        Grid g;
        if (base.first == 0) g = Standing(d, f);
        if (base.first == 8) g = Walking(d, f, 0);
        if (base.first == 16) g = Walking(d, f, -1);
        if (base.first == 24) g = Walking(d, f, 1);
        if (base.first == 32) g = Falling(d, f);
        const std::string name = "a" + std::to_string(base.first + dir) + "f" + std::to_string(f);
        WriteImage(out, name, g);
        actions << "motion\nlayer " << name << ' ' << -kWidth * kScale / 2 << ' ' << -kHeight * kScale << "\n";
      }
    }
  }
  out << actions.str();
  return out.str();
}

namespace {


// The frames of the battle sheet's twenty groups, as letters: S standing,
// T standing with the head turned, W walking, U arms up, M mid-air, D
// coming down, L lying; a "!" after a frame makes it the group's hit frame.
// No hit frame is a group's last: a held last frame would strike again.
constexpr std::string_view kBattleGroups[20] = {
    "ST",   "WWWW", "SUW!S", "DM", "MS", "DD", "SS", "US!S", "UM", "DL",
    "DM",   "DL",   "TT",    "UD", "DL", "LL", "LL", "LL",  "LM", "MS",
};

}  // namespace

std::string PartySheetSource(const PartyColours& colours, std::span<const std::string_view> groups) {
  std::ostringstream out;
  out << "# A party member's battle sheet drawn by program.\n";
  WriteColours(out, colours);
  std::ostringstream actions;
  int image = 0;
  for (size_t group = 0; group < groups.size(); ++group) {
    for (int facing = 0; facing < 4; ++facing) {
      actions << "action " << group * 4 + facing << "\n";
      const Direction& d = kDirections[facing * 2 + 1];
      const std::string_view frames = groups[group];
      for (size_t f = 0; f < frames.size(); ++f) {
        if (frames[f] == '!') continue;
        const bool hit = f + 1 < frames.size() && frames[f + 1] == '!';
        const std::string name = "b" + std::to_string(image++);
        if (frames[f] == 'L') {
          WriteImage(out, name, Lying(d));
          actions << "motion" << (hit ? " attacktime.atk" : "") << "\nlayer " << name << ' ' << -kHeight * kScale / 2
                  << ' ' << -kWidth * kScale << "\n";
          continue;
        }
        Grid g;
        switch (frames[f]) {
          case 'T': g = Standing(d, 3); break;
          case 'W': g = Walking(d, static_cast<int>(f) * 2, 0); break;
          case 'U': g = Falling(d, 0); break;
          case 'M': g = Falling(d, 1); break;
          case 'D': g = Falling(d, 2); break;
          default: g = Standing(d, 0); break;
        }
        WriteImage(out, name, g);
        actions << "motion" << (hit ? " attacktime.atk" : "") << "\nlayer " << name << ' ' << -kWidth * kScale / 2
                << ' ' << -kHeight * kScale << "\n";
      }
    }
  }
  out << actions.str();
  return out.str();
}

std::string PartyBattleSpriteSource(const PartyColours& colours) { return PartySheetSource(colours, kBattleGroups); }

std::string PartyVictorySpriteSource(const PartyColours& colours, int variant) {
  std::ostringstream out;
  out << "# A party member's victory pose drawn by program.\n";
  WriteColours(out, colours);
  const Direction& front = kDirections[3];
  // The first variant throws both arms up; the second looks round first.
  const Grid frames[2][4] = {{Standing(front, 0), Falling(front, 1), Falling(front, 0), Falling(front, 2)},
                             {Standing(front, 0), Standing(front, 3), Standing(front, 4), Falling(front, 2)}};
  std::ostringstream actions;
  actions << "action 0\n";
  for (int f = 0; f < 4; ++f) {
    const std::string name = "v" + std::to_string(f);
    WriteImage(out, name, frames[variant == 2 ? 1 : 0][f]);
    actions << "motion\nlayer " << name << ' ' << -kWidth * kScale / 2 << ' ' << -kHeight * kScale << "\n";
  }
  out << actions.str();
  return out.str();
}

bool BuildPartySprites(std::vector<DataFile>* out, std::string* error) {
  struct Member {
    const char* name;
    PartyColours colours;
    const char* poses[2];  // the victory pose sheets of variants 1 and 2
    const char* move;      // the special move's sheet
    std::span<const std::string_view> moveGroups;
    std::span<const char* const> weapons;  // the weapon pictures its battle sheet goes by
  };
  // Sizz gathers (group 0) and casts (group 1); Kreutzer's lotus strikes
  // four times; Maria runs in (group 0) and throws six quick blows.
  static constexpr std::string_view kSpell[] = {"SSUUU", "UUMD"};
  static constexpr std::string_view kLotus[] = {"SUMD!SUMD!SUMD!SUMD!S", "WWWW"};
  static constexpr std::string_view kRisingBlow[] = {"WWWW", "SUMD!SUMD!SUMD!SUMD!SUMD!SUMD!S"};
  // Celine draws and looses high (the hit frame), her arrows falling after.
  static constexpr std::string_view kArrowShower[] = {"SUU!MS"};
  // The sample's wand and swords; Celine's long bow (and the short bow
  // she holds when she holds nothing).
  static constexpr const char* kWandsAndSwords[] = {"_완드", "_검"};
  static constexpr const char* kBows[] = {"_강한활", "_보통활"};
  const Member members[] = {
      {"sizz", {{56, 140, 92}, {226, 196, 90}}, {"시즈1_1", "시즈1_2"}, "마법_시즈1", kSpell, kWandsAndSwords},
      {"kreutzer", {{178, 52, 48}, {96, 60, 30}}, {"크로이체르_1", nullptr}, "연화설", kLotus, kWandsAndSwords},
      {"maria", {{72, 96, 184}, {58, 36, 30}}, {"마리아1_1", "마리아1_2"}, "승박_마리아1", kRisingBlow, kWandsAndSwords},
      {"celine", {{214, 150, 40}, {150, 60, 40}}, {"셀린_1", nullptr}, "애로우샤워", kArrowShower, kBows}};
  for (const Member& m : members) {
    BuiltSprite built;
    if (!BuildSpriteSource(PartySpriteSource(m.colours), &built, error)) return false;
    out->push_back(DataFile{std::string("sprite\\") + m.name + ".spr", built.spr});
    out->push_back(DataFile{std::string("sprite\\") + m.name + ".act", built.act});
    // The same figure walks into a battle.
    out->push_back(DataFile{std::string("sprite\\주연급\\필드\\") + m.name + ".spr", built.spr});
    out->push_back(DataFile{std::string("sprite\\주연급\\필드\\") + m.name + ".act", built.act});
    BuiltSprite battle;
    if (!BuildSpriteSource(PartyBattleSpriteSource(m.colours), &battle, error)) return false;
    // The sheet goes by the weapon's picture.
    for (const char* weapon : m.weapons) {
      const std::string stem = std::string("sprite\\주연급\\전투\\기본형\\") + m.name + "_기본전투" + weapon;
      out->push_back(DataFile{stem + ".spr", battle.spr});
      out->push_back(DataFile{stem + ".act", battle.act});
    }
    BuiltSprite move;
    if (!BuildSpriteSource(PartySheetSource(m.colours, m.moveGroups), &move, error)) return false;
    const std::string moveStem = std::string("sprite\\주연급\\전투\\특수동작\\") + m.move;
    out->push_back(DataFile{moveStem + ".spr", move.spr});
    out->push_back(DataFile{moveStem + ".act", move.act});
    for (int variant = 1; variant <= 2; ++variant) {
      const char* pose = m.poses[variant - 1];
      if (pose == nullptr) continue;
      BuiltSprite victory;
      if (!BuildSpriteSource(PartyVictorySpriteSource(m.colours, variant), &victory, error)) return false;
      const std::string stem = std::string("sprite\\주연급\\승리포즈\\") + pose;
      out->push_back(DataFile{stem + ".spr", victory.spr});
      out->push_back(DataFile{stem + ".act", victory.act});
    }
  }
  return true;
}

}  // namespace slvtools
