# The win seam's Windows side: thin wrappers of user32, comctl32, gdi32 and GDI+, and the user
# that tests and tools drive dialogs with, its event record and state dump. Included by
# platform/CMakeLists.txt.
set(win_sources
  headless/queued_driver.cpp
  headless/input_queue.cpp
  headless/state_dump_format.cpp
  headless/utf8_of.cpp
  win32/controls_win.cpp
  win32/driver_win.cpp
  win32/environment_win.cpp
  win32/events_win.cpp
  win32/message_box_win.cpp
  win32/painting_win.cpp
  win32/state_dump_win.cpp
  win32/windows_win.cpp
)
zep_library(win SHARED SOURCES ${win_sources}
            DEPENDS JsonCpp::JsonCpp comctl32 gdiplus msimg32 shlwapi gdi32 user32 ole32)
if(NOT MSVC)
  # The DLL exports its own functions, not those of the static runtime libraries in it.
  target_link_options(zep_win PRIVATE -Wl,--exclude-libs,ALL)
endif()
