#include "platform/temporary_names.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

#include "common/paths.h"
#include "platform/system.h"

namespace pixmosa {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
// The longest name a directory entry may have on the file systems we write to.
constexpr std::size_t kMaxNameLength = 255;

struct ProcessMark {
    std::uint64_t process = 0;
    std::string token;  // tells this run apart from an earlier one that had the same id
    std::string text;   // ".tmp-" + process id + "." + token + "-"
};

// The process's mark, made anew in a process that was forked from one that had made its own,
// so a child never shares its parent's names.
ProcessMark processMark()
{
    static std::mutex mutex;
    static ProcessMark mark;
    const std::lock_guard lock(mutex);
    const std::uint64_t process = currentProcessId();
    if (mark.process != process) {
        char token[9];
        std::snprintf(token, sizeof token, "%08x", static_cast<unsigned>(std::random_device{}()));
        mark = {process, token,
                std::string(kTemporaryMark) + std::to_string(process) + "." + token + "-"};
    }
    return mark;
}

bool allOf(std::string_view text, const char* characters)
{
    return !text.empty() && text.find_first_not_of(characters) == std::string_view::npos;
}

}  // namespace

std::string temporaryNameBeside(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.find_last_of(kPathSeparators);
    const std::string directory = slash == std::string::npos ? std::string(".") + kPathSeparator
                                                             : target.substr(0, slash + 1);
    const std::string_view name =
        std::string_view(target).substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string suffix = processMark().text + std::to_string(counter++);
    const std::size_t room = kMaxNameLength - 1 - suffix.size();
    return directory + "." + std::string(name.substr(0, room)) + suffix;
}

std::string caseChangeNameBeside(const std::string& path)
{
    const std::size_t slash = path.find_last_of(kPathSeparators);
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + ".pixmosa-renaming-" + std::to_string(currentProcessId()) + ".jpg";
}

bool isLeftByEndedWriter(std::string_view name)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (name.size() < 2 || name.front() != '.' || mark == std::string_view::npos || mark < 2) {
        return false;
    }
    const std::string_view rest = name.substr(mark + kTemporaryMark.size());
    const std::size_t dot = rest.find('.');
    const std::size_t dash = rest.find('-');
    if (dot == std::string_view::npos || dash == std::string_view::npos || dot > dash || dot > 19 ||
        !allOf(rest.substr(0, dot), "0123456789") ||
        !allOf(rest.substr(dot + 1, dash - dot - 1), "0123456789abcdef") ||
        !allOf(rest.substr(dash + 1), "0123456789")) {
        return false;
    }
    const std::uint64_t writer = std::stoull(std::string(rest.substr(0, dot)));
    const ProcessMark self = processMark();
    // A writer that still runs may be about to rename its file; only the ended leave debris,
    // an earlier run that had this process's id among them.
    if (writer == self.process) {
        return rest.substr(dot + 1, dash - dot - 1) != self.token;
    }
    return !processIsRunning(writer);
}

}  // namespace pixmosa
