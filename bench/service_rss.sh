#!/bin/sh
# The service's resident memory in the run it is made for: kx5sim with three stations on a
# pseudo-terminal, kx5service with the port open, data saving every second, publishing to a
# local Mosquitto and the Modbus TCP gateway on. It waits until records are being saved and
# the gateway listens (start-up finished), then prints VmRSS, the totals of smaps_rollup and
# the mappings that cost the most.
#   bench/service_rss.sh [BUILD_BIN] [SECONDS]   (defaults: build/bin, 10)
# SECONDS may list checkpoints, "40,180,360": VmRSS is printed at each, the full figures at the last.
# Also: PUBLISH=0 with publishing off; TOP=N mappings listed; KEEP=FILE keeps a copy of smaps
# (and FILE.threads); MALLOC=1 adds glibc's bytes in use at each checkpoint and prints its arena
# figures (through gdb) before the others. NOASLR=1 runs the service at fixed addresses: the
# kernel maps file pages around each fault in 64 KiB steps of the address, so with addresses
# drawn anew each run the figure moves by some 100 kB; fixed ones make two builds comparable.
set -eu
bin=$(cd "${1:-build/bin}" && pwd)
settle=${2:-10}
dir=$(mktemp -d)
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM PIPE HUP

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

"$bin/kx5sim" --stations 1,2,3 >"$dir/sim.out" 2>&1 &
pids="$pids $!"
for _ in $(seq 50); do [ -s "$dir/sim.out" ] && break; sleep 0.1; done
line=$(head -n1 "$dir/sim.out")

broker=$(free_port)
mosquitto_bin=$(command -v mosquitto || echo /usr/sbin/mosquitto)
printf 'persistence false\nlistener %s 127.0.0.1\nallow_anonymous true\nuser root\n' "$broker" \
    >"$dir/mosquitto.conf"
"$mosquitto_bin" -c "$dir/mosquitto.conf" >"$dir/broker.log" 2>&1 &
pids="$pids $!"

mkdir -p "$dir/CFG" "$dir/data"
printf '%s\r\n9600\r\nN\r\n8\r\n1\r\nSTD\r\n' "$line" >"$dir/Comm.CFG"
{
    for mc in $(seq 99); do
        if [ "$mc" -le 3 ]; then printf 'O\tOven\r\n'; else printf 'X\t\r\n'; fi
    done
} >"$dir/CFG/SetEnv.INI"
printf 'Yes\r\n1\r\nsec\r\n%s\r\nOven\r\n' "$dir/data" >"$dir/CFG/SaveData.INI"
printf 'Enabled=%s\r\nHost=127.0.0.1\r\nPort=%s\r\n' "${PUBLISH:-1}" "$broker" >"$dir/CFG/Publishing.INI"
gateway=$(free_port)

# As packaging/kx5comm@.service starts it: no display, the same environment.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QT_ENABLE_REGEXP_JIT=0 ${NOASLR:+setarch -R} "$bin/kx5service" --dir "$dir" --open \
    --save --gateway --gateway-port "$gateway" 2>"$dir/service.err" &
svc=$!
pids="$svc $pids"
for _ in $(seq 100); do
    [ -s "$dir/data/Oven_01.DAT" ] && ss -ltn | grep -q ":$gateway " && break
    sleep 0.1
done
# glibc's figures, said at the end of standard error (through gdb): arenas and bytes in use.
malloc_figures() {
    said=$(grep -c '^Arena 0:' "$dir/service.err" || true)
    gdb -p "$svc" -batch -ex 'call (void)malloc_stats()' >/dev/null 2>&1
    for _ in $(seq 50); do
        [ "$(grep -c '^Arena 0:' "$dir/service.err" || true)" -gt "$said" ] && break
        sleep 0.1
    done
    sleep 0.2
    tac "$dir/service.err" | sed -n "1,/^Arena 0:/p" | tac
}
start=$(date +%s)
for at in $(echo "$settle" | tr ',' ' '); do
    now=$(($(date +%s) - start))
    [ "$at" -gt "$now" ] && sleep $((at - now))
    kill -0 "$svc" || { cat "$dir/service.err"; exit 1; }
    heap=$(awk '/ \[heap\]$/ { h = 1; next } /^[0-9a-f]+-/ { h = 0 } h && /^Rss:/ { print $2 }' \
        "/proc/$svc/smaps")
    echo "at ${at} s: VmRSS $(awk '/^VmRSS/ { print $2 }' "/proc/$svc/status") kB," \
        "RssAnon $(awk '/^RssAnon/ { print $2 }' "/proc/$svc/status") kB, heap ${heap:-0} kB" \
        "${MALLOC:+, malloc in use $(malloc_figures | awk '/in use bytes/ { n = $5 } END { print n }') B}"
done
[ -n "${MALLOC:-}" ] && malloc_figures
if [ -n "${KEEP:-}" ]; then
    cp "/proc/$svc/smaps" "$KEEP"
    cat "/proc/$svc/task/"*/comm >"$KEEP.threads"
fi
kill -0 "$svc" || { cat "$dir/service.err"; exit 1; }
[ -s "$dir/data/Oven_01.DAT" ] || { echo "no records saved"; cat "$dir/service.err"; exit 1; }

echo "threads: $(ls "/proc/$svc/task" | wc -l)"
grep -E 'VmRSS|RssAnon|RssFile|VmHWM' "/proc/$svc/status"
grep -E '^(Rss|Pss|Shared_Clean|Private_Clean|Private_Dirty|Anonymous):' \
    "/proc/$svc/smaps_rollup"
echo "Rss by mapping (kB):"
awk '/^[0-9a-f]+-[0-9a-f]+ / { name = ($6 == "" ? "[anon]" : $6) }
     /^Rss:/ { rss[name] += $2 }
     END { for (n in rss) if (rss[n] > 0) printf "%8d %s\n", rss[n], n }' \
    "/proc/$svc/smaps" | sort -rn | head -n "${TOP:-25}"
