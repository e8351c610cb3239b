#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace orvella {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

// Windows value types by their numbers, as REGEDIT4 names them.
enum class RegistryType : std::uint32_t {
    String = 1,        // REG_SZ
    ExpandString = 2,  // REG_EXPAND_SZ
    Binary = 3,        // REG_BINARY
    Dword = 4,         // REG_DWORD
    MultiString = 7,   // REG_MULTI_SZ
};

struct RegistryValue {
    std::string name;  // empty: the key's default value
    std::uint32_t type = static_cast<std::uint32_t>(RegistryType::String);
    std::string text;                 // REG_SZ
    std::uint32_t dword = 0;          // REG_DWORD
    std::vector<std::uint8_t> bytes;  // every other type, as stored

    static RegistryValue String(std::string name, std::string text);
    static RegistryValue Dword(std::string name, std::uint32_t value);
    bool operator==(const RegistryValue&) const = default;
};

// The registry the program reads and writes. Key paths are relative to a root and use "\"
// between names ("Software\Brenmark Software\Orvella"); names compare without regard to
// case. Every operation reports a failure (a damaged or unwritable store) as a Status.
class Registry {
public:
    virtual ~Registry() = default;

    virtual Result<bool> KeyExists(RegistryRoot root, std::string_view path) const = 0;
    // Creates the key and its missing parents; an existing key is left as it is.
    virtual Status CreateKey(RegistryRoot root, std::string_view path) = 0;
    // Removes the key with every key and value below it; a missing key is no error.
    virtual Status DeleteKey(RegistryRoot root, std::string_view path) = 0;

    virtual Result<std::optional<RegistryValue>> ReadValue(RegistryRoot root, std::string_view path,
                                                           std::string_view name) const = 0;
    // Writes all values into one key in one step, creating the key when missing.
    virtual Status WriteValues(RegistryRoot root, std::string_view path,
                               const std::vector<RegistryValue>& values) = 0;
    // A missing key or value is no error.
    virtual Status DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) = 0;

    // Names of the direct subkeys and of the values, as spelled when created.
    virtual Result<std::vector<std::string>> SubkeyNames(RegistryRoot root,
                                                         std::string_view path) const = 0;
    virtual Result<std::vector<std::string>> ValueNames(RegistryRoot root,
                                                        std::string_view path) const = 0;

    // Writes made between DeferWrites and the matching EndDeferring may be kept and made
    // together, in their order, when the outermost deferral ends or at FlushWrites; reads
    // see them at once. A store that writes at once ignores this.
    virtual void DeferWrites() {}
    virtual Status EndDeferring() { return Status::Ok(); }
    virtual Status FlushWrites() { return Status::Ok(); }
};

// Defers the writes of `registry` for the life of this object (see Registry::DeferWrites).
class DeferredRegistryWrites {
public:
    explicit DeferredRegistryWrites(Registry& registry) : registry_(registry) {
        registry_.DeferWrites();
    }
    // An early return carries the error that ended the work; what was kept is still written.
    ~DeferredRegistryWrites() {
        if (!finished_)
            static_cast<void>(Finish());
    }
    DeferredRegistryWrites(const DeferredRegistryWrites&) = delete;
    DeferredRegistryWrites& operator=(const DeferredRegistryWrites&) = delete;

    Status Finish() {
        finished_ = true;
        return registry_.EndDeferring();
    }

private:
    Registry& registry_;
    bool finished_ = false;
};

// An open key, as the program's code holds one: `Open` with or without creating, then
// reads and writes of values by name.
class RegistryKey {
public:
    // nullopt when the key does not exist and `create` is false, or the store fails.
    static std::optional<RegistryKey> Open(Registry& registry, RegistryRoot root, std::string path,
                                           bool create);

    RegistryRoot root() const { return root_; }
    const std::string& path() const { return path_; }

    // nullopt when the value is missing or of another type.
    std::optional<std::string> ReadString(std::string_view name) const;
    std::optional<std::uint32_t> ReadDword(std::string_view name) const;
    bool ValueExists(std::string_view name) const;

    Status WriteString(std::string_view name, std::string_view text);
    Status WriteDword(std::string_view name, std::uint32_t value);
    Status DeleteValue(std::string_view name);
    // Deletes a subkey of this key with its whole subtree.
    Status DeleteSubkey(std::string_view name);

    std::vector<std::string> SubkeyNames() const;
    std::vector<std::string> ValueNames() const;

private:
    RegistryKey(Registry& registry, RegistryRoot root, std::string path)
        : registry_(&registry), root_(root), path_(std::move(path)) {}
    Registry* registry_;
    RegistryRoot root_;
    std::string path_;
};

}  // namespace orvella
