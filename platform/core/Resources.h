#pragma once
// Resources compiled into the program: form descriptions (their text as stored) and toolbar
// bitmaps (4-bit BMP files made from the pixel art under resources/bitmaps/). A resource is
// named after its file, without folder and without anything from the first "."; names ignore
// ASCII case.

#include <string>
#include <vector>

// False (bytes untouched) when no resource has that name.
bool ReadResource(const std::string& name, std::string& bytes);
// Every name, in upper case, sorted.
std::vector<std::string> ResourceNames();
