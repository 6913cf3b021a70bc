#pragma once

#include "app/value_page/page_view.h"

#include <functional>

class QWidget;

namespace tavrin {

// Makes the page view inside the browser control of the value page, as a child
// of that control; called once, when the page is first shown.
using PageViewFactory = std::function<PageView*(QWidget& host)>;

// The embedded browser where the build has one and its module loads, the
// system browser otherwise.
PageViewFactory defaultPageViewFactory();

// Whether this build embeds a browser.
bool hasEmbeddedBrowser();

} // namespace tavrin
