#pragma once

#include <optional>
#include <string>
#include <vector>

#include "library/first_spellings.h"
#include "platform/profile/profile_document.h"
#include "platform/profile/profile_file.h"
#include "platform/status.h"

namespace orvella {

class MessageCatalogue;

struct Category {
    std::string name;
    std::string icon;                   // the icon path as the user gave it
    std::vector<std::string> pictures;  // full paths, in the order the list shows them
};

// What the main window hears of the store, so its bar buttons and picture lists always
// show the model's order: an index means the same to the store, the random pick and the
// view.
class CategoryObserver {
public:
    virtual ~CategoryObserver() = default;
    virtual void CategoryCreated(int /*index*/) {}
    virtual void CategoriesFreed() {}
    virtual void PicturesChanged(int /*index*/) {}
    virtual void CurrentCategoryChanged(int /*index*/) {}
    // A category beyond the limit was refused; the user is told by whoever shows the store.
    virtual void CategoryLimitReached() {}
};

// The picture library: at most 30 categories, the first of which is the summary of all the
// others, kept in "ovlimg.dat".
class TCategoryStore {
public:
    static constexpr int kMaxCategories = 30;

    // `new_category_icon` is the icon of the first category a fresh store gets.
    TCategoryStore(std::string file_path, std::string new_category_icon,
                   const MessageCatalogue& catalogue);

    void SetObserver(CategoryObserver* observer) { observer_ = observer; }
    const std::string& path() const { return file_.path(); }

    // Builds the categories from the file. A store without categories gets the first one,
    // "Alle". Fails only when the file exists and cannot be read; nothing is loaded then.
    Status LoadCategories();
    // Rewrites the file in one atomic replace. `left_out` is omitted (while deleting it).
    // A failure carries "nach <file> kann nicht geschrieben werden"; the file stays whole.
    Status SaveCategories(std::optional<int> left_out = std::nullopt);
    void AddPicture(int index, std::string path, bool also_to_first);
    Status ClearCategory(int index, bool save);
    // Re-reads the category an outside program named in "RefreshCategorie".
    Status RefreshCategory();
    // False at the limit, after telling the observer.
    bool CreateCategory(int index, std::string icon, std::string name);
    void FreeCategories();

    // Removes one entry of `path` from the first category: searched from the second entry
    // on, the first entry last, without regard to case. False when there is none.
    bool RemoveFromFirst(const std::string& path);
    // Removes the pictures at `positions` of category `index` and, with `also_from_first`,
    // for each one entry of the same path from the first category. Positions out of range
    // are passed over.
    void RemovePictures(int index, std::vector<int> positions, bool also_from_first = true);

    void RenameCategory(int index, std::string name);
    void SetCategoryIcon(int index, std::string icon);

    int count() const { return static_cast<int>(categories_.size()); }
    const Category& category(int index) const { return categories_.at(index); }
    int CurrentCategory() const { return current_; }
    // Whether the last load made a category current: false when the file's "ActiveCat" named
    // no category (or the file had more than 30), and no list is shown until the user picks
    // one. A store that was empty gets its first category and shows it.
    bool ActiveCategoryRestored() const { return active_restored_; }
    void SetCurrentCategory(int index);

    // With sorting on every list is kept in ascending order of its text.
    bool sorted() const { return sorted_; }
    void SetSorted(bool sorted);

private:
    void AddSectionPictures(int index, const ProfileDocument& document, const std::string& key);
    void WriteCategories(ProfileWriter& out, std::optional<int> left_out);
    Status WriteKeepingRefresh(const ProfileDocument& on_disk, ProfileWriter& out,
                               std::optional<int> left_out);
    void SortPictures(std::vector<std::string>& pictures) const;

    ProfileFile file_;
    std::string new_category_icon_;
    const MessageCatalogue& catalogue_;
    CategoryObserver* observer_ = nullptr;
    std::vector<Category> categories_;
    int current_ = 0;
    bool active_restored_ = false;
    bool sorted_ = false;
    FirstSpellings spellings_;  // scratch of the saves
};

}  // namespace orvella
