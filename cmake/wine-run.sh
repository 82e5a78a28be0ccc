#!/bin/sh
# Runs one Windows program under Wine, for the tests of the Windows build:
#   wine-run.sh WINE WINESERVER PROGRAM [ARGUMENTS...]
#
# Debian's Wine starts its server with no grace period: the server leaves as soon as
# its last program ends, and a program that starts while it is leaving fails with
# "wine client error:0: recvmsg: Connection reset by peer". Tests start programs back
# to back, two at a time, so one run in a few failed that way. So the server is started
# here, asked to stay 60 seconds past its last program. A new server's first program
# starts Wine's own background services, which live as long as the server and keep that
# program's output open; a throwaway program with no output starts them, under a lock,
# so no test waits on them.
wine=$1
server=$2
shift 2
exec 9>"${TMPDIR:-/tmp}/hoops-wine-run-$(id -u).lock"
flock 9
if "$server" -p60 >/dev/null 2>&1 9>&-; then
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
fi
exec 9>&-
exec "$wine" "$@"
