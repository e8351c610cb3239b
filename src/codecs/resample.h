#pragma once

#include <cstdint>
#include <memory>

#include "codecs/bitmap.h"
#include "platform/status.h"

namespace orvella {

// Stretches `source` to exactly width x height (each axis on its own, the aspect ratio is
// not kept) with a separable Lanczos-3 filter that widens with the reduction, so a
// downscale averages every source pixel instead of skipping some. Rgba is filtered with
// premultiplied alpha, so transparent pixels lend no colour to their neighbours. Works row
// by row: beyond source and result it holds only a few filtered rows.
Result<Bitmap> Resize(const Bitmap& source, int width, int height);

// The same filter for an opaque picture whose rows come one after another, as a decoder
// gives them: beyond the result it holds only the few source rows the next output row
// reads, never the whole source. The result equals Resize's.
class RowResizer {
public:
    static Result<RowResizer> Create(int source_width, int source_height, int width, int height);
    RowResizer(RowResizer&&) noexcept;
    RowResizer& operator=(RowResizer&&) noexcept;
    ~RowResizer();

    // The next source row, source_width Rgb pixels.
    void Push(const std::uint8_t* row);
    // The result, once every source row has been pushed.
    Bitmap Finish() &&;

private:
    struct State;
    explicit RowResizer(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace orvella
