# The game started where there is no display: a message in Russian and English, status 1.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
execute_process(COMMAND ${GAME} RESULT_VARIABLE status ERROR_VARIABLE said TIMEOUT 60)
if(NOT status STREQUAL "1" OR NOT said MATCHES "нет экрана.*\nzarvel: there is no display")
  message(FATAL_ERROR "status ${status}, said:\n${said}")
endif()
