#include "app/terminal_link/terminal_match.h"

#include "app/terminal_link/gbk_text.h"

namespace tavrin::terminal_link {
namespace {

// GBK bytes of "大智慧 - " and "通达信".
constexpr std::string_view dazhihuiTitle = "\xB4\xF3\xD6\xC7\xBB\xDB - ";
constexpr std::string_view tongdaxinTitle = "\xCD\xA8\xB4\xEF\xD0\xC5";
constexpr std::string_view tongdaxinClass = "TdxW_MainFrame_Class";

} // namespace

std::string_view windowTextAsRead(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return text.substr(0, windowTextLimit);
}

bool isTerminalWindow(Terminal terminal, std::string_view title, std::string_view windowClass) {
    title = windowTextAsRead(title);
    if (terminal == Terminal::Dazhihui)
        return containsGbkText(title, dazhihuiTitle);
    return containsGbkText(title, tongdaxinTitle) &&
           containsGbkText(windowTextAsRead(windowClass), tongdaxinClass);
}

} // namespace tavrin::terminal_link
