#include "platform/files/sys_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace orvella {
namespace {

int RealOpen(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

const SysIo kReal = {&RealOpen, &::write, &::fsync, &::close, &std::rename};

SysIo& Current() {
    static SysIo current = kReal;
    return current;
}

}  // namespace

const SysIo& CurrentSysIo() {
    return Current();
}
const SysIo& RealSysIo() {
    return kReal;
}

ScopedSysIo::ScopedSysIo(const SysIo& io) : previous_(Current()) {
    Current() = io;
}
ScopedSysIo::~ScopedSysIo() {
    Current() = previous_;
}

}  // namespace orvella
