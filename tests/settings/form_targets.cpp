#include "form_targets.h"

#include <gtest/gtest.h>

namespace orvella::testing {

std::optional<std::string> ProfileFixture::Stored(const std::string& name) const {
    Result<ProfileDocument> document = ProfileFile(File()).Load();
    if (!document) {
        ADD_FAILURE() << document.message();
        return std::nullopt;
    }
    return document->Value(kSection, name);
}

void ProfileFixture::Put(const std::string& name, const std::string& text) {
    const Status status = ProfileFile(File()).WriteString(kSection, name, text);
    ASSERT_TRUE(status.ok()) << status.message();
}

std::optional<std::string> RegistryFixture::Stored(const std::string& name) const {
    Result<std::optional<RegistryValue>> value =
        registry_.ReadValue(RegistryRoot::CurrentUser, Key(), name);
    if (!value) {
        ADD_FAILURE() << value.message();
        return std::nullopt;
    }
    if (!value->has_value())
        return std::nullopt;
    EXPECT_EQ((*value)->type, static_cast<std::uint32_t>(RegistryType::String)) << name;
    return (*value)->text;
}

void RegistryFixture::Put(const std::string& name, const std::string& text) {
    const Status status = registry_.WriteValues(RegistryRoot::CurrentUser, Key(),
                                                {RegistryValue::String(name, text)});
    ASSERT_TRUE(status.ok()) << status.message();
}

std::unique_ptr<FormTargetFixture> MakeFixture(TargetKind kind) {
    switch (kind) {
        case TargetKind::Profile:
            return std::make_unique<ProfileFixture>();
        case TargetKind::Registry:
            return std::make_unique<RegistryFixture>();
    }
    return nullptr;
}

std::string TargetKindName(TargetKind kind) {
    return kind == TargetKind::Profile ? "Profile" : "Registry";
}

}  // namespace orvella::testing
