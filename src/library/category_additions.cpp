#include "library/category_additions.h"

#include <algorithm>

#include "library/category_store.h"
#include "library/store_layout.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "platform/system/window_message.h"
#include "platform/text.h"
#include "settings/settings_places.h"

namespace orvella {
namespace {

bool Holds(const std::vector<std::string>& pictures, const std::string& path) {
    return std::any_of(pictures.begin(), pictures.end(),
                       [&](const std::string& p) { return EqualsIgnoreCase(p, path); });
}

}  // namespace

std::vector<CategoryChoice> AddableCategories(const ProfileDocument& store) {
    const std::vector<std::string> keys = store.KeyNames(kCategoriesSection);
    const auto count = std::min<std::size_t>(keys.size(), TCategoryStore::kMaxCategories);
    std::vector<CategoryChoice> choices;
    for (std::size_t i = 1; i < count; ++i) {
        choices.push_back({static_cast<int>(i),
                           store.Value(DetailsSection(keys[i]), "Name").value_or("No Name")});
    }
    return choices;
}

std::optional<int> AddPicturesToCategory(ProfileDocument& store, int category,
                                         const std::vector<std::string>& pictures) {
    const std::vector<std::string> keys = store.KeyNames(kCategoriesSection);
    if (category < 1 || category >= static_cast<int>(keys.size()) ||
        category >= TCategoryStore::kMaxCategories) {
        return std::nullopt;
    }
    const std::string& key = keys[static_cast<std::size_t>(category)];
    std::vector<std::string> held = ReadPictures(store, key);
    int added = 0;
    for (const std::string& picture : pictures) {
        if (picture.empty() || Holds(held, picture))
            continue;
        WritePicture(store, key, held.size(), picture);
        held.push_back(picture);
        ++added;
    }
    store.SetValue(kCustomSection, kRefreshKey, std::to_string(category));
    return added;
}

Result<int> AddPicturesToStoreFile(const std::string& store_path, int category,
                                   const std::vector<std::string>& pictures) {
    ProfileFile store(store_path);
    std::optional<int> added;
    const Status written = store.Update([&](ProfileDocument& document) {
        added = AddPicturesToCategory(document, category, pictures);
    });
    if (!written)
        return written;
    if (!added)
        return Status::Error(store_path + ": no category " + std::to_string(category));
    return *added;
}

std::optional<std::uint32_t> PublishedWindow(const std::string& registry_file) {
    RegistryFile registry(registry_file);
    const std::optional<RegistryKey> settings =
        RegistryKey::Open(registry, RegistryRoot::CurrentUser, std::string(kSettingsKey), false);
    return settings ? settings->ReadDword("WHandle") : std::nullopt;
}

Status SendRefresh(const Environment& environment, std::uint32_t window) {
    return SendWindowMessage(WindowSocketPath(environment, window), kWmRefreshCategory);
}

}  // namespace orvella
