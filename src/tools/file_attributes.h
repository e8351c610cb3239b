#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace orvella {

// The five entry attributes of the Windows directory search, with their Windows values.
enum class TFileAttribute : std::uint8_t {
    ffReadonly = 0x01,
    ffHidden = 0x02,
    ffSystem = 0x04,
    ffDirectory = 0x10,
    ffArchive = 0x20,
};

// A set of attributes.
class TFileAttributes {
public:
    constexpr TFileAttributes() = default;
    constexpr TFileAttributes(std::initializer_list<TFileAttribute> members) {
        for (TFileAttribute member : members) {
            bits_ |= static_cast<std::uint8_t>(member);
        }
    }

    constexpr bool Has(TFileAttribute member) const {
        return (bits_ & static_cast<std::uint8_t>(member)) != 0;
    }
    constexpr TFileAttributes With(TFileAttribute member) const {
        TFileAttributes result = *this;
        result.bits_ |= static_cast<std::uint8_t>(member);
        return result;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool Intersects(TFileAttributes other) const { return (bits_ & other.bits_) != 0; }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TFileAttributes&) const = default;

private:
    std::uint8_t bits_ = 0;
};

// The search's default: every attribute but ffDirectory.
inline constexpr TFileAttributes kDefaultSearchAttributes{
    TFileAttribute::ffArchive, TFileAttribute::ffReadonly, TFileAttribute::ffHidden,
    TFileAttribute::ffSystem};

// A host entry's attributes, as Samba and Wine map POSIX modes: read-only when its owner
// may not write it, hidden when its name begins with ".", a directory by its type, archive
// for a regular file (Windows sets it on every file written), never system.
// `mode` is the st_mode of stat(2), following symbolic links.
TFileAttributes HostAttributes(std::string_view name, unsigned mode);

// The attribute rule: not exact, an entry without any attribute or with one of `wanted`
// is accepted; exact, its attributes must be `wanted`.
bool AttributeRuleAccepts(TFileAttributes entry, TFileAttributes wanted, bool exact);

}  // namespace orvella
