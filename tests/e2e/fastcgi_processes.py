#!/usr/bin/env python3
"""The FastCGI processes a web server keeps for the service, under the
signals an operator or a crash sends them: a process killed outright ends
alone and the web server starts another while the calls go on; SIGTERM lets
the call a process is serving finish with its whole answer before it ends.

Run by terminal_sync_test.sh for a web server that restarts its FastCGI
processes (lighttpd with bin-path), after the terminal's day:
  fastcgi_processes.py --base http://127.0.0.1:PORT --db DATABASE --program PATH"""

import argparse
import concurrent.futures
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lib'))

import soap_wire as wire  # noqa: E402
from e2e_checks import Checks  # noqa: E402
from firebird_db import Database  # noqa: E402

PROCESSES = 2  # max-procs of scripts/lib/webserver.sh
STOCK = ('1', '7891000100103', 'UN')


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--base', required=True)
    parser.add_argument('--db', required=True)
    parser.add_argument('--program', required=True, help='the program file the web server starts')
    return parser.parse_args()


def processes(program):
    """Pids of the live processes running program."""
    found = set()
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            if os.readlink(f'/proc/{entry}/exe') != program:
                continue
            with open(f'/proc/{entry}/stat') as stat:
                if stat.read().rsplit(')', 1)[1].split()[0] == 'Z':
                    continue
        except OSError:
            continue
        found.add(int(entry))
    return found


def settle(program, condition, seconds=15):
    """Waits until condition(pids) holds; returns the last pids seen."""
    deadline = time.monotonic() + seconds
    pids = processes(program)
    while not condition(pids) and time.monotonic() < deadline:
        time.sleep(0.1)
        pids = processes(program)
    return pids


def stock(script):
    reply = wire.post(script, 'BuscaEstoque', *STOCK)
    return reply.status, wire.decode(reply.body, 'BuscaEstoque')


def killed_process(checks, script, program):
    pids = settle(program, lambda p: len(p) == PROCESSES)
    if not checks.equal('the web server keeps its FastCGI processes', len(pids), PROCESSES):
        return
    victim, survivor = sorted(pids)
    os.kill(victim, signal.SIGKILL)
    answers = [stock(script) for _ in range(6)]
    checks.equal('every call after the kill is answered', answers, [(200, 42.5)] * 6)
    now = settle(program, lambda p: len(p) == PROCESSES and victim not in p)
    checks.true('the killed process is gone', victim not in now, f'processes: {sorted(now)}')
    checks.true('the other process lives on', survivor in now, f'processes: {sorted(now)}')
    checks.equal('the web server started another in its place', len(now), PROCESSES)


def terminated_in_flight(checks, script, program, db):
    before = settle(program, lambda p: len(p) == PROCESSES)
    terminal = ('1', '001', 'PRODUTO')
    marked = lambda: [row for row in db.queue() if row[1:4] == terminal and row[6] == 'X']  # noqa: E731
    wire.post(script, 'ImportaProdutos', *terminal[:2])
    if not checks.true('the import left rows to acknowledge', marked(), f'queue: {db.queue()}'):
        return
    # Another program holds those rows, uncommitted: the acknowledgement
    # waits for them (at most 5 s) and deletes them once they are let go.
    holder = subprocess.Popen(['isql-fb', '-q', '-user', 'SYSDBA', db.path], stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        holder.stdin.write("SET SQL DIALECT 1;\nUPDATE integecf SET acao = acao WHERE codempresa = '1'"
                           " AND ecf = '001' AND tabela = 'PRODUTO';\n")
        holder.stdin.flush()
        time.sleep(1.5)
        with concurrent.futures.ThreadPoolExecutor(1) as pool:
            call = pool.submit(wire.post, script, 'DeletaIntegECF', *terminal)
            time.sleep(1.0)
            checks.true('the acknowledgement waits for the held rows', not call.done(), 'it was answered at once')
            for pid in before:
                os.kill(pid, signal.SIGTERM)
            time.sleep(0.5)
            checks.true('a process is still serving after SIGTERM', processes(program) & before,
                        'every process ended at once')
            holder.stdin.write('ROLLBACK;\n')
            holder.stdin.close()
            reply = call.result(timeout=30)
            checks.equal('the acknowledgement in flight gets its whole answer',
                         (reply.status, wire.decode(reply.body, 'DeletaIntegECF')), (200, None))
            checks.equal('it deleted the rows it acknowledged', marked(), [])
    finally:
        if not holder.stdin.closed:
            holder.stdin.close()
        holder.wait(timeout=30)
    after = settle(program, lambda p: not (p & before) and len(p) == PROCESSES)
    checks.equal('the processes asked to stop have ended', sorted(after & before), [])
    checks.equal('the web server started new ones', len(after), PROCESSES)
    checks.equal('the next call is answered', stock(script), (200, 42.5))


def main():
    args = arguments()
    checks = Checks('FastCGI processes under signals')
    script = args.base + '/velmora.cgi'
    program = os.path.realpath(args.program)
    with checks.group('a process killed with SIGKILL'):
        killed_process(checks, script, program)
    with checks.group('SIGTERM while a call is in flight'):
        terminated_in_flight(checks, script, program, Database(args.db))
    checks.finish()


if __name__ == '__main__':
    main()
