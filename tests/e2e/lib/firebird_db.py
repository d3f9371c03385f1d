"""The test's database seen through isql-fb, Firebird's own command-line
tool (not the service's database code), in the Firebird environment that
the web server's CGI processes share (FIREBIRD, FIREBIRD_LOCK, FIREBIRD_TMP
are inherited from the driver)."""

import re
import subprocess

NULL = None
_ROW = re.compile('\x1d(.*?)\x1e', re.S)


class Database:
    def __init__(self, path):
        self.path = path

    def run(self, sql):
        """Runs SQL statements (a script); returns isql's output."""
        done = subprocess.run(['isql-fb', '-q', '-b', '-user', 'SYSDBA', '-ch', 'UTF8', self.path],
                              input='SET SQL DIALECT 1;\n' + sql, capture_output=True,
                              text=True, encoding='utf-8', timeout=60)
        if done.returncode != 0:
            raise RuntimeError(f'isql-fb failed: {done.stderr.strip()}\nscript:\n{sql}')
        return done.stdout

    def rows(self, columns, rest):
        """Rows of "SELECT columns rest" as tuples of texts (None for NULL)."""
        joined = " || ASCII_CHAR(31) || ".join(
            f"COALESCE(CAST({column} AS VARCHAR(2000)) || 'v', 'n')" for column in columns)
        output = self.run(f"SET HEADING OFF;\nSELECT ASCII_CHAR(29) || {joined} || ASCII_CHAR(30) {rest};\n")
        rows = []
        for row in _ROW.findall(output):
            values = row.split('\x1f')
            # Every value ends in 'v', or is 'n' for NULL, so empty texts,
            # trailing blanks and NULL stay apart.
            rows.append(tuple(None if value == 'n' else value[:-1] for value in values))
        return rows

    def queue(self):
        """Every queue row: (id, company, terminal, table, chave0, action, mark)."""
        return self.rows(('id', 'codempresa', 'ecf', 'tabela', 'chave0', 'acao', 'atualizou'),
                         'FROM integecf ORDER BY id')
