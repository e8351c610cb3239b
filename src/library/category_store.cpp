#include "library/category_store.h"

#include <algorithm>

#include "library/picture_key_codec.h"
#include "library/store_layout.h"
#include "platform/text.h"
#include "shell/message_catalogue.h"

namespace orvella {
namespace {

constexpr std::string_view kCategories = kCategoriesSection;
constexpr std::string_view kCustom = kCustomSection;
constexpr std::string_view kActiveCat = "ActiveCat";
constexpr std::string_view kRefresh = kRefreshKey;

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

bool LessByText(const std::string& a, const std::string& b) {
    const std::string fa = FoldCase(a);
    const std::string fb = FoldCase(b);
    return fa != fb ? fa < fb : a < b;
}

std::string CategoryKey(int index) {
    return "Cat_" + std::to_string(index);
}

bool ContainsIgnoreCase(const std::vector<std::string>& list, const std::string& path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& p) { return EqualsIgnoreCase(p, path); });
}

}  // namespace

TCategoryStore::TCategoryStore(std::string file_path, std::string new_category_icon,
                               const MessageCatalogue& catalogue)
    : file_(std::move(file_path)),
      new_category_icon_(std::move(new_category_icon)),
      catalogue_(catalogue) {}

Status TCategoryStore::LoadCategories() {
    Result<ProfileDocument> document = file_.Load();
    if (!document)
        return document.status();

    const std::vector<std::string> keys = document->KeyNames(kCategories);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string details = DetailsSection(keys[i]);
        const int index = static_cast<int>(i);
        if (!CreateCategory(index, document->Value(details, "Icon").value_or("NoImage.bmp"),
                            document->Value(details, "Name").value_or("No Name"))) {
            break;  // the limit: keys after the 30th are not loaded
        }
        if (index >= 1)
            AddSectionPictures(index, *document, keys[i]);
    }
    active_restored_ = categories_.empty();
    if (categories_.empty()) {
        CreateCategory(0, new_category_icon_, catalogue_.Text(kSCatAll));
    }
    if (!keys.empty() && keys.size() <= static_cast<std::size_t>(kMaxCategories)) {
        const std::optional<std::string> active = document->Value(kCustom, kActiveCat);
        const int a = active ? ParseProfileInteger(*active).value_or(0) : 0;
        if (a >= 0 && a < count()) {
            SetCurrentCategory(a);
            active_restored_ = true;
        }
    }
    return Status::Ok();
}

void TCategoryStore::AddSectionPictures(int index, const ProfileDocument& document,
                                        const std::string& key) {
    for (std::string& path : ReadPictures(document, key))
        AddPicture(index, std::move(path), true);
}

void TCategoryStore::WriteCategories(ProfileWriter& out, std::optional<int> left_out) {
    std::vector<int> written;
    for (int i = 0; i < count(); ++i) {
        if (!(left_out && *left_out == i))
            written.push_back(i);
    }
    if (!written.empty())
        out.Section(kCategories);
    for (int i : written)
        out.Entry(CategoryKey(i), "");
    for (int i : written) {
        const std::string key = CategoryKey(i);
        out.Section(DetailsSection(key));
        // A name is one line of text; an icon path with a line break is refused, and the
        // refusal fails the save.
        out.Entry("Name", OneLine(categories_[i].name));
        out.Entry("Icon", categories_[i].icon);
        WritePictures(out, PictureSections(key), categories_[i].pictures, spellings_);
    }
    out.Section(kCustom);
    out.Entry(kActiveCat, left_out ? "0" : std::to_string(current_));
}

// An outside program may have added pictures and set "RefreshCategorie" but not yet sent
// its message: keep both, so the message still finds them.
Status TCategoryStore::WriteKeepingRefresh(const ProfileDocument& on_disk, ProfileWriter& out,
                                           std::optional<int> left_out) {
    const std::optional<std::string> refresh = on_disk.Value(kCustom, kRefresh);
    if (!refresh) {
        WriteCategories(out, left_out);
        return Status::Ok();
    }
    ProfileWriter built;
    WriteCategories(built, left_out);
    if (!built.refused())
        return built.refused();
    ProfileDocument document = ProfileDocument::Parse(built.Text());
    document.SetValue(kCustom, kRefresh, *refresh);
    const int r = ParseProfileInteger(*refresh).value_or(1);
    const std::vector<std::string> disk_keys = on_disk.KeyNames(kCategories);
    const bool in_memory = r >= 1 && r < count() && !(left_out && *left_out == r);
    if (in_memory && r < static_cast<int>(disk_keys.size())) {
        std::vector<std::string> added;
        for (std::string& path : ReadPictures(on_disk, disk_keys[r])) {
            if (!ContainsIgnoreCase(categories_[r].pictures, path))
                added.push_back(std::move(path));
        }
        AppendPictures(document, CategoryKey(r), added);
    }
    out.Lines(document);
    return Status::Ok();
}

Status TCategoryStore::SaveCategories(std::optional<int> left_out) {
    const Status status = file_.ReplaceCarryingOver(
        kRefresh, [&](const ProfileDocument& on_disk, ProfileWriter& out) {
            return WriteKeepingRefresh(on_disk, out, left_out);
        });
    if (status)
        return status;
    return Status::Error(FillPlaceholder(catalogue_.Text(kSMsgWriteError), file_.path()) + " (" +
                         status.message() + ")");
}

void TCategoryStore::AddPicture(int index, std::string path, bool also_to_first) {
    if (index < 0 || index >= count())
        return;
    const auto insert = [&](std::vector<std::string>& pictures, const std::string& p) {
        if (sorted_) {
            pictures.insert(std::upper_bound(pictures.begin(), pictures.end(), p, LessByText), p);
        } else {
            pictures.push_back(p);
        }
    };
    if (also_to_first && index != 0) {
        insert(categories_[0].pictures, path);
        if (observer_)
            observer_->PicturesChanged(0);
    }
    insert(categories_[index].pictures, path);
    if (observer_)
        observer_->PicturesChanged(index);
}

bool TCategoryStore::RemoveFromFirst(const std::string& path) {
    if (categories_.empty())
        return false;
    std::vector<std::string>& first = categories_[0].pictures;
    for (std::size_t step = 0; step < first.size(); ++step) {
        const std::size_t i = (step + 1) % first.size();  // 1, 2, ..., n-1, then 0
        if (EqualsIgnoreCase(first[i], path)) {
            first.erase(first.begin() + static_cast<std::ptrdiff_t>(i));
            if (observer_)
                observer_->PicturesChanged(0);
            return true;
        }
    }
    return false;
}

void TCategoryStore::RemovePictures(int index, std::vector<int> positions, bool also_from_first) {
    if (index < 0 || index >= count())
        return;
    std::vector<std::string>& pictures = categories_[index].pictures;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    // From the last position back, so the earlier positions still mean the same pictures.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(pictures.size()))
            continue;
        if (index != 0 && also_from_first)
            RemoveFromFirst(pictures[*it]);
        pictures.erase(pictures.begin() + *it);
    }
    if (observer_)
        observer_->PicturesChanged(index);
}

void TCategoryStore::RenameCategory(int index, std::string name) {
    if (index >= 0 && index < count())
        categories_[index].name = std::move(name);
}

void TCategoryStore::SetCategoryIcon(int index, std::string icon) {
    if (index >= 0 && index < count())
        categories_[index].icon = std::move(icon);
}

Status TCategoryStore::ClearCategory(int index, bool save) {
    if (index < 0 || index >= count())
        return Status::Ok();
    if (index != 0) {
        for (const std::string& path : categories_[index].pictures)
            RemoveFromFirst(path);
    }
    categories_[index].pictures.clear();
    if (observer_)
        observer_->PicturesChanged(index);
    return save ? SaveCategories() : Status::Ok();
}

Status TCategoryStore::RefreshCategory() {
    std::vector<std::string> pictures;
    int r = 0;
    bool handled = false;
    const Status status = file_.Update([&](ProfileDocument& document) {
        const std::optional<std::string> refresh = document.Value(kCustom, kRefresh);
        if (!refresh)
            return;
        r = ParseProfileInteger(*refresh).value_or(1);
        const std::vector<std::string> keys = document.KeyNames(kCategories);
        // A value that names no category of ours, or the summary, changes nothing.
        if (r < 1 || r >= count() || r >= static_cast<int>(keys.size()))
            return;
        pictures = ReadPictures(document, keys[r]);
        document.DeleteKey(kCustom, kRefresh);
        handled = true;
    });
    if (!status)
        return status;
    if (!handled)
        return Status::Ok();
    ClearCategory(r, false);
    for (std::string& path : pictures)
        AddPicture(r, std::move(path), true);
    return Status::Ok();
}

bool TCategoryStore::CreateCategory(int index, std::string icon, std::string name) {
    if (index >= kMaxCategories) {
        if (observer_)
            observer_->CategoryLimitReached();
        return false;
    }
    categories_.push_back(Category{std::move(name), std::move(icon), {}});
    if (observer_)
        observer_->CategoryCreated(count() - 1);
    return true;
}

void TCategoryStore::FreeCategories() {
    categories_.clear();
    current_ = 0;
    if (observer_)
        observer_->CategoriesFreed();
}

void TCategoryStore::SetCurrentCategory(int index) {
    if (index < 0 || index >= count() || index == current_)
        return;
    current_ = index;
    if (observer_)
        observer_->CurrentCategoryChanged(index);
}

void TCategoryStore::SortPictures(std::vector<std::string>& pictures) const {
    std::stable_sort(pictures.begin(), pictures.end(), LessByText);
}

void TCategoryStore::SetSorted(bool sorted) {
    sorted_ = sorted;
    if (!sorted)
        return;  // lists keep their present order from now on
    for (int i = 0; i < count(); ++i) {
        SortPictures(categories_[i].pictures);
        if (observer_)
            observer_->PicturesChanged(i);
    }
}

}  // namespace orvella
