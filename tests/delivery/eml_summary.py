#!/usr/bin/env python3
"""Reads a mail message with Python's own email package and prints what the tests check as JSON.

usage: eml_summary.py MESSAGE [EXTRACT_DIR]

With EXTRACT_DIR every leaf part's decoded content is written there as part<N> (N from 0).
"""
import email
import email.policy
import hashlib
import json
import os
import sys


def main():
    path = sys.argv[1]
    extract = sys.argv[2] if len(sys.argv) > 2 else None
    with open(path, "rb") as f:
        raw = f.read()
    msg = email.message_from_bytes(raw, policy=email.policy.default)

    lines = raw.split(b"\n")
    summary = {
        "to": str(msg["To"] or ""),
        "cc": str(msg["Cc"] or ""),
        "bcc": str(msg["Bcc"] or ""),
        "from": str(msg["From"] or ""),
        "subject": str(msg["Subject"] or ""),
        "importance": str(msg["Importance"] or ""),
        "x_unsent": str(msg["X-Unsent"] or ""),
        "date": str(msg["Date"] or ""),
        "content_type": msg.get_content_type(),
        "max_line": max(len(l.rstrip(b"\r")) for l in lines),
        "bare_lf": any(not l.endswith(b"\r") for l in lines[:-1]),
        "defects": [],
        "parts": [],
        "html": "",
    }
    for part in msg.walk():
        summary["defects"] += [type(d).__name__ for d in part.defects]
        if part.is_multipart():
            summary["parts"].append({"content_type": part.get_content_type(), "multipart": True})
            continue
        payload = part.get_payload(decode=True) or b""
        entry = {
            "content_type": part.get_content_type(),
            "multipart": False,
            "cte": str(part["Content-Transfer-Encoding"] or ""),
            "content_id": str(part["Content-ID"] or ""),
            "filename": part.get_filename() or "",
            "disposition": part.get_content_disposition() or "",
            "size": len(payload),
            "sha256": hashlib.sha256(payload).hexdigest(),
        }
        if extract:
            leaf = sum(1 for p in summary["parts"] if not p["multipart"])
            entry["extracted"] = os.path.join(extract, "part%d" % leaf)
            with open(entry["extracted"], "wb") as out:
                out.write(payload)
        if entry["content_type"] == "text/html":
            summary["html"] = payload.decode(part.get_content_charset() or "utf-8")
        summary["parts"].append(entry)
    json.dump(summary, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
