#pragma once

#include <QRect>
#include <span>

namespace tavrin {

// The kinds of controls a window catalogue is made of.
enum class ControlKind {
    TabControl,
    GroupBox,
    PictureBox,
    Label,
    TransparentLabel,
    LineEdit,
    Button,
    CheckBox,
    ComboBox,
    Slider,
    Canvas,
    ListView,
    PictureButton,
    WebView,
    // Not shown at run time.
    BalloonTip,
    TrayIcon,
    Timer,
    DatabaseConnection,
    RecordSet,
    SystemVolume,
};

enum class TextAlign { Left, Centre };

struct SliderSettings {
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    int step = 0; // page and line step alike
};

// One control of a window as designed. Texts are UTF-8; lists are separated by
// '|' (a trailing '|' gives an empty last item).
struct ControlEntry {
    const char* name;
    ControlKind kind;
    const char* container = "";    // object name of the container; empty: the window
    int page = -1;                 // page of a tab-control container
    QRect rect{};                  // x, y, width, height in the container
    const char* text = "";         // caption or default content
    int typingLimit = 0;           // characters the user may type; 0: no limit
    bool selectAllOnFocus = false; // edit boxes the program resets: typing replaces the reset text
    TextAlign align = TextAlign::Left;
    bool checked = false;
    const char* items = "";     // combo items; tab page titles
    const char* itemNotes = ""; // the second text of each tab page
    SliderSettings slider{};
    const char* picture = ""; // resource path of the picture shown
    const char* address = ""; // design address of a web view
};

// One item of a popup menu; a level-1 item followed by level-2 items is a submenu.
struct MenuItemEntry {
    int level;
    const char* text;
};

// A whole window as designed.
struct WindowDesign {
    const char* caption;
    QRect designRect;
    std::span<const ControlEntry> controls;
    const char* menuName;
    std::span<const MenuItemEntry> menu;
};

} // namespace tavrin
