#include "tools/find_file.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <utility>

#include "tools/find_file_error.h"
#include "tools/folder_walk.h"
#include "tools/sync_channel.h"

namespace orvella {
namespace {

// ExpandFileName on the host: made absolute against the working folder, "." and ".."
// resolved as text (links are not resolved), with a trailing "/".
std::string ExpandFolder(const std::string& folder) {
    std::filesystem::path path(folder.empty() ? "." : folder);
    if (path.is_relative()) {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::current_path(error);
        if (!error) {
            path = base / path;
        }
    }
    std::string expanded = path.lexically_normal().string();
    if (expanded.empty() || expanded.back() != '/') {
        expanded += '/';
    }
    return expanded;
}

}  // namespace

// What a running search works with: copies taken at Execute, so changing the engine's
// properties during a search does not affect it (and the worker never reads them).
struct TFindFile::Search {
    std::vector<std::string> patterns;
    WalkRules rules;
    bool threaded = false;
    bool has_new_folder = false;
    bool has_found = false;
    TThreadPriority priority = TThreadPriority::tpNormal;
};

TFindFile::TFindFile(OwnerThread& owner) : owner_(owner) {}

TFindFile::~TFindFile() {
    if (channel_) {
        terminated_ = true;
        aborted_ = true;
        channel_->Close();
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

Status TFindFile::SetFilename(std::string filename) {
    if (filename.find('/') != std::string::npos) {
        return EFindFileError::InvalidFilename(filename);
    }
    filename_ = std::move(filename);
    return Status::Ok();
}

Status TFindFile::SetLocation(std::string location) {
    if (location.find_first_of("*?") != std::string::npos) {
        return EFindFileError::WildcardLocation(location);
    }
    location_ = std::move(location);
    return Status::Ok();
}

std::vector<std::string> TFindFile::WorkingPatterns() const {
    if (!include_files_.empty()) {
        return include_files_;
    }
    std::string mask = filename_.empty() ? "*.*" : filename_;
    if (mask.find('.') == std::string::npos) {
        mask += ".*";
    }
    // Folders compare exactly: the host's file systems tell case apart, so "/a/Pics" and
    // "/a/pics" are two folders.
    std::vector<std::string> patterns;
    std::size_t begin = 0;
    while (begin <= location_.size()) {
        std::size_t end = location_.find(';', begin);
        if (end == std::string::npos) {
            end = location_.size();
        }
        const std::string folder = location_.substr(begin, end - begin);
        begin = end + 1;
        if (folder.empty()) {
            continue;
        }
        std::string pattern = ExpandFolder(folder) + mask;
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) {
            patterns.push_back(std::move(pattern));
        }
    }
    return patterns;
}

void TFindFile::Execute() {
    if (busy_) {
        return;
    }
    busy_ = true;
    aborted_ = false;
    terminated_ = false;
    last_error_ = Status::Ok();
    priority_status_ = Status::Ok();

    search_ = std::make_unique<Search>();
    search_->patterns = WorkingPatterns();
    search_->rules = {subfolders_, attributes_, exact_attribute_, exclude_files_};
    search_->threaded = threaded_;
    search_->has_new_folder = static_cast<bool>(on_new_folder_);
    search_->has_found = static_cast<bool>(on_found_);
    search_->priority = thread_priority_;

    if (search_->threaded) {
        channel_ = SyncChannel::Create(owner_, [this] { Complete(); });
        worker_ = std::thread(
            [this, search = search_.get(), channel = channel_] { RunWorker(*search, channel); });
        return;
    }
    Walk(*search_, nullptr);
    Complete();
}

void TFindFile::Abort() {
    if (!busy_) {
        return;
    }
    aborted_ = true;
    if (!search_->threaded) {
        return;
    }
    terminated_ = true;
    // Held here: the completion run by Serve lets go of the engine's reference.
    const std::shared_ptr<SyncChannel> channel = channel_;
    channel->Serve();
}

void TFindFile::RunWorker(Search& search, const std::shared_ptr<SyncChannel>& channel) {
    priority_status_ = ApplyThreadPriority(search.priority);
    Walk(search, channel.get());
    channel->Finish();
}

void TFindFile::Walk(Search& search, SyncChannel* channel) {
    WalkEvents events;
    events.stop = [this] { return aborted_ || terminated_; };
    if (search.has_new_folder) {
        events.ignore_folder = [this, channel](const std::string& folder) {
            if (!channel) {
                bool ignore = false;
                on_new_folder_(*this, folder, ignore);
                return ignore;
            }
            // A box of its own: a call released by Abort may still write it.
            const auto ignore = std::make_shared<bool>(false);
            channel->Call([this, folder, ignore] {
                if (on_new_folder_) {
                    on_new_folder_(*this, folder, *ignore);
                }
            });
            return aborted_ || terminated_ || *ignore;
        };
    }
    if (search.has_found) {
        events.found = [this, channel](const std::string& folder, const TFileInfo& info) {
            if (!channel) {
                on_found_(*this, folder, info);
                return;
            }
            channel->Call([this, folder, info] {
                if (on_found_) {
                    on_found_(*this, folder, info);
                }
            });
        };
    }

    try {
        for (const std::string& pattern : search.patterns) {
            if (aborted_ || terminated_) {
                break;
            }
            const std::size_t split = pattern.rfind('/');
            const std::string folder =
                split == std::string::npos ? std::string() : pattern.substr(0, split + 1);
            const std::string mask =
                split == std::string::npos ? pattern : pattern.substr(split + 1);
            WalkFolder(ExpandFolder(folder), mask, search.rules, events);
        }
    } catch (const std::exception& error) {
        aborted_ = true;
        last_error_ = Status::Error(error.what());
    } catch (...) {
        aborted_ = true;
        last_error_ = Status::Error("the file search ended on an unknown exception");
    }
}

void TFindFile::Complete() {
    if (worker_.joinable()) {
        worker_.join();
    }
    search_.reset();
    channel_.reset();
    busy_ = false;
    if (on_complete_) {
        on_complete_(*this);
    }
}

}  // namespace orvella
