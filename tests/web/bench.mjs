// The web page's figures, measured in headless Chromium from the local server: how soon the
// board is painted after navigation, and the hint from the key to the first blink over a
// spread of deals. Prints them; passes or fails nothing.
//   node tests/web/bench.mjs [DEALS] [LOADS]
import { launchChromium, openBrowser } from './page.mjs';

const deals = Number(process.argv[2] ?? 100);
const loads = Number(process.argv[3] ?? 20);

const percentile = (sorted, share) =>
  sorted[Math.min(sorted.length - 1, Math.round(share * (sorted.length - 1)))];
const summary = (times) => {
  const sorted = [...times].sort((a, b) => a - b);
  const f = (v) => `${v.toFixed(0)} ms`;
  return `median ${f(percentile(sorted, 0.5))}, p90 ${f(percentile(sorted, 0.9))}, ` +
    `p99 ${f(percentile(sorted, 0.99))}, largest ${f(sorted[sorted.length - 1])}`;
};

// The board painted, from the start of navigation: the first visit in a fresh context of a
// running browser, then a later visit, which the service worker serves.
const first = [];
const later = [];
const chromium = await launchChromium();
for (let i = 0; i < loads; ++i) {
  const context = await chromium.newContext();
  for (const times of [first, later]) {
    const page = await context.newPage();
    await page.goto(`${chromium.base}#layout=${i}`);
    await page.waitForSelector('body[data-state=ready]');
    times.push(await page.evaluate(() => performance.getEntriesByName('zarvel-board-painted')[0].startTime));
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.close();
  }
  await context.close();
}
await chromium.close();
console.log(`board painted after navigation, ${loads} loads: first visit ${summary(first)}`);
console.log(`  later visits: ${summary(later)}`);

// The hint: H pressed in the page, then the bars watched until an arrow shows pressed.
if (deals === 0) process.exit(0);
const browser = await openBrowser();
const page = await browser.context.newPage();
await page.goto(browser.base);
await page.waitForSelector('body[data-state=ready]');
const times = [];
for (let i = 0; i < deals; ++i) {
  const layout = Math.floor((i * 32656) / deals);
  await page.evaluate((layout) => (location.hash = `layout=${layout}`), layout);
  await page
    .waitForFunction((layout) => document.getElementById("lblNmRasklada").textContent === String(layout), layout)
    .catch((error) => {
      throw new Error(`layout ${layout} was not dealt: ${error.message}`);
    });
  times.push(await page.evaluate(async () => {
    const plain = [0, 1, 2, 3].map((bar) => {
      const canvas = document.getElementById(`picStrelki${bar}`);
      return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.join();
    });
    const start = performance.now();
    document.dispatchEvent(new KeyboardEvent('keydown', { key: 'h', code: 'KeyH', bubbles: true }));
    for (;;) {
      for (let bar = 0; bar < 4; ++bar) {
        const canvas = document.getElementById(`picStrelki${bar}`);
        if (canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.join() !== plain[bar]) {
          return performance.now() - start;
        }
      }
      await new Promise((resolve) => setTimeout(resolve, 1));
    }
  }));
}
console.log(`hint, key to first blink, ${deals} deals: ${summary(times)}`);
await browser.close();
