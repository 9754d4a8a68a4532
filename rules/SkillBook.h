#pragma once
// The special attacks, skills and the one magic that worn items teach and
// take back. The book keeps nothing: everything it reads and changes is the
// session's, so every character's book behaves alike.
#include <string>

class CSkillBook {
 public:
  virtual ~CSkillBook() = default;

  // The item just put on: its named specials and skills, the skills of the
  // weapon class now held, then what the level calls for. A player id
  // outside 0-31 or an item the table lacks changes nothing.
  void LearnWeaponSkills(int id, int item);
  // The item just taken off: what it taught, under each row's guard, the
  // class skills the weapon now held no longer gives, the poison of a bare
  // "스트로판드", then what the level calls for.
  void ForgetWeaponSkills(int id, int item);

 protected:
  // The session's own operations, one name at a time; virtual so that the
  // tests can see the order.
  virtual void Teach(int id, const std::string& name, bool magic);
  virtual void Take(int id, const std::string& name, bool magic);
  virtual void Poison(int id);
};
