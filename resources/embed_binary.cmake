# cmake -DINPUT=prog.exe -DOUTPUT=image.cpp -DSYMBOL=kName -P embed_binary.cmake
# Writes the file's bytes as a constant array <SYMBOL> with its size in
# <SYMBOL>Size, declared in launcher_images.h.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty or missing")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# 16 bytes per line.
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n" bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${input_name} by embed_binary.cmake; do not edit.
#include \"launcher_images.h\"

namespace tlq {

const unsigned char ${SYMBOL}[] = {
${bytes}
};
const size_t ${SYMBOL}Size = ${size};

}  // namespace tlq
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
