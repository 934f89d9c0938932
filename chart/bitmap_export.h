#pragma once
// The file a bitmap export writes: the directory part of the chosen name, its file-name
// part cut at the first ".", then ".bmp" ("a.b.c" gives "a.bmp", "graph" "graph.bmp").

#include <string>

std::string BitmapFileName(const std::string& fileName);
