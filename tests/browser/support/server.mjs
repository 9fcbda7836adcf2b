// A static file server on 127.0.0.1 for the exported pages: the browser gets
// them over HTTP, as from a web host, and nothing else on the network.
import { createServer } from 'node:http';
import { createReadStream, statSync } from 'node:fs';
import { extname, join, normalize, sep } from 'node:path';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.woff': 'font/woff',
  '.woff2': 'font/woff2',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.jpg': 'image/jpeg',
  '.gif': 'image/gif',
  '.svg': 'image/svg+xml',
  '.bmp': 'image/bmp',
  '.webp': 'image/webp',
  '.mp4': 'video/mp4',
  '.webm': 'video/webm',
  '.ogg': 'audio/ogg',
  '.mp3': 'audio/mpeg',
  '.wav': 'audio/wav',
};

// Serves Root on a free port; resolves to { url(path), requests, setDown(down),
// close() }. Requests records every path asked for with its status. While
// down, every connection is dropped unanswered, as when the host is
// unreachable, and the port (so the origin) stays the same.
export async function serveFolder(root) {
  const requests = [];
  let down = false;
  const server = createServer((req, res) => {
    if (down) {
      req.socket.destroy();
      return;
    }
    let path;
    try {
      path = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    } catch {
      path = '';
    }
    const file = normalize(join(root, path));
    let status = 404;
    try {
      if ((file === root || file.startsWith(root + sep)) && statSync(file).isFile()) status = 200;
    } catch {
      status = 404;
    }
    requests.push({ path, status });
    if (status !== 200) {
      res.writeHead(status, { 'content-type': 'text/plain' });
      res.end('not found');
      return;
    }
    const size = statSync(file).size;
    res.writeHead(200, {
      'content-type': TYPES[extname(file).toLowerCase()] ?? 'application/octet-stream',
      'content-length': size,
      'cache-control': 'no-store',
    });
    createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const { port } = server.address();
  return {
    url: (path) => `http://127.0.0.1:${port}/${path.split('/').map(encodeURIComponent).join('/')}`,
    requests,
    setDown: (value) => {
      down = value;
      if (down) server.closeAllConnections();
    },
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}
