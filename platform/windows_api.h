#pragma once

// The Win32 API without the min/max macros (they break std::min and Qt) and
// without the rarely used parts of <windows.h>. Windows builds only.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
