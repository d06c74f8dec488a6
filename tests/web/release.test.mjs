// Releases that arrive whole: a release published under each caching header reaches a returning player by the
// second visit, never mixed with the one before; two copies of the game on one origin each stay usable offline.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { SITE, launch } from './harness.mjs';

const ROOT = path.resolve(import.meta.dirname, '../..');
const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
// What a host sends with every file; a release's Last-Modified is a date long past, as hosts give.
const HEADERS = {
    'no-cache': () => ({ 'Cache-Control': 'no-cache' }),
    'max-age=3600': () => ({ 'Cache-Control': 'max-age=3600' }),
    'Last-Modified only': (release) => ({ 'Last-Modified': new Date(Date.UTC(2020, release)).toUTCString() }),
};

// A copy of the site as release `name`: its page and its code each say which, its worker made again for it.
function makeRelease(name)
{
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-release-'));
    fs.cpSync(SITE, dir, { recursive: true });
    fs.appendFileSync(path.join(dir, 'index.html'), `<script>window.pageRelease = '${name}';</script>\n`);
    fs.appendFileSync(path.join(dir, 'vantrel.js'), `\nwindow.codeRelease = '${name}';\n`);
    execFileSync('cmake', [`-DSITE_DIR=${dir}`, `-DTEMPLATE=${ROOT}/platform/web/site/sw.js.in`, '-P',
        `${ROOT}/platform/web/site/MakeServiceWorker.cmake`]);
    return dir;
}

// A static host whose folders (by path prefix), headers and release number a test switches.
const host = { sites: {}, headers: HEADERS['no-cache'], release: 0, requests: [] };
const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, 'http://host');
    host.requests.push(pathname);
    const prefix = Object.keys(host.sites).find((p) => pathname.startsWith(p));
    const file = prefix && path.join(host.sites[prefix], pathname.slice(prefix.length) || 'index.html');
    if (!file || !fs.existsSync(file))
        return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        ...host.headers(host.release) }).end(fs.readFileSync(file));
});
let origin, A, B;
before(async () => {
    [A, B] = [makeRelease('A'), makeRelease('B')];
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    origin = `http://127.0.0.1:${server.address().port}`;
});
after(() => server.close());

async function waitFor(condition, ms = 15000)
{
    for (const end = Date.now() + ms; !condition() && Date.now() < end;)
        await new Promise((resolve) => setTimeout(resolve, 50));
}

// A browser whose every page that starts reports its page's and its code's release.
async function player(t)
{
    const context = await launch(t, { init: () => addEventListener('load', () => window.vantrel.ready.then(() =>
        window.report(`${window.pageRelease}/${window.codeRelease}`))) });
    context.reports = [];
    await context.exposeFunction('report', (r) => context.reports.push(r));
    return context;
}

// Opens url and waits for its page to start, the worker to be looked for anew and what it found to be installed.
async function visit(context, url)
{
    const count = context.reports.length, asked = host.requests.length, page = context.pages()[0];
    await page.goto(url).catch(() => {});
    await waitFor(() => context.reports.length > count);
    if (!context.offline) {
        await waitFor(() => host.requests.slice(asked).some((p) => p.endsWith('/sw.js')));
        await new Promise((resolve) => setTimeout(resolve, 300));
        await page.waitForFunction(async () => {
            const r = await navigator.serviceWorker.getRegistration();
            return r?.active?.state === 'activated' && !r.installing;
        }, null, { timeout: 15000 });
    }
    return context.reports.slice(count);
}

test('a new release reaches a returning player whole by the second visit, whatever the host\'s headers', async (t) => {
    for (const [name, headers] of Object.entries(HEADERS)) {
        await t.test(name, async (st) => {
            const context = await player(st);
            Object.assign(host, { sites: { '/': A }, headers, release: 1 });
            await visit(context, origin);
            Object.assign(host, { sites: { '/': B }, release: 2 });
            const from = context.reports.length;
            await visit(context, origin);
            await visit(context, origin);
            await waitFor(() => context.reports.at(-1) === 'B/B', 5000);
            const seen = context.reports.slice(from);
            assert.ok(seen.every((r) => r === 'A/A' || r === 'B/B'), `releases seen: ${seen}`);
            assert.equal(seen.at(-1), 'B/B', `releases seen: ${seen}`);
        });
    }
});

test('two copies on one origin each keep their offline copy', async (t) => {
    const context = await player(t);
    Object.assign(host, { sites: { '/games/a/': A, '/games/b/': B }, headers: HEADERS['no-cache'], release: 1 });
    await visit(context, `${origin}/games/a/`);
    await visit(context, `${origin}/games/b/`);
    await context.setOffline((context.offline = true));
    assert.deepEqual(await visit(context, `${origin}/games/a/`), ['A/A']);
});
