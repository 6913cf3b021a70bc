#include "app/market_views/ticker_catalogue.h"

#include "app/market_views/ticker_names.h"

namespace tavrin {

namespace {

namespace n = ticker_names;
using K = ControlKind;

// The frame comes before what it holds; the ChiNext caption sits on the window
// itself, above the frame.
const ControlEntry controls[] = {
    {.name = n::frame, .kind = K::GroupBox, .rect = {-1, -3, 465, 67}},
    {.name = n::shanghaiCaption,
     .kind = K::TransparentLabel,
     .container = n::frame,
     .rect = {28, 7, 78, 28},
     .text = "上证指数:"},
    {.name = n::shanghaiValue, .kind = K::TransparentLabel, .container = n::frame, .rect = {8, 39, 137, 20}},
    {.name = n::shenzhenCaption,
     .kind = K::TransparentLabel,
     .container = n::frame,
     .rect = {183, 8, 72, 28},
     .text = "深证成指:"},
    {.name = n::shenzhenValue,
     .kind = K::TransparentLabel,
     .container = n::frame,
     .rect = {166, 37, 120, 24}},
    {.name = n::chinextCaption, .kind = K::TransparentLabel, .rect = {340, 7, 72, 24}, .text = "创业板指:"},
    {.name = n::chinextValue, .kind = K::TransparentLabel, .container = n::frame, .rect = {329, 36, 112, 24}},
    {.name = n::closeGlyph,
     .kind = K::PictureBox,
     .container = n::frame,
     .rect = {427, 7, 24, 24},
     .picture = tickerClosePicture},
    {.name = n::refreshTimer, .kind = K::Timer},
};

// Captions bold, values in the standard size so that a five-digit index with its
// change fits its label; all black until an index moves.
constexpr QRgb black = 0xFF000000;
const LabelStyle styles[] = {
    {n::shanghaiCaption, 14, true, black}, {n::shenzhenCaption, 14, true, black},
    {n::chinextCaption, 14, true, black},  {n::shanghaiValue, 12, false, black},
    {n::shenzhenValue, 12, false, black},  {n::chinextValue, 12, false, black},
};

const WindowDesign design{
    .caption = "",
    .designRect = {0, 0, 452, 69},
    .controls = controls,
    .menuName = "",
    .menu = {},
};

} // namespace

const WindowDesign& tickerBarDesign() {
    return design;
}

std::span<const LabelStyle> tickerLabelStyles() {
    return styles;
}

} // namespace tavrin
