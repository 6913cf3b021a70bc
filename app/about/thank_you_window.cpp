#include "app/about/thank_you_window.h"

#include "app/about/thank_you_window_catalogue.h"

using namespace Qt::StringLiterals;

namespace tavrin {

ThankYouWindow::ThankYouWindow(QWidget& owner)
    : DesignedWindow(owner, thankYouWindowDesign(), u"ThankYouWindow"_s) {}

} // namespace tavrin
