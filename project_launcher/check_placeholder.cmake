# cmake -DIMAGE=launchstub.exe -P check_placeholder.cmake
# Fails unless the 32 placeholder bytes of the name field ("你好世界" four
# times in GBK) occur exactly once in the image.
set(placeholder_hex "c4e3bac3cac0bde7c4e3bac3cac0bde7c4e3bac3cac0bde7c4e3bac3cac0bde7")
file(READ "${IMAGE}" image_hex HEX)
set(count 0)
set(offset 0)  # position of rest within image_hex, in hex digits
set(rest "${image_hex}")
string(FIND "${rest}" "${placeholder_hex}" at)
while(NOT at EQUAL -1)
  math(EXPR absolute "${offset} + ${at}")
  math(EXPR odd "${absolute} % 2")
  if(odd EQUAL 0)  # a match on a byte boundary
    math(EXPR count "${count} + 1")
  endif()
  math(EXPR next "${at} + 1")
  math(EXPR offset "${offset} + ${next}")
  string(SUBSTRING "${rest}" ${next} -1 rest)
  string(FIND "${rest}" "${placeholder_hex}" at)
endwhile()
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${IMAGE}: the name-field placeholder occurs ${count} times, expected exactly once")
endif()
message(STATUS "${IMAGE}: name-field placeholder found once")
