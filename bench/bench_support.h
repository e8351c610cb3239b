#pragma once

#include <optional>
#include <string>
#include <vector>

#include "codecs/bitmap.h"

namespace orvella::bench {

// Resets the kernel's peak-RSS counter of this process, so a step reports its own peak.
void ResetPeakMemory();
// VmHWM of this process in KiB; -1 when /proc does not tell.
long PeakMemoryKiB();
// VmRSS, what it holds now, likewise.
long MemoryKiB();

// A photo-sized picture the encoder cannot cheat on: gradients with noise.
Bitmap SyntheticPhoto(int width, int height);

// The program's full path when it is on PATH.
std::optional<std::string> FindOnPath(const std::string& program);
// Runs a program with an argument vector (no shell) and waits for it; true on exit code 0.
bool Run(const std::vector<std::string>& arguments);
// Runs and prints the wall time under `label`; the time in ms, or -1 when it failed.
double TimeTool(const char* label, const std::vector<std::string>& arguments);

// A fresh folder under the temporary folder and in it "in.jpg", a SyntheticPhoto of
// width x height at quality 92; prints the source line with the target size. nullopt when
// either could not be made.
struct BenchFiles {
    std::string folder;
    std::string input;
};
std::optional<BenchFiles> MakeSourceJpeg(int width, int height, int target_width,
                                         int target_height);

// Times vipsthumbnail and ImageMagick's convert stretching `input` to exactly width x height
// at quality 92, where they are on PATH, and prints each time over `ours_ms`.
void CompareWithTools(const std::string& input, const std::string& folder, int width, int height,
                      double ours_ms);

}  // namespace orvella::bench
