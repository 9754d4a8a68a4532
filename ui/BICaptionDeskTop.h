#pragma once
// The battle HUD's command desk: opened for the party member whose turn it
// is. Until the battle widgets are built it keeps which member it is open
// for.
class BICaptionDeskTop {
 public:
  // Opens the command menu of the party member (its index in the party).
  static void Build(int member);
  static void Close();
  // The member the desk is open for; -1 while closed.
  static int OpenMember();
};
