# The runtimes that can stand behind platform/runtime.h, one line each:
#   orvanel_runtime(NAME FOLDER [DEFAULT_IF VARIABLE])
# FOLDER's CMakeLists.txt makes the target orvanel_platform, and may define
# these functions, which are called where they exist:
#   orvanel_runtime_behaviour(TARGET)  adds the runtime's driver of the shared
#     behaviour suite (such as tests/behaviour/qt_driver.cpp) to TARGET and
#     registers its tests; called from tests/behaviour/CMakeLists.txt.
#   orvanel_runtime_tests()  adds the tests of that runtime alone; called from
#     tests/CMakeLists.txt.
#   orvanel_runtime_floor(TARGET)  makes TARGET, the minimal window that the
#     start-up benchmark compares with; called from bench/CMakeLists.txt.
# A build takes the first runtime whose DEFAULT_IF variable is true, else the
# last without one; ORVANEL_PLATFORM chooses another.
set(ORVANEL_RUNTIMES)
macro(orvanel_runtime name folder)
  cmake_parse_arguments(runtime "" "DEFAULT_IF" "" ${ARGN})
  list(APPEND ORVANEL_RUNTIMES ${name})
  set(ORVANEL_RUNTIME_FOLDER_${name} ${folder})
  if(runtime_DEFAULT_IF)
    if(${runtime_DEFAULT_IF} AND NOT default_runtime_chosen)
      set(default_runtime ${name})
      set(default_runtime_chosen ON)
    endif()
  elseif(NOT default_runtime_chosen)
    set(default_runtime ${name})
  endif()
endmacro()

orvanel_runtime(Qt platform/qt)
orvanel_runtime(Win32 platform/win32 DEFAULT_IF WIN32)
orvanel_runtime(Web platform/web DEFAULT_IF EMSCRIPTEN)

set(ORVANEL_PLATFORM ${default_runtime} CACHE STRING "The runtime: ${ORVANEL_RUNTIMES}")
set_property(CACHE ORVANEL_PLATFORM PROPERTY STRINGS ${ORVANEL_RUNTIMES})
if(NOT ORVANEL_PLATFORM IN_LIST ORVANEL_RUNTIMES)
  message(FATAL_ERROR "ORVANEL_PLATFORM must be one of ${ORVANEL_RUNTIMES}, not ${ORVANEL_PLATFORM}")
endif()
set(ORVANEL_RUNTIME_DIR ${PROJECT_SOURCE_DIR}/${ORVANEL_RUNTIME_FOLDER_${ORVANEL_PLATFORM}})
