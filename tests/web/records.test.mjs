// Records that survive the tab: a reload at the ranking box's OK, a tab closed with the box open, storage lost
// while playing, and a second tab.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { answer, command, launch, open, ready, serve, sim, step } from './harness.mjs';

const SEED = 7, START = '40001', RANKING = '40005', LIMIT = { timeout: 120000 };
const server = await serve(), manual = `${server.url}?seed=${SEED}&ticks=manual`;
after(() => server.close());

// A ranking of five empty records, loaded through the page, so that any score earns a place.
async function emptyRanking(page)
{
    const loaded = page.waitForEvent('load');
    await page.setInputFiles('#rank-upload', { name: 'rank.vtd', mimeType: 'application/octet-stream',
        buffer: Buffer.alloc(140) });
    await loaded;
    await ready(page);
}

// Plays the seed's first game to its crash and enters `name`: the ranking box with the new record is open.
async function newRecord(page, name)
{
    await command(page, START);
    await answer(page);
    await step(page, +sim('--seed', SEED).result.ticks);
    await answer(page);
    const dialog = page.locator('dialog.dlg[open]');
    await dialog.locator('input').fill(name);
    await dialog.locator('button[data-control="1"]').click();
    await page.locator('dialog.box[open]').waitFor();
}

async function reopen(context)
{
    const page = await context.newPage();
    await page.goto(manual);
    return ready(page).then(() => page);
}

async function ranking(page)
{
    await command(page, RANKING);
    return answer(page);
}

test('a record is kept through a reload at the OK and a tab closed with the box open', LIMIT, async (t) => {
    const context = await launch(t);
    const page = await open(context, manual);
    await emptyRanking(page);
    await newRecord(page, 'Reload');
    await page.evaluate(() => {
        document.querySelector('dialog.box[open] button[data-id="1"]').click();
        location.reload();
    });
    await ready(page);
    assert.match(await ranking(page), /Reload/);
    await newRecord(page, 'Closed');
    await page.close();
    assert.match(await ranking(await reopen(context)), /Closed/);
});

test('storage deleted while playing gives the file-error box at the next save', LIMIT, async (t) => {
    const page = await open(await launch(t), manual);
    await emptyRanking(page);
    await page.evaluate(() => indexedDB.deleteDatabase('/data'));
    await newRecord(page, 'Lost');
    assert.match(await answer(page), /Lost/);
    assert.match(await answer(page), /^A file error occurred with "rank\.vtd"\./);
});

test('a second tab says the game is open elsewhere and takes it over with the first tab\'s record', LIMIT,
    async (t) => {
        const context = await launch(t);
        const first = await open(context, manual);
        await emptyRanking(first);
        await newRecord(first, 'First');
        const second = await context.newPage();
        await second.goto(manual);
        assert.match(await second.textContent('#elsewhere', { timeout: 5000 }), /open in another tab/);
        await second.click('#elsewhere button');
        await ready(second);
        assert.match(await first.textContent('#elsewhere'), /moved to another tab/);
        assert.match(await ranking(second), /First/);
    });
