#pragma once
// The window the platform shows the game in, as an opaque handle: what lies
// behind it is known to the seam alone. Its owner destroys the window.
#include <memory>

struct NativeWindow;

struct cNativeWindowCloser {
    void operator()(NativeWindow* window) const;
};
using NativeWindowPtr = std::unique_ptr<NativeWindow, cNativeWindowCloser>;
