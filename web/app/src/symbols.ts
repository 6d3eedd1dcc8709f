// The symbols over the board's squares, for players who tell colours apart badly: painted on
// the board's canvas after its squares, at the screen's own resolution, never into the core's
// picture. S, or the touch button, shows or hides them; the browser keeps the choice.
import { Core } from './core.js';
import { Screen, loadImage } from './screen.js';

const kStored = 'zarvel.symbols';

let shown = false;
let art: HTMLImageElement | null = null;
let scale = 1;
let screen: Screen | null = null;

function storedChoice(): boolean {
  try {
    return localStorage.getItem(kStored) === '1';
  } catch {
    return false;  // a browser that keeps nothing for the page
  }
}

function store(choice: boolean): void {
  try {
    localStorage.setItem(kStored, choice ? '1' : '0');
  } catch {
    // the choice then lasts as long as the page
  }
}

// Paints the symbols over the board's canvas, which holds the squares pixel for pixel; on a
// finer screen the squares are first drawn at its resolution, each pixel a block of pixels.
function paintOver(core: Core, canvas: HTMLCanvasElement): void {
  if (!shown || !art) return;
  const context = canvas.getContext('2d')!;
  if (scale > 1) {
    const squares = document.createElement('canvas');
    squares.width = canvas.width;
    squares.height = canvas.height;
    squares.getContext('2d')!.drawImage(canvas, 0, 0);
    canvas.width = scale * squares.width;
    canvas.height = scale * squares.height;
    canvas.classList.add('fine');
    context.imageSmoothingEnabled = false;
    context.drawImage(squares, 0, 0, canvas.width, canvas.height);
  }
  const tile = art.naturalHeight;
  const places = core.boardSymbols();
  for (let i = 0; i < places.length; i += 3) {
    const [x, y, shape] = [places[i], places[i + 1], places[i + 2]];
    context.drawImage(art, shape * tile, 0, tile, tile, x * scale, y * scale, tile, tile);
  }
}

// Loads the symbols' art for this screen and paints them whenever the board is painted.
export async function startSymbols(core: Core, board: Screen): Promise<void> {
  shown = storedChoice();
  scale = (globalThis.devicePixelRatio || 1) > 1 ? 2 : 1;
  art = await loadImage(`assets/symbols${scale > 1 ? '@2x' : ''}.png`);
  screen = board;
  screen.boardOverlay = (canvas) => paintOver(core, canvas);
}

// Shows the symbols or hides them, and remembers the choice.
export function toggleSymbols(): void {
  shown = !shown;
  store(shown);
  screen?.repaintBoard();
}
