#!/usr/bin/env python3
"""Calls of a dozen terminals for some minutes, for scripts/monitoring-picture:
imports, stock queries and acknowledgements through the web server, with a
stretch in the middle where some calls reach a copy of the program whose
database is missing (connection faults), so that the graphs show calls by
operation and a fault burst.

  monitoring_traffic.py --base URL --seconds N"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'e2e', 'lib'))

import soap_wire as wire  # noqa: E402

TERMINALS = [f'{n:03d}' for n in range(1, 13)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--base', required=True)
    parser.add_argument('--seconds', type=float, required=True)
    args = parser.parse_args()
    service, broken = args.base + '/velmora.cgi', args.base + '/broken.cgi'
    start = time.time()
    calls = 0
    while time.time() - start < args.seconds:
        third = int(3 * (time.time() - start) / args.seconds)
        for i, terminal in enumerate(TERMINALS):
            script = broken if third == 1 and i % 4 == 0 else service
            wire.post(script, 'ImportaProdutos', '1', terminal)
            wire.post(script, 'BuscaEstoque', '1', f'P{i}', '0')
            wire.post(script, 'BuscaEstoque', '1', f'P{i + 1}', '0')
            if calls % 3 == 0:
                wire.post(script, 'ImportaClientes', '1', terminal)
                wire.post(script, 'DeletaIntegECF', '1', terminal, 'PRODUTO')
            calls += 1
            time.sleep(0.05)
    print(f'monitoring_traffic: {calls} rounds in {time.time() - start:.0f} s')


if __name__ == '__main__':
    main()
