#pragma once

#include "app/about/designed_window.h"

class QPushButton;

namespace tavrin {

// The about window: the version line, the about picture and four buttons. 按钮6
// closes it; what the other three do is the owner's (AboutController).
class AboutWindow : public DesignedWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget& owner);

    QPushButton* contactButton() const { return m_contactButton; }   // 按钮7
    QPushButton* sayingButton() const { return m_sayingButton; }     // 按钮8
    QPushButton* thankYouButton() const { return m_thankYouButton; } // 按钮9

private:
    QPushButton* m_contactButton;
    QPushButton* m_sayingButton;
    QPushButton* m_thankYouButton;
};

// "V 2.43 版": a V, a blank, the current version text, a blank and 版.
QString versionLine();

} // namespace tavrin
