// The page's figures beside a bare canvas page: the site's gzipped size, the time to the first painted field, and
// the tick's period and main-thread time per tick. Usage: node bench/web/bench-web.mjs SITE SIM [runs]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';
import { LAUNCH, serve } from '../../tests/web/harness.mjs';

const ROOT = path.resolve(import.meta.dirname, '../..');
const [SITE, SIM, RUNS = '5'] = process.argv.slice(2);
// A seed whose first game, played without a flip, lasts long (90 ticks) for a long measured stretch.
const SEED = 91;

function median(values)
{
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

function gzippedSizes(dir)
{
    return fs.readdirSync(dir, { recursive: true }).filter((f) => fs.statSync(path.join(dir, f)).isFile())
        .map((f) => [f, zlib.gzipSync(fs.readFileSync(path.join(dir, f)), { level: 9 }).length]);
}

// Notes when window.vantrel.ready resolves and the next frame begins: the first painted field.
function noteFirstField()
{
    let api;
    Object.defineProperty(window, 'vantrel', {
        configurable: true,
        get: () => api,
        set(value) {
            api = value;
            value.ready.then(() => requestAnimationFrame(() => { window.firstField = performance.now(); }));
        },
    });
}

async function firstField(browser, url)
{
    const context = await browser.newContext();
    await context.addInitScript(noteFirstField);
    const page = await context.newPage();
    await page.goto(url);
    const ms = await (await page.waitForFunction(() => window.firstField)).jsonValue();
    await context.close();
    return ms;
}

// Clicks `start`, waits for the next open box after `ticks` ticks: the wall time and the main thread's task time.
async function tickFigures(page, start, ticks)
{
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('Performance.enable');
    const taskTime = async () => (await cdp.send('Performance.getMetrics')).metrics
        .find((m) => m.name === 'TaskDuration').value * 1000;
    await page.evaluate((selector) => {
        // The box that ends the run is the first one open with another text than the box clicked, if any.
        const openText = () => document.querySelector('dialog.box[open] .box-text')?.textContent;
        const startText = openText();
        document.querySelector(selector).addEventListener('click', () => { window.tickStart = performance.now(); },
            { capture: true, once: true });
        new MutationObserver((changes, observer) => {
            const text = openText();
            if (window.tickStart && text !== undefined && text !== startText) {
                window.tickEnd = performance.now();
                observer.disconnect();
            }
        }).observe(document.body, { subtree: true, attributes: true, childList: true });
    }, start);
    const before = await taskTime();
    await page.click(start);
    await page.waitForFunction(() => window.tickEnd);
    const after = await taskTime();
    const wall = await page.evaluate(() => window.tickEnd - window.tickStart);
    return { period: wall / ticks, task: (after - before) / ticks };
}

async function gameTicks(browser, url, ticks)
{
    const page = await (await browser.newContext()).newPage();
    await page.goto(`${url}?seed=${SEED}`);
    await page.evaluate(() => window.vantrel.ready);
    await page.click('#menu-game');
    await page.click('[role=menuitem][data-command="40001"]');
    await page.locator('dialog.box[open]').waitFor();
    const figures = await tickFigures(page, 'dialog.box[open] button[data-id="1"]', ticks);
    await page.context().close();
    return figures;
}

async function bareTicks(browser, url, ticks)
{
    const page = await (await browser.newContext()).newPage();
    await page.goto(`${url}?ticks=${ticks}`);
    await page.evaluate(() => window.vantrel.ready);
    const figures = await tickFigures(page, '#start', ticks);
    await page.context().close();
    return figures;
}

const sizes = gzippedSizes(SITE);
const total = sizes.reduce((sum, [, size]) => sum + size, 0);
for (const [file, size] of sizes)
    console.log(`gzip ${file}: ${(size / 1024).toFixed(1)} KB`);
console.log(`site gzipped: ${(total / 1024).toFixed(1)} KB (target <= 400 KB)`);

const ticks = Number(execFileSync(SIM, ['--seed', String(SEED)], { encoding: 'utf8' }).match(/ticks=(\d+)/)[1]);
const game = await serve(SITE), bare = await serve(path.join(ROOT, 'bench/web/bare'));
const browser = await chromium.launch(LAUNCH);
const runs = { game: { first: [], period: [], task: [] }, bare: { first: [], period: [], task: [] } };
for (let i = 0; i < Number(RUNS); ++i) {
    runs.game.first.push(await firstField(browser, game.url));
    runs.bare.first.push(await firstField(browser, bare.url));
    for (const [name, figures] of [['game', await gameTicks(browser, game.url, ticks)],
        ['bare', await bareTicks(browser, bare.url, ticks)]]) {
        runs[name].period.push(figures.period);
        runs[name].task.push(figures.task);
    }
}
await browser.close();
game.close();
bare.close();

const figure = (name, key) => median(runs[name][key]);
console.log(`first painted field: ${figure('game', 'first').toFixed(0)} ms, bare page ${
    figure('bare', 'first').toFixed(0)} ms, ratio ${(figure('game', 'first') / figure('bare', 'first')).toFixed(2)} `
    + '(target <= 1.5)');
console.log(`tick period over ${ticks} ticks: ${figure('game', 'period').toFixed(3)} ms, bare page ${
    figure('bare', 'period').toFixed(3)} ms (target 20.0 ms +- 1 %)`);
console.log(`main-thread time per tick: ${figure('game', 'task').toFixed(3)} ms, bare page ${
    figure('bare', 'task').toFixed(3)} ms, ratio ${(figure('game', 'task') / figure('bare', 'task')).toFixed(2)} `
    + '(target <= 1.2)');
console.log(`medians of ${RUNS} runs each, interleaved`);
