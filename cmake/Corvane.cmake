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
  if(NOT src)
    # A folder whose code is still to come.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE corvane_flags ${A_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC corvane_flags ${A_DEPS})
  if(NOT CORVANE_HOST AND A_WINLIBS)
    target_link_libraries(${name} PUBLIC ${A_WINLIBS})
  endif()
endfunction()

# corvane_test(NAME PORTABLE src... WINDOWS src... DEPS lib... [TIMEOUT s] [PROPERTIES ...])
# One GoogleTest program per folder; natively it holds the PORTABLE tests only.
function(corvane_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "PORTABLE;WINDOWS;HOST;DEPS;PROPERTIES" ${ARGN})
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
      PROPERTIES TIMEOUT ${A_TIMEOUT} ${A_PROPERTIES})
  else()
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE OFF)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180
      PROPERTIES TIMEOUT ${A_TIMEOUT} FIXTURES_REQUIRED wine ${A_PROPERTIES})
  endif()
endfunction()

# The folder rule: a folder's sources are found by their names, so that work
# in different files never touches the same list.
#   name.cpp        portable (no Windows header): every build
#   name_win.cpp    Windows builds only
#   name_host.cpp   the native build only
#   tests/name_test.cpp       portable test
#   tests/name_win_test.cpp   Windows-only test
function(corvane_folder_sources out_portable out_windows out_host dir)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(p) 
  set(w)
  set(h)
  foreach(f ${all})
    if(f MATCHES "testing_main\\.cpp$")
      continue()
    elseif(f MATCHES "_win(_test)?\\.cpp$")
      list(APPEND w ${f})
    elseif(f MATCHES "_host(_test)?\\.cpp$")
      list(APPEND h ${f})
    else()
      list(APPEND p ${f})
    endif()
  endforeach()
  set(${out_portable} ${p} PARENT_SCOPE)
  set(${out_windows} ${w} PARENT_SCOPE)
  set(${out_host} ${h} PARENT_SCOPE)
endfunction()

# corvane_folder_library(NAME [DEPS lib...] [WINLIBS lib...] [EXTRA src...])
function(corvane_folder_library name)
  cmake_parse_arguments(A "" "" "DEPS;WINLIBS;EXTRA" ${ARGN})
  corvane_folder_sources(p w h ${CMAKE_CURRENT_SOURCE_DIR})
  corvane_library(${name} PORTABLE ${p} ${A_EXTRA} WINDOWS ${w} HOST ${h} DEPS ${A_DEPS} WINLIBS ${A_WINLIBS})
endfunction()

# corvane_folder_tests(NAME [DEPS lib...] [TIMEOUT s] [PROPERTIES prop value...])
# PROPERTIES go to every test of the program (RESOURCE_LOCK for tests that
# share registry keys, say).
function(corvane_folder_tests name)
  cmake_parse_arguments(A "" "TIMEOUT" "DEPS;PROPERTIES" ${ARGN})
  corvane_folder_sources(p w h ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  corvane_test(${name} PORTABLE ${p} WINDOWS ${w} HOST ${h} DEPS ${A_DEPS} TIMEOUT ${A_TIMEOUT}
    PROPERTIES ${A_PROPERTIES})
endfunction()

# A test that the deliverable imports system DLLs only.
function(corvane_check_imports target)
  if(CORVANE_HOST)
    return()
  endif()
  string(REPLACE "-gcc-posix" "" triple_prefix "${CMAKE_C_COMPILER}")
  get_filename_component(triple_prefix ${triple_prefix} NAME)
  add_test(NAME ${target}.ImportsSystemDllsOnly
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-imports ${triple_prefix}-objdump $<TARGET_FILE:${target}>)
endfunction()
