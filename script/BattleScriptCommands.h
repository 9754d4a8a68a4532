#pragma once
// The battle script's words beside its control words: the message window,
// orders to the participants, the battle's own commands, the variables and
// the screen effects. Participants are found by name through the session.
#include <string>

class CActor;
class CSelvarinFrame;
class CTokenizer;

// What a command leaves the run: the next line, or the run stops there.
constexpr int kBattleRunStops = -1;

// False when the word is none of these; else *next is the line to go on
// at, or kBattleRunStops when the command paused or ended the run.
bool ExecBattleCommand(CSelvarinFrame& frame, const CTokenizer& tokens, int line, int* next);

// What a cut-scene's message word did: none of them, ran, opened a
// dialogue window, or waits for a key.
enum class MacroMessage { kNone, kRan, kDialogue, kKeyWait };
// The message words (say, shout, ear, monologue, wait, close, header,
// getitem, getgold) spoken by the given actor, whatever the line names.
MacroMessage ExecMacroMessage(CSelvarinFrame& frame, const CTokenizer& tokens, CActor& speaker);
bool IsMacroMessageWord(const std::string& word);

// A message without values to every participant of the battle.
void TellBattleParticipants(CSelvarinFrame& frame, int code);
// The end of a run: the windows emptied, the gauges shown and running
// again, nothing to resume.
void EndBattleScriptRun(CSelvarinFrame& frame);
