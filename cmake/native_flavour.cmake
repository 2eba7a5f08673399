# Native Linux flavour: the portable core, its unit tests, benchmarks, fuzzers.
if(TLQ_SANITIZE AND NOT TLQ_FUZZ AND NOT TLQ_BENCH)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_subdirectory(core)
foreach(dir tests/unit bench fuzz tools/tlqc)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
