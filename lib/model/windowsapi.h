// <windows.h> as every Windows branch of the project takes it: lean, and without the min and max
// macros that would break std::min and std::max. Includes nothing elsewhere.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif
