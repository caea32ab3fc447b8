#!/usr/bin/python3
"""Parses a raw message (stdin) strictly and prints what a mail reader sees, as JSON.

{"headers": [[name, decoded value], ...], "addresses": {name: [[display name, address], ...]},
 "content_type": ..., "body": text,
 "body_base64": decoded body bytes, "body_encoding": ..., "attachments":
 [{"filename", "content_type", "charset", "encoding", "size", "sha256", "base64",
   "text" (text parts, decoded), "subject" (attached messages)}], "defects": [...]}
On a parse failure: {"error": text}.
"""

import base64
import email
import email.policy
import hashlib
import json
import sys


def main():
    raw = sys.stdin.buffer.read()
    policy = email.policy.strict
    result = {}
    try:
        message = email.message_from_bytes(raw, policy=policy)
        defects = [repr(defect) for defect in message.defects]
        headers = []
        addresses = {}
        for name, value in message.items():
            headers.append([name, str(value)])
            if hasattr(value, "addresses"):
                addresses[name] = [[a.display_name, a.addr_spec] for a in value.addresses]
            defects += [f"{name}: {defect!r}" for defect in getattr(value, "defects", ())]
        body_part = message.get_body(preferencelist=("plain",))
        attachments = []
        for part in message.walk():
            defects += [repr(defect) for defect in part.defects if part is not message]
        for part in message.iter_attachments():
            attachment = {
                "filename": part.get_filename(),
                "content_type": part.get_content_type(),
                "charset": part.get_content_charset(),
                "encoding": part.get("Content-Transfer-Encoding", ""),
            }
            if part.get_content_type() == "message/rfc822":
                # The attached message as the reader holds it, with the line ends it travelled with.
                inner = part.get_payload(0)
                attachment["subject"] = str(inner.get("Subject", ""))
                data = inner.as_bytes(policy=policy.clone(linesep="\r\n", refold_source="none"))
            else:
                data = part.get_payload(decode=True) or b""
            if part.get_content_maintype() == "text":
                attachment["text"] = part.get_content()
            attachment.update({"size": len(data), "sha256": hashlib.sha256(data).hexdigest(),
                               "base64": base64.b64encode(data).decode()})
            attachments.append(attachment)
        result = {
            "headers": headers,
            "addresses": addresses,
            "content_type": message.get_content_type(),
            "body": body_part.get_content() if body_part is not None else None,
            "body_base64": base64.b64encode(body_part.get_payload(decode=True) or b"").decode()
            if body_part is not None else None,
            "body_encoding": body_part.get("Content-Transfer-Encoding", "") if body_part is not None else None,
            "body_content_type": str(body_part.get("Content-Type", "")) if body_part is not None else None,
            "attachments": attachments,
            "defects": defects,
        }
    except Exception as error:  # any failure to parse is what the caller wants to see
        result = {"error": f"{type(error).__name__}: {error}"}
    json.dump(result, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
