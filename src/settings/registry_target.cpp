#include "settings/registry_target.h"

namespace orvella {

Result<FoundEntries> RegistryTarget::Read(const std::vector<std::string>& names) const {
    FoundEntries found;
    for (const std::string& name : names) {
        Result<std::optional<RegistryValue>> value = registry_->ReadValue(root_, key_, name);
        if (!value)
            return value.status();
        const std::optional<RegistryValue>& stored = *value;
        if (stored && stored->type == static_cast<std::uint32_t>(RegistryType::String))
            found.Add(name, stored->text);
    }
    return found;
}

Status RegistryTarget::Write(const std::vector<FormEntry>& entries) {
    std::vector<RegistryValue> values;
    values.reserve(entries.size());
    for (const FormEntry& entry : entries)
        values.push_back(RegistryValue::String(entry.name, entry.text));
    return registry_->WriteValues(root_, key_, values);
}

}  // namespace orvella
