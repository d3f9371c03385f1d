"""What company "1", terminal "001" must receive from a freshly created demo
database (demo/data.sql), worked out by hand from the data: per import, the
records' keys and actions in delivery order, some texts with accents, XML
specials and line breaks, and a few numbers.

Delivery order is the queue's change date ascending and, within a date, its
time descending (sellers: by seller code). Queue rows that name no source
row deliver nothing; rows already marked "X" are delivered again; rows of
terminal "002", of company "2" and of the lower-case table name never come.
Where one queue row yields several records, or sellers share a code, their
order is the database's: such records form one group, compared unordered."""

COMPANY, TERMINAL = '1', '001'


def _groups(*groups):
    # A tuple is one record; a list is a group delivered in any order.
    return [g if isinstance(g, list) else [g] for g in groups]


class Expected:
    def __init__(self, table, record, keys, groups, texts=(), numbers=()):
        self.table = table      # queue table name, as DeletaIntegECF takes it
        self.record = record    # record type name on the wire
        self.keys = keys        # fields that identify a record, then Acao
        self.groups = groups
        self.texts = texts      # (key values, field, text)
        self.numbers = numbers  # (key values, field, number)


IMPORTS = {
    'ImportaProdutos': Expected(
        'PRODUTO', 'TRegistroProduto', ('Codprod',),
        _groups(('7891000300305', 'A'), ('7891000100103', 'I'), ('7891000300305', 'I'),
                ('7891000200209', 'A'), ('7891000100103', 'A')),
        texts=((('7891000100103',), 'Descricao', 'Café Torrado e Moído 500g'),
               (('7891000100103',), 'Observacao', 'Moagem média.\r\nManter em local seco & arejado.'),
               (('7891000200209',), 'Descricao', 'Arroz & Feijão <Combo>'),
               (('7891000300305',), 'Descricao', 'Pão Francês kg'),
               (('7891000300305',), 'Observacao', 'Produzido na loja.\nVenda por peso;\nvalidade de 1 dia.')),
        numbers=((('7891000100103',), 'Preco', 18.9), (('7891000100103',), 'Diasestminimo', 2),
                 (('7891000100103',), 'Diasestmaximo', 4), (('7891000300305',), 'Preco', 12.49),
                 (('7891000200209',), 'Estminimo', 0))),
    'ImportaClientes': Expected(
        'CLIENTE', 'TRegistroCliente', ('Codcliente',),
        _groups(('1003', 'I'), ('1001', 'I'), ('1003', 'I'), ('1002', 'A'), ('1001', 'A')),
        texts=((('1001',), 'Nome', 'João da Silva Conceição'),
               (('1001',), 'Observacao', 'Cliente desde 2015.\nEntrega às terças e sextas.'),
               (('1002',), 'Nome', 'Padaria São José Ltda'),
               (('1003',), 'Nome', "Ana D'Ávila")),
        numbers=((('1001',), 'Limitecredito', 1500),)),
    'ImportaOperadores': Expected(
        'CADOPER', 'TRegistroCadoper', ('Codoper',),
        _groups(('2', 'I'), ('1', 'I'), ('3', 'I'), ('2', 'A'), ('1', 'A')),
        texts=((('1',), 'Nome', 'Maria da Conceição'),
               (('2',), 'Nome', 'José Antônio Araújo'),
               (('2',), 'Senha', 'a&b<c>"d\''),
               (('3',), 'Nome', 'Operador sem permissões'),
               (('3',), 'Senha', '')),
        numbers=((('1',), 'Historicocliente', 1), (('3',), 'Historicocliente', 0))),
    'ImportaUsuarios': Expected(
        'CADUSUA', 'TRegistroCadusua', ('Usuario',),
        _groups(('ADMIN', 'A'), ('MARIA', 'I'), ('ADMIN', 'I'), ('JOSE', 'A'), ('MARIA', 'A')),
        texts=((('MARIA',), 'Nome', 'Maria da Conceição'),
               (('MARIA',), 'Departamento', 'Operações'),
               (('JOSE',), 'Nome', 'José Antônio Araújo'))),
    'ImportaVendedores': Expected(
        'VENDEND', 'TRegistroVendend', ('Codvendedor',),
        _groups([('001', 'A'), ('001', 'I')], [('003', 'I'), ('003', 'A')], ('010', 'I')),
        texts=((('003',), 'Nome', 'Luís Gonçalves'),
               (('001',), 'Nome', 'Vendedora Inês'))),
    'ImportaTpOperacao': Expected(
        'CDOPERC', 'TRegistroCdoperc', ('Codoper',),
        _groups(('5405', 'I'), ('5102', 'I'), ('5405', 'I'), ('1202', 'A'), ('5102', 'A')),
        texts=((('1202',), 'Descricao', 'Devolução de venda'),
               (('5102',), 'Observacao', 'Operação padrão do PDV.\nNão altera custo.'),
               (('5405',), 'Descricao', 'Venda com substituição tributária'))),
    'ImportaFornecedores': Expected(
        'FORNECE', 'TRegistroFornece', ('Codfornec',),
        _groups(('503', 'I'), ('501', 'I'), ('503', 'I'), ('502', 'A'), ('501', 'A')),
        texts=((('501',), 'Nome', 'Distribuidora Café Bom Ltda'),
               (('501',), 'Observacao', 'Pedido mínimo R$ 500,00.\nEntrega em até 48 h.'),
               (('501',), 'Complemento', 'Galpão 2'),
               (('503',), 'Nome', 'Açougue & Cia'))),
    # Tipopedido is CHAR(2): "V" comes blank-padded, as the column holds it.
    'ImportaPedidoC': Expected(
        'PEDIDOC', 'TRegistroPedidoc', ('Tipopedido', 'Codpedido'),
        _groups(('OR', '000124', 'A'), ('V ', '000123', 'I'), ('OR', '000124', 'I'),
                ('V ', '000124', 'A'), ('V ', '000123', 'A')),
        texts=((('V ', '000123'), 'Observacao', 'Entregar na portaria.\nLigar antes.'),
               (('V ', '000123'), 'Observacao2', 'Observação geral'),
               (('V ', '000124'), 'Observacao', 'Pedido sem data'))),
    # One queue row of café yields both café items of the order.
    'ImportaPedidoi': Expected(
        'PEDIDOI', 'TRegistroPedidoi', ('Sequencia',),
        _groups((2, 'A'), [(1, 'I'), (3, 'I')], (2, 'I'), [(1, 'A'), (3, 'A')]),
        texts=(((1,), 'Mensagemtrib', 'Tributação normal – ICMS 18%'),)),
    'ImportaDocurec': Expected(
        'DOCUREC', 'TRegistroDocurec', ('Coddocto',),
        _groups(('4567', 'I'), ('000123/1', 'I'), ('000123/2', 'I'), ('4567', 'A'), ('000123/1', 'A')),
        texts=((('000123/1',), 'Anotacoes', '1ª parcela.\nCobrar pelo telefone.'),
               (('000123/1',), 'Observacao', 'Observação geral'))),
    'ImportaMovirec': Expected(
        'MOVIREC', 'TRegistroMovirec', ('Coddocto', 'Tipomov', 'Numord'),
        _groups(('4567', 'L ', '1', 'I'), ('000123/1', 'L ', '1', 'I'), ('000123/1', 'J ', '2', 'I'),
                ('4567', 'L ', '1', 'A'), ('000123/1', 'L ', '1', 'A')),
        texts=((('000123/1', 'L ', '1'), 'Observacao', 'Pagamento em espécie'),
               (('000123/1', 'L ', '1'), 'Nomebancopgto', 'Banco do Brasil'))),
}

# Values the demo data keeps in columns that no record carries.
NEVER_DELIVERED = 'não enviar'

# BuscaEstoque(company, product, grade) -> stock.
STOCK = (
    (('1', '7891000100103', 'UN'), 42.5),    # stored
    (('1', '7891000200209', 'UN'), 0.0),     # NULL
    (('1', '7891000300305', 'P'), 12.25),    # one grade of two
    (('1', '7891000300305', 'G'), 0.0),      # stored zero
    (('2', '7891000100103', 'UN'), 7.0),     # same product, other company
)
# No CompProd row: the call succeeds with some number.
# The last: company and product swapped by the caller, each longer than the
# other's column; a missing row answers a number, never a fault.
STOCK_MISSING = (('1', '0000000000000', 'UN'), ('1', '7891000100103', 'XG'), ('7891000100103', '1', 'UN'))


def key_of(expected, record):
    return tuple(record.get(field) for field in expected.keys)


def compare(expected, records):
    """Differences between records (dicts) and the expected keys, actions and
    values, as readable lines; empty when they agree."""
    problems = []
    delivered = [key_of(expected, r) + (r.get('Acao'),) for r in records]
    wanted = [row for group in expected.groups for row in group]
    position = 0
    for group in expected.groups:
        got = delivered[position:position + len(group)]
        if sorted(got, key=repr) != sorted(group, key=repr):
            problems.append(f'records {position + 1}..{position + len(group)}: '
                            f'expected {group} (any order), got {got}')
        position += len(group)
    if len(delivered) != len(wanted):
        problems.append(f'{len(delivered)} records, expected {len(wanted)}: got {delivered}')
    by_key = {}
    for record in records:
        by_key.setdefault(key_of(expected, record), record)
    for key, field, value in tuple(expected.texts) + tuple(expected.numbers):
        record = by_key.get(key)
        if record is None:
            problems.append(f'no record {key}')
        elif record.get(field) != value:
            problems.append(f'{key} {field}: expected {value!r}, got {record.get(field)!r}')
    for record in records:
        for field, value in record.items():
            if isinstance(value, str) and NEVER_DELIVERED in value:
                problems.append(f'{key_of(expected, record)} {field} carries a value no terminal may see')
    return problems
