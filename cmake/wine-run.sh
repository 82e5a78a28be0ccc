#!/bin/sh
# Runs one Windows program under Wine, for the tests of the Windows build:
#   wine-run.sh WINE WINESERVER PROGRAM [ARGUMENTS...]
#
# Debian's Wine starts its server with no grace period: the server leaves as soon as
# its last program ends, and a program that starts while it is leaving fails with
# "wine client error:0: recvmsg: Connection reset by peer". Tests start programs back
# to back, two at a time, so one in a few runs failed that way. Starting the server
# ourselves, asked to stay 60 seconds past its last program, closes that window; when
# a server is already running this start fails quietly and the program uses that one.
wine=$1
server=$2
shift 2
"$server" -p60 >/dev/null 2>&1 || true
exec "$wine" "$@"
