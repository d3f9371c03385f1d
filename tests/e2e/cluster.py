#!/usr/bin/env python3
"""The terminals, the writer and the verdict of cluster_test.sh.

64 terminals run their cycle through the balancer, each call on a connection
of its own: an import (one of four queue tables in turn), loading its records
into the terminal's own store, DeletaIntegECF of that table, BuscaEstoque.
A writer, "the other program", queues changes for them through isql-fb,
one transaction per batch. Triggers journal every queue row and every
marking that was committed, inside the database (the soak's
tests/stress/queue_journal.sql), so the audit needs nothing the writer
believes it did. When the stop file appears the writer stops, the terminals
finish their cycle, and each terminal imports and acknowledges every table
once more, which leaves the queue empty.

Then the checks, against what the driver wrote (events: "EPOCH WHAT NODE"
lines), HAProxy's log and each node's request log:
- no queue row lost (deleted without having reached its terminal), none
  marked without having reached it, none delivered to another terminal;
- a call fails only when it was in flight at a node's kill (its start before
  the kill, its end after it) or overlapped the Firebird server's restart
  (from the moment it was told to stop until the nodes passed their health
  checks again, which reach the database); none fails while the nodes are
  upgraded;
- HAProxy marks the killed node DOWN within fall x inter of its checks and
  sends it nothing more until it is back;
- each node's request log has a line for every call HAProxy's log says the
  node answered (the health checks and the driver's WSDL aside), and more only for
  calls HAProxy sent elsewhere at the kill or whose HAProxy line it dropped.

Prints the figures as a Markdown table to copy into the README."""

import argparse
import collections
import datetime
import http.client
import os
import random
import re
import socket
import sys
import threading
import time
from urllib.parse import urlsplit

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lib'))

import soap_wire as wire  # noqa: E402
from e2e_checks import Checks  # noqa: E402
from firebird_db import Database  # noqa: E402

COMPANY = '1'
TERMINALS = [f'C{n:02d}' for n in range(1, 65)]
# Queue table, its import, its source table, the source's key (the record
# field that carries chave0) and a text column the writer fills.
TABLES = (('CADOPER', 'ImportaOperadores', 'Cadoper', 'Codoper', 'Nome'),
          ('VENDEND', 'ImportaVendedores', 'Vendend', 'Codvendedor', 'Nome'),
          ('FORNECE', 'ImportaFornecedores', 'Fornece', 'Codfornec', 'Nome'),
          ('PRODUTO', 'ImportaProdutos', 'Produto', 'Codprod', 'Descricao'))
STOCK = ('1', '7891000100103', 'UN')  # the demo data's stock of it: 42.5
BACKLOG = 5  # rows queued per terminal and table before the start

# The audit the soak shares: journals of every queue row and every marking
# that the database committed.
JOURNAL = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'stress', 'queue_journal.sql')


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--url', required=True, help='the program through the balancer, …/velmora.cgi')
    parser.add_argument('--db', required=True, help='the database location, for isql-fb')
    parser.add_argument('--out', required=True, help='directory: started, stop, events')
    parser.add_argument('--haproxy-log', required=True)
    parser.add_argument('--haproxy-socket', required=True, help="HAProxy's admin socket")
    parser.add_argument('--node', action='append', default=[], help='NAME=REQUEST_LOG, once per node')
    parser.add_argument('--down-within', type=float, required=True,
                        help='seconds HAProxy may take to mark a dead node down (fall x inter)')
    return parser.parse_args()


class Load:
    def __init__(self, url, db):
        parts = urlsplit(url)
        self.host, self.port, self.path = parts.hostname, parts.port, parts.path + '/soap/IVelmora'
        self.db = db
        self.calls = []  # (start, end, terminal, operation, error or None)
        self.delivered = set()  # (terminal, table, key)
        self.writer_failures = []  # (start, end, error)
        self.batches = 0
        self.calls_in_load = 0
        self.stop_writer = threading.Event()
        self.stop_terminals = threading.Event()

    def prepare(self):
        with open(JOURNAL) as source:
            self.db.run(source.read())
        fill = []
        for queue, _, source, key, text in TABLES:
            for ecf in TERMINALS:
                for n in range(1, BACKLOG + 1):
                    value = f'b{ecf}{n:04d}'
                    fill.append(f"INSERT INTO {source} ({key}, {text}) VALUES ('{value}', 'Carga {value}');")
                    fill.append(queue_row(ecf, queue, value, 'I', '08:00:00'))
        self.db.run('\n'.join(fill) + '\nCOMMIT;\n')

    def call(self, terminal, operation, *values, expect):
        """One call on a connection of its own: (True, answer) when expect(answer) holds."""
        body = wire.request_envelope(operation, values)
        headers = {'Content-Type': 'text/xml; charset=utf-8', 'SOAPAction': f'"{wire.SERVICE_NS}#{operation}"'}
        start, error, answer = time.time(), None, None
        try:
            connection = http.client.HTTPConnection(self.host, self.port, timeout=60)
            try:
                connection.request('POST', self.path, body, headers)
                reply = connection.getresponse()
                payload = reply.read()
            finally:
                connection.close()
            answer = wire.decode(payload, operation)
            if reply.status != 200 or isinstance(answer, wire.Fault):
                error = f'HTTP {reply.status}: {answer!r}'[:300]
            elif not expect(answer):
                error = f'unexpected answer {answer!r}'[:300]
        except Exception as failure:  # a refused or cut connection, a broken message
            error = f'{type(failure).__name__}: {failure}'[:300]
        self.calls.append((start, time.time(), terminal, operation, error))
        return error is None, answer

    def cycle(self, terminal, table):
        queue, operation, _, key, _ = table
        ok, records = self.call(terminal, operation, COMPANY, terminal, expect=lambda a: isinstance(a, list))
        if not ok:
            return False
        # The terminal's own database: what it received, by table and key.
        for record in records:
            self.delivered.add((terminal, queue, record[key]))
        ok, _ = self.call(terminal, 'DeletaIntegECF', COMPANY, terminal, queue, expect=lambda a: a is None)
        return ok and self.call(terminal, 'BuscaEstoque', *STOCK, expect=lambda a: a == 42.5)[0]

    def terminal(self, index):
        terminal = TERMINALS[index]
        turn = index
        while not self.stop_terminals.is_set():
            if not self.cycle(terminal, TABLES[turn % len(TABLES)]):
                time.sleep(0.2)  # a terminal waits a moment after a failed call
            turn += 1

    def writer(self):
        rng = random.Random(23)
        n = 0
        while not self.stop_writer.is_set():
            statements = []
            for _ in range(rng.randint(1, 16)):
                n += 1
                value = f'k{n:07d}'
                queue, _, source, key, text = rng.choice(TABLES)
                statements.append(f"UPDATE OR INSERT INTO {source} ({key}, {text}) VALUES ('{value}', "
                                  f"'Alterado {value}') MATCHING ({key});")
                statements.append(queue_row(rng.choice(TERMINALS), queue, value, 'A', '09:00:00'))
            start = time.time()
            try:
                self.db.run('\n'.join(statements) + '\nCOMMIT;\n')
                self.batches += 1
            except Exception as failure:
                self.writer_failures.append((start, time.time(), str(failure)[:200]))
                time.sleep(0.5)
            time.sleep(0.1)

    def drain(self):
        """Every terminal imports and acknowledges every table once more."""
        def one(terminal):
            for table in TABLES:
                for _ in range(5):
                    if self.cycle(terminal, table):
                        break
                    time.sleep(0.5)
        threads = [threading.Thread(target=one, args=(t,)) for t in TERMINALS]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()


def queue_row(ecf, queue, value, action, hour):
    return (f"INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual) "
            f"VALUES ('{COMPANY}', '{ecf}', '{queue}', '{value}', '{action}', 'TODAY', '{hour}');")


def cpu_times():
    with open('/proc/stat') as stat:
        fields = stat.readline().split()[1:]
    user, nice, system, idle, iowait = (int(v) for v in fields[:5])
    return user + nice, system, idle + iowait


def load_average():
    with open('/proc/loadavg') as source:
        return source.read().split()[0]


# --- Reading what the others wrote

def read_events(path):
    """[(time, what, node)] from the driver's events file."""
    events = []
    with open(path) as source:
        for line in source:
            when, what, *node = line.split()
            events.append((float(when), what, node[0] if node else ''))
    return events


def event(events, what, node=''):
    times = [when for when, name, which in events if name == what and (not node or which == node)]
    if not times:
        raise RuntimeError(f'the driver noted no "{what} {node}" event')
    return times[0]


# HAProxy's httplog line: [accept date] frontend backend/server
# TR/Tw/Tc/Tr/Ta status bytes cookies termination actconn/.../retries queues
# {captured SOAPAction: "urn:…#Operation" written #22urn:…#23Operation#22} "request"
HTTPLOG = re.compile(r'\[(\d\d/\w{3}/\d{4}:\d\d:\d\d:\d\d)\.(\d{3})\] \S+ [^/ ]+/(\S+) '
                     r'(-?\d+)/(-?\d+)/(-?\d+)/(-?\d+)/(-?\d+) (-?\d+) \S+ \S+ \S+ (\S{4}) '
                     r'\d+/\d+/\d+/\d+/(\+?)(\d+) \d+/\d+ (?:\{[^}]*?#23(\w+?)(?:#22)?\} )?"\S+ (\S+)')
STATE = re.compile(r'^(\S+) .*Server [^/ ]+/(\S+) is (UP|DOWN)')


def read_haproxy_log(path):
    """The terminals' calls (not the driver's WSDL) as (sent to the server, server, Tr, status,
    retries, redispatched, Tw: ms queued in HAProxy, operation) and state changes as (time,
    server, state)."""
    requests, states = [], []
    with open(path, errors='replace') as source:
        for line in source:
            match = HTTPLOG.search(line)
            if match:
                date, ms, server, tr_, tw, tc, tr, _, status, _, plus, retries, operation, path = match.groups()
                if '/wsdl/' in path:
                    continue
                accepted = time.mktime(time.strptime(date, '%d/%b/%Y:%H:%M:%S')) + int(ms) / 1000
                # Sent to the server once the request was read, queued and connected.
                sent = accepted + sum(max(0, int(v)) for v in (tr_, tw, tc)) / 1000
                requests.append((sent, server, int(tr), int(status), int(retries), plus == '+', int(tw),
                                 operation))
                continue
            match = STATE.search(line)
            if match:
                when = datetime.datetime.fromisoformat(match.group(1)).timestamp()
                states.append((when, match.group(2), match.group(3)))
    return requests, states


def calls_logged(path):
    """Lines of a request log by operation (its third word), apart from the
    health checks' and the driver's WSDL; and how many lines are too short to
    be a call's (blank, or cut)."""
    with open(path, errors='replace') as source:
        words = [line.split() for line in source]
    short = sum(1 for w in words if len(w) < 3)
    return collections.Counter(w[2] for w in words if len(w) >= 3 and w[2] != 'health' and '/wsdl/' not in w[2]), short


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))] if ordered else float('nan')


# --- The verdict

def dropped_logs(path):
    """HAProxy's count of log lines it could not write (show info)."""
    with socket.socket(socket.AF_UNIX) as admin:
        admin.connect(path)
        admin.sendall(b'show info\n')
        answer = b''.join(iter(lambda: admin.recv(65536), b''))
    for line in answer.decode().splitlines():
        if line.startswith('DroppedLogs:'):
            return int(line.split(':')[1])
    raise RuntimeError('HAProxy\'s show info has no DroppedLogs')


def tally(args, events):
    """HAProxy's log and the calls in each node's request log, read again until
    they agree (20 s at most): HAProxy writes a call's line as the call ends,
    a node may write its own after the answer, both perhaps after the terminal
    read it. A node may have more lines than HAProxy's log gives it: calls
    the killed node logged and whose answer HAProxy never got (it sent them
    elsewhere), and calls whose HAProxy line was dropped (DroppedLogs)."""
    killed = next(node for _, what, node in events if what == 'kill-begin')
    window = (event(events, 'kill-begin'), event(events, 'restarted', killed))
    for _ in range(40):
        dropped = dropped_logs(args.haproxy_socket)
        requests, states = read_haproxy_log(args.haproxy_log)
        retried_at_kill = sum(1 for r in requests if r[4] and window[0] <= r[0] <= window[1])
        nodes = {}
        for entry in args.node:
            name, path = entry.split('=', 1)
            answered = collections.Counter(r[7] for r in requests if r[1] == name and r[2] >= 0)
            logged, short = calls_logged(path)
            nodes[name] = (sum(answered.values()), sum(logged.values()), answered, logged, short)
        surplus = sum(logged - answered for answered, logged, *_ in nodes.values())
        if all(answered <= logged for answered, logged, *_ in nodes.values()) and \
                surplus <= dropped + retried_at_kill:
            break
        time.sleep(0.5)
    return requests, states, nodes, killed, retried_at_kill, dropped


def verdict(args, load, seconds, cpu, loads):
    checks = Checks('cluster: 3 web nodes behind HAProxy, one Firebird server')
    events = read_events(os.path.join(args.out, 'events'))
    requests, states, nodes, killed, retried_at_kill, dropped = tally(args, events)
    failed = [call for call in load.calls if call[4]]
    kill_begin, kill_end = event(events, 'kill-begin'), event(events, 'kill-end')
    fb_stop, fb_up = event(events, 'firebird-stop'), event(events, 'firebird-up')
    # Until the nodes pass their health checks again, HAProxy answers for them.
    nodes_up = event(events, 'nodes-up')
    upgrade_begin, upgrade_end = event(events, 'upgrade-begin'), event(events, 'upgrade-end')

    with checks.group('the queue: nothing lost, nothing marked that was not delivered'):
        ours = "WHERE ecf STARTING WITH 'C'"
        queued = set(load.db.rows(('ecf', 'tabela', 'chave0'), f'FROM queue_journal {ours}'))
        marked = set(load.db.rows(('ecf', 'tabela', 'chave0'), f'FROM marked_journal {ours}'))
        left = load.db.rows(('COUNT(*)',), f'FROM integecf {ours}')[0][0]
        lost = queued - load.delivered
        checks.true(f'{len(queued)} rows queued ({len(queued) - BACKLOG * len(TERMINALS) * len(TABLES)} during '
                    f'the run, {load.batches} batches), all delivered to their terminal',
                    queued and not lost, f'{len(lost)} lost, e.g. {sorted(lost)[:5]}')
        checks.true(f'every one of the {len(marked)} rows marked reached its terminal',
                    marked and not marked - load.delivered,
                    f'{len(marked - load.delivered)} marked, never delivered: {sorted(marked - load.delivered)[:5]}')
        checks.true('no terminal received a row queued for another', not load.delivered - queued,
                    f'{sorted(load.delivered - queued)[:5]}')
        checks.equal('the queue is empty after the last imports and acknowledgements', left, '0')
        late = [f for f in load.writer_failures if not (f[0] <= fb_up and f[1] >= fb_stop)]
        checks.true(f'the writer failed only while the database was down ({len(load.writer_failures)} batches)',
                    not late, f'{late[:3]}')

    def in_flight_at_kill(call):
        return call[0] <= kill_end and call[1] >= kill_begin

    def database_down(call):
        return call[0] <= nodes_up and call[1] >= fb_stop

    at_kill = [c for c in failed if in_flight_at_kill(c)]
    at_database = [c for c in failed if not in_flight_at_kill(c) and database_down(c)]
    other = [c for c in failed if not in_flight_at_kill(c) and not database_down(c)]
    during_upgrade = [c for c in failed if c[0] <= upgrade_end and c[1] >= upgrade_begin]
    with checks.group('failed calls: only those in flight at the kill or while the database was down'):
        checks.true(f'{len(load.calls)} calls, {len(failed)} failed: {len(at_kill)} in flight at the kill, '
                    f'{len(at_database)} while the database was down, no other', not other,
                    '\n'.join(f'{c[2]} {c[3]} {c[0]:.3f}-{c[1]:.3f}: {c[4]}' for c in other[:10]))
        checks.true('none while the nodes were upgraded one by one', not during_upgrade,
                    '\n'.join(f'{c[2]} {c[3]} {c[0]:.3f}-{c[1]:.3f}: {c[4]}' for c in during_upgrade[:10]))

    restarted = event(events, 'restarted', killed)
    down_after = float('nan')
    with checks.group(f'HAProxy and the killed node ({killed})'):
        downs = [when for when, server, state in states if server == killed and state == 'DOWN' and when >= kill_begin]
        checks.true('HAProxy logged it DOWN', downs, 'no DOWN line for it after the kill')
        if downs:
            down_after = downs[0] - kill_end
            checks.true(f'DOWN {down_after:.2f} s after the kill, within {args.down_within:g} s (fall x inter)',
                        down_after <= args.down_within)
            sent = [r for r in requests if r[1] == killed and downs[0] < r[0] < restarted]
            checks.true('nothing sent to it from then until it was started again', not sent, f'{sent[:5]}')
        ups = [when for when, server, state in states if server == killed and state == 'UP' and when >= restarted]
        checks.true('UP again after its restart', ups)

    with checks.group("each node's request log: a line for every call it answered"):
        for name, (answered, logged, by_operation, logged_by_operation, short) in nodes.items():
            checks.true(f'{name}: every line is a whole call line', not short, f'{short} blank or cut lines')
            checks.true(f'{name}: {logged} lines for the {answered} calls HAProxy logged it answered',
                        answered <= logged, 'by operation, answered / logged: ' + ', '.join(
                            f'{op} {by_operation[op]} / {logged_by_operation[op]}'
                            for op in sorted(set(by_operation) | set(logged_by_operation))))
        surplus = sum(logged - answered for answered, logged, *_ in nodes.values())
        checks.true(f'{surplus} lines more in all: no more than the {retried_at_kill} calls HAProxy sent elsewhere '
                    f'at the kill and the {dropped} lines HAProxy dropped', surplus <= retried_at_kill + dropped)

    answered = [c[1] - c[0] for c in load.calls if not c[4]]
    rate = load.calls_in_load / seconds
    user, system, idle = cpu
    busy = user + system + idle
    retried = sum(1 for r in requests if r[4])
    queued = [r[6] for r in requests if r[6] >= 0]
    print(f'''
Figures (load average {loads[0]} at the start, {loads[1]} at the end; CPU of the whole machine during the
run {100 * user / busy:.0f} % user, {100 * system / busy:.0f} % system; {os.cpu_count()} cores):

| what | measured |
|---|---|
| terminals, each call on a new connection | {len(TERMINALS)} |
| load | {seconds:.0f} s, {load.calls_in_load} calls, {rate:.0f} calls/s through the balancer |
| answer time, p50 / p99 | {1000 * percentile(answered, 0.5):.0f} ms / {1000 * percentile(answered, 0.99):.0f} ms |
| of which waiting in HAProxy's queue, p50 / p99 | {percentile(queued, 0.5):.0f} ms / {percentile(queued, 0.99):.0f} ms |
| failed at the kill ({killed}, SIGKILL) | {len(at_kill)}; HAProxy retried {retried_at_kill} elsewhere |
| marked DOWN after the kill | {down_after:.2f} s |
| failed while the Firebird server restarted ({fb_up - fb_stop:.1f} s) and until the nodes passed their health checks again ({nodes_up - fb_up:.1f} s more) | {len(at_database)} |
| failed during the rolling upgrade ({upgrade_end - upgrade_begin:.0f} s) | {len(during_upgrade)} |
| retried by HAProxy in all | {retried} |
''', flush=True)
    checks.finish()


def main():
    args = arguments()
    load = Load(args.url, Database(args.db))
    load.prepare()
    threads = [threading.Thread(target=load.terminal, args=(i,)) for i in range(len(TERMINALS))]
    writer = threading.Thread(target=load.writer)
    loads = [load_average()]
    cpu_before = cpu_times()
    started = time.time()
    writer.start()
    for thread in threads:
        thread.start()
    with open(os.path.join(args.out, 'started'), 'w') as out:
        out.write(f'{started:.6f}\n')
    stop = os.path.join(args.out, 'stop')
    while not os.path.exists(stop):
        time.sleep(0.2)
    load.stop_writer.set()
    writer.join()
    load.stop_terminals.set()
    for thread in threads:
        thread.join()
    seconds = time.time() - started
    load.calls_in_load = len(load.calls)
    cpu = tuple(after - before for after, before in zip(cpu_times(), cpu_before))
    loads.append(load_average())
    load.drain()
    verdict(args, load, seconds, cpu, loads)


if __name__ == '__main__':
    main()
