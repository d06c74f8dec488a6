// The page on phones and odd windows: the field's fit, the keyboard's way through the page and the closed game, a
// huge pasted name with the on-screen keyboard up, and a gamepad.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { answer, command, differing, launch, open, ready, serve, sim, step } from './harness.mjs';

const SEED = 7, START = '40001';
const LIMIT = { timeout: 120000 };
const PHONE = { isMobile: true, hasTouch: true };
let server, manual;
before(async () => {
    server = await serve();
    manual = `${server.url}?seed=${SEED}&ticks=manual`;
});
after(() => server.close());

// Window sizes (CSS pixels at a device pixel ratio) and the field's CSS width there: at least `least`, or exactly
// `exact` where a whole number of device pixels per field pixel comes close to the largest fit.
const FITS = [
    { size: [390, 844, 3], least: 360, ...PHONE }, { size: [320, 568, 2], least: 300, ...PHONE },
    { size: [844, 390, 3], exact: (2 * 640) / 3, ...PHONE }, { size: [1200, 380, 1], least: 400 },
    { size: [3840, 2160, 1], exact: 5 * 640 },
];

// The colours on screen inside the field's box that the runner's picture `rgb` lacks.
async function foreignColours(page, rgb)
{
    const { x, y, width, height } = await page.locator('#field').boundingBox();
    const png = await page.screenshot({ clip: { x: x + 1, y: y + 1, width: width - 2, height: height - 2 } });
    const known = new Set(Array.from({ length: rgb.length / 3 }, (_, i) => rgb.readUIntBE(3 * i, 3)));
    const seen = await page.evaluate(async (base64) => {
        const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
        const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = new DataView(context.getImageData(0, 0, bitmap.width, bitmap.height).data.buffer);
        return [...new Set(Array.from({ length: data.byteLength / 4 }, (_, i) => data.getUint32(4 * i) >>> 8))];
    }, png.toString('base64'));
    return seen.filter((colour) => !known.has(colour));
}

const height = async (locator) => (await locator.boundingBox()).height;

test('the field fills the space below the menu bar, wholly, in the game\'s colours, without moving', LIMIT,
    async (t) => {
        const first = sim('--seed', SEED, '--ticks', 0).picture;
        for (const { size: [width, tall, ratio], least, exact, ...device } of FITS) {
            await t.test(`${width} × ${tall} at ${ratio}`, async (st) => {
                const page = await open(await launch(st, { viewport: { width, height: tall }, deviceScaleFactor: ratio,
                    ...device, init: () => new PerformanceObserver((list) => {
                        window.shifts = (window.shifts ?? 0) + list.getEntries().length;
                    }).observe({ type: 'layout-shift', buffered: true }) }), manual);
                const [field, outside] = await page.evaluate(() => {
                    const r = document.getElementById('field').getBoundingClientRect(), page = document.documentElement;
                    return [r.width, [-r.left, -r.top, r.right - innerWidth, r.bottom - innerHeight,
                        page.scrollWidth - innerWidth, page.scrollHeight - innerHeight, window.shifts ?? 0]];
                });
                assert.ok(exact ? Math.abs(field - exact) < 0.05 : field >= least, `width ${field}`);
                assert.ok(outside.every((by) => by <= 0), 'wholly visible, no scrolling, no layout shift');
                assert.deepEqual(await foreignColours(page, first), []);
            });
        }
    });

test('Tab goes from the field to the footer and back; beside a box, Enter and Space press its button; after Exit only '
    + 'the closed message shows, and it starts the game again', LIMIT, async (t) => {
    const page = await open(await launch(t), manual);
    const order = ['field', 'seed-link', 'rank-download', 'rank-upload'];
    for (const [key, ids] of [['Tab', order.slice(1)], ['Shift+Tab', order.slice(0, -1).reverse()]]) {
        for (const id of ids) {
            await page.keyboard.press(key);
            assert.equal(await page.evaluate(() => document.activeElement.id), id, key);
        }
    }
    assert.notEqual(await page.$eval('#field', (field) => getComputedStyle(field).outlineStyle), 'none');
    await command(page, START);
    await page.mouse.click(4, 4);
    await page.keyboard.press('Enter');
    assert.equal(await page.locator('dialog[open]').count(), 0, 'Enter started the game');
    await page.keyboard.press('Escape');
    await page.mouse.click(4, 4);
    await page.keyboard.press('Space');
    await page.locator('#restart').waitFor({ timeout: 5000 });
    for (const part of ['#menubar', '#field', '#footer'])
        assert.equal(await page.isVisible(part), false, part);
    await page.click('#restart');
    await ready(page);
    await command(page, START);
    assert.equal(await answer(page), 'Hit anykey to Start!');
});

test('on a phone: boxes over the field, finger-sized; a 2 MB pasted name keeps 16 bytes and no memory; the name '
    + 'field and its OK stay above the on-screen keyboard', LIMIT, async (t) => {
        const page = await open(await launch(t, { viewport: { width: 390, height: 844 }, ...PHONE }), manual);
        // A table that the first game's score enters.
        const table = Buffer.from(await page.evaluate(() => Array.from(Module.FS.readFile('/data/rank.vtd'))));
        for (let at = 20; at < table.length; at += 28)
            table.writeInt32LE(0, at);
        await Promise.all([page.waitForNavigation(), page.setInputFiles('#rank-upload', { name: 'rank.vtd',
            mimeType: 'application/octet-stream', buffer: table })]);
        await ready(page);
        await command(page, START);
        await answer(page);
        await step(page, +sim('--seed', SEED).result.ticks);
        // Boxes open over the field, with buttons and menu items a finger can hit.
        const field = await page.locator('#field').boundingBox(), box = await page.locator('dialog[open]').boundingBox();
        assert.ok(Math.abs(box.y + box.height / 2 - (field.y + field.height / 2)) < field.height / 2, 'over the field');
        assert.ok(await height(page.locator('dialog[open] button[data-id="1"]')) >= 44);
        await answer(page);
        const input = page.locator('dialog.dlg[open] input'), ok = page.locator('dialog.dlg[open] button.default');
        const memory = () => page.evaluate(() => Object.values(Module.asm).find((v) => v.buffer).buffer.byteLength);
        const before = await memory();
        await input.focus();
        await page.keyboard.insertText('x'.repeat(2 << 20));
        assert.equal(await memory(), before, 'the program\'s memory');
        assert.ok(parseFloat(await input.evaluate((el) => getComputedStyle(el).fontSize)) >= 16);
        await page.evaluate(() => Object.defineProperty(visualViewport, 'height', { get: () => 300 })
            .dispatchEvent(new Event('resize')));
        for (const box of [await input.boundingBox(), await ok.boundingBox()])
            assert.ok(box.y >= 0 && box.y + box.height <= 300, 'above the keyboard');
        assert.ok(await height(ok) >= 44);
        await ok.click();
        assert.match(await answer(page), / x{16}$/m);
        await page.click('#menu-game');
        assert.ok(await height(page.locator(`[data-command="${START}"]`)) >= 44);
    });

test('a gamepad\'s button starts the game and flips as Space does', LIMIT, async (t) => {
    const page = await open(await launch(t, { init: () => {
        window.pad = { index: 0, buttons: Array.from({ length: 17 }, () => ({ pressed: false })) };
        navigator.getGamepads = () => [window.pad, null];
    } }), manual);
    const press = () => page.evaluate(async () => {
        for (const pressed of [true, false]) {
            window.pad.buttons[3].pressed = pressed;
            dispatchEvent(new Event('gamepadconnected'));
            await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        }
    });
    await command(page, START);
    await press();
    assert.equal(await page.locator('dialog[open]').count(), 0, 'the start box answered');
    await step(page, 10);
    await press();
    await step(page, 10);
    assert.equal(await differing(page, sim('--seed', SEED, '--flips', 10, '--ticks', 20).picture), 0);
});
