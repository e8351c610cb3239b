#include "settings/form_storage.h"

#include <utility>

#include "platform/text.h"
#include "settings/integer_text.h"
#include "settings/placement_entries.h"
#include "settings/property_text.h"

namespace orvella {
namespace {

constexpr std::string_view kFormVersion = "FormVersion";

template <typename... Functions>
bool AllSet(const Functions&... functions) {
    return (static_cast<bool>(functions) && ...);
}

}  // namespace

TFormStorage::TFormStorage(ProfileTarget target) : target_(std::move(target)) {
    claimed_.insert(FoldCase(kFormVersion));
}

TFormStorage::TFormStorage(RegistryTarget target) : target_(std::move(target)) {
    claimed_.insert(FoldCase(kFormVersion));
}

void TFormStorage::KeepPlacement(PlacementTarget& window) {
    if (placement_ == nullptr) {
        for (std::string_view name : PlacementEntryNames()) {
            if (!Claim(name))
                return;
        }
    }
    placement_ = &window;
}

std::optional<std::string> TFormStorage::ProfilePath() const {
    if (const auto* profile = std::get_if<ProfileTarget>(&target_))
        return profile->path();
    return std::nullopt;
}

Status TFormStorage::SetProfilePath(std::string path) {
    auto* profile = std::get_if<ProfileTarget>(&target_);
    if (profile == nullptr)
        return Status::Error("a form store in the registry has no file");
    profile->set_path(std::move(path));
    return Status::Ok();
}

void TFormStorage::AddBool(PropertyName name, std::function<bool()> get,
                           std::function<void(bool)> set) {
    const bool complete = AllSet(get, set);
    AddProperty(name, complete, BoolEntry(name.EntryName(), std::move(get), std::move(set)));
}

void TFormStorage::AddInteger(PropertyName name, std::function<std::int32_t()> get,
                              std::function<void(std::int32_t)> set) {
    const bool complete = AllSet(get, set);
    AddProperty(name, complete, IntegerEntry(name.EntryName(), std::move(get), std::move(set)));
}

void TFormStorage::AddColour(PropertyName name, std::function<ColourValue()> get,
                             std::function<void(ColourValue)> set) {
    const bool complete = AllSet(get, set);
    AddProperty(name, complete, ColourEntry(name.EntryName(), std::move(get), std::move(set)));
}

void TFormStorage::AddEnum(PropertyName name, std::vector<std::string> names,
                           std::function<int()> get, std::function<void(int)> set) {
    if (names.empty())
        return Fail("enumeration " + name.EntryName() + " has no names");
    const bool complete = AllSet(get, set);
    AddProperty(name, complete,
                EnumEntry(name.EntryName(), std::move(names), std::move(get), std::move(set)));
}

void TFormStorage::AddSet(PropertyName name, std::vector<std::string> names,
                          std::function<std::uint32_t()> get,
                          std::function<void(std::uint32_t)> set) {
    if (names.size() > kMaxSetMembers)
        return Fail("set " + name.EntryName() + " has more than 32 members");
    const bool complete = AllSet(get, set);
    AddProperty(name, complete,
                SetEntry(name.EntryName(), std::move(names), std::move(get), std::move(set)));
}

void TFormStorage::AddString(PropertyName name, std::function<std::string()> get,
                             std::function<void(const std::string&)> set) {
    const bool complete = AllSet(get, set);
    AddProperty(name, complete, StringEntry(name.EntryName(), std::move(get), std::move(set)));
}

void TFormStorage::AddProperty(const PropertyName& name, bool has_functions, PropertyEntry entry) {
    if (name.component.empty() || name.property.empty())
        return Fail("property " + entry.name + " lacks a component or property name");
    if (!has_functions)
        return Fail("property " + entry.name + " lacks its getter or setter");
    if (Claim(entry.name))
        properties_.push_back(std::move(entry));
}

void TFormStorage::AddValue(std::string name, std::string default_text) {
    if (name.empty())
        return Fail("a stored value has no name");
    if (Claim(name))
        values_.push_back({std::move(name), std::move(default_text), {}, {}});
}

void TFormStorage::AddValue(std::string name, std::function<std::string()> get,
                            std::function<void(const std::string&)> set) {
    if (name.empty())
        return Fail("a stored value has no name");
    if (!AllSet(get, set))
        return Fail("stored value " + name + " lacks its getter or setter");
    if (Claim(name))
        values_.push_back({std::move(name), {}, std::move(get), std::move(set)});
}

std::optional<std::string> TFormStorage::Value(std::string_view name) const {
    const StoredValue* value = FindValue(name);
    return value ? std::optional<std::string>(value->Text()) : std::nullopt;
}

Status TFormStorage::SetValue(std::string_view name, std::string text) {
    StoredValue* value = FindValue(name);
    if (value == nullptr)
        return Status::Error("no stored value is named " + std::string(name));
    value->SetText(std::move(text));
    return Status::Ok();
}

Status TFormStorage::Save() {
    if (!registration_)
        return registration_;
    std::vector<FormEntry> entries;
    if (placement_ != nullptr)
        entries = PlacementEntries(placement_->Placement());
    for (const PropertyEntry& property : properties_)
        entries.push_back({property.name, std::string(TrimBlanks(property.format()))});
    for (const StoredValue& value : values_)
        entries.push_back({value.name, value.Text()});
    // Last, so the version stamps what stands before it.
    entries.push_back({std::string(kFormVersion), FormatInteger(version_)});
    return std::visit([&](auto& target) { return target.Write(entries); }, target_);
}

Result<RestoreOutcome> TFormStorage::Restore() {
    if (!registration_)
        return registration_;
    Result<FoundEntries> found =
        std::visit([&](const auto& target) { return target.Read(EntryNames()); }, target_);
    if (!found)
        return found.status();

    std::int32_t stored_version = 0;
    if (const std::string* text = found->Find(kFormVersion))
        stored_version = ParseInteger(TrimBlanks(*text)).value_or(0);
    if (stored_version < version_)
        return RestoreOutcome::StoredVersionTooOld;

    if (placement_ != nullptr) {
        WindowPlacement placement = placement_->Placement();
        if (ApplyPlacementEntries(*found, placement))
            placement_->SetPlacement(placement);
    }
    for (const PropertyEntry& property : properties_) {
        if (const std::string* text = found->Find(property.name))
            property.apply(TrimBlanks(*text));
    }
    for (StoredValue& value : values_) {
        if (const std::string* text = found->Find(value.name))
            value.SetText(*text);
    }
    return RestoreOutcome::Restored;
}

bool TFormStorage::Claim(std::string_view name) {
    if (!claimed_.insert(FoldCase(name)).second) {
        Fail("entry " + std::string(name) + " is registered twice");
        return false;
    }
    return true;
}

void TFormStorage::Fail(std::string message) {
    if (!registration_)
        return;
    const std::string& store = std::visit(
        [](const auto& target) -> const std::string& { return target.label(); }, target_);
    registration_ = Status::Error("form store " + store + ": " + std::move(message));
}

TFormStorage::StoredValue* TFormStorage::FindValue(std::string_view name) {
    return const_cast<StoredValue*>(std::as_const(*this).FindValue(name));
}

const TFormStorage::StoredValue* TFormStorage::FindValue(std::string_view name) const {
    for (const StoredValue& value : values_) {
        if (EqualsIgnoreCase(value.name, name))
            return &value;
    }
    return nullptr;
}

std::vector<std::string> TFormStorage::EntryNames() const {
    std::vector<std::string> names{std::string(kFormVersion)};
    if (placement_ != nullptr)
        names.insert(names.end(), PlacementEntryNames().begin(), PlacementEntryNames().end());
    for (const PropertyEntry& property : properties_)
        names.push_back(property.name);
    for (const StoredValue& value : values_)
        names.push_back(value.name);
    return names;
}

}  // namespace orvella
