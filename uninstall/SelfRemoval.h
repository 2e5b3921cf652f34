// The self-removal script: a running program cannot delete its own executable, so a batch script
// keeps trying until the uninstaller has ended, then removes the folder if empty, then itself.
#pragma once

#include "platform/String.h"

// The script's text for the executable at exePath, CR LF line ends.
CString FormatSelfRemovalScript(const char* exePath);

// Writes the script in the root of the current drive and starts it hidden at idle priority. Raises
// the calling thread and the process, so the uninstaller ends ahead of the looping script.
void StartSelfRemoval();
