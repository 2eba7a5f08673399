# Native Linux flavour: the portable core, its unit tests, benchmarks, fuzzers.
if(TLQ_SANITIZE AND NOT TLQ_FUZZ AND NOT TLQ_BENCH)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The cross-built project launcher that tlqc carries for `compile`
# (build/windows/project_launcher/launchstub.exe); empty: code files only.
set(TLQ_LAUNCHSTUB_IMAGE "" CACHE FILEPATH "launchstub.exe to build into tlqc")

add_subdirectory(core)
foreach(dir tests/unit help_viewer/tests bench fuzz tools/tlqc)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
