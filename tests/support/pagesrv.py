#!/usr/bin/env python3
"""Loopback HTTP(S) server for tests and the demo.

Serves the files of a folder and appends every request it receives to a
JSON-lines log: {"time", "method", "path", "headers": [[name, value], ...],
"body"}. Paths without a file answer 200 with an empty body. Reserved paths:
  /__redirect?to=URL   302 to URL
  /__hang              accepts the request and never answers
  /__status/CODE       answers with that status and an empty body
"""
import argparse
import json
import mimetypes
import os
import ssl
import subprocess
import sys
import tempfile
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, unquote, urlsplit


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _record(self, body):
        entry = {
            "time": time.time(),
            "method": self.command,
            "path": self.path,
            "headers": [[k, v] for k, v in self.headers.items()],
            "body": body.decode("utf-8", "replace"),
        }
        with self.server.log_lock, open(self.server.log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps(entry, ensure_ascii=False) + "\n")

    def _answer(self, status, body=b"", content_type="text/plain", extra=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def _serve(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        self._record(body)
        parts = urlsplit(self.path)
        path = unquote(parts.path)
        if path == "/__redirect":
            target = parse_qs(parts.query).get("to", ["/"])[0]
            return self._answer(302, extra=[("Location", target)])
        if path == "/__hang":
            self.server.stopping.wait()
            self.close_connection = True
            return None
        if path.startswith("/__status/"):
            return self._answer(int(path.rsplit("/", 1)[1]))
        file_path = os.path.realpath(os.path.join(self.server.root, path.lstrip("/")))
        if os.path.isdir(file_path):
            file_path = os.path.join(file_path, "index.html")
        inside = file_path.startswith(self.server.root + os.sep)
        if inside and os.path.isfile(file_path):
            with open(file_path, "rb") as f:
                data = f.read()
            kind = mimetypes.guess_type(file_path)[0] or "application/octet-stream"
            if kind.startswith("text/") or kind.endswith("javascript"):
                kind += "; charset=utf-8"
            return self._answer(200, data, kind)
        return self._answer(200)

    do_GET = do_POST = do_HEAD = do_PUT = _serve


def self_signed_context(folder):
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
         "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
         "-keyout", key, "-out", cert],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--root", required=True, help="folder to serve")
    parser.add_argument("--log", required=True, help="JSON-lines request log to append to")
    parser.add_argument("--port", type=int, default=0, help="port (default: a free one)")
    parser.add_argument("--port-file", help="file to write the chosen port to once listening")
    parser.add_argument("--tls", action="store_true", help="HTTPS with a self-signed certificate")
    args = parser.parse_args()

    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.root = os.path.realpath(args.root)
    server.log_path = args.log
    server.log_lock = threading.Lock()
    server.stopping = threading.Event()
    if args.tls:
        with tempfile.TemporaryDirectory() as folder:
            server.socket = self_signed_context(folder).wrap_socket(server.socket, server_side=True)
    open(args.log, "a").close()
    port = server.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(port))
        os.replace(args.port_file + ".tmp", args.port_file)
    print(port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.stopping.set()
        server.server_close()


if __name__ == "__main__":
    sys.exit(main())
