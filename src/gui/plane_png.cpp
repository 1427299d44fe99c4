#include "gui/plane_png.h"

#include <png.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QIODevice>
#include <QImage>
#include <algorithm>

#include "core/plane.h"
#include "gui/render.h"

namespace kw {

namespace {

// About 16 MB of pixels per band.
constexpr std::size_t kBandPixels = 4 * 1024 * 1024;

// An image of the plane's full size whose memory is only reserved: a page
// takes memory when a band is painted into it and gives it back once the
// band is written.
class Canvas {
public:
    Canvas(int width, int height)
        : bytesPerLine_(std::size_t(width) * 4), size_(bytesPerLine_ * std::size_t(height)),
          page_(std::size_t(sysconf(_SC_PAGESIZE)))
    {
        void* p = mmap(nullptr, size_, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED)
            return;
        rows_ = static_cast<uchar*>(p);
        image_ = QImage(rows_, width, height, qsizetype(bytesPerLine_), QImage::Format_RGB32);
    }
    ~Canvas()
    {
        image_ = QImage();
        if (rows_)
            munmap(rows_, size_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QImage& image() { return image_; }

    // Gives back the pages that hold nothing but rows before `row`.
    void release(int row)
    {
        const std::size_t end = std::size_t(row) * bytesPerLine_ / page_ * page_;
        if (end > released_)
            madvise(rows_ + released_, end - released_, MADV_DONTNEED);
        released_ = std::max(released_, end);
    }

private:
    std::size_t bytesPerLine_, size_, page_;
    std::size_t released_ = 0;
    uchar* rows_ = nullptr;
    QImage image_;
};

void writeBytes(png_structp png, png_bytep data, std::size_t n)
{
    auto* out = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (out->write(reinterpret_cast<const char*>(data), qint64(n)) != qint64(n))
        png_error(png, "write");
}

void flushBytes(png_structp) {}

[[noreturn]] void failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void quiet(png_structp, png_const_charp) {}

// A failure jumps back to the setjmp below: no object with a destructor may
// live between the two then (the painter of a band is gone before its rows
// are written).
bool encode(const Plane& plane, Canvas& canvas, ReducedLines& kept, QIODevice& out)
{
    QImage& image = canvas.image();
    const int height = image.height();
    const int band = int(std::clamp<std::size_t>(kBandPixels / std::size_t(image.width()), 1,
                                                  std::size_t(height)));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failed, quiet);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, writeBytes, flushBytes);
    // Level 1 and no filter: a white plane with thin curves is mostly runs of
    // equal bytes, which need no more to shrink (a 9600-pixel picture takes a
    // few MB instead of under one, but a fraction of the time).
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    // The same resolution note Qt's writer gives a picture.
    png_set_pHYs(png, info, png_uint_32(image.dotsPerMeterX()), png_uint_32(image.dotsPerMeterY()),
                 PNG_RESOLUTION_METER);
    png_write_info(png, info);
    // Pixels of Format_RGB32 lie in memory as B, G, R, unused.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int top = 0; top < height; top += band) {
        const int rows = std::min(band, height - top);
        paintRows(plane, image, top, rows, &kept);
        for (int y = top; y < top + rows; ++y)
            png_write_row(png, image.constScanLine(y));
        canvas.release(top + rows);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePlanePng(const Plane& plane, QIODevice& out)
{
    Canvas canvas(plane.width(), plane.height());
    if (canvas.image().isNull())
        return false;
    ReducedLines kept;  // the same for every band
    return encode(plane, canvas, kept, out);
}

}  // namespace kw
