#!/usr/bin/env bash
# Runs the real editor on an X server (started by xvfb-run): it must show its main window
# with the example diagram and end cleanly when its window closes.
# Arguments: the zedro program, the examples directory, a scratch directory.
set -euo pipefail
ZEDRO="$1"
EXAMPLES="$2"
SCRATCH="$3"
# The program's settings (the list of recent diagrams) stay out of the user's own.
export XDG_CONFIG_HOME="$SCRATCH/config"
FILE=""
for f in "$EXAMPLES"/*.urd; do
  [ -f "$f" ] && FILE="$f" && break
done
LOG="$SCRATCH/xvfb_start.log"
# Autosaves (and the recovery offer, which the unattended run would answer) stay out of
# the user's data folder.
export XDG_DATA_HOME="$SCRATCH/xvfb_start_data"
rm -rf "$XDG_DATA_HOME"
# The program closes its main window after 1.5 s and answers its questions the safe way
# (a modified diagram is not saved, an unchanged one is closed).
ZEDRO_QUIT_AFTER_MS=1500 timeout 30 "$ZEDRO" ${FILE:+"$FILE"} >"$LOG" 2>&1 &
PID=$!
# The window must appear while it runs.
found=""
for _ in $(seq 1 40); do
  if command -v xwininfo >/dev/null 2>&1; then
    if xwininfo -root -tree 2>/dev/null | grep -q "Zedro"; then found=yes; break; fi
  else
    found=unknown; break
  fi
  sleep 0.1
done
set +e
wait "$PID"
rc=$?
set -e
cat "$LOG"
if [ "$rc" -ne 0 ]; then
  echo "zedro ended with exit code $rc" >&2
  exit 1
fi
if [ -z "$found" ]; then
  echo "no Zedro window appeared" >&2
  exit 1
fi
echo "zedro started, showed its window and ended cleanly"
