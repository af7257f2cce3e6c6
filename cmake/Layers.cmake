# The layers, checked when the build is configured: the core (link, registers, files) and the
# services (events, data log, trace, alarms, publishing, gateway, the service program) build on
# Qt Core, Network and Serial Port only, so the service runs where no desktop is installed.
# kx5_check_no_desktop(target...) stops the configuration naming the first target that reaches
# Qt Gui or Widgets, and through which libraries. kx5_check_not_on(regex target...) does the
# same for the libraries whose names match regex: the services stand beside publishing and the
# gateway, which observe the same line, not on them, and none of them on the windows' libraries.
# kx5_check_includes(folder...) stops it at the first source of those folders that includes from
# the windows' folders: a header alone links nothing, so the target check cannot see it.

function(_kx5_desktop_path target forbidden seen_var path_var)
  set(${path_var} "" PARENT_SCOPE)
  if(target MATCHES "${forbidden}")
    set(${path_var} ${target} PARENT_SCOPE)
    return()
  endif()
  if(NOT TARGET ${target} OR "${target}" IN_LIST ${seen_var})
    return()
  endif()
  list(APPEND ${seen_var} ${target})
  set(${seen_var} ${${seen_var}} PARENT_SCOPE)
  get_target_property(aliased ${target} ALIASED_TARGET)
  if(aliased)
    set(target ${aliased})
  endif()
  get_target_property(type ${target} TYPE)
  set(libs "")
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(own ${target} LINK_LIBRARIES)
    if(own)
      list(APPEND libs ${own})
    endif()
  endif()
  get_target_property(iface ${target} INTERFACE_LINK_LIBRARIES)
  if(iface)
    list(APPEND libs ${iface})
  endif()
  foreach(lib IN LISTS libs)
    # $<LINK_ONLY:x> and the like: the library they name.
    string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" lib "${lib}")
    if(lib MATCHES "[$<>]")
      continue()
    endif()
    _kx5_desktop_path(${lib} "${forbidden}" ${seen_var} below)
    set(${seen_var} ${${seen_var}} PARENT_SCOPE)
    if(below)
      set(${path_var} "${target} -> ${below}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# The check itself: what the targets must not reach, and how a fault is said.
function(_kx5_check forbidden what)
  foreach(t IN LISTS ARGN)
    if(NOT TARGET ${t})
      continue()
    endif()
    set(seen "")
    _kx5_desktop_path(${t} "${forbidden}" seen path)
    if(path)
      message(FATAL_ERROR "${t} ${what}: ${path}")
    endif()
  endforeach()
endfunction()

function(kx5_check_not_on forbidden)
  _kx5_check("${forbidden}" "must not build on ${forbidden}, but reaches it" ${ARGN})
endfunction()

function(kx5_check_includes)
  foreach(dir IN LISTS ARGN)
    file(GLOB sources ${PROJECT_SOURCE_DIR}/${dir}/*.h ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    foreach(f IN LISTS sources)
      file(STRINGS ${f} up REGEX "^#include \"(ui|monitor|params|settings|graph|app)/")
      if(up)
        file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${f})
        message(FATAL_ERROR "${name} must not include from the windows' folders: ${up}")
      endif()
    endforeach()
  endforeach()
endfunction()

function(kx5_check_no_desktop)
  _kx5_check("^Qt6::(Gui|Widgets|OpenGL|PrintSupport|Svg)$"
             "must build on Qt Core, Network and Serial Port only, but reaches the desktop" ${ARGN})
endfunction()
