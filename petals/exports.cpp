#include "petals/effect_library.h"

// The exports carry the GBK bytes of their names, as every text of the system
// does: 玫瑰花 and 屏保_弹出托盘菜单. GCC takes them as assembler labels;
// Windows builds name them in lumeve.def instead.
#if defined(_WIN32)
#define LUMEVE_API __stdcall
#define LUMEVE_NAME(gbkBytes)
#define LUMEVE_VISIBLE
#else
#define LUMEVE_API
#define LUMEVE_NAME(gbkBytes) __asm__(gbkBytes)
#define LUMEVE_VISIBLE __attribute__((visibility("default")))
#endif

extern "C" {

LUMEVE_VISIBLE int LUMEVE_API lumeve_rose_petals() LUMEVE_NAME("\xC3\xB5\xB9\xE5\xBB\xA8");
LUMEVE_VISIBLE void LUMEVE_API lumeve_pop_up_tray_menu()
    LUMEVE_NAME("\xC6\xC1\xB1\xA3_\xB5\xAF\xB3\xF6\xCD\xD0\xC5\xCC\xB2\xCB\xB5\xA5");

int LUMEVE_API lumeve_rose_petals() {
    return tavrin::petals::runRoseEffect();
}

void LUMEVE_API lumeve_pop_up_tray_menu() {
    tavrin::petals::popUpEffectMenu();
}

} // extern "C"
