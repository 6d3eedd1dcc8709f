// The game in headless Chromium, as a player meets it: a deal by its address, moves by the
// arrows, undo and redo, hints to a win, saving and opening, a refused file, and play offline.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { arrow, cells, cellsAtAnyScale, click, golden, openBrowser, openGame, pixel, shownArrow, text } from './page.mjs';

let browser;
before(async () => {
  browser = await openBrowser();
  // Every test starts without the game an earlier one left kept: a new tab forgets it once.
  await browser.context.addInitScript(() => {
    if (sessionStorage.getItem('zarvel.tab')) return;
    sessionStorage.setItem('zarvel.tab', '1');
    localStorage.removeItem('zarvel.game');
  });
});
after(async () => browser?.close());

const kTitle = 'Головоломка «Zarvel»';

test('a deal by its address is the desktop deal, and its arrows, undo and redo move it', async () => {
  const page = await openGame(browser, '#layout=1234', { fileAccess: false });
  assert.equal(await page.title(), kTitle);
  assert.equal(await text(page, '#lblNmRasklada'), '1234');
  assert.equal(await text(page, '#lblNmHod'), '0');
  const dealt = await cells(page);

  // "Сохранить" without a file asks for none: the layout's number, downloaded.
  const download = page.waitForEvent('download');
  await page.keyboard.press('Control+s');
  const saved = await download;
  assert.equal(saved.suggestedFilename(), '1234.zrv');
  assert.equal(
    (await import('node:fs')).readFileSync(await saved.path(), 'latin1'),
    golden('layout-1234.zrv'),
  );
  assert.equal(await page.title(), `${kTitle} - [1234.zrv]`);

  // Hover shows the large arrow; a click on column 3 up moves that column and counts.
  const at = await arrow(page, 0, 3);
  await page.mouse.move(at.x, at.y);
  assert.deepEqual(await shownArrow(page), [0, 3, 0]);
  await page.mouse.down();
  assert.deepEqual(await shownArrow(page), [0, 3, 1]);
  await page.mouse.up();
  const moved = await cells(page);
  for (let row = 0; row < 7; ++row) assert.equal(moved[21 + row], dealt[21 + ((row + 1) % 7)]);
  assert.equal(await text(page, '#lblNmHod'), '1');
  // A press dragged to the next arrow and let go there moves nothing.
  const next = await arrow(page, 0, 4);
  await page.mouse.down();
  await page.mouse.move(next.x, next.y);
  await page.mouse.up();
  assert.equal(await text(page, '#lblNmHod'), '1');
  await page.mouse.move(5, 500);
  assert.equal(await shownArrow(page), null);

  await page.keyboard.press('Control+z');
  assert.deepEqual(await cells(page), dealt);
  assert.equal(await text(page, '#lblNmHod'), '0');
  await page.keyboard.press('Control+Shift+z');
  assert.deepEqual(await cells(page), moved);
  await page.keyboard.press('Control+z');
  await page.keyboard.press('Control+y');
  assert.equal(await text(page, '#lblNmHod'), '1');
  assert.equal(new URL(page.url()).hash, '#layout=1234');
  // Any button alike; a press dragged off the bar shows its arrow raised, and back on it,
  // pressed again, and there its release makes the move.
  await page.mouse.move(at.x, at.y);
  await page.mouse.down({ button: 'right' });
  await page.mouse.move(at.x, at.y + 120);
  assert.deepEqual(await shownArrow(page), [0, 3, 0]);
  await page.mouse.move(at.x, at.y);
  assert.deepEqual(await shownArrow(page), [0, 3, 1]);
  await page.mouse.up({ button: 'right' });
  assert.equal(await text(page, '#lblNmHod'), '2');

  // "Расклад...": the dialog's rules, then the deal, which the address follows.
  await page.keyboard.press('F3');
  await page.keyboard.type('4x2-');
  assert.equal(await page.inputValue('#txtNomer'), '42');
  await page.keyboard.type('7777');
  assert.equal(await page.inputValue('#txtNomer'), '42777');
  assert.equal(await page.isDisabled('#kOK'), true);
  await page.keyboard.press('Backspace');
  await page.keyboard.press('Enter');
  assert.equal(await text(page, '#lblNmRasklada'), '4277');
  assert.equal(await text(page, '#lblNmHod'), '0');
  assert.equal(new URL(page.url()).hash, '#layout=4277');

  // The keyboard's cursor: the first key only shows it on column 1 up, then it travels, Tab
  // crosses to the other direction of the same line, Space moves it, Escape hides it.
  await page.mouse.move(5, 500);
  await page.keyboard.press('ArrowRight');
  assert.deepEqual(await shownArrow(page), [0, 0, 0]);
  await page.keyboard.press('ArrowLeft');
  assert.deepEqual(await shownArrow(page), [3, 0, 0]);
  await page.keyboard.press('Tab');
  assert.deepEqual(await shownArrow(page), [1, 0, 0]);
  assert.equal(await text(page, '#cursor-name'), 'Строка 1 вправо');
  await page.keyboard.press('Space');
  await untilMoves(page, 1);  // once the release's wait has seen no repeat
  await page.keyboard.press('Escape');
  assert.equal(await shownArrow(page), null);

  // S: a dark symbol in the middle of every square, the colours at the corners as they were;
  // a reload keeps the choice, and S again gives the plain squares back.
  const inked = () => page.evaluate(() => {
    const data = document.getElementById('picPole').getContext('2d').getImageData(0, 0, 281, 281).data;
    let count = 0;
    for (let at = 0; at < 49; ++at) {
      const i = 4 * ((20 + 40 * (at % 7)) * 281 + 20 + 40 * Math.floor(at / 7));
      count += Math.max(data[i], data[i + 1], data[i + 2]) < 64;
    }
    return count;
  });
  const squares = await cells(page);
  await page.keyboard.press('s');
  assert.equal(await inked(), 49);
  assert.deepEqual(await cells(page), squares);
  await page.reload();
  await page.waitForSelector('body[data-state=ready]');
  assert.equal(await inked(), 49);
  await page.keyboard.press('s');
  assert.equal(await inked(), 0);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('hints and Enter lead to a win: the victory window, the caged gnome, an undo frees him', async () => {
  const page = await openGame(browser, '#layout=777');
  const free = await pixel(page, 'PicTrol', 84, 140);
  let moves = 0;
  for (; moves < 60 && !(await page.isVisible('#frmEnd')); ++moves) {
    await page.keyboard.press('h');
    const shown = await pollShown(page);
    assert.equal(shown[2], 1, 'the hint shows its arrow pressed');
    // Enter makes the hinted move, at once or after the blink.
    await page.keyboard.press('Enter');
    await untilMoves(page, moves + 1);
  }
  assert.equal(await page.isVisible('#frmEnd'), true);
  assert.match(await text(page, '#frmEnd .caption span'), /Конец игры/);
  await page.waitForTimeout(250);
  const green = await page.evaluate(() => {
    const canvas = document.querySelector('#frmEnd canvas');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0;
    for (let i = 0; i < data.length; i += 4) if (data[i + 1] === 255 && data[i] === 0) ++count;
    return count;
  });
  assert.ok(green > 500, `the letters are drawn green (${green} pixels)`);
  const caged = await pixel(page, 'PicTrol', 84, 140);
  assert.notEqual(caged, free);
  await page.keyboard.press('Enter');
  assert.equal(await page.isVisible('#frmEnd'), false);
  await page.waitForTimeout(300);  // longer than a release waits for its repeat
  assert.equal(await text(page, '#lblNmHod'), String(moves), 'the Enter that closes it moves nothing');
  await page.keyboard.press('Control+z');
  assert.equal(await pixel(page, 'PicTrol', 84, 140), free);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Waits until the move counter shows `moves`.
async function untilMoves(page, moves) {
  await page.waitForFunction((n) => document.querySelector('#lblNmHod').textContent === String(n), moves);
}

async function pollShown(page) {
  for (let i = 0; i < 500; ++i) {
    const shown = await shownArrow(page);
    if (shown) return shown;
    await page.waitForTimeout(10);
  }
  throw new Error('no arrow blinked within 5 s');
}

test('saving and opening round-trip through the file pickers, asking before replacing', async () => {
  const page = await openGame(browser, '#layout=31');
  await page.evaluate(() => {
    // A file system of names: what the pickers hand the page.
    const files = (window.files = new Map());
    class Handle {
      constructor(name) {
        this.name = name;
      }
      async getFile() {
        return new File([files.get(this.name) ?? ''], this.name);
      }
      async createWritable() {
        const parts = [];
        return {
          write: async (data) => parts.push(new TextDecoder().decode(data)),
          close: async () => files.set(this.name, parts.join('')),
        };
      }
      async isSameEntry(other) {
        return other.name === this.name;
      }
    }
    window.showSaveFilePicker = async ({ suggestedName }) => new Handle(window.pick ?? suggestedName);
    window.showOpenFilePicker = async () => [new Handle(window.pick)];
  });
  await click(page, 1, 2);
  await page.click('#File');
  await page.click('#FileSaveAs');
  await page.waitForFunction(() => document.title.endsWith('[31.zrv]'));
  const first = await page.evaluate(() => window.files.get('31.zrv'));
  assert.match(first, /^\[zarvel\]\r\n 31 \r\n 1 \r\n/);
  const board = await cells(page);

  await click(page, 2, 5);
  await page.keyboard.press('Control+s');  // the same file again, no question
  await page.waitForFunction(() => / 2 \r\n/.test(window.files.get('31.zrv')));
  assert.equal(await page.isVisible('#msgbox'), false);

  // Another file that is there: the question, with No preselected; No keeps it.
  await page.evaluate(() => {
    window.files.set('other.zrv', 'precious');
    window.pick = 'other.zrv';
  });
  await page.click('#File');
  await page.click('#FileSaveAs');
  await page.waitForSelector('#msgbox');
  assert.equal(await text(page, '#msgbox .caption span'), kTitle);
  assert.equal(
    await text(page, '#msgbox .message-text'),
    'Файл «other.zrv» уже существует.Заменить его?',
  );
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => window.files.get('other.zrv')), 'precious');
  assert.equal(await page.title(), `${kTitle} - [31.zrv]`);

  // Ctrl+O brings the first save back: its board, its counters, its name.
  await page.evaluate((text) => {
    window.pick = '31.zrv';
    window.files.set('31.zrv', text);
  }, first);
  await page.keyboard.press('Control+o');
  await page.waitForFunction(() => document.getElementById('lblNmHod').textContent === '1');
  assert.deepEqual(await cells(page), board);
  assert.equal(await page.title(), `${kTitle} - [31.zrv]`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('a refused file leaves the game as it was, with its message; a dropped one opens; once loaded it installs and plays offline', async () => {
  const page = await openGame(browser, '#layout=5', { fileAccess: false });
  const board = await cells(page);
  const chooser = page.waitForEvent('filechooser');
  await page.click('#File');
  await page.click('#FileOpen');
  await (await chooser).setFiles({ name: 'notes.txt', mimeType: 'text/plain', buffer: Buffer.from('Shopping list\n') });
  await page.waitForSelector('#msgbox');
  assert.equal(await text(page, '#msgbox .caption span'), kTitle);
  assert.equal(await text(page, '#msgbox .message-text'), 'Файл «notes.txt» не подходит к программе.');
  await page.keyboard.press('Enter');
  assert.deepEqual(await cells(page), board);
  assert.equal(await text(page, '#lblNmRasklada'), '5');
  assert.equal(await page.title(), kTitle);

  // A saved game dropped on the page opens as "Открыть" opens it.
  await page.evaluate((text) => {
    const data = new DataTransfer();
    data.items.add(new File([text], 'dropped.zrv'));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true }));
  }, golden('layout-1234.zrv'));
  await page.waitForFunction(() => document.title.endsWith('[dropped.zrv]'));
  assert.equal(await text(page, '#lblNmRasklada'), '1234');

  // A finer screen gets the pictures drawn at twice the size: the gnome's and the arrows'.
  const fine = await browser.context.newPage();
  const cdp = await browser.context.newCDPSession(fine);
  await cdp.send('Emulation.setDeviceMetricsOverride', { width: 600, height: 540, deviceScaleFactor: 2, mobile: false });
  await fine.goto(`${browser.base}#layout=5`);
  await fine.waitForSelector('body[data-state=ready]');
  const sizes = await fine.evaluate(() =>
    ['picStrelki0', 'PicTrol', 'picPole'].map((id) => document.getElementById(id).width));
  assert.deepEqual(sizes, [562, 336, 562]);
  assert.deepEqual(await cellsAtAnyScale(fine), board);  // the deal of layout 5, as before the drop
  await fine.close();

  // F1 opens the help page in a tab of its own.
  const help = browser.context.waitForEvent('page');
  await page.keyboard.press('F1');
  const helpPage = await help;
  await helpPage.waitForLoadState();
  assert.equal(decodeURIComponent(new URL(helpPage.url()).pathname), '/Справка.html');
  await helpPage.close();

  // Once its service worker runs, the browser can install the page as an app.
  await page.evaluate(() => navigator.serviceWorker.ready);
  const session = await browser.context.newCDPSession(page);
  assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  await browser.context.setOffline(true);
  try {
    await page.goto(`${browser.base}index.html#layout=6`);
    await page.waitForSelector('body[data-state=ready]');
    assert.equal(await text(page, '#lblNmRasklada'), '6');
    await page.keyboard.press('h');
    await pollShown(page);
  } finally {
    await browser.context.setOffline(false);
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});
