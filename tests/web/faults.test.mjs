// What only the browser shows: the colours the page paints against the saved file's values
// and the pictures' own, the keys on the side bars and on a focused menu, an address typed
// in, a dropped file with no file's name, and the site's root address played offline.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cells, golden, openBrowser, openGame, shownArrow, text } from './page.mjs';

let browser;
before(async () => (browser = await openBrowser()));
after(async () => browser?.close());

function drop(page, name, contents) {
  return page.evaluate(([name, contents]) => {
    const data = new DataTransfer();
    data.items.add(new File([contents], name));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true }));
  }, [name, contents]);
}

async function message(page) {
  await page.waitForSelector('#msgbox');
  const said = await text(page, '#msgbox .message-text');
  await page.keyboard.press('Enter');
  return said;
}

test('the page paints what the file and the pictures hold, and its keys go where they say', async () => {
  const page = await openGame(browser, '#layout=5', { fileAccess: false });
  for (const name of ['..', '.', '']) {
    await drop(page, name, golden('layout-1234.zrv'));
    assert.equal(await message(page), `Файл «${name}» открыть не возможно.`);
  }
  assert.equal(await text(page, '#lblNmRasklada'), '5');

  // A saved colour is 0x00BBGGRR; a square shows it as red, green and blue.
  const saved = golden('layout-1234.zrv').split('\r\n').slice(3, 52).map(Number);
  await drop(page, 'colours.zrv', golden('layout-1234.zrv'));
  await page.waitForFunction(() => document.title.endsWith('[colours.zrv]'));
  const painted = saved.map((v) => ((v & 0xff) << 16) | (v & 0xff00) | ((v >> 16) & 0xff));
  assert.deepEqual(await cells(page), painted);
  const [differing, compared] = await page.evaluate(async () => {
    const image = new Image();
    image.src = 'assets/PicTrol.png';
    await image.decode();
    const own = new OffscreenCanvas(image.width, image.height).getContext('2d');
    own.drawImage(image, 0, 0);
    const want = own.getImageData(0, 0, image.width, image.height).data;
    const got = document.getElementById('PicTrol').getContext('2d')
      .getImageData(0, 0, image.width, image.height).data;
    let count = 0;
    for (let i = 0; i < want.length; i += 4)
      if (want[i + 3] === 255 && [0, 1, 2].some((k) => want[i + k] !== got[i + k])) ++count;
    return [count, want.length / 4];
  });
  assert.ok(compared > 1000);
  assert.equal(differing, 0, 'the gnome as his picture has him');

  // Down goes down the side bars; Shift+Tab crosses back; a focused menu keeps its Enter.
  await page.mouse.move(5, 500);
  for (const [key, shown] of [['ArrowRight', [0, 0, 0]], ['ArrowLeft', [3, 0, 0]],
    ['ArrowDown', [3, 1, 0]], ['ArrowDown', [3, 2, 0]], ['ArrowUp', [3, 1, 0]],
    ['Tab', [1, 1, 0]], ['Shift+Tab', [3, 1, 0]]]) {
    await page.keyboard.press(key);
    assert.deepEqual(await shownArrow(page), shown, key);
  }
  await page.focus('#File');
  await page.keyboard.press('Enter');
  assert.equal(await text(page, '#lblNmHod'), '0');
  assert.deepEqual(await shownArrow(page), [3, 1, 0]);
  await page.keyboard.press('Escape');

  // An address typed in deals its layout, 0 too.
  await page.evaluate(() => (location.hash = '#layout=0'));
  await page.waitForFunction(() => document.getElementById('lblNmRasklada').textContent.trim() === '0',
    null, { timeout: 5000 });
  assert.deepEqual(page.errors, []);
  await page.close();
});

test("once loaded, the site's root address plays offline", async () => {
  const page = await openGame(browser, '#layout=7');
  await page.evaluate(() => navigator.serviceWorker.ready);
  await browser.context.setOffline(true);
  try {
    await page.reload();
    await page.waitForSelector('body[data-state=ready]');
    assert.equal(await text(page, '#lblNmRasklada'), '7');
  } finally {
    await browser.context.setOffline(false);
  }
  await page.close();
});
