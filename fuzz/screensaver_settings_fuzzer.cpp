#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "settings/screen_saver_show.h"

// "Ovlscr.ini" as the screen saver reads it: whatever the file holds, the show stays within
// its bounds (a time of at least five seconds, a colour of three bytes) and names each
// problem it fell back on.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/orvella-fuzz-ovlscr-" + std::to_string(::getpid());
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const orvella::ScreenSaverShow show = orvella::ReadScreenSaverShow(path);
    if (show.time_ms < orvella::ScreenSaverShow::kShortestTimeMs || show.colour > 0xFFFFFF)
        std::abort();
    return 0;
}
