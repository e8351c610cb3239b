#include "image_writers.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace orvella::testing {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string InfoHeader(const DibFields& fields) {
    std::string out;
    Put32(out, static_cast<std::uint32_t>(fields.header_size));
    Put32(out, static_cast<std::uint32_t>(fields.width));
    Put32(out, static_cast<std::uint32_t>(fields.height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(fields.bits));
    Put32(out, fields.compression);
    Put32(out, 0);  // image size: may be 0 for uncompressed pictures
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, fields.colours_used);
    Put32(out, 0);
    for (int i = 0; i < 4 && out.size() + 4 <= fields.header_size; ++i)
        Put32(out, fields.masks[i]);
    out.resize(fields.header_size, '\0');
    return out;
}

std::string CoreHeader(int width, int height, int bits) {
    std::string out;
    Put32(out, 12);
    Put16(out, static_cast<std::uint32_t>(width));
    Put16(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    return out;
}

std::string BmpFile(const std::string& dib, std::size_t pixels_at) {
    std::string out = "BM";
    Put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(14 + pixels_at));
    return out + dib;
}

std::string PaletteEntries(const std::vector<Colour>& colours, bool core) {
    std::string out;
    for (const Colour& c : colours) {
        out.push_back(static_cast<char>(c.b));
        out.push_back(static_cast<char>(c.g));
        out.push_back(static_cast<char>(c.r));
        if (!core)
            out.push_back('\0');
    }
    return out;
}

std::string IcoFile(const std::vector<IconImage>& images) {
    std::string out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        out.push_back(static_cast<char>(image.width >= 256 ? 0 : image.width));
        out.push_back(static_cast<char>(image.height >= 256 ? 0 : image.height));
        out.push_back('\0');  // colour count
        out.push_back('\0');
        Put16(out, 1);
        Put16(out, static_cast<std::uint32_t>(image.bits));
        Put32(out, static_cast<std::uint32_t>(image.data.size()));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += image.data.size();
    }
    for (const IconImage& image : images)
        out += image.data;
    return out;
}

namespace {

void WritePngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void FlushPng(png_structp) {}

// Only trivially destructible locals between setjmp and the library calls.
bool WritePng(png_structp png, png_infop info, const PngSpec* spec, std::string* out,
              png_color* palette, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, WritePngBytes, FlushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(spec->width),
                 static_cast<png_uint_32>(spec->height), spec->bit_depth, spec->colour_type,
                 spec->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec->palette.empty())
        png_set_PLTE(png, info, palette, static_cast<int>(spec->palette.size()));
    if (!spec->trns.empty()) {
        png_set_tRNS(png, info, spec->trns.data(), static_cast<int>(spec->trns.size()), nullptr);
    } else if (spec->has_key) {
        png_color_16 key{};
        key.gray = spec->trns_grey;
        key.red = spec->trns_rgb.r;
        key.green = spec->trns_rgb.g;
        key.blue = spec->trns_rgb.b;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

}  // namespace

std::string EncodePng(const PngSpec& spec) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> palette;
    for (const Colour& c : spec.palette)
        palette.push_back(png_color{c.r, c.g, c.b});
    std::vector<std::vector<std::uint8_t>> rows = spec.rows;
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    const bool written = WritePng(png, info, &spec, &out, palette.data(), pointers.data());
    png_destroy_write_struct(&png, &info);
    EXPECT_TRUE(written) << "libpng could not write the test picture";
    return out;
}

std::string EncodePng(const Bitmap& bitmap) {
    PngSpec spec;
    spec.width = bitmap.width();
    spec.height = bitmap.height();
    spec.colour_type =
        bitmap.format() == PixelFormat::Rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < bitmap.height(); ++y)
        spec.rows.emplace_back(bitmap.row(y), bitmap.row(y) + bitmap.stride());
    return EncodePng(spec);
}

namespace {

int WriteGifBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

bool PutFrame(GifFileType* gif, const GifSpec& spec, const std::vector<std::uint8_t>& indices,
              int transparent) {
    if (transparent >= 0) {
        GraphicsControlBlock control{};
        control.TransparentColor = transparent;
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
            GIF_ERROR)
            return false;
    }
    if (EGifPutImageDesc(gif, spec.left, spec.top, spec.width, spec.height, spec.interlaced,
                         nullptr) == GIF_ERROR)
        return false;
    std::vector<int> order;
    if (spec.interlaced) {
        const int start[] = {0, 4, 2, 1};
        const int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < spec.height; y += step[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < spec.height; ++y)
            order.push_back(y);
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(spec.width));
    for (int y : order) {
        std::memcpy(line.data(), indices.data() + static_cast<std::size_t>(y) * spec.width,
                    line.size());
        if (EGifPutLine(gif, line.data(), spec.width) == GIF_ERROR)
            return false;
    }
    return true;
}

}  // namespace

std::string EncodeGif(const GifSpec& spec) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteGifBytes, &error);
    EXPECT_NE(gif, nullptr);
    if (gif == nullptr)
        return out;
    std::vector<GifColorType> entries;
    for (const Colour& c : spec.colours)
        entries.push_back(GifColorType{c.r, c.g, c.b});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
    EGifSetGifVersion(gif, true);
    bool ok = map != nullptr &&
              EGifPutScreenDesc(gif, spec.screen_width, spec.screen_height, 8, 0, map) != GIF_ERROR;
    ok = ok && PutFrame(gif, spec, spec.indices, spec.transparent);
    if (ok && spec.second_frame) {
        const std::vector<std::uint8_t> zeros(spec.indices.size(), 0);
        ok = PutFrame(gif, spec, zeros, -1);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    EXPECT_TRUE(ok) << "giflib could not write the test picture";
    return out;
}

namespace {

struct JpegTestError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegTestError*>(cinfo->err)->jump, 1);
}

bool CompressRaw(jpeg_compress_struct* cinfo, JpegTestError* error, int width, int height,
                 int components, const std::uint8_t* samples, bool progressive,
                 unsigned char** buffer, unsigned long* size) {
    if (setjmp(error->jump))
        return false;
    jpeg_mem_dest(cinfo, buffer, size);
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = components;
    cinfo->in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            samples + static_cast<std::size_t>(cinfo->next_scanline) * width * components);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

std::string EncodeRawJpeg(int width, int height, int components,
                          const std::vector<std::uint8_t>& samples, bool progressive) {
    jpeg_compress_struct cinfo{};
    JpegTestError error{};
    cinfo.err = jpeg_std_error(&error.base);
    error.base.error_exit = JumpOnError;
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = CompressRaw(&cinfo, &error, width, height, components, samples.data(),
                                progressive, &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    std::string out = ok ? std::string(reinterpret_cast<char*>(buffer), size) : std::string();
    std::free(buffer);
    EXPECT_TRUE(ok) << "libjpeg could not write the test picture";
    return out;
}

}  // namespace orvella::testing
