#pragma once

// Maps the font faces the windows are designed with, which Linux lacks, to metric
// equivalents. Call once after the application object exists.
void InstallFontSubstitutions();
