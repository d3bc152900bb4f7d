// The current parameter values of a template as flat texts: the name sections (by name, between
// markers) and the value list (by identifier under a prefix). Every value is taken through
// CalcExpression on the record's ID, so it is the value mirrored by the last ReadTemplate, and an
// identifier that does not evaluate shows the failure value -100000.
#pragma once

#include <string>
#include <string_view>

namespace quorin {

class CRelayTemplate;

// "<SetNameBegin>" N "=" value ";" ... "<SetNameEnd>", "<ParaNameBegin>" N ":" value ";" ...
// "<ParaNameEnd>", "<BinaryNameBegin>" N "=" value ";" ... "<BinaryNameEnd>"; no line breaks.
// With listFlag 0 each section holds its two markers only. Settings show 3 decimals and their
// unit ("Ir=1.500A;"); common parameters and binary inputs show their kind's value text.
std::string WriteNameSections(CRelayTemplate& relayTemplate, int listFlag);

// prefix "_" ID "=" value ";" for each setting (L decimals and unit), then each common parameter
// and binary input (their kind's value text).
std::string WriteValueList(CRelayTemplate& relayTemplate, std::string_view prefix);

}  // namespace quorin
