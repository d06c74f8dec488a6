// Shared by the browser tests and benchmark: the site's server, Debian's Chromium, the game's boxes and ticks, and
// the headless runner's pictures to compare with.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

const ROOT = path.resolve(import.meta.dirname, '../..');
export const SITE = process.env.VANTREL_SITE ?? path.join(ROOT, 'build-web/site');
const SIM = process.env.VANTREL_SIM ?? path.join(ROOT, 'build/vantrel-sim');
const ROW_BYTES = 3 * 640;
export const LAUNCH = {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run'],
};
const tempDir = () => fs.mkdtempSync(path.join(os.tmpdir(), 'vantrel-web-'));

// The site's own static server on a free port; resolves to it with its address.
export async function serve(root = SITE)
{
    const server = spawn('node', [path.join(ROOT, 'tools/serve-web.mjs'), '--port', '0', '--root', root],
        { stdio: ['ignore', 'pipe', 'inherit'] });
    process.on('exit', () => server.kill());
    const url = await new Promise((resolve, reject) => {
        server.once('exit', (code) => reject(new Error(`the server exited with ${code}`)));
        server.stdout.on('data', (data) => /http:\S+/.test(data) && resolve(/http:\S+/.exec(data)[0]));
    });
    return { url, close: () => server.kill() };
}

// Chromium on a fresh profile (or `dir`, to start it again on the same one), closed when test `t` ends; `init`
// runs in every page before the page's own scripts.
export async function launch(t, { dir = tempDir(), init, ...options } = {})
{
    const context = await chromium.launchPersistentContext(dir, { ...LAUNCH, ...options });
    if (init)
        await context.addInitScript(init);
    context.dir = dir;
    t.after(() => context.close());
    return context;
}

// Opens the page and waits for its first painted field.
export async function open(context, url)
{
    const page = context.pages()[0];
    await page.goto(url);
    await ready(page);
    return page;
}

export async function ready(page)
{
    await page.waitForFunction(() => window.vantrel?.ready.then(() => true), null, { timeout: 15000 });
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

// The newest open box's text, after answering it with button `id` (1 OK, 2 Cancel) unless `id` is 0.
export async function answer(page, id = 1)
{
    const box = page.locator('dialog.box[open]').last();
    const text = await box.locator('.box-text').textContent({ timeout: 5000 });
    if (id)
        await box.locator(`button[data-id="${id}"]`).click();
    return text;
}

// The pixels in which the canvas differs from an RGB picture, read once the page has had two frames to paint.
export async function differing(page, expected)
{
    const base64 = await page.evaluate(async () => {
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        const rgba = document.getElementById('field').getContext('2d').getImageData(0, 0, 640, 400).data;
        const rgb = rgba.filter((value, i) => i % 4 !== 3);
        let text = '';
        for (let i = 0; i < rgb.length; i += 8192)
            text += String.fromCharCode(...rgb.subarray(i, i + 8192));
        return btoa(text);
    });
    const actual = Buffer.from(base64, 'base64');
    let count = 0;
    for (let i = 0; i < expected.length; i += 3)
        count += actual.compare(expected, i, i + 3, i, i + 3) !== 0;
    return count;
}

// Runs the headless runner: its lines, its result fields and its last picture as RGB bytes (read from its PNG:
// 8-bit RGB, every row with filter type 0).
export function sim(...args)
{
    const file = path.join(tempDir(), 'field.png');
    const lines = execFileSync(SIM, [...args, '--png', file], { encoding: 'utf8' }).trim().split('\n');
    const result = Object.fromEntries(lines.at(-1).replace('result: ', '').split(' ').map((f) => f.split('=')));
    const png = fs.readFileSync(file), idat = [];
    for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at)) {
        if (png.toString('latin1', at + 4, at + 8) === 'IDAT')
            idat.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
    }
    const raw = zlib.inflateSync(Buffer.concat(idat));
    const rows = Array.from({ length: 400 }, (_, y) => raw.subarray(y * (ROW_BYTES + 1) + 1,
        (y + 1) * (ROW_BYTES + 1)));
    return { lines, result, picture: Buffer.concat(rows) };
}

// Counts the sources the page starts, and keeps its audio decodes so that a test can wait for them.
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
