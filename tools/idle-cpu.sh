#!/usr/bin/env bash
# Measures the CPU the running program uses while nothing happens: the
# table simulator in headless Chromium with 8 open tables, six known
# opponents listed at each (or, with
# --waiting, no client at all, so the waiting screen shows), the program
# offscreen with fresh data and settings. Prints the program's CPU time as
# a share of one core.
#
#   tools/idle-cpu.sh [--waiting] [SECONDS]     (default 30 s, after 10 s to settle)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
binary="${TARNWICK_BINARY:-$root/build/src/tarnwick}"
waiting=false
if [ "${1:-}" = "--waiting" ]; then waiting=true; shift; fi
seconds="${1:-30}"

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
mkdir -p "$work/config/Tarnwick"
# First-run sheets already seen.
printf '[tarnwick]\nwelcome\\shown=true\nconsent\\shown=true\n' > "$work/config/Tarnwick/Tarnwick.conf"

if [ "$waiting" = false ]; then
  # Six known opponents seated at each table, so every section shows.
  mkdir -p "$work/data"
  python3 - "$work/data/players.json" <<'PY'
import json, sys, uuid
now = 800000000.0  # seconds since 2001-01-01
players = []
for table in range(1, 9):
    for seat in range(6):
        players.append({
            "id": str(uuid.uuid4()).upper(), "name": "Opponent %d-%d" % (table, seat), "playerId": table * 100 + seat,
            "stats": {"vpip": 20.5 + seat, "pfr": 10.0, "hands": 100 * seat}, "tags": [], "note": "",
            "createdAt": now, "updatedAt": now,
            "seatings": [{"gameType": {"variant": "NLHE", "mode": "Ring"}, "tableID": "70000%d" % table,
                          "isActive": True, "updatedAt": now}]})
json.dump(players, open(sys.argv[1], "w"))
PY
  page="file://$root/tools/simulator/clubwpt-table.html"
  urls=()
  for i in 1 2 3 4 5 6 7 8; do urls+=("$page?room_id=70000$i&game_id=1&blind=Blinds%201%2F2"); done
  "$root/tools/simulator/start-simulator.sh" --headless --port "$port" --user-data-dir "$work/chromium" "${urls[@]}" \
    >"$work/simulator.log" 2>&1 &
  pids+=($!)
fi

# The Chromium above is the client, known by its profile folder; in
# --waiting mode there is no client.
client=(TARNWICK_CLIENT_EXECUTABLE=chromium "TARNWICK_CLIENT_MARKER=--user-data-dir=$work/chromium")
if [ "$waiting" = true ]; then client=(TARNWICK_CLIENT_COMMAND=/nonexistent); fi
env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=offscreen \
  "${client[@]}" "$binary" --no-launch --port "$port" --data-dir "$work/data" \
  >"$work/program.log" 2>&1 &
program=$!
pids+=("$program")

sleep 10
ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat"; }
before="$(ticks)"
sleep "$seconds"
after="$(ticks)"
python3 -c "print('idle CPU: %.2f %% of one core over $seconds s' % (($after - $before) / $(getconf CLK_TCK) / $seconds * 100))"
