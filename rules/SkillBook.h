#pragma once
// The special attacks and skills that worn items and levels teach.
class CSkillBook {
 public:
  // Learns the special attacks of a worn item for a character.
  static void LearnWeaponSkills(int id, int item);
};
