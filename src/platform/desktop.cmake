# Windows, messages and the clipboard: the CAD link's view of the desktop.
# The headless backend is a simulated desktop that native tests fill with
# windows.
add_library(platform_desktop STATIC
  ${VORBEL_PLATFORM_DIR}/desktop.cpp
  ${VORBEL_PLATFORM_DIR}/clipboard.cpp)
if(WIN32)
  target_link_libraries(platform_desktop PUBLIC platform_core user32)
else()
  target_sources(platform_desktop PRIVATE headless/sim_desktop.cpp)
  target_link_libraries(platform_desktop PUBLIC platform_core PRIVATE cp932)
endif()
