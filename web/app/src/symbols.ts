// The symbols over the board's squares, for players who tell colours apart badly: painted on
// the board's canvas after its squares, at the screen's own resolution, never into the core's
// picture. S, or the touch button, shows or hides them; the browser keeps the choice.
import { Core } from './core.js';
import { Screen, loadImage } from './screen.js';

const kStored = 'zarvel.symbols';
const kLines = 7;

let shown = false;
let art: HTMLImageElement[] = [];  // the tiles drawn at their size and at twice it
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

// Paints the symbols over the squares on the board's canvas, at whatever size the board was
// painted: seven steps of whole device pixels across, each a line and a square.
function paintOver(core: Core, canvas: HTMLCanvasElement): void {
  if (!shown || art.length === 0) return;
  const pitch = Math.floor(canvas.width / kLines);
  const line = canvas.width - kLines * pitch;
  const side = pitch - line;
  const tiles = art.find((image) => image.naturalHeight >= side) ?? art[art.length - 1];
  const tile = tiles.naturalHeight;
  const context = canvas.getContext('2d')!;
  context.imageSmoothingEnabled = true;
  context.imageSmoothingQuality = 'high';
  const places = core.boardSymbols();
  for (let i = 0; i < places.length; i += 3) {
    const [column, row, shape] = [places[i], places[i + 1], places[i + 2]];
    context.drawImage(tiles, shape * tile, 0, tile, tile, line + column * pitch, line + row * pitch, side, side);
  }
}

// Loads the symbols' art and paints them whenever the board is painted.
export async function startSymbols(core: Core, board: Screen): Promise<void> {
  shown = storedChoice();
  screen = board;
  screen.boardOverlay = (canvas) => paintOver(core, canvas);
  art = await Promise.all([loadImage('assets/symbols.png'), loadImage('assets/symbols@2x.png')]);
  if (shown) screen.repaintBoard();
}

export function symbolsShown(): boolean {
  return shown;
}

// Shows the symbols or hides them, and remembers the choice.
export function toggleSymbols(): void {
  shown = !shown;
  store(shown);
  screen?.repaintBoard();
}
