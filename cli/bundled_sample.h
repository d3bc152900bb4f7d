// The bundled sample sequence (samples/distance_relay.seq), compiled into the program so that
// quorin demo runs from any folder and from an installed copy.
#pragma once

#include <string_view>

namespace quorin::cli {

// The file's bytes exactly (GBK, CR LF).
std::string_view BundledSampleSequence();

}  // namespace quorin::cli
