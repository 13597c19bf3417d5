#include "display/bitmap_resource.h"

namespace boxedit {

std::span<const uint8_t> FindBitmapResource(std::string_view) { return {}; }

}  // namespace boxedit
