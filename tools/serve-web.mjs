// A small static file server for the browser build: node tools/serve-web.mjs [--port N] [--host H] [--root DIR].
// Serves files only (no listings), with the types a page, its wasm and its service worker need.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.wav': 'audio/wav',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.vtd': 'application/octet-stream',
};

const options = { port: 8000, host: '127.0.0.1', root: 'build-web/site' };
const args = process.argv.slice(2);
for (let i = 0; i < args.length; i += 2) {
  const name = args[i].replace(/^--/, '');
  if (!(name in options) || args[i + 1] === undefined) {
    console.error('usage: serve-web.mjs [--port N] [--host H] [--root DIR]');
    process.exit(2);
  }
  options[name] = name === 'port' ? Number(args[i + 1]) : args[i + 1];
}
const root = resolve(options.root);

const server = createServer(async (request, response) => {
  try {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    let file = normalize(join(root, path));
    if (file !== root && !file.startsWith(root + sep)) throw Object.assign(new Error('outside'), { code: 'ENOENT' });
    if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
    const body = await readFile(file);
    response.writeHead(200, {
      'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
      'Content-Length': body.length,
      'Cache-Control': 'no-cache',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  } catch (e) {
    const missing = e.code === 'ENOENT' || e.code === 'ENOTDIR' || e instanceof URIError;
    response.writeHead(missing ? 404 : 500, { 'Content-Type': 'text/plain' });
    response.end(missing ? 'not found\n' : 'error\n');
  }
});

server.listen(options.port, options.host, () => {
  const { port } = server.address();
  console.log(`Serving ${root} on http://${options.host}:${port}/`);
});
