// A whole game in the browser against the headless runner: the first field, two cleared stages, the crash with its
// sound, the name entry and the ranking file across a reload and a browser restart.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, test } from 'node:test';
import { answer, boxText, command, countSounds, differences, launch, open, picture, ready, serve, sim, step }
    from './harness.mjs';

const SEED = 7;
const START = '40001', RANKING = '40005';
const TEXT_START = 'Hit anykey to Start!', TEXT_CLEAR = 'Congratulations! Go to Next Stage.';
const TEXT_GAME_OVER = 'GameOver( ; _ ; )/~~~';
// Each test's limit, far above its usual run of a few seconds.
const LIMIT = { timeout: 120000 };
let server;
before(async () => { server = await serve(); });
after(() => server.close());

// The flips a stage plan of the runner lists ("stage 1: 4 flips before ticks 43,175,...").
function flipsOf(lines)
{
    return lines.flatMap((line) => line.match(/before ticks ([\d,]+)/)?.[1].split(',').map(Number) ?? []);
}

async function startGame(page)
{
    await command(page, START);
    assert.equal(await answer(page), TEXT_START);
}

// Plays ticks up to `events` (sorted {tick, flip} or {tick, box}): Space before a flip's tick, the box expected
// after a box's tick and answered with OK. Returns the tick count reached.
async function play(page, events, tick = 0)
{
    for (const event of events) {
        await step(page, event.tick - tick);
        tick = event.tick;
        if (event.flip)
            await page.keyboard.press('Space');
        else
            assert.equal(await (event.keep ? boxText(page) : answer(page)), event.box, `box after tick ${tick}`);
    }
    return tick;
}

async function rankFile(page)
{
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#rank-download')]);
    return fs.readFileSync(await download.path());
}

// One record's 28 file bytes: the name zero-filled to 20 bytes, the little-endian score and stage, two zero bytes.
function record(name, score, stage)
{
    const bytes = Buffer.alloc(28);
    bytes.write(name, 'latin1');
    bytes.writeInt32LE(score, 20);
    bytes.writeInt16LE(stage, 24);
    return bytes;
}

test('the first field of a seed is the runner\'s, pixel for pixel', LIMIT, async (t) => {
    const context = await launch(t);
    const page = await open(context, server.url, `?seed=${SEED}`);
    assert.equal(differences(await picture(page), sim('--seed', SEED, '--ticks', 0).picture), 'none');
    assert.equal(await page.textContent('#seed'), String(SEED));
    assert.match(await page.getAttribute('#seed-link', 'href'), new RegExp(`\\?seed=${SEED}$`));
});

test('the runner\'s flips clear two stages; the crash, its sound and the kept name follow', LIMIT, async (t) => {
    const oneStage = sim('--seed', SEED, '--solve', '--stages', 1), twoStages = sim('--seed', SEED, '--solve',
        '--stages', 2);
    const flips = flipsOf(twoStages.lines);
    const crash = sim('--seed', SEED, '--flips', flips.join(','));
    assert.equal(crash.result.end, 'crash');
    const events = [...flips.map((tick) => ({ tick, flip: true })), { tick: +oneStage.result.ticks, box: TEXT_CLEAR },
        { tick: +twoStages.result.ticks, box: TEXT_CLEAR, keep: true }].sort((a, b) => a.tick - b.tick);

    const context = await launch(t, { init: countSounds });
    let page = await open(context, server.url, `?seed=${SEED}&ticks=manual`);
    await startGame(page);
    await page.waitForFunction(() => window.soundDecodes.length > 0);
    await page.evaluate(() => Promise.all(window.soundDecodes));
    const tick = await play(page, events);
    assert.equal(differences(await picture(page), twoStages.picture), 'none', 'the field after two stages');
    await answer(page);
    await play(page, [{ tick: +crash.result.ticks, box: TEXT_GAME_OVER, keep: true }], tick);
    assert.equal(differences(await picture(page), crash.picture), 'none', 'the field at the crash');
    assert.equal(await page.evaluate(() => window.soundStarts), 1, 'crash sounds started');
    await answer(page);

    // A name of more than 16 code page 932 bytes keeps what fits.
    const dialog = page.locator('dialog.dlg[data-template="111"][open]');
    await dialog.locator('input[data-control="1000"]').fill('ゆうしゃ1234567890');
    await dialog.locator('button[data-control="1"]').click();
    const name = '\x82\xe4\x82\xa4\x82\xb5\x82\xe1' + '12345678';
    const line = new RegExp(`stage0*${crash.result.stage}  0*${crash.result.score}  ゆうしゃ12345678`);
    assert.match(await answer(page), line);
    const expected = Buffer.concat([record('\x82\xad\x82\xe9\x82\xdc', 5000, 10),
        record('\x82\xc2\x82\xad\x82\xa6', 4000, 9), record('\x82\xdf\x82\xaa\x82\xcb', 3000, 8),
        record('\x82\xa9\x82\xce\x82\xf1', 2000, 7), record(name, +crash.result.score, +crash.result.stage)]);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after the name entry');

    await page.reload();
    await ready(page);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after a reload');
    await context.close();
    const restarted = await launch(t, { dir: context.dir });
    page = await open(restarted, server.url);
    await command(page, RANKING);
    assert.match(await answer(page), line);
    assert.deepEqual(await rankFile(page), expected, 'rank.vtd after a browser restart');
});

// The crash without flips, with the sound file as served, missing and broken: only the sound may differ.
test('an absent or broken crash sound changes nothing but the sound', LIMIT, async (t) => {
    const crash = sim('--seed', SEED);
    const cases = [
        { name: 'served', starts: 1 },
        { name: 'missing', starts: 0, reply: { status: 404, body: 'not found' } },
        { name: 'broken', starts: 0, reply: { status: 200, contentType: 'audio/wav', body: 'RIFF garbage' } },
    ];
    for (const c of cases) {
        await t.test(c.name, async (st) => {
            const context = await launch(st, { init: countSounds });
            let requested;
            const request = new Promise((resolve) => { requested = resolve; });
            await context.route('**/clash.wav', async (route) => {
                requested();
                await (c.reply ? route.fulfill(c.reply) : route.continue());
            });
            const page = await open(context, server.url, `?seed=${SEED}&ticks=manual`);
            await startGame(page);
            await request;
            if (c.name !== 'missing')
                await page.waitForFunction(() => window.soundDecodes.length > 0);
            await page.evaluate(() => Promise.all(window.soundDecodes));
            await play(page, [{ tick: +crash.result.ticks, box: TEXT_GAME_OVER, keep: true }]);
            assert.equal(differences(await picture(page), crash.picture), 'none');
            assert.equal(await page.evaluate(() => window.soundStarts), c.starts);
            await answer(page);
            assert.match(await answer(page), /Ranking/);
            assert.equal(await page.locator('dialog[open]').count(), 0);
        });
    }
});
