// A small static file server for the browser tests and the start-up benchmark,
// on 127.0.0.1 only. It sends the right media types (application/wasm, so that
// browsers compile WebAssembly while it streams in), can gzip what compresses,
// counts the bytes of every response body it sends, and tells of every request
// it could not answer.
//
//   node static-server.mjs ROOT [PORT] [--gzip]   serves until killed
// Started by fork(), it sends { url } once it serves, and answers the message
// "log" with { log }, the responses since the last time it was asked.

import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { gzipSync } from 'node:zlib';
import { pathToFileURL } from 'node:url';

const mediaTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
  '.woff2': 'font/woff2',
  '.woff': 'font/woff',
  '.ttf': 'font/ttf',
  '.otf': 'font/otf',
};
// Already compressed: sent as they are.
const stored = new Set(['.png', '.ico', '.woff2', '.woff']);

export const isFont = (path) => ['.woff2', '.woff', '.ttf', '.otf'].includes(extname(path));

// Starts serving `root`; resolves to { url, port, log, release(), close() }.
// `log` holds one { path, status, bytes, type } per response, bytes being the
// body as sent. The files whose path `hold` accepts are answered only once
// release() is called, as a slow network would; `rewrite(path, body)` gives
// the body to send in place of a file's.
export async function serve(root, { port = 0, gzip = false, quiet = false, hold, rewrite } = {}) {
  const top = resolve(root);
  const log = [];
  let release;
  const released = new Promise((done) => (release = done));
  // Compressed once per version of a file, as a static host keeps them.
  const compressed = new Map();
  const gzipped = (file, info, body) => {
    const key = `${file} ${info.mtimeMs} ${info.size}`;
    if (!compressed.has(key)) compressed.set(key, gzipSync(body, { level: 9 }));
    return compressed.get(key);
  };
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    let file = normalize(join(top, path));
    let status = 200;
    let body;
    let info;
    try {
      if (file !== top && !file.startsWith(top + sep)) throw new Error('outside the root');
      info = await stat(file);
      if (info.isDirectory()) {
        file = join(file, 'index.html');
        info = await stat(file);
      }
      body = await readFile(file);
      if (rewrite) body = Buffer.from(rewrite(path, body));
      if (hold?.(path)) await released;
    } catch {
      status = 404;
      body = Buffer.from('Not found\n');
      file = '.txt';
    }
    const extension = extname(file);
    const headers = {
      'Content-Type': mediaTypes[extension] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
    };
    if (gzip && !stored.has(extension) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      body = status === 200 ? gzipped(file, info, body) : gzipSync(body);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(status, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
    log.push({ path, status, bytes: body.length, type: headers['Content-Type'] });
    if (status !== 200 && !quiet) console.error(`static server: ${status} ${request.method} ${path}`);
  });
  await new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', done);
  });
  const actual = server.address().port;
  return {
    url: `http://127.0.0.1:${actual}/`,
    port: actual,
    log,
    release,
    close: () =>
      new Promise((done) => {
        server.closeAllConnections();
        server.close(done);
      }),
  };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [root, port = '0', ...flags] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node static-server.mjs ROOT [PORT] [--gzip]');
    process.exit(2);
  }
  const server = await serve(root, { port: Number(port), gzip: flags.includes('--gzip') });
  if (process.send) {
    process.on('message', (message) => {
      if (message === 'log') process.send({ log: server.log.splice(0) });
    });
    process.send({ url: server.url });
  } else {
    console.log(`static server: ${resolve(root)} at ${server.url}`);
  }
}
