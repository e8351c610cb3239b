#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/system/desktop_shell.h"

namespace orvella::testing {

// Records what the desktop is asked to open, print and mail, and fails with the queued
// texts, in turn.
class RecordingShell : public DesktopShell {
public:
    std::vector<std::string> calls;
    std::deque<std::string> failures;  // "" for a success

    Status Open(const std::string& target) override { return Record("open " + target); }
    Status Print(const std::string& path) override { return Record("print " + path); }
    Status Mail(const std::vector<std::string>& attachments) override {
        std::string call = "mail";
        for (const std::string& path : attachments)
            call += " " + path;
        return Record(call);
    }

private:
    Status Record(std::string call) {
        calls.push_back(std::move(call));
        if (failures.empty())
            return Status::Ok();
        const std::string failure = failures.front();
        failures.pop_front();
        return failure.empty() ? Status::Ok() : Status::Error(failure);
    }
};

}  // namespace orvella::testing
