# Shared build rules: compiler flags, the Wine launcher, GoogleTest, and the
# two helpers every folder uses (corvane_library, corvane_test).

add_library(corvane_flags INTERFACE)
target_compile_options(corvane_flags INTERFACE -Wall -Wextra)
if(CORVANE_WERROR)
  target_compile_options(corvane_flags INTERFACE -Werror)
endif()

if(CORVANE_HOST)
  set(CORVANE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${CORVANE_SANITIZE})
  add_link_options(${CORVANE_SANITIZE})
  target_compile_definitions(corvane_flags INTERFACE CORVANE_HOST=1)
else()
  # Only system DLLs beside our binaries: no libstdc++, libgcc or libwinpthread.
  add_link_options(-static)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(-Wl,--enable-stdcall-fixup)
  endif()
  target_compile_definitions(corvane_flags INTERFACE
    _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

  # CTest runs every Windows program through our launcher; it lives in the
  # build folder so that the prefix it makes is this build's own.
  configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run ${CMAKE_BINARY_DIR}/wine-run COPYONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  add_test(NAME wine_shutdown COMMAND ${CMAKE_BINARY_DIR}/wine-run --shutdown)
  set_tests_properties(wine_shutdown PROPERTIES FIXTURES_CLEANUP wine)
endif()

# GoogleTest from Debian's sources, built with our own toolchain.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# corvane_library(NAME PORTABLE src... WINDOWS src... HOST src... DEPS lib... WINLIBS lib...)
# PORTABLE sources include no Windows header and build everywhere; WINDOWS
# sources only in the Windows builds, HOST sources only natively.
function(corvane_library name)
  cmake_parse_arguments(A "" "" "PORTABLE;WINDOWS;HOST;DEPS;WINLIBS" ${ARGN})
  set(src ${A_PORTABLE})
  if(CORVANE_HOST)
    list(APPEND src ${A_HOST})
  else()
    list(APPEND src ${A_WINDOWS})
  endif()
  add_library(${name} STATIC ${src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC corvane_flags ${A_DEPS})
  if(NOT CORVANE_HOST AND A_WINLIBS)
    target_link_libraries(${name} PUBLIC ${A_WINLIBS})
  endif()
endfunction()

# corvane_test(NAME PORTABLE src... WINDOWS src... DEPS lib... [TIMEOUT s])
# One GoogleTest program per folder; natively it holds the PORTABLE tests only.
function(corvane_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "PORTABLE;WINDOWS;HOST;DEPS" ${ARGN})
  set(src ${A_PORTABLE})
  if(CORVANE_HOST)
    list(APPEND src ${A_HOST})
  else()
    list(APPEND src ${A_WINDOWS})
  endif()
  if(NOT src)
    return()
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE corvane_testing ${A_DEPS})
  if(CORVANE_HOST)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${A_TIMEOUT})
  else()
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180
      PROPERTIES TIMEOUT ${A_TIMEOUT} FIXTURES_REQUIRED wine)
  endif()
endfunction()
