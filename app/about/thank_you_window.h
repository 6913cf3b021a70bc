#pragma once

#include "app/about/designed_window.h"

namespace tavrin {

// The thank-you window: one picture.
class ThankYouWindow : public DesignedWindow {
    Q_OBJECT

public:
    explicit ThankYouWindow(QWidget& owner);
};

} // namespace tavrin
