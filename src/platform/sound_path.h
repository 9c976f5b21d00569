#pragma once
// The two extension operations the music players need, with the path layer's
// meaning: the extension is the text after the last "." of the whole string.
#include <string>

// The text after the last "."; bHas is false (and the result empty) without one.
std::string SoundPathExtension(const char* path, bool* bHas = nullptr);
// path with the text after its last "." replaced by ext; unchanged without a ".".
std::string SoundPathChangeExtension(const char* path, const char* ext);
