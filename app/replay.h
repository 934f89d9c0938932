#pragma once
// A headless replay: the real main window, on the offscreen platform, plots a captured
// device output as an acquisition would, and saves the result.

#include "app/replay_options.h"

// Returns the program's exit status; messages go to stderr.
int RunReplay(const TReplayOptions& options);
