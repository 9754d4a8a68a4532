#include "rules/SkillBook.h"

// The weapon skill tables come with the rules of weapon special attacks.
void CSkillBook::LearnWeaponSkills(int, int) {}
