#pragma once
// The owner of a C stream: the stream is closed when its owner goes.
#include <cstdio>
#include <memory>

struct cFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, cFileCloser>;

// Opens a file by its native path with an fopen mode; null when it cannot be opened.
inline FilePtr OpenFile(const char* nativePath, const char* mode) {
    return FilePtr(nativePath ? std::fopen(nativePath, mode) : nullptr);
}
