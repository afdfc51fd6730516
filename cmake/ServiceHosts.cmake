# Hosts of the outside services: build settings, since the program reads no
# command line, environment or settings file. Defaults are loopback addresses
# that tools/demo_services serves.
set(VARNELO_CHANNEL1_HOST "127.0.0.1:18491" CACHE STRING "Play channel 1 host[:port] (https)")
set(VARNELO_CHANNEL2_HOST "127.0.0.1:18492" CACHE STRING "Play channel 2 host[:port]")
set(VARNELO_CHANNEL3_HOST "127.0.0.1:18493" CACHE STRING "Play channel 3 host[:port]")
set(VARNELO_CHANNEL4_HOST "127.0.0.1:18494" CACHE STRING "Play channel 4 host[:port], a literal IPv4 address")
set(VARNELO_CHANNEL5_HOST "127.0.0.1:18495" CACHE STRING "Play channel 5 host[:port]")
set(VARNELO_NOTICE_HOST "127.0.0.1:18480" CACHE STRING "Notice server host[:port]")
set(VARNELO_FALLBACK_HOST "127.0.0.1:18481" CACHE STRING "Fallback web site host[:port]")

function(varnelo_port_of variable hostport)
  set(port "")
  if(hostport MATCHES ":([0-9]+)$")
    set(port "${CMAKE_MATCH_1}")
    if(port LESS 1 OR port GREATER 65535)
      message(FATAL_ERROR "${variable}: port ${port} is outside 1 to 65535")
    endif()
  endif()
  set(${variable}_PORT "${port}" PARENT_SCOPE)
endfunction()

foreach(setting IN ITEMS VARNELO_CHANNEL1_HOST VARNELO_CHANNEL2_HOST VARNELO_CHANNEL3_HOST
                         VARNELO_CHANNEL4_HOST VARNELO_CHANNEL5_HOST VARNELO_NOTICE_HOST
                         VARNELO_FALLBACK_HOST)
  # The value goes into a C string literal and an address: a host name or
  # address with an optional port, nothing else.
  if(NOT "${${setting}}" MATCHES "^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?(:[0-9]+)?$")
    message(FATAL_ERROR "${setting} must be a host with an optional \":port\", not \"${${setting}}\"")
  endif()
  varnelo_port_of(${setting} "${${setting}}")
endforeach()

set(octet "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])")
if(NOT VARNELO_CHANNEL4_HOST MATCHES "^${octet}\\.${octet}\\.${octet}\\.${octet}(:[0-9]+)?$")
  message(FATAL_ERROR "VARNELO_CHANNEL4_HOST must be a literal IPv4 address with an optional \":port\", "
                      "not \"${VARNELO_CHANNEL4_HOST}\"")
endif()

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/app/build_settings.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/app/build_settings.h @ONLY)
