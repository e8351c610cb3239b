#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "owner_loop.h"
#include "support/temp_dir.h"
#include "tools/find_file.h"
#include "tree.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;

// A threaded search owned by an event-loop thread. Everything the handlers record is
// touched in the owner's thread only; the test reads it after the loop has drained.
class ThreadedFindFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_ = std::make_unique<TFindFile>(owner_);
        engine_->SetThreaded(true);
        engine_->SetOnFound(
            [this](TFindFile& sender, const std::string& folder, const TFileInfo& info) {
                CheckOwnerThread();
                EXPECT_EQ(completions_, 0) << "a file after the end of the search";
                events_.push_back(folder + "|" + info.name);
                if (on_found_) {
                    on_found_(sender, info);
                }
            });
        engine_->SetOnComplete([this](TFindFile& sender) {
            CheckOwnerThread();
            EXPECT_FALSE(sender.Busy());
            events_.push_back("complete");
            if (++completions_ == 1) {
                completed_.set_value();
            }
        });
    }

    void TearDown() override {
        owner_.Run([this] { engine_.reset(); });
    }

    void CheckOwnerThread() {
        if (std::this_thread::get_id() != owner_.id()) {
            ++foreign_thread_events_;
        }
    }

    void MakeFiles(const std::string& folder, int count) {
        testing::MakeTree(dir_.path(), {folder});
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "f%04d.jpg", i);
            dir_.Write(folder + name, "x");
        }
    }

    void Start(std::vector<std::string> patterns) {
        owner_.Run([&] {
            engine_->IncludeFiles() = std::move(patterns);
            engine_->Execute();
        });
    }

    // Waits for OnComplete, then for whatever the owner's loop still has queued.
    bool Completed() {
        const bool done =
            completed_future_.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
        owner_.Drain();
        return done;
    }

    int Found() const {
        int found = 0;
        for (const std::string& event : events_) {
            found += event != "complete";
        }
        return found;
    }

    testing::TempDir dir_;
    testing::OwnerLoop owner_;
    std::unique_ptr<TFindFile> engine_;
    std::function<void(TFindFile&, const TFileInfo&)> on_found_;
    std::vector<std::string> events_;
    int completions_ = 0;
    int foreign_thread_events_ = 0;
    std::promise<void> completed_;
    std::future<void> completed_future_ = completed_.get_future();
};

TEST_F(ThreadedFindFileTest, DeliversInTheOwnersThreadAndCompletesAfterTheLastFile) {
    testing::MakeTree(dir_.path(), {"b.jpg", "a.jpg", "sub/c.jpg", "sub/deep/d.jpg", "e.png"});
    const std::string r = dir_.path().substr(0, dir_.path().size() - 1);
    std::vector<std::string> folders;
    engine_->SetOnNewFolder([&](TFindFile&, const std::string& folder, bool& ignore) {
        CheckOwnerThread();
        folders.push_back(folder);
        ignore = folder == r + "/sub/deep";
    });
    engine_->SetThreadPriority(TThreadPriority::tpLower);
    // A second Execute and new lists during the search change nothing of it.
    on_found_ = [&](TFindFile& sender, const TFileInfo&) {
        sender.Execute();
        sender.IncludeFiles().clear();
        sender.ExcludeFiles().push_back("*.*");
    };
    Start({dir_.path() + "*.jpg", dir_.path() + "*.png"});

    ASSERT_TRUE(Completed());
    EXPECT_THAT(events_, ElementsAre(r + "|a.jpg", r + "|b.jpg", r + "/sub|c.jpg", r + "|e.png",
                                     "complete"));
    EXPECT_THAT(folders,
                ElementsAre(r, r + "/sub", r + "/sub/deep", r, r + "/sub", r + "/sub/deep"));
    EXPECT_EQ(completions_, 1);
    EXPECT_EQ(foreign_thread_events_, 0);
    EXPECT_TRUE(engine_->ThreadPriorityStatus().ok()) << engine_->ThreadPriorityStatus().message();
    EXPECT_TRUE(engine_->LastError().ok());
}

TEST_F(ThreadedFindFileTest, AbortFromTheOwnerDeliversWhatWasHandedOverThenCompletes) {
    // More than the worker may run ahead, so it is still walking when Abort comes.
    const int files = static_cast<int>(TFindFile::kMaxFindsAhead) + 200;
    MakeFiles("many/", files);
    bool completed_when_abort_returned = false;
    bool busy_after_abort = true;
    int found_before_abort = -1;
    on_found_ = [&](TFindFile& sender, const TFileInfo&) {
        if (found_before_abort < 0) {
            // A slow owner: its loop yields to the task below within a few finds.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (Found() != 5) {
            return;
        }
        owner_.Post([&] {
            found_before_abort = Found();
            sender.Abort();
            completed_when_abort_returned = completions_ == 1;
            busy_after_abort = sender.Busy();
        });
    };
    owner_.Run([this] { engine_->Abort(); });  // idle: nothing to stop
    Start({dir_.path() + "*.jpg"});

    ASSERT_TRUE(Completed());
    EXPECT_TRUE(completed_when_abort_returned);
    EXPECT_FALSE(busy_after_abort);
    EXPECT_GE(found_before_abort, 5);
    EXPECT_LE(Found() - found_before_abort, static_cast<int>(TFindFile::kMaxFindsAhead));
    EXPECT_LT(Found(), files);
    EXPECT_EQ(events_.back(), "complete");
    EXPECT_EQ(completions_, 1);
    EXPECT_EQ(foreign_thread_events_, 0);
}

TEST_F(ThreadedFindFileTest, AbortFromInsideOnFoundEndsTheSearchBeforeItReturns) {
    MakeFiles("many/", 50);
    bool completed_when_abort_returned = false;
    on_found_ = [&](TFindFile& sender, const TFileInfo&) {
        if (Found() == 3) {
            sender.Abort();
            completed_when_abort_returned = completions_ == 1 && !sender.Busy();
        }
    };
    Start({dir_.path() + "*.jpg"});

    ASSERT_TRUE(Completed());
    EXPECT_TRUE(completed_when_abort_returned);
    EXPECT_EQ(Found(), 3);
    EXPECT_EQ(completions_, 1);
}

TEST_F(ThreadedFindFileTest, DestroyingTheEngineMidWalkDeliversNothingMore) {
    // Far more files than the worker may find ahead of its owner, so the walk is almost
    // always under way when the owner runs the destruction it posted; when a fast owner has
    // delivered everything before, the completion came before the destruction, never after.
    MakeFiles("many/", 2000);
    int found_at_destruction = -1;
    int completions_at_destruction = -1;
    on_found_ = [&](TFindFile&, const TFileInfo&) {
        if (Found() == 5) {
            owner_.Post([&] {
                engine_.reset();
                found_at_destruction = Found();
                completions_at_destruction = completions_;
            });
        }
    };
    Start({dir_.path() + "*.jpg"});
    // Gives a worker that was not stopped time to deliver more; wake-ups posted before it
    // stopped run meanwhile.
    for (int i = 0; i < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        owner_.Drain();
    }

    ASSERT_GE(found_at_destruction, 5);
    EXPECT_EQ(Found(), found_at_destruction);
    EXPECT_EQ(completions_, completions_at_destruction);
}

TEST_F(ThreadedFindFileTest, DestroyingTheEngineBeforeItsCompletionRunDropsOnComplete) {
    MakeFiles("few/", 2);
    owner_.Run([&] {
        engine_->IncludeFiles() = {dir_.path() + "*.png"};
        engine_->Execute();
        // The worker finds nothing and ends meanwhile; its completion waits in the loop behind this
        // task.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        engine_.reset();
    });
    owner_.Drain();
    EXPECT_EQ(completions_, 0);
    EXPECT_EQ(Found(), 0);
}

TEST_F(ThreadedFindFileTest, AnExceptionInAHandlerEndsTheSearchAsAborted) {
    MakeFiles("many/", 20);
    on_found_ = [&](TFindFile&, const TFileInfo&) {
        if (Found() == 2) {
            throw std::runtime_error("handler failed");
        }
    };
    Start({dir_.path() + "*.jpg", dir_.path() + "*.jpg"});

    ASSERT_TRUE(Completed());
    EXPECT_EQ(Found(), 2);
    EXPECT_EQ(completions_, 1);
    EXPECT_EQ(engine_->LastError().message(), "handler failed");
}

}  // namespace
}  // namespace orvella
