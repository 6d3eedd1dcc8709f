// The menu bar "Игра" / "Справка": opens on a click, or on F10 or Alt alone as a desktop
// menu bar does, follows the pointer from menu to menu while one is open, moves by the arrow
// keys, closes on Escape or a click elsewhere, and gives each item's command by its name and
// its shortcut by the key's place.
import { windowOpen } from './dialogs.js';

export interface MenuItem {
  id: string;
  caption: string;
}

export class Menus {
  private openMenu: HTMLElement | null = null;
  private readonly shortcuts = new Map<string, MenuItem>();

  constructor(run: (id: string, caption: string) => void) {
    const menus = [...document.querySelectorAll<HTMLElement>('#menubar .menu')];
    for (const menu of menus) {
      const title = menu.querySelector<HTMLButtonElement>('.menu-title')!;
      title.addEventListener('click', () => (this.openMenu === menu ? this.close() : this.open(menu)));
      title.addEventListener('pointerenter', () => {
        if (this.openMenu && this.openMenu !== menu) this.open(menu);
      });
      for (const item of menu.querySelectorAll<HTMLButtonElement>('[role=menu] [role=menuitem]')) {
        const entry = { id: item.id, caption: item.querySelector('.item-caption')!.textContent! };
        if (item.dataset.key) this.shortcuts.set(item.dataset.key, entry);
        item.addEventListener('click', () => {
          this.close();
          run(entry.id, entry.caption);
        });
      }
    }
    // Alt counts when it comes up with no other key pressed meanwhile.
    let altAlone = false;
    const fromKeys = () => {
      if (windowOpen()) return;
      if (this.openMenu) return this.close();
      this.open(menus[0]);
      menus[0].querySelector<HTMLButtonElement>('[role=menu] [role=menuitem]')?.focus();
    };
    document.addEventListener('keydown', (event) => {
      altAlone = event.key === 'Alt' && !event.ctrlKey && !event.shiftKey && !event.metaKey;
      if (event.key === 'F10' && !event.ctrlKey && !event.altKey && !event.metaKey && !event.shiftKey) {
        event.preventDefault();
        fromKeys();
      }
    }, true);
    document.addEventListener('keyup', (event) => {
      if (event.key === 'Alt' && altAlone) {
        event.preventDefault();
        fromKeys();
      }
      altAlone = false;
    });
    document.addEventListener('pointerdown', (event) => {
      if (this.openMenu && !this.openMenu.contains(event.target as Node)) this.close();
    });
    document.addEventListener('keydown', (event) => {
      if (!this.openMenu) return;
      const items = [...this.openMenu.querySelectorAll<HTMLButtonElement>('[role=menu] [role=menuitem]')];
      const at = items.indexOf(document.activeElement as HTMLButtonElement);
      if (event.key === 'Escape') {
        this.close();
      } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        const step = event.key === 'ArrowDown' ? 1 : items.length - 1;
        items[(at + step + (at < 0 ? 1 : 0)) % items.length].focus();
      } else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
        const index = menus.indexOf(this.openMenu);
        const step = event.key === 'ArrowRight' ? 1 : menus.length - 1;
        this.open(menus[(index + step) % menus.length]);
        this.openMenu.querySelector<HTMLButtonElement>('[role=menu] [role=menuitem]')?.focus();
      } else {
        return;
      }
      event.preventDefault();
    });
  }

  isOpen(): boolean {
    return this.openMenu !== null;
  }

  private open(menu: HTMLElement): void {
    this.close();
    this.openMenu = menu;
    menu.classList.add('open');
    menu.querySelector('.menu-title')!.setAttribute('aria-expanded', 'true');
  }

  close(): void {
    if (!this.openMenu) return;
    // The keys go back to the board's arrows, not to a menu's button.
    const focused = document.activeElement;
    if (focused instanceof HTMLElement && this.openMenu.parentElement?.contains(focused)) focused.blur();
    this.openMenu.classList.remove('open');
    this.openMenu.querySelector('.menu-title')!.setAttribute('aria-expanded', 'false');
    this.openMenu = null;
  }

  // The item whose shortcut the key is: "Ctrl+KeyN", "F3"...
  shortcut(event: KeyboardEvent): MenuItem | undefined {
    const ctrl = event.ctrlKey || event.metaKey;
    if (event.altKey || event.shiftKey) return undefined;
    return this.shortcuts.get(ctrl ? `Ctrl+${event.code}` : event.code);
  }
}
