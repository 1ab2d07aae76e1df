# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a layering check on a tree that breaks the rules and passes only when
# the check fails and names every planted violation.
#   cmake -DCHECK=<command;args> -DEXPECT=<texts> -P ExpectRefusal.cmake
cmake_minimum_required(VERSION 3.21)

execute_process(COMMAND ${CHECK} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(output "${out}${err}")
if(result EQUAL 0)
  message(FATAL_ERROR "The check passed a tree that breaks the rules:\n${output}")
endif()
set(missed "")
foreach(expected IN LISTS EXPECT)
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    string(APPEND missed "  ${expected}\n")
  endif()
endforeach()
if(missed)
  message(FATAL_ERROR "The check did not name:\n${missed}Its output:\n${output}")
endif()
message(STATUS "Refused, naming each violation.")
