#pragma once

#include "chart/canvas.h"

// Maps the font faces the windows are designed with, which Linux lacks, to metric
// equivalents. Call once after the application object exists.
void InstallFontSubstitutions();

// A black chart font of the face, pixelHeight pixels high.
TFont PixelFont(const char* face, int pixelHeight);
