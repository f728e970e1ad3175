#pragma once
// Keeps the libraries' own chatter off standard error, so that what a script sees there are
// the program's messages alone.
namespace QuietOutput {

// Qt warns on every start when the session names no runtime folder; this gives it a private
// one (mode 0700 in the temporary folder) before the application object is made.
void prepareRuntimeDirectory();
// GLib's and libgsf's warnings about damaged files: the load reports the failure itself.
void silenceGLib();
// Qt's own warnings, for runs without a window: they are no message for the user.
void silenceQt();

}  // namespace QuietOutput
