#include "app/about/thank_you_window_catalogue.h"

#include "app/about/about_pictures.h"
#include "app/about/thank_you_window_names.h"

namespace tavrin {

namespace {

const ControlEntry controls[] = {
    {.name = thank_you_window_names::picture,
     .kind = ControlKind::PictureBox,
     .rect = {8, 8, 368, 200},
     .picture = thankYouPicture},
};

} // namespace

const WindowDesign& thankYouWindowDesign() {
    static const WindowDesign design{
        .caption = "",
        .designRect = {50, 50, 385, 239},
        .controls = controls,
        .menuName = "",
        .menu = {},
    };
    return design;
}

} // namespace tavrin
