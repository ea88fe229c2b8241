// Keeps the site's files, so that the page works offline after its first
// visit. The build writes the list and a digest of the files into this
// worker: a new build is a new worker, which takes the new files and drops
// the old ones.
const CACHE = 'vantorel-@VERSION@';
const FILES = [
  './',
@FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache first (a page with any query is
// index.html), anything else as the browser would fetch it.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((hit) => hit ?? fetch(request)));
});
