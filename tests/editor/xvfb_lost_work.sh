#!/usr/bin/env bash
# The real editor on an X server (started by xvfb-run), driven with xdotool as a user:
# 1. a damaged diagram is opened and Ctrl+S is pressed: a file name is asked for and the
#    damaged file stays byte for byte as it was;
# 2. a diagram is changed and the program is killed (SIGKILL): the next start offers
#    "Wiederherstellen", and after Ja and Ctrl+S the diagram's file holds the change.
# Arguments: the zedro program, zedro-cli, the examples directory, a scratch directory.
set -euo pipefail
ZEDRO="$1"
CLI="$2"
EXAMPLES="$3"
SCRATCH="$4/xvfb_lost_work"
# The program's settings (the list of recent diagrams) stay out of the user's own.
export XDG_CONFIG_HOME="$SCRATCH/config"
rm -rf "$SCRATCH"
mkdir -p "$SCRATCH"
# Autosaves go into the scratch directory, never into the user's data folder.
export XDG_DATA_HOME="$SCRATCH/data"
RECOVERY="$XDG_DATA_HOME/zedro/Wiederherstellung"
PID=""

fail() {
  echo "FEHLER: $*" >&2
  # What the program printed, so that a failure can be understood from the test's output.
  for log in "$SCRATCH"/zedro*.log; do
    [ -f "$log" ] && { echo "--- $log" >&2; tail -n 40 "$log" >&2; }
  done
  import -window root "$SCRATCH/bildschirm.png" 2>/dev/null || true
  [ -n "$PID" ] && kill -9 "$PID" 2>/dev/null || true
  exit 1
}
# Waits up to 10 s for a visible window whose name matches.
wait_window() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# The keys go to the main window (there is no window manager that would focus it).
keys() {
  local w
  w=$(xdotool search --onlyvisible --name "Zedro 184" | head -1)
  xdotool windowfocus --sync "$w"
  xdotool key --delay 80 "$@"
}
# Dismisses the message box that is open (its default button).
answer() {
  wait_window "Zedro 1.8.4_03 b" || fail "keine Rückfrage erschienen: $1"
  sleep 0.3
  local w
  w=$(xdotool search --onlyvisible --name "Zedro 1.8.4_03 b" | tail -1)
  xdotool windowfocus --sync "$w"
  xdotool key Return
  sleep 0.5
}
stop() {
  kill -9 "$PID" 2>/dev/null || true
  wait "$PID" 2>/dev/null || true
  PID=""
}

# ---- 1. a damaged diagram is never saved over ------------------------------------------
DAMAGED="$SCRATCH/Kaputt.urd"
size=$(stat -c %s "$EXAMPLES/Fahrzeuge.urd")
head -c $((size * 3 / 5)) "$EXAMPLES/Fahrzeuge.urd" >"$DAMAGED"
cp "$DAMAGED" "$SCRATCH/Kaputt.vorher"
"$ZEDRO" "$DAMAGED" >"$SCRATCH/zedro1.log" 2>&1 &
PID=$!
wait_window "Zedro 184" || fail "das Hauptfenster erschien nicht"
answer "Meldung zur beschädigten Datei"
keys ctrl+s
wait_window "Diagramm speichern unter" || fail "Strg+S fragte nicht nach einem Dateinamen"
xdotool key Escape
sleep 0.5
cmp -s "$DAMAGED" "$SCRATCH/Kaputt.vorher" || fail "die beschädigte Datei wurde verändert"
stop
echo "beschädigtes Diagramm: Strg+S fragt nach einem Dateinamen, die Datei bleibt unverändert"

# ---- 2. recovery after SIGKILL ---------------------------------------------------------
DIAGRAM="$SCRATCH/Fahrzeuge.urd"
cp "$EXAMPLES/Fahrzeuge.urd" "$DIAGRAM"
"$CLI" dump "$DIAGRAM" >"$SCRATCH/vorher.json"
ZEDRO_AUTOSAVE_MS=300 "$ZEDRO" "$DIAGRAM" >"$SCRATCH/zedro2.log" 2>&1 &
PID=$!
wait_window "Zedro 184" || fail "das Hauptfenster erschien nicht"
sleep 1
# The current box moves five pixels to the right.
keys Right Right Right Right Right
for _ in $(seq 1 50); do
  ls "$RECOVERY"/*.urd >/dev/null 2>&1 && break
  sleep 0.1
done
ls "$RECOVERY"/*.urd >/dev/null 2>&1 || fail "keine automatische Sicherung geschrieben"
sleep 0.5
stop
cmp -s "$DIAGRAM" "$EXAMPLES/Fahrzeuge.urd" || fail "die Sicherung schrieb in die Datei des Diagramms"

"$ZEDRO" >"$SCRATCH/zedro3.log" 2>&1 &
PID=$!
answer "Wiederherstellen"
wait_window "Zedro 184" || fail "das Hauptfenster erschien nicht"
sleep 0.5
keys ctrl+s
answer "Speichere Diagramm unter"
for _ in $(seq 1 50); do
  cmp -s "$DIAGRAM" "$EXAMPLES/Fahrzeuge.urd" || break
  sleep 0.1
done
stop
"$CLI" dump "$DIAGRAM" >"$SCRATCH/nachher.json"
# Exactly one class box of the main diagram stands five pixels further right (the other
# positions in the dump, of texts along the lines, are laid out anew by every redraw).
moved=$(paste <(grep -E '^      "Left"' "$SCRATCH/vorher.json") \
  <(grep -E '^      "Left"' "$SCRATCH/nachher.json") |
  awk '{ a = $2 + 0; b = $4 + 0; if (b - a == 5) m++; else if (b != a) o++ } END { print m + 0, o + 0 }')
[ "$moved" = "1 0" ] || fail "die Änderung wurde nicht wiederhergestellt (verschoben, anders: $moved)"
[ -z "$(ls -A "$RECOVERY" 2>/dev/null)" ] || fail "die Sicherung blieb nach dem Speichern liegen"
echo "nach SIGKILL: \"Wiederherstellen\" angeboten, die Änderung ist wieder da und gespeichert"
