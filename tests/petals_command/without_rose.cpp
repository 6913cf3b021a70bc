// A shared library under the petals library's file name that lacks its export.
#if defined(_WIN32)
#define STAND_IN_API __declspec(dllexport)
#else
#define STAND_IN_API __attribute__((visibility("default")))
#endif

extern "C" STAND_IN_API int lumeve_stand_in() {
    return 0;
}
