#include "app/value_page/embedded_web_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QOpenGLContext>
#include <QWidget>

using namespace Qt::StringLiterals;

#if QT_CONFIG(opengl)
// Exported by Qt GUI, declared only in its private headers.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
#endif

namespace tavrin {

namespace {

// Qt WebEngine linked into a program has the application make a context that
// all its views share, before the application exists; loaded later, it finds
// none and fails. So it is made here, before the module loads, and only then.
void provideSharedContext() {
#if QT_CONFIG(opengl)
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    // Without OpenGL (offscreen, no display) the context stays invalid and the
    // engine draws in software.
    context->create();
    qt_gl_set_global_share_context(context);
#endif
}

// Loaded once and never unloaded: its views live until the program ends.
CreateWebViewFunction moduleEntry() {
    static const CreateWebViewFunction entry = [] {
        provideSharedContext();
        QLibrary module(QDir(QCoreApplication::applicationDirPath()).filePath(webViewModuleName()));
        auto function = reinterpret_cast<CreateWebViewFunction>(module.resolve(createWebViewSymbol));
        if (!function)
            qWarning("Tavrin: no embedded browser: %s", qPrintable(module.errorString()));
        return function;
    }();
    return entry;
}

} // namespace

QString webViewModuleName() {
    return u"tavrin_web_view"_s;
}

EmbeddedWebView::EmbeddedWebView(QWidget& host) : PageView(&host) {}

EmbeddedWebView* EmbeddedWebView::create(QWidget& host) {
    const CreateWebViewFunction entry = moduleEntry();
    if (!entry)
        return nullptr;
    // Made first, so that as the host's older child it goes before the view.
    auto* view = new EmbeddedWebView(host);
    view->m_backend.reset(entry(&host));
    view->m_backend->setLoadFinishedHandler([view](bool ok) { emit view->loadFinished(ok); });
    return view;
}

void EmbeddedWebView::open(const QUrl& address) {
    m_address = address;
    m_backend->load(address);
}

void EmbeddedWebView::showLocalPage(const QString& html) {
    m_address = QUrl();
    m_backend->setHtml(html);
}

} // namespace tavrin
