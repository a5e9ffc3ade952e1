// JPEG pictures through libjpeg. libjpeg reports fatal errors through error_exit,
// which by default ends the process; ours jumps back here and the failure leaves as
// EInvalidGraphic, so a bad file is an error the user sees, never an exit. Warnings
// that mean lost image data (a truncated file, corrupt entropy data) count as errors
// too: a half-grey picture is not shown as if it were fine.
#include "platform/graphics/QtInternal.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

ROVE_IMPLEMENT_CLASS(TJPEGImage)

namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
    if (level >= 0) return;   // trace messages
    int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
        code == JWRN_MUST_RESYNC)
        ErrorExit(info);
    info->err->num_warnings++;
}

void OutputMessage(j_common_ptr) {}

void InstallErrorManager(TJpegError& error) {
    jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ErrorExit;
    error.Manager.emit_message = EmitMessage;
    error.Manager.output_message = OutputMessage;
    error.Message[0] = 0;
}

[[noreturn]] void RaiseJpeg(const char* message) {
    throw EInvalidGraphic(std::string("JPEG error: ") + message);
}

constexpr int64_t MaxJpegPixels = int64_t(1) << 28;

// Decodes into image (allocated here between the header and the scanlines). Returns
// false with error.Message set on failure. No object with a destructor is created
// after setjmp in this frame.
bool Decode(const uint8_t* data, size_t size, QImage& image, TJpegError& error) {
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    info.err = &error.Manager;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_calc_output_dimensions(&info);
    if (info.output_width == 0 || info.output_height == 0 ||
        int64_t(info.output_width) * info.output_height > MaxJpegPixels ||
        info.output_width > 65535 || info.output_height > 65535) {
        std::strcpy(error.Message, "the picture is too large");
        jpeg_destroy_decompress(&info);
        return false;
    }
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    if (image.isNull()) {
        std::strcpy(error.Message, "out of memory");
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted; the four bytes become B, G, R, X in place.
            uint8_t* p = row;
            int w = static_cast<int>(info.output_width);
            for (int x = 0; x < w; ++x, p += 4) {
                int c = p[0], m = p[1], y = p[2], k = p[3];
                uint8_t r = static_cast<uint8_t>(c * k / 255);
                uint8_t g = static_cast<uint8_t>(m * k / 255);
                uint8_t b = static_cast<uint8_t>(y * k / 255);
                p[0] = b;
                p[1] = g;
                p[2] = r;
                p[3] = 0xFF;
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool Encode(const QImage& source, int quality, unsigned char*& out, unsigned long& outSize,
            TJpegError& error) {
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof(info));
    info.err = &error.Manager;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(source.width());
    info.image_height = static_cast<JDIMENSION>(source.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(source.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::unique_ptr<TGraphic> TJPEGImage::Clone() const { return std::make_unique<TJPEGImage>(*this); }

void TJPEGImage::LoadFromBytes(const uint8_t* data, size_t size) {
    if (size < 3 || data[0] != 0xFF || data[1] != 0xD8) RaiseJpeg("Not a JPEG file: starts with other bytes");
    TJpegError error;
    InstallErrorManager(error);
    QImage image;
    if (!Decode(data, size, image, error)) RaiseJpeg(error.Message);
    auto pixels = std::make_unique<TBitmap>();
    SetBitmapImage(*pixels, image);
    SetDecoded(std::move(pixels), TBytes(data, data + size));
}

TBytes TJPEGImage::WriteData() const {
    TBytes out(4 + FData.size());
    uint32_t n = static_cast<uint32_t>(FData.size());
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (8 * i));
    if (!FData.empty()) std::memcpy(out.data() + 4, FData.data(), FData.size());
    return out;
}

void TJPEGImage::ReadData(const uint8_t* data, size_t size) {
    if (size < 4) throw EInvalidGraphic("Picture data is truncated");
    uint32_t n = uint32_t(data[0]) | (uint32_t(data[1]) << 8) | (uint32_t(data[2]) << 16) |
                 (uint32_t(data[3]) << 24);
    if (n > size - 4) throw EInvalidGraphic("Picture data is truncated");
    if (n == 0) {
        SetDecoded(std::make_unique<TBitmap>(), {});
        return;
    }
    LoadFromBytes(data + 4, n);
}

void TJPEGImage::Assign(const TBitmap& bitmap, int quality) {
    FQuality = std::clamp(quality, 1, 100);
    if (bitmap.Empty()) {
        SetDecoded(std::make_unique<TBitmap>(), {});
        return;
    }
    QImage source = BitmapImage(bitmap).convertToFormat(QImage::Format_RGB32);
    TJpegError error;
    InstallErrorManager(error);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    bool ok = Encode(source, FQuality, out, outSize, error);
    TBytes bytes;
    if (ok && out) bytes.assign(out, out + outSize);
    std::free(out);
    if (!ok) RaiseJpeg(error.Message);
    // Decode what was written, so that the pixels drawn are the ones stored.
    LoadFromBytes(bytes.data(), bytes.size());
}
