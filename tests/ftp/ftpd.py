#!/usr/bin/python3
# A pyftpdlib server on 127.0.0.1 for the FTP client's tests and the upload benchmark.
# usage: ftpd.py ROOT [--read-limit BYTES_PER_SECOND] [--quit-reply "CODE TEXT"]
# Users: alice/secret may write; reader/secret may only read (STOR gets 550). A refused login
# is answered at once (the library's default waits 3 s). Prints "READY <port>" when listening.
import argparse

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

ap = argparse.ArgumentParser()
ap.add_argument('root')
ap.add_argument('--read-limit', type=int, default=0)
ap.add_argument('--quit-reply')  # QUIT answered with this instead, the session left open
a = ap.parse_args()

auth = DummyAuthorizer()
auth.add_user('alice', 'secret', a.root, perm='elradfmwMT')
auth.add_user('reader', 'secret', a.root, perm='elr')

H = type('H', (FTPHandler,), {})
H.authorizer, H.auth_failed_timeout = auth, 0.1
if a.quit_reply:
    H.ftp_QUIT = lambda self, line: self.respond(a.quit_reply)
if a.read_limit:
    # A slow line, so that a test can act while a store is under way.
    D = type('D', (ThrottledDTPHandler,), {})
    D.read_limit = a.read_limit
    H.dtp_handler = D

srv = FTPServer(('127.0.0.1', 0), H)  # port 0: any free port; the socket is listening now
print('READY', srv.address[1], flush=True)
srv.serve_forever(timeout=0.5)
