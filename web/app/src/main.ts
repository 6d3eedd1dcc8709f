// The page's start: loads the core, deals and paints the board at once, then brings in the
// rest of the page, so that nothing else stands between the address and the board.
import { Core } from './core.js';
import { Screen, byId } from './screen.js';

// The window in the middle of the page, on whole pixels, so that every picture stays sharp.
function centre(): void {
  const window = byId('window');
  window.style.left = `${Math.max(0, Math.floor((document.documentElement.clientWidth - 555) / 2))}px`;
}

async function main(): Promise<void> {
  centre();
  window.addEventListener('resize', centre);
  const core = await Core.load();
  const screen = new Screen(core, core.layoutBoxes());
  core.start(core.layoutOfFragment(location.hash));
  screen.paintAll();
  performance.mark('zarvel-board-painted');
  document.body.dataset.state = 'playing';
  const { startPage } = await import('./page.js');
  await startPage(core, screen);
}

void main();
