#include "app/main_window/main_window_catalogue.h"

#include "app/main_window/program_pictures.h"

namespace tavrin {

namespace {

using K = ControlKind;
constexpr auto Left = TextAlign::Left;
constexpr auto Centre = TextAlign::Centre;
constexpr bool Checked = true;
constexpr char tabs[] = "高级选择夹1";
constexpr char options[] = "分组框2";
constexpr char valueBox[] = "图片框1";

// Containers come before what they hold.
const ControlEntry controls[] = {
    {.name = tabs,
     .kind = K::TabControl,
     .rect = {0, -1, 592, 264},
     .items = "股票监控|功能设置|预警设置|投资价值",
     .itemNotes = "股票监控|提醒方式|预警设置|投资价值"},

    // Page 0 "股票监控": the watch list and the add/modify row.
    {.name = "超级列表框_股票", .kind = K::ListView, .container = tabs, .page = 0, .rect = {1, 25, 583, 160}},
    {"透明标签4", K::TransparentLabel, tabs, 0, {3, 205, 37, 16}, "代码："},
    {"编辑框_股票代码", K::LineEdit, tabs, 0, {40, 198, 64, 28}, "", 6},
    {"透明标签5", K::TransparentLabel, tabs, 0, {107, 205, 48, 16}, "买入价："},
    {"编辑框_买入价格", K::LineEdit, tabs, 0, {152, 197, 64, 28}, "", 6},
    {"透明标签6", K::TransparentLabel, tabs, 0, {213, 206, 56, 16}, "数量："},
    {"编辑框_买入数量", K::LineEdit, tabs, 0, {262, 196, 66, 28}, "00", 6, Centre},
    {"添加按钮", K::Button, tabs, 0, {334, 193, 56, 30}, "添加"},
    {"按钮2", K::Button, tabs, 0, {398, 193, 54, 30}, "修改"},

    // Page 1 "功能设置": the options.
    {"画板_我的说明", K::Canvas, tabs, 1, {377, 29, 368, 395}},
    {options, K::GroupBox, tabs, 1, {8, 30, 361, 367}, "提醒方式"},
    {"选择框_气泡信息预警", K::CheckBox, options, -1, {19, 24, 96, 24}, "气泡信息预警", 0, Left, Checked},
    {"选择框_声音报警", K::CheckBox, options, -1, {19, 49, 96, 24}, "电脑声音报警", 0, Left, Checked},
    {"选择框_玫瑰花屏保", K::CheckBox, options, -1, {163, 23, 96, 24}, "玫瑰花屏保", 0, Left, Checked},
    {"联动通达信", K::CheckBox, options, -1, {163, 48, 96, 24}, "联动通达信"},
    {"标签3", K::Label, options, -1, {8, 80, 60, 28}, "监控：连续"},
    {"组合框_时间", K::ComboBox, options, -1, {76, 86, 41, 20}, "3", 0, Left, false, "3|5|6|8|10"},
    {"标签1", K::Label, options, -1, {118, 83, 83, 24}, "高于上次监控"},
    {"选择框_下跌预警", K::CheckBox, options, -1, {224, 80, 96, 28}, "下跌也预警", 0, Left, Checked},
    {"标签10", K::Label, options, -1, {12, 120, 60, 28}, "程序透明度"},
    {.name = "滑块条1",
     .kind = K::Slider,
     .container = options,
     .rect = {80, 119, 240, 32},
     .slider = {.minimum = 1, .maximum = 255, .position = 200, .step = 15}},
    {"气球提示框1", K::BalloonTip, options, -1, {80, 0, 26, 26}},

    // Page 2 "预警设置": the alert editor.
    {"标签2", K::Label, tabs, 2, {22, 45, 48, 24}, "股票："},
    {"编辑框1", K::LineEdit, tabs, 2, {75, 44, 88, 24}, "", 0, Centre},
    {"标签7", K::Label, tabs, 2, {179, 44, 32, 24}, "涨幅："},
    {"编辑框5", K::LineEdit, tabs, 2, {217, 42, 58, 24}, "", 0, Centre},
    {"标签6", K::Label, tabs, 2, {281, 44, 48, 24}, "最新："},
    {"编辑框3", K::LineEdit, tabs, 2, {328, 41, 73, 24}, "", 0, Centre},
    {"标签8", K::Label, tabs, 2, {408, 43, 24, 24}, "元"},
    {"标签4", K::Label, tabs, 2, {22, 72, 46, 24}, "备注："},
    {"编辑框2", K::LineEdit, tabs, 2, {75, 72, 88, 24}},
    {"标签5", K::Label, tabs, 2, {184, 76, 63, 24}, "预警价格："},
    {"组合框1", K::ComboBox, tabs, 2, {254, 75, 64, 20}, "", 0, Left, false, "上涨到|下跌到|止盈卖|"},
    {"编辑框4", K::LineEdit, tabs, 2, {329, 69, 71, 24}, "", 0, Centre},
    {"标签9", K::Label, tabs, 2, {408, 72, 24, 24}, "元"},
    {"按钮3", K::Button, tabs, 2, {347, 135, 72, 32}, "添加/修改"},

    // Page 3 "投资价值": everything inside the picture box.
    {.name = valueBox,
     .kind = K::PictureBox,
     .container = tabs,
     .page = 3,
     .rect = {1, 25, 777, 381},
     .picture = valuePageFramePicture},
    {"透明标签_股票代码", K::TransparentLabel, valueBox, -1, {71, 3, 145, 32}},
    {"透明标签1", K::TransparentLabel, valueBox, -1, {7, 89, 45, 27}, "今开盘："},
    {"透明标签_今开盘", K::TransparentLabel, valueBox, -1, {45, 94, 45, 16}},
    {"透明标签2", K::TransparentLabel, valueBox, -1, {6, 108, 45, 24}, "当前价："},
    {"透明标签_当前价", K::TransparentLabel, valueBox, -1, {51, 113, 45, 16}},
    {"透明标签3", K::TransparentLabel, valueBox, -1, {6, 124, 48, 32}, "涨跌幅："},
    {"透明标签_涨跌幅", K::TransparentLabel, valueBox, -1, {46, 129, 45, 21}},
    {"编辑框_价值评估", K::LineEdit, valueBox, -1, {332, 9, 90, 20}, "301072"},
    {.name = "图形按钮_价值评估",
     .kind = K::PictureButton,
     .container = valueBox,
     .rect = {434, 8, 20, 21},
     .picture = valueButtonPicture},
    {.name = "超文本浏览框_价值评估",
     .kind = K::WebView,
     .container = valueBox,
     .rect = {109, 37, 663, 323},
     .address = "/quote/tools/ggtj_z.aspx?StockCode=002202"},

    // On the window itself, over the tab strip.
    {"执行监控", K::Button, "", -1, {370, -7, 80, 32}, "执行监控"},

    {"托盘图标1", K::TrayIcon},
    {"数据库连接", K::DatabaseConnection},
    {"记录集", K::RecordSet},
    {"时钟_监控时间", K::Timer},
    {"时钟1", K::Timer},
    {"系统音量1", K::SystemVolume},
};

const MenuItemEntry menu[] = {
    {1, "添加股票"}, {1, "添加/修改预警"}, {1, "删除预警"}, {1, "查看分时/修改成本"}, {1, "删除所选"},
    {1, "关于程序"}, {2, "版本与作者"},    {2, "程序升级"}, {2, "玫瑰花屏保"},
};

} // namespace

const WindowDesign& mainWindowDesign() {
    static const WindowDesign design{
        .caption = "禾岫股价监控",
        .designRect = {50, 50, 466, 219},
        .controls = controls,
        .menuName = "菜单",
        .menu = menu,
    };
    return design;
}

} // namespace tavrin
