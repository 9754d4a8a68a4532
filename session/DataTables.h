#pragma once
// The game's data tables, read at start-up in this order: magic, skills,
// monsters, items (which name magic and skills), then the scraps.
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MonsterMgr.h"
#include "session/ScrapMgr.h"
#include "session/SkillMgr.h"
