#pragma once
// The schedules of the skill objects: one row per skill id, built from a
// small vocabulary of placements, triggers and actions.
class CBattleSkill;

// One tick of the object's skill; false ends the object.
bool RunSkillSchedule(CBattleSkill& object);
