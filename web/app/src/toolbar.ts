// The buttons under the window on a touch screen, where a player has no H, Ctrl+Z or
// Ctrl+Y: each does what its key does, and is disabled where the key would do nothing. With
// a mouse the row stays hidden and the window looks as it always has.
import { byId } from './screen.js';

export type ToolState = { undo: boolean; redo: boolean; hint: boolean };

export interface ToolButton {
  id: string;
  name: string;  // what a screen reader says; the button shows only its icon
  icon: string;  // an SVG path on a 28 x 28 square
  run: () => void;
  enabled: (state: ToolState) => boolean;
  pressed?: () => boolean;  // a button that shows or hides something says which
}

export class Toolbar {
  private readonly shown = new Map<HTMLButtonElement, ToolButton>();

  constructor(buttons: ToolButton[]) {
    const row = byId('toolbar');
    for (const tool of buttons) {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = tool.id;
      button.setAttribute('aria-label', tool.name);
      button.title = tool.name;
      button.innerHTML = `<svg viewBox="0 0 28 28" aria-hidden="true"><path d="${tool.icon}"/></svg>`;
      // A finger's button works when the finger comes up on it: the click a browser makes of
      // a tap is left out when the tap took long, as on a busy phone. Keys and the mouse click.
      let finger: number | null = null;
      button.addEventListener('pointerdown', (event) => {
        if (event.pointerType === 'touch') finger = event.pointerId;
      });
      button.addEventListener('pointercancel', () => (finger = null));
      button.addEventListener('pointerup', (event) => {
        if (event.pointerId !== finger) return;
        finger = null;
        const box = button.getBoundingClientRect();
        const inside = event.clientX >= box.left && event.clientX < box.right && event.clientY >= box.top && event.clientY < box.bottom;
        if (inside && !button.disabled) tool.run();
      });
      button.addEventListener('click', (event) => {
        if ((event as PointerEvent).pointerType !== 'touch') tool.run();
      });
      row.append(button);
      this.shown.set(button, tool);
    }
  }

  update(state: ToolState): void {
    for (const [button, tool] of this.shown) {
      const disabled = !tool.enabled(state);
      if (button.disabled !== disabled) button.disabled = disabled;
      if (tool.pressed) button.setAttribute('aria-pressed', String(tool.pressed()));
    }
  }
}
