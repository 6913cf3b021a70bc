#include "platform/curl_library.h"

#include <QtGlobal>
#if !defined(TAVRIN_CURL_LINKED)
#include <QLibrary>
#endif

namespace tavrin {

namespace {

#if defined(TAVRIN_CURL_LINKED)

CurlLibrary load() {
    CurlLibrary library;
#define TAVRIN_CURL_BIND(name) library.name = &::curl_##name;
    TAVRIN_CURL_FUNCTIONS(TAVRIN_CURL_BIND)
#undef TAVRIN_CURL_BIND
    return library;
}

#else

// Never unloaded: transfers may be under way until the program ends.
CurlLibrary load() {
    CurlLibrary library;
    QLibrary file(QStringLiteral("libcurl.so.4"));
    bool complete = true;
#define TAVRIN_CURL_RESOLVE(name)                                                                            \
    library.name = reinterpret_cast<decltype(library.name)>(file.resolve("curl_" #name));                    \
    complete = complete && library.name;
    TAVRIN_CURL_FUNCTIONS(TAVRIN_CURL_RESOLVE)
#undef TAVRIN_CURL_RESOLVE
    if (!complete) {
        qWarning("Tavrin: no HTTP: %s", qPrintable(file.errorString()));
        return {};
    }
    return library;
}

#endif

} // namespace

const CurlLibrary* curlLibrary() {
    static const CurlLibrary library = [] {
        CurlLibrary loaded = load();
        if (loaded.global_init && loaded.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            qWarning("Tavrin: no HTTP: libcurl could not be initialised");
            return CurlLibrary{};
        }
        return loaded;
    }();
    return library.global_init ? &library : nullptr;
}

} // namespace tavrin
