#!/usr/bin/env python3
# Modbus TCP clients written with pymodbus (Debian's python3-pymodbus, 3.0) for the gateway's
# tests: prints what they got as one JSON object; the test decides what is right.
import json
import socket
import sys
import threading

from pymodbus.client import ModbusTcpClient


def signed(v):
    return v - 65536 if v >= 32768 else v


def read(client, unit, first, count):
    r = client.read_holding_registers(first, count, slave=unit)
    if r.isError():
        return {"exception": getattr(r, "exception_code", -1)}
    return {"values": [signed(v) for v in r.registers]}


def many(port, units):
    # Eight connections at once: seven clients reading while one sends garbage.
    barrier = threading.Barrier(8)
    out = {"reads": 0, "failed": [], "last": {}, "garbage_closed": False}
    lock = threading.Lock()

    def reader(n):
        c = ModbusTcpClient("127.0.0.1", port=port, timeout=5)
        c.connect()
        barrier.wait()
        for i in range(20):
            unit = units[(n + i) % len(units)]
            r = read(c, unit, 1, 5)
            with lock:
                if "values" in r:
                    out["reads"] += 1
                    out["last"][str(unit)] = r["values"]
                else:
                    out["failed"].append(r)
        c.close()

    def garbage():
        s = socket.create_connection(("127.0.0.1", port), timeout=5)
        barrier.wait()
        s.sendall(b"GET / HTTP/1.1\r\nHost: plant\r\n\r\n" * 4)
        try:
            out["garbage_closed"] = s.recv(100) == b""
        except OSError:
            out["garbage_closed"] = True
        s.close()

    threads = [threading.Thread(target=reader, args=(n,)) for n in range(7)]
    threads.append(threading.Thread(target=garbage))
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return out


def flood(port, seconds):
    # One client writing SV1 of station 2 back to back.
    import time
    c = ModbusTcpClient("127.0.0.1", port=port, timeout=5)
    c.connect()
    out = {"writes": 0, "failed": 0}
    end = time.monotonic() + seconds
    i = 0
    while time.monotonic() < end:
        w = c.write_register(301, 400 + i % 50, slave=2)
        out["failed" if w.isError() else "writes"] += 1
        i += 1
    c.close()
    return out


if __name__ == "__main__":
    port = int(sys.argv[2])
    if sys.argv[1] == "many":
        print(json.dumps(many(port, [int(u) for u in sys.argv[3].split(",")])))
    else:
        print(json.dumps(flood(port, float(sys.argv[3]))))
