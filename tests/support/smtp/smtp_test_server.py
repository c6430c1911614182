#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the tests of the e-mail client (Debian's aiosmtpd).

It keeps every message it accepts in its own folder under --out: meta.json (envelope, how the
session was protected and authenticated, the decoded subject and body, the attachment names)
and the attachments' bytes. It prints "READY <port>" once it listens and stops when its
standard input closes.
"""

import argparse
import email
import email.policy
import json
import os
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Keeper:
    def __init__(self, out, reject, login):
        self.out = out
        self.reject = set(reject)
        self.login = login
        self.count = 0
        self.lock = threading.Lock()

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        # A server without accounts does not offer to log in.
        return [r for r in responses if self.login or not r.startswith("250-AUTH")]

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.reject:
            return "550 5.1.1 destinatario sconosciuto"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            folder = os.path.join(self.out, "msg-%03d" % self.count)
        os.makedirs(folder)
        raw = envelope.original_content or envelope.content
        with open(os.path.join(folder, "raw.eml"), "wb") as f:
            f.write(raw)
        message = email.message_from_bytes(raw, policy=email.policy.default)
        body = message.get_body(preferencelist=("plain",))
        attachments = []
        for part in message.iter_attachments():
            name = part.get_filename()
            attachments.append({"name": name, "type": part.get_content_type()})
            with open(os.path.join(folder, "attachment-" + name), "wb") as f:
                f.write(part.get_payload(decode=True))
        tls = server.transport.get_extra_info("ssl_object")
        meta = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": tls is not None,
            "tls_version": tls.version() if tls is not None else "",
            "starttls": session.ssl is not None,
            "authenticated": bool(session.authenticated),
            "auth_mechanism": getattr(session, "auth_mechanism", ""),
            "ehlo": session.host_name or "",
            "subject": str(message["subject"] or ""),
            "from": str(message["from"] or ""),
            "to": str(message["to"] or ""),
            "body": body.get_content() if body is not None else "",
            "attachments": attachments,
        }
        with open(os.path.join(folder, "meta.json.tmp"), "w", encoding="utf-8") as f:
            json.dump(meta, f, ensure_ascii=False)
        os.rename(os.path.join(folder, "meta.json.tmp"), os.path.join(folder, "meta.json"))
        return "250 2.0.0 messaggio accettato"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--tls", choices=["none", "starttls", "implicit"], default="none")
    p.add_argument("--offer-starttls", action="store_true",
                   help="with --tls none: offer STARTTLS without requiring it")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--max-tls", choices=["", "TLSv1", "TLSv1_1"], default="")
    p.add_argument("--user", default="")
    p.add_argument("--password", default="")
    p.add_argument("--login-only", action="store_true", help="offer AUTH LOGIN only")
    p.add_argument("--reject-rcpt", action="append", default=[])
    p.add_argument("--out", required=True)
    args = p.parse_args()

    context = None
    if args.tls != "none" or args.offer_starttls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        if args.max_tls:
            context.minimum_version = ssl.TLSVersion.MINIMUM_SUPPORTED
            context.maximum_version = getattr(ssl.TLSVersion, args.max_tls)
            context.set_ciphers("ALL:@SECLEVEL=0")

    def authenticator(server, session, envelope, mechanism, auth_data):
        session.auth_mechanism = mechanism
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login == args.user.encode()
              and auth_data.password == args.password.encode())
        return AuthResult(success=ok, handled=False)

    kwargs = {"hostname": "127.0.0.1", "port": free_port()}
    smtp = {"auth_require_tls": False}
    if args.user:
        smtp["authenticator"] = authenticator
        smtp["auth_required"] = True
        if args.login_only:
            smtp["auth_exclude_mechanism"] = ["PLAIN"]
    if args.tls == "implicit":
        kwargs["ssl_context"] = context
    elif context is not None:
        smtp["tls_context"] = context
        smtp["require_starttls"] = args.tls == "starttls"
    controller = Controller(Keeper(args.out, args.reject_rcpt, bool(args.user)), server_kwargs=smtp, **kwargs)
    controller.start()
    print("READY %d" % controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
