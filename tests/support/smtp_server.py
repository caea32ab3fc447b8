#!/usr/bin/python3
"""A small SMTP server for the tests, listening on 127.0.0.1.

Saves each received message as NNNN.eml (the bytes as received, after the
transport's dot-unstuffing) and NNNN.json (the envelope, and whether it came
over TLS) in --folder.
Prints "ready PORT" once it listens; ends cleanly on SIGTERM.
"""

import argparse
import asyncio
import json
import logging
import os
import signal
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword, syntax


def parse_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0, help="0 picks a free port")
    parser.add_argument("--folder", required=True, help="where received messages are saved")
    parser.add_argument("--cert", help="certificate (PEM) for STARTTLS and implicit TLS")
    parser.add_argument("--key", help="private key (PEM) of the certificate")
    parser.add_argument("--implicit-tls", action="store_true", help="TLS from the first byte")
    parser.add_argument("--no-starttls", action="store_true", help="do not offer STARTTLS")
    parser.add_argument("--user", default="user")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--refuse-auth", action="store_true", help="refuse every login")
    parser.add_argument("--refuse-recipient", default="", help="answer 550 to this recipient")
    parser.add_argument("--silent", action="store_true", help="accept connections, never greet")
    parser.add_argument("--data-delay", type=float, default=0, help="seconds before answering DATA")
    parser.add_argument("--stall-after-greeting", action="store_true", help="greet, then never answer")
    parser.add_argument("--stall-in-starttls", action="store_true",
                        help="agree to STARTTLS, then never take part in the handshake")
    parser.add_argument("--drop-after-data", action="store_true",
                        help="keep the message, then close the connection instead of answering")
    parser.add_argument("--data-reply", default="", help="answer the message data with this reply")
    parser.add_argument("--require-starttls", action="store_true",
                        help="answer 530 to everything before STARTTLS")
    parser.add_argument("--hide-auth", action="store_true",
                        help="do not offer AUTH, yet require a login before MAIL")
    parser.add_argument("--no-8bitmime", action="store_true", help="do not offer 8BITMIME")
    parser.add_argument("--fast-data", action="store_true",
                        help="read message data in large blocks instead of line by line (for benchmarks)")
    return parser.parse_args()


class Handler:
    def __init__(self, arguments):
        self.arguments = arguments
        self.count = 0

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        if self.arguments.no_8bitmime:
            responses = [line for line in responses if line[4:] != "8BITMIME"]
        if self.arguments.hide_auth:
            responses = [line for line in responses if not line[4:].startswith("AUTH")]
        return responses

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        refused = self.arguments.refuse_recipient
        if refused and address.lower() == refused.lower():
            return f"550 5.1.1 <{address}>: Recipient address rejected: User unknown"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.arguments.data_reply:
            return self.arguments.data_reply
        self.count += 1
        base = os.path.join(self.arguments.folder, f"{self.count:04d}")
        # Written under a temporary name first, so a reader never sees half a
        # message; the envelope first, so a message never lacks one.
        with open(base + ".eml.tmp", "wb") as file:
            file.write(envelope.original_content)
        with open(base + ".json.tmp", "w", encoding="utf-8") as file:
            json.dump({"mail_from": envelope.mail_from, "mail_options": envelope.mail_options,
                       "rcpt_tos": envelope.rcpt_tos,
                       "tls": server.transport.get_extra_info("ssl_object") is not None}, file)
        os.replace(base + ".json.tmp", base + ".json")
        os.replace(base + ".eml.tmp", base + ".eml")
        if self.arguments.drop_after_data:
            server.transport.abort()
        if self.arguments.data_delay > 0:
            await asyncio.sleep(self.arguments.data_delay)
        return "250 2.0.0 OK: queued"


def make_authenticator(arguments):
    def authenticate(server, session, envelope, mechanism, auth_data):
        if arguments.refuse_auth or not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        ok = (auth_data.login.decode("utf-8", "replace") == arguments.user
              and auth_data.password.decode("utf-8", "replace") == arguments.password)
        return AuthResult(success=ok, handled=False)

    return authenticate


class FastDataSMTP(SMTP):
    """Reads the message data in large blocks.

    aiosmtpd reads DATA one line at a time, which takes about a second for a
    message of 30 MB; a benchmark of the client needs a server that keeps up.
    Relies on aiosmtpd 1.4 internals; the tests use the line-by-line reader.
    """

    @syntax("DATA")
    async def smtp_DATA(self, arg):
        if await self.check_helo_needed() or await self.check_auth_needed("DATA"):
            return
        if not self.envelope.rcpt_tos:
            await self.push("503 Error: need RCPT command")
            return
        if arg:
            await self.push("501 Syntax: DATA")
            return
        await self.push("354 End data with <CR><LF>.<CR><LF>")
        data = bytearray()
        # The client waits for the reply before its next command, so nothing follows the end mark.
        while not (data == b".\r\n" or data.endswith(b"\r\n.\r\n")):
            block = await self._reader.read(1 << 20)
            if not block:
                return
            data += block
        content = bytes(data[:-3])
        if content.startswith(b"."):
            content = content[1:]
        content = content.replace(b"\r\n..", b"\r\n.")
        self.envelope.content = content
        self.envelope.original_content = content
        status = await self._call_handler_hook("DATA")
        self._set_post_data_state()
        await self.push(status)


class StallingSMTP(SMTP):
    """Stops answering at a chosen point, as a hung server does."""

    def __init__(self, *args, stall_after_greeting=False, stall_in_starttls=False, **kwargs):
        super().__init__(*args, **kwargs)
        self.stall_after_greeting = stall_after_greeting
        self.stall_in_starttls = stall_in_starttls

    async def _stall(self):
        await asyncio.sleep(3600)

    async def smtp_EHLO(self, hostname):
        if self.stall_after_greeting:
            return await self._stall()
        return await super().smtp_EHLO(hostname)

    async def smtp_HELO(self, hostname):
        if self.stall_after_greeting:
            return await self._stall()
        return await super().smtp_HELO(hostname)

    async def smtp_STARTTLS(self, arg):
        if self.stall_in_starttls:
            await self.push("220 Ready to start TLS")
            return await self._stall()
        return await super().smtp_STARTTLS(arg)


class SilentProtocol(asyncio.Protocol):
    """Takes the connection and says nothing, as a hung server does."""

    def connection_made(self, transport):
        self.transport = transport

    def data_received(self, data):
        pass


def main():
    # aiosmtpd warns about its own deprecated internals; the test output stays clean.
    warnings.simplefilter("ignore")
    # Failed handshakes and refused logins are what the tests provoke; no need to log them.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    arguments = parse_arguments()
    os.makedirs(arguments.folder, exist_ok=True)

    tls = None
    if arguments.cert:
        tls = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        tls.load_cert_chain(arguments.cert, arguments.key)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    handler = Handler(arguments)
    authenticator = make_authenticator(arguments)

    def factory():
        if arguments.silent:
            return SilentProtocol()
        stalling = arguments.stall_after_greeting or arguments.stall_in_starttls
        kind = FastDataSMTP if arguments.fast_data else StallingSMTP if stalling else SMTP
        extra = {}
        if stalling:
            extra = {"stall_after_greeting": arguments.stall_after_greeting,
                     "stall_in_starttls": arguments.stall_in_starttls}
        return kind(
            handler,
            hostname="localhost",
            tls_context=None if arguments.implicit_tls or arguments.no_starttls else tls,
            require_starttls=arguments.require_starttls,
            auth_required=arguments.hide_auth,
            authenticator=authenticator,
            auth_require_tls=False,
            data_size_limit=None,
            loop=loop,
            **extra,
        )

    try:
        server = loop.run_until_complete(
            loop.create_server(factory, host="127.0.0.1", port=arguments.port,
                               ssl=tls if arguments.implicit_tls else None))
    except OSError as error:
        print(f"error {error}", flush=True)
        return 2

    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)
    loop.add_signal_handler(signal.SIGINT, stop.set)
    port = server.sockets[0].getsockname()[1]
    print(f"ready {port}", flush=True)
    loop.run_until_complete(stop.wait())
    server.close()
    try:
        loop.run_until_complete(asyncio.wait_for(server.wait_closed(), 2))
    except asyncio.TimeoutError:
        pass
    loop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
