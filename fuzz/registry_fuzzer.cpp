#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry/registry_document.h"

// A registry file either fails with a message or parses; what parses is written so that it reads
// back to the same document.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvella::Result<orvella::RegistryDocument> document =
        orvella::RegistryDocument::Parse(text, "fuzz.reg");
    if (!document) {
        if (document.message().empty())
            std::abort();
        return 0;
    }
    const std::string written = document->Serialize();
    orvella::Result<orvella::RegistryDocument> again =
        orvella::RegistryDocument::Parse(written, "again.reg");
    if (!again || !(*again == *document))
        std::abort();
    if (again->Serialize() != written)
        std::abort();
    return 0;
}
