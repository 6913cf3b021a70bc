#pragma once

class QApplication;

namespace tavrin {

// A standard GUI font that can show Chinese, as the designed windows expect:
// Noto Sans CJK SC where installed, other common CJK faces after it.
void applyStandardFont(QApplication& application);

} // namespace tavrin
