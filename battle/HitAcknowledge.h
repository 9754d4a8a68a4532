#pragma once
// The message answer the spawned hit-carrying objects (items, spells,
// skills) share: sprite messages go to the battle object, a confirmed hit
// shows its acknowledgement on the one struck.
#include <cstdint>

class CBattleObject;
class CObject;

void AnswerCarrierMessage(CBattleObject& self, CObject* sender, int code, intptr_t value0, intptr_t value1,
                          intptr_t value2);
