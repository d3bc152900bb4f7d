# Writes a C++ source that holds a file's bytes:
#   cmake -DINPUT=file -DOUTPUT=out.cpp -DNAME=Function -P embed_file.cmake
# The source defines std::string_view quorin::cli::NAME() with the bytes exactly as in the file.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes a line keeps the generated source readable.
set(lines "")
set(offset 0)
while(offset LESS hex_length)
    string(SUBSTRING "${hex}" ${offset} 32 chunk)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," chunk "${chunk}")
    string(APPEND lines "    ${chunk}\n")
    math(EXPR offset "${offset} + 32")
endwhile()
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT} by cli/embed_file.cmake; do not edit.
#include <string_view>

namespace quorin::cli {
namespace {
// One byte more than the file, so that an empty file still makes a valid array.
constexpr char kBytes[${size} + 1] = {
${lines}    '\\0'};
}  // namespace

std::string_view ${NAME}() {
    return std::string_view(kBytes, ${size});
}

}  // namespace quorin::cli
")
# Replaced only when changed, so that an unchanged input rebuilds nothing.
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
