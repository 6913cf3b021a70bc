#include "app/value_page/page_view_factory.h"

#include "app/value_page/system_browser_view.h"

#ifdef TAVRIN_WITH_WEBENGINE
#include "app/value_page/embedded_web_view.h"
#endif

namespace tavrin {

PageViewFactory defaultPageViewFactory() {
    return [](QWidget& host) -> PageView* {
#ifdef TAVRIN_WITH_WEBENGINE
        if (PageView* view = EmbeddedWebView::create(host))
            return view;
#endif
        return new SystemBrowserView(host);
    };
}

bool hasEmbeddedBrowser() {
#ifdef TAVRIN_WITH_WEBENGINE
    return true;
#else
    return false;
#endif
}

} // namespace tavrin
