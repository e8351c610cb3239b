#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/status.h"
#include "tools/file_attributes.h"
#include "tools/file_info.h"
#include "tools/thread_priority.h"

namespace orvella {

class OwnerThread;
class DeliveryChannel;
struct WalkEvents;

// The file search engine: walks folders for files matching masks, in a worker thread or in
// the calling one, and reports each folder and each accepted file to its owner. Every
// member is called in the owner's thread, and every event runs there.
//
// Patterns with the same folder are searched in one walk, in the first one's turn, and
// delivered one after the other all the same (see WalkPatterns).
//
// Threaded, the worker hands the accepted files to the owner's thread in batches, never
// more than kMaxFindsAhead ahead of OnFound, and each folder to OnNewFolder by a
// synchronous call that it waits for (see DeliveryChannel); the owner sees the events in the
// order of a search in its own thread. OnComplete runs in the owner's thread after the
// worker has ended. Abort returns only after the finds already handed over and OnComplete
// have run, delivering them meanwhile without running the owner's other events; from inside
// a handler it drops them instead. Destroying the engine during a search stops the worker
// and delivers nothing more. The engine must not be destroyed by its own event handlers.
class TFindFile {
public:
    using TFoundEvent =
        std::function<void(TFindFile& sender, const std::string& folder, const TFileInfo& info)>;
    using TNewFolderEvent =
        std::function<void(TFindFile& sender, const std::string& folder, bool& ignore_folder)>;
    using TNotifyEvent = std::function<void(TFindFile& sender)>;

    // How far a threaded search's worker may run ahead of OnFound, in finds.
    static const std::size_t kMaxFindsAhead;

    // `owner` is the thread the events run in; it outlives the engine.
    explicit TFindFile(OwnerThread& owner);
    ~TFindFile();
    TFindFile(const TFindFile&) = delete;
    TFindFile& operator=(const TFindFile&) = delete;

    // The mask of a search without IncludeFiles: a bare name, "*.*" by default. A value
    // with a folder part is refused (EFindFileError) and the mask stays.
    const std::string& Filename() const { return filename_; }
    Status SetFilename(std::string filename);
    // The folders of a search without IncludeFiles, separated by ";". A value with "*" or
    // "?" is refused (EFindFileError) and the folders stay.
    const std::string& Location() const { return location_; }
    Status SetLocation(std::string location);

    // Patterns, each a folder and a mask ("/home/me/*.jpg"), searched one after the other.
    std::vector<std::string>& IncludeFiles() { return include_files_; }
    const std::vector<std::string>& IncludeFiles() const { return include_files_; }
    // FileMatches patterns of files never reported.
    std::vector<std::string>& ExcludeFiles() { return exclude_files_; }
    const std::vector<std::string>& ExcludeFiles() const { return exclude_files_; }

    bool Subfolders() const { return subfolders_; }
    void SetSubfolders(bool subfolders) { subfolders_ = subfolders; }
    TFileAttributes Attributes() const { return attributes_; }
    void SetAttributes(TFileAttributes attributes) { attributes_ = attributes; }
    bool ExactAttribute() const { return exact_attribute_; }
    void SetExactAttribute(bool exact) { exact_attribute_ = exact; }
    bool Threaded() const { return threaded_; }
    void SetThreaded(bool threaded) { threaded_ = threaded; }
    TThreadPriority ThreadPriority() const { return thread_priority_; }
    void SetThreadPriority(TThreadPriority priority) { thread_priority_ = priority; }

    void SetOnFound(TFoundEvent handler) { on_found_ = std::move(handler); }
    void SetOnNewFolder(TNewFolderEvent handler) { on_new_folder_ = std::move(handler); }
    void SetOnComplete(TNotifyEvent handler) { on_complete_ = std::move(handler); }

    // Starts a search; threaded, returns at once. Ignored while a search runs.
    void Execute();
    // Stops the running search. Threaded, returns after OnComplete has run; in the calling
    // thread (only possible from a handler) the walk ends after the current entry and
    // OnComplete follows when it has unwound.
    void Abort();

    bool Busy() const { return busy_; }
    // Why the last search ended early: an exception in the walk or in a handler of the
    // worker's events. Ok when it ran to its end or was aborted.
    const Status& LastError() const { return last_error_; }
    // Whether the worker got ThreadPriority (a priority above normal needs a privilege).
    const Status& ThreadPriorityStatus() const { return priority_status_; }

private:
    struct Search;
    using Deliver = std::function<void(const std::string& folder, const TFileInfo& info)>;

    std::vector<std::string> WorkingPatterns() const;
    // `channel` is null for a search in the calling thread.
    void Walk(Search& search, DeliveryChannel* channel);
    void WalkPatterns(const Search& search, const Deliver& deliver, WalkEvents& events);
    std::function<bool(const std::string&)> NewFolderAsker(DeliveryChannel* channel);
    void RunWorker(Search& search, const std::shared_ptr<DeliveryChannel>& channel);
    void StartWorker();
    void Complete();

    OwnerThread& owner_;
    std::string filename_ = "*.*";
    std::string location_;
    std::vector<std::string> include_files_;
    std::vector<std::string> exclude_files_;
    bool subfolders_ = true;
    TFileAttributes attributes_ = kDefaultSearchAttributes;
    bool exact_attribute_ = false;
    bool threaded_ = false;
    TThreadPriority thread_priority_ = TThreadPriority::tpNormal;
    TFoundEvent on_found_;
    TNewFolderEvent on_new_folder_;
    TNotifyEvent on_complete_;

    bool busy_ = false;
    // Set by the owner, polled by the worker between entries.
    std::atomic<bool> aborted_{false};
    std::atomic<bool> terminated_{false};
    std::unique_ptr<Search> search_;  // the working copies, while busy
    std::shared_ptr<DeliveryChannel> channel_;
    std::thread worker_;
    Status handler_error_;  // of a handler of a threaded search, in the owner's thread
    Status last_error_;
    Status priority_status_;
};

}  // namespace orvella
