# Warning and sanitizer flags shared by every target of the project.

function(zb_set_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
      -Wcast-align -Wunused -Wnull-dereference -Wformat=2)
    if(ZB_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()

if(ZB_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZB_FUZZ)
  # The engine is instrumented for coverage; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_compile_options("-fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/fuzz/coverage-ignorelist.txt")
  add_link_options(-fsanitize=address,undefined)
endif()

# Qt headers are large; every area precompiles the ones it always uses.
function(zb_precompile_qt target)
  target_precompile_headers(${target} PRIVATE
    <QtCore/QString> <QtCore/QStringList> <QtCore/QObject> <QtCore/QList>
    <QtCore/QMap> <QtCore/QMutex> <QtCore/QDebug> <QtCore/QCoreApplication>
    <array> <memory> <vector>)
endfunction()

# A file added to a source list reaches the target when CMake re-runs, but
# Ninja would not re-run moc for it: when the list changes, drop the autogen
# timestamp so that moc scans the sources again.
function(zb_autogen_follows_sources target)
  get_target_property(sources ${target} SOURCES)
  string(REPLACE ";" "\n" content "${sources}")
  set(list_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt")
  set(previous "")
  if(EXISTS "${list_file}")
    file(READ "${list_file}" previous)
  endif()
  if(NOT previous STREQUAL content)
    file(WRITE "${list_file}" "${content}")
    file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp")
  endif()
endfunction()
