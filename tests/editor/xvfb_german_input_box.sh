#!/usr/bin/env bash
# Runs the real editor on an X server (started by xvfb-run) as a user would: with the
# example diagram open, Alt+K and N ("Klasse", "Neue Klasse") open the input box for the
# class name, whose buttons must be German. The program writes the caption and buttons of
# every dialog it shows into a file (ZEDRO_DIALOG_LOG).
# Arguments: the zedro program, the examples directory, a scratch directory.
set -euo pipefail
ZEDRO="$1"
EXAMPLES="$2"
SCRATCH="$3"
# The program's settings (the list of recent diagrams) stay out of the user's own.
export XDG_CONFIG_HOME="$SCRATCH/config"
LOG="$SCRATCH/xvfb_german_input_box.log"
DIALOGS="$SCRATCH/xvfb_german_input_box.dialogs"
DIAGRAM="$SCRATCH/xvfb_german_input_box.urd"
rm -f "$DIALOGS"
cp "$EXAMPLES/Fahrzeuge.urd" "$DIAGRAM"

# A language other than German in the environment: the dialogs are German all the same.
LANG=C LC_ALL=C LANGUAGE=en ZEDRO_DIALOG_LOG="$DIALOGS" ZEDRO_QUIT_AFTER_MS=8000 \
  timeout 60 "$ZEDRO" "$DIAGRAM" >"$LOG" 2>&1 &
PID=$!

fail() {
  echo "$1" >&2
  [ -f "$DIALOGS" ] && { echo "dialogs shown:" >&2; cat "$DIALOGS" >&2; }
  cat "$LOG" >&2
  kill "$PID" 2>/dev/null || true
  exit 1
}

# The main window, then the diagram in it.
for _ in $(seq 1 100); do
  xdotool search --name "^Zedro" >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name "^Zedro" >/dev/null 2>&1 || fail "no Zedro window appeared"
sleep 1.5

# Alt+K opens the menu "Klasse", N its item "Neue Klasse".
xdotool key --clearmodifiers alt+k
sleep 0.5
xdotool key n
found=""
for _ in $(seq 1 50); do
  if xdotool search --name "^Neue Klasse$" >/dev/null 2>&1; then found=yes; break; fi
  sleep 0.1
done
[ -n "$found" ] || fail "the input box \"Neue Klasse\" did not appear"
sleep 0.3

line="$(grep -a "^Neue Klasse	" "$DIALOGS" || true)"
[ -n "$line" ] || fail "the input box was not logged"
echo "input box: $line"
case "$line" in
  *Cancel*) fail "the input box has English buttons: $line" ;;
esac
case "$line" in
  *Abbrechen*) ;;
  *) fail "the input box has no button \"Abbrechen\": $line" ;;
esac

# Escape closes the box; the program then ends the safe way when its time is up.
xdotool key Escape
kill -0 "$PID" 2>/dev/null || fail "zedro ended early"
set +e
wait "$PID"
rc=$?
set -e
[ "$rc" -eq 0 ] || fail "zedro ended with exit code $rc"
echo "the input box of \"Neue Klasse\" is German"
