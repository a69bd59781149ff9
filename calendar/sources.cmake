list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calendar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/schedule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/portion_schedule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/portion_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/track_reading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_text.cpp)
# The month calendar dialog: its arithmetic, then its drawing.
list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/calendar_grid.cpp)
list(APPEND WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/calendar_dialog.cpp)
# LocalDate: the C library's clock natively, GetLocalTime on Windows.
if(WIN32)
  list(APPEND WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/local_date_win.cpp)
else()
  list(APPEND CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/local_date.cpp)
endif()
