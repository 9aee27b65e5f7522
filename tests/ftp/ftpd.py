#!/usr/bin/python3
# A pyftpdlib server on 127.0.0.1 for the FTP client's tests and the upload benchmark.
# usage: ftpd.py ROOT [--read-limit BYTES_PER_SECOND] [--quit-reply "CODE TEXT"]
#                     [--cert PEM [--tls-required] [--refuse-prot] [--early-data-tls]
#                                 [--require-reuse] [--data-cert PEM] [--tls12]]
#                     [--commands FILE]
# Users: alice/secret may write; reader/secret may only read (STOR gets 550). A refused login
# is answered at once (the library's default waits 3 s). Prints "READY <port>" when listening.
# With --cert (certificate and key in one PEM file) the server speaks FTP with TLS (AUTH TLS);
# --tls-required refuses USER before AUTH TLS and data connections before PROT P.
import argparse

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

ap = argparse.ArgumentParser()
ap.add_argument('root')
ap.add_argument('--read-limit', type=int, default=0)
ap.add_argument('--quit-reply')  # QUIT answered with this instead, the session left open
ap.add_argument('--cert')
ap.add_argument('--tls-required', action='store_true')
ap.add_argument('--refuse-prot', action='store_true')  # PROT P answered 534
# Lets a client start TLS on the data connection before STOR, as curl does: the library
# otherwise closes such a connection.
ap.add_argument('--early-data-tls', action='store_true')
# Refuses a data connection whose TLS session is not the control connection's, as vsftpd does
# by default (require_ssl_reuse): 522 and the data connection closed.
ap.add_argument('--require-reuse', action='store_true')
ap.add_argument('--tls12', action='store_true')  # no TLS 1.3: sessions resumed by their id
# Data connections show this certificate instead of the control connection's.
ap.add_argument('--data-cert')
ap.add_argument('--commands')  # each command's verb appended to this file, with "tls" or "clear"
a = ap.parse_args()

auth = DummyAuthorizer()
auth.add_user('alice', 'secret', a.root, perm='elradfmwMT')
auth.add_user('reader', 'secret', a.root, perm='elr')

base = FTPHandler
if a.cert:
    from pyftpdlib.handlers import TLS_FTPHandler, TLS_DTPHandler  # needs python3-openssl
    base = TLS_FTPHandler
H = type('H', (base,), {})
H.authorizer, H.auth_failed_timeout = auth, 0.1
if a.quit_reply:
    H.ftp_QUIT = lambda self, line: self.respond(a.quit_reply)
if a.cert:
    H.certfile = a.cert
    H.tls_control_required = H.tls_data_required = a.tls_required
    if a.tls12:
        from OpenSSL import SSL
        H.ssl_options = SSL.OP_NO_TLSv1_3
    if a.refuse_prot:
        H.ftp_PROT = lambda self, line: self.respond('534 Protection level refused by policy.')
if a.commands:
    def pre_process_command(self, line, cmd, arg, _base=H.pre_process_command):
        secure = bool(getattr(self, '_ssl_established', False))
        with open(a.commands, 'a') as log:
            log.write('%s %s\n' % (cmd, 'tls' if secure else 'clear'))
        return _base(self, line, cmd, arg)
    H.pre_process_command = pre_process_command

dtp = None
if a.read_limit:
    # A slow line, so that a test can act while a store is under way.
    dtp = type('D', (ThrottledDTPHandler,), {})
    dtp.read_limit = a.read_limit
if a.cert:
    # The TLS data handler first, so that the throttle's reads go through TLS.
    dtp = type('D', (TLS_DTPHandler,) + ((dtp,) if dtp else ()), {})
    if a.read_limit:
        dtp.read_limit = a.read_limit
    if a.require_reuse:
        from OpenSSL._util import lib as ssl_lib

        def handle_ssl_established(self):
            if not ssl_lib.SSL_session_reused(self.socket._ssl):
                self.cmd_channel.respond('522 SSL connection failed: session reuse required')
                self.close()
        dtp.handle_ssl_established = handle_ssl_established
    if a.data_cert:
        from OpenSSL import SSL
        data_context = SSL.Context(SSL.TLS_SERVER_METHOD)
        data_context.use_certificate_chain_file(a.data_cert)
        data_context.use_privatekey_file(a.data_cert)

        def secure_connection(self, ssl_context, _base=dtp.secure_connection):
            return _base(self, data_context)
        dtp.secure_connection = secure_connection
    if a.early_data_tls:
        def readable(self, _base=dtp.readable):
            # A ClientHello before STOR waits for STOR instead of closing the connection.
            if not self.receive and not self._initialized and self._ssl_requested:
                return self._ssl_want_read
            return _base(self)
        dtp.readable = readable
if dtp:
    H.dtp_handler = dtp

srv = FTPServer(('127.0.0.1', 0), H)  # port 0: any free port; the socket is listening now
print('READY', srv.address[1], flush=True)
srv.serve_forever(timeout=0.5)
