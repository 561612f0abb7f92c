#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pixmosa::fuzz {

// A file of this process's own in the temporary directory, holding the fuzzer's input; the
// targets read real files, as the program does.
const std::string& scratchFile(std::string_view name, const std::uint8_t* data, std::size_t size);

// Stops the run, so the fuzzer keeps the input, when a promise of the code does not hold.
void check(bool holds, const char* promise);

}  // namespace pixmosa::fuzz
