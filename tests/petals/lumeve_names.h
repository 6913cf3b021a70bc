#pragma once

// The library file and the GBK bytes of its exports' names, as a host resolves them.
inline constexpr char lumeveLibrary[] = LUMEVE_LIBRARY;
inline constexpr char roseExport[] = "\xC3\xB5\xB9\xE5\xBB\xA8"; // 玫瑰花
inline constexpr char trayMenuExport[] =
    "\xC6\xC1\xB1\xA3_\xB5\xAF\xB3\xF6\xCD\xD0\xC5\xCC\xB2\xCB\xB5\xA5"; // 屏保_弹出托盘菜单

using RoseFunction = int (*)();
using TrayMenuFunction = void (*)();
