// A small static file server for the browser build: node tools/serve-web.mjs [--port N] [--host H] [--root DIR].
// Serves files only (no listings), with the types a page, its wasm and its service worker need, compressed with
// brotli or gzip when the browser takes it (a .br or .gz copy beside the file when there is one).
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { promisify } from 'node:util';
import zlib from 'node:zlib';

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

// Already compressed: sent as they are.
const STORED = new Set(['.png', '.gz', '.br']);
const ENCODINGS = [
  ['br', '.br', promisify(zlib.brotliCompress), { params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 11 } }],
  ['gzip', '.gz', promisify(zlib.gzip), { level: 9 }],
];
// Each file's compressed bodies, made once per version of the file.
const compressed = new Map();

// A .br or .gz copy made after the file, or null.
async function copy(file, mtime) {
  const info = await stat(file).catch(() => null);
  return info && info.mtimeMs >= mtime ? readFile(file) : null;
}

// The body to send for file and the encoding it carries.
async function body(file, accepted, mtime) {
  if (STORED.has(extname(file))) return [await readFile(file), null];
  for (const [name, suffix, compress, settings] of ENCODINGS) {
    if (!new RegExp(`\\b${name}\\b`).test(accepted)) continue;
    const key = `${file} ${name}`;
    if (compressed.get(key)?.mtime !== mtime) {
      const data = (await copy(file + suffix, mtime)) ?? (await compress(await readFile(file), settings));
      compressed.set(key, { mtime, data });
    }
    return [compressed.get(key).data, name];
  }
  return [await readFile(file), null];
}

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
    let info = await stat(file);
    if (info.isDirectory()) {
      file = join(file, 'index.html');
      info = await stat(file);
    }
    const [data, encoding] = await body(file, request.headers['accept-encoding'] ?? '', info.mtimeMs);
    response.writeHead(200, {
      'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
      'Content-Length': data.length,
      'Cache-Control': 'no-cache',
      Vary: 'Accept-Encoding',
      ...(encoding ? { 'Content-Encoding': encoding } : {}),
    });
    response.end(request.method === 'HEAD' ? undefined : data);
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
