#pragma once
// The "sysex" screen effects: one table of sub-words over the game frame's
// HUD state (the overlay, the picture slots, the captions, the shake), which
// field and battle scripts share.
class CActor;
class CSelvarinFrame;
class CTokenizer;

// Runs the sysex line (token 1 the sub-word); `subject` is the actor that
// the magic, effect and crowd sub-words speak to (null for none). False when
// the run ends at it.
bool ExecSysex(CSelvarinFrame& frame, const CTokenizer& tokens, CActor* subject);
