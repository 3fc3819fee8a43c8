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

# Full debug information is about a third of a test source's compile time;
# source lines alone still name the file and line of every frame of a
# backtrace, which is what a test run needs (the test command asks for it).
if(ZB_LINE_TABLES)
  foreach(config RELWITHDEBINFO DEBUG)
    string(REGEX REPLACE "(^| )-g( |$)" "\\1-g1\\2" CMAKE_CXX_FLAGS_${config} "${CMAKE_CXX_FLAGS_${config}}")
  endforeach()
endif()

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

# Qt headers are large; the areas precompile the ones they always use. A
# precompiled header costs as much to make as several sources, so targets
# that see the same macros share one: zb_share_pch(<group> <target>
# <headers>...) makes it for the first target of a group and lets the others
# reuse it. The compiler refuses a header made under other values of the
# macros it looks at (and -Werror then stops the build), so a group holds
# targets that agree on those: the first target's macros must be among every
# other's.
function(zb_share_pch group target)
  get_property(donor GLOBAL PROPERTY "zb_pch_${group}")
  if(donor)
    target_precompile_headers(${target} REUSE_FROM ${donor})
  else()
    target_precompile_headers(${target} PRIVATE ${ARGN})
    set_property(GLOBAL PROPERTY "zb_pch_${group}" ${target})
  endif()
endfunction()

# The engine's layers and the areas built on the engine. The first of them is
# zb_base, and all of them link it, so all of them see its macros
# (QT_USE_QSTRINGBUILDER changes QString's header); the Qt modules they add
# are not looked at by these headers.
function(zb_precompile_qt target)
  zb_share_pch(engine ${target}
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
