#!/usr/bin/env bash
# Drives hoops-ranking in a real terminal (tmux) and checks what a person sees: the title
# waits for Enter, every prompt is on screen before anything is typed, an added team shows in
# the full table, and after 9 a single key (no Enter; Ctrl-C is a key like any other there)
# ends the program with status 0, leaving the terminal's settings as they were.
#   tests/app/terminal_test.sh path/to/hoops-ranking
set -euo pipefail
exe="$(realpath "$1")"
session="hoops-terminal"
work="$(mktemp -d)"
# A server of its own, on a socket in the test's folder, with no one's settings: the machine's
# other tmux servers (one may be ending just as this starts) are never shared.
tmux() { command tmux -S "$work/tmux.socket" -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

screen() { tmux capture-pane -p -t "$session" -S - -E -; }
fail() { echo "terminal test: $*"; echo "--- screen:"; screen; exit 1; }

# Waits until the screen shows `text` `count` times (default once).
wait_for() {
  local text="$1" count="${2:-1}"
  for _ in $(seq 400); do  # 20 s: the run may share the machine with a build
    [ "$(screen | grep -cF -- "$text" || true)" -ge "$count" ] && return 0
    sleep 0.05
  done
  fail "never saw \"$text\" (x$count)"
}
type_line() { tmux send-keys -t "$session" -l -- "$1"; tmux send-keys -t "$session" Enter; }

tmux new-session -d -s "$session" -x 100 -y 50 -c "$work" \
  "stty -a > before.txt; '$exe'; echo \"EXITED WITH \$?\"; stty -a > after.txt; sleep 60"
tmux set-option -t "$session" history-limit 5000 >/dev/null

wait_for "Press Enter to continue"
sleep 0.3
screen | grep -qF "Enter an option:" && fail "the menu appeared before Enter was pressed"
type_line ""
wait_for "Enter an option:"
type_line 3
wait_for "New team name:"
type_line "Terminal Tech"
wait_for "Wins:"
type_line 12
wait_for "Losses:"
type_line 4
wait_for "Votes:"
type_line 321
wait_for "Enter an option:" 2
type_line 8
wait_for "1    Terminal Tech                 12        4         321       -"
wait_for "Enter an option:" 3
type_line 9
wait_for "Press any key to exit."
screen | grep -q "EXITED WITH" && fail "the program ended before the last key"
tmux send-keys -t "$session" C-c
wait_for "EXITED WITH 0"
for _ in $(seq 50); do [ -s "$work/after.txt" ] && break; sleep 0.05; done
diff "$work/before.txt" "$work/after.txt" || fail "the terminal settings changed"
screen | grep -qF "Press any key to exit.^C" && fail "the key was echoed"

# A name that would retitle the terminal and clear it, in a mode's output and its messages,
# shows its control characters as '?': the pane keeps its title and its lines.
printf 'March 9 2025\n1\tEvil\033]0;PWNED\007\033[2JName\t1-0\t10\t-\n' > "$work/evil.txt"
printf '"Ann\033]0;PWNED\007",Evil\n"Ann\033]0;PWNED\007",Evil\n' > "$work/evil.csv"
# A second session beside the first, which keeps the server running.
session="hoops-names"
tmux new-session -d -s "$session" -x 100 -y 50 -c "$work" \
  "echo BEFORE; '$exe' --publish text evil.txt; '$exe' --tally evil.txt evil.csv; echo DONE; sleep 60"
wait_for "DONE"
[ "$(tmux display-message -p -t "$session" '#{pane_title}')" != "PWNED" ] ||
  fail "a name retitled the terminal"
screen | grep -qF "BEFORE" || fail "a name cleared the screen"
screen | grep -qF "Evil?]0;PWNED??[2JName" || fail "the name's control characters are not shown"
screen | grep -qF "'Ann?]0;PWNED?' has cast a ballot already" || fail "a message's are not shown"
echo "terminal test passed"
