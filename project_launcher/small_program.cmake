# Size rules for the two launchers: every compiled project carries one, so
# they are built for size, stripped and kept free of the C++ stream library
# and of exceptions. No executable packer (scanners flag packed programs).

# The core again, optimised for size, for the launchers alone.
if(NOT TARGET tlq_core_small)
  get_target_property(tlq_core_dir tlq_core SOURCE_DIR)
  get_target_property(tlq_core_sources tlq_core SOURCES)
  list(TRANSFORM tlq_core_sources PREPEND ${tlq_core_dir}/)
  add_library(tlq_core_small STATIC EXCLUDE_FROM_ALL ${tlq_core_sources})
  target_include_directories(tlq_core_small PUBLIC ${tlq_core_dir})
  target_compile_definitions(tlq_core_small PRIVATE
    $<TARGET_PROPERTY:tlq_core,COMPILE_DEFINITIONS>)
  target_compile_options(tlq_core_small PRIVATE
    -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
  # The launchers run a single thread: per-thread state becomes plain static
  # data (about 27 KiB of threading runtime saved).
  target_compile_definitions(tlq_core_small PRIVATE TLQ_SINGLE_THREAD)
  target_link_libraries(tlq_core_small PUBLIC
    shell32 shlwapi comdlg32 advapi32 user32 gdi32 kernel32)
endif()

function(tlq_small_program target)
  target_compile_options(${target} PRIVATE
    -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
  target_link_options(${target} PRIVATE -s -static -Wl,--gc-sections)
  target_link_libraries(${target} PRIVATE tlq_core_small)
endfunction()
