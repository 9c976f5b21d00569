#pragma once
// std::chrono clocks and durations. <chrono> itself does not compile here:
// its C++20 formatting part holds a "\u00b5s" literal that the CP932 execution
// character set cannot encode. <thread> brings the clocks and durations
// (and this_thread::sleep_for) without that part.
#include <thread>
