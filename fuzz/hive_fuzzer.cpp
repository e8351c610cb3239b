#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry_hive.h"

// A hive either fails with a message or parses; what parses is written so that it reads
// back to the same hive.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvella::Result<orvella::RegistryHive> hive = orvella::RegistryHive::Parse(text, "fuzz.reg");
    if (!hive) {
        if (hive.message().empty())
            std::abort();
        return 0;
    }
    const std::string written = hive->Serialize();
    orvella::Result<orvella::RegistryHive> again =
        orvella::RegistryHive::Parse(written, "again.reg");
    if (!again || !(*again == *hive))
        std::abort();
    if (again->Serialize() != written)
        std::abort();
    return 0;
}
