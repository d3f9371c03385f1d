#!/usr/bin/env python3
"""The service behind a web server that terminates TLS and admits one
address: a caller from another address is refused before the program runs
(nothing marked, nothing deleted), the WSDL announces the https:// service
address, and PHP's SoapClient, verifying the server's certificate, works
through it.

Run by tls_access_test.sh, which starts the web server:
  tls_access.py --base https://127.0.0.1:PORT --cafile CERT --refused-from ADDRESS --db DATABASE --out DIR"""

import argparse
import os
import sys
from xml.dom import minidom

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, 'lib'))

import demo_expectations as demo  # noqa: E402
import soap_wire as wire  # noqa: E402
from client_sync import differences, run_client  # noqa: E402
from e2e_checks import Checks  # noqa: E402
from firebird_db import Database  # noqa: E402

WSDL_NS = 'http://schemas.xmlsoap.org/wsdl/soap/'


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--base', required=True)
    parser.add_argument('--cafile', required=True)
    parser.add_argument('--refused-from', required=True)
    parser.add_argument('--db', required=True)
    parser.add_argument('--out', required=True)
    return parser.parse_args()


def service_addresses(wsdl):
    document = minidom.parseString(wsdl)
    return [node.getAttribute('location') for node in document.getElementsByTagNameNS(WSDL_NS, 'address')]


def main():
    args = arguments()
    checks = Checks('TLS and access by address')
    db = Database(args.db)
    script = args.base + '/velmora.cgi'
    wsdl = script + '/wsdl/IVelmora'
    trusted = ('--cacert', args.cafile)
    refused = trusted + ('--interface', args.refused_from)

    with checks.group(f'a caller from {args.refused_from} is refused'):
        # Products delivered and marked, so an acknowledgement would delete them.
        reply = wire.post(script, 'ImportaProdutos', demo.COMPANY, demo.TERMINAL, curl=trusted)
        checks.equal('the allowed address imports products', reply.status, 200)
        queue = db.queue()
        checks.true('the delivered product rows are marked',
                    any(row[3] == 'PRODUTO' and row[6] == 'X' for row in queue), repr(queue))
        calls = {'DeletaIntegECF': (demo.COMPANY, demo.TERMINAL, 'PRODUTO'),
                 'ImportaOperadores': (demo.COMPANY, demo.TERMINAL)}
        for operation, values in calls.items():
            reply = wire.post(script, operation, *values, curl=refused)
            checks.equal(f'{operation}: 403', reply.status, 403)
            checks.true(f'{operation}: no SOAP envelope', b'Envelope' not in reply.body, reply.body[:300])
        checks.equal('the WSDL: 403', wire.http(wsdl, curl=refused).status, 403)
        checks.equal('nothing marked, nothing deleted', db.queue(), queue)

    with checks.group('the WSDL announces the https:// address'):
        reply = wire.http(wsdl, curl=trusted)
        checks.equal('the WSDL: 200', reply.status, 200)
        checks.equal('service address', service_addresses(reply.body), [script + '/soap/IVelmora'])

    with checks.group("PHP's SoapClient over https"):
        reference = wire.decode(wire.post(script, 'ImportaOperadores', demo.COMPANY, demo.TERMINAL,
                                          curl=trusted).body, 'ImportaOperadores')
        (stock, amount) = demo.STOCK[0]
        plan = [('ImportaOperadores', (demo.COMPANY, demo.TERMINAL)),
                ('BuscaEstoque', stock),
                ('DeletaIntegECF', (demo.COMPANY, demo.TERMINAL, 'CADOPER')),
                ('ImportaOperadores', (demo.COMPANY, demo.TERMINAL))]
        calls = run_client('php', args.out, 'tls', wsdl, plan, cafile=args.cafile)['calls']
        checks.equal('no call failed', [(c['op'], c['fault']) for c in calls if c['fault']], [])
        checks.true('operators as the demo data says', reference and not demo.compare(
            demo.IMPORTS['ImportaOperadores'], reference), repr(reference)[:300])
        checks.equal('operators decoded as on the wire',
                     differences(calls[0]['result'], reference, 'ImportaOperadores')[:10], [])
        checks.equal(f'BuscaEstoque{stock}', differences(calls[1]['result'], amount), [])
        checks.equal('after the acknowledgement no operator is pending', calls[3]['result'], [])

    with checks.group('the certificate is checked'):
        try:
            run_client('php', args.out, 'untrusted', wsdl, plan[:1])
            checks.true('SoapClient without the certificate is refused', False, 'it loaded the WSDL')
        except RuntimeError as error:
            # PHP names no reason: only that the WSDL could not be loaded.
            checks.true('SoapClient without the certificate is refused',
                        "Couldn't load from" in str(error), str(error)[:600])
    checks.finish()


if __name__ == '__main__':
    main()
