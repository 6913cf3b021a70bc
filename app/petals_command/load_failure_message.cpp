#include "app/petals_command/load_failure_message.h"

using namespace Qt::StringLiterals;

namespace tavrin {

Message loadFailureMessage(const LoadedEffect& failed) {
    QString text;
    switch (failed.failure) {
    case LoadFailure::LibraryMissing:
        text = u"找不到库文件“%1”，无法调用其中的“玫瑰花”。\n已在程序目录 %2 和系统的库路径中查找。"_s.arg(
            failed.library, failed.folder);
        break;
    case LoadFailure::LibraryUnusable:
        text = u"库文件“%1”无法加载，无法调用其中的“玫瑰花”。\n%2"_s.arg(failed.library, failed.reason);
        break;
    case LoadFailure::ExportMissing:
    case LoadFailure::None:
        text = u"库文件“%1”中找不到“玫瑰花”。"_s.arg(failed.library);
        break;
    }
    text += u"\n玫瑰花屏保没有启动，股价监控照常进行。"_s;
    return Message{
        .text = text, .caption = u"错误："_s, .icon = MessageIcon::Error, .owner = MessageOwner::MainWindow};
}

} // namespace tavrin
