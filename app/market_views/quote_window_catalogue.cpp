#include "app/market_views/quote_window_catalogue.h"

#include "app/market_views/quote_window_names.h"

namespace tavrin {

namespace {

namespace n = quote_window_names;
using K = ControlKind;
constexpr auto Centre = TextAlign::Centre;

constexpr QRgb white = quoteWhite;
constexpr QRgb silver = qRgb(192, 192, 192);
constexpr QRgb darkRed = qRgb(128, 0, 0);
constexpr QRgb nearWhite = qRgb(236, 236, 236);
constexpr QRgb black = qRgb(0, 0, 0);

// Designed faces first; the CJK faces after them render Chinese where the designed ones are missing.
constexpr char arial[] = "Arial|Liberation Sans|Nimbus Sans|DejaVu Sans";
constexpr char youYuan[] = "幼圆|YouYuan|Noto Sans CJK SC|WenQuanYi Micro Hei|Microsoft YaHei";
constexpr char simSun[] = "宋体|SimSun|NSimSun|Noto Serif CJK SC|Noto Sans CJK SC|WenQuanYi Micro Hei";

const ControlEntry controls[] = {
    {.name = n::codeLabel, .kind = K::Label, .rect = {8, 24, 64, 24}, .text = "股票代号:"},
    {.name = n::codeBox, .kind = K::LineEdit, .rect = {80, 14, 80, 33}, .typingLimit = 6, .align = Centre},
    {.name = n::nameBox, .kind = K::LineEdit, .rect = {169, 8, 128, 40}, .align = Centre},
    {.name = n::latestCaption, .kind = K::Label, .rect = {296, 8, 48, 40}, .text = "最新"},
    {.name = n::priceLabel, .kind = K::Label, .rect = {344, 16, 96, 24}},
    {.name = n::queryButton, .kind = K::Button, .rect = {448, 14, 112, 31}, .text = "查询"},
    {.name = n::changeCaption, .kind = K::Label, .rect = {188, 48, 40, 24}, .text = "涨跌"},
    {.name = n::changeLabel, .kind = K::Label, .rect = {237, 48, 72, 24}, .text = "0"},
    {.name = n::yuanCaption, .kind = K::Label, .rect = {320, 48, 29, 24}, .text = "元"},
    {.name = n::changePercentLabel, .kind = K::Label, .rect = {360, 48, 56, 24}},
    {.name = n::percentCaption, .kind = K::Label, .rect = {416, 48, 24, 24}, .text = "%"},
    {.name = n::previousCloseLabel, .kind = K::Label, .rect = {12, 56, 128, 16}, .text = "昨收盘:"},
    {.name = n::dateLabel, .kind = K::Label, .rect = {465, 60, 92, 16}, .text = "2008-0-0 0:00"},
    {.name = n::openLabel, .kind = K::Label, .rect = {12, 80, 128, 16}, .text = "今开盘:"},
    {.name = n::highLabel, .kind = K::Label, .rect = {192, 80, 128, 16}, .text = "最高价:"},
    {.name = n::lowLabel, .kind = K::Label, .rect = {351, 80, 128, 16}, .text = "最低价:"},
    {.name = n::chartCanvas, .kind = K::Canvas, .rect = {5, 96, 560, 304}},
    {.name = n::refreshTimer, .kind = K::Timer},
};

const ControlStyle styles[] = {
    {.name = n::codeLabel, .font = {.pixelSize = 16}, .text = white},
    {.name = n::codeBox,
     .font = {.families = arial, .pixelSize = 24, .bold = true},
     .text = darkRed,
     .background = silver},
    {.name = n::nameBox,
     .font = {.families = youYuan, .pixelSize = 24, .bold = true},
     .text = white,
     .background = black},
    {.name = n::latestCaption, .font = {.pixelSize = 21}, .text = silver},
    {.name = n::priceLabel, .font = {.families = arial, .pixelSize = 21, .bold = true}, .text = quoteRed},
    {.name = n::changeCaption, .text = silver},
    {.name = n::changeLabel, .text = quoteRed},
    {.name = n::yuanCaption, .text = silver},
    {.name = n::changePercentLabel, .text = nearWhite},
    {.name = n::percentCaption, .text = silver},
    {.name = n::previousCloseLabel, .font = {.families = simSun, .pixelSize = 16}, .text = white},
    {.name = n::dateLabel, .text = white},
    {.name = n::openLabel, .text = white},
    {.name = n::highLabel, .text = white},
    {.name = n::lowLabel, .text = white},
};

} // namespace

const WindowDesign& quoteWindowDesign() {
    static const WindowDesign design{
        .caption = "",
        .designRect = {0, 0, 575, 408},
        .controls = controls,
        .menuName = "",
        .menu = {},
    };
    return design;
}

std::span<const ControlStyle> quoteWindowStyles() {
    return styles;
}

} // namespace tavrin
