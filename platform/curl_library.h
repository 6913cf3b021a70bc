#pragma once

#include <curl/curl.h>

namespace tavrin {

// The libcurl functions the HTTP client calls, through one table. Outside Windows
// libcurl is loaded at the first request instead of linked: linked, it and the
// TLS, Kerberos, LDAP and SSH libraries it needs (some 25) would be loaded before
// main at every start, ahead of the first paint.
#define TAVRIN_CURL_FUNCTIONS(F)                                                                             \
    F(global_init)                                                                                           \
    F(easy_init)                                                                                             \
    F(easy_setopt)                                                                                           \
    F(easy_getinfo)                                                                                          \
    F(easy_perform)                                                                                          \
    F(easy_strerror)                                                                                         \
    F(easy_cleanup)                                                                                          \
    F(slist_append)                                                                                          \
    F(slist_free_all)                                                                                        \
    F(multi_init)                                                                                            \
    F(multi_setopt)                                                                                          \
    F(multi_add_handle)                                                                                      \
    F(multi_perform)                                                                                         \
    F(multi_info_read)                                                                                       \
    F(multi_poll)                                                                                            \
    F(multi_remove_handle)                                                                                   \
    F(multi_cleanup)

struct CurlLibrary {
#define TAVRIN_CURL_MEMBER(name) decltype(&::curl_##name) name = nullptr;
    TAVRIN_CURL_FUNCTIONS(TAVRIN_CURL_MEMBER)
#undef TAVRIN_CURL_MEMBER
};

// The library, loaded and initialised at the first call from any thread; null when
// it cannot be loaded, after one warning saying why.
const CurlLibrary* curlLibrary();

} // namespace tavrin
