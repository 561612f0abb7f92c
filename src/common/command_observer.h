#pragma once

#include <cstddef>
#include <string_view>

namespace pixmosa {

// What a long command tells the one who started it: the window shows it in its status bar and
// message boxes, the command line prints it.
class CommandObserver {
public:
    virtual ~CommandObserver() = default;

    // The progress or completion text, e.g. "Creating thumbnail 3 of 12".
    virtual void status(std::string_view text) = 0;
    // How far a long pass has come, given just before its status text.
    virtual void progress(std::size_t done, std::size_t total) = 0;
    // Called once per file, so a window can repaint and stay responsive.
    virtual void breathe() = 0;
    virtual void beep() = 0;
    // A notice for the user that is not an error.
    virtual void message(std::string_view text) = 0;
    // An image that a command asked to keep going leaves out of its run, with the error that
    // says why. Only the command line asks that, so others need not listen.
    virtual void leftOut(std::string_view error) { (void)error; }
    // Damage a command read past, such as the missing end of a photo whose thumbnail was made
    // from what could be read. The command line tells it; the window keeps to the behaviour's
    // silence.
    virtual void warning(std::string_view text) { (void)text; }
    // Asked between files: true once the one who started the command wants it to end there,
    // as a window being closed does. The command then ends as Stopped, every file whole.
    virtual bool stopRequested() const { return false; }
};

// How a command that did not fail ended.
enum class CommandEnd {
    Finished,
    NoImageDirectory,  // the image directory does not exist; nothing was done
    NoImages,          // the image list is empty; the user was told
    Stopped,           // asked to stop, it ended between two files
};

}  // namespace pixmosa
