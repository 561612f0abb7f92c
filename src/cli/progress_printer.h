#pragma once

#include <iosfwd>
#include <string>

#include "common/command_observer.h"

namespace pixmosa::cli {

// Prints a command's progress on standard error: a line per status text, or, on a terminal,
// one line redrawn in place with a bar.
class ProgressPrinter final : public CommandObserver {
public:
    ProgressPrinter(std::ostream& err, bool terminal);
    ~ProgressPrinter() override;

    void status(std::string_view text) override;
    void progress(std::size_t done, std::size_t total) override;
    void breathe() override {}
    void beep() override {}
    void message(std::string_view text) override;

private:
    void endLine();

    std::ostream& m_err;
    bool m_terminal;
    bool m_lineOpen = false;
    std::string m_bar;
};

}  // namespace pixmosa::cli
