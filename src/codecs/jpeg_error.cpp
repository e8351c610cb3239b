#include "codecs/jpeg_error.h"

#include <cstring>

// clang-format off
#include <jerror.h>
// clang-format on

namespace orvella {
namespace {

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
    JumpBack(cinfo);
}

// libjpeg goes on after these warnings with grey or garbage in place of the missing data;
// we refuse the picture instead. Milder warnings (stray bytes between markers, which many
// cameras write) are let through.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        reinterpret_cast<JpegErrorManager*>(cinfo->err)->truncated = true;
        JumpBack(cinfo);
    }
    if (code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC || code == JWRN_NOT_SEQUENTIAL)
        JumpBack(cinfo);
    ++cinfo->err->num_warnings;
}

void OutputMessage(j_common_ptr) {
    // Nothing goes to stderr: every message that matters comes back as a Status.
}

}  // namespace

void InstallJpegErrorManager(jpeg_common_struct* cinfo, JpegErrorManager* manager) {
    cinfo->err = jpeg_std_error(&manager->base);
    manager->base.error_exit = ErrorExit;
    manager->base.emit_message = EmitMessage;
    manager->base.output_message = OutputMessage;
    manager->message[0] = '\0';
    manager->truncated = false;
}

}  // namespace orvella
