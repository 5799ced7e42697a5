#!/usr/bin/env python3
"""Web server for the browser tests, on 127.0.0.1 only: downloads (an attachment, a large
file sent slowly, a connection dropped midway), pages that open windows, find, print and
permission pages, a cookie page, and with --cert/--key the same site over TLS.

Prints "http PORT" (and "https PORT") on standard output, then serves until standard input
closes or --seconds pass. Requests with their cookies are printed as "seen PATH COOKIE"."""
import argparse
import http.server
import os
import socket
import struct
import ssl
import sys
import threading
import time

ATTACHMENT = bytes((i * 7 + i // 251) % 256 for i in range(300_000))
BIG_SIZE = 50 * 1024 * 1024
CHUNK = 64 * 1024

PAGES = {
    "/": "<title>Home</title><h1>Test home</h1>",
    "/downloads": "<title>Downloads</title><a id='a' href='/attachment'>report</a>"
                  "<a id='big' href='/big'>big</a><a id='drop' href='/drop'>drop</a>"
                  "<a id='short' href='/short'>short</a>",
    "/windows": "<title>Windows</title>"
                "<a id='blank' href='/target' target='_blank'>new window</a>"
                "<button id='open' onclick=\"window.open('/opened')\">open</button>"
                "<script>function popup() { window.open('/popup'); }</script>",
    "/target": "<title>Target</title><p>Opened by a link</p>",
    "/opened": "<title>Opened</title><p>Opened by a script</p>",
    "/popup": "<title>Popup</title><p>Should never show</p>",
    "/find": "<title>Find</title><p>The boiler heats the water. Each boiler has a pump; "
             "a third BOILER stands in the cellar.</p>",
    "/print": "<title>Print</title><h1>Radiator schedule</h1>"
              "<p>Hydronic balancing of the heating circuit.</p>",
    "/mail": "<title>Mail</title><a id='mail' href='mailto:office@example.org'>mail</a>"
             "<a id='tel' href='tel:+48123456789'>call</a>",
    "/permissions": "<title>Permissions</title><script>"
                    "function locate() { navigator.geolocation.getCurrentPosition("
                    "  function () { window.located = 'granted'; },"
                    "  function (e) { window.located = 'denied ' + e.code; }); }"
                    "function notify() { Notification.requestPermission()"
                    "  .then(function (p) { window.notify = p; }); }"
                    "function camera() { navigator.mediaDevices.getUserMedia({video: true})"
                    "  .then(function () { window.camera = 'granted'; },"
                    "        function (e) { window.camera = 'denied ' + e.name; }); }"
                    "</script>",
    "/accessible": "<title>Accessible</title><h1>Heating circuits</h1>"
                   "<p>Underfloor loops need a mixing valve.</p><button>Calculate</button>",
    "/fullscreen": "<title>Full screen</title><div id='video' style='background:#000;"
                   "width:320px;height:180px'></div><button id='go' onclick="
                   "\"document.getElementById('video').requestFullscreen()\">full</button>",
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, body, content_type="text/html; charset=utf-8", headers=()):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path.split("?")[0]
        cookie = self.headers.get("Cookie", "-")
        print("seen %s %s" % (path, cookie.replace(" ", "")), flush=True)
        if path == "/attachment":
            self.send_body(ATTACHMENT, "application/octet-stream",
                           [("Content-Disposition", 'attachment; filename="report.bin"')])
        elif path == "/big":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Disposition", 'attachment; filename="big.bin"')
            self.send_header("Content-Length", str(BIG_SIZE))
            self.end_headers()
            sent = 0
            try:
                while sent < BIG_SIZE:
                    self.wfile.write(b"\x5a" * CHUNK)
                    sent += CHUNK
                    time.sleep(0.004)
            except (BrokenPipeError, ConnectionResetError):
                pass
        elif path in ("/drop", "/short"):
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Disposition", 'attachment; filename="dropped.bin"')
            self.send_header("Content-Length", str(1024 * 1024))
            self.end_headers()
            self.wfile.write(b"\x01" * 100_000)
            self.wfile.flush()
            time.sleep(0.2)
            self.close_connection = True
            if path == "/drop":
                # Reset, as a server that dies does: no orderly end of the stream.
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                           struct.pack("ii", 1, 0))
            else:
                # An orderly end of the stream, short of the length announced.
                self.connection.shutdown(socket.SHUT_RDWR)
            self.connection.close()
        elif path == "/login":
            body = ("<title>Login</title><p>cookie %s</p>" % cookie).encode()
            self.send_body(body, headers=[("Set-Cookie",
                                           "session=kept; Max-Age=86400; Path=/")])
        elif path in PAGES:
            self.send_body(("<!doctype html><html><body>%s</body></html>"
                            % PAGES[path]).encode())
        else:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--seconds", type=float, default=600)
    args = parser.parse_args()
    http.server.ThreadingHTTPServer.daemon_threads = True
    plain = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    serve(plain)
    print("http %d" % plain.server_address[1], flush=True)
    if args.cert:
        secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
        serve(secure)
        print("https %d" % secure.server_address[1], flush=True)
    # Ends with its test: standard input closes, or the time is up.
    deadline = time.time() + args.seconds
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    while time.time() < deadline:
        time.sleep(0.5)
    os._exit(0)


if __name__ == "__main__":
    main()
