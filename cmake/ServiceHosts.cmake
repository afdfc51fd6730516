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

include(${CMAKE_CURRENT_LIST_DIR}/CheckServiceHosts.cmake)

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/app/build_settings.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/app/build_settings.h @ONLY)
