#!/usr/bin/python3
"""A fast SMTP sink on 127.0.0.1 for the send benchmark.

Speaks just enough ESMTP for a client that logs in (AUTH PLAIN or LOGIN),
reads the message data in large blocks and throws it away, so that the
client, not the server, is what is measured. Prints "ready PORT" once it
listens and, for each message, "received N" (the octets of data up to the
end mark). Ends on SIGTERM.
"""

import argparse
import asyncio
import base64
import signal
import sys

END_MARK = b"\r\n.\r\n"


class Session:
    def __init__(self, reader, writer, arguments):
        self.reader = reader
        self.writer = writer
        self.arguments = arguments
        self.buffer = b""

    async def line(self):
        while b"\r\n" not in self.buffer:
            block = await self.reader.read(65536)
            if not block:
                return None
            self.buffer += block
        line, self.buffer = self.buffer.split(b"\r\n", 1)
        return line

    async def reply(self, text):
        self.writer.write(text.encode() + b"\r\n")
        await self.writer.drain()

    def logged_in(self, user, password):
        return user == self.arguments.user.encode() and password == self.arguments.password.encode()

    async def auth(self, argument):
        words = argument.split()
        mechanism = words[0].upper() if words else b""
        if mechanism == b"PLAIN":
            response = words[1] if len(words) > 1 else None
            if response is None:
                await self.reply("334 ")
                response = await self.line()
            parts = base64.b64decode(response or b"").split(b"\0")
            ok = len(parts) == 3 and self.logged_in(parts[1], parts[2])
        elif mechanism == b"LOGIN":
            await self.reply("334 VXNlcm5hbWU6")
            user = base64.b64decode(await self.line() or b"")
            await self.reply("334 UGFzc3dvcmQ6")
            password = base64.b64decode(await self.line() or b"")
            ok = self.logged_in(user, password)
        else:
            await self.reply("504 5.5.4 Unrecognized authentication type")
            return
        await self.reply("235 2.7.0 Authentication successful" if ok
                         else "535 5.7.8 Authentication credentials invalid")

    async def data(self):
        await self.reply("354 End data with <CR><LF>.<CR><LF>")
        # The end mark may straddle two blocks: look at the tail of the previous one too.
        received = len(self.buffer)
        tail = b"\r\n" + self.buffer
        self.buffer = b""
        while True:
            at = tail.find(END_MARK)
            if at >= 0:
                received -= len(tail) - at - 2
                self.buffer = tail[at + len(END_MARK):]
                break
            tail = tail[-(len(END_MARK) - 1):]
            block = await self.reader.read(1 << 20)
            if not block:
                return False
            received += len(block)
            tail += block
        print(f"received {received}", flush=True)
        await self.reply("250 2.0.0 OK: queued")
        return True

    async def run(self):
        await self.reply("220 127.0.0.1 ESMTP sink")
        while True:
            line = await self.line()
            if line is None:
                return
            verb, _, argument = line.partition(b" ")
            verb = verb.upper()
            if verb in (b"EHLO", b"HELO"):
                await self.reply("250-127.0.0.1\r\n250-8BITMIME\r\n250 AUTH PLAIN LOGIN")
            elif verb == b"AUTH":
                await self.auth(argument)
            elif verb in (b"MAIL", b"RCPT", b"RSET", b"NOOP"):
                await self.reply("250 2.0.0 OK")
            elif verb == b"DATA":
                if not await self.data():
                    return
            elif verb == b"QUIT":
                await self.reply("221 2.0.0 Bye")
                return
            else:
                await self.reply("502 5.5.2 Command not implemented")


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--user", default="user")
    parser.add_argument("--password", default="secret")
    arguments = parser.parse_args()

    async def serve(reader, writer):
        try:
            await Session(reader, writer, arguments).run()
        except (ConnectionError, asyncio.IncompleteReadError):
            pass
        finally:
            writer.close()

    server = await asyncio.start_server(serve, "127.0.0.1", arguments.port)
    print(f"ready {server.sockets[0].getsockname()[1]}", flush=True)
    stop = asyncio.Event()
    asyncio.get_running_loop().add_signal_handler(signal.SIGTERM, stop.set)
    async with server:
        await stop.wait()


if __name__ == "__main__":
    asyncio.run(main())
