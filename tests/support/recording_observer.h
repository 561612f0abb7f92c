#pragma once

#include <string>
#include <vector>

#include "common/command_observer.h"

namespace pixmosa::test {

// Keeps everything a command tells, in order: status texts, beeps and messages as
// "beep" and "message: ..." lines.
class RecordingObserver final : public CommandObserver {
public:
    void status(std::string_view text) override { events.emplace_back(text); }
    void progress(std::size_t, std::size_t) override {}
    void breathe() override { ++breaths; }
    void beep() override { events.emplace_back("beep"); }
    void message(std::string_view text) override
    {
        events.push_back("message: " + std::string(text));
    }

    std::vector<std::string> events;
    int breaths = 0;
};

}  // namespace pixmosa::test
