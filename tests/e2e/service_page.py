#!/usr/bin/env python3
"""The service page as a browser sees it: headless Chromium loads the page,
the test follows the page's own links (the WSDL, the port type detail, the
inspection document) in Chromium again, and a screenshot of the page is
written for a person to look at.

Run by service_page_test.sh, which starts the web server:
  service_page.py --base http://127.0.0.1:PORT --profile DIR --screenshot FILE"""

import argparse
import os
import subprocess
import sys
from html.parser import HTMLParser

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lib'))

from e2e_checks import Checks  # noqa: E402

FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--hide-scrollbars']


class Links(HTMLParser):
    """Anchors (class, href, text) and the title of a page."""

    def __init__(self):
        super().__init__()
        self.anchors = []
        self.title = ''
        self._anchor = None
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == 'a':
            self._anchor = [attrs.get('class'), attrs.get('href'), '']
        elif tag == 'title':
            self._in_title = True

    def handle_endtag(self, tag):
        if tag == 'a' and self._anchor:
            self.anchors.append(tuple(self._anchor))
            self._anchor = None
        elif tag == 'title':
            self._in_title = False

    def handle_data(self, data):
        if self._anchor:
            self._anchor[2] += data
        if self._in_title:
            self.title += data


class Chromium:
    def __init__(self, profile):
        self.profile = profile

    def run(self, *arguments):
        command = ['chromium', *FLAGS, f'--user-data-dir={self.profile}', *arguments]
        done = subprocess.run(command, capture_output=True, text=True, timeout=90,
                              env=dict(os.environ, HOME=self.profile))
        if done.returncode != 0:
            raise RuntimeError(f'chromium failed ({done.returncode}): {done.stderr[-1500:]}')
        return done.stdout

    def dom(self, url):
        return self.run('--dump-dom', url)


def parse(dom):
    links = Links()
    links.feed(dom)
    return links


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--base', required=True)
    parser.add_argument('--profile', required=True)
    parser.add_argument('--screenshot', required=True)
    args = parser.parse_args()
    checks = Checks('service page in Chromium')
    browser = Chromium(args.profile)
    script = args.base + '/velmora.cgi'
    page = None

    with checks.group('the page'):
        dom = browser.dom(script + '/')
        page = parse(dom)
        checks.equal('title is the program name', page.title, 'velmora')
        checks.true('heading names the page', 'velmora - Service Info Page' in dom, dom[:500])
        checks.equal('port type links', [(c, h, t) for c, h, t in page.anchors if c == 'IntfName'],
                     [('IntfName', f'{script}?intf=IVelmora', 'IVelmora'),
                      ('IntfName', f'{script}?intf=IWSDLPublish', 'IWSDLPublish')])
        checks.equal('WSDL links', [h for c, h, t in page.anchors if c == 'WSDL'],
                     [f'{script}/wsdl/IVelmora', f'{script}/wsdl/IWSDLPublish'])
        checks.true('the operations are listed', all(name in dom for name in (
            'ImportaProdutos', 'ImportaMovirec', 'BuscaEstoque', 'DeletaIntegECF')), dom[:500])

    with checks.group('following the WSDL link'):
        wsdl = next(h for c, h, t in page.anchors if c == 'WSDL')
        dom = browser.dom(wsdl)
        # Chromium shows XML in its viewer, the parsed document kept inside.
        checks.true('Chromium parsed the WSDL as XML', 'webkit-xml-viewer-source-xml' in dom
                    and 'This page contains the following errors' not in dom, dom[:800])
        checks.true('it is the WSDL of IVelmora', '<definitions' in dom and 'name="IVelmoraservice"' in dom,
                    dom[:800])
        checks.true('its port is at the SOAP address',
                    f'location="{script}/soap/IVelmora"' in dom, 'no soap:address with that location')

    with checks.group('following the port type link and the inspection link'):
        detail_link = next(h for c, h, t in page.anchors if c == 'IntfName')
        detail = browser.dom(detail_link)
        checks.true('the detail shows the namespace and a signature',
                    'urn:VelmoraIntf-IVelmora' in detail and 'PCodEmpresa' in detail, detail[:800])
        inspection = next((h for c, h, t in page.anchors if h and h.endswith('/inspection.wsil')), None)
        checks.equal('the page links the inspection document', inspection, f'{script}/inspection.wsil')
        if inspection:
            dom = browser.dom(inspection)
            checks.true('Chromium parsed the inspection document', '<inspection' in dom
                        and 'This page contains the following errors' not in dom, dom[:800])

    with checks.group('screenshot'):
        if os.path.exists(args.screenshot):
            os.remove(args.screenshot)
        browser.run(f'--screenshot={args.screenshot}', '--window-size=1280,900', script + '/')
        with open(args.screenshot, 'rb') as image:
            data = image.read()
        checks.true(f'a PNG of the page is in {args.screenshot}',
                    data.startswith(b'\x89PNG') and len(data) > 10000, f'{len(data)} bytes')
    checks.finish()


if __name__ == '__main__':
    main()
