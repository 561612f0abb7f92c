#pragma once

#include <functional>
#include <string>

namespace pixmosa::bench {

// Writes a photograph with libjpeg's defaults (chroma halved both ways) row by row, each row
// of RGB made by `fill`, so that even a very large one takes little memory.
void writeJpegRows(const std::string& path, int width, int height, int quality, bool progressive,
                   const std::function<void(int y, unsigned char* row)>& fill);

}  // namespace pixmosa::bench
