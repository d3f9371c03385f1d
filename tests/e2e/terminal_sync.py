#!/usr/bin/env python3
"""A terminal's day against the service behind a real web server, spoken in
raw SOAP through curl and checked against the database through isql-fb:
description and routing, importing operators, acknowledging them, importing
again, stock, every import, answers compressed for a client that takes gzip,
the faults of an unreachable database and of a failing acknowledgement, and
a line in the request log for each of a burst of mixed requests.

Run by terminal_sync_test.sh, which starts the web server:
  terminal_sync.py --server NAME --base http://127.0.0.1:PORT --db DATABASE
                   --log REQUEST_LOG --log-requests COUNT"""

import argparse
import hashlib
import os
import re
import sys
import time
import urllib.error
import urllib.request
import zlib
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lib'))

import demo_expectations as demo  # noqa: E402
import soap_wire as wire  # noqa: E402
from e2e_checks import Checks  # noqa: E402
from firebird_db import Database  # noqa: E402

CONNECT_FAILED = 'Impossível conectar ao banco de dados pelo seguinte motivo: \r'
DELETE_FAILED = 'Ocorreu um erro ao tentar deletar os dados IntegECG.\rMotivo: '
OPERATOR_COLUMNS = ('Codoper', 'Nome', 'Senha', 'Sangria', 'Cancelaitem', 'Cancelavenda', 'Leiturax',
                    'Leituraz', 'Leituramemoria', 'Aberturagaveta', 'Cancelaatual', 'Usuario',
                    'Historicocliente', 'Liquidadocurec')


def arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument('--server', required=True)
    parser.add_argument('--base', required=True)
    parser.add_argument('--db', required=True)
    parser.add_argument('--log', required=True)
    parser.add_argument('--log-requests', type=int, required=True)
    return parser.parse_args()


class Terminal:
    """Calls of one terminal, each checked for the exact head of a SOAP answer."""

    def __init__(self, checks, script_url):
        self.checks = checks
        self.url = script_url

    def call(self, operation, *values, status=200):
        reply = wire.post(self.url, operation, *values)
        what = f'{operation}{values}'
        self.checks.equal(f'{what}: HTTP status', reply.status, status)
        head(self.checks, what, reply, 'text/xml')
        return wire.decode(reply.body, operation)


def head(checks, what, reply, content_type):
    checks.equal(f'{what}: Content-Type', reply.header('Content-Type'), [content_type])
    lengths = reply.header('Content-Length')
    if lengths:
        checks.equal(f'{what}: Content-Length is the body size', lengths, [str(len(reply.body))])


def records_of(checks, what, value):
    if not checks.true(f'{what}: an array of records', isinstance(value, list), f'got {value!r}'):
        return []
    return value


def description(checks, base, server):
    script = base + '/velmora.cgi'
    wsdl = wire.http(script + '/wsdl/IVelmora')
    checks.equal('GET /wsdl/IVelmora: HTTP status', wsdl.status, 200)
    head(checks, 'GET /wsdl/IVelmora', wsdl, 'text/xml')
    text = wsdl.text()
    # The address is built from HTTP_HOST and SCRIPT_NAME as this server sets them.
    checks.true(f'the WSDL names the SOAP address under {server}',
                f'location="{script}/soap/IVelmora"' in text,
                f'no location="{script}/soap/IVelmora" in the WSDL')
    types = wire.wsdl_record_types(wsdl.body)
    checks.equal('the WSDL describes the eleven record types',
                 sorted(types), sorted(e.record for e in demo.IMPORTS.values()))

    for path in ('', '/', '/soap/IVelmora', '/unknown'):
        page = wire.http(script + path)
        checks.equal(f'GET "{path}": HTTP status', page.status, 200)
        head(checks, f'GET "{path}"', page, 'text/html')
        checks.true(f'GET "{path}" is the service page', 'Service Info Page' in page.text(),
                    page.text()[:300])

    # PATH_INFO must arrive exactly: "/soap" alone names no interface.
    reply = wire.post(script, 'ImportaOperadores', '1', '001', path='/soap', action='')
    checks.equal('POST /soap without SOAP action: HTTP status', reply.status, 500)
    head(checks, 'POST /soap without SOAP action', reply, 'text/xml')
    fault = wire.decode(reply.body, 'ImportaOperadores')
    checks.equal('POST /soap without SOAP action: fault text',
                 getattr(fault, 'string', fault), "No interface  registered for URL '/soap'")
    # Without a SOAP action the path alone chooses the interface.
    reply = wire.post(script, 'BuscaEstoque', '1', '7891000100103', 'UN', action='')
    checks.equal('POST /soap/IVelmora without SOAP action answers',
                 (reply.status, wire.decode(reply.body, 'BuscaEstoque')), (200, 42.5))
    return types


def check_shape(checks, what, records, types, expected):
    shapes = {tuple(wire.record_shape(r)) for r in records}
    checks.equal(f'{what}: records have the fields and types of {expected.record} in the WSDL',
                 shapes or {tuple(types[expected.record])}, {tuple(types[expected.record])})
    checks.equal(f'{what}: record type on the wire', {r.type_name for r in records} or {expected.record},
                 {expected.record})


def operators_day(checks, terminal, db, types):
    expected = demo.IMPORTS['ImportaOperadores']
    before = db.queue()
    records = records_of(checks, 'ImportaOperadores', terminal.call('ImportaOperadores', '1', '001'))
    checks.equal('operators delivered as the demo data says', demo.compare(expected, records), [])
    check_shape(checks, 'ImportaOperadores', records, types, expected)

    stored = {row[0]: row for row in db.rows(OPERATOR_COLUMNS, 'FROM Cadoper')}
    for record in records:
        row = stored[record['Codoper']]
        want = {name: (int(value or 0) if name == 'Historicocliente' else value or '')
                for name, value in zip(OPERATOR_COLUMNS, row)}
        got = {name: record[name] for name in OPERATOR_COLUMNS}
        checks.equal(f'operator {record["Codoper"]} ({record["Acao"]}) equals its row in Cadoper', got, want)

    mine = lambda row: row[1:4] == ('1', '001', 'CADOPER')  # noqa: E731
    after = db.queue()
    checks.equal('the import marked every queue row of the terminal and table, unjoined ones too',
                 [row[6] for row in after if mine(row)], ['X'] * sum(map(mine, before)))
    checks.equal('the import changed no other queue row',
                 [row for row in after if not mine(row)], [row for row in before if not mine(row)])

    # Another program queues a change between the import and the acknowledgement.
    db.run("INSERT INTO integecf (codempresa, ecf, tabela, chave0, acao, dataatual, horaatual)"
           " VALUES ('1', '001', 'CADOPER', '4', 'A', '2023-03-10', '08:00:00'); COMMIT;")
    queued = db.queue()
    late = [row for row in queued if row not in after]

    result = terminal.call('DeletaIntegECF', '1', '001', 'CADOPER')
    checks.equal('DeletaIntegECF answers an empty response', result, None)
    checks.equal('DeletaIntegECF removed exactly the delivered rows of the terminal and table',
                 db.queue(), [row for row in queued if not mine(row) or row in late])

    again = records_of(checks, 'second ImportaOperadores', terminal.call('ImportaOperadores', '1', '001'))
    checks.equal('the next import brings only what was queued since',
                 [(r['Codoper'], r['Acao'], r['Nome']) for r in again], [('4', 'A', 'Caixa da loja 2')])
    other = records_of(checks, 'ImportaOperadores of terminal 002',
                       terminal.call('ImportaOperadores', '1', '002'))
    checks.equal('terminal 002 still gets its own pending operator',
                 [(r['Codoper'], r['Acao']) for r in other], [('4', 'I')])


def stock(checks, terminal):
    for values, amount in demo.STOCK:
        checks.equal(f'BuscaEstoque{values}', terminal.call('BuscaEstoque', *values), amount)
    for values in demo.STOCK_MISSING:
        result = terminal.call('BuscaEstoque', *values)
        checks.true(f'BuscaEstoque{values} without a stock row answers a number',
                    isinstance(result, float), f'got {result!r}')


def every_import(checks, terminal, types):
    for operation, expected in demo.IMPORTS.items():
        if operation == 'ImportaOperadores':
            continue  # acknowledged above
        records = records_of(checks, operation, terminal.call(operation, '1', '001'))
        checks.equal(f'{operation}: as the demo data says', demo.compare(expected, records), [])
        check_shape(checks, operation, records, types, expected)
    empty = terminal.call('ImportaProdutos', '9', '999')
    checks.equal('an import with nothing pending answers an empty array', empty, [])


def one_gzip_member(body):
    """The text of body when it is exactly one gzip member, else None."""
    member = zlib.decompressobj(16 + zlib.MAX_WBITS)
    try:
        text = member.decompress(body) + member.flush()
    except zlib.error:
        return None
    return text if member.eof and not member.unused_data else None


def compressed(checks, script):
    """The largest import and the dispatcher's fault (status 500), asked for
    with and without gzip: compressed once by the program, passed on
    untouched by the web server (never compressed twice, never decoded), and
    the same envelope once decoded; without Accept-Encoding, as written.
    Imports are repeatable until acknowledged."""
    md5 = lambda data: hashlib.md5(data).hexdigest()  # noqa: E731
    calls = {
        'ImportaProdutos': lambda curl: wire.post(script, 'ImportaProdutos', '1', '001', curl=curl),
        "the dispatcher's fault": lambda curl: wire.post(script, 'BuscaEstoque', '1', '1', 'UN',
                                                         path='/soap/' + 'x' * 1100, action='', curl=curl),
    }
    for what, send in calls.items():
        plain = send(())
        # (Vary may come from the server's own compression: Apache's adds it.)
        checks.equal(f'{what} without Accept-Encoding: no Content-Encoding', plain.header('Content-Encoding'), [])
        raw = send(('-H', 'Accept-Encoding: gzip'))
        checks.equal(f'{what} with gzip: HTTP status', raw.status, plain.status)
        head(checks, f'{what} with gzip', raw, 'text/xml')
        checks.equal(f'{what} with gzip: Content-Encoding', raw.header('Content-Encoding'), ['gzip'])
        checks.true(f'{what} with gzip: Vary names Accept-Encoding',
                    any('accept-encoding' in value.lower() for value in raw.header('Vary')), raw.header('Vary'))
        text = one_gzip_member(raw.body)
        checks.true(f'{what} with gzip: the body is one gzip member', text is not None, raw.body[:40])
        checks.equal(f'{what} with gzip: decoded, the envelope as written (md5)', md5(text or b''), md5(plain.body))
        checks.true(f'{what} with gzip: smaller', len(raw.body) < len(plain.body) / 3,
                    f'{len(raw.body)} bytes against {len(plain.body)}')
        decoded = send(('--compressed',))
        checks.equal(f'{what}: curl --compressed gets the envelope as written (md5)',
                     md5(decoded.body), md5(plain.body))


def unreachable_database(checks, terminal, db, database_dir):
    before = db.queue()
    for operation, values in (('ImportaOperadores', ('1', '002')),
                              ('BuscaEstoque', ('1', '7891000100103', 'UN')),
                              ('DeletaIntegECF', ('1', '002', 'CADOPER'))):
        fault = terminal.call(operation, *values)
        if checks.true(f'{operation}: a fault', isinstance(fault, wire.Fault), f'got {fault!r}'):
            checks.equal(f'{operation}: fault code', fault.code, 'SOAP-ENV:Server')
            checks.true(f'{operation}: fault text says the database cannot be reached',
                        fault.string.startswith(CONNECT_FAILED), repr(fault.string))
    checks.equal('the queue is unchanged', db.queue(), before)
    checks.true('no database file was created', not os.path.exists(os.path.join(database_dir, 'missing.fdb')))


def failing_acknowledgement(checks, terminal, db):
    # The database refuses every deletion from the queue, with an accented message.
    db.run("CREATE EXCEPTION e2e_fila_bloqueada 'Fila bloqueada para exclusão';\n"
           "SET TERM ^ ;\n"
           "CREATE TRIGGER e2e_fila_bd FOR integecf ACTIVE BEFORE DELETE POSITION 0 AS\n"
           "BEGIN EXCEPTION e2e_fila_bloqueada; END^\n"
           "SET TERM ; ^\nCOMMIT;\n")
    terminal.call('ImportaClientes', '1', '001')
    before = db.queue()
    fault = terminal.call('DeletaIntegECF', '1', '001', 'CLIENTE')
    if checks.true('DeletaIntegECF: a fault', isinstance(fault, wire.Fault), f'got {fault!r}'):
        checks.true('the fault says the deletion failed, with the reason',
                    fault.string.startswith(DELETE_FAILED) and 'Fila bloqueada para exclusão' in fault.string,
                    repr(fault.string))
    checks.equal('the deletion was rolled back', db.queue(), before)
    # Leave the database as the other checks expect it; the service (kept
    # attachments in FastCGI mode) must not stand in the way.
    db.run('DROP TRIGGER e2e_fila_bd;\nDROP EXCEPTION e2e_fila_bloqueada;\nCOMMIT;\n')


LOG_LINE = re.compile(r'\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d( \S+){6} \d+ \d+ .+')


def log_lines(path, at_least):
    """The log's lines once it is quiet (a CGI process writes its line after
    its answer) and holds at_least of them, or after 30 s."""
    deadline = time.monotonic() + 30
    last, quiet_since = None, time.monotonic()
    while True:
        try:
            with open(path, encoding='utf-8', errors='replace') as log:
                lines = log.read().split('\n')[:-1]
        except FileNotFoundError:
            lines = []
        now = time.monotonic()
        if len(lines) != last:
            last, quiet_since = len(lines), now
        elif (now - quiet_since >= 0.5 and len(lines) >= at_least) or now > deadline:
            return lines
        time.sleep(0.05)


def request_log(checks, base, log, count):
    """Mixed requests from four clients at once, each of which must get its
    line: lighttpd's SIGTERM once an answer is complete cost WSDL GETs and
    PUTs theirs."""
    script = base + '/velmora.cgi'
    requests = (
        ('GET', script + '/wsdl/IVelmora', None, {}),
        ('PUT', script + '/soap/IVelmora', b'x', {}),
        ('GET', script + '/', None, {}),
        ('POST', script + '/soap/IVelmora', wire.request_envelope('BuscaEstoque', ('1', '7891000100103', 'UN')),
         {'Content-Type': 'text/xml; charset=utf-8', 'SOAPAction': f'"{wire.SERVICE_NS}#BuscaEstoque"'}))

    def send(i):
        method, url, body, headers = requests[i % len(requests)]
        try:
            with urllib.request.urlopen(urllib.request.Request(url, body, headers, method=method),
                                        timeout=60) as reply:
                reply.read()
                return reply.status
        except urllib.error.HTTPError as error:
            return error.code

    before = len(log_lines(log, 0))
    with ThreadPoolExecutor(4) as clients:
        statuses = list(clients.map(send, range(count)))
    checks.equal(f'{count} mixed requests answered 200', [s for s in statuses if s != 200], [])
    lines = log_lines(log, before + count)
    checks.equal(f'one log line for each of {count} mixed requests', len(lines) - before, count)
    checks.equal('every line has its fields', [line for line in lines if not LOG_LINE.fullmatch(line)], [])


def main():
    args = arguments()
    checks = Checks(f'terminal sync through {args.server}')
    db = Database(args.db)
    terminal = Terminal(checks, args.base + '/velmora.cgi')
    types = {}
    with checks.group('description and routing'):
        types = description(checks, args.base, args.server)
    with checks.group('operators: import, acknowledge, import again'):
        operators_day(checks, terminal, db, types)
    with checks.group('stock'):
        stock(checks, terminal)
    with checks.group('every import of terminal 001'):
        every_import(checks, terminal, types)
    with checks.group('compressed answers'):
        compressed(checks, args.base + '/velmora.cgi')
    with checks.group('database that cannot be reached'):
        unreachable_database(checks, Terminal(checks, args.base + '/broken.cgi'), db,
                             os.path.dirname(args.db))
    with checks.group('acknowledgement that fails in the database'):
        failing_acknowledgement(checks, terminal, db)
    with checks.group('request log'):
        request_log(checks, args.base, args.log, args.log_requests)
    checks.finish()


if __name__ == '__main__':
    main()
