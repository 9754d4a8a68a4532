#pragma once
// The member's magic page and skill page of the field menu; a member sees
// the one of its kind. So far each shows its desk.
#include "ui/UIDeskPane.h"

class UIMagicPane : public UIDeskPane {
 public:
  UIMagicPane() : UIDeskPane("UserInterface\\tab4-5.bmp", "UserInterface\\magic_desk.bmp") {}
};

class UISkillPane : public UIDeskPane {
 public:
  UISkillPane() : UIDeskPane("UserInterface\\tab5-5.bmp", "UserInterface\\skill_desk.bmp") {}
};
