#pragma once

// The system's exclamation sound, the one a warning message box plays: on Windows
// the sound the user chose for it, elsewhere the desktop's bell.
void exclamationSound();
