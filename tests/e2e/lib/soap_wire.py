"""HTTP through curl, and an independent reader and writer of the service's
SOAP 1.1 RPC/encoded messages.

The reader uses Python's own XML stack (expat through minidom), not the
library the service is built with, and is strict about what clients rely
on: one Envelope and Body, the response element in the service namespace,
qualified type names resolved through their in-scope prefixes, arrays whose
arrayType counts their items, and items that refer (href) to record elements
with matching ids and types."""

import os
import subprocess
import tempfile
from xml.dom import minidom
from xml.sax.saxutils import escape

SOAP_ENV = 'http://schemas.xmlsoap.org/soap/envelope/'
SOAP_ENC = 'http://schemas.xmlsoap.org/soap/encoding/'
XSI = 'http://www.w3.org/2001/XMLSchema-instance'
XSD = 'http://www.w3.org/2001/XMLSchema'
SERVICE_NS = 'urn:VelmoraIntf-IVelmora'

# Parameter names of every operation, in declared order.
IMPORTS = ('ImportaProdutos', 'ImportaClientes', 'ImportaOperadores', 'ImportaUsuarios',
           'ImportaVendedores', 'ImportaTpOperacao', 'ImportaFornecedores', 'ImportaPedidoC',
           'ImportaPedidoi', 'ImportaDocurec', 'ImportaMovirec')
PARAMETERS = {name: ('PCodEmpresa', 'PEcf') for name in IMPORTS}
PARAMETERS['BuscaEstoque'] = ('PCodEmp', 'PCodProd', 'PGrade')
PARAMETERS['DeletaIntegECF'] = ('PCodEmpresa', 'PEcf', 'PTabela')


class WireError(Exception):
    """A message that breaks the encoding rules clients rely on."""


class Reply:
    def __init__(self, status, headers, body):
        self.status = status
        self.headers = headers  # [(name, value)] in arrival order
        self.body = body

    def header(self, name):
        """The values of every header called name (any letter case)."""
        return [value for key, value in self.headers if key.lower() == name.lower()]

    def text(self):
        return self.body.decode('utf-8')


def http(url, method='GET', body=None, headers=(), curl=()):
    """One request through curl (curl: more of its options, e.g. --cacert);
    returns the final response (status, headers, body)."""
    with tempfile.TemporaryDirectory() as tmp:
        head_file = os.path.join(tmp, 'head')
        body_file = os.path.join(tmp, 'body')
        command = ['curl', '-sS', '--max-time', '60', '-X', method,
                   '-D', head_file, '-o', body_file, '-H', 'Expect:', *curl]
        for header in headers:
            command += ['-H', header]
        if body is not None:
            request_file = os.path.join(tmp, 'request')
            with open(request_file, 'wb') as out:
                out.write(body)
            command += ['--data-binary', '@' + request_file]
        command.append(url)
        done = subprocess.run(command, capture_output=True, text=True, timeout=90)
        if done.returncode != 0:
            raise RuntimeError(f'curl {method} {url} failed ({done.returncode}): {done.stderr.strip()}')
        with open(head_file, 'rb') as source:
            head = source.read().decode('iso-8859-1')
        with open(body_file, 'rb') as source:
            payload = source.read()
    # Interim answers (100 Continue) come first; the last head is the answer.
    block = [b for b in head.replace('\r\n', '\n').split('\n\n') if b.strip()][-1]
    lines = block.split('\n')
    status = int(lines[0].split()[1])
    headers = []
    for line in lines[1:]:
        name, _, value = line.partition(':')
        headers.append((name.strip(), value.strip()))
    return Reply(status, headers, payload)


def request_envelope(operation, values, names=None):
    """A call as a SOAP 1.1 RPC/encoded client writes it."""
    names = names or PARAMETERS[operation]
    parts = ''.join(f'<{name} xsi:type="xsd:string">{escape(value)}</{name}>'
                    for name, value in zip(names, values))
    return ('<?xml version="1.0" encoding="utf-8"?>'
            f'<SOAP-ENV:Envelope xmlns:SOAP-ENV="{SOAP_ENV}" xmlns:xsd="{XSD}" xmlns:xsi="{XSI}"'
            f' xmlns:SOAP-ENC="{SOAP_ENC}" SOAP-ENV:encodingStyle="{SOAP_ENC}">'
            f'<SOAP-ENV:Body><NS1:{operation} xmlns:NS1="{SERVICE_NS}">{parts}</NS1:{operation}>'
            '</SOAP-ENV:Body></SOAP-ENV:Envelope>').encode('utf-8')


def post(script_url, operation, *values, path='/soap/IVelmora', action=None, curl=()):
    """POSTs a call of operation to script_url + path; action None sends the
    operation's own SOAP action, '' sends none."""
    if action is None:
        action = f'"{SERVICE_NS}#{operation}"'
    headers = ['Content-Type: text/xml; charset=utf-8']
    if action:
        headers.append(f'SOAPAction: {action}')
    return http(script_url + path, 'POST', request_envelope(operation, values), headers, curl)


class Fault:
    def __init__(self, code, string, actor):
        self.code, self.string, self.actor = code, string, actor

    def __repr__(self):
        return f'Fault({self.code!r}, {self.string!r})'


class Record(dict):
    """One decoded record: its fields in wire order, and its type."""

    def __init__(self, type_name, fields):
        super().__init__(fields)
        self.type_name = type_name


def _elements(node):
    return [child for child in node.childNodes if child.nodeType == child.ELEMENT_NODE]


def _text(node):
    return ''.join(child.data for child in node.childNodes
                   if child.nodeType in (child.TEXT_NODE, child.CDATA_SECTION_NODE))


def _resolve(element, qname):
    """(namespace, local name) of a qualified name written in element."""
    prefix, _, local = qname.rpartition(':')
    attribute = f'xmlns:{prefix}' if prefix else 'xmlns'
    node = element
    while node is not None and node.nodeType == node.ELEMENT_NODE:
        if node.hasAttribute(attribute):
            return node.getAttribute(attribute), local
        node = node.parentNode
    raise WireError(f'prefix {prefix!r} of {qname!r} on <{element.tagName}> is not declared')


def _xsi_type(element):
    written = element.getAttributeNS(XSI, 'type')
    if not written:
        raise WireError(f'<{element.tagName}> has no xsi:type')
    return _resolve(element, written)


def decode(body, operation):
    """The result of operation in a response body: a list of Records, a
    number, a text, None for an empty response, or a Fault."""
    try:
        document = minidom.parseString(body)
    except Exception as error:
        raise WireError(f'not well-formed XML: {error}') from None
    envelope = document.documentElement
    if (envelope.namespaceURI, envelope.localName) != (SOAP_ENV, 'Envelope'):
        raise WireError(f'document element is <{envelope.tagName}>, not a SOAP 1.1 Envelope')
    bodies = [e for e in _elements(envelope) if (e.namespaceURI, e.localName) == (SOAP_ENV, 'Body')]
    if len(bodies) != 1:
        raise WireError(f'{len(bodies)} Body elements')
    content = _elements(bodies[0])
    if not content:
        raise WireError('empty Body')
    first = content[0]
    if (first.namespaceURI, first.localName) == (SOAP_ENV, 'Fault'):
        parts = {e.localName: _text(e) for e in _elements(first) if e.namespaceURI is None}
        return Fault(parts.get('faultcode'), parts.get('faultstring'), parts.get('faultactor'))
    if (first.namespaceURI, first.localName) != (SERVICE_NS, operation + 'Response'):
        raise WireError(f'response element is {{{first.namespaceURI}}}{first.localName}')
    ids = {}
    for element in document.getElementsByTagName('*'):
        if element.hasAttribute('id'):
            ids['#' + element.getAttribute('id')] = element
    returns = [e for e in _elements(first) if e.localName == 'return' and e.namespaceURI is None]
    if not returns:
        if _elements(first):
            raise WireError(f'response without "return" holds {[e.tagName for e in _elements(first)]}')
        return None
    return _value(returns[0], ids)


def _value(element, ids):
    kind = _xsi_type(element)
    text = _text(element)
    if kind == (XSD, 'string'):
        return text
    if kind == (XSD, 'int'):
        return int(text)
    if kind == (XSD, 'double'):
        return {'INF': float('inf'), '-INF': float('-inf'), 'NaN': float('nan')}.get(text) or float(text)
    if kind == (SOAP_ENC, 'Array'):
        return _array(element, ids)
    raise WireError(f'<{element.tagName}> has the unexpected type {kind}')


def _array(element, ids):
    written = element.getAttributeNS(SOAP_ENC, 'arrayType')
    if not written.endswith(']') or '[' not in written:
        raise WireError(f'arrayType {written!r}')
    item_type, _, count = written[:-1].rpartition('[')
    item_type = _resolve(element, item_type)
    items = _elements(element)
    if len(items) != int(count):
        raise WireError(f'arrayType says {count} items, the array holds {len(items)}')
    records = []
    for item in items:
        if item.localName != 'item':
            raise WireError(f'array child <{item.tagName}>')
        reference = item.getAttribute('href')
        if reference not in ids:
            raise WireError(f'item href {reference!r} names no element with that id')
        records.append(_record(ids[reference], item_type, ids))
    return records


def _record(element, expected, ids):
    own = (element.namespaceURI, element.localName)
    if own != expected or _xsi_type(element) != expected:
        raise WireError(f'record <{element.tagName}> (type {_xsi_type(element)}) where {expected} is announced')
    fields = {}
    for field in _elements(element):
        if field.namespaceURI is not None:
            raise WireError(f'field <{field.tagName}> is namespace-qualified')
        if field.localName in fields:
            raise WireError(f'field {field.localName} twice')
        fields[field.localName] = _value(field, ids)
    return Record(expected[1], fields)


XS_TYPES = {'string': str, 'int': int, 'double': float}
WSDL = 'http://schemas.xmlsoap.org/wsdl/'


def wsdl_record_types(body):
    """{record type name: [(field, Python type)]} from the schema of a WSDL."""
    document = minidom.parseString(body)
    types = {}
    for complex_type in document.getElementsByTagNameNS(XSD, 'complexType'):
        elements = complex_type.getElementsByTagNameNS(XSD, 'element')
        if not elements:
            continue
        fields = []
        for element in elements:
            namespace, local = _resolve(element, element.getAttribute('type'))
            if namespace != XSD or local not in XS_TYPES:
                raise WireError(f'{complex_type.getAttribute("name")}.{element.getAttribute("name")}'
                                f' has the type {{{namespace}}}{local}')
            fields.append((element.getAttribute('name'), XS_TYPES[local]))
        types[complex_type.getAttribute('name')] = fields
    return types


def record_shape(record):
    """[(field, Python type)] of a decoded record, in wire order."""
    return [(name, type(value)) for name, value in record.items()]
