// The field's size on typical screens and the page's layout shift at start, in headless Chromium: the CSS size,
// device pixels per field pixel and the cumulative layout shift to the first field and a second after it.
// Usage: node bench/web/fit-web.mjs [SITE]
import { chromium } from 'playwright-core';
import { LAUNCH, serve, SITE } from '../../tests/web/harness.mjs';

// CSS width × height at a device pixel ratio; the phones with touch.
const SCREENS = [[390, 844, 3, true], [412, 915, 2.625, true], [360, 800, 1.75, true], [320, 568, 2, true],
    [844, 390, 3, true], [1200, 380, 1], [1280, 720, 1], [1920, 1080, 1], [3840, 2160, 1]];

const server = await serve(process.argv[2] ?? SITE);
const browser = await chromium.launch(LAUNCH);
for (const [width, height, ratio, touch = false] of SCREENS) {
    const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio,
        isMobile: touch, hasTouch: touch });
    await context.addInitScript(() => {
        window.layoutShift = 0;
        new PerformanceObserver((list) => list.getEntries().forEach((e) => { window.layoutShift += e.value; }))
            .observe({ type: 'layout-shift', buffered: true });
    });
    const page = await context.newPage();
    await page.goto(server.url);
    await page.evaluate(() => window.vantrel.ready);
    await page.waitForTimeout(1000);
    const { w, h, shift } = await page.evaluate(() => {
        const r = document.getElementById('field').getBoundingClientRect();
        return { w: r.width, h: r.height, shift: window.layoutShift };
    });
    console.log(`${width} × ${height} at ${ratio}: field ${w.toFixed(1)} × ${h.toFixed(1)} CSS px, ${
        ((w * ratio) / 640).toFixed(3)} device px per field px, layout shift ${shift.toFixed(4)}`);
    await context.close();
}
await browser.close();
server.close();
