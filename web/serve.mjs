// A small static server for the built site, on this machine only.
//   node web/serve.mjs SITE_DIR [PORT]
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json',
  '.zrv': 'application/x-zarvel',
};

export function serve(site, port, host = '127.0.0.1') {
  const root = path.resolve(site);
  const kept = new Map();
  const server = http.createServer((request, response) => {
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    const answer = (data) =>
      response
        .writeHead(200, {
          'Content-Type': kTypes[path.extname(file)] ?? 'application/octet-stream',
          'Cache-Control': 'no-cache',
        })
        .end(data);
    // A file is read again only when a build has changed it.
    fs.stat(file, (missing, facts) => {
      if (missing || !facts.isFile()) {
        response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
        return;
      }
      const known = kept.get(file);
      if (known && known.time === facts.mtimeMs) return answer(known.data);
      fs.readFile(file, (error, data) => {
        if (error) {
          response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
          return;
        }
        kept.set(file, { time: facts.mtimeMs, data });
        answer(data);
      });
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => resolve(server));
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === path.resolve(new URL(import.meta.url).pathname)) {
  const [site, port = '8765'] = process.argv.slice(2);
  const server = await serve(site, Number(port)).catch((error) => {
    console.error(`zarvel: cannot serve at http://127.0.0.1:${port}/: ${error.code ?? error.message}` +
      (error.code === 'EADDRINUSE' ? ' (the port is taken; is the game served already?)' : ''));
    process.exit(1);
  });
  const { port: bound } = server.address();
  console.log(`zarvel: the game is at http://127.0.0.1:${bound}/ (Ctrl+C stops the server)`);
}
