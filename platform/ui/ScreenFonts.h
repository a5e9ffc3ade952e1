// The font families installed for the screen, each with whether it is an outline font
// (scalable to any size, as TrueType fonts are). Read once per process and kept; read
// again after the system's font list changes.
#pragma once

#include <string>
#include <vector>

struct TScreenFont {
    std::string Name;
    bool TrueType = false;
};

// Sorted by name, each family once.
const std::vector<TScreenFont>& ScreenFontFamilies();
// Drops the kept list (the next call reads the families again).
void RefreshScreenFonts();
