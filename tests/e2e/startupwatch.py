#!/usr/bin/env python3
"""Prints each startup notification message sent on the X display, one per
line, as a desktop's launch feedback reads them; "ready" once listening."""
from Xlib import X, display

screen = display.Display()
root = screen.screen().root
root.change_attributes(event_mask=X.PropertyChangeMask)
begin = screen.intern_atom("_NET_STARTUP_INFO_BEGIN")
more = screen.intern_atom("_NET_STARTUP_INFO")
screen.sync()
print("ready", flush=True)
message = b""
while True:
    event = screen.next_event()
    if event.type != X.ClientMessage or event.client_type not in (begin, more):
        continue
    if event.client_type == begin:
        message = b""
    message += bytes(event.data[1])
    if b"\0" in message:
        print(message.split(b"\0")[0].decode(errors="replace"), flush=True)
        message = b""
