// The page's life once the board is on the screen: forwards every pointer event, key and
// menu command to the core, and shows whatever the core asks for, one modal window at a time.
import { Core, PictureId, PointerKind, ProductInfo, Request, kKeptGame } from './core.js';
import { messageBox, windowOpen } from './dialogs.js';
import { Files } from './files.js';
import { Menus } from './menus.js';
import { ReaderView } from './reader.js';
import { Screen, byId, loadLargeArt, loadOwnPicture } from './screen.js';
import { startSymbols, symbolsShown, toggleSymbols } from './symbols.js';
import { Toolbar } from './toolbar.js';
import { askLayout, showAbout, showVictory } from './windows.js';

// The touch buttons' icons on a 28 x 28 square: a hooked arrow back, one forward, a question
// mark, and a circle beside a triangle for the symbols.
const kIcons = {
  undo: 'M10 6 4 12l6 6M4 12h11a5 5 0 0 1 0 10h-3',
  redo: 'M18 6l6 6-6 6M24 12H13a5 5 0 0 0 0 10h3',
  hint: 'M10 10a4 4 0 1 1 6 3.5c-1.5.8-2 1.7-2 3.5M14 21.5v.5',
  symbols: 'M4 14a5 5 0 1 0 10 0a5 5 0 1 0-10 0M19 9l5 10h-10z',
};

export class Page {
  private readonly files: Files;
  private worker: Worker | null = null;
  private blinkTimer: number | null = null;
  private busy = false;  // a modal round is under way
  private commanding = false;  // a command waits for the player (a picker, a question)
  private readonly waiting: Request[] = [];
  private readonly menus: Menus;
  private readonly info: ProductInfo;
  private readonly toolbar: Toolbar;
  private readonly reader: ReaderView;
  private kept = '';  // the moves and title last kept, to keep the game only when it changed

  constructor(
    private readonly core: Core,
    private readonly screen: Screen,
  ) {
    this.files = new Files(core);
    this.info = core.productInfo();
    this.menus = new Menus((command, caption) => this.command(command, caption));
    const play = (f: () => void) => () => {
      if (windowOpen() || this.busy || this.commanding) return;
      f();
      this.refresh();
    };
    // One line a button: what a touch player has in place of Ctrl+Z, Ctrl+Y and H.
    this.toolbar = new Toolbar([
      { id: 'ToolUndo', name: 'Отменить ход', icon: kIcons.undo, run: play(() => core.undo()), enabled: (s) => s.undo },
      { id: 'ToolRedo', name: 'Повторить ход', icon: kIcons.redo, run: play(() => core.redo()), enabled: (s) => s.redo },
      { id: 'ToolHint', name: 'Подсказка', icon: kIcons.hint, run: play(() => core.hint()), enabled: (s) => s.hint },
      { id: 'ToolSymbols', name: 'Значки на квадратиках', icon: kIcons.symbols, run: play(toggleSymbols), enabled: () => true, pressed: symbolsShown },
    ]);
    this.reader = new ReaderView(core, screen.layout, play);
  }

  // The hint's worker, started once the board is on the screen, so that its own copy of the
  // core does not compete with the page's at the start.
  startWorker(): void {
    this.worker = new Worker('app/worker.js');
    this.worker.onmessage = (event: MessageEvent<{ version: number; moves: number[] }>) => {
      this.core.hintFound(event.data.version, event.data.moves);
      this.refresh();
    };
  }

  // After every call into the core: the pictures, counters, title and address as they are
  // now, the blink's timer, and whatever the core asks to show.
  refresh(): void {
    const changed = this.screen.update();
    this.reader.update(changed);
    this.toolbar.update(this.core.toolbarState());
    this.keep(changed);
    this.screen.mascot.setAttribute('aria-label', this.core.mascotName());
    const arrow = this.core.cursorName();
    const said = byId('cursor-name');
    if (said.textContent !== arrow) said.textContent = arrow;
    document.title = this.core.title();
    const fragment = this.core.fragment();
    if (location.hash !== fragment) history.replaceState(null, '', fragment);
    if (this.core.blinking() && this.blinkTimer === null) {
      this.blinkTimer = setInterval(() => {
        if (!this.core.blinkTick() && this.blinkTimer !== null) {
          clearInterval(this.blinkTimer);
          this.blinkTimer = null;
        }
        this.refresh();  // the blink's end leaves the cursor on its arrow
      }, this.core.blinkPhaseMs());
    }
    for (let request = this.core.takeRequest(); request; request = this.core.takeRequest()) {
      if (request.kind === 'solve') {
        if (!this.worker) this.startWorker();
        this.worker!.postMessage({ ...request, width: this.core.hintBeamWidth() });
      } else {
        this.waiting.push(request);
      }
    }
    void this.showWaiting();
  }

  // The game into the browser's storage whenever a move, a deal or a file changed it; a
  // browser that keeps nothing plays on as before.
  private keep(changed: number): void {
    const now = `${this.core.moves()} ${this.core.layout()} ${this.core.title()}`;
    const pictures = (1 << PictureId.Board) | (1 << PictureId.Mascot);
    if (!(changed & pictures) && now === this.kept) return;
    this.kept = now;
    try {
      localStorage.setItem(kKeptGame, this.core.keptState());
    } catch {
      // storage refused or full: the game goes on, only not kept
    }
  }

  private async showWaiting(): Promise<void> {
    if (this.busy) return;
    this.busy = true;
    for (let request = this.waiting.shift(); request; request = this.waiting.shift()) {
      if (request.kind === 'victory') await showVictory(this.core);
      if (request.kind === 'message') await messageBox(request);
    }
    this.busy = false;
  }

  // Runs a command that may ask the player first; nothing runs under an open window.
  async command(command: string, caption: string): Promise<void> {
    if (windowOpen() || this.busy || this.commanding) return;
    this.commanding = true;
    try {
      await this.run(command, caption);
    } catch (error) {
      // The file commands tell the player of their own troubles; anything else is a fault.
      console.error(error);
    } finally {
      this.commanding = false;
    }
    this.refresh();
  }

  private async run(command: string, caption: string): Promise<void> {
    const asked = async () =>
      (await messageBox(this.core.startOverQuestion(caption))) === 'yes';
    switch (command) {
      case 'FileNewGame':
        if (await asked()) this.core.newGame();
        break;
      case 'FileNewStart':
        if (await asked()) this.core.newStart();
        break;
      case 'FileOpen':
        await this.files.openGame();
        break;
      case 'FileSave':
        await this.files.save();
        break;
      case 'FileSaveAs':
        await this.files.saveAs();
        break;
      case 'FileRasklad': {
        const layout = await askLayout(this.core);
        if (layout !== null) this.core.chooseLayout(layout);
        break;
      }
      case 'FileExit':
        // A browser closes only a tab the page itself may close; otherwise nothing happens.
        window.close();
        break;
      case 'HelpCallHelp':
        window.open(encodeURI(this.info.helpPage), '_blank', 'noopener');
        break;
      case 'HelpAbout':
        await showAbout(this.core, this.screen.flag, this.info);
        break;
    }
  }

  // The bars: every button presses and releases alike, and a pressed bar keeps the pointer
  // until the last button comes up, as the desktop's bars do. One finger plays at a time;
  // a finger lifted or taken by the browser leaves no arrow lit behind it.
  wirePointer(): void {
    let finger: number | null = null;
    const touch = (event: PointerEvent) => event.pointerType === 'touch';
    byId('client').addEventListener('contextmenu', (event) => event.preventDefault());
    this.screen.bars.forEach((canvas, bar) => {
      const send = (kind: PointerKind, event: PointerEvent) => {
        const [x, y, cx, cy] = this.screen.barPixels(bar, event.clientX, event.clientY);
        this.core.pointer(kind, bar, x, y, cx, cy);
        this.refresh();
      };
      const lifted = (event: PointerEvent, cancelled: boolean) => {
        if (!touch(event)) return send(PointerKind.Released, event);
        if (event.pointerId !== finger) return;
        finger = null;
        if (cancelled) this.core.pointer(PointerKind.Released, bar, -1e4, -1e4, -1e4, -1e4);
        else send(PointerKind.Released, event);
        this.core.pointer(PointerKind.Left, bar, 0, 0, -1, -1);
        this.refresh();
      };
      canvas.addEventListener('pointerdown', (event) => {
        event.preventDefault();
        if (touch(event)) {
          if (finger !== null) return;
          finger = event.pointerId;
        }
        canvas.setPointerCapture(event.pointerId);
        send(PointerKind.Pressed, event);
      });
      canvas.addEventListener('pointermove', (event) => {
        if (touch(event) && event.pointerId !== finger) return;
        // A second button pressed or let go while another is held comes as a move.
        if (event.button >= 0) {
          const down = (event.buttons & (1 << buttonBit(event.button))) !== 0;
          send(down ? PointerKind.Pressed : PointerKind.Released, event);
        } else {
          send(PointerKind.Moved, event);
        }
      });
      canvas.addEventListener('pointerup', (event) => lifted(event, false));
      canvas.addEventListener('pointercancel', (event) => lifted(event, true));
      canvas.addEventListener('pointerleave', (event) => {
        if (!touch(event)) send(PointerKind.Left, event);
      });
    });
    document.addEventListener('pointermove', (event) => {
      const [cx, cy] = this.screen.clientPixels(event.clientX, event.clientY);
      this.core.pointer(PointerKind.Elsewhere, 0, 0, 0, cx, cy);
    });
  }

  // The keys beside the menus, by the key's place, so that they work in any keyboard layout;
  // those the browser keeps for itself never come here. The arrow keys, Tab, Space, Enter
  // and Escape play the arrow bars; with Ctrl, Alt or Meta a key is another key.
  wireKeys(): void {
    const kCursorKeys: Record<string, number> = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3 };
    const pressKey = (event: KeyboardEvent) => event.key === ' ' || event.key === 'Enter';
    document.addEventListener('keydown', (event) => {
      if (windowOpen() || this.busy || this.commanding || this.menus.isOpen()) return;
      const ctrl = event.ctrlKey || event.metaKey;
      const plain = !ctrl && !event.altKey && !event.shiftKey;
      const run = (f: () => void) => {
        event.preventDefault();
        f();
        this.refresh();
      };
      const menu = this.menus.shortcut(event);
      if (menu) {
        event.preventDefault();
        void this.command(menu.id, menu.caption);
      } else if (ctrl && !event.altKey && event.code === 'KeyZ' && !event.shiftKey) {
        run(() => this.core.undo());
      } else if (ctrl && !event.altKey && (event.code === 'KeyY' || (event.code === 'KeyZ' && event.shiftKey))) {
        run(() => this.core.redo());
      } else if (plain && event.code === 'KeyH') {
        run(() => this.core.hint());
      } else if (plain && event.code === 'KeyS') {
        // A held S shows or hides them once.
        if (!event.repeat) run(toggleSymbols);
      } else if (event.key === 'Tab' && !ctrl && !event.altKey) {
        run(() => this.core.cursorKey(event.shiftKey ? 5 : 4));
      } else if (plain && event.key in kCursorKeys) {
        run(() => this.core.cursorKey(kCursorKeys[event.key]));
      } else if (plain && pressKey(event)) {
        // A menu button that has the focus keeps its own Enter and Space.
        if (document.activeElement instanceof HTMLButtonElement) return;
        run(() => this.core.pressKey(true, event.repeat, event.key === 'Enter' ? 1 : 0, event.timeStamp));
      } else if (plain && event.key === 'Escape') {
        run(() => this.core.hideCursor());
      }
    });
    document.addEventListener('keyup', (event) => {
      if (windowOpen() || this.busy || this.commanding || !pressKey(event)) return;
      if (document.activeElement instanceof HTMLButtonElement) return;
      event.preventDefault();
      // A release followed at once by a press of the same key is a repeat: the session
      // counts the release only when its wait is over.
      this.core.pressKey(false, false, event.key === 'Enter' ? 1 : 0, event.timeStamp);
      setTimeout(() => {
        this.core.releaseSettled(windowOpen() || this.busy || this.commanding);
        this.refresh();
      }, this.core.releaseWaitMs());
    });
  }

  // A saved game dropped on the page opens as "Открыть" opens it.
  wireDrop(): void {
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', async (event) => {
      event.preventDefault();
      if (windowOpen() || this.busy || this.commanding) return;
      const item = event.dataTransfer?.items?.[0];
      const file = event.dataTransfer?.files?.[0];
      if (!file) return;
      type WithHandle = { getAsFileSystemHandle?(): Promise<unknown> };
      const handle = await (item as unknown as WithHandle)?.getAsFileSystemHandle?.();
      await this.files.openFile(file, (handle as never) ?? null);
      this.refresh();
    });
  }

  // An address typed or followed on the page deals its layout, after the question of
  // «Новая игра» when the game has moves; an address of no layout, or a No, puts the
  // game's own number back.
  wireAddress(): void {
    window.addEventListener('hashchange', () => void this.addressChanged());
  }

  async addressChanged(): Promise<void> {
    const layout = this.core.layoutOfFragment(location.hash);
    if (layout === null || layout === this.core.layout() || windowOpen() || this.busy || this.commanding) {
      this.refresh();
      return;
    }
    this.commanding = true;
    try {
      const caption = byId('FileNewGame').querySelector('.item-caption')!.textContent!;
      if (this.core.moves() === 0 || (await messageBox(this.core.startOverQuestion(caption))) === 'yes') {
        this.core.chooseLayout(layout);
      }
    } finally {
      this.commanding = false;
    }
    this.refresh();
  }
}

// The bit of `buttons` that stands for the `button` of an event.
function buttonBit(button: number): number {
  return [0, 2, 1][button] ?? button;
}


// Everything after the first paint: the page's wiring, the pictures, the worker, the
// service worker.
export async function startPage(core: Core, screen: Screen, restored: boolean): Promise<void> {
  const page = new Page(core, screen);
  page.refresh();
  const pictures: [number, string][] = [
    [PictureId.Bar0, 'picStrelki0'],
    [PictureId.Bar0 + 1, 'picStrelki1'],
    [PictureId.Bar0 + 2, 'picStrelki2'],
    [PictureId.Bar0 + 3, 'picStrelki3'],
    [PictureId.Strip, 'picStrelka'],
    [PictureId.Mascot, 'PicTrol'],
    [PictureId.Cage, 'picKletka'],
  ];
  await Promise.all(pictures.map(([id, name]) => loadOwnPicture(core, id, name)));
  core.picturesLoaded();  // the next refresh paints what the pictures changed
  // The arrows and keys play only once their pictures show.
  page.wirePointer();
  page.wireKeys();
  page.wireDrop();
  page.wireAddress();
  // The symbols' art comes after the game plays: most players never ask for it.
  void startSymbols(core, screen);
  page.refresh();
  page.startWorker();
  document.body.dataset.state = 'ready';
  // The finer art picture by picture, each in a task of its own, then shown all at once.
  let large = false;
  for (const [id, name] of pictures) large = (await loadLargeArt(core, id, name)) || large;
  if (large) screen.paintAll();
  // A kept game came back, and the address names another layout: asked as if typed.
  if (restored) void page.addressChanged();
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {
      // without it the page still plays; it only needs the network next time
    });
  }
}
