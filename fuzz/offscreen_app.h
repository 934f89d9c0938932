#pragma once
// The Qt application that chart pictures are drawn in, on the offscreen platform.

// Creates it on the first call, with the chart's fonts mapped to installed faces. It
// lives until the process ends.
void EnsureOffscreenApp();
