#pragma once
// The member card: one party member's figure with its level and, by kind,
// its name, its points, its stats or its worn items. The party screen's
// panels show kinds 0-4 (their display modes); the tactics page shows
// kind 5, the figure alone.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CRC;

struct MemberCard {
  int32_t playerId = -1;
  int32_t x = 0, y = 0;  // where the figure stands
  std::string sprname, actname;
  // Mode 1: maxhp, hp, maxmp1, mp1, maxmp2, mp2, maxmp3, mp3; mode 2:
  // strength, vitality, agility, luck.
  std::array<int32_t, 8> values{};
  int32_t level = 0;
  int32_t exp = 0;
};

// The card of a player for a display mode; an id outside the session
// gives a card with no figure.
MemberCard MakeMemberCard(int playerId, int x, int y, int mode);

// One piece of a card's text in the sprite font.
struct CardText {
  int x = 0, y = 0;
  std::string text;  // a number's digits when `number`
  int bank = 0;
  bool number = false;  // a number ends at x; a text starts there
};

// The English name as kind 0 shows it: a-z raised, at most 20 bytes.
std::string CardName(const std::string& engname);
// The bank of a current / maximum row: 1 below a fifth of the maximum.
int CardValueBank(int current, int maximum);
// Every text the card of that kind draws, in drawing order.
std::vector<CardText> LayOutMemberCard(const MemberCard& card, int kind);
// The scene pass: the selection frame, the figure, then the texts.
void DrawMemberCard(const MemberCard& card, CRC* rc, int kind, bool selected);
