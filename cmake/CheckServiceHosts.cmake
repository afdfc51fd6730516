# Stops configuring when a service host is not a host with an optional port,
# or channel 4's host is not a literal IPv4 address. Also runs on its own
# (cmake -DVARNELO_...=... -P CheckServiceHosts.cmake), which the tests use.
foreach(setting IN ITEMS VARNELO_CHANNEL1_HOST VARNELO_CHANNEL2_HOST VARNELO_CHANNEL3_HOST
                         VARNELO_CHANNEL4_HOST VARNELO_CHANNEL5_HOST VARNELO_NOTICE_HOST
                         VARNELO_FALLBACK_HOST)
  # The value goes into a C string literal and an address: a host name or
  # address with an optional port, nothing else.
  set(value "${${setting}}")
  if(NOT value MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:([0-9]+))?$")
    message(FATAL_ERROR "${setting} must be a host with an optional \":port\", not \"${value}\"")
  endif()
  if(NOT CMAKE_MATCH_3 STREQUAL "" AND (CMAKE_MATCH_3 LESS 1 OR CMAKE_MATCH_3 GREATER 65535))
    message(FATAL_ERROR "${setting}: port ${CMAKE_MATCH_3} is outside 1 to 65535")
  endif()
endforeach()

set(octet "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])")
if(NOT VARNELO_CHANNEL4_HOST MATCHES "^${octet}\\.${octet}\\.${octet}\\.${octet}(:[0-9]+)?$")
  message(FATAL_ERROR "VARNELO_CHANNEL4_HOST must be a literal IPv4 address with an optional \":port\", "
                      "not \"${VARNELO_CHANNEL4_HOST}\"")
endif()
