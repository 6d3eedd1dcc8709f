// The main window's client area: the pictures the core keeps, shown on canvases at the
// places the core gives, and the two counters. Pictures are drawn from the core's pixels
// whenever it says they changed; on a finer screen from the art drawn at twice the size.
import { Box, Core, Layout, PictureId, kPictureCount } from './core.js';
import { Shape, fit, paintScaled, pictureOffset, placeCanvas } from './fit.js';

export function place(element: HTMLElement, [left, top, width, height]: Box): void {
  element.style.left = `${left}px`;
  element.style.top = `${top}px`;
  if (width > 0) element.style.width = `${width}px`;
  element.style.height = `${height}px`;
}

// Loads a picture of assets/ and gives its pixels to the core as the picture's own.
export async function loadOwnPicture(core: Core, id: number, name: string): Promise<void> {
  core.setOwnPicture(id, imageData(await loadImage(`assets/${name}.png`)));
}

// On a finer screen, or a touch screen that shows the window larger than its own size, the
// art drawn at twice the size, once the game plays: true when some came.
export async function loadLargeArt(core: Core, id: number, name: string): Promise<boolean> {
  if ((globalThis.devicePixelRatio || 1) <= 1 && !matchMedia('(pointer: coarse)').matches) return false;
  const large = await loadImage(`assets/${name}@2x.png`).catch(() => null);
  return large !== null && core.setLargeArt(id, imageData(large));
}

function imageData(image: HTMLImageElement): ImageData {
  const canvas = document.createElement('canvas');
  canvas.width = image.naturalWidth;
  canvas.height = image.naturalHeight;
  const context = canvas.getContext('2d', { willReadFrequently: true })!;
  context.drawImage(image, 0, 0);
  return context.getImageData(0, 0, canvas.width, canvas.height);
}

export function loadImage(url: string): Promise<HTMLImageElement> {
  return new Promise((resolve, reject) => {
    const image = new Image();
    // Decoded away from the page's thread, not at its first drawing.
    image.onload = () => image.decode().then(() => resolve(image), () => resolve(image));
    image.onerror = () => reject(new Error(`no picture at ${url}`));
    image.src = url;
  });
}

// Paints picture `id` of the core onto `canvas`, pixel for pixel; from its large art where it
// has some, on a canvas of twice the size that the page shows at the picture's own.
export function paintPicture(core: Core, id: number, canvas: HTMLCanvasElement): void {
  const small = core.pixels(id);
  const fine = core.finePixels(id);
  const { width, height, pixels } = fine
    ? { width: 2 * small.width, height: 2 * small.height, pixels: fine }
    : small;
  canvas.classList.toggle('fine', fine !== null);
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  const image = new ImageData(width, height);
  const bytes = image.data;
  for (let i = 0; i < pixels.length; ++i) {
    const colour = pixels[i];
    bytes[4 * i] = colour & 0xff;
    bytes[4 * i + 1] = (colour >> 8) & 0xff;
    bytes[4 * i + 2] = (colour >> 16) & 0xff;
    bytes[4 * i + 3] = 0xff;
  }
  canvas.getContext('2d')!.putImageData(image, 0, 0);
}

export class Screen {
  readonly bars: HTMLCanvasElement[];
  readonly board: HTMLCanvasElement;
  readonly mascot: HTMLCanvasElement;
  readonly flag: HTMLCanvasElement;
  private readonly layoutNumber: HTMLElement;
  private readonly moveNumber: HTMLElement;
  private readonly canvases = new Map<number, HTMLCanvasElement>();
  // The client area's pictures: where each lies and how it is drawn on its canvas.
  private readonly shown = new Map<number, { box: Box; shape: Shape }>();
  private untold = 0;  // pictures painted by paintAll() that the next update() reports
  // Paints over the board's squares after them; the core's picture is never drawn on.
  boardOverlay: ((canvas: HTMLCanvasElement) => void) | null = null;

  constructor(
    private readonly core: Core,
    readonly layout: Layout,
  ) {
    const client = byId('client');
    place(client, layout.client);
    place(byId('title'), layout.title);
    byId('title').style.paddingTop = `${layout.titleMargin}px`;
    this.bars = layout.picStrelki.map((box, bar) => {
      const canvas = byId(`picStrelki${bar}`) as HTMLCanvasElement;
      this.shown.set(PictureId.Bar0 + bar, { box, shape: bar % 2 === 0 ? 'barAcross' : 'barDown' });
      this.canvases.set(PictureId.Bar0 + bar, canvas);
      return canvas;
    });
    this.board = byId('picPole') as HTMLCanvasElement;
    this.shown.set(PictureId.Board, { box: layout.picPole, shape: 'board' });
    this.mascot = byId('PicTrol') as HTMLCanvasElement;
    this.shown.set(PictureId.Mascot, { box: layout.PicTrol, shape: 'plain' });
    this.flag = document.createElement('canvas');
    this.canvases.set(PictureId.Board, this.board);
    this.canvases.set(PictureId.Mascot, this.mascot);
    this.canvases.set(PictureId.Flag, this.flag);
    this.placeCanvases();
    for (const name of ['Label2', 'lblNmRasklada', 'lblTxtNmHod', 'lblNmHod'] as const) {
      const label = byId(name);
      place(label, layout[name]);
      // Points on a 96-dpi screen, as the desktop lays its labels out.
      label.style.fontSize = `${Math.round((layout.labelPoints * 96) / 72)}px`;
    }
    this.layoutNumber = byId('lblNmRasklada');
    this.moveNumber = byId('lblNmHod');
  }

  // The canvases at the page's scale, on whole device pixels.
  placeCanvases(): void {
    for (const [id, { box, shape }] of this.shown) placeCanvas(this.canvases.get(id)!, box, shape, box[2], box[3]);
  }

  // Shows what changed since the last look; returns which pictures did, with those that
  // paintAll() painted meanwhile.
  update(): number {
    const changed = this.core.changedPictures();
    for (let id = 0; id < kPictureCount; ++id) {
      if (changed & (1 << id)) this.paint(id);
    }
    this.layoutNumber.textContent = String(this.core.layout());
    this.moveNumber.textContent = String(this.core.moves());
    const told = changed | this.untold;
    this.untold = 0;
    return told;
  }

  // Every picture afresh.
  paintAll(): void {
    this.untold |= this.core.changedPictures();
    for (const id of this.canvases.keys()) this.paint(id);
    this.layoutNumber.textContent = String(this.core.layout());
    this.moveNumber.textContent = String(this.core.moves());
  }

  private paint(id: number): void {
    const canvas = this.canvases.get(id);
    const shown = this.shown.get(id);
    if (canvas && shown) paintScaled(this.core, id, canvas, shown.shape);
    else if (canvas) paintPicture(this.core, id, canvas);
    if (canvas && id === PictureId.Board) this.boardOverlay?.(canvas);
  }

  // Where a pointer at (clientX, clientY) of the page is in bar `bar`'s own pixels, and in
  // the client area's.
  barPixels(bar: number, clientX: number, clientY: number): [number, number, number, number] {
    const canvas = this.bars[bar];
    const rect = canvas.getBoundingClientRect();
    const ratio = globalThis.devicePixelRatio || 1;
    const [left, top, width, height] = this.layout.picStrelki[bar];
    const across = bar % 2 === 0;
    const dx = Math.floor((clientX - rect.left) * ratio);
    const dy = Math.floor((clientY - rect.top) * ratio);
    const x = pictureOffset(dx, across ? 'grid' : 'square', width);
    const y = pictureOffset(dy, across ? 'square' : 'grid', height);
    return [x, y, left + x, top + y];
  }

  // The client area's pixels of a point of the page.
  clientPixels(clientX: number, clientY: number): [number, number] {
    const rect = byId('client').getBoundingClientRect();
    const scale = fit().scale;
    return [Math.floor((clientX - rect.left) / scale), Math.floor((clientY - rect.top) / scale)];
  }

  repaintBoard(): void {
    this.paint(PictureId.Board);
  }
}

export function byId(id: string): HTMLElement {
  const element = document.getElementById(id);
  if (!element) throw new Error(`the page has no #${id}`);
  return element;
}
