"""Checks with readable failures for the end-to-end tests.

Every check prints one line; a failed one also prints what was expected and
what came. Checks are grouped: an exception inside a group fails that group
and the run goes on with the next one. finish() prints a summary and ends the
process with status 1 when anything failed."""

import sys
import traceback
from contextlib import contextmanager


def _show(value, limit=600):
    text = repr(value)
    return text if len(text) <= limit else text[:limit] + f'... ({len(text)} characters)'


class Checks:
    def __init__(self, title):
        self.title = title
        self.passed = 0
        self.failures = []
        self._group = ''
        print(f'== {title}', flush=True)

    @contextmanager
    def group(self, name):
        self._group = name
        print(f'-- {name}', flush=True)
        try:
            yield
        except Exception as error:  # a broken step fails its group only
            self._fail('group stopped early', f'{type(error).__name__}: {error}\n'
                       + ''.join(traceback.format_exc(limit=3)))
        finally:
            self._group = ''

    def _fail(self, what, detail):
        where = f'{self._group}: {what}' if self._group else what
        self.failures.append(where)
        print(f'   FAIL {what}', flush=True)
        for line in detail.splitlines():
            print(f'        {line}', flush=True)

    def ok(self, what):
        self.passed += 1
        print(f'   ok   {what}', flush=True)

    def equal(self, what, got, expected):
        if got == expected:
            self.ok(what)
            return True
        self._fail(what, f'expected {_show(expected)}\ngot      {_show(got)}')
        return False

    def true(self, what, condition, detail=''):
        if condition:
            self.ok(what)
            return True
        self._fail(what, detail or 'condition does not hold')
        return False

    def finish(self):
        total = self.passed + len(self.failures)
        if self.failures:
            print(f'== {self.title}: {len(self.failures)} of {total} checks FAILED:', flush=True)
            for where in self.failures:
                print(f'   {where}', flush=True)
            sys.exit(1)
        print(f'== {self.title}: all {total} checks passed', flush=True)
        sys.exit(0)
