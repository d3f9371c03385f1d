#!/usr/bin/env python3
"""The request log through mtail, as an operator wires it: real calls through
a web server (lighttpd, the program in FastCGI mode) write the log, mtail runs the package's program over it, and the
values read back from mtail's /metrics must be those of the calls made. Then
promtool checks both metric outputs: mtail's and velmora-admin's queue.

Run by monitoring_test.sh, which starts the web server and mtail:
  monitoring.py --base URL --log FILE --metrics URL --admin PROGRAM --ini INI"""

import argparse
import datetime
import os
import re
import subprocess
import sys
import time
from collections import Counter, defaultdict

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lib'))

import soap_wire as wire  # noqa: E402
from e2e_checks import Checks  # noqa: E402

# time address what company terminal table rows bytes ms outcome
LOG_LINE = re.compile(r'^(\S+) \S+ (\S+) (\S+) (\S+) (\S+) (\d+|-) (\d+) (\d+) (.*)$')
SAMPLE = re.compile(r'^(\w+)(?:\{(.*)\})? (\S+)$')
LABEL = re.compile(r'(\w+)="((?:[^"\\]|\\.)*)"')


def arguments():
    parser = argparse.ArgumentParser()
    for name in ('base', 'log', 'metrics', 'admin', 'ini'):
        parser.add_argument('--' + name, required=True)
    return parser.parse_args()


def make_calls(base):
    """The calls of two terminals and two strangers; returns what each was:
    (operation label, outcome label, table, rows delivered)."""
    service = base + '/velmora.cgi'
    calls = []

    def call(operation, *values, script=service, expect_fault=False):
        reply = wire.post(script, operation, *values)
        result = wire.decode(reply.body, operation)
        fault = isinstance(result, wire.Fault)
        if fault != expect_fault:
            raise AssertionError(f'{operation}{values}: {result!r}')
        rows = len(result) if isinstance(result, list) else None
        table = values[2] if operation == 'DeletaIntegECF' else None
        calls.append((operation, 'fault' if fault else 'ok', table, rows))
        return result

    # Terminal 001 imports products twice (not acknowledged: the same rows
    # again), operators once and acknowledges them; terminal 002 asks stock.
    for _ in range(2):
        call('ImportaProdutos', '1', '001')
    call('ImportaOperadores', '1', '001')
    call('DeletaIntegECF', '1', '001', 'CADOPER')
    for product in ('P1', 'P2', 'nothing'):
        call('BuscaEstoque', '1', product, '0')
    # A copy of the program whose INI names a missing database: a
    # connection fault.
    call('ImportaClientes', '1', '003', script=base + '/broken.cgi', expect_fault=True)
    # A method the service does not have: the dispatcher's fault, logged
    # under the path.
    envelope = wire.request_envelope('Nada', ['1'], names=['PCodEmpresa'])
    wire.http(service + '/soap/IVelmora', 'POST', envelope, ['Content-Type: text/xml; charset=utf-8'])
    calls.append(('other', 'fault', None, None))
    # The WSDL: another path, answered.
    wire.http(service + '/wsdl/IVelmora')
    calls.append(('other', 'ok', None, None))
    # A terminal code with a control character and a company code too long
    # for its field: escaped and cut in the log, and still one line mtail reads.
    call('ImportaClientes', '9' * 300, 'E\u0085 01')
    # The health path, answered and failing: no call's fault.
    for script, status, outcome in ((service, 200, 'ok'), (base + '/broken.cgi', 503, 'fault')):
        reply = wire.http(script + '/health')
        if reply.status != status:
            raise AssertionError(f'{script}/health: status {reply.status}, {reply.body!r}')
        calls.append(('health', outcome, None, None))
    return calls


def read_log(path):
    with open(path, encoding='utf-8') as source:
        return [LOG_LINE.match(line.rstrip('\n')) for line in source]


def scrape(url):
    """{(name, frozenset(labels without prog)): value}"""
    text = subprocess.run(['curl', '-sS', '--max-time', '10', url], capture_output=True, text=True,
                          check=True).stdout
    samples = {}
    for line in text.splitlines():
        match = SAMPLE.match(line)
        if not match or not match.group(1).startswith('velmora_'):
            continue
        labels = frozenset((k, v) for k, v in LABEL.findall(match.group(2) or '') if k != 'prog')
        samples[(match.group(1), labels)] = float(match.group(3))
    return text, samples


def value(samples, name, **labels):
    return samples.get((name, frozenset(labels.items())))


def promtool_check(checks, what, text):
    done = subprocess.run(['promtool', 'check', 'metrics'], input=text, capture_output=True, text=True,
                          timeout=60)
    checks.true(f'promtool check metrics passes on {what}', done.returncode == 0,
                done.stdout + done.stderr)


def main():
    args = arguments()
    checks = Checks('request log -> mtail -> /metrics')
    started = time.time()
    calls = make_calls(args.base)
    ended = time.time()

    with checks.group('the log has a line per call'):
        # A CGI process writes its line after its answer: the last may come late.
        for _ in range(50):
            lines = read_log(args.log)
            if len(lines) >= len(calls):
                break
            time.sleep(0.2)
        checks.true('one line per call', len(lines) == len(calls),
                    f'{len(lines)} lines for {len(calls)} calls: ' + ', '.join(l.group(2) for l in lines if l))
        checks.true('every line in the documented form', all(lines), f'{lines}')

    with checks.group('mtail has read every line'):
        for _ in range(100):
            text, samples = scrape(args.metrics)
            read = sum(v for (name, _), v in samples.items() if name == 'velmora_requests_total')
            if read >= len(lines):
                break
            time.sleep(0.2)
        checks.equal('requests counted', read, len(lines))

    with checks.group('requests by operation and outcome'):
        for (operation, outcome), count in sorted(Counter((c[0], c[1]) for c in calls).items()):
            checks.equal(f'{operation} {outcome}',
                         value(samples, 'velmora_requests_total', operation=operation, outcome=outcome), count)

    with checks.group('faults by kind'):
        checks.equal('connection', value(samples, 'velmora_faults_total', kind='connection'), 1)
        checks.equal('dispatcher', value(samples, 'velmora_faults_total', kind='dispatcher'), 1)
        checks.equal('no other kind', sorted(dict(l)['kind'] for n, l in samples if n == 'velmora_faults_total'),
                     ['connection', 'dispatcher'])

    with checks.group('rows delivered, bytes sent and durations, against the calls and the log'):
        rows = defaultdict(int)
        for operation, _, _, delivered in calls:
            if delivered:
                rows[{'ImportaProdutos': 'PRODUTO', 'ImportaOperadores': 'CADOPER'}[operation]] += delivered
        checks.true('imports delivered rows', rows['PRODUTO'] > 0 and rows['CADOPER'] > 0, f'{rows}')
        for table, count in rows.items():
            checks.equal(f'rows of {table}', value(samples, 'velmora_rows_delivered_total', table=table), count)
        sent, took, made = defaultdict(int), defaultdict(int), Counter()
        for line in lines:
            what = line.group(2) if re.fullmatch('[A-Za-z]+', line.group(2)) else 'other'
            sent[what] += int(line.group(7))
            took[what] += int(line.group(8)) or 0.5  # under a millisecond: half of one
            made[what] += 1
        for operation in sorted(made):
            checks.equal(f'bytes of {operation}', value(samples, 'velmora_bytes_sent_total', operation=operation),
                         sent[operation])
            checks.equal(f'durations of {operation} counted',
                         value(samples, 'velmora_request_duration_seconds_count', operation=operation),
                         made[operation])
            total = value(samples, 'velmora_request_duration_seconds_sum', operation=operation)
            checks.true(f'durations of {operation} summed', abs(total - took[operation] / 1000) < 1e-6,
                        f'{total} against {took[operation]} ms')
            checks.equal(f'{operation} in the +Inf bucket',
                         value(samples, 'velmora_request_duration_seconds_bucket', operation=operation, le='+Inf'),
                         made[operation])

    with checks.group('the last call of each company and terminal'):
        pairs = {(l.group(3), l.group(4)) for l in lines if l.group(3) != '-' and l.group(4) != '-'}
        checks.equal('terminals seen', sorted(pairs), [('1', '001'), ('1', '003'), ('9' * 252 + '%...', 'E%C2%85%2001')])
        for company, terminal in sorted(pairs):
            last = max(datetime.datetime.fromisoformat(l.group(1)).timestamp() for l in lines
                       if (l.group(3), l.group(4)) == (company, terminal))
            seen = value(samples, 'velmora_last_call_timestamp_seconds', company=company, terminal=terminal)
            checks.equal(f'{company}/{terminal} at its last line', seen, last)
            checks.true(f'{company}/{terminal} while the calls ran', started - 1 <= seen <= ended + 1,
                        f'{seen} not in [{started}, {ended}]')

    with checks.group('both outputs pass promtool'):
        promtool_check(checks, "mtail's /metrics", text)
        done = subprocess.run([args.admin, 'queue', '--format', 'prometheus', args.ini], capture_output=True,
                              text=True, timeout=60)
        checks.equal('velmora-admin queue exits 0', done.returncode, 0)
        promtool_check(checks, 'velmora-admin queue --format prometheus', done.stdout)
        # Products were delivered and not acknowledged; operators were.
        checks.true('delivered products wait for their acknowledgement',
                    'velmora_queue_delivered_rows{company="1",terminal="001",table="PRODUTO"} 0\n'
                    not in done.stdout and 'table="PRODUTO"' in done.stdout, done.stdout)
        checks.true('acknowledged operators are gone',
                    'velmora_queue_delivered_rows{company="1",terminal="001",table="CADOPER"}' not in done.stdout,
                    done.stdout)

    checks.finish()


if __name__ == '__main__':
    main()
