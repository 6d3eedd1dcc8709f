// "Открыть", "Сохранить" and "Сохранить как...": the browser's file pickers where it has
// them (a later "Сохранить" replaces the same file), a file input and a download where it
// has not. What a save writes, when it asks and what it tells are the core's.
import { Core, FileTrouble, WriteOutcome } from './core.js';
import { messageBox } from './dialogs.js';

// The File System Access API, where the browser has it.
interface WritableFile {
  write(data: BufferSource): Promise<void>;
  close(): Promise<void>;
}
export interface FileHandle {
  readonly name: string;
  getFile(): Promise<File>;
  createWritable(): Promise<WritableFile>;
  isSameEntry(other: FileHandle): Promise<boolean>;
}
interface PickerOptions {
  suggestedName?: string;
  types?: { description: string; accept: Record<string, string[]> }[];
}
interface Pickers {
  showOpenFilePicker?(options: PickerOptions): Promise<FileHandle[]>;
  showSaveFilePicker?(options: PickerOptions): Promise<FileHandle>;
}

// The first entry of the desktop's filter; the browser adds its own "all files".
const kTypes = [{ description: 'Результаты игры (*.zrv)', accept: { 'application/x-zarvel': ['.zrv'] } }];

function pickers(): Pickers {
  return globalThis as unknown as Pickers;
}

function cancelled(error: unknown): boolean {
  return error instanceof DOMException && error.name === 'AbortError';
}

// What a file that failed to come from the picker, or to be read once picked, tells the
// player: a file gone meanwhile is not found; anything else cannot be opened.
export function troubleOf(error: unknown): FileTrouble {
  return error instanceof DOMException && error.name === 'NotFoundError'
    ? FileTrouble.Vanished
    : FileTrouble.Unreadable;
}

export class Files {
  // The file the game was last saved to or opened from, where the browser gave a handle.
  private handle: FileHandle | null = null;

  constructor(private readonly core: Core) {}

  // "Открыть": a file from the picker.
  async openGame(): Promise<void> {
    const picker = pickers().showOpenFilePicker;
    if (picker) {
      let handle: FileHandle;
      try {
        [handle] = await picker.call(globalThis, { types: kTypes });
      } catch (error) {
        if (!cancelled(error)) this.core.fileTrouble(FileTrouble.Picker, '');
        return;
      }
      let file: File;
      try {
        file = await handle.getFile();
      } catch (error) {
        this.core.fileTrouble(troubleOf(error), handle.name);
        return;
      }
      await this.openFile(file, handle);
      return;
    }
    const file = await chooseFile();
    if (file) await this.openFile(file, null);
  }

  // A file from the picker or dropped on the page, with the desktop's reader and messages.
  async openFile(file: File, handle: FileHandle | null): Promise<void> {
    // The reader looks at no more than this of a file.
    let start: Uint8Array;
    try {
      start = new Uint8Array(await file.slice(0, this.core.longestGameText()).arrayBuffer());
    } catch (error) {
      this.core.fileTrouble(troubleOf(error), file.name);
      return;
    }
    if (this.core.open(file.name, start)) this.handle = handle;
  }

  // "Сохранить": the current file at once, or else "Сохранить как...".
  async save(): Promise<void> {
    const current = this.core.currentFile();
    if (current === '') return this.saveAs();
    if (this.handle) {
      this.core.saveFinished(current, await write(this.handle, this.core.savedText()));
    } else {
      download(current, this.core.savedText());
      this.core.saveFinished(current, WriteOutcome.Ok);
    }
  }

  // "Сохранить как...": the picker proposes the current file or else the layout number.
  async saveAs(): Promise<void> {
    const proposed = this.core.proposedSaveName();
    const picker = pickers().showSaveFilePicker;
    if (!picker) {
      download(proposed, this.core.savedText());
      this.core.saveFinished(proposed, WriteOutcome.Ok);
      this.handle = null;
      return;
    }
    let handle: FileHandle;
    try {
      handle = await picker.call(globalThis, { suggestedName: proposed, types: kTypes });
    } catch (error) {
      if (!cancelled(error)) this.core.fileTrouble(FileTrouble.Picker, '');
      return;
    }
    const same = this.handle !== null && (await handle.isSameEntry(this.handle));
    const question = this.core.saveQuestion(handle.name, !same && (await holdsSomething(handle)));
    if (question && (await messageBox(question)) === 'no') return;
    const outcome = await write(handle, this.core.savedText());
    this.core.saveFinished(handle.name, outcome);
    if (outcome === WriteOutcome.Ok) this.handle = handle;
  }
}

// Whether a picked file was there before: the picker makes a new one empty.
async function holdsSomething(handle: FileHandle): Promise<boolean> {
  try {
    return (await handle.getFile()).size > 0;
  } catch {
    return false;
  }
}

async function write(handle: FileHandle, text: string): Promise<WriteOutcome> {
  try {
    const file = await handle.createWritable();
    await file.write(new TextEncoder().encode(text));
    await file.close();
    return WriteOutcome.Ok;
  } catch (error) {
    const refused = error instanceof DOMException && error.name === 'NotAllowedError';
    return refused ? WriteOutcome.AccessDenied : WriteOutcome.Failed;
  }
}

function download(name: string, text: string): void {
  const url = URL.createObjectURL(new Blob([text], { type: 'application/x-zarvel' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

// The browser's own file dialog, through a file input; null when the player cancels.
function chooseFile(): Promise<File | null> {
  return new Promise((resolve) => {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = '.zrv';
    input.addEventListener('change', () => resolve(input.files?.[0] ?? null));
    input.addEventListener('cancel', () => resolve(null));
    input.click();
  });
}
