#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace orvella {

// One entry of a form store: a key of a profile section or a REG_SZ value of a registry key.
struct FormEntry {
    std::string name;
    std::string text;
    bool operator==(const FormEntry&) const = default;
};

// The entries a restore found, looked up by the names it asked for.
class FoundEntries {
public:
    void Add(std::string name, std::string text) {
        entries_.insert_or_assign(std::move(name), std::move(text));
    }
    const std::string* Find(std::string_view name) const {
        const auto found = entries_.find(name);
        return found == entries_.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace orvella
