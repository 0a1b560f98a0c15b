#!/usr/bin/env bash
# Starts Chromium with its DevTools port open on table simulator pages, as a
# stand-in for the ClubWPT Gold client. Runs in the foreground until killed.
#
#   start-simulator.sh [--headless] [--port N] [--user-data-dir DIR] [URL...]
#
# Without URLs it opens two tables: a ring table and a tournament table.
# Without --user-data-dir it uses a fresh temporary folder, removed on exit.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
page="file://$here/clubwpt-table.html"
port=9222
user_data_dir=""
headless=()
urls=()

while [ $# -gt 0 ]; do
  case "$1" in
    --headless) headless=(--headless); shift ;;
    --port) port="$2"; shift 2 ;;
    --port=*) port="${1#--port=}"; shift ;;
    --remote-debugging-port=*) port="${1#--remote-debugging-port=}"; shift ;;
    --user-data-dir) user_data_dir="$2"; shift 2 ;;
    --user-data-dir=*) user_data_dir="${1#--user-data-dir=}"; shift ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) urls+=("$1"); shift ;;
  esac
done

if [ ${#urls[@]} -eq 0 ]; then
  urls=("$page?room_id=100001&game_id=1&blind=Blinds%201%2F2"
        "$page?room_id=200002&mtt_token=demo&mtt_game_mode=1")
fi

cleanup_dir=""
if [ -z "$user_data_dir" ]; then
  user_data_dir="$(mktemp -d)"
  cleanup_dir="$user_data_dir"
fi

chromium="${CHROMIUM:-$(command -v chromium || command -v chromium-browser || true)}"
if [ -z "$chromium" ]; then
  echo "chromium not found; install it with tools/setup-debian.sh" >&2
  exit 1
fi

flags=(
  "${headless[@]}"
  --disable-gpu --disable-quic --no-first-run --no-default-browser-check
  --disable-background-networking --disable-component-update --disable-sync
  "--user-data-dir=$user_data_dir"
  "--remote-debugging-port=$port"
)
if [ "$(id -u)" -eq 0 ]; then
  flags+=(--no-sandbox)
fi

# Headless Chromium takes one URL on its command line; the other pages are
# opened through the DevTools endpoint once it answers.
open_later=()
start_urls=("${urls[@]}")
if [ ${#headless[@]} -gt 0 ] && [ ${#urls[@]} -gt 1 ]; then
  start_urls=("${urls[0]}")
  open_later=("${urls[@]:1}")
fi

open_remaining_pages() {
  [ ${#open_later[@]} -gt 0 ] || return 0
  python3 - "$port" "${open_later[@]}" <<'PY' &
import sys, time, urllib.parse, urllib.request
port, urls = sys.argv[1], sys.argv[2:]
base = "http://127.0.0.1:%s" % port
for _ in range(100):
    try:
        urllib.request.urlopen(base + "/json/version", timeout=1).read()
        break
    except Exception:
        time.sleep(0.1)
for url in urls:
    request = urllib.request.Request(base + "/json/new?" + urllib.parse.quote(url, safe=""), method="PUT")
    urllib.request.urlopen(request, timeout=5).read()
PY
}

if [ -z "$cleanup_dir" ] && [ ${#open_later[@]} -eq 0 ]; then
  exec "$chromium" "${flags[@]}" "${start_urls[@]}"
fi

# Stay in front of Chromium (to open the other pages, or to remove the
# temporary profile when it ends); pass termination on to it.
"$chromium" "${flags[@]}" "${start_urls[@]}" &
child=$!
open_remaining_pages
trap 'kill -TERM "$child" 2>/dev/null || true' TERM INT
wait "$child" || true
wait "$child" 2>/dev/null || true
[ -z "$cleanup_dir" ] || rm -rf "$cleanup_dir"
