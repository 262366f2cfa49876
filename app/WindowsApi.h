#pragma once

// The Windows API as every file of ours that calls it wants it: without the rarely used parts
// that slow the build, and without the min and max macros that break std::min and std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
