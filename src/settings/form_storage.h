#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/status.h"
#include "settings/form_entry.h"
#include "settings/profile_target.h"
#include "settings/property_entry.h"
#include "settings/property_name.h"
#include "settings/registry_target.h"
#include "settings/window_placement.h"

namespace orvella {

enum class RestoreOutcome {
    Restored,
    // The stored "FormVersion" is lower than the store's version: nothing was touched.
    StoredVersionTooOld,
};

// What one window keeps between runs: its placement, chosen properties of its controls and
// named values, in one profile section or one registry key. The store owns no control; it
// reaches each property through the getter and setter it was registered with, so the window
// adapter must keep those valid for the store's lifetime.
//
// Registration mistakes (an empty or twice-used entry name, a missing getter or setter, an
// enumeration without names, a set of more than 32 members) are not registered; the first
// one is kept and every Save and Restore returns it without touching the target.
class TFormStorage {
public:
    explicit TFormStorage(ProfileTarget target);
    explicit TFormStorage(RegistryTarget target);

    // Entries written under an older version are not restored; 0 restores whatever is there.
    std::int32_t version() const { return version_; }
    void SetVersion(std::int32_t version) { version_ = version; }

    // Keeps the placement of `window`, which must outlive the store.
    void KeepPlacement(PlacementTarget& window);
    bool keeps_placement() const { return placement_ != nullptr; }

    // The file of a profile target; nullopt for a registry target.
    std::optional<std::string> ProfilePath() const;
    // An error for a registry target.
    Status SetProfilePath(std::string path);

    void AddBool(PropertyName name, std::function<bool()> get, std::function<void(bool)> set);
    void AddInteger(PropertyName name, std::function<std::int32_t()> get,
                    std::function<void(std::int32_t)> set);
    void AddColour(PropertyName name, std::function<ColourValue()> get,
                   std::function<void(ColourValue)> set);
    // `get` and `set` deal in the index into `names`.
    void AddEnum(PropertyName name, std::vector<std::string> names, std::function<int()> get,
                 std::function<void(int)> set);
    // Bit i of the mask stands for names[i].
    void AddSet(PropertyName name, std::vector<std::string> names,
                std::function<std::uint32_t()> get, std::function<void(std::uint32_t)> set);
    void AddString(PropertyName name, std::function<std::string()> get,
                   std::function<void(const std::string&)> set);

    // Named values, kept as text and looked up without regard to case.
    void AddValue(std::string name, std::string default_text);
    // A named value whose text the caller keeps: saved as `get` gives it, restored by `set`.
    void AddValue(std::string name, std::function<std::string()> get,
                  std::function<void(const std::string&)> set);
    std::optional<std::string> Value(std::string_view name) const;
    Status SetValue(std::string_view name, std::string text);

    // Ok, or the first registration mistake.
    const Status& registration() const { return registration_; }

    // Writes placement, properties and values in that order, then "FormVersion", in one
    // batch. Other entries of the section or key stay.
    Status Save();
    Result<RestoreOutcome> Restore();

private:
    struct StoredValue {
        std::string name;
        std::string text;
        // Set for a value bound to the caller's text, which `text` then does not hold.
        std::function<std::string()> get;
        std::function<void(const std::string&)> set;

        std::string Text() const { return get ? get() : text; }
        void SetText(std::string new_text) {
            if (set)
                set(new_text);
            else
                text = std::move(new_text);
        }
    };

    void AddProperty(const PropertyName& name, bool has_functions, PropertyEntry entry);
    // Takes `name` for an entry; false, with the mistake recorded, when it cannot be used.
    bool Claim(std::string_view name);
    void Fail(std::string message);
    StoredValue* FindValue(std::string_view name);
    const StoredValue* FindValue(std::string_view name) const;
    std::vector<std::string> EntryNames() const;

    std::variant<ProfileTarget, RegistryTarget> target_;
    std::int32_t version_ = 0;
    PlacementTarget* placement_ = nullptr;
    std::vector<PropertyEntry> properties_;
    std::vector<StoredValue> values_;
    std::set<std::string> claimed_;  // folded entry names
    Status registration_;
};

}  // namespace orvella
