// The page's start: loads the core, brings back the game the browser kept or deals, and paints
// the board at once, then brings in the rest of the page, so that nothing else stands between
// the address and the board. Until then a line says the game is loading, or why it cannot.
import { Core, kKeptGame } from './core.js';
import { chooseFit, coarsePointer, fitModal, setFit, visibleArea } from './fit.js';
import { Screen, byId } from './screen.js';

const kFrameWidth = 555 + 2;  // the client area and the window's edge

// The window at the scale that fits the visible area, on whole device pixels; centred across,
// and on a touch screen down as well; the open modal window fitted again.
function fitWindow(screen: Screen | null): void {
  const stage = byId('stage');
  const window = byId('window');
  const coarse = coarsePointer();
  byId('toolbar').hidden = !coarse;
  window.style.zoom = '';
  const area = visibleArea();
  const ratio = globalThis.devicePixelRatio || 1;
  const f = chooseFit(kFrameWidth, window.offsetHeight + 2, area, coarse, ratio);
  setFit(f);
  window.style.zoom = String(f.scale);
  // The client area starts on a whole device pixel below the menu bar.
  byId('menubar').style.height = `${Math.round(19 * f.device) / f.device}px`;
  const snap = (css: number) => Math.floor(css * ratio) / ratio;
  const height = (window.offsetHeight + 2) * f.scale;
  stage.style.left = `${snap(area.left + (area.width - kFrameWidth * f.scale) / 2 + f.scale)}px`;
  stage.style.top = `${snap(area.top + (coarse ? Math.max(0, (area.height - height) / 2) + f.scale : 0))}px`;
  stage.classList.add('fitted');
  screen?.placeCanvases();
  screen?.paintAll();
  document.querySelectorAll<HTMLElement>('.veil .frame').forEach(fitModal);
}

// Follows rotation, resizing, the browser's zoom and a pointer plugged in or out at once.
function followScreen(screen: () => Screen | null): void {
  const again = () => fitWindow(screen());
  window.addEventListener('resize', again);
  matchMedia('(pointer: coarse)').addEventListener('change', again);
  const watchRatio = () => {
    matchMedia(`(resolution: ${globalThis.devicePixelRatio || 1}dppx)`).addEventListener(
      'change',
      () => {
        again();
        watchRatio();
      },
      { once: true },
    );
  };
  watchRatio();
}

// The kept game, if the browser has one that this page can read; one it cannot is dropped.
function restoreKept(core: Core): boolean {
  let text: string | null = null;
  try {
    text = localStorage.getItem(kKeptGame);
  } catch {
    return false;  // storage refused
  }
  if (text === null) return false;
  if (core.restoreState(text)) return true;
  try {
    localStorage.removeItem(kKeptGame);
  } catch {
    // nothing more to do: a fresh deal follows
  }
  return false;
}

function cannotLoad(text: string): void {
  const line = byId('loading');
  line.id = 'failed';
  line.setAttribute('role', 'alert');
  line.textContent = text;
}

async function loadCore(): Promise<Core | null> {
  if (typeof WebAssembly !== 'object') {
    cannotLoad(
      'Игра не может начаться: этот браузер не выполняет WebAssembly, или он выключен в настройках.\n' +
        'Откройте страницу в свежей версии Chrome, Firefox, Safari или Edge либо включите WebAssembly.',
    );
    return null;
  }
  try {
    // The core's script only after the window's first paint, which must not wait for it.
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
    await new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = 'zarvel.js';
      script.onload = resolve;
      script.onerror = () => reject(new Error('zarvel.js did not load'));
      document.head.append(script);
    });
    return await Core.load();
  } catch (error) {
    console.error(error);
    cannotLoad(
      'Игра не загрузилась: часть её файлов не пришла по сети.\n' +
        'Проверьте подключение к интернету и обновите страницу.',
    );
    return null;
  }
}

async function main(): Promise<void> {
  let screen: Screen | null = null;
  fitWindow(null);
  followScreen(() => screen);
  const core = await loadCore();
  if (!core) return;
  screen = new Screen(core, core.layoutBoxes());
  const restored = restoreKept(core);
  if (!restored) core.start(core.layoutOfFragment(location.hash));
  byId('loading').remove();
  fitWindow(screen);
  performance.mark('zarvel-board-painted');
  document.body.dataset.state = 'playing';
  const { startPage } = await import('./page.js');
  await startPage(core, screen!, restored);
}

void main();
