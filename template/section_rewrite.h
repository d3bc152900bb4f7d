// A parameter section of a template text written anew from the template object, for callers
// that change a value and store the text again without touching the rest of it.
#pragma once

#include <string>
#include <string_view>

#include "template/relay_template.h"

namespace quorin {

// The text with the records of one parameter section written anew: the bytes between the
// section's begin marker and the first end marker after it (the span ReadTemplate reads) become
// those of the section writer (WriteSettings or WriteCommonParameters with useKilovolts, which
// store their unit changes in the object, or WriteBinaryInputs). Every byte outside that span
// stays; the text comes back unchanged when it lacks either marker.
std::string RewriteParameterSection(std::string_view text, CRelayTemplate& relayTemplate,
                                    ParamKind kind, int useKilovolts);

}  // namespace quorin
