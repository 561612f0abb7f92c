#pragma once

#include <iosfwd>
#include <string>
#include <vector>

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
    // Printed at once, and kept for the summary.
    void leftOut(std::string_view error) override;
    // Printed at once, on a line of its own.
    void warning(std::string_view text) override { message(text); }

    // After the command: the images left out again, one a line, and the exit code that says
    // whether there were any.
    int summarize(std::size_t imageCount);

private:
    void endLine();

    std::ostream& m_err;
    bool m_terminal;
    bool m_lineOpen = false;
    std::string m_bar;
    std::vector<std::string> m_leftOut;
};

}  // namespace pixmosa::cli
