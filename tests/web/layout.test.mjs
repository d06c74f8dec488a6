// The page on phones and odd windows: the field's fit, the closed game, the keyboard's way through the page, a
// huge pasted name with the on-screen keyboard up, and a gamepad.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { answer, command, differing, launch, open, ready, serve, sim, step } from './harness.mjs';

const SEED = 7;
const START = '40001', EXIT = '40002';
const LIMIT = { timeout: 120000 };
const PHONE = { isMobile: true, hasTouch: true };
let server, manual;
before(async () => {
    server = await serve();
    manual = `${server.url}?seed=${SEED}&ticks=manual`;
});
after(() => server.close());

// Window sizes (CSS pixels at a device pixel ratio) and the field's CSS width there: at least `least`, or exactly
// `exact` where the space holds a whole number of device pixels per field pixel close to the largest fit.
const FITS = [
    { size: [390, 844, 3], least: 360, ...PHONE },
    { size: [320, 568, 2], least: 300, ...PHONE },
    { size: [844, 390, 3], exact: (2 * 640) / 3, ...PHONE },
    { size: [1200, 380, 1], least: 400 },
    { size: [3840, 2160, 1], exact: 5 * 640 },
];

function noteShifts()
{
    window.shifts = 0;
    new PerformanceObserver((list) => { window.shifts += list.getEntries().length; })
        .observe({ type: 'layout-shift', buffered: true });
}

// How many colours of the screen inside the field's box the runner's picture `rgb` lacks.
async function foreignColours(page, rgb)
{
    const box = await page.locator('#field').boundingBox();
    const png = await page.screenshot({ clip: { x: box.x + 1, y: box.y + 1, width: box.width - 2, height: box.height - 2 } });
    const palette = new Set();
    for (let i = 0; i < rgb.length; i += 3)
        palette.add(rgb.readUIntBE(i, 3));
    return page.evaluate(async ({ base64, colours }) => {
        const blob = await (await fetch(`data:image/png;base64,${base64}`)).blob();
        const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none' });
        const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const known = new Set(colours), foreign = new Set();
        for (let i = 0; i < data.length; i += 4) {
            const colour = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
            if (!known.has(colour))
                foreign.add(colour);
        }
        return foreign.size;
    }, { base64: png.toString('base64'), colours: [...palette] });
}

async function height(locator)
{
    return (await locator.boundingBox()).height;
}

test('the field fills the space below the menu bar, wholly visible, in the palette\'s colours, without moving',
    LIMIT, async (t) => {
        const first = sim('--seed', SEED, '--ticks', 0).picture;
        for (const { size: [width, height_, ratio], least, exact, ...device } of FITS) {
            await t.test(`${width} × ${height_} at ${ratio}`, async (st) => {
                const page = await open(await launch(st, { viewport: { width, height: height_ },
                    deviceScaleFactor: ratio, init: noteShifts, ...device }), manual);
                const field = await page.locator('#field').boundingBox();
                if (exact)
                    assert.ok(Math.abs(field.width - exact) < 0.05, `width ${field.width}, not ${exact}`);
                else
                    assert.ok(field.width >= least, `width ${field.width}`);
                assert.ok(field.x >= 0 && field.y >= 0 && field.x + field.width <= width &&
                    field.y + field.height <= height_, 'wholly visible');
                assert.deepEqual(await page.evaluate(() => [document.documentElement.scrollWidth - innerWidth,
                    document.documentElement.scrollHeight - innerHeight]), [0, 0], 'no scrolling');
                assert.equal(await foreignColours(page, first), 0);
                assert.equal(await page.evaluate(() => window.shifts), 0, 'layout shifts');
                if (!device.hasTouch)
                    return;
                // Boxes open over the field, with buttons and menu items a finger can hit.
                await page.click('#menu-ranking');
                const box = await page.locator('dialog.box[open]').boundingBox();
                const middle = box.y + box.height / 2;
                assert.ok(middle > field.y && middle < field.y + field.height, 'the box over the field');
                assert.ok(await height(page.locator('dialog.box[open] button[data-id="1"]')) >= 44);
                await answer(page);
                await page.click('#menu-game');
                assert.ok(await height(page.locator(`[data-command="${START}"]`)) >= 44);
            });
        }
    });

test('after Exit only the closed message shows, and its button starts the game again', LIMIT, async (t) => {
    const page = await open(await launch(t), manual);
    await command(page, EXIT);
    assert.equal(await answer(page), 'Do you quit Game?');
    await page.locator('#restart').waitFor();
    for (const part of ['#menubar', '#field', '#footer'])
        assert.equal(await page.isVisible(part), false, part);
    await page.click('#restart');
    await ready(page);
    await command(page, START);
    assert.equal(await answer(page), 'Hit anykey to Start!');
});

test('Tab goes from the field to the footer\'s controls and back; beside a box, Enter and Space press its button',
    LIMIT, async (t) => {
        const page = await open(await launch(t), manual);
        const order = ['field', 'seed-link', 'rank-download', 'rank-upload'];
        for (const [keys, ids] of [['Tab', order.slice(1)], ['Shift+Tab', order.slice(0, -1).reverse()]]) {
            for (const id of ids) {
                await page.keyboard.press(keys);
                assert.equal(await page.evaluate(() => document.activeElement.id), id, keys);
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
    });

test('a 2 MB paste into the name field keeps 16 bytes and no memory; the keyboard leaves field and OK in view',
    LIMIT, async (t) => {
        const crash = sim('--seed', SEED);
        let page = await open(await launch(t, { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3,
            ...PHONE }), manual);
        // A table that the first game's score enters.
        const table = Buffer.from(await page.evaluate(() => Array.from(Module.FS.readFile('/data/rank.vtd'))));
        for (let at = 20; at < table.length; at += 28)
            table.writeInt32LE(0, at);
        await Promise.all([page.waitForNavigation(), page.setInputFiles('#rank-upload',
            { name: 'rank.vtd', mimeType: 'application/octet-stream', buffer: table })]);
        await ready(page);
        await command(page, START);
        await answer(page);
        await step(page, +crash.result.ticks);
        await answer(page);
        const input = page.locator('dialog.dlg[open] input'), ok = page.locator('dialog.dlg[open] button.default');
        const memory = () => page.evaluate(() => Object.values(Module.asm)
            .find((value) => value instanceof WebAssembly.Memory).buffer.byteLength);
        const before = await memory();
        await input.focus();
        await page.keyboard.insertText('x'.repeat(2 << 20));
        assert.equal(await memory(), before, 'the program\'s memory');
        assert.ok(parseFloat(await input.evaluate((el) => getComputedStyle(el).fontSize)) >= 16);
        await page.evaluate(() => {
            Object.defineProperty(visualViewport, 'height', { get: () => 300 });
            visualViewport.dispatchEvent(new Event('resize'));
        });
        for (const control of [input, ok]) {
            const box = await control.boundingBox();
            assert.ok(box.y >= 0 && box.y + box.height <= 300, 'above the keyboard');
        }
        assert.ok(await height(ok) >= 44);
        await ok.click();
        assert.match(await answer(page), / x{16}$/m);
    });

test('a gamepad\'s button starts the game and flips as Space does', LIMIT, async (t) => {
    const flipped = sim('--seed', SEED, '--flips', 10, '--ticks', 20).picture;
    const page = await open(await launch(t, { init: () => {
        window.pad = { index: 0, connected: true, buttons: Array.from({ length: 17 }, () => ({ pressed: false })) };
        navigator.getGamepads = () => [window.pad, null];
    } }), manual);
    const press = () => page.evaluate(async () => {
        const frames = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        window.pad.buttons[0].pressed = true;
        dispatchEvent(new Event('gamepadconnected'));
        await frames();
        window.pad.buttons[0].pressed = false;
        await frames();
    });
    await command(page, START);
    await press();
    assert.equal(await page.locator('dialog[open]').count(), 0, 'the start box answered');
    await step(page, 10);
    await press();
    await step(page, 10);
    assert.equal(await differing(page, flipped), 0);
});
