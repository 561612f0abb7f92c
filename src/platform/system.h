#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixmosa {

// The machine's physical memory in bytes; 0 when the system does not tell.
std::uint64_t physicalMemoryBytes();

// This process's id, and whether the process of an id runs (as far as can be told).
std::uint64_t currentProcessId();
bool processIsRunning(std::uint64_t id);

// The program's arguments after its name, in UTF-8 (Windows hands them over in UTF-16; argv
// there holds them in the code page, which loses what it cannot spell).
std::vector<std::string> programArguments(int argc, char** argv);

// Lets a console show the UTF-8 the program prints (Windows, until the program ends).
void printUtf8ToConsole();

// True when the program's standard error goes to a terminal rather than a file or a pipe.
bool standardErrorIsTerminal();

// A descriptor that becomes readable once the program is asked to end by the system (SIGTERM,
// SIGINT, SIGHUP, as at a logout), so that an event loop can close its window and store what
// closing stores; -1 where the system asks its windows directly. Set up at the first call; a
// second request then ends the program at once, should closing not end it.
int endRequestDescriptor();
// Takes the request that made the descriptor readable.
void takeEndRequest();

}  // namespace pixmosa
