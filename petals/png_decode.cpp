#include "petals/png_decode.h"

#include <cstring>
#include <png.h>

namespace tavrin::petals {

namespace {

// Far above any petal, far below what a forged header could make us allocate.
constexpr png_uint_32 maxSide = 8192;

// Frees libpng's state on every way out.
class PngReader {
public:
    PngReader() {
        std::memset(&m_image, 0, sizeof m_image);
        m_image.version = PNG_IMAGE_VERSION;
    }
    ~PngReader() { png_image_free(&m_image); }
    Q_DISABLE_COPY_MOVE(PngReader)

    png_image& image() { return m_image; }

private:
    png_image m_image;
};

} // namespace

QImage decodePng(QByteArrayView data) {
    if (data.isEmpty())
        return {};
    PngReader reader;
    png_image& image = reader.image();
    if (!png_image_begin_read_from_memory(&image, data.data(), static_cast<size_t>(data.size())))
        return {};
    if (image.width == 0 || image.height == 0 || image.width > maxSide || image.height > maxSide)
        return {};
    image.format = PNG_FORMAT_RGBA;

    QImage result(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGBA8888);
    if (result.isNull())
        return {};
    const auto stride = static_cast<png_int_32>(result.bytesPerLine());
    if (!png_image_finish_read(&image, nullptr, result.bits(), stride, nullptr))
        return {};
    return result;
}

} // namespace tavrin::petals
