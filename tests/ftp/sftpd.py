#!/usr/bin/python3
# The SFTP test server: asyncssh on 127.0.0.1 with a fresh ed25519 host key, user alice with a
# password (and, when given, public keys), every path kept inside ROOT. Prints
# "READY <port> <fingerprint>" once listening, "PASSWORD <user>" for every password it is
# shown, and writes the host's public key to KEYFILE.
# usage: sftpd.py ROOT KEYFILE PASSWORD [--client-keys AUTHORIZED_KEYS] [--write-delay SECONDS]
#                 [--write-limit BYTES]
import argparse
import asyncio
import warnings

warnings.simplefilter('ignore')  # Cryptography's deprecation notes on old ciphers
import asyncssh  # noqa: E402

ap = argparse.ArgumentParser()
ap.add_argument('root')
ap.add_argument('keyfile')
ap.add_argument('password')
ap.add_argument('--client-keys')
ap.add_argument('--write-delay', type=float, default=0)
ap.add_argument('--write-limit', type=int, default=0)
a = ap.parse_args()


class Server(asyncssh.SSHServer):
    def begin_auth(self, username):
        return True

    def password_auth_supported(self):
        return True

    def validate_password(self, username, password):
        # Tests look for this line to know whether a password reached the server at all.
        print('PASSWORD', username, flush=True)
        return username == 'alice' and password == a.password


class TestSftp(asyncssh.SFTPServer):
    # Each write waits first, so that a test can act in the middle of a transfer; bytes past
    # the limit are refused as by a full disk.
    async def write(self, file_obj, offset, data):
        await asyncio.sleep(a.write_delay)
        if a.write_limit and offset + len(data) > a.write_limit:
            raise asyncssh.SFTPError(asyncssh.FX_FAILURE, 'No space left on device')
        return super().write(file_obj, offset, data)


async def main():
    key = asyncssh.generate_private_key('ssh-ed25519')
    sftp = TestSftp if a.write_delay > 0 or a.write_limit else asyncssh.SFTPServer
    options = {}
    if a.client_keys:
        options['authorized_client_keys'] = a.client_keys
    srv = await asyncssh.listen('127.0.0.1', 0, server_host_keys=[key], server_factory=Server,
                                sftp_factory=lambda chan: sftp(chan, chroot=a.root), **options)
    with open(a.keyfile, 'wb') as f:
        f.write(key.export_public_key('openssh'))
    print('READY', srv.sockets[0].getsockname()[1], key.get_fingerprint('sha256'), flush=True)
    await asyncio.Event().wait()

asyncio.run(main())
