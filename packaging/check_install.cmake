# Installs the build tree into DEST (as a package would, under /usr) and checks what the
# package holds: the four programs, the viewer's KX5_Graph name, the desktop entries, the
# icon, the AppStream metadata, the data-file type, copyright and changelog (validated when
# the validators are installed), the manual pages and the user guide.
#   cmake -DBUILD=<build folder> -DDEST=<scratch folder> -P check_install.cmake
file(REMOVE_RECURSE ${DEST})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DEST}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(root ${DEST}/usr)
foreach(f bin/kx5comm bin/kx5service bin/kx5graph bin/kx5sim
          share/applications/org.kx5link.kx5comm.desktop
          share/applications/org.kx5link.kx5graph.desktop
          share/icons/hicolor/scalable/apps/org.kx5link.kx5comm.svg
          share/metainfo/org.kx5link.kx5comm.metainfo.xml
          share/man/man1/kx5comm.1 share/man/man1/kx5service.1
          share/man/man1/kx5graph.1 share/man/man1/kx5sim.1
          share/kx5link/guide/index.html share/kx5link/guide/guide.css
          share/mime/packages/org.kx5link.kx5graph.xml
          share/doc/kx5link/copyright share/doc/kx5link/changelog.gz
          lib/systemd/system/kx5comm@.service)
  if(NOT EXISTS ${root}/${f})
    message(FATAL_ERROR "missing from the install tree: ${f}")
  endif()
endforeach()
if(NOT IS_SYMLINK ${root}/bin/KX5_Graph)
  message(FATAL_ERROR "bin/KX5_Graph is not a link to the viewer")
endif()
file(READ_SYMLINK ${root}/bin/KX5_Graph target)
if(NOT target STREQUAL "kx5graph")
  message(FATAL_ERROR "bin/KX5_Graph points at ${target}, not kx5graph")
endif()
find_program(desktop_validate desktop-file-validate)
if(desktop_validate)
  execute_process(COMMAND ${desktop_validate}
                          ${root}/share/applications/org.kx5link.kx5comm.desktop
                          ${root}/share/applications/org.kx5link.kx5graph.desktop
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate failed")
  endif()
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
  execute_process(COMMAND ${appstreamcli} validate --no-net
                          ${root}/share/metainfo/org.kx5link.kx5comm.metainfo.xml
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate failed")
  endif()
endif()
