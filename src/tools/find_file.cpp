#include "tools/find_file.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <utility>

#include "tools/delivery_channel.h"
#include "tools/find_file_error.h"
#include "tools/folder_walk.h"

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
    Status walk_error;  // written by the walk, read after it
};

const std::size_t TFindFile::kMaxFindsAhead = DeliveryChannel::kMaxAhead;

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
    handler_error_ = Status::Ok();
    last_error_ = Status::Ok();
    priority_status_ = Status::Ok();

    search_ = std::make_unique<Search>();
    search_->patterns = WorkingPatterns();
    search_->rules = {subfolders_, attributes_, exact_attribute_, ExcludeList(exclude_files_)};
    search_->threaded = threaded_;
    search_->has_new_folder = static_cast<bool>(on_new_folder_);
    search_->has_found = static_cast<bool>(on_found_);
    search_->priority = thread_priority_;

    if (search_->threaded) {
        StartWorker();
        return;
    }
    Walk(*search_, nullptr);
    Complete();
}

void TFindFile::StartWorker() {
    DeliveryChannel::Handlers handlers;
    handlers.found = [this](const std::string& folder, const TFileInfo& info) {
        if (on_found_) {
            on_found_(*this, folder, info);
        }
    };
    handlers.failed = [this](std::exception_ptr failure) {
        aborted_ = true;
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& error) {
            handler_error_ = Status::Error(error.what());
        } catch (...) {
            handler_error_ =
                Status::Error("a handler of the file search threw an unknown exception");
        }
    };
    handlers.completion = [this] { Complete(); };
    channel_ = DeliveryChannel::Create(owner_, std::move(handlers));
    worker_ = std::thread(
        [this, search = search_.get(), channel = channel_] { RunWorker(*search, channel); });
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
    const std::shared_ptr<DeliveryChannel> channel = channel_;
    channel->Serve();
}

void TFindFile::RunWorker(Search& search, const std::shared_ptr<DeliveryChannel>& channel) {
    priority_status_ = ApplyThreadPriority(search.priority);
    Walk(search, channel.get());
    channel->Finish();
}

std::function<bool(const std::string&)> TFindFile::NewFolderAsker(DeliveryChannel* channel) {
    if (!channel) {
        return [this](const std::string& folder) {
            bool ignore = false;
            on_new_folder_(*this, folder, ignore);
            return ignore;
        };
    }
    return [this, channel](const std::string& folder) {
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

void TFindFile::Walk(Search& search, DeliveryChannel* channel) {
    WalkEvents events;
    if (channel) {
        events.stop = [this, channel] {
            channel->Tick();
            return aborted_ || terminated_;
        };
    } else {
        events.stop = [this] { return aborted_ || terminated_; };
    }
    if (search.has_new_folder) {
        events.ignore_folder = NewFolderAsker(channel);
    }
    Deliver deliver;
    if (search.has_found) {
        deliver = [this, channel](const std::string& folder, const TFileInfo& info) {
            if (channel) {
                channel->Send(folder, info);
            } else {
                on_found_(*this, folder, info);
            }
        };
    }
    try {
        WalkPatterns(search, deliver, events);
    } catch (const std::exception& error) {
        aborted_ = true;
        search.walk_error = Status::Error(error.what());
    } catch (...) {
        aborted_ = true;
        search.walk_error = Status::Error("the file search ended on an unknown exception");
    }
}

// One walk serves every later pattern with the same folder: the finds of the pattern whose
// turn it is are delivered as they come, those of the later ones are kept (folder and
// entry of each find, a fraction of the entries walked) and delivered in their turn, so the order
// is that of one walk per pattern. With OnNewFolder set each pattern walks alone: the handler is
// asked once per pattern and may skip other folders each time.
void TFindFile::WalkPatterns(const Search& search, const Deliver& deliver, WalkEvents& events) {
    struct Pattern {
        std::string folder;
        std::string mask;
    };
    std::vector<Pattern> patterns;
    for (const std::string& pattern : search.patterns) {
        const std::size_t split = pattern.rfind('/');
        patterns.push_back({ExpandFolder(split == std::string::npos ? std::string()
                                                                    : pattern.substr(0, split + 1)),
                            split == std::string::npos ? pattern : pattern.substr(split + 1)});
    }
    // The finds of a later pattern, each with the number of its folder.
    struct Kept {
        std::vector<std::string> folders;
        std::vector<std::pair<std::size_t, TFileInfo>> finds;
    };
    std::vector<std::optional<Kept>> kept(patterns.size());
    const auto stopped = [this] { return aborted_ || terminated_; };

    for (std::size_t i = 0; i < patterns.size() && !stopped(); ++i) {
        if (kept[i]) {
            for (std::size_t k = 0; k < kept[i]->finds.size() && !stopped(); ++k) {
                const auto& [folder, info] = kept[i]->finds[k];
                deliver(kept[i]->folders[folder], info);
            }
            kept[i].reset();
            continue;
        }
        std::vector<std::size_t> group{i};
        std::vector<std::string> masks{patterns[i].mask};
        for (std::size_t j = i + 1; j < patterns.size() && !search.has_new_folder; ++j) {
            if (patterns[j].folder == patterns[i].folder) {
                group.push_back(j);
                masks.push_back(patterns[j].mask);
                kept[j].emplace();
            }
        }
        events.found = [&](std::size_t mask, const std::string& folder, const TFileInfo& info) {
            if (!deliver) {
                return;
            }
            if (mask == 0) {
                deliver(folder, info);
            } else {
                Kept& keep = *kept[group[mask]];
                if (keep.folders.empty() || keep.folders.back() != folder) {
                    keep.folders.push_back(folder);
                }
                keep.finds.emplace_back(keep.folders.size() - 1, info);
            }
        };
        WalkFolder(patterns[i].folder, masks, search.rules, events);
    }
}

void TFindFile::Complete() {
    if (worker_.joinable()) {
        worker_.join();
    }
    last_error_ = !handler_error_.ok() ? handler_error_ : search_->walk_error;
    search_.reset();
    channel_.reset();
    busy_ = false;
    if (on_complete_) {
        on_complete_(*this);
    }
}

}  // namespace orvella
