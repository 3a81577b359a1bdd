# The controls and forms: buttons, edits, the memo, labels, group boxes,
# radio groups, the pop-up menu, the timer, modal dialogs and the standard
# error box. Native controls on Windows; in-memory controls with the same
# behaviour in the headless build.
add_library(platform_ui STATIC
  ui_common.cpp
  cp932_round_trip.cpp
  ${VORBEL_PLATFORM_DIR}/ui_controls.cpp
  ${VORBEL_PLATFORM_DIR}/ui_forms.cpp)
target_include_directories(platform_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(platform_ui PRIVATE cp932)
if(WIN32)
  target_sources(platform_ui PRIVATE
    win32/ui_application.cpp
    win32/ui_fonts.cpp
    win32/ui_text.cpp)
  # Per-monitor DPI functions of Windows 10.
  target_compile_definitions(platform_ui PRIVATE _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # The memo reads the clipboard when text is pasted into it.
  target_link_libraries(platform_ui PUBLIC platform_desktop user32 gdi32 comctl32 imm32)
endif()

# The test automation (ui_automation.h): typing, clicking, timer ticks,
# recorded error boxes and driven dialogs, for the test programs and the
# memo benchmark. vorbel.exe does not link it.
add_library(platform_ui_automation STATIC
  ui_automation.cpp
  ${VORBEL_PLATFORM_DIR}/ui_automation.cpp)
target_link_libraries(platform_ui_automation PUBLIC platform_ui PRIVATE cp932)
if(WIN32)
  target_compile_definitions(platform_ui_automation PRIVATE _WIN32_WINNT=0x0A00 WINVER=0x0A00)
endif()
