#pragma once

// libjpeg's headers need the declarations of <cstdio> before them.
#include <csetjmp>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace orvella {

// libjpeg's error handling made safe for us: instead of ending the process, an error (and a
// warning that data is missing or broken) stores its text and jumps back to the setjmp of the
// stage that called libjpeg. Those stages hold only trivially destructible locals, so the jump
// skips no destructor; every C++ object lives outside them.
struct JpegErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool truncated;  // the file ended before the picture did
};

// Sets up `manager` and hands it to `cinfo`; call before jpeg_create_*.
void InstallJpegErrorManager(jpeg_common_struct* cinfo, JpegErrorManager* manager);

}  // namespace orvella
