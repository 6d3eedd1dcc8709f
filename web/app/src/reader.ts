// What a screen reader finds on the window, as on the desktop: the arrows as buttons with
// their names, grouped by bar; the board as a grid of its squares named by their colours; and
// a line that says what the last move, undo, deal or win did. None of it takes the pointer:
// the canvases under it do.
import { Box, Core, Layout, PictureId } from './core.js';
import { byId, place } from './screen.js';

const kLines = 7;
const kPitch = 40;

export class ReaderView {
  private readonly cells: HTMLElement[] = [];

  constructor(
    private readonly core: Core,
    layout: Layout,
    play: (f: () => void) => () => void,
  ) {
    const client = byId('client');
    layout.picStrelki.forEach((box, bar) => {
      const group = this.layer('group', box);
      group.setAttribute('aria-label', core.barName(bar));
      for (let line = 0; line < kLines; ++line) {
        const button = document.createElement('button');
        button.type = 'button';
        button.tabIndex = -1;
        button.setAttribute('aria-label', core.arrowName(bar, line));
        const along = kPitch * line + 1;
        place(button, bar % 2 === 0 ? [along, 0, 39, 39] : [0, along, 39, 39]);
        button.addEventListener('click', play(() => core.pressArrow(bar, line)));
        group.append(button);
      }
      client.append(group);
    });
    const grid = this.layer('grid', layout.picPole);
    grid.id = 'board-grid';
    grid.setAttribute('aria-label', 'Поле');
    for (let row = 0; row < kLines; ++row) {
      const line = document.createElement('div');
      line.setAttribute('role', 'row');
      for (let column = 0; column < kLines; ++column) {
        const cell = document.createElement('div');
        cell.setAttribute('role', 'gridcell');
        place(cell, [kPitch * column + 1, kPitch * row + 1, 39, 39]);
        line.append(cell);
        this.cells.push(cell);
      }
      grid.append(line);
    }
    client.append(grid);
  }

  private layer(role: string, box: Box): HTMLElement {
    const layer = document.createElement('div');
    layer.className = 'reader-layer';
    layer.setAttribute('role', role);
    place(layer, box);
    return layer;
  }

  // After every call into the core: the squares' names when the board changed, and what
  // happened, said once.
  update(changed: number): void {
    if (changed & (1 << PictureId.Board)) {
      this.core.cellNames().forEach((name, i) => this.cells[i].setAttribute('aria-label', name));
    }
    const said = this.core.announcement();
    if (said) byId('said').textContent = said;
  }
}
