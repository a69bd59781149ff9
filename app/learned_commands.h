// Learned (Ctrl+L), Next Unlearned Day (Ctrl+U), and where the reader
// stands: in the date band, the Go menu's check and the calendar's marks.
#pragma once
#include <windows.h>
#include <cstdint>

void CommandLearned(HWND window);
void CommandNextUnlearned(HWND window);
// The Learned item checked while the day shown is learned: run when the
// day or its mark changes (and as the menu opens), so the toolbar reads it too.
void SyncLearnedCheck(HWND window);
// Installs the sources of the band's standing and the calendar's marks.
void ShowLearnedStanding();
