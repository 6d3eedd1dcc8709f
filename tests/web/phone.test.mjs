// The page on a phone and on any screen, in headless Chromium with real touch events: taps
// and held fingers on the arrows, the buttons under the window, the fit from 320 x 480 to
// 2560 x 1440, a game that survives a reload, and what axe-core finds for a screen reader.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { arrowAtAnyScale, cellsAtAnyScale, finger, launchDevices, openGame, shownArrowAtAnyScale, text } from './page.mjs';

let devices;
before(async () => (devices = await launchDevices()));
after(async () => devices?.close());

const kPhone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true, isMobile: true };
const kCveta = [0x0000ff, 0x4080ff, 0x00ffff, 0x00ff00, 0xffff00, 0xff0000, 0xff00ff];

// A kept game one move from solved: every column one colour, but row 1 moved one cell left.
function keptNearWin() {
  let text = '[zarvel]\r\n 7 \r\n 3 \r\n';
  for (let c = 0; c < 7; ++c) for (let r = 0; r < 7; ++r) text += ` ${kCveta[r === 0 ? (c + 1) % 7 : c]} \r\n`;
  return `zarvel-page-game 1\n\n0 0 0\n${text}`;
}

async function phonePage(options, address, kept) {
  const context = await devices.context(options);
  if (kept) await context.addInitScript((text) => localStorage.setItem('zarvel.game', text), kept);
  const page = await openGame({ context, base: devices.base }, address);
  return { context, page };
}

// The board after a move of `line` towards bar `bar`, cells column by column.
function shifted(cells, bar, line) {
  const at = (c, r) => cells[7 * ((c + 7) % 7) + ((r + 7) % 7)];
  return cells.map((colour, i) => {
    const [c, r] = [Math.floor(i / 7), i % 7];
    if (bar % 2 === 0) return c === line ? at(c, r + (bar === 0 ? 1 : -1)) : colour;
    return r === line ? at(c + (bar === 1 ? -1 : 1), r) : colour;
  });
}

test('a finger taps every bar, slides off without a move, holds its own arrow pressed, and the buttons undo, redo and hint', async () => {
  const { context, page } = await phonePage(kPhone, '#layout=1234');
  const cdp = await context.newCDPSession(page);
  const dealt = await cellsAtAnyScale(page);
  let board = dealt;
  for (const [bar, line] of [[0, 5], [1, 2], [2, 6], [3, 1]]) {
    const at = await arrowAtAnyScale(page, bar, line);
    await page.touchscreen.tap(at.x, at.y);
    board = shifted(board, bar, line);
    assert.deepEqual(await cellsAtAnyScale(page), board, `bar ${bar}, line ${line}`);
  }
  assert.equal(await text(page, '#lblNmHod'), '4');
  assert.equal(await shownArrowAtAnyScale(page), null, 'a lifted finger leaves no arrow lit');

  const held = await arrowAtAnyScale(page, 2, 6);
  await finger(cdp, 'touchStart', held);
  assert.deepEqual(await shownArrowAtAnyScale(page), [2, 6, 1]);
  await finger(cdp, 'touchStart', await arrowAtAnyScale(page, 0, 0));  // a second finger does nothing
  await finger(cdp, 'touchMove', { x: held.x, y: held.y - 150 });
  await finger(cdp, 'touchEnd');
  assert.equal(await text(page, '#lblNmHod'), '4');
  assert.equal(await shownArrowAtAnyScale(page), null);

  // A tap's click comes from the browser's gesture, after the tap itself has returned.
  const counter = (moves) => page.waitForFunction((n) => document.getElementById('lblNmHod').textContent === n, moves);
  await page.tap('#ToolUndo');
  await counter('3');
  await page.tap('#ToolRedo');
  await counter('4');
  assert.deepEqual(await cellsAtAnyScale(page), board);
  assert.equal(await page.isDisabled('#ToolRedo'), true);
  for (let i = 3; i >= 0; --i) {
    await page.tap('#ToolUndo');
    await counter(String(i));
  }
  assert.deepEqual(await cellsAtAnyScale(page), dealt);
  assert.equal(await page.isDisabled('#ToolUndo'), true);
  await page.tap('#ToolHint');
  for (let i = 0; i < 500 && !(await shownArrowAtAnyScale(page)); ++i) await page.waitForTimeout(10);
  assert.equal((await shownArrowAtAnyScale(page))?.[2], 1, 'the hint shows its arrow pressed');
  // The fourth button: a dark symbol in the middle of every square, and off again.
  const plain = await cellsAtAnyScale(page);
  const inked = async () => (await cellsAtAnyScale(page)).every((c) => Math.max(c >> 16, (c >> 8) & 255, c & 255) < 64);
  await page.tap('#ToolSymbols');
  for (let i = 0; i < 200 && !(await inked()); ++i) await page.waitForTimeout(10);
  assert.ok(await inked(), 'a symbol on every square');
  assert.equal(await page.getAttribute('#ToolSymbols', 'aria-pressed'), 'true');
  await page.tap('#ToolSymbols');
  for (let i = 0; i < 200 && (await inked()); ++i) await page.waitForTimeout(10);
  assert.deepEqual(await cellsAtAnyScale(page), plain);
  assert.deepEqual(page.errors, []);
  await context.close();
});

test('the whole window, and the victory window, fit every screen from 320 x 480 to 2560 x 1440 without scrolling', async () => {
  const screens = [[320, 480], [480, 320], [390, 844], [844, 390], [1440, 2560], [2560, 1440]];
  for (const [width, height] of screens) {
    for (const touch of [true, false]) {
      const what = `${width} x ${height}, ${touch ? 'touch' : 'mouse'}`;
      const options = { viewport: { width, height }, deviceScaleFactor: touch ? 3 : 1.5, hasTouch: touch, isMobile: touch };
      const { context, page } = await phonePage(options, '', keptNearWin());
      const within = async (selector) => {
        const box = await page.locator(selector).boundingBox();
        assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= width && box.y + box.height <= height,
          `${selector} at ${JSON.stringify(box)} on ${what}`);
        return box;
      };
      const window = await within('#window');
      assert.equal(await page.isVisible('#toolbar'), touch, what);
      if (!touch && width >= 600 && height >= 540) assert.equal(Math.round(window.width), 555, `its own size: ${what}`);
      if (touch) assert.ok(window.width > width * 0.95 || window.height > height * 0.9, `the largest size: ${what}`);
      const scroll = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]);
      assert.deepEqual(scroll, [width, height], what);
      // Every line between the squares as wide as every other, in device pixels.
      const lines = await page.evaluate(() => {
        const canvas = document.getElementById('picPole');
        const row = Math.floor((20 * canvas.height) / 281);
        const data = canvas.getContext('2d').getImageData(0, row, canvas.width, 1).data;
        const runs = [];
        for (let x = 0, run = 0; x <= canvas.width; ++x) {
          const black = x < canvas.width && data[4 * x] + data[4 * x + 1] + data[4 * x + 2] === 0;
          if (black) ++run;
          else if (run) runs.push(run), (run = 0);
        }
        const drawn = Math.abs(canvas.width - canvas.getBoundingClientRect().width * devicePixelRatio) < 0.5;
        return drawn ? runs : 'not drawn at the device resolution';
      });
      assert.equal(lines.length, 8, what);
      assert.equal(new Set(lines).size, 1, `${lines} on ${what}`);
      const winning = await arrowAtAnyScale(page, 1, 0);
      if (touch) await page.touchscreen.tap(winning.x, winning.y);
      else await page.mouse.click(winning.x, winning.y);
      await page.waitForSelector('#frmEnd');
      await within('#frmEnd');
      assert.deepEqual(page.errors, [], what);
      await context.close();
    }
  }
});

test('a reload brings the game back with its undo, a changed address asks first, and a damaged kept game deals afresh', async () => {
  const { context, page } = await phonePage(kPhone, '#layout=1234');
  for (const [bar, line] of [[0, 2], [3, 4]]) {
    const at = await arrowAtAnyScale(page, bar, line);
    await page.touchscreen.tap(at.x, at.y);
  }
  const board = await cellsAtAnyScale(page);
  await page.reload();
  await page.waitForSelector('body[data-state=ready]');
  assert.deepEqual(await cellsAtAnyScale(page), board);
  assert.equal(await text(page, '#lblNmHod'), '2');
  assert.equal(await text(page, '#lblNmRasklada'), '1234');
  await page.tap('#ToolUndo');
  assert.equal(await text(page, '#lblNmHod'), '1');

  // Another layout in the address: the question of «Новая игра»; No keeps the game and its address.
  await page.evaluate(() => (location.hash = '#layout=77'));
  await page.waitForSelector('#msgbox');
  assert.equal(await text(page, '#msgbox .message-text'), 'Новая игра?');
  await page.tap('#msgbox [data-answer=no]');
  await page.waitForFunction(() => location.hash === '#layout=1234');
  assert.equal(await text(page, '#lblNmHod'), '1');
  await page.evaluate(() => (location.hash = '#layout=77'));
  await page.tap('#msgbox [data-answer=yes]');
  await page.waitForFunction(() => document.getElementById('lblNmRasklada').textContent === '77');
  // An address of no layout keeps the game and puts its number back.
  await page.evaluate(() => (location.hash = '#layout=99999'));
  await page.waitForFunction(() => location.hash === '#layout=77');
  assert.equal(await text(page, '#lblNmRasklada'), '77');

  await page.evaluate(() => localStorage.setItem('zarvel.game', 'zarvel-page-game 1\nbroken'));
  await page.goto(`${devices.base}index.html`);
  await page.waitForSelector('body[data-state=ready]');
  assert.equal(await text(page, '#lblNmHod'), '0');
  assert.match(await page.evaluate(() => localStorage.getItem('zarvel.game')), /^zarvel-page-game 1\n\n0 0 0\n/);

  assert.deepEqual(page.errors, []);
  await context.close();

  // No core: the page says what went wrong in the window's place.
  const { context: bare, page: failing } = await phonePage({ ...kPhone, serviceWorkers: 'block' }, '#layout=1');
  await failing.route('**/zarvel.wasm', (route) => route.abort());
  await failing.goto(`${devices.base}index.html`);
  await failing.waitForSelector('#failed');
  assert.match(await text(failing, '#failed'), /^Игра не загрузилась/);
  assert.equal(await failing.isVisible('#menubar'), false);
  await failing.addInitScript(() => delete globalThis.WebAssembly);
  await failing.goto(`${devices.base}index.html`);
  await failing.waitForSelector('#failed');
  assert.match(await text(failing, '#failed'), /^Игра не может начаться: этот браузер не выполняет WebAssembly/);
  await bare.close();
});

test('axe-core finds nothing on the page, in the open menu or in any modal window; the reader gets named arrows, a grid and what happened', async () => {
  const { context, page } = await phonePage({ viewport: { width: 600, height: 540 } }, '', keptNearWin());
  const axe = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..', 'web', 'node_modules', 'axe-core', 'axe.min.js');
  await page.addScriptTag({ path: axe });
  const clean = async (what) => {
    const { violations } = await page.evaluate(() => window.axe.run({ resultTypes: ['violations'] }));
    assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [], what);
  };
  await clean('the page');
  await page.keyboard.press('F10');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'FileNewGame');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'FileOpen');
  await clean('the open menu');
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'HelpCallHelp');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  await page.waitForSelector('#frmOprog');
  await clean('About');
  await page.keyboard.press('Escape');
  await page.keyboard.press('Alt');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');  // «Расклад...»
  await page.waitForSelector('#frmRasklad');
  await clean('the layout dialog');
  await page.keyboard.press('Escape');
  await page.keyboard.press('Control+n');
  await page.waitForSelector('#msgbox');
  await clean('a message');
  await page.keyboard.press('Escape');

  assert.equal(await page.getByRole('button', { name: 'Строка 1 вправо' }).count(), 1);
  const cells = await page.getByRole('gridcell').evaluateAll((all) => all.map((cell) => cell.getAttribute('aria-label')));
  assert.equal(cells.length, 49);
  assert.deepEqual(new Set(cells), new Set(['красный', 'оранжевый', 'жёлтый', 'зелёный', 'голубой', 'синий', 'фиолетовый']));
  await page.getByRole('button', { name: 'Строка 1 вправо' }).evaluate((button) => button.click());  // a reader's press
  await page.waitForSelector('#frmEnd');
  assert.equal(await text(page, '#said'), 'Строка 1 вправо, ход 4. ПОБЕДА!!! Гном в клетке');
  await clean('the victory window');
  assert.deepEqual(page.errors, []);
  await context.close();
});
