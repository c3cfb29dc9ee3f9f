// The page's service worker: after one visit the game starts and plays with no network, and a
// visit downloads nothing it already has. The build writes the version and the list of files.
"use strict";
const VERSION = "@VERSION@";
const FILES = @FILES@;
const CACHE = "vudizid-" + VERSION;
// How long a page load waits for the network before it takes the kept page.
const NETWORK_WAIT_MS = 4000;

// Every file of this build, kept before this worker takes over. Hashed names never change their
// content, so what the browser has already fetched is only revalidated.
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

// An earlier build's files go once no page of it is open any more (a new worker waits for that).
self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k.startsWith("vudizid-") && k !== CACHE)
      .map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

// The page itself from the network while there is one (so a new build shows), else the kept one;
// everything else it names from the kept files.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === "navigate") {
    event.respondWith(fromNetworkFirst(request));
    return;
  }
  event.respondWith(caches.match(request, { cacheName: CACHE }).then((kept) => kept || fetch(request)));
});

function fromNetworkFirst(request) {
  const kept = () => caches.match("./", { cacheName: CACHE });
  return new Promise((resolve) => {
    let answered = false;
    const answer = (response) => {
      if (answered || !response) return;
      answered = true;
      resolve(response);
    };
    fetch(request).then(answer, () => kept().then((page) => answer(page || Response.error())));
    setTimeout(() => kept().then(answer), NETWORK_WAIT_MS);
  });
}
