#pragma once
// The tables of the interpreter's second and third command groups: a row
// per word, tried in order. A row that asks for an exact token count only
// reports its syntax text when the line has another.
#include <span>
#include <string>

class CSelvarinActor;
class CSelvarinFrame;
class CTokenizer;

// `frame` may be null (a run without a game frame); `subject` is the actor
// the second group's words act on, null for none and in the third group.
using CommandHandler = void (*)(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor* subject);

struct CommandRow {
  const char* word;
  int tokens;  // the exact count the row needs; 0 for any
  const char* syntax;
  CommandHandler handler;
};

// Runs the row of the word; false when the table has none.
bool RunCommandRow(std::span<const CommandRow> table, CSelvarinFrame* frame, const CTokenizer& tokens,
                   CSelvarinActor* subject);

// Shared by both groups (PhysicsCommands.cpp): the receiver's experience
// becomes the party's average; the frame manager changes to the title.
void AverageExp(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor* subject);
void CallTitle(CSelvarinFrame* frame, const CTokenizer& tokens, CSelvarinActor* subject);
