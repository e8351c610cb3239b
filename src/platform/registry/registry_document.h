#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/status.h"

namespace orvella {

// The registry in memory, read from and written to REGEDIT4 text, so the file can be
// imported into a real registry and a registry export can be used here. Keys are addressed
// by their full path ("HKEY_CURRENT_USER\Software\..."), compared without regard to case.
class RegistryDocument {
public:
    // A damaged file is an error naming `file_name` and the line.
    static Result<RegistryDocument> Parse(std::string_view text, std::string_view file_name);
    std::string Serialize() const;

    // What a new user profile holds of the keys the program opens without creating them.
    static RegistryDocument Fresh();

    static std::string FullPath(RegistryRoot root, std::string_view path);

    bool HasKey(std::string_view full_path) const;
    void CreateKey(std::string_view full_path);  // parents too
    void DeleteKeyTree(std::string_view full_path);
    const RegistryValue* FindValue(std::string_view full_path, std::string_view name) const;
    void SetValue(std::string_view full_path, RegistryValue value);  // creates the key
    void DeleteValue(std::string_view full_path, std::string_view name);
    std::vector<std::string> SubkeyNames(std::string_view full_path) const;
    std::vector<std::string> ValueNames(std::string_view full_path) const;
    std::size_t KeyCount() const { return keys_.size(); }

    bool operator==(const RegistryDocument& other) const;

private:
    struct Key {
        std::string path;  // as first spelled
        std::vector<RegistryValue> values;
        std::unordered_map<std::string, std::size_t> index;  // folded value name -> values
        bool operator==(const Key& other) const {
            return path == other.path && values == other.values;
        }
    };
    Key* FindKey(std::string_view full_path);
    const Key* FindKey(std::string_view full_path) const;

    std::map<std::string, Key> keys_;  // folded, normalised path -> key
};

}  // namespace orvella
