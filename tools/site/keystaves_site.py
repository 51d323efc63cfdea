#!/usr/bin/python3
"""A reference Keystaves web site, served over HTTPS on 127.0.0.1 only.

It answers every request the editor makes: the version page, installer downloads,
the site pages, the library upload and the file registration. The tests start it on a
free port and stop it afterwards; a newcomer can run it to try the online features:

    /usr/bin/python3 tools/site/keystaves_site.py --root /tmp/site --port 8443

On start it makes a certificate authority and a server certificate for 127.0.0.1 in
ROOT/certs (unless they exist), prints "port N" once it listens, and serves the files
below ROOT. The CA's certificate, ROOT/certs/ca.pem, is what the editor is told to trust
(environment variable KEYSTAVES_CA_FILE). Point the editor's `SiteAddress` setting at
https://127.0.0.1:N/.

Files below ROOT shape the answers:
  latestversion              the version page, as written (else a page naming no release)
  downloadsv4/NAME           an installer
  PATH.stall                 send the number of bytes written in it, then stop sending
  PATH.nolength              answer PATH without a Content-Length header
  getfileid.status           an HTTP status that every getfileid request answers with
  PATH.status                an HTTP status that requests for PATH answer with
Requests are logged one a line ("GET /latestversion") to ROOT/requests.log. Uploads are
stored in ROOT/uploads; a registration (GET /page/files?...&hash=H) is kept in
ROOT/registered/H, and getfileid answers "[ID](n)[Hash](H)" once H is registered.
"""

import argparse
import http.server
import os
import secrets
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

NAME_ALPHABET = "23456789abcdefghijkmnopqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ"
UPLOAD_KINDS = ("mid", "pdf", "ksv")
MAX_UPLOAD = 64 * 1024 * 1024
STALL_SECONDS = 60


def make_certificates(folder):
    """A test CA and a server certificate for 127.0.0.1 signed by it, made with openssl."""
    os.makedirs(folder, exist_ok=True)
    ca_key, ca_pem = os.path.join(folder, "ca.key"), os.path.join(folder, "ca.pem")
    key, csr, pem = (os.path.join(folder, n) for n in ("server.key", "server.csr", "server.pem"))
    if all(os.path.exists(p) for p in (ca_pem, key, pem)):
        return pem, key
    run = lambda *args: subprocess.run(["openssl", *args], check=True, capture_output=True)
    run("req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-keyout", ca_key, "-out", ca_pem,
        "-days", "2", "-subj", "/CN=Keystaves Test CA",
        "-addext", "basicConstraints=critical,CA:TRUE",
        "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    run("req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-keyout", key, "-out", csr,
        "-subj", "/CN=127.0.0.1")
    ext = os.path.join(folder, "server.ext")
    with open(ext, "w") as f:
        f.write("subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n"
                "extendedKeyUsage=serverAuth\n")
    run("x509", "-req", "-in", csr, "-CA", ca_pem, "-CAkey", ca_key, "-CAcreateserial",
        "-out", pem, "-days", "2", "-extfile", ext)
    return pem, key


class Site(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "KeystavesSite/1"

    def log_message(self, fmt, *args):
        pass

    def root(self, *parts):
        return os.path.join(self.server.root, *parts)

    def log_request_line(self):
        with self.server.log_lock, open(self.root("requests.log"), "a") as log:
            log.write(f"{self.command} {self.path}\n")

    def answer(self, status, body, content_type="text/html; charset=utf-8", length=True):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if length:
            self.send_header("Content-Length", str(len(body)))
        else:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(body)

    def safe_path(self, path):
        """The file below ROOT that a request path names, or None outside it."""
        full = os.path.realpath(self.root(path.lstrip("/")))
        if not full.startswith(os.path.realpath(self.server.root) + os.sep):
            return None
        return full

    def do_GET(self):
        self.log_request_line()
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/getfileid":
            return self.get_file_id(query.get("hash", [""])[0])
        if url.path == "/page/files":
            return self.register(query)
        full = self.safe_path(url.path)
        if url.path == "/latestversion" and full and not os.path.isfile(full):
            return self.answer(200, b"<html><body>No release is published.</body></html>")
        if full and os.path.isfile(full + ".status"):
            with open(full + ".status") as f:
                return self.answer(int(f.read().strip() or "500"), b"as asked")
        if full and os.path.isfile(full) and not full.endswith((".stall", ".nolength", ".status")):
            return self.send_file(full)
        if url.path.startswith("/page/") or url.path == "/":
            title = url.path.strip("/") or "home"
            return self.answer(200, f"<html><body><h1>{title}</h1></body></html>".encode())
        self.answer(404, b"not found")

    def send_file(self, full):
        with open(full, "rb") as f:
            body = f.read()
        if os.path.exists(full + ".stall"):
            with open(full + ".stall") as f:
                sent = int(f.read().strip() or 0)
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[:sent])
            self.wfile.flush()
            # Keep the connection open without sending, until the client gives up.
            deadline = time.monotonic() + STALL_SECONDS
            while time.monotonic() < deadline and not self.server.stopping.is_set():
                time.sleep(0.05)
            self.close_connection = True
            return
        self.answer(200, body, "application/octet-stream",
                    length=not os.path.exists(full + ".nolength"))

    def get_file_id(self, file_hash):
        status_file = self.root("getfileid.status")
        if os.path.exists(status_file):
            with open(status_file) as f:
                return self.answer(int(f.read().strip()), b"error")
        entry = self.root("registered", file_hash) if file_hash.isalnum() else None
        file_id = 0
        if entry and os.path.exists(entry):
            with open(entry) as f:
                file_id = int(f.readline().strip() or 0)
        self.answer(200, f"[ID]({file_id})[Hash]({file_hash})".encode(), "text/plain")

    def register(self, query):
        file_hash = query.get("hash", [""])[0]
        if not file_hash.isalnum() or "title" not in query:
            return self.answer(400, b"<html><body>Incomplete registration</body></html>")
        os.makedirs(self.root("registered"), exist_ok=True)
        with self.server.log_lock:
            self.server.next_id += 1
            file_id = self.server.next_id
        with open(self.root("registered", file_hash), "w") as f:
            f.write(f"{file_id}\n{self.path}\n")
        self.answer(200, f"<html><body>Registered as {file_id}</body></html>".encode())

    def do_POST(self):
        self.log_request_line()
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path != "/upload":
            return self.answer(404, b"not found")
        kind = query.get("kind", [""])[0]
        name = query.get("name", [""])[0]
        try:
            length = int(self.headers.get("Content-Length", "-1"))
        except ValueError:
            length = -1
        if kind not in UPLOAD_KINDS or length < 0 or length > MAX_UPLOAD:
            return self.answer(400, b"bad upload", "text/plain")
        body = self.rfile.read(length)
        # The site keeps the proposed name when it is well formed and unused for this kind,
        # else it names the upload itself.
        uploads = self.root("uploads")
        os.makedirs(uploads, exist_ok=True)
        if not (len(name) == 8 and all(c in NAME_ALPHABET for c in name)) or os.path.exists(
                os.path.join(uploads, f"{name}.{kind}")):
            name = "".join(secrets.choice(NAME_ALPHABET) for _ in range(8))
        with open(os.path.join(uploads, f"{name}.{kind}"), "wb") as f:
            f.write(body)
        self.answer(200, f"[Name]({name})".encode(), "text/plain")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()
    os.makedirs(args.root, exist_ok=True)
    cert, key = make_certificates(os.path.join(args.root, "certs"))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Site)
    server.daemon_threads = True
    server.root = os.path.abspath(args.root)
    server.log_lock = threading.Lock()
    server.stopping = threading.Event()
    server.next_id = 1000
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print(f"port {server.server_address[1]}", flush=True)
    try:
        server.serve_forever(poll_interval=0.1)
    except KeyboardInterrupt:
        pass
    finally:
        server.stopping.set()
        server.server_close()


if __name__ == "__main__":
    sys.exit(main())
