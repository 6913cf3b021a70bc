#include "app/update/update_window_catalogue.h"

#include "app/update/update_window_names.h"

namespace tavrin {

namespace {

namespace n = update_window_names;
using K = ControlKind;

const ControlEntry controls[] = {
    {.name = n::currentCaption, .kind = K::Label, .rect = {20, 8, 72, 16}, .text = "目前版本号:V"},
    {.name = n::currentVersion, .kind = K::Label, .rect = {100, 8, 36, 16}},
    {.name = n::currentSuffix, .kind = K::Label, .rect = {144, 5, 16, 24}, .text = "版"},
    {.name = n::latestCaption, .kind = K::Label, .rect = {20, 32, 64, 16}, .text = "最新版本号:"},
    {.name = n::latestVersion, .kind = K::Label, .rect = {85, 32, 48, 16}},
    {.name = n::checkButton, .kind = K::Button, .rect = {220, 16, 80, 40}, .text = "检测新版本"},
    {.name = n::installOption,
     .kind = K::CheckBox,
     .rect = {196, 56, 104, 24},
     .text = "下载后自动安装",
     .checked = true},
    {.name = n::summaryCaption, .kind = K::Label, .rect = {20, 64, 80, 16}, .text = "新版本摘要:"},
    {.name = n::updateButton, .kind = K::Button, .rect = {188, 168, 96, 32}, .text = "立即更新"},
};

} // namespace

const WindowDesign& updateWindowDesign() {
    static const WindowDesign design{
        .caption = "",
        .designRect = {0, 0, 313, 236},
        .controls = controls,
        .menuName = "",
        .menu = {},
    };
    return design;
}

} // namespace tavrin
