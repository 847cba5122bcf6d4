"""An independent Modbus RTU slave for the link tests.

pymodbus serves one pseudo-terminal; a second pseudo-terminal is handed to the
link, and the bytes are relayed between the two masters. Both slave sides stay
open here so the link can open and close its side for every transaction.

Prints "ready <device>" once the server is listening, "set <register> <value>"
for every register the link writes, and "answer <hex>" once the slave's answer
to a write has been handed on to the link's side. Ends when stdin closes.
"""

import asyncio
import logging
import os
import sys
import tty

from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                ModbusSlaveContext)
from pymodbus.framer.rtu_framer import ModbusRtuFramer
from pymodbus.server import StartAsyncSerialServer


class ReportingBlock(ModbusSequentialDataBlock):
    def setValues(self, address, values):
        super().setValues(address, values)
        for offset, value in enumerate(values):
            # The slave context adds one to the wire address before it gets here.
            print(f"set {address - 1 + offset} {value}", flush=True)


WRITE_SINGLE_REGISTER = 0x06


def relay(loop, source, sink, report_write_answers=False):
    def forward():
        try:
            data = os.read(source, 4096)
        except OSError:
            return
        if data:
            os.write(sink, data)
            # Reported after the bytes are on their way, so whoever reads the line
            # knows the answer can no longer arrive behind it.
            if report_write_answers and len(data) > 1 and data[1] == WRITE_SINGLE_REGISTER:
                print(f"answer {data.hex()}", flush=True)
    loop.add_reader(source, forward)


async def main():
    # Cancelling the handler at the end is expected; keep the test output clean.
    logging.getLogger("pymodbus").setLevel(logging.CRITICAL)
    registers = ReportingBlock(0, [0] * 256)
    # Register 0x8A holds 0xFFF1 (-15) and 0x10 holds 300 for the read checks.
    registers.values[0x8A + 1] = 0xFFF1
    registers.values[0x10 + 1] = 300
    context = ModbusServerContext(slaves=ModbusSlaveContext(hr=registers), single=True)

    link_master, link_slave = os.openpty()
    peer_master, peer_slave = os.openpty()
    for fd in (link_slave, peer_slave):
        tty.setraw(fd)

    server = await StartAsyncSerialServer(
        context=context, framer=ModbusRtuFramer, port=os.ttyname(peer_slave),
        baudrate=38400, bytesize=8, parity="N", stopbits=1, defer_start=True)
    await server.start()
    loop = asyncio.get_running_loop()
    relay(loop, link_master, peer_master)
    relay(loop, peer_master, link_master, report_write_answers=True)
    serving = asyncio.create_task(server.serve_forever())

    stdin_closed = asyncio.Event()

    def on_stdin():
        if not sys.stdin.buffer.read1(4096):
            loop.remove_reader(sys.stdin.fileno())
            stdin_closed.set()
    loop.add_reader(sys.stdin.fileno(), on_stdin)

    print(f"ready {os.ttyname(link_slave)}", flush=True)
    await stdin_closed.wait()
    serving.cancel()
    await server.shutdown()


if __name__ == "__main__":
    asyncio.run(main())
