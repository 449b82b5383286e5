#!/usr/bin/env python3
"""Holds COUNT connections to 127.0.0.1:PORT for SECONDS, each sending one
byte of a request head every INTERVAL seconds and never finishing it. A
connection the server closes is opened again. Loopback only, bounded in
count and time. Prints how many were held at the end and how often one was
opened again."""
import socket
import sys
import time

port, count, seconds, interval = int(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
head = b"POST /Service.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: " + b"x" * 4096


def open_one():
    s = socket.socket()
    s.setblocking(False)
    s.connect_ex(("127.0.0.1", port))
    return s


conns = [open_one() for _ in range(count)]
sent = [0] * count
reopened = 0
end = time.monotonic() + seconds
step = interval / count
i = 0
while time.monotonic() < end:
    s = conns[i]
    try:
        # Closed by the server: the read side reports end of file or an error.
        try:
            if s.recv(1, socket.MSG_PEEK) == b"":
                raise ConnectionError
        except BlockingIOError:
            pass
        s.send(head[sent[i] % len(head):sent[i] % len(head) + 1])
        sent[i] += 1
    except OSError:
        s.close()
        conns[i] = open_one()
        sent[i] = 0
        reopened += 1
    i = (i + 1) % count
    time.sleep(step)

held = 0
for s in conns:
    try:
        s.recv(1, socket.MSG_PEEK)
    except BlockingIOError:
        held += 1
    except OSError:
        pass
    s.close()
print(f"{held} {reopened}")
