#pragma once
// The hardware-setup dialog, opened by the menu's "hwconfig" action.

// Shows the dialog; what it returns is the dialog's result.
int ShowHwConfigDialog();
