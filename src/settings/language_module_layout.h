#pragma once

#include <string_view>

namespace orvella {

// Whether a compiled language module (Qt Linguist's format: a magic number, then tagged
// blocks with 32-bit big-endian lengths) keeps every length and position inside the file,
// so that no lookup of Qt's translator can read past it. Qt checks only the block lengths
// when it loads a module and trusts the context table, the hash entries and the messages
// at each lookup; a module that fails here is damaged and must not reach the translator.
bool LanguageModuleLayoutIsSound(std::string_view bytes);

}  // namespace orvella
