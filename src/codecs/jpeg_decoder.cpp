#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "codecs/codec_messages.h"
#include "codecs/compose.h"
#include "codecs/decoders.h"
#include "codecs/jpeg_error.h"
#include "codecs/resample.h"

namespace orvella {
namespace {

// A progressive file may hold any number of scans, each a pass over the whole picture; a
// damaged or hostile one with thousands of tiny scans would keep the decoder busy for
// minutes. Real encoders write about ten.
constexpr int kMaxScans = 500;

// libjpeg's decompressor with our error manager, destroyed with its owner.
class Decompressor {
public:
    Decompressor() {
        std::memset(&cinfo_, 0, sizeof cinfo_);
        std::memset(&progress_, 0, sizeof progress_);
        InstallJpegErrorManager(reinterpret_cast<j_common_ptr>(&cinfo_), &errors_);
    }
    ~Decompressor() {
        if (created_)
            jpeg_destroy_decompress(&cinfo_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct* cinfo() { return &cinfo_; }
    JpegErrorManager* errors() { return &errors_; }
    jpeg_progress_mgr* progress() { return &progress_; }
    void set_created() { created_ = true; }

    Status Failure() const {
        return Status::Error(
            CodecText(errors_.truncated ? CodecMessage::Truncated : CodecMessage::Damaged,
                      std::string("JPEG: ") + errors_.message));
    }

private:
    jpeg_decompress_struct cinfo_;
    JpegErrorManager errors_;
    jpeg_progress_mgr progress_;
    bool created_ = false;
};

void CheckScanCount(j_common_ptr cinfo) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > kMaxScans) {
        auto* errors = reinterpret_cast<JpegErrorManager*>(cinfo->err);
        std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
        std::longjmp(errors->jump, 1);
    }
}

// The stages below call libjpeg under a setjmp. They hold only trivially destructible
// locals, so an error's longjmp back to them skips no destructor; each returns false after
// an error, with the message in the error manager.

bool CreateAndReadHeader(Decompressor& d, const std::uint8_t* data, std::size_t size) {
    j_decompress_ptr cinfo = d.cinfo();
    if (setjmp(d.errors()->jump))
        return false;
    jpeg_create_decompress(cinfo);
    d.set_created();
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    return true;
}

// Picks the smallest scale n/8 whose output still covers min_width x min_height, so the
// resampler has enough pixels to work from; 8/8 when no size is asked for.
bool ChooseScale(Decompressor& d, int min_width, int min_height, long memory_limit) {
    j_decompress_ptr cinfo = d.cinfo();
    if (setjmp(d.errors()->jump))
        return false;
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    cinfo->mem->max_memory_to_use = memory_limit;
    d.progress()->progress_monitor = CheckScanCount;
    cinfo->progress = d.progress();
    cinfo->scale_denom = 8;
    const bool natural = min_width <= 0 && min_height <= 0;
    for (unsigned num = natural ? 8 : 1; num <= 8; ++num) {
        cinfo->scale_num = num;
        jpeg_calc_output_dimensions(cinfo);
        if (num == 8 || (static_cast<int>(cinfo->output_width) >= min_width &&
                         static_cast<int>(cinfo->output_height) >= min_height))
            break;
    }
    return true;
}

// CMYK as Adobe's programs write it stores inverted ink values.
void CmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, unsigned width, bool inverted) {
    for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
        rgb[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        rgb[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
    }
}

// Where the decoded rows go: into the rows of `bitmap`, or one by one through `scratch`
// (one Rgb row) to `resizer`.
struct RowTarget {
    Bitmap* bitmap = nullptr;
    RowResizer* resizer = nullptr;
    std::uint8_t* scratch = nullptr;
};

// Decodes every row to `target`; `cmyk_row` is a buffer of one CMYK row when the output is
// CMYK.
bool DecodeRows(Decompressor& d, const RowTarget& target, std::uint8_t* cmyk_row) {
    j_decompress_ptr cinfo = d.cinfo();
    if (setjmp(d.errors()->jump))
        return false;
    jpeg_start_decompress(cinfo);
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        const unsigned y = cinfo->output_scanline;
        std::uint8_t* rgb =
            target.bitmap != nullptr ? target.bitmap->row(static_cast<int>(y)) : target.scratch;
        JSAMPROW row = cmyk_row != nullptr ? cmyk_row : rgb;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            return false;  // cannot happen with a memory source, which never suspends
        if (cmyk_row != nullptr)
            CmykToRgb(cmyk_row, rgb, cinfo->output_width, inverted);
        if (target.resizer != nullptr)
            target.resizer->Push(rgb);
    }
    return true;
}

// Decodes the rows of `region` (inside the picture) to `sink`: the rows above are skipped,
// the columns cropped to the iMCU columns that hold it, and the decoding stops after its last
// row. `row` is resized to one cropped output row, `rgb` to one row of the region.
bool DecodeRegionRows(Decompressor& d, const Rect& region, const RegionRow& sink,
                      std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& rgb) {
    j_decompress_ptr cinfo = d.cinfo();
    if (setjmp(d.errors()->jump))
        return false;
    jpeg_start_decompress(cinfo);
    // One iMCU column more on each side: the upsampler treats the crop's edges as the
    // picture's, which would change the region's outer columns.
    const int margin = cinfo->max_h_samp_factor * DCTSIZE;
    const int left = std::max(0, region.x - margin);
    auto x = static_cast<JDIMENSION>(left);
    auto width = static_cast<JDIMENSION>(
        std::min(static_cast<int>(cinfo->output_width), region.x + region.width + margin) - left);
    jpeg_crop_scanline(cinfo, &x, &width);  // widens to iMCU boundaries
    const unsigned skip = static_cast<unsigned>(region.x) - x;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    row.resize(static_cast<std::size_t>(cinfo->output_width) * (cmyk ? 4 : 3));
    rgb.resize(cmyk ? static_cast<std::size_t>(region.width) * 3 : 0);
    if (region.y > 0)
        jpeg_skip_scanlines(cinfo, static_cast<JDIMENSION>(region.y));
    for (int y = 0; y < region.height; ++y) {
        JSAMPROW samples = row.data();
        if (jpeg_read_scanlines(cinfo, &samples, 1) != 1)
            return false;  // cannot happen with a memory source, which never suspends
        if (cmyk)
            CmykToRgb(row.data() + skip * 4, rgb.data(), static_cast<unsigned>(region.width),
                      cinfo->saw_Adobe_marker);
        sink(y, cmyk ? rgb.data() : row.data() + skip * 3);
    }
    return true;
}

// Reads the header and picks the output scale for at least min_width x min_height.
Status Prepare(Decompressor& d, ByteSpan bytes, const DecodeOptions& options) {
    if (bytes.empty())
        return Status::Error(CodecText(CodecMessage::Truncated, "JPEG"));
    if (!CreateAndReadHeader(d, bytes.data(), bytes.size()))
        return d.Failure();
    j_decompress_ptr cinfo = d.cinfo();
    if (Status size =
            CheckDeclaredSize(bytes, cinfo->image_width, cinfo->image_height, options, "JPEG");
        !size)
        return size;
    // Enough for a progressive file's coefficients (2 bytes a sample, 4 components at full
    // resolution) at the pixel limit, and a refusal beyond instead of an allocation.
    const auto memory_limit = static_cast<long>(
        std::min<std::uint64_t>(options.max_pixels * 8 + (std::uint64_t{16} << 20), 1L << 40));
    if (!ChooseScale(d, options.min_width, options.min_height, memory_limit))
        return d.Failure();
    return Status::Ok();
}

std::vector<std::uint8_t> CmykRow(Decompressor& d) {
    j_decompress_ptr cinfo = d.cinfo();
    return std::vector<std::uint8_t>(
        cinfo->out_color_space == JCS_CMYK ? static_cast<std::size_t>(cinfo->output_width) * 4 : 0);
}

}  // namespace

Result<NaturalSize> ReadJpegSize(ByteSpan bytes) {
    if (bytes.empty())
        return Status::Error(CodecText(CodecMessage::Truncated, "JPEG"));
    Decompressor d;
    if (!CreateAndReadHeader(d, bytes.data(), bytes.size()))
        return d.Failure();
    return NaturalSize{static_cast<int>(d.cinfo()->image_width),
                       static_cast<int>(d.cinfo()->image_height)};
}

Result<Bitmap> DecodeJpeg(ByteSpan bytes, const DecodeOptions& options) {
    Decompressor d;
    if (Status prepared = Prepare(d, bytes, options); !prepared)
        return prepared;
    j_decompress_ptr cinfo = d.cinfo();
    Result<Bitmap> created = Bitmap::Create(static_cast<int>(cinfo->output_width),
                                            static_cast<int>(cinfo->output_height),
                                            PixelFormat::Rgb, options.max_pixels);
    if (!created)
        return created.status();
    Bitmap bitmap = std::move(created).value();
    std::vector<std::uint8_t> cmyk_row = CmykRow(d);
    if (!DecodeRows(d, RowTarget{.bitmap = &bitmap}, cmyk_row.empty() ? nullptr : cmyk_row.data()))
        return d.Failure();
    return bitmap;
}

Result<Bitmap> DecodeJpegResized(ByteSpan bytes, int width, int height) {
    Decompressor d;
    if (Status prepared =
            Prepare(d, bytes, DecodeOptions{.min_width = width, .min_height = height});
        !prepared)
        return prepared;
    j_decompress_ptr cinfo = d.cinfo();
    Result<RowResizer> resizer =
        RowResizer::Create(static_cast<int>(cinfo->output_width),
                           static_cast<int>(cinfo->output_height), width, height);
    if (!resizer)
        return resizer.status();
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(cinfo->output_width) * 3);
    std::vector<std::uint8_t> cmyk_row = CmykRow(d);
    if (!DecodeRows(d, RowTarget{.resizer = &*resizer, .scratch = scratch.data()},
                    cmyk_row.empty() ? nullptr : cmyk_row.data()))
        return d.Failure();
    return std::move(*resizer).Finish();
}

Result<Bitmap> DecodeJpegRegion(ByteSpan bytes, Rect region) {
    Bitmap bitmap;
    const Status decoded = DecodeJpegRegionRows(
        bytes, region,
        [&](const Rect& part) {
            Result<Bitmap> created = Bitmap::Create(part.width, part.height, PixelFormat::Rgb);
            if (!created)
                return created.status();
            bitmap = std::move(created).value();
            return Status::Ok();
        },
        [&](int y, const std::uint8_t* rgb) {
            std::memcpy(bitmap.row(y), rgb, static_cast<std::size_t>(bitmap.width()) * 3);
        });
    if (!decoded)
        return decoded;
    return bitmap;
}

Status DecodeJpegRegionRows(ByteSpan bytes, Rect region, const RegionStart& start,
                            const RegionRow& row) {
    Decompressor d;
    if (Status prepared = Prepare(d, bytes, DecodeOptions{}); !prepared)
        return prepared;
    j_decompress_ptr cinfo = d.cinfo();
    const Rect whole{0, 0, static_cast<int>(cinfo->output_width),
                     static_cast<int>(cinfo->output_height)};
    if (region.width <= 0 || region.height <= 0 || region.x < 0 || region.y < 0 ||
        region.x + region.width > whole.width || region.y + region.height > whole.height)
        return Status::Error(CodecText(CodecMessage::NoArea));
    if (Status started = start(region); !started)
        return started;
    std::vector<std::uint8_t> cropped;
    std::vector<std::uint8_t> rgb;
    if (!DecodeRegionRows(d, region, row, cropped, rgb))
        return d.Failure();
    return Status::Ok();
}

}  // namespace orvella
