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

# The targets `target` links, directly or through what it links, into
# `out` (aliases resolved). Generator expressions other than LINK_ONLY are
# not followed.
function(zb_collect_links target out)
  set(reached "")
  set(pending "${target}")
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(aliased "${current}" ALIASED_TARGET)
    if(aliased)
      set(current "${aliased}")
    endif()
    if(current IN_LIST reached)
      continue()
    endif()
    list(APPEND reached "${current}")
    set(links "")
    get_target_property(imported "${current}" IMPORTED)
    if(NOT imported)
      get_target_property(direct "${current}" LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface "${current}" INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(TARGET "${link}" AND NOT link MATCHES "\\$<")
        list(APPEND pending "${link}")
      endif()
    endforeach()
  endwhile()
  set(${out} "${reached}" PARENT_SCOPE)
endfunction()

# Stops the configuration when `target` reaches one of the other arguments.
function(zb_check_without target)
  zb_collect_links("${target}" reached)
  foreach(forbidden IN LISTS ARGN)
    set(name "${forbidden}")
    if(TARGET "${forbidden}")
      get_target_property(aliased "${forbidden}" ALIASED_TARGET)
      if(aliased)
        set(name "${aliased}")
      endif()
    endif()
    if(name IN_LIST reached)
      message(FATAL_ERROR "${target} links ${forbidden}, directly or through another layer, "
        "and must be built without it")
    endif()
  endforeach()
endfunction()

# zb_add_layer(<target> [NO_PCH] USES <public links>...
#              [PRIVATE_USES <links>...] SOURCES <files>...
#              [OTHER_FILES <files of other targets>...]
#              [WITHOUT <targets>...])
# The static library of the current folder. OTHER_FILES are files of the
# folder that another target of the same CMakeLists builds (a program's
# main, say). NO_PCH: a layer that does not link the engine's base cannot
# share its precompiled header (zb_precompile_qt), and a few sources do not
# pay for one of their own. WITHOUT: targets the layer must never link, not
# even through another layer; checked once the whole project is read, so
# that a link added to a lower layer afterwards is caught too.
function(zb_add_layer name)
  cmake_parse_arguments(arg "NO_PCH" "" "USES;PRIVATE_USES;SOURCES;OTHER_FILES;WITHOUT" ${ARGN})
  zb_check_listed("${CMAKE_CURRENT_SOURCE_DIR}" "${arg_SOURCES};${arg_OTHER_FILES}")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_USES} PRIVATE ${arg_PRIVATE_USES})
  zb_set_warnings(${name})
  if(NOT arg_NO_PCH)
    zb_precompile_qt(${name})
  endif()
  zb_autogen_follows_sources(${name})
  if(arg_WITHOUT)
    # Deferred calls read their arguments when they run: pass the values.
    string(JOIN " " without ${arg_WITHOUT})
    cmake_language(EVAL CODE
      "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\" CALL zb_check_without ${name} ${without})")
  endif()
endfunction()
