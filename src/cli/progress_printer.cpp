#include "cli/progress_printer.h"

#include <ostream>

#include "cli/command_line.h"

namespace pixmosa::cli {

namespace {

constexpr std::size_t kBarWidth = 30;

}  // namespace

ProgressPrinter::ProgressPrinter(std::ostream& err, bool terminal)
    : m_err(err), m_terminal(terminal)
{
}

ProgressPrinter::~ProgressPrinter()
{
    endLine();
}

void ProgressPrinter::progress(std::size_t done, std::size_t total)
{
    if (!m_terminal || total == 0) {
        return;
    }
    const std::size_t filled = done * kBarWidth / total;
    m_bar = std::string("[").append(filled, '#').append(kBarWidth - filled, ' ').append("] ");
}

void ProgressPrinter::status(std::string_view text)
{
    if (!m_terminal) {
        m_err << text << '\n';
        return;
    }
    // The bar belongs to the text that comes with it; a completion text stands alone.
    m_err << "\r\033[K" << m_bar << text << std::flush;
    m_bar.clear();
    m_lineOpen = true;
}

void ProgressPrinter::message(std::string_view text)
{
    endLine();
    m_err << text << '\n';
}

void ProgressPrinter::leftOut(std::string_view error)
{
    message("Left out: " + std::string(error));
    m_leftOut.emplace_back(error);
}

int ProgressPrinter::summarize(std::size_t imageCount)
{
    if (m_leftOut.empty()) {
        return kSuccess;
    }
    endLine();
    m_err << m_leftOut.size() << " of " << imageCount << " images were left out:\n";
    for (const std::string& error : m_leftOut) {
        m_err << "  " << error << '\n';
    }
    return kFailure;
}

void ProgressPrinter::endLine()
{
    if (m_lineOpen) {
        m_err << '\n';
        m_lineOpen = false;
    }
}

}  // namespace pixmosa::cli
