#include "app/widgets/png_image.h"

#include <cstring>
#include <png.h>

namespace tavrin {

namespace {

// Large enough for any picture of ours, small enough that a forged header cannot
// make us allocate gigabytes.
constexpr png_uint_32 maxSide = 16384;
constexpr qsizetype maxBytes = qsizetype(256) * 1024 * 1024;

// Frees libpng's state on every way out.
struct PngImageGuard {
    png_image image;
    PngImageGuard() {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImageGuard() { png_image_free(&image); }
    PngImageGuard(const PngImageGuard&) = delete;
    PngImageGuard& operator=(const PngImageGuard&) = delete;
};

} // namespace

QImage decodePng(QByteArrayView data) {
    if (data.isEmpty())
        return {};
    PngImageGuard guard;
    png_image& image = guard.image;
    if (!png_image_begin_read_from_memory(&image, data.data(), size_t(data.size())))
        return {};
    if (image.width == 0 || image.height == 0 || image.width > maxSide || image.height > maxSide)
        return {};
    image.format = PNG_FORMAT_RGBA;
    if (qsizetype(PNG_IMAGE_SIZE(image)) > maxBytes)
        return {};

    QImage result(int(image.width), int(image.height), QImage::Format_RGBA8888);
    if (result.isNull())
        return {};
    const auto stride = png_int_32(result.bytesPerLine());
    if (!png_image_finish_read(&image, nullptr, result.bits(), stride, nullptr))
        return {};
    return result;
}

} // namespace tavrin
