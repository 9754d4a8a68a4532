#pragma once
// A modal dialog over the launcher's menu: the dialog takes the pointer and
// the keys until it ends; the menu stays as it was beneath it.
class Dialog;

// Starts the dialog and runs it to its end; its result. A quit message ends
// it as Cancel and is posted again; closing the window cancels it and then
// closes the launcher.
int RunModalDialog(Dialog& dialog);
