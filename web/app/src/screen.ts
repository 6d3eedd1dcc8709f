// The main window's client area: the pictures the core keeps, shown on canvases at the
// places the core gives, and the two counters. Pictures are drawn from the core's pixels
// whenever it says they changed; on a finer screen from the art drawn at twice the size.
import { Box, Core, Layout, PictureId, kPictureCount } from './core.js';

export function place(element: HTMLElement, [left, top, width, height]: Box): void {
  element.style.left = `${left}px`;
  element.style.top = `${top}px`;
  if (width > 0) element.style.width = `${width}px`;
  element.style.height = `${height}px`;
}

// Loads a picture of assets/ and gives its pixels to the core as the picture's own; on a
// finer screen its art at twice the size too.
export async function loadOwnPicture(core: Core, id: number, name: string): Promise<void> {
  const fine = (globalThis.devicePixelRatio || 1) > 1;
  const [small, large] = await Promise.all([
    loadImage(`assets/${name}.png`),
    fine ? loadImage(`assets/${name}@2x.png`).catch(() => null) : null,
  ]);
  core.setOwnPicture(id, imageData(small));
  if (large) core.setLargeArt(id, imageData(large));
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
    image.onload = () => resolve(image);
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
      place(canvas, box);
      this.canvases.set(PictureId.Bar0 + bar, canvas);
      return canvas;
    });
    this.board = byId('picPole') as HTMLCanvasElement;
    place(this.board, layout.picPole);
    this.mascot = byId('PicTrol') as HTMLCanvasElement;
    place(this.mascot, layout.PicTrol);
    this.flag = document.createElement('canvas');
    this.canvases.set(PictureId.Board, this.board);
    this.canvases.set(PictureId.Mascot, this.mascot);
    this.canvases.set(PictureId.Flag, this.flag);
    for (const name of ['Label2', 'lblNmRasklada', 'lblTxtNmHod', 'lblNmHod'] as const) {
      const label = byId(name);
      place(label, layout[name]);
      // Points on a 96-dpi screen, as the desktop lays its labels out.
      label.style.fontSize = `${Math.round((layout.labelPoints * 96) / 72)}px`;
    }
    this.layoutNumber = byId('lblNmRasklada');
    this.moveNumber = byId('lblNmHod');
  }

  // Shows what changed since the last look.
  update(): void {
    const changed = this.core.changedPictures();
    for (let id = 0; id < kPictureCount; ++id) {
      const canvas = this.canvases.get(id);
      if (canvas && changed & (1 << id)) this.paint(id, canvas);
    }
    this.layoutNumber.textContent = String(this.core.layout());
    this.moveNumber.textContent = String(this.core.moves());
  }

  paintAll(): void {
    for (const [id, canvas] of this.canvases) this.paint(id, canvas);
    this.update();
  }

  repaintBoard(): void {
    this.paint(PictureId.Board, this.board);
  }

  private paint(id: number, canvas: HTMLCanvasElement): void {
    paintPicture(this.core, id, canvas);
    if (id === PictureId.Board) this.boardOverlay?.(canvas);
  }
}

export function byId(id: string): HTMLElement {
  const element = document.getElementById(id);
  if (!element) throw new Error(`the page has no #${id}`);
  return element;
}
