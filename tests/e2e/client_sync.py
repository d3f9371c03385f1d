#!/usr/bin/env python3
"""A real SOAP client from Debian's packages (PHP's SoapClient or Perl's
SOAP::Lite), knowing the service only from its WSDL, calls all thirteen
operations: every import, stock, the acknowledgement, an import after it,
and calls that fail because the database cannot be reached. What the client
decodes must equal what the wire carries (read independently) and the demo
data, and faults must reach it with their Portuguese text.

Run by client_sync_test.sh, which starts the web server:
  client_sync.py --client php|perl --base http://127.0.0.1:PORT --db DATABASE --out DIR"""

import argparse
import json
import math
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, 'lib'))

import demo_expectations as demo  # noqa: E402
import soap_wire as wire  # noqa: E402
from e2e_checks import Checks  # noqa: E402
from firebird_db import Database  # noqa: E402

CONNECT_FAILED = 'Impossível conectar ao banco de dados pelo seguinte motivo: \r'
CLIENTS = {
    # command, whether records keep their field order
    'php': (['php', os.path.join(here, 'php_client.php')], True),
    'perl': (['perl', os.path.join(here, 'perl_client.pl')], False),
}


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--client', required=True, choices=sorted(CLIENTS))
    parser.add_argument('--base', required=True)
    parser.add_argument('--db', required=True)
    parser.add_argument('--out', required=True)
    return parser.parse_args()


def run_client(client, out, name, wsdl, calls, **options):
    """Runs the client on a plan (options: more of the plan's keys, e.g.
    cafile); returns its list of calls."""
    command, _ = CLIENTS[client]
    plan_file = os.path.join(out, f'{client}-{name}-plan.json')
    result_file = os.path.join(out, f'{client}-{name}-result.json')
    with open(plan_file, 'w', encoding='utf-8') as plan:
        json.dump({'wsdl': wsdl, 'calls': [[op, list(args)] for op, args in calls], **options}, plan)
    done = subprocess.run(command + [plan_file, result_file], capture_output=True, text=True, timeout=150)
    if done.returncode != 0 or not os.path.exists(result_file):
        raise RuntimeError(f'{client} client failed ({done.returncode}):\n{done.stdout}{done.stderr}')
    if done.stderr.strip():
        print(f'   ({client} said: {done.stderr.strip()[:500]})')
    with open(result_file, encoding='utf-8') as result:
        return json.load(result)


def is_number(value):
    try:
        float(value)
        return not isinstance(value, bool)
    except (TypeError, ValueError):
        return False


def differences(client_value, wire_value, path='', keeps_order=True):
    """Where a value the client decoded differs from the wire's, as lines.
    Numbers may arrive as texts (Perl keeps scalars), but must mean the same."""
    if isinstance(wire_value, list):
        if not isinstance(client_value, list):
            return [f'{path}: expected a list of {len(wire_value)}, got {client_value!r}'[:300]]
        if len(client_value) != len(wire_value):
            return [f'{path}: {len(client_value)} records, the wire has {len(wire_value)}']
        found = []
        for index, (mine, theirs) in enumerate(zip(client_value, wire_value)):
            found += differences(mine, theirs, f'{path}[{index}]', keeps_order)
        return found
    if isinstance(wire_value, dict):
        if not isinstance(client_value, dict):
            return [f'{path}: expected a record, got {client_value!r}'[:300]]
        if keeps_order and list(client_value) != list(wire_value):
            return [f'{path}: fields {list(client_value)}, the wire has {list(wire_value)}']
        if set(client_value) != set(wire_value):
            return [f'{path}: fields differ: only the client has {sorted(set(client_value) - set(wire_value))},'
                    f' only the wire has {sorted(set(wire_value) - set(client_value))}']
        found = []
        for name, theirs in wire_value.items():
            found += differences(client_value[name], theirs, f'{path}.{name}', keeps_order)
        return found
    if isinstance(wire_value, (int, float)):
        try:
            same = (not isinstance(client_value, bool) and
                    (float(client_value) == wire_value or
                     math.isnan(float(client_value)) and math.isnan(wire_value)))
        except (TypeError, ValueError):
            same = False
        return [] if same else [f'{path}: {client_value!r}, the wire has {wire_value!r}']
    return [] if client_value == wire_value else [f'{path}: {client_value!r}, the wire has {wire_value!r}']


def main():
    args = arguments()
    checks = Checks(f'{args.client} client through its WSDL')
    keeps_order = CLIENTS[args.client][1]
    db = Database(args.db)
    script = args.base + '/velmora.cgi'
    wsdl = script + '/wsdl/IVelmora'

    reference = {}
    with checks.group('the wire, read independently'):
        for operation, expected in demo.IMPORTS.items():
            value = wire.decode(wire.post(script, operation, demo.COMPANY, demo.TERMINAL).body, operation)
            reference[operation] = value
            checks.equal(f'{operation}: as the demo data says', demo.compare(expected, value), [])

    imports = [(operation, (demo.COMPANY, demo.TERMINAL)) for operation in wire.IMPORTS]
    plan = (imports
            + [('ImportaOperadores', ('9', '999'))]
            + [('BuscaEstoque', values) for values, _ in demo.STOCK]
            + [('BuscaEstoque', values) for values in demo.STOCK_MISSING]
            + [('DeletaIntegECF', (demo.COMPANY, demo.TERMINAL, 'CADOPER')),
               ('ImportaOperadores', (demo.COMPANY, demo.TERMINAL))])
    queue_before = db.queue()
    calls = []
    with checks.group(f'{args.client} calls every operation'):
        result = run_client(args.client, args.out, 'service', wsdl, plan)
        calls = result['calls']
        checks.equal('the client made every call', [(c['op'], tuple(c['args'])) for c in calls],
                     [(op, tuple(values)) for op, values in plan])
        if 'functions' in result:
            names = sorted(f.split('(')[0].split()[-1] for f in result['functions'])
            checks.equal('the client read the thirteen operations from the WSDL', names,
                         sorted(wire.PARAMETERS))
            checks.true('the client reads BuscaEstoque as a double and DeletaIntegECF as void',
                        any(f.startswith('double BuscaEstoque(') for f in result['functions'])
                        and any(f.startswith('void DeletaIntegECF(') for f in result['functions']),
                        repr(result['functions']))
    faults = [c for c in calls if c['fault']]
    checks.equal('no call failed', [(c['op'], c['args'], c['fault']) for c in faults], [])

    by_call = iter(calls)
    with checks.group(f'what {args.client} decoded'):
        for operation, _ in imports:
            call = next(by_call)
            checks.equal(f'{operation}: every record and field as on the wire',
                         differences(call['result'], reference[operation], operation, keeps_order)[:10], [])
        call = next(by_call)
        checks.equal('an import with nothing pending decodes as an empty list', call['result'], [])
        for values, amount in demo.STOCK:
            call = next(by_call)
            checks.equal(f'BuscaEstoque{values}', differences(call['result'], amount), [])
        for values in demo.STOCK_MISSING:
            call = next(by_call)
            checks.true(f'BuscaEstoque{values} without a stock row decodes as a number',
                        is_number(call['result']), repr(call['result']))
        call = next(by_call)
        checks.true('DeletaIntegECF returns nothing', call['result'] in (None, '', []), repr(call['result']))
        call = next(by_call)
        checks.equal('ImportaOperadores after the acknowledgement brings nothing', call['result'], [])

    with checks.group('the acknowledgement in the database'):
        mine = lambda row: row[1:4] == (demo.COMPANY, demo.TERMINAL, 'CADOPER')  # noqa: E731
        checks.equal("the terminal's delivered operator rows are gone, nothing else changed",
                     db.queue(), [row for row in queue_before if not mine(row)])

    with checks.group(f'faults reach {args.client}'):
        before = db.queue()
        failing = [('ImportaOperadores', (demo.COMPANY, '002')),
                   ('BuscaEstoque', demo.STOCK[0][0]),
                   ('DeletaIntegECF', (demo.COMPANY, '002', 'PRODUTO'))]
        result = run_client(args.client, args.out, 'broken', args.base + '/broken.cgi/wsdl/IVelmora', failing)
        for call in result['calls']:
            fault = call['fault'] or {}
            checks.true(f'{call["op"]}: a fault, not a result', bool(fault), repr(call['result'])[:300])
            checks.true(f'{call["op"]}: server fault code', str(fault.get('code', '')).endswith('Server'),
                        repr(fault.get('code')))
            checks.true(f'{call["op"]}: the Portuguese text, carriage return included',
                        str(fault.get('string', '')).startswith(CONNECT_FAILED), repr(fault.get('string')))
        checks.equal('the queue is unchanged', db.queue(), before)

    if args.client == 'php':
        with checks.group('php takes the imports gzip-compressed (SOAP_COMPRESSION_ACCEPT)'):
            packed = [('ImportaProdutos', (demo.COMPANY, demo.TERMINAL)),
                      ('ImportaClientes', (demo.COMPANY, demo.TERMINAL))]
            result = run_client(args.client, args.out, 'compressed', wsdl, packed, compression=True)
            for call in result['calls']:
                checks.true(f'{call["op"]}: the answer came gzip-compressed',
                            'content-encoding: gzip' in (call.get('headers') or '').lower(), call.get('headers'))
                checks.equal(f'{call["op"]}: decoded, every record and field as on the wire',
                             differences(call['result'], reference[call['op']], call['op'], keeps_order)[:10], [])
    checks.finish()


if __name__ == '__main__':
    main()
