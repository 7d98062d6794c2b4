// How the installer's process runs its messages and ends.
#pragma once

namespace talvek {

// Ends the whole process at once with exit code 0; every normal end of the
// installer, successful or not, goes through here.
[[noreturn]] void terminateInstaller();

// GetMessageW / TranslateMessage / DispatchMessageW until WM_QUIT; returns
// the quit message's wParam.
int runMessageLoop();

// Waits about `milliseconds` while the UI thread keeps handling its window
// messages, so the window stays painted during the installer's pauses.
void pumpMessagesFor(unsigned milliseconds);
// Handles the messages already waiting and returns, so a status text set
// just before long work gets painted; bounded in time because a control
// may keep posting to itself.
void letWaitingMessagesRun(unsigned limitMs = 100);

}  // namespace talvek
