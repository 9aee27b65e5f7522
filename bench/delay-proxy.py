#!/usr/bin/python3
# A TCP relay on 127.0.0.1 that holds every piece of data for a fixed time in each direction, so
# that a transfer on loopback meets the round trip of a distant server (the order is kept, the
# bandwidth is not limited). Prints "READY <port>" once listening.
# usage: delay-proxy.py TARGET_PORT MILLISECONDS_EACH_WAY
import asyncio
import sys

target, delay = int(sys.argv[1]), float(sys.argv[2]) / 1000


async def pipe(reader, writer):
    loop = asyncio.get_running_loop()
    try:
        while True:
            data = await reader.read(1 << 20)
            if not data:
                break
            loop.call_later(delay, writer.write, data)
    finally:
        loop.call_later(delay, writer.close)


async def handle(client_reader, client_writer):
    server_reader, server_writer = await asyncio.open_connection('127.0.0.1', target)
    await asyncio.gather(pipe(client_reader, server_writer), pipe(server_reader, client_writer))


async def main():
    srv = await asyncio.start_server(handle, '127.0.0.1', 0)
    print('READY', srv.sockets[0].getsockname()[1], flush=True)
    await srv.serve_forever()

asyncio.run(main())
