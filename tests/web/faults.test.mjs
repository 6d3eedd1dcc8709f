// What only the browser shows: the colours painted against the saved file's values and the
// pictures' own, the keys on the side bars and on a focused menu, an address typed in, a
// dropped file with no file's name, and the site's root address played offline.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cells, golden, openBrowser, openGame, shownArrow, text } from './page.mjs';

let browser;
before(async () => (browser = await openBrowser()));
after(async () => browser?.close());

test('the page paints what the file and the pictures hold, its keys go where they say, and it plays offline', async () => {
  const page = await openGame(browser, '#layout=5', { fileAccess: false });
  const saved = golden('layout-1234.zrv');
  for (const name of ['..', '.', '', 'colours.zrv']) {
    await page.evaluate(([name, saved]) => {
      const data = new DataTransfer();
      data.items.add(new File([saved], name));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true }));
    }, [name, saved]);
    if (name.endsWith('.zrv')) break;
    await page.waitForSelector('#msgbox');
    assert.equal(await text(page, '#msgbox .message-text'), `Файл «${name}» открыть не возможно.`);
    await page.keyboard.press('Enter');
  }
  // A saved colour is 0x00BBGGRR; the square shows it as red, green and blue.
  await page.waitForFunction(() => document.title.endsWith('[colours.zrv]'));
  const values = saved.split('\r\n').slice(3, 52).map(Number);
  assert.deepEqual(await cells(page), values.map((v) => ((v & 0xff) << 16) | (v & 0xff00) | (v >> 16)));
  const [differing, compared] = await page.evaluate(async () => {
    const image = Object.assign(new Image(), { src: 'assets/PicTrol.png' });
    await image.decode();
    const own = new OffscreenCanvas(image.width, image.height).getContext('2d');
    own.drawImage(image, 0, 0);
    const [want, got] = [own, document.getElementById('PicTrol').getContext('2d')]
      .map((c) => c.getImageData(0, 0, image.width, image.height).data);
    const differs = (i) => want[i + 3] === 255 && [0, 1, 2].some((k) => want[i + k] !== got[i + k]);
    return [want.filter((_, i) => i % 4 === 0 && differs(i)).length, want.length / 4];
  });
  assert.ok(compared > 1000 && differing === 0, `the gnome differs from his picture in ${differing} pixels`);

  // Down goes down the side bars; Shift+Tab crosses back; a focused menu keeps its Enter.
  await page.mouse.move(5, 500);
  for (const [key, shown] of [['ArrowRight', [0, 0, 0]], ['ArrowLeft', [3, 0, 0]], ['ArrowDown', [3, 1, 0]],
    ['ArrowDown', [3, 2, 0]], ['ArrowUp', [3, 1, 0]], ['Tab', [1, 1, 0]], ['Shift+Tab', [3, 1, 0]]]) {
    await page.keyboard.press(key);
    assert.deepEqual(await shownArrow(page), shown, key);
  }
  await page.focus('#File');
  await page.keyboard.press('Enter');
  assert.equal(await text(page, '#lblNmHod'), '0');
  assert.deepEqual(await shownArrow(page), [3, 1, 0]);
  await page.keyboard.press('Escape');

  // An address typed in deals its layout, 0 too; and once loaded the root address plays offline.
  await page.evaluate(() => (location.hash = '#layout=0'));
  await page.waitForFunction(() => document.getElementById('lblNmRasklada').textContent.trim() === '0',
    null, { timeout: 5000 });
  await page.evaluate(() => navigator.serviceWorker.ready);
  await browser.context.setOffline(true);
  await page.reload().finally(() => browser.context.setOffline(false));
  await page.waitForSelector('body[data-state=ready]');
  assert.equal(await text(page, '#lblNmRasklada'), '0');
  assert.deepEqual(page.errors, []);
});
