// The window as one picture on any screen: one scale for everything in it, chosen so that
// the whole window fits the visible area, and the pictures drawn for the device's own pixels
// at that scale. The 40-pixel pitch of the board and the bars becomes a whole number of
// device pixels, so that every line between the squares is as wide as every other.
import { Box, Core } from './core.js';

// The board's and the bars' pitch, their squares and the lines between them.
const kPitch = 40;
const kSquare = 39;
const kLines = 7;

export interface Fit {
  scale: number;  // CSS pixels per pixel of the window
  device: number;  // device pixels per pixel of the window: scale x devicePixelRatio
  pitch: number;  // device pixels of one 40-pixel step
  line: number;  // device pixels of a line between squares
}

let current: Fit = { scale: 1, device: 1, pitch: kPitch, line: 1 };

export function fit(): Fit {
  return current;
}

// A finger on a touch screen gets the largest window that fits; a mouse the window's own size
// unless it does not fit.
export function coarsePointer(): boolean {
  return matchMedia('(pointer: coarse)').matches;
}

// The visible area less the notches and rounded corners the browser reports.
export function visibleArea(): DOMRect {
  let probe = document.getElementById('visible-area');
  if (!probe) {
    probe = document.createElement('div');
    probe.id = 'visible-area';
    probe.setAttribute('aria-hidden', 'true');
    document.body.append(probe);
  }
  return probe.getBoundingClientRect();
}

// The scale for a window of `width` x `height` pixels in the visible area.
export function chooseFit(width: number, height: number, area: DOMRect, coarse: boolean, ratio: number): Fit {
  let scale = Math.min(area.width / width, area.height / height);
  if (!coarse) scale = Math.min(scale, 1);
  // A whole number of device pixels to the pitch; never below a few pixels a square.
  const pitch = Math.max(4, Math.floor(scale * ratio * kPitch + 1e-6));
  const device = pitch / kPitch;
  return { scale: device / ratio, device, pitch, line: Math.max(1, Math.round(device)) };
}

export function setFit(next: Fit): void {
  current = next;
}

// One axis of a picture: for every device pixel, the range of source pixels it shows.
type Axis = Int32Array;  // [start0, end0, start1, end1, ...]

interface Piece {
  from: number;  // source pixels, in the picture's own pixels
  to: number;
  size: number;  // device pixels
}

function axisOf(pieces: Piece[], fine: number): Axis {
  const total = pieces.reduce((sum, piece) => sum + piece.size, 0);
  const axis = new Int32Array(2 * total);
  let at = 0;
  for (const { from, to, size } of pieces) {
    const start = from * fine;
    const count = (to - from) * fine;
    for (let i = 0; i < size; ++i, ++at) {
      const a = start + Math.floor((i * count) / size);
      axis[2 * at] = a;
      axis[2 * at + 1] = Math.max(a + 1, start + Math.floor(((i + 1) * count) / size));
    }
  }
  return axis;
}

// Along the board or a bar: each line keeps `line` device pixels, each square the rest of
// the pitch.
function gridPieces(f: Fit): Piece[] {
  const pieces: Piece[] = [];
  for (let c = 0; c <= kLines; ++c) {
    pieces.push({ from: kPitch * c, to: kPitch * c + 1, size: f.line });
    if (c < kLines) pieces.push({ from: kPitch * c + 1, to: kPitch * (c + 1), size: f.pitch - f.line });
  }
  return pieces;
}

function squarePieces(f: Fit): Piece[] {
  return [{ from: 0, to: kSquare, size: f.pitch - f.line }];
}

function plainPieces(length: number, f: Fit): Piece[] {
  return [{ from: 0, to: length, size: Math.max(1, Math.round(length * f.device)) }];
}

// How a picture lies on its canvas: gridded along both axes (the board), along one (a bar),
// or scaled evenly (the gnome).
export type Shape = 'board' | 'barAcross' | 'barDown' | 'plain';

function pieces(shape: Shape, width: number, height: number, f: Fit): [Piece[], Piece[]] {
  switch (shape) {
    case 'board':
      return [gridPieces(f), gridPieces(f)];
    case 'barAcross':
      return [gridPieces(f), squarePieces(f)];
    case 'barDown':
      return [squarePieces(f), gridPieces(f)];
    default:
      return [plainPieces(width, f), plainPieces(height, f)];
  }
}

// The canvas's size in device pixels for a picture of `width` x `height`.
export function deviceSize(shape: Shape, width: number, height: number, f: Fit = current): [number, number] {
  const [x, y] = pieces(shape, width, height, f);
  const sum = (p: Piece[]) => p.reduce((s, piece) => s + piece.size, 0);
  return [sum(x), sum(y)];
}

// Paints picture `id` of the core on `canvas` at the device's resolution: from the art drawn
// at twice the size where there is some and the screen is finer than the picture, each
// device pixel the mean of the source pixels under it.
export function paintScaled(core: Core, id: number, canvas: HTMLCanvasElement, shape: Shape): void {
  const f = current;
  const small = core.pixels(id);
  const fine = f.device > 1 ? core.finePixels(id) : null;
  const scale = fine ? 2 : 1;
  const source = fine ?? small.pixels;
  const stride = small.width * scale;
  const [xPieces, yPieces] = pieces(shape, small.width, small.height, f);
  const xs = axisOf(xPieces, scale);
  const ys = axisOf(yPieces, scale);
  const width = xs.length / 2;
  const height = ys.length / 2;
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  const image = new ImageData(width, height);
  const bytes = image.data;
  // A colour value 0x00BBGGRR is the canvas's R, G, B bytes in a little-endian word.
  const words = new Uint32Array(bytes.buffer);
  let out = 0;
  for (let y = 0; y < height; ++y) {
    const y0 = ys[2 * y];
    const y1 = ys[2 * y + 1];
    for (let x = 0; x < width; ++x, out += 4) {
      const x0 = xs[2 * x];
      const x1 = xs[2 * x + 1];
      if (x1 - x0 === 1 && y1 - y0 === 1) {
        words[out >> 2] = source[y0 * stride + x0] | 0xff000000;
        continue;
      }
      let r = 0;
      let g = 0;
      let b = 0;
      for (let sy = y0; sy < y1; ++sy) {
        for (let sx = x0; sx < x1; ++sx) {
          const colour = source[sy * stride + sx];
          r += colour & 0xff;
          g += (colour >> 8) & 0xff;
          b += (colour >> 16) & 0xff;
        }
      }
      const n = (x1 - x0) * (y1 - y0);
      bytes[out] = Math.round(r / n);
      bytes[out + 1] = Math.round(g / n);
      bytes[out + 2] = Math.round(b / n);
      bytes[out + 3] = 0xff;
    }
  }
  canvas.getContext('2d')!.putImageData(image, 0, 0);
}

// Puts `canvas` at `box` of the client area on whole device pixels, at its drawn size. The
// client area is zoomed by the scale, so its lengths are device pixels over the device scale.
export function placeCanvas(canvas: HTMLCanvasElement, [left, top]: Box, shape: Shape, width: number, height: number): void {
  const f = current;
  const [w, h] = deviceSize(shape, width, height, f);
  canvas.style.left = `${Math.round(left * f.device) / f.device}px`;
  canvas.style.top = `${Math.round(top * f.device) / f.device}px`;
  canvas.style.width = `${w / f.device}px`;
  canvas.style.height = `${h / f.device}px`;
}

// A position `d` device pixels into a canvas of shape `shape` along one axis, in the
// picture's own pixels; beyond the canvas, at the scale's rate, as the desktop counts a
// pointer held outside its bar.
export function pictureOffset(d: number, axisShape: 'grid' | 'square' | 'plain', length: number): number {
  const f = current;
  const size = axisShape === 'grid' ? kLines * f.pitch + f.line : axisShape === 'square' ? f.pitch - f.line : Math.round(length * f.device);
  if (d < 0) return Math.floor(d / f.device);
  if (d >= size) return length + Math.floor((d - size) / f.device);
  if (axisShape === 'plain') return Math.min(length - 1, Math.floor(d / f.device));
  if (axisShape === 'square') return Math.floor((d * kSquare) / size);
  const c = Math.floor(d / f.pitch);
  const o = d - c * f.pitch;
  if (o < f.line || c >= kLines) return kPitch * Math.min(c, kLines);
  return kPitch * c + 1 + Math.floor(((o - f.line) * kSquare) / (f.pitch - f.line));
}

// A modal window's frame at the page's scale, smaller where it would not fit.
export function fitModal(frame: HTMLElement): void {
  frame.style.zoom = '';
  const area = visibleArea();
  const base = coarsePointer() ? current.scale : 1;
  const zoom = Math.min(base, (area.width - 4) / frame.offsetWidth, (area.height - 4) / frame.offsetHeight);
  frame.style.zoom = String(zoom);
}

export function modalZoom(frame: HTMLElement): number {
  return Number(frame.style.zoom) || 1;
}
