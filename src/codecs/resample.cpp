#include "codecs/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <system_error>
#include <thread>
#include <vector>

namespace orvella {
namespace {

// Weights are fixed-point with 22 fraction bits: the sum of a Lanczos-3 window's absolute
// weights stays under 1.3, so 255 times it fits an int32 with room to spare.
constexpr int kWeightBits = 22;
constexpr std::int32_t kOne = std::int32_t{1} << kWeightBits;
constexpr double kLobes = 3.0;

double Lanczos(double x) {
    x = std::abs(x);
    if (x < 1e-8)
        return 1.0;
    if (x >= kLobes)
        return 0.0;
    const double pi_x = std::numbers::pi * x;
    return kLobes * std::sin(pi_x) * std::sin(pi_x / kLobes) / (pi_x * pi_x);
}

// The filter of one axis: for each output position, the first source position it reads
// and `taps` weights (zero past the window's end), precomputed once.
struct Kernel {
    int taps = 0;
    std::vector<int> first;
    std::vector<std::int32_t> weights;  // taps per output position
};

Kernel MakeKernel(int source_size, int target_size) {
    const double scale = static_cast<double>(source_size) / target_size;
    const double widen = std::max(scale, 1.0);
    const double support = kLobes * widen;
    Kernel kernel;
    kernel.taps = std::min(source_size, static_cast<int>(std::ceil(support)) * 2 + 1);
    kernel.first.resize(static_cast<std::size_t>(target_size));
    kernel.weights.assign(static_cast<std::size_t>(target_size) * kernel.taps, 0);
    std::vector<double> raw(static_cast<std::size_t>(kernel.taps));
    for (int i = 0; i < target_size; ++i) {
        const double centre = (i + 0.5) * scale;
        int begin = std::max(0, static_cast<int>(std::floor(centre - support + 0.5)));
        int end = std::min(source_size, static_cast<int>(std::floor(centre + support + 0.5)));
        end = std::min(end, begin + kernel.taps);
        if (end <= begin) {  // a window that fell off the edge: the nearest pixel
            begin = std::clamp(static_cast<int>(centre), 0, source_size - 1);
            end = begin + 1;
        }
        double sum = 0;
        for (int j = begin; j < end; ++j) {
            raw[static_cast<std::size_t>(j - begin)] = Lanczos((j + 0.5 - centre) / widen);
            sum += raw[static_cast<std::size_t>(j - begin)];
        }
        if (sum == 0) {  // cannot happen for Lanczos near its centre; keeps the weights sane
            raw[0] = 1;
            sum = 1;
        }
        // A window near the far edge starts early enough that every tap reads inside.
        const int shift = std::min(begin, source_size - kernel.taps);
        kernel.first[static_cast<std::size_t>(i)] = shift;
        std::int32_t* w = kernel.weights.data() + static_cast<std::size_t>(i) * kernel.taps;
        std::int32_t total = 0;
        int largest = begin - shift;
        for (int j = begin; j < end; ++j) {
            const double weight = raw[static_cast<std::size_t>(j - begin)] / sum;
            w[j - shift] = static_cast<std::int32_t>(std::lround(weight * kOne));
            total += w[j - shift];
            if (w[j - shift] > w[largest])
                largest = j - shift;
        }
        w[largest] += kOne - total;  // the rounding error, so a flat colour stays exact
    }
    return kernel;
}

inline std::uint8_t ClampToByte(std::int32_t accumulated) {
    const std::int32_t value = (accumulated + (kOne >> 1)) >> kWeightBits;
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

template <int kChannels>
void FilterRow(const std::uint8_t* source, const Kernel& kernel, std::uint8_t* out,
               int target_width) {
    for (int x = 0; x < target_width; ++x) {
        const std::uint8_t* p =
            source +
            static_cast<std::size_t>(kernel.first[static_cast<std::size_t>(x)]) * kChannels;
        const std::int32_t* w = kernel.weights.data() + static_cast<std::size_t>(x) * kernel.taps;
        std::int32_t sum[kChannels] = {};
        for (int k = 0; k < kernel.taps; ++k, p += kChannels)
            for (int c = 0; c < kChannels; ++c)
                sum[c] += w[k] * p[c];
        for (int c = 0; c < kChannels; ++c)
            out[static_cast<std::size_t>(x) * kChannels + c] = ClampToByte(sum[c]);
    }
}

void Premultiply(const std::uint8_t* source, std::uint8_t* out, int width) {
    for (int x = 0; x < width; ++x, source += 4, out += 4) {
        const unsigned a = source[3];
        out[0] = static_cast<std::uint8_t>((source[0] * a + 127) / 255);
        out[1] = static_cast<std::uint8_t>((source[1] * a + 127) / 255);
        out[2] = static_cast<std::uint8_t>((source[2] * a + 127) / 255);
        out[3] = static_cast<std::uint8_t>(a);
    }
}

void Unpremultiply(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        const unsigned a = row[3];
        for (int c = 0; c < 3; ++c)
            row[c] =
                a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (row[c] * 255u + a / 2) / a));
    }
}

// Fills the target rows [first_row, end_row); the bands of one picture share nothing but the
// kernels and the source, so they can be filled in parallel.
template <int kChannels>
void ResizeBand(const Bitmap& source, const Kernel& across, const Kernel& down, Bitmap& target,
                int first_row, int end_row) {
    const int target_width = target.width();
    const std::size_t row_size = static_cast<std::size_t>(target_width) * kChannels;

    // The rows filtered across, kept in a ring as long as a later output row needs them.
    const int ring_rows = down.taps;
    std::vector<std::uint8_t> ring(row_size * static_cast<std::size_t>(ring_rows));
    std::vector<std::uint8_t> premultiplied;
    if (kChannels == 4)
        premultiplied.resize(source.stride());
    std::vector<std::int32_t> sum(row_size);
    int filtered = down.first[static_cast<std::size_t>(first_row)];  // next source row to filter
    const auto ring_row = [&](int y) {
        return ring.data() + static_cast<std::size_t>(y % ring_rows) * row_size;
    };

    for (int y = first_row; y < end_row; ++y) {
        const int first = down.first[static_cast<std::size_t>(y)];
        for (; filtered < first + down.taps; ++filtered) {
            const std::uint8_t* row = source.row(filtered);
            if (kChannels == 4) {
                Premultiply(row, premultiplied.data(), source.width());
                row = premultiplied.data();
            }
            FilterRow<kChannels>(row, across, ring_row(filtered), target_width);
        }
        std::fill(sum.begin(), sum.end(), 0);
        const std::int32_t* w = down.weights.data() + static_cast<std::size_t>(y) * down.taps;
        for (int k = 0; k < down.taps; ++k) {
            if (w[k] == 0)
                continue;
            const std::uint8_t* row = ring_row(first + k);
            const std::int32_t weight = w[k];
            for (std::size_t i = 0; i < row_size; ++i)
                sum[i] += weight * row[i];
        }
        std::uint8_t* out = target.row(y);
        for (std::size_t i = 0; i < row_size; ++i)
            out[i] = ClampToByte(sum[i]);
        if (kChannels == 4)
            Unpremultiply(out, target_width);
    }
}

// One output row of an opaque picture, filtered down first, straight from the source rows
// (`source_row(i)` gives row i), then across: the pass across, which cannot run over
// contiguous bytes, then works on the target's row only. `sum` and `filtered_down` are
// scratch of one source row each.
template <class SourceRow>
void FilterOpaqueRow(const Kernel& across, const Kernel& down, int y, const SourceRow& source_row,
                     std::vector<std::int32_t>& sum, std::vector<std::uint8_t>& filtered_down,
                     Bitmap& target) {
    const int first = down.first[static_cast<std::size_t>(y)];
    const std::int32_t* w = down.weights.data() + static_cast<std::size_t>(y) * down.taps;
    std::fill(sum.begin(), sum.end(), 0);
    for (int k = 0; k < down.taps; ++k) {
        if (w[k] == 0)
            continue;
        const std::uint8_t* row = source_row(first + k);
        const std::int32_t weight = w[k];
        for (std::size_t i = 0; i < sum.size(); ++i)
            sum[i] += weight * row[i];
    }
    for (std::size_t i = 0; i < sum.size(); ++i)
        filtered_down[i] = ClampToByte(sum[i]);
    FilterRow<3>(filtered_down.data(), across, target.row(y), target.width());
}

void ResizeOpaqueBand(const Bitmap& source, const Kernel& across, const Kernel& down,
                      Bitmap& target, int first_row, int end_row) {
    std::vector<std::int32_t> sum(source.stride());
    std::vector<std::uint8_t> filtered_down(source.stride());
    const auto source_row = [&source](int i) { return source.row(i); };
    for (int y = first_row; y < end_row; ++y)
        FilterOpaqueRow(across, down, y, source_row, sum, filtered_down, target);
}

// Below this many output pixels a second thread costs more than it saves.
constexpr std::int64_t kParallelPixels = 1 << 20;

template <int kChannels>
void ResizeBandOf(const Bitmap& source, const Kernel& across, const Kernel& down, Bitmap& target,
                  int first_row, int end_row) {
    if constexpr (kChannels == 3)
        ResizeOpaqueBand(source, across, down, target, first_row, end_row);
    else
        ResizeBand<kChannels>(source, across, down, target, first_row, end_row);
}

template <int kChannels>
void ResizeWith(const Bitmap& source, Bitmap& target) {
    const Kernel across = MakeKernel(source.width(), target.width());
    const Kernel down = MakeKernel(source.height(), target.height());
    const int height = target.height();
    if (static_cast<std::int64_t>(target.width()) * height < kParallelPixels || height < 2) {
        ResizeBandOf<kChannels>(source, across, down, target, 0, height);
        return;
    }
    // The picture's upper half in a second thread, the lower half here.
    const int middle = height / 2;
    std::thread upper;
    try {
        upper =
            std::thread([&] { ResizeBandOf<kChannels>(source, across, down, target, 0, middle); });
    } catch (const std::system_error&) {
        // No thread to be had (a process at its limit): the same result, one band after the other.
        ResizeBandOf<kChannels>(source, across, down, target, 0, middle);
    }
    ResizeBandOf<kChannels>(source, across, down, target, middle, height);
    if (upper.joinable())
        upper.join();
}

}  // namespace

Result<Bitmap> Resize(const Bitmap& source, int width, int height) {
    if (source.empty())
        return CheckPictureSize(0, 0, kMaxPixels);
    Result<Bitmap> created = Bitmap::Create(width, height, source.format());
    if (!created)
        return created;
    Bitmap target = std::move(created).value();
    if (source.format() == PixelFormat::Rgba)
        ResizeWith<4>(source, target);
    else
        ResizeWith<3>(source, target);
    return target;
}

struct RowResizer::State {
    Kernel across;
    Kernel down;
    Bitmap target;
    std::size_t source_row = 0;
    std::vector<std::uint8_t> ring;  // the last `down.taps` source rows
    std::vector<std::int32_t> sum;
    std::vector<std::uint8_t> filtered_down;
    int pushed = 0;
    int next_output = 0;

    std::uint8_t* RingRow(int i) {
        return ring.data() + static_cast<std::size_t>(i % down.taps) * source_row;
    }
};

Result<RowResizer> RowResizer::Create(int source_width, int source_height, int width, int height) {
    if (Status size = CheckPictureSize(source_width, source_height, kMaxPixels); !size)
        return size;
    Result<Bitmap> target = Bitmap::Create(width, height, PixelFormat::Rgb);
    if (!target)
        return target.status();
    auto state = std::make_unique<State>();
    state->across = MakeKernel(source_width, width);
    state->down = MakeKernel(source_height, height);
    state->target = std::move(target).value();
    state->source_row = static_cast<std::size_t>(source_width) * 3;
    state->ring.resize(state->source_row * static_cast<std::size_t>(state->down.taps));
    state->sum.resize(state->source_row);
    state->filtered_down.resize(state->source_row);
    return RowResizer(std::move(state));
}

RowResizer::RowResizer(std::unique_ptr<State> state) : state_(std::move(state)) {}
RowResizer::RowResizer(RowResizer&&) noexcept = default;
RowResizer& RowResizer::operator=(RowResizer&&) noexcept = default;
RowResizer::~RowResizer() = default;

void RowResizer::Push(const std::uint8_t* row) {
    State& s = *state_;
    std::copy_n(row, s.source_row, s.RingRow(s.pushed));
    ++s.pushed;
    const auto ring_row = [&s](int i) { return s.RingRow(i); };
    // Every output row whose window ends with this source row; the window's first row is
    // then the oldest one in the ring.
    while (s.next_output < s.target.height() &&
           s.down.first[static_cast<std::size_t>(s.next_output)] + s.down.taps <= s.pushed) {
        FilterOpaqueRow(s.across, s.down, s.next_output, ring_row, s.sum, s.filtered_down,
                        s.target);
        ++s.next_output;
    }
}

Bitmap RowResizer::Finish() && {
    return std::move(state_->target);
}

}  // namespace orvella
