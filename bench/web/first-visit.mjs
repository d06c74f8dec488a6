// A first visit's figures: Lighthouse (desktop and mobile presets) in Debian's Chromium, and the time to a playable
// field on a slow phone network (150 ms round trip, 1.6 Mbit/s down), also with a phone's 4 times slower processor.
// Usage: node bench/web/first-visit.mjs SITE [runs]
import { launch as launchChrome } from 'chrome-launcher';
import lighthouse, { desktopConfig } from 'lighthouse';
import { chromium } from 'playwright-core';
import { LAUNCH, serve } from '../../tests/web/harness.mjs';

const [SITE, RUNS = '3'] = process.argv.slice(2);
const SLOW_NETWORK = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 };
const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];

function median(values)
{
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

async function lighthouseRun(url, config)
{
    const chrome = await launchChrome({ chromePath: process.env.CHROME_PATH ?? '/usr/bin/chromium',
        chromeFlags: ['--headless', '--no-sandbox', '--disable-gpu'] });
    try {
        const { lhr } = await lighthouse(url, { port: chrome.port, output: 'json', logLevel: 'error',
            onlyCategories: CATEGORIES }, config);
        return { ...Object.fromEntries(CATEGORIES.map((c) => [c, Math.round(lhr.categories[c].score * 100)])),
            cls: lhr.audits['cumulative-layout-shift'].numericValue,
            lcp: lhr.audits['largest-contentful-paint'].numericValue,
            tbt: lhr.audits['total-blocking-time'].numericValue };
    } finally {
        await chrome.kill();
    }
}

// From the start of the navigation to the first field on screen with the program waiting for the player.
async function playable(browser, url, slowdown)
{
    const context = await browser.newContext();
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', SLOW_NETWORK);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
    await page.goto(url, { waitUntil: 'commit' });
    const ms = await page.evaluate(async () => {
        while (!window.vantrel)
            await new Promise((resolve) => setTimeout(resolve, 5));
        await window.vantrel.ready;
        await new Promise((resolve) => requestAnimationFrame(resolve));
        return performance.now();
    });
    await context.close();
    return ms;
}

const server = await serve(SITE);
const presets = { desktop: desktopConfig, mobile: undefined };
for (const [name, config] of Object.entries(presets)) {
    const runs = [];
    for (let i = 0; i < Number(RUNS); ++i)
        runs.push(await lighthouseRun(server.url, config));
    const m = (key) => median(runs.map((r) => r[key]));
    console.log(`lighthouse ${name}: performance ${m('performance')} (target >= 95), accessibility ${
        m('accessibility')}, best practices ${m('best-practices')}, seo ${m('seo')}; CLS ${m('cls').toFixed(3)} `
        + `(target <= 0.02), LCP ${m('lcp').toFixed(0)} ms, TBT ${m('tbt').toFixed(0)} ms`);
}
const browser = await chromium.launch(LAUNCH);
for (const slowdown of [1, 4]) {
    const times = [];
    for (let i = 0; i < Number(RUNS); ++i)
        times.push(await playable(browser, server.url, slowdown));
    console.log(`playable field on a 1.6 Mbit/s, 150 ms network, processor slowed ${slowdown}x: ${
        (median(times) / 1000).toFixed(2)} s (target <= 2.0 s)`);
}
await browser.close();
server.close();
console.log(`medians of ${RUNS} runs`);
