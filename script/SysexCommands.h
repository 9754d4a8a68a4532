#pragma once
// The "sysex" screen effects: one table of sub-words over the game frame's
// HUD state (the overlay, the picture slots, the captions, the shake), which
// field and battle scripts share.
#include <string>

class CActor;
class CSelvarinFrame;
class CTokenizer;

// Runs the sysex line (token 1 the sub-word); `subject` is the actor that
// the magic, effect and crowd sub-words speak to (null for none). False when
// the run ends at it.
bool ExecSysex(CSelvarinFrame& frame, const CTokenizer& tokens, CActor* subject);

// A battle participant by name; null when none.
using FindSysexActor = CActor* (*)(const std::string& name);
// The battle scripts' sysex: the field's header, headerflick, quake and
// stopquake; "effect" names its participant (token 2) before the effect id;
// crowd slot 6 shows the text over the participant named in token 3
// (ActionCode 10038). A crowd slot outside 0-6 and any other word only log.
void ExecBattleSysex(CSelvarinFrame& frame, const CTokenizer& tokens, FindSysexActor find);
