#pragma once

#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/status.h"
#include "settings/form_entry.h"

namespace orvella {

// A form store kept as REG_SZ values of the key `key_path`\`subkey`.
class RegistryTarget {
public:
    RegistryTarget(Registry& registry, RegistryRoot root, std::string key_path, std::string subkey)
        : registry_(&registry),
          root_(root),
          key_(subkey.empty() ? std::move(key_path) : key_path + "\\" + subkey) {}

    RegistryRoot root() const { return root_; }
    // The key the values are in, relative to the root.
    const std::string& key() const { return key_; }
    // How messages about the store name it.
    const std::string& label() const { return key_; }

    // Values of another type than REG_SZ are taken as missing.
    Result<FoundEntries> Read(const std::vector<std::string>& names) const;
    // One write of all values; the key's other values stay.
    Status Write(const std::vector<FormEntry>& entries);

private:
    Registry* registry_;  // never null; a pointer so the target stays assignable
    RegistryRoot root_;
    std::string key_;
};

}  // namespace orvella
