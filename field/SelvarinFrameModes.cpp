// The game frame's minor modes: the field menu, the menu over a still of
// the screen, the overhead map view, the scenario selection and game over.
// Until their screens exist, entering one does nothing and its first tick
// returns to the field.
#include "field/SelvarinFrame.h"

void CSelvarinFrame::OpenFieldMenu() {}
void CSelvarinFrame::RunFieldMenuMode() { ChangeMode(kModeField); }

void CSelvarinFrame::OpenStillMenu() {}
void CSelvarinFrame::RunScreenshotMenu() { ChangeMode(kModeField); }

void CSelvarinFrame::EnterMapView() {}
void CSelvarinFrame::RunMapView() { ChangeMode(kModeField); }

void CSelvarinFrame::EnterScenarioSelect() {}
void CSelvarinFrame::RunScenarioSelect() { ChangeMode(kModeField); }

void CSelvarinFrame::EnterGameOver() {}
void CSelvarinFrame::RunGameOver() { ChangeMode(kModeField); }
