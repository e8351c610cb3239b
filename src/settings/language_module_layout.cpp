#include "settings/language_module_layout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvella {
namespace {

constexpr std::string_view kMagic =
    "\x3c\xb8\x64\x18\xca\xef\x9c\x95\xcd\x21\x1c\xbf\x60\xa1\xbd\xdd";

// The tags of the file's blocks.
enum BlockTag : unsigned char {
    kContexts = 0x2f,
    kHashes = 0x42,
    kMessages = 0x69,
    kDependencies = 0x96,
};

// The tags inside one message.
enum MessageTag : unsigned char {
    kEnd = 1,
    kTranslation = 3,
    kObsolete1 = 5,
    kSourceText = 6,
    kContext = 7,
    kComment = 8,
};

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>((static_cast<unsigned char>(bytes[at]) << 8) |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

struct Blocks {
    std::string_view contexts;
    std::string_view hashes;
    std::string_view messages;
    bool dependencies = false;
};

// The blocks as Qt's loader walks them: it stops at a zero tag or length or when fewer than
// six bytes are left, and a later block of a tag replaces an earlier one.
std::optional<Blocks> SplitBlocks(std::string_view bytes) {
    if (!bytes.starts_with(kMagic))
        return std::nullopt;
    Blocks blocks;
    std::size_t at = kMagic.size();
    while (at + 5 < bytes.size()) {
        const auto tag = static_cast<unsigned char>(bytes[at]);
        const std::uint32_t length = Read32(bytes, at + 1);
        at += 5;
        if (tag == 0 || length == 0)
            break;
        if (length > bytes.size() - at)
            return std::nullopt;
        const std::string_view block = bytes.substr(at, length);
        if (tag == kContexts)
            blocks.contexts = block;
        else if (tag == kHashes)
            blocks.hashes = block;
        else if (tag == kMessages)
            blocks.messages = block;
        else if (tag == kDependencies)
            blocks.dependencies = true;
        at += length;
    }
    return blocks;
}

// The context table: a bucket count, the buckets' positions (in two-byte steps) into a pool,
// and in the pool chains of length-prefixed names, each ended by a zero length. A lookup
// walks the chain its bucket names; every chain must end inside the pool.
bool ContextsAreSound(std::string_view contexts) {
    if (contexts.empty())
        return true;
    if (contexts.size() < 2)
        return false;
    const std::size_t buckets = Read16(contexts, 0);
    if (buckets == 0 || contexts.size() < 2 + 2 * buckets)
        return false;
    const std::string_view pool = contexts.substr(2 + 2 * buckets);
    // ends[p]: a chain read from p ends inside the pool. Each name moves forward, so one pass
    // from the back settles every position.
    std::vector<bool> ends(pool.size() + 1, false);
    for (std::size_t p = pool.size(); p-- > 0;) {
        const std::size_t length = static_cast<unsigned char>(pool[p]);
        const std::size_t next = p + 1 + length;
        ends[p] = length == 0 || (next < pool.size() && ends[next]);
    }
    for (std::size_t bucket = 0; bucket < buckets; ++bucket) {
        const std::size_t start = 2 * std::size_t{Read16(contexts, 2 + 2 * bucket)};
        if (start != 0 && (start >= pool.size() || !ends[start]))
            return false;
    }
    return true;
}

// Where a message field read at `at` (its tag's position) ends, or nothing when its length
// or its text reaches past the block. A comment's first byte is read even when it is empty.
std::optional<std::size_t> FieldEnd(std::string_view messages, std::size_t at) {
    const auto tag = static_cast<unsigned char>(messages[at]);
    if (at + 5 > messages.size())
        return std::nullopt;
    if (tag == kObsolete1)
        return at + 5;
    const std::size_t length = Read32(messages, at + 1);
    if (tag == kTranslation && length % 2 != 0)
        return std::nullopt;
    const std::size_t text = tag == kComment && length == 0 ? 1 : length;
    if (text > messages.size() - (at + 5))
        return std::nullopt;
    return at + 5 + length;
}

// Which positions of the message block a lookup may start reading at safely: the walk stops
// at the end tag, an unknown tag or the block's end, and every field must fit.
std::vector<bool> SafeMessageStarts(std::string_view messages) {
    std::vector<bool> safe(messages.size() + 1, false);
    safe[messages.size()] = true;
    for (std::size_t p = messages.size(); p-- > 0;) {
        const auto tag = static_cast<unsigned char>(messages[p]);
        const bool field = tag == kTranslation || tag == kObsolete1 || tag == kSourceText ||
                           tag == kContext || tag == kComment;
        if (!field) {
            safe[p] = true;  // the end tag, or one the lookup gives up at
            continue;
        }
        const std::optional<std::size_t> next = FieldEnd(messages, p);
        safe[p] = next && safe[*next];
    }
    return safe;
}

// The hash table: pairs of a hash and a message position, each inside the message block
// and at a message that reads safely.
bool HashesAreSound(std::string_view hashes, std::string_view messages) {
    if (hashes.size() % 8 != 0)
        return false;
    if (hashes.empty())
        return true;
    const std::vector<bool> safe = SafeMessageStarts(messages);
    for (std::size_t at = 0; at < hashes.size(); at += 8) {
        const std::size_t message = Read32(hashes, at + 4);
        if (message >= messages.size() || !safe[message])
            return false;
    }
    return true;
}

}  // namespace

bool LanguageModuleLayoutIsSound(std::string_view bytes) {
    const std::optional<Blocks> blocks = SplitBlocks(bytes);
    // A module that names others would make Qt load further files by name; ours never do.
    return blocks && !blocks->dependencies && ContextsAreSound(blocks->contexts) &&
           HashesAreSound(blocks->hashes, blocks->messages);
}

}  // namespace orvella
