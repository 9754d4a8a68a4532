#pragma once
// The two thieving skills: pickpocket (76) and theft (124). The user shows
// what happened as its battle text.
class CBattleActor;
class CSession;
struct Fighter;

namespace skill_theft {

// The most gold the party can hold.
constexpr int kGoldLimit = 999999;

void Pickpocket(CSession& session, CBattleActor& user, const Fighter& target);
void Steal(CSession& session, CBattleActor& user, const Fighter& target);

}  // namespace skill_theft
