// The browser page against the headless runner: the first field, a game of two stages, the crash and its sound,
// the name entry and the ranking file, failing storage, the three ways to flip, the quit prompt, starting offline.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, test } from 'node:test';
import { answer, command, countSounds, differing, launch, open, ready, serve, sim, step } from './harness.mjs';

const SEED = 7;
const START = '40001', EXIT = '40002', RANKING = '40005';
const TEXT_CLEAR = 'Congratulations! Go to Next Stage.', TEXT_GAME_OVER = 'GameOver( ; _ ; )/~~~';
// Each test's limit, far above its usual few seconds.
const LIMIT = { timeout: 120000 };
let server, manual;
before(async () => {
    server = await serve();
    manual = `${server.url}?seed=${SEED}&ticks=manual`;
});
after(() => server.close());

async function startGame(page)
{
    await command(page, START);
    assert.equal(await answer(page), 'Hit anykey to Start!');
}

// Plays up to each of `events` ({tick, flip} or {tick, box}, sorted): Space before a flip's tick, the box expected
// after a box's tick and answered with OK (left open with `keep`). Returns the tick reached.
async function play(page, events, tick = 0)
{
    for (const event of events) {
        await step(page, event.tick - tick);
        tick = event.tick;
        if (event.flip)
            await page.keyboard.press('Space');
        else
            assert.equal(await answer(page, event.keep ? 0 : 1), event.box, `box after tick ${tick}`);
    }
    return tick;
}

async function rankFile(page)
{
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#rank-download')]);
    return fs.readFileSync(await download.path());
}

test('the runner\'s flips clear two stages; the crash, its sound and the kept name follow', LIMIT, async (t) => {
    const oneStage = sim('--seed', SEED, '--solve', '--stages', 1);
    const twoStages = sim('--seed', SEED, '--solve', '--stages', 2);
    const flips = twoStages.lines.flatMap((line) => line.match(/before ticks ([\d,]+)/)?.[1].split(',') ?? []);
    const crash = sim('--seed', SEED, '--flips', flips.join(','));
    const events = [...flips.map((tick) => ({ tick: +tick, flip: true })), { tick: +oneStage.result.ticks,
        box: TEXT_CLEAR }, { tick: +twoStages.result.ticks, box: TEXT_CLEAR, keep: true }];
    const context = await launch(t, { init: countSounds });
    let page = await open(context, manual);
    const builtIn = await rankFile(page);
    await startGame(page);
    await page.waitForFunction(() => window.soundDecodes.length > 0 && Promise.all(window.soundDecodes));
    const tick = await play(page, events.sort((a, b) => a.tick - b.tick));
    assert.equal(await differing(page, twoStages.picture), 0, 'the field after two stages');
    await answer(page);
    await play(page, [{ tick: +crash.result.ticks, box: TEXT_GAME_OVER, keep: true }], tick);
    assert.equal(await differing(page, crash.picture), 0, 'the field at the crash');
    assert.equal(await page.evaluate(() => window.soundStarts), 1, 'crash sounds started');
    await answer(page);

    // A name of more than 16 code page 932 bytes keeps what fits; it replaces the lowest record, the fifth.
    const dialog = page.locator('dialog.dlg[data-template="111"][open]');
    await dialog.locator('input[data-control="1000"]').fill('ゆうしゃ1234567890');
    await dialog.locator('button[data-control="1"]').click();
    const line = new RegExp(`stage0*${crash.result.stage}  0*${crash.result.score}  ゆうしゃ12345678`);
    assert.match(await answer(page), line);
    const record = Buffer.alloc(28);
    record.write('\x82\xe4\x82\xa4\x82\xb5\x82\xe1' + '12345678', 'latin1');
    record.writeInt32LE(+crash.result.score, 20);
    record.writeInt16LE(+crash.result.stage, 24);
    const expected = Buffer.concat([builtIn.subarray(0, 4 * 28), record]);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after the name entry');
    await page.reload();
    await ready(page);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after a reload');
    await context.close();
    page = await open(await launch(t, { dir: context.dir }), server.url);
    await command(page, RANKING);
    assert.match(await answer(page), line);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after a browser restart');
});

test('an absent or broken crash sound changes nothing but the sound', LIMIT, async (t) => {
    const crash = sim('--seed', SEED);
    const replies = { served: null, missing: { status: 404 }, broken: { contentType: 'audio/wav', body: 'RIFF?' } };
    for (const [name, reply] of Object.entries(replies)) {
        await t.test(name, async (st) => {
            const context = await launch(st, { init: countSounds });
            let requested;
            const request = new Promise((resolve) => { requested = resolve; });
            await context.route('**/clash.wav', (route) => requested(reply ? route.fulfill(reply) : route.continue()));
            const page = await open(context, manual);
            await startGame(page);
            await request;
            if (reply?.status !== 404)
                await page.waitForFunction(() => window.soundDecodes.length > 0 && Promise.all(window.soundDecodes));
            await play(page, [{ tick: +crash.result.ticks, box: TEXT_GAME_OVER, keep: true }]);
            assert.equal(await differing(page, crash.picture), 0);
            assert.equal(await page.evaluate(() => window.soundStarts), reply ? 0 : 1);
            await answer(page);
            assert.match(await answer(page), /Ranking/);
            assert.equal(await page.locator('dialog[open]').count(), 0);
        });
    }
});

test('failing storage gives the file-error box and the game goes on', LIMIT, async (t) => {
    const page = await open(await launch(t, { init: () => {
        Object.defineProperty(window, 'indexedDB', { get() { throw new DOMException('denied', 'SecurityError'); } });
    } }), manual);
    assert.match(await answer(page), /^The ranking file rank\.vtd cannot be (read|created) \(.+\)\./);
    await startGame(page);
    const crash = sim('--seed', SEED);
    await step(page, +crash.result.ticks);
    assert.equal(await differing(page, crash.picture), 0);
    assert.equal(await answer(page), TEXT_GAME_OVER);
    assert.match(await answer(page), /Ranking/);
    assert.match(await answer(page), /^A file error occurred with "rank\.vtd"\./);
    assert.equal(await page.locator('dialog[open]').count(), 0);
    await startGame(page);
});

// Each input flips once, exactly where the runner flips at tick 10.
test('Space, a click and a tap on the field each flip once', LIMIT, async (t) => {
    const flipped = sim('--seed', SEED, '--flips', 10, '--ticks', 20).picture;
    const context = await launch(t, { hasTouch: true });
    const inputs = { space: (page) => page.keyboard.press('Space'), click: (page) => page.click('#field'),
        tap: (page) => page.tap('#field') };
    for (const [name, flip] of Object.entries(inputs)) {
        await t.test(name, async () => {
            const page = await open(context, manual);
            await startGame(page);
            await step(page, 10);
            await flip(page);
            await step(page, 10);
            assert.equal(await differing(page, flipped), 0);
        });
    }
});

test('the quit prompt: Cancel goes on with the game, OK closes it', LIMIT, async (t) => {
    const later = sim('--seed', SEED, '--ticks', 20).picture;
    const context = await launch(t);
    const ways = { escape: (page) => page.keyboard.press('Escape'), menu: (page) => command(page, EXIT) };
    for (const [name, quit] of Object.entries(ways)) {
        await t.test(name, async () => {
            const page = await open(context, manual);
            await startGame(page);
            await step(page, 10);
            await quit(page);
            assert.equal(await answer(page, 2), 'Do you quit Game?');
            await step(page, 10);
            assert.equal(await differing(page, later), 0);
            assert.equal(await page.isVisible('#closed'), false);
            await quit(page);
            await answer(page, 1);
            await page.locator('#closed button#restart').waitFor({ timeout: 5000 });
        });
    }
});

test('the first field of a seed is the runner\'s, pixel for pixel, also offline after the first visit', LIMIT,
    async (t) => {
        const context = await launch(t), first = sim('--seed', SEED, '--ticks', 0).picture;
        const page = await open(context, `${server.url}?seed=${SEED}`);
        assert.equal(await differing(page, first), 0);
        assert.equal(await page.textContent('#seed'), String(SEED));
        assert.match(await page.getAttribute('#seed-link', 'href'), new RegExp(`\\?seed=${SEED}$`));
        await page.evaluate(() => navigator.serviceWorker.ready);
        await context.setOffline(true);
        await page.reload();
        await ready(page);
        assert.equal(await differing(page, first), 0, 'offline');
    });
