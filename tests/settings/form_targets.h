#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "settings/form_storage.h"
#include "support/temp_dir.h"

namespace orvella::testing {

// One place a form store can live, on a real file in a fresh folder, with the raw access
// another writer (a user's editor, an older program) has to it.
class FormTargetFixture {
public:
    virtual ~FormTargetFixture() = default;
    virtual TFormStorage MakeStore() = 0;
    // The text of an entry as a reader of the file gets it; nullopt when it is missing.
    virtual std::optional<std::string> Stored(const std::string& name) const = 0;
    virtual void Put(const std::string& name, const std::string& text) = 0;
    // The file that holds the store, inside dir().
    virtual std::string FileName() const = 0;
    std::string File() const { return dir_.File(FileName()); }

    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};

class ProfileFixture : public FormTargetFixture {
public:
    static constexpr const char* kSection = "Wallpaper";

    TFormStorage MakeStore() override { return TFormStorage(ProfileTarget(File(), kSection)); }
    std::optional<std::string> Stored(const std::string& name) const override;
    void Put(const std::string& name, const std::string& text) override;
    std::string FileName() const override { return "ovl.dat"; }
};

class RegistryFixture : public FormTargetFixture {
public:
    static constexpr const char* kKeyPath = "Software\\Brenmark Software\\Orvella";
    static constexpr const char* kSubkey = "Calendar";
    static std::string Key() { return std::string(kKeyPath) + "\\" + kSubkey; }

    TFormStorage MakeStore() override {
        return TFormStorage(
            RegistryTarget(registry_, RegistryRoot::CurrentUser, kKeyPath, kSubkey));
    }
    // Fails the test when the entry is there but no REG_SZ.
    std::optional<std::string> Stored(const std::string& name) const override;
    void Put(const std::string& name, const std::string& text) override;
    std::string FileName() const override { return "registry.reg"; }
    RegistryFile& registry() { return registry_; }

private:
    RegistryFile registry_{dir().File("registry.reg")};
};

enum class TargetKind { Profile, Registry };
std::unique_ptr<FormTargetFixture> MakeFixture(TargetKind kind);
std::string TargetKindName(TargetKind kind);
// So a failing case names its target rather than printing its bytes.
inline void PrintTo(TargetKind kind, std::ostream* out) {
    *out << TargetKindName(kind);
}

}  // namespace orvella::testing
