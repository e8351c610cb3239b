#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "gui/interface_language.h"

// A language module as the program reads it at start-up: whatever the bytes, loading fails
// with a message or gives a module whose code and texts can be read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/orvella-fuzz-module-" + std::to_string(::getpid());
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    auto module = orvella::LanguageModuleTranslator::Load(path);
    if (module.ok()) {
        (*module)->Code();
        (*module)->CatalogueTexts();
    }
    return 0;
}
