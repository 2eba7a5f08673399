# Windows flavour: the four programs and their tests under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Every Windows test program runs through this wrapper (prefix, locale, display).
set(TLQ_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_SOURCE_DIR}/tests/wine/wine-env.sh.in ${TLQ_WINE_DIR}/wine-env.sh @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh;${TLQ_WINE_DIR}/wine-env.sh)

# A test program under Wine. The shared session (Xvfb, prefix, wineserver)
# is set up once by the wine_session fixture; tests take the desktop in turn.
function(tlq_add_wine_test name target)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh
           ${TLQ_WINE_DIR}/wine-env.sh $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session
                       RESOURCE_LOCK desktop TIMEOUT 600)
endfunction()

add_subdirectory(core)
# Launchers first: the editor embeds their images.
foreach(dir project_launcher code_launcher resources help_viewer editor tools/tlqc tests/wine)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
