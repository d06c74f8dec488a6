// Shared by the browser tests: the static server, Debian's Chromium, the game's boxes and ticks, and the
// headless runner's pictures to compare with.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

const ROOT = path.resolve(import.meta.dirname, '../..');
export const SITE = process.env.VANTREL_SITE ?? path.join(ROOT, 'build-web/site');
const SIM = process.env.VANTREL_SIM ?? path.join(ROOT, 'build/vantrel-sim');
export const WIDTH = 640;
export const HEIGHT = 400;

async function freePort()
{
    const server = net.createServer().listen(0, '127.0.0.1');
    await new Promise((resolve) => server.once('listening', resolve));
    const { port } = server.address();
    await new Promise((resolve) => server.close(resolve));
    return port;
}

// The site's own static server on a free port; resolves to its address once it listens.
export async function serve()
{
    const port = await freePort();
    const server = spawn('node', [path.join(ROOT, 'tools/serve-web.mjs'), '--port', String(port), '--root', SITE],
        { stdio: ['ignore', 'pipe', 'inherit'] });
    await new Promise((resolve, reject) => {
        server.once('exit', (code) => reject(new Error(`the server exited with ${code}`)));
        server.stdout.on('data', (data) => String(data).includes('http://') && resolve());
    });
    process.on('exit', () => server.kill());
    return { url: `http://127.0.0.1:${port}/`, close: () => server.kill() };
}

// Chromium with a fresh profile (or `dir`, to start it again on the same one), closed when test `t` ends; `init`
// runs in every page first.
export async function launch(t, { dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-web-')), init, ...options } = {})
{
    const context = await chromium.launchPersistentContext(dir, {
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--no-first-run'],
        viewport: { width: 1280, height: 900 },
        ...options,
    });
    if (init)
        await context.addInitScript(init);
    context.dir = dir;
    t.after(() => context.close());
    return context;
}

// Waits for the page's first painted field.
export async function ready(page)
{
    await page.waitForFunction(() => window.vantrel && window.vantrel.ready.then(() => true), null,
        { timeout: 15000 });
}

// Opens the page and waits for its first painted field.
export async function open(context, url, query = '')
{
    const page = context.pages()[0] ?? await context.newPage();
    if (!page.logsErrors) {
        page.logsErrors = true;
        page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
    }
    await page.goto(url + query);
    await ready(page);
    return page;
}

// Delivers n ticks; resolves once the game has handled them or a box opened.
export async function step(page, n)
{
    await page.evaluate((count) => window.vantrel.step(count), n);
}

export async function command(page, id)
{
    await page.click('#menu-game');
    await page.click(`[role=menuitem][data-command="${id}"]`);
}

function newestBox(page)
{
    return page.locator('dialog.box[open]').last();
}

// The text of the newest open box.
export async function boxText(page)
{
    return newestBox(page).locator('.box-text').textContent({ timeout: 5000 });
}

// Answers the newest box with OK (1) or Cancel (2) and returns its text.
export async function answer(page, id = 1)
{
    const text = await boxText(page);
    await newestBox(page).locator(`button[data-id="${id}"]`).click();
    return text;
}

// The canvas as RGB bytes, read once the page has had two frames to paint.
export async function picture(page)
{
    const base64 = await page.evaluate(async ([width, height]) => {
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        const rgba = document.getElementById('field').getContext('2d').getImageData(0, 0, width, height).data;
        let text = '';
        for (let i = 0; i < rgba.length; i += 4)
            text += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
        return btoa(text);
    }, [WIDTH, HEIGHT]);
    return Buffer.from(base64, 'base64');
}

// The pixels in which two RGB pictures differ, with the first of them, for an assertion's message.
export function differences(a, b)
{
    let count = 0, first = '';
    for (let i = 0; i < WIDTH * HEIGHT; ++i) {
        if (a[3 * i] !== b[3 * i] || a[3 * i + 1] !== b[3 * i + 1] || a[3 * i + 2] !== b[3 * i + 2]) {
            if (count++ === 0)
                first = ` first at (${i % WIDTH}, ${Math.floor(i / WIDTH)})`;
        }
    }
    return count === 0 ? 'none' : `${count} pixels,${first}`;
}

// Runs the headless runner; returns its lines, its result fields and its last picture as RGB bytes.
export function sim(...args)
{
    const png = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-sim-')), 'field.png');
    const lines = execFileSync(SIM, [...args, '--png', png], { encoding: 'utf8' }).trim().split('\n');
    const result = Object.fromEntries(lines.at(-1).replace('result: ', '').split(' ').map((f) => f.split('=')));
    return { lines, result, picture: readPng(png) };
}

// The RGB rows of the runner's PNG (8-bit RGB, every row filtered with type 0).
function readPng(file)
{
    const png = fs.readFileSync(file);
    const idat = [];
    for (let at = 8; at < png.length;) {
        const length = png.readUInt32BE(at);
        if (png.toString('latin1', at + 4, at + 8) === 'IDAT')
            idat.push(png.subarray(at + 8, at + 8 + length));
        at += 12 + length;
    }
    const raw = zlib.inflateSync(Buffer.concat(idat));
    const rows = [];
    for (let y = 0; y < HEIGHT; ++y)
        rows.push(raw.subarray(y * (1 + 3 * WIDTH) + 1, (y + 1) * (1 + 3 * WIDTH)));
    return Buffer.concat(rows);
}

// Counts the sources the page starts and keeps its audio decodes, so a test can wait for them.
export function countSounds()
{
    window.soundStarts = 0;
    window.soundDecodes = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
        ++window.soundStarts;
        return start.apply(this, args);
    };
    const decode = BaseAudioContext.prototype.decodeAudioData;
    BaseAudioContext.prototype.decodeAudioData = function (...args) {
        const decoding = decode.apply(this, args);
        window.soundDecodes.push(decoding.catch(() => {}));
        return decoding;
    };
}
