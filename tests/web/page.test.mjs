// The page around the game: failing storage, the three ways to flip, the quit prompt, and starting offline.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { answer, command, differences, launch, open, picture, ready, serve, sim, step } from './harness.mjs';

const SEED = 7;
const START = '40001', EXIT = '40002';
// Each test's limit, far above its usual run of a few seconds.
const LIMIT = { timeout: 120000 };
let server;
before(async () => { server = await serve(); });
after(() => server.close());

async function startGame(page)
{
    await command(page, START);
    await answer(page);
}

test('failing storage gives the file-error box and the game goes on', LIMIT, async (t) => {
    const context = await launch(t, { init: () => {
        Object.defineProperty(window, 'indexedDB', { get() { throw new DOMException('denied', 'SecurityError'); } });
    } });
    const page = await open(context, server.url, `?seed=${SEED}&ticks=manual`);
    assert.match(await answer(page), /^The ranking file rank\.vtd cannot be (read|created) \(.+\)\./);
    await startGame(page);
    const crash = sim('--seed', SEED);
    await step(page, +crash.result.ticks);
    assert.equal(differences(await picture(page), crash.picture), 'none');
    assert.equal(await answer(page), 'GameOver( ; _ ; )/~~~');
    assert.match(await answer(page), /Ranking/);
    assert.match(await answer(page), /^A file error occurred with "rank\.vtd"\./);
    assert.equal(await page.locator('dialog[open]').count(), 0);
    await startGame(page);
});

// Each input flips once, exactly where the runner flips at tick 10.
test('Space, a click and a tap on the field each flip once', LIMIT, async (t) => {
    const flipped = sim('--seed', SEED, '--flips', 10, '--ticks', 20).picture;
    const context = await launch(t, { hasTouch: true });
    const inputs = {
        space: (page) => page.keyboard.press('Space'),
        click: (page) => page.click('#field'),
        tap: (page) => page.tap('#field'),
    };
    for (const [name, flip] of Object.entries(inputs)) {
        await t.test(name, async () => {
            const page = await open(context, server.url, `?seed=${SEED}&ticks=manual`);
            await startGame(page);
            await step(page, 10);
            await flip(page);
            await step(page, 10);
            assert.equal(differences(await picture(page), flipped), 'none');
        });
    }
});

test('the quit prompt: Cancel goes on with the game, OK closes it', LIMIT, async (t) => {
    const later = sim('--seed', SEED, '--ticks', 20).picture;
    const context = await launch(t);
    const ways = { escape: (page) => page.keyboard.press('Escape'), menu: (page) => command(page, EXIT) };
    for (const [name, quit] of Object.entries(ways)) {
        await t.test(name, async () => {
            const page = await open(context, server.url, `?seed=${SEED}&ticks=manual`);
            await startGame(page);
            await step(page, 10);
            await quit(page);
            assert.equal(await answer(page, 2), 'Do you quit Game?');
            await step(page, 10);
            assert.equal(differences(await picture(page), later), 'none');
            assert.equal(await page.isVisible('#closed'), false);
            await quit(page);
            await answer(page, 1);
            await page.locator('#closed button#restart').waitFor({ timeout: 5000 });
        });
    }
});

test('after the first visit the page starts offline', LIMIT, async (t) => {
    const context = await launch(t);
    let page = await open(context, server.url, `?seed=${SEED}`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await context.setOffline(true);
    await page.reload();
    await ready(page);
    assert.equal(differences(await picture(page), sim('--seed', SEED, '--ticks', 0).picture), 'none');
});
