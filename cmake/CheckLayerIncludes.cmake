# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file includes a layer above its own.
#   cmake -DTREE=<source folder> -P CheckLayerIncludes.cmake
# Layers from the bottom: core; data, patches; cli; ui; app. The editors
# work on the session and never reach for the main window.

if(NOT TREE)
  message(FATAL_ERROR "TREE is not set")
endif()

# folder: the prefixes that no file under it may include.
set(forbidden_core "ui/;cli/;app/;patches/;data/;fixtures/;support/")
set(forbidden_data "ui/;cli/;app/;patches/")
set(forbidden_patches "ui/;cli/;app/;data/")
set(forbidden_cli "ui/;app/")
set(forbidden_fixtures "ui/;cli/;app/;patches/;data/;support/")
set(forbidden_ui "app/;cli/")

set(problems "")
foreach(layer core data patches cli fixtures ui)
  file(GLOB_RECURSE sources RELATIVE ${TREE} ${TREE}/${layer}/*.h ${TREE}/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${TREE}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
      set(bad FALSE)
      foreach(prefix IN LISTS forbidden_${layer})
        string(FIND "${included}" "${prefix}" at)
        if(at EQUAL 0)
          set(bad TRUE)
        endif()
      endforeach()
      if(source MATCHES "^ui/(monsters|characters)/" AND included STREQUAL "ui/MainWindow.h")
        set(bad TRUE)
      endif()
      if(bad)
        string(APPEND problems "  ${source} includes \"${included}\"\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the layers:\n${problems}")
endif()
message(STATUS "Every include keeps to its layer.")
