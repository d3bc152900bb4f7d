// The inputs of shots and assessments as the quorin command and the Python package take them as
// text: tolerances, zone times and angles.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quorin {

class CRelayTemplate;

// "REL%,ABS" with both parts finite and not negative ("5%,0.05" is 0.05 and 0.05). False for any
// other text.
bool ParseTolerancePair(const std::string& text, double& relative, double& absolute);

// One "INDEX=EXPR" of --time: EXPR evaluated over the template's names into times[INDEX].
// False with error, times unchanged:
//   "--time <given>: write it as INDEX=EXPR, for example 2=T2"
//   "--time <given>: no zone has the index <n>"
//   "--time <given>: the expression does not evaluate"
//   "--time <given>: the time <t> s is below 0"
bool ParseZoneTime(CRelayTemplate& relayTemplate, const std::string& given,
                   std::map<int, double>& times, std::string& error);

// Angles as "FROM:TO:STEP" (STEP above 0, at most 3601 angles) or "A,B,...". False for any
// other text.
bool ParseAngles(const std::string& text, std::vector<double>& angles);

// The parts of text between separators: "a,,b" is {"a", "", "b"}, "" is {""}.
std::vector<std::string> SplitList(const std::string& text, char separator);

}  // namespace quorin
