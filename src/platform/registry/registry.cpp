#include "platform/registry/registry.h"

namespace orvella {

RegistryValue RegistryValue::String(std::string name, std::string text) {
    RegistryValue value;
    value.name = std::move(name);
    value.type = static_cast<std::uint32_t>(RegistryType::String);
    value.text = std::move(text);
    return value;
}

RegistryValue RegistryValue::Dword(std::string name, std::uint32_t number) {
    RegistryValue value;
    value.name = std::move(name);
    value.type = static_cast<std::uint32_t>(RegistryType::Dword);
    value.dword = number;
    return value;
}

std::optional<RegistryKey> RegistryKey::Open(Registry& registry, RegistryRoot root,
                                             std::string path, bool create) {
    if (create) {
        if (!registry.CreateKey(root, path))
            return std::nullopt;
    } else {
        Result<bool> exists = registry.KeyExists(root, path);
        if (!exists || !*exists)
            return std::nullopt;
    }
    return RegistryKey(registry, root, std::move(path));
}

std::optional<std::string> RegistryKey::ReadString(std::string_view name) const {
    Result<std::optional<RegistryValue>> value = registry_->ReadValue(root_, path_, name);
    if (!value || !value->has_value())
        return std::nullopt;
    const RegistryValue& found = **value;
    if (found.type == static_cast<std::uint32_t>(RegistryType::String))
        return found.text;
    if (found.type == static_cast<std::uint32_t>(RegistryType::ExpandString)) {
        std::string text(found.bytes.begin(), found.bytes.end());
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> RegistryKey::ReadDword(std::string_view name) const {
    Result<std::optional<RegistryValue>> value = registry_->ReadValue(root_, path_, name);
    if (!value || !value->has_value())
        return std::nullopt;
    if ((*value)->type != static_cast<std::uint32_t>(RegistryType::Dword))
        return std::nullopt;
    return (*value)->dword;
}

bool RegistryKey::ValueExists(std::string_view name) const {
    Result<std::optional<RegistryValue>> value = registry_->ReadValue(root_, path_, name);
    return value && value->has_value();
}

Status RegistryKey::WriteString(std::string_view name, std::string_view text) {
    return registry_->WriteValues(root_, path_,
                                  {RegistryValue::String(std::string(name), std::string(text))});
}

Status RegistryKey::WriteDword(std::string_view name, std::uint32_t number) {
    return registry_->WriteValues(root_, path_, {RegistryValue::Dword(std::string(name), number)});
}

Status RegistryKey::DeleteValue(std::string_view name) {
    return registry_->DeleteValue(root_, path_, name);
}

Status RegistryKey::DeleteSubkey(std::string_view name) {
    // An empty name would name this key itself.
    if (name.empty())
        return Status::Error("no subkey named below " + path_);
    return registry_->DeleteKey(root_, path_ + "\\" + std::string(name));
}

std::vector<std::string> RegistryKey::SubkeyNames() const {
    Result<std::vector<std::string>> names = registry_->SubkeyNames(root_, path_);
    return names ? std::move(names).value() : std::vector<std::string>();
}

std::vector<std::string> RegistryKey::ValueNames() const {
    Result<std::vector<std::string>> names = registry_->ValueNames(root_, path_);
    return names ? std::move(names).value() : std::vector<std::string>();
}

}  // namespace orvella
