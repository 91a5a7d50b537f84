// The library as a whole: what happens at load and unload, and the few
// exports that talk to the user directly.
#pragma once

// From the first call on, the summary is produced as HTML.
void SetHtmlOutput();

// The answer to the host's "setup" menu item: a message box (on Windows).
void ShowSetupMessage();

// The text of that message box.
extern const char* const kSetupMessage;  // "No additional setup for this plugin"
