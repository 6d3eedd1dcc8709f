// What the browser tests share: the built site on a local server, Debian's Chromium driven
// headless by playwright-core with a profile of its own, and a player's view of the page.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const { chromium } = await import(path.join(root, 'web', 'node_modules', 'playwright-core', 'index.mjs'));
const { serve } = await import(path.join(root, 'web', 'serve.mjs'));

export const site = process.env.ZARVEL_SITE ?? path.join(root, 'build-web', 'site');
export const golden = (name) => fs.readFileSync(path.join(root, 'tests', 'web', name), 'latin1');

const kLaunch = {
  executablePath: process.env.ZARVEL_CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
const kContext = { acceptDownloads: true, viewport: { width: 600, height: 540 } };

// Chromium with a fresh context for every `newContext()`, and the site's server.
export async function launchChromium() {
  const server = await serve(site, 0);
  const browser = await chromium.launch(kLaunch);
  return {
    base: `http://127.0.0.1:${server.address().port}/`,
    newContext: () => browser.newContext(kContext),
    async close() {
      await browser.close();
      server.close();
    },
  };
}

// A browser with a profile of its own and a server, for one test file.
export async function openBrowser() {
  const server = await serve(site, 0);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zarvel-chromium-'));
  const context = await chromium.launchPersistentContext(profile, { ...kLaunch, ...kContext });
  const base = `http://127.0.0.1:${server.address().port}/`;
  return {
    context,
    base,
    async close() {
      await context.close();
      server.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// The game's page, loaded and ready, with its errors collected; `fileAccess` false takes the
// file pickers away, as in a browser without them.
export async function openGame(browser, address = '', { fileAccess = true } = {}) {
  const page = await browser.context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  if (!fileAccess) {
    await page.addInitScript(() => {
      delete window.showOpenFilePicker;
      delete window.showSaveFilePicker;
    });
  }
  await page.goto(browser.base + address);
  await page.waitForSelector('body[data-state=ready]');
  return page;
}

// The colour (0xRRGGBB) of pixel (x, y) of a canvas.
export function pixel(page, id, x, y) {
  return page.evaluate(([id, x, y]) => {
    const [r, g, b] = document.getElementById(id).getContext('2d').getImageData(x, y, 1, 1).data;
    return (r << 16) | (g << 8) | b;
  }, [id, x, y]);
}

// The 49 cell colours column by column, as the board shows them.
export async function cells(page) {
  return page.evaluate(() => {
    const data = document.getElementById('picPole').getContext('2d').getImageData(0, 0, 281, 281).data;
    const colours = [];
    for (let c = 0; c < 7; ++c)
      for (let r = 0; r < 7; ++r) {
        const at = 4 * ((1 + 40 * r) * 281 + 1 + 40 * c);
        colours.push((data[at] << 16) | (data[at + 1] << 8) | data[at + 2]);
      }
    return colours;
  });
}

// Where on the page the middle of arrow `line` of bar `bar` is.
export async function arrow(page, bar, line) {
  const box = await page.locator(`#picStrelki${bar}`).boundingBox();
  const along = 40 * line + 20;
  return bar % 2 === 0 ? { x: box.x + along, y: box.y + 19 } : { x: box.x + 19, y: box.y + along };
}

export async function click(page, bar, line) {
  const at = await arrow(page, bar, line);
  await page.mouse.move(at.x, at.y);
  await page.mouse.down();
  await page.mouse.up();
}

// The arrow that shows a look other than plain, as [bar, line, look]; look 0 highlighted,
// 1 pressed; null when every arrow is plain.
export function shownArrow(page) {
  return page.evaluate(() => {
    for (let bar = 0; bar < 4; ++bar) {
      const canvas = document.getElementById(`picStrelki${bar}`);
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      for (let line = 0; line < 7; ++line) {
        // The square's middle is black in both looks and grey when plain; near the tip only
        // the large, highlighted arrow is black.
        const sx = bar % 2 === 0 ? 40 * line + 1 : 0;
        const sy = bar % 2 === 0 ? 0 : 40 * line + 1;
        const black = (x, y) => data[4 * ((sy + y) * canvas.width + sx + x)] === 0;
        if (!black(19, 19)) continue;
        const tip = [[19, 3], [35, 19], [19, 35], [3, 19]][bar];
        return [bar, line, black(...tip) ? 0 : 1];
      }
    }
    return null;
  });
}

export async function text(page, selector) {
  return (await page.locator(selector).textContent()).trim();
}

// Chromium for contexts of any screen: a phone's (touch, a device scale) or a desktop's.
export async function launchDevices() {
  const server = await serve(site, 0);
  const browser = await chromium.launch(kLaunch);
  return {
    base: `http://127.0.0.1:${server.address().port}/`,
    context: (options) => browser.newContext({ acceptDownloads: true, ...options }),
    async close() {
      await browser.close();
      server.close();
    },
  };
}

// As cells(), at any scale: each square read at its middle.
export async function cellsAtAnyScale(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('picPole');
    const f = canvas.width / 281;
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const colours = [];
    for (let c = 0; c < 7; ++c)
      for (let r = 0; r < 7; ++r) {
        const at = 4 * (Math.floor((20 + 40 * r) * f) * canvas.width + Math.floor((20 + 40 * c) * f));
        colours.push((data[at] << 16) | (data[at + 1] << 8) | data[at + 2]);
      }
    return colours;
  });
}

// As shownArrow(), at any scale.
export function shownArrowAtAnyScale(page) {
  return page.evaluate(() => {
    for (let bar = 0; bar < 4; ++bar) {
      const canvas = document.getElementById(`picStrelki${bar}`);
      const fx = canvas.width / (bar % 2 === 0 ? 281 : 39);
      const fy = canvas.height / (bar % 2 === 0 ? 39 : 281);
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      for (let line = 0; line < 7; ++line) {
        const sx = bar % 2 === 0 ? 40 * line + 1 : 0;
        const sy = bar % 2 === 0 ? 0 : 40 * line + 1;
        const black = (x, y) =>
          data[4 * (Math.floor((sy + y + 0.5) * fy) * canvas.width + Math.floor((sx + x + 0.5) * fx))] === 0;
        if (!black(19, 19)) continue;
        const tip = [[19, 3], [35, 19], [19, 35], [3, 19]][bar];
        return [bar, line, black(...tip) ? 0 : 1];
      }
    }
    return null;
  });
}

// As arrow(), at any scale.
export async function arrowAtAnyScale(page, bar, line) {
  const box = await page.locator(`#picStrelki${bar}`).boundingBox();
  const along = ((40 * line + 20) / 281) * (bar % 2 === 0 ? box.width : box.height);
  return bar % 2 === 0
    ? { x: box.x + along, y: box.y + box.height / 2 }
    : { x: box.x + box.width / 2, y: box.y + along };
}

// One finger through Chromium's own touch events: 'touchStart' and 'touchMove' at a point,
// 'touchEnd'.
export async function finger(cdp, type, at) {
  await cdp.send('Input.dispatchTouchEvent', { type, touchPoints: at ? [{ x: at.x, y: at.y }] : [] });
}
