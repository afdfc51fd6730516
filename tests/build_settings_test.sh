#!/usr/bin/env bash
# The service-host settings: which values configuring accepts, and the
# message it stops with otherwise.
set -uo pipefail
check=$1
defaults=(-DVARNELO_CHANNEL1_HOST=127.0.0.1:18491 -DVARNELO_CHANNEL2_HOST=127.0.0.1:18492
          -DVARNELO_CHANNEL3_HOST=127.0.0.1:18493 -DVARNELO_CHANNEL4_HOST=127.0.0.1:18494
          -DVARNELO_CHANNEL5_HOST=127.0.0.1:18495 -DVARNELO_NOTICE_HOST=127.0.0.1:18480
          -DVARNELO_FALLBACK_HOST=127.0.0.1:18481)
failures=0
passed=0

# expect OUTCOME MESSAGE SETTING...: OUTCOME is ok or fails; MESSAGE a part
# of what configuring says when it fails.
expect() {
  local outcome=$1 message=$2
  shift 2
  local output status=0
  output=$(cmake "${defaults[@]}" "$@" -P "$check" 2>&1) || status=$?
  if [[ $outcome == ok && $status -ne 0 ]] || [[ $outcome == fails && $status -eq 0 ]] ||
     [[ $outcome == fails && $output != *"$message"* ]]; then
    echo "FAIL: $* -> status $status: $output"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

expect ok "" -DVARNELO_CHANNEL2_HOST=parse2.example.com
expect ok "" -DVARNELO_CHANNEL4_HOST=203.0.113.7
expect ok "" -DVARNELO_CHANNEL4_HOST=10.0.0.255:8080 -DVARNELO_NOTICE_HOST=notice-1.example.org:80
expect fails "literal IPv4 address" -DVARNELO_CHANNEL4_HOST=video.example.com
expect fails "literal IPv4 address" -DVARNELO_CHANNEL4_HOST=256.1.1.1
expect fails "literal IPv4 address" -DVARNELO_CHANNEL4_HOST=1.2.3
expect fails "host with an optional" "-DVARNELO_CHANNEL2_HOST=evil\"host"
expect fails "host with an optional" -DVARNELO_CHANNEL3_HOST=host/path
expect fails "host with an optional" -DVARNELO_CHANNEL5_HOST=
expect fails "host with an optional" -DVARNELO_NOTICE_HOST=http://notice.example.com
expect fails "outside 1 to 65535" -DVARNELO_FALLBACK_HOST=site.example.com:70000
expect fails "outside 1 to 65535" -DVARNELO_CHANNEL1_HOST=127.0.0.1:0

echo "$passed passed, $failures failed"
((failures == 0))
