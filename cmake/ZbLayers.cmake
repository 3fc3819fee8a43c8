# Layers: the engine's folders and the program's areas around it.
#
# Rules:
# - A folder is one layer and one static library. A layer sees only the
#   include folders of the layers it links (and of what those link
#   publicly): an include that goes up, or sideways to a layer it does not
#   link, does not build.
# - Source lists are explicit, one file a line, sorted. A source or header
#   of the folder left out of every list, or left in a folder that is no
#   layer, stops the configuration rather than silently not being built.
# - Headers are included by their bare name. Two headers of one name in two
#   folders would leave an include to whichever folder comes first on the
#   command line, so the second one stops the configuration: rename it.

# Every .cpp, .h and .ui directly in `folder` must be in `listed`; the
# headers of `listed` take their name for the whole program.
function(zb_check_listed folder listed)
  file(GLOB present CONFIGURE_DEPENDS RELATIVE "${folder}"
    "${folder}/*.cpp" "${folder}/*.h" "${folder}/*.ui")
  foreach(file IN LISTS present)
    if(NOT file IN_LIST listed)
      message(FATAL_ERROR "${folder}/${file} is not in its layer's source list")
    endif()
  endforeach()
  foreach(file IN LISTS listed)
    if(NOT file MATCHES "\\.h$")
      continue()
    endif()
    get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${folder}")
    get_filename_component(name "${file}" NAME)
    # Lower case: a clash on a file system that ignores case is a clash too.
    string(TOLOWER "${name}" key)
    get_property(owner GLOBAL PROPERTY "zb_header_${key}")
    if(owner AND NOT owner STREQUAL path)
      message(FATAL_ERROR "${path} has the name of ${owner}: includes name headers without "
        "their folder, so one of them must be renamed")
    endif()
    set_property(GLOBAL PROPERTY "zb_header_${key}" "${path}")
  endforeach()
endfunction()

# zb_add_layer(<target> [NO_PCH] USES <public links>...
#              [PRIVATE_USES <links>...] SOURCES <files>...
#              [OTHER_FILES <files of other targets>...])
# The static library of the current folder. OTHER_FILES are files of the
# folder that another target of the same CMakeLists builds (a program's
# main, say). NO_PCH: a layer that does not link the engine's base cannot
# share its precompiled header (zb_precompile_qt), and a few sources do not
# pay for one of their own.
function(zb_add_layer name)
  cmake_parse_arguments(arg "NO_PCH" "" "USES;PRIVATE_USES;SOURCES;OTHER_FILES" ${ARGN})
  zb_check_listed("${CMAKE_CURRENT_SOURCE_DIR}" "${arg_SOURCES};${arg_OTHER_FILES}")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_USES} PRIVATE ${arg_PRIVATE_USES})
  zb_set_warnings(${name})
  if(NOT arg_NO_PCH)
    zb_precompile_qt(${name})
  endif()
  zb_autogen_follows_sources(${name})
endfunction()
