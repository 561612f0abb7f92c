#pragma once

#include "common/colour_text.h"

namespace pixmosa {

// The desktop's colours as the application palette holds them; parts the palette does not
// name keep the standard scheme.
class PaletteSystemColours final : public SystemColours {
public:
    std::uint32_t colourOf(int index) const override;
};

}  // namespace pixmosa
