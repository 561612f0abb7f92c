#pragma once

#include <cstdint>
#include <string>

namespace pixmosa {

// The colours the desktop uses for its parts, by the index a system colour value names
// (the value with its high bit set and the index in its lowest byte). Values are 0x00BBGGRR.
class SystemColours {
public:
    virtual ~SystemColours() = default;
    virtual std::uint32_t colourOf(int index) const = 0;
};

// The standard desktop scheme, for use where no desktop can be asked (the command line).
class StandardSystemColours final : public SystemColours {
public:
    std::uint32_t colourOf(int index) const override;
};

// A colour value as a page writes it: "#RRGGBB" in upper-case hexadecimal, a system colour
// resolved to the colour it stands for first.
std::string colourText(std::int32_t colour, const SystemColours& systemColours);

}  // namespace pixmosa
