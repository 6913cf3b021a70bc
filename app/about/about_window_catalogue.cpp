#include "app/about/about_window_catalogue.h"

#include "app/about/about_pictures.h"
#include "app/about/about_window_names.h"

namespace tavrin {

namespace {

namespace a = about_window_names;
using K = ControlKind;

const ControlEntry aboutControls[] = {
    {.name = a::group, .kind = K::GroupBox, .rect = {8, 8, 368, 272}},
    {.name = a::versionCaption,
     .kind = K::TransparentLabel,
     .container = a::group,
     .rect = {8, 16, 48, 24},
     .text = "版本号："},
    {.name = a::versionLine, .kind = K::TransparentLabel, .container = a::group, .rect = {56, 16, 136, 24}},
    {.name = a::picture,
     .kind = K::PictureBox,
     .container = a::group,
     .rect = {8, 40, 352, 224},
     .picture = aboutPicture},
    {.name = a::closeButton, .kind = K::Button, .rect = {394, 32, 104, 24}, .text = "确   定"},
    {.name = a::contactButton, .kind = K::Button, .rect = {394, 72, 104, 24}, .text = "与我联系"},
    {.name = a::sayingButton, .kind = K::Button, .rect = {394, 112, 104, 24}, .text = "使用介绍"},
    {.name = a::thankYouButton, .kind = K::Button, .rect = {396, 152, 104, 24}, .text = "打赏致谢"},
};

} // namespace

const WindowDesign& aboutWindowDesign() {
    static const WindowDesign design{
        .caption = "",
        .designRect = {50, 50, 519, 329},
        .controls = aboutControls,
        .menuName = "",
        .menu = {},
    };
    return design;
}

} // namespace tavrin
