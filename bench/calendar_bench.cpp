// Times the calendar wallpaper's picture preparation for a 3840 x 2160 screen from a
// 6000 x 4000 JPEG that it makes itself: stretched, tiled and centred. Each mode runs in a
// child process of its own, so its peak memory (VmHWM) is its own. Where vipsthumbnail and
// ImageMagick's convert are installed, the same stretch by them is timed for comparison.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "bench_support.h"
#include "platform/desktop/screen.h"
#include "platform/files/file_copy.h"
#include "wallpaper/calendar_images.h"

namespace {

using Clock = std::chrono::steady_clock;
using orvella::Status;
using orvella::TCalendarImages;

constexpr int kSourceWidth = 6000;
constexpr int kSourceHeight = 4000;
constexpr orvella::ScreenSize kScreen{3840, 2160};

// Runs `prepare` on a fresh copy in a child and prints its time and peak memory; the time
// in ms, or -1 when it failed.
double Mode(const char* name, const std::string& input, const std::string& folder,
            const std::function<Status(const TCalendarImages&, const std::string&)>& prepare) {
    const std::string copy = folder + "/Orvella.jpg";
    if (!orvella::CopyFileReplacing(input, copy).ok())
        return -1;
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0)
        return -1;
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        const orvella::HostScreen screen(kScreen, nullptr);
        const TCalendarImages images(folder + "/", screen);
        orvella::bench::ResetPeakMemory();
        const Clock::time_point start = Clock::now();
        const Status status = prepare(images, copy);
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("%-44s %9.1f ms %8.1f MiB peak%s\n", name, ms,
                    orvella::bench::PeakMemoryKiB() / 1024.0, status.ok() ? "" : "  FAILED");
        if (!status.ok()) {
            std::printf("  %s\n", status.message().c_str());
            ms = -1;
        }
        std::fflush(stdout);
        const bool sent = ::write(pipe_ends[1], &ms, sizeof ms) == sizeof ms;
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe_ends[1]);
    double ms = -1;
    if (child < 0 || ::read(pipe_ends[0], &ms, sizeof ms) != sizeof ms)
        ms = -1;
    ::close(pipe_ends[0]);
    int wait_status = 0;
    if (child > 0)
        ::waitpid(child, &wait_status, 0);
    return ms;
}

}  // namespace

int main() {
    const std::optional<orvella::bench::BenchFiles> files =
        orvella::bench::MakeSourceJpeg(kSourceWidth, kSourceHeight, kScreen.width, kScreen.height);
    if (!files)
        return 1;
    const std::string& folder = files->folder;
    const std::string& input = files->input;

    const double stretched = Mode("stretched: Orvella.jpg + Orvella2.jpg", input, folder,
                                  [](const TCalendarImages& images, const std::string& copy) {
                                      return images.PrepareStretched(copy);
                                  });
    Mode("tiled: Orvella.jpg + Orvella2.jpg", input, folder,
         [](const TCalendarImages& images, const std::string& copy) {
             return images.PrepareTiled(copy);
         });
    Mode("centred (centre part): Orvella2.jpg", input, folder,
         [](const TCalendarImages& images, const std::string& copy) {
             return images.PrepareCentred(copy);
         });

    std::printf("\nthe same stretch by other programs (one file, ours writes two):\n");
    orvella::bench::CompareWithTools(input, folder, kScreen.width, kScreen.height, stretched);
    std::filesystem::remove_all(folder);
    return 0;
}
