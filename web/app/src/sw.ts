// The service worker: keeps the page, the core and the pictures, so that the game, once
// loaded, plays offline. The build puts the list of files and their version in place of the
// two names below.
declare const ZARVEL_FILES: string[];
declare const ZARVEL_VERSION: string;

interface ExtendableEvent extends Event {
  waitUntil(promise: Promise<unknown>): void;
}
interface FetchEvent extends ExtendableEvent {
  request: Request;
  respondWith(response: Promise<Response>): void;
}
const sw = globalThis as unknown as {
  addEventListener(type: string, listener: (event: never) => void): void;
  skipWaiting(): Promise<void>;
  clients: { claim(): Promise<void> };
};
const kCache = `zarvel-${ZARVEL_VERSION}`;

sw.addEventListener('install', (event: ExtendableEvent) => {
  event.waitUntil(
    caches
      .open(kCache)
      .then((cache) => cache.addAll(ZARVEL_FILES))
      .then(() => sw.skipWaiting()),
  );
});

sw.addEventListener('activate', (event: ExtendableEvent) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((n) => n !== kCache).map((n) => caches.delete(n))))
      .then(() => sw.clients.claim()),
  );
});

// The kept copy first, the network for anything else; an address's fragment never reaches
// here, so every deal is the same page.
sw.addEventListener('fetch', (event: FetchEvent) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches
      .open(kCache)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((kept) => kept ?? fetch(event.request)),
  );
});
